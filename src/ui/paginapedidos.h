#pragma once

#include "app/paginaprincipal.h"
#include "data/dm.h"
#include "ui/cartaopedido.h"
#include "ui/pedidoselecionado.h"

#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;

namespace talvoro::ui {

class TBarraPesquisa;
class TGradePedidos;
class TPainelResumo;
class TProdutosPagamentos;

// The order part of the main page: the action strip, the search bar and the board on the
// left, the selected order's data, items and payments in the middle and the totals column on
// the right. It follows the data module's order list: whoever reopens the list (the search,
// an order action, the worker) gets the board repainted, and the selected card, the
// selected-order state, the order data panel, the action strip and the summary always
// describe the same order.
class TPaginaPedidos : public QWidget, public IPaginaPrincipal, public IVisaoListaPedidos
{
    Q_OBJECT

public:
    TPaginaPedidos(TDM& dm, const FigurasPedido& figuras, QWidget* pai);

    // The order of the selected card.
    const TPedidoSelecionado& PedidoSelecionado() const { return FPedido; }
    // Lists again with the search bar's values, as the search does, leaving "Pendentes:" as
    // it is.
    void RecarregaListaPedidos();
    // The search: lists with the search bar's values and sets "Pendentes:" to "00".
    void _btnPesquisarClick();
    // Loads the selected card's order into the state, the data panel, the action strip and
    // the summary. Raises when the items or payments cannot be read.
    void CarregaDadosPedido();

    // IPaginaPrincipal
    void DefineDataPesquisa(const QDateTime& agora) override;
    FiltroPedidos Filtro() const override;
    void AjustaLayout() override;
    void Pesquisar() override { _btnPesquisarClick(); }

    // IVisaoListaPedidos
    void ListaPedidosAberta(bool contadoresRecalculados) override;

    // Action strip.
    QFrame* Panel4;
    QPushButton* _bntAceitarPedido;
    QPushButton* _bntRecusarPedido;
    QPushButton* _btnReenviar;
    QPushButton* _bntSairEntrega;
    QPushButton* _btnDetalhar;

    // Left column: search bar and board.
    QFrame* RelativePanel2;
    TBarraPesquisa* Panel12;
    TGradePedidos* DBCtrlGrid1;

    // Order data.
    QFrame* Panel8;
    QFrame* _panDadosPedido;
    QLabel* _lblNomeCliente;
    QLabel* _lblCPFCliente;
    QLabel* _lblNrPedido;
    QLabel* _lblSeqDelivery;
    QLabel* _lblCelularCliente;
    QLabel* _lblFoneCliente;
    QLabel* _lblEndEntrega;

    // Summary.
    TProdutosPagamentos* _panProdutosPagamentos;
    TPainelResumo* _panResumoPedido;

Q_SIGNALS:
    // The selected-order state was (re)written.
    void PedidoCarregado();

private:
    void MontaAcoes();
    void MontaDadosPedido();
    void MostraSemRegistros();
    void Lista(const FiltroPedidos& filtro);

    TDM& FDM;
    FigurasPedido FFiguras;
    TPedidoSelecionado FPedido;
    bool FReposicionando = false;
};

} // namespace talvoro::ui
