#pragma once

#include <QAbstractButton>
#include <QPixmap>

class QAction;

namespace talvoro::ui {

// A label that acts on a click. It is a button underneath, so assistive technology sees a
// named, pressable control and the keyboard can reach it.
class TLabelClicavel : public QAbstractButton
{
    Q_OBJECT

public:
    explicit TLabelClicavel(QWidget* parent = nullptr);
    void setCor(const QColor& cor);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* evento) override;
};

// A picture that acts on a click (the side-menu switch).
class TImagemClicavel : public QAbstractButton
{
    Q_OBJECT

public:
    explicit TImagemClicavel(QWidget* parent = nullptr);
    void setPixmap(const QPixmap& pixmap);
    const QPixmap& pixmap() const { return FPixmap; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    QPixmap FPixmap;
};

// One entry of the side menu: a 32 px icon and, while captions are shown, the caption. It
// follows its action (caption, icon, enabled) and triggers it when clicked.
class TBotaoCategoria : public QAbstractButton
{
    Q_OBJECT

public:
    TBotaoCategoria(QAction* acao, QWidget* parent = nullptr);
    QAction* acao() const { return FAcao; }
    void setMostraLegenda(bool mostra);
    bool mostraLegenda() const { return FMostraLegenda; }
    QSize sizeHint() const override;

    static inline const QColor kCorQuente{0x14, 0x64, 0xBE};

protected:
    void paintEvent(QPaintEvent* evento) override;
    void enterEvent(QEnterEvent* evento) override;
    void leaveEvent(QEvent* evento) override;

private:
    void sincroniza();

    QAction* FAcao;
    bool FMostraLegenda = true;
    bool FQuente = false;
};

} // namespace talvoro::ui
