#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QFrame;
class QLabel;
class QWidget;

namespace talvoro::ui {

// Colours several screens share.
inline const QColor kNavy{0x00, 0x00, 0x80};
inline const QColor kMaroon{0x80, 0x00, 0x00};
inline const QColor kAzulCabecalho{0x1E, 0x55, 0x88}; // header strips of the main page

// A panel filled with its own colour; nome becomes its objectName.
QFrame* criaPainel(QWidget* pai, const QString& nome, const QColor& cor);
// A label in the given face and text colour; an empty nome leaves the objectName unset.
QLabel* criaRotulo(QWidget* pai, const QString& nome, const QString& texto, const QFont& fonte,
                   const QColor& cor);

inline QFrame* criaPainel(QWidget* pai, const char* nome, const QColor& cor)
{
    return criaPainel(pai, QString::fromLatin1(nome), cor);
}
inline QLabel* criaRotulo(QWidget* pai, const char* nome, const QString& texto, const QFont& fonte,
                          const QColor& cor)
{
    return criaRotulo(pai, nome ? QString::fromLatin1(nome) : QString(), texto, fonte, cor);
}

} // namespace talvoro::ui
