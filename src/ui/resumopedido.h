#pragma once

#include "base/money.h"
#include "data/dm.h"
#include "data/fb/valor.h"

#include <QFrame>
#include <QScrollArea>
#include <QString>

class QLabel;
class QVBoxLayout;

namespace talvoro::ui {

// The two instruction lines of a payment card and whether its change lines show.
struct InstrucaoPagamento
{
    QString linha;    // _lblInfPagamento
    QString linhaAux; // _lblInfPagamentoAux
    bool troco = false;
};
InstrucaoPagamento InstrucaoDoPagamento(const QString& prepaid, const QString& method,
                                        const QString& name);

// One line of the order's items (DBCtrlGrid2), 62 px high.
class TCartaoItem : public QFrame
{
    Q_OBJECT

public:
    static constexpr int kAltura = 62;
    TCartaoItem(const fb::Linha& item, QWidget* pai);

    QFrame* _panTopItens;
    QLabel* _lblDescricao;
    QLabel* _lblCodIfood;
    QFrame* _panTopItensObs;
    QLabel* _lblObservacao;
    QFrame* _panTopValores;
    QLabel* _lblQuantidadeItem;
    QLabel* _lblX;
    QLabel* _lblValorTotalItemUnitario;
    QLabel* _lblValorTotalItem;
};

// One payment of the order (DBCtrlGrid3). `troco` is the cash the customer hands over
// (changefor); the change lines show on a cash card to be collected.
class TCartaoPagamento : public QFrame
{
    Q_OBJECT

public:
    TCartaoPagamento(const fb::Linha& pagamento, Money troco, QWidget* pai);

    QLabel* _lblInfPagamento;
    QLabel* _lblValor;
    QLabel* _lblInfPagamentoAux;
    QLabel* _lblTrocoParaC;
    QLabel* _lblTrocoPara;
    QLabel* _lblSeuTrocoSeraC;
    QLabel* _lblSeuTrocoSera;

protected:
    void resizeEvent(QResizeEvent* evento) override;
};

// A scrolling column of cards of one height, `RowCount` cards high.
class TGradeCartoes : public QScrollArea
{
    Q_OBJECT

public:
    TGradeCartoes(const QString& nome, int alturaCartao, int linhas, QWidget* pai);

    void Limpa();
    void Adiciona(QFrame* cartao);
    int Quantidade() const;
    QFrame* Cartao(int i) const;
    void DefineAlturaCartao(int altura);
    int AlturaCartao() const { return FAlturaCartao; }

private:
    QWidget* FConteudo;
    QVBoxLayout* FColuna;
    int FAlturaCartao;
    int FLinhas;
};

// The item and payment lists of the selected order (_panProdutosPagamentos).
class TProdutosPagamentos : public QWidget
{
    Q_OBJECT

public:
    explicit TProdutosPagamentos(QWidget* pai);

    // Fills both lists; `pedido` is the order's row of the order list.
    void Carrega(const fb::Resultado& itens, const fb::Resultado& pagamentos,
                 const fb::Linha& pedido);
    void Limpa();

    TGradeCartoes* DBCtrlGrid2;
    TGradeCartoes* DBCtrlGrid3;

    static constexpr int kAlturaPagamentos = 80;
    static constexpr int kAlturaPagamentosComTroco = 140;
};

// The totals column at the right of the main page (_panResumoPedido) with the status
// counters.
class TPainelResumo : public QFrame
{
    Q_OBJECT

public:
    explicit TPainelResumo(QWidget* pai);

    void Preenche(const fb::Linha& pedido, const fb::Resultado& pagamentos);
    void Limpa();
    void MostraContadores(const ContadoresStatus& contadores);

    QFrame* Panel3;
    QLabel* _lblSubTotal;
    QLabel* _lblTaxaEntrega;
    QLabel* _lblTaxaAdicional;
    QLabel* _lblDesconto;
    QLabel* _lblRespDesconto;
    // Who funds the discount, worked out from the iFood-funded payment rows.
    QLabel* _lblDescontoIFoodC;
    QLabel* _lblDescontoIFood;
    QLabel* _lblDescontoLojaC;
    QLabel* _lblDescontoLoja;
    QLabel* _lblValorPedido;
    QFrame* Panel2;
    QLabel* _lblStatusProducao;
    QLabel* _lblStatusNovos;
    QLabel* _lblStatusEntrega;
    QLabel* _lblStatusFinalizados;
    QLabel* _lblStatusCancelados;

private:
    void AtualizaAcessivel();
};

} // namespace talvoro::ui
