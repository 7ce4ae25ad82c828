#pragma once

#include "app/paginaprincipal.h"

#include <QFrame>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

namespace talvoro::ui {

// The order search bar Panel12 above the board. The search itself belongs to the page: the
// bar only reports the button and Enter in the date picker.
class TBarraPesquisa : public QFrame
{
    Q_OBJECT

public:
    explicit TBarraPesquisa(QWidget* pai);

    // The search values; numbers that are empty or not a number count as 0.
    FiltroPedidos Filtro() const;
    void DefineData(const QDateTime& data);

    QLineEdit* _edtNomeTel;
    QLineEdit* _edtSeqDelivery;
    QDateEdit* _dataPedido;
    QComboBox* _combStatus;
    QLineEdit* _edtNrPedido;
    QPushButton* _btnPesquisar;

Q_SIGNALS:
    void Pesquisa();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
};

} // namespace talvoro::ui
