#pragma once

#include "worker/janela.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;

namespace talvoro {

// What iFood last said about the store: availability, state, the first validation's message
// and the status message. It only displays.
class T_frmStatusLoja : public QDialog
{
    Q_OBJECT

public:
    explicit T_frmStatusLoja(QWidget* parent = nullptr);

    QString available, state, title, subtitle, description, mtitle, msubtitle, mdescription;

    QGroupBox* GroupBox4;
    QGroupBox* GroupBox2;
    QGroupBox* GroupBox1;
    QLabel* _lblavailable;
    QLabel* _lblstate;
    QLabel* _lbltitle;
    QLabel* _lblsubtitle;
    QLabel* _lbldescription;
    QLabel* _lblmtitle;
    QLabel* _lblmsubtitle;
    QLabel* _lblmdescription;
    QPushButton* _btnFechar;

    void FormActivate();
    void _btnFecharClick();

protected:
    void showEvent(QShowEvent* evento) override;
};

// Shows the dialog with the eight texts, each in its own row, modally over `principal`.
void ExibeStatusLoja(const StatusLojaResumo& resumo, QWidget* principal = nullptr);

} // namespace talvoro
