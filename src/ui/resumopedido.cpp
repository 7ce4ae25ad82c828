#include "resumopedido.h"

#include "ui/cartaopedido.h"
#include "ui/construcao.h"
#include "ui/fontes.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QStringList>
#include <QVBoxLayout>

namespace talvoro::ui {

namespace {

const QColor kAzulOpcao(0x19, 0x84, 0xEE);
const QColor kVerdeResumo(0xAA, 0xF1, 0x87);

QLabel* rotulo(QWidget* pai, const QString& nome, const QFont& fonte, const QColor& cor,
               const QString& texto = {})
{
    return criaRotulo(pai, nome, texto, fonte, cor);
}

QFrame* faixa(QWidget* pai, const QString& nome, int altura)
{
    auto* f = new QFrame(pai);
    f->setObjectName(nome);
    f->setFixedHeight(altura);
    return f;
}

QString textoDe(const fb::Linha& linha, QStringView coluna)
{
    return linha.tem(coluna) ? linha[coluna].toString() : QString();
}

Money dinheiroDe(const fb::Linha& linha, QStringView coluna)
{
    return linha.tem(coluna) ? linha[coluna].toMoney() : Money();
}

int64_t inteiroDe(const fb::Linha& linha, QStringView coluna)
{
    if (!linha.tem(coluna) || linha[coluna].isNull())
        return 0;
    try {
        return linha[coluna].toInt();
    } catch (const fb::Erro&) {
        return 0;
    }
}

// What each iFood payment method is called on the payment card.
QString nomeMetodo(const QString& method)
{
    static const struct
    {
        const char16_t* codigo;
        const char16_t* nome;
    } kMetodos[] = {
        {u"CREDIT", u"CRÉDITO"},
        {u"DEBIT", u"DÉBITO"},
        {u"CASH", u"DINHEIRO"},
        {u"PIX", u"PIX"},
        {u"MEAL_VOUCHER", u"VALE-REFEIÇÃO"},
        {u"FOOD_VOUCHER", u"VALE-ALIMENTAÇÃO"},
        {u"DIGITAL_WALLET", u"CARTEIRA DIGITAL"},
        {u"GIFT_CARD", u"VALE-PRESENTE"},
        {u"OTHER", u"OUTRA FORMA DE PAGAMENTO"},
    };
    for (const auto& m : kMetodos) {
        if (method == QStringView(m.codigo))
            return QString::fromUtf16(m.nome);
    }
    return method.isEmpty() ? QStringLiteral("FORMA DE PAGAMENTO NÃO INFORMADA") : method;
}

} // namespace

InstrucaoPagamento InstrucaoDoPagamento(const QString& prepaid, const QString& method,
                                        const QString& name)
{
    if (prepaid == u"true") {
        if (name == u"PAGAMENTO IFOOD") {
            return {QStringLiteral("Incentivos iFood"),
                    QStringLiteral("O iFood pagará este valor para a sua loja"), false};
        }
        // A method without a card (PIX, a wallet) has no brand: its own name stands in.
        return {QStringLiteral("Pago via iFood - ") + (name.isEmpty() ? nomeMetodo(method) : name),
                QStringLiteral("O iFood já recebeu este valor e vamos repassar a sua loja."),
                false};
    }
    const QString cobrar = QStringLiteral("O entregador deve cobrar este valor no ato da entrega.");
    if (method == u"CREDIT" || method == u"DEBIT") {
        return {QStringLiteral("Cobrar do cliente - ") + nomeMetodo(method) +
                    QStringLiteral(" - ") + name + QStringLiteral(" (máquina) via loja."),
                cobrar, false};
    }
    if (method == u"CASH")
        return {QStringLiteral("Cobrar do cliente - DINHEIRO via loja."), cobrar, true};
    // Any other method is named, with its brand and the card machine when it has a brand.
    const QString marca =
        name.isEmpty() ? QString() : QStringLiteral(" - ") + name + QStringLiteral(" (máquina)");
    return {QStringLiteral("Cobrar do cliente - ") + nomeMetodo(method) + marca +
                QStringLiteral(" via loja."),
            cobrar, false};
}

// ---- Item card ----------------------------------------------------------------------------

TCartaoItem::TCartaoItem(const fb::Linha& item, QWidget* pai)
    : QFrame(pai)
{
    setObjectName(QStringLiteral("cartaoItem"));
    setFixedHeight(kAltura);
    const QFont negrito = tahoma(13, true);
    const QFont normal = tahoma(13);

    const bool principal = textoDe(item, u"isauxiliar") == u"N";
    const QString nome = textoDe(item, u"name");
    const QString observacao = principal ? textoDe(item, u"observations") : QString();

    _panTopItens = faixa(this, QStringLiteral("_panTopItens"), 19);
    _lblDescricao =
        rotulo(_panTopItens, QStringLiteral("_lblDescricao"), negrito,
               principal ? kNavy : kAzulOpcao, principal ? nome : QStringLiteral("   º ") + nome);
    _lblCodIfood = rotulo(_panTopItens, QStringLiteral("_lblCodIfood"), negrito, kNavy,
                          formatFloat(QStringLiteral("0000"), inteiroDe(item, u"externalcode")));
    _lblCodIfood->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* topo = new QHBoxLayout(_panTopItens);
    topo->setContentsMargins(2, 0, 10, 0);
    topo->addWidget(_lblDescricao, 1);
    topo->addWidget(_lblCodIfood);

    _panTopItensObs = faixa(this, QStringLiteral("_panTopItensObs"), 14);
    _lblObservacao =
        rotulo(_panTopItensObs, QStringLiteral("_lblObservacao"), negrito, kNavy,
               observacao.isEmpty() ? QString() : QStringLiteral("Obs: ") + observacao);
    auto* obs = new QHBoxLayout(_panTopItensObs);
    obs->setContentsMargins(2, 0, 10, 0);
    obs->addWidget(_lblObservacao, 1);

    _panTopValores = faixa(this, QStringLiteral("_panTopValores"), 19);
    _lblQuantidadeItem = rotulo(_panTopValores, QStringLiteral("_lblQuantidadeItem"), normal, kNavy,
                                formatDoisDigitos(inteiroDe(item, u"quantity")));
    _lblQuantidadeItem->setFixedWidth(29);
    _lblX = rotulo(_panTopValores, QStringLiteral("_lblX"), normal, kNavy, QStringLiteral("X"));
    _lblX->setFixedWidth(27);
    _lblValorTotalItemUnitario =
        rotulo(_panTopValores, QStringLiteral("_lblValorTotalItemUnitario"), normal, kNavy,
               formatReais(dinheiroDe(item, u"price")));
    _lblValorTotalItem = rotulo(_panTopValores, QStringLiteral("_lblValorTotalItem"), negrito,
                                kNavy, formatReais(dinheiroDe(item, u"totalprice")));
    _lblValorTotalItem->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* valores = new QHBoxLayout(_panTopValores);
    valores->setContentsMargins(1, 0, 10, 0);
    valores->setSpacing(0);
    valores->addWidget(_lblQuantidadeItem);
    valores->addWidget(_lblX);
    valores->addWidget(_lblValorTotalItemUnitario);
    valores->addStretch(1);
    valores->addWidget(_lblValorTotalItem);

    auto* coluna = new QVBoxLayout(this);
    coluna->setContentsMargins(0, 0, 0, 0);
    coluna->setSpacing(0);
    coluna->addWidget(_panTopItens);
    coluna->addWidget(_panTopItensObs);
    coluna->addWidget(_panTopValores);
    coluna->addStretch(1);

    setFrameShape(QFrame::NoFrame);
    setStyleSheet(QStringLiteral("#cartaoItem { border-bottom: 1px solid #E4E4E4; }"));

    QString acessivel = (principal ? QString() : QStringLiteral("Opcional: ")) + nome +
                        QStringLiteral(", ") + _lblQuantidadeItem->text() + QStringLiteral(" X ") +
                        _lblValorTotalItemUnitario->text() + QStringLiteral(", total ") +
                        _lblValorTotalItem->text() + QStringLiteral(", código ") +
                        _lblCodIfood->text();
    if (!_lblObservacao->text().isEmpty())
        acessivel += QStringLiteral(". ") + _lblObservacao->text();
    setAccessibleName(acessivel);
}

// ---- Payment card -------------------------------------------------------------------------

TCartaoPagamento::TCartaoPagamento(const fb::Linha& pagamento, Money troco, QWidget* pai)
    : QFrame(pai)
{
    setObjectName(QStringLiteral("cartaoPagamento"));
    const QFont negrito = tahoma(13, true);
    const QFont normal = tahoma(13);
    const Money valor = dinheiroDe(pagamento, u"VALUE");
    const InstrucaoPagamento instrucao = InstrucaoDoPagamento(
        textoDe(pagamento, u"prepaid"), textoDe(pagamento, u"method"), textoDe(pagamento, u"name"));

    _lblInfPagamento =
        rotulo(this, QStringLiteral("_lblInfPagamento"), negrito, kNavy, instrucao.linha);
    _lblValor = rotulo(this, QStringLiteral("_lblValor"), negrito, kNavy, formatReais(valor));
    _lblValor->setAlignment(Qt::AlignRight | Qt::AlignTop);
    _lblInfPagamentoAux =
        rotulo(this, QStringLiteral("_lblInfPagamentoAux"), normal, kNavy, instrucao.linhaAux);
    _lblTrocoParaC = rotulo(this, QStringLiteral("_lblTrocoParaC"), negrito, kNavy,
                            QStringLiteral("Valor a receber em dinheiro:"));
    _lblSeuTrocoSeraC = rotulo(this, QStringLiteral("_lblSeuTrocoSeraC"), negrito, kNavy,
                               QStringLiteral("Valor para levar de troco:"));
    // The change is worked out against this cash payment, not the whole order: with part of
    // the order paid otherwise, the cash handed over only covers this payment.
    const bool comTroco = instrucao.troco && troco > Money();
    _lblTrocoPara = rotulo(this, QStringLiteral("_lblTrocoPara"), normal, kNavy,
                           formatReais(comTroco ? troco : Money()));
    _lblSeuTrocoSera = rotulo(this, QStringLiteral("_lblSeuTrocoSera"), normal, kNavy,
                              formatReais(comTroco ? troco - valor : Money()));
    for (QLabel* r : {_lblTrocoParaC, _lblTrocoPara, _lblSeuTrocoSeraC, _lblSeuTrocoSera})
        r->setVisible(comTroco);

    QString acessivel = _lblInfPagamento->text() + QStringLiteral(", ") + _lblValor->text();
    QString descricao = _lblInfPagamentoAux->text();
    if (comTroco) {
        descricao += QStringLiteral(" ") + _lblTrocoParaC->text() + QStringLiteral(" ") +
                     _lblTrocoPara->text() + QStringLiteral(". ") + _lblSeuTrocoSeraC->text() +
                     QStringLiteral(" ") + _lblSeuTrocoSera->text() + QStringLiteral(".");
    }
    setAccessibleName(acessivel);
    setAccessibleDescription(descricao);
}

void TCartaoPagamento::resizeEvent(QResizeEvent* evento)
{
    QFrame::resizeEvent(evento);
    const int w = width();
    const int alturaLinha = _lblInfPagamento->sizeHint().height();
    const int valor = _lblValor->sizeHint().width();
    _lblValor->setGeometry(w - valor - 2, 0, valor, alturaLinha);
    _lblInfPagamento->setGeometry(2, 0, std::max(0, w - valor - 12), alturaLinha);
    _lblInfPagamentoAux->setGeometry(2, 15, w - 4, alturaLinha);
    _lblTrocoParaC->setGeometry(2, 34, 191, alturaLinha);
    _lblTrocoPara->setGeometry(193, 34, 200, alturaLinha);
    _lblSeuTrocoSeraC->setGeometry(2, 51, 191, alturaLinha);
    _lblSeuTrocoSera->setGeometry(193, 51, 200, alturaLinha);
}

// ---- Card column --------------------------------------------------------------------------

TGradeCartoes::TGradeCartoes(const QString& nome, int alturaCartao, int linhas, QWidget* pai)
    : QScrollArea(pai)
    , FConteudo(new QWidget)
    , FColuna(new QVBoxLayout(FConteudo))
    , FAlturaCartao(alturaCartao)
    , FLinhas(linhas)
{
    setObjectName(nome);
    FColuna->setContentsMargins(0, 0, 0, 0);
    FColuna->setSpacing(0);
    FColuna->addStretch(1);
    FConteudo->setAutoFillBackground(true);
    QPalette pal = FConteudo->palette();
    pal.setColor(QPalette::Window, Qt::white);
    FConteudo->setPalette(pal);
    setWidget(FConteudo);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DefineAlturaCartao(alturaCartao);
}

void TGradeCartoes::Limpa()
{
    while (FColuna->count() > 1) {
        QLayoutItem* item = FColuna->takeAt(0);
        delete item->widget();
        delete item;
    }
    verticalScrollBar()->setValue(0);
}

void TGradeCartoes::Adiciona(QFrame* cartao)
{
    cartao->setParent(FConteudo);
    cartao->setFixedHeight(FAlturaCartao);
    FColuna->insertWidget(FColuna->count() - 1, cartao);
}

int TGradeCartoes::Quantidade() const
{
    return FColuna->count() - 1;
}

QFrame* TGradeCartoes::Cartao(int i) const
{
    return qobject_cast<QFrame*>(FColuna->itemAt(i)->widget());
}

void TGradeCartoes::DefineAlturaCartao(int altura)
{
    FAlturaCartao = altura;
    for (int i = 0; i < Quantidade(); ++i)
        Cartao(i)->setFixedHeight(altura);
    setFixedHeight(FLinhas * altura);
    verticalScrollBar()->setSingleStep(altura);
}

// ---- Items and payments -------------------------------------------------------------------

TProdutosPagamentos::TProdutosPagamentos(QWidget* pai)
    : QWidget(pai)
{
    setObjectName(QStringLiteral("_panProdutosPagamentos"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    DBCtrlGrid2 = new TGradeCartoes(QStringLiteral("DBCtrlGrid2"), TCartaoItem::kAltura, 5, this);
    DBCtrlGrid2->setAccessibleName(QStringLiteral("Itens do pedido"));
    DBCtrlGrid3 = new TGradeCartoes(QStringLiteral("DBCtrlGrid3"), kAlturaPagamentos / 2, 2, this);
    DBCtrlGrid3->setAccessibleName(QStringLiteral("Pagamentos do pedido"));
    auto* coluna = new QVBoxLayout(this);
    coluna->setContentsMargins(0, 0, 0, 0);
    coluna->setSpacing(0);
    coluna->addWidget(DBCtrlGrid2);
    coluna->addWidget(DBCtrlGrid3);
    coluna->addStretch(1);
    Limpa();
}

void TProdutosPagamentos::Carrega(const fb::Resultado& itens, const fb::Resultado& pagamentos,
                                  const fb::Linha& pedido)
{
    DBCtrlGrid2->Limpa();
    for (const fb::Linha& item : itens.linhas)
        DBCtrlGrid2->Adiciona(new TCartaoItem(item, DBCtrlGrid2));
    DBCtrlGrid2->setVisible(!itens.vazio());

    const Money troco = dinheiroDe(pedido, u"changefor");
    DBCtrlGrid3->DefineAlturaCartao(
        (troco > Money() ? kAlturaPagamentosComTroco : kAlturaPagamentos) / 2);
    DBCtrlGrid3->Limpa();
    for (const fb::Linha& pagamento : pagamentos.linhas)
        DBCtrlGrid3->Adiciona(new TCartaoPagamento(pagamento, troco, DBCtrlGrid3));
    DBCtrlGrid3->setVisible(!pagamentos.vazio());
}

void TProdutosPagamentos::Limpa()
{
    DBCtrlGrid2->Limpa();
    DBCtrlGrid3->Limpa();
    DBCtrlGrid3->DefineAlturaCartao(kAlturaPagamentos / 2);
    DBCtrlGrid2->hide();
    DBCtrlGrid3->hide();
}

// ---- Totals and counters ------------------------------------------------------------------

TPainelResumo::TPainelResumo(QWidget* pai)
    : QFrame(pai)
{
    setObjectName(QStringLiteral("_panResumoPedido"));
    setAccessibleName(QStringLiteral("Resumo do pedido"));
    setFixedWidth(204);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kVerdeResumo);
    setPalette(pal);

    const QFont negrito = tahoma(13, true);
    const QFont normal = tahoma(13);
    auto cabecalho = [this](const QString& nome, const QString& titulo) {
        auto* painel = faixa(this, nome, 30);
        painel->setAutoFillBackground(true);
        QPalette p = painel->palette();
        p.setColor(QPalette::Window, kAzulCabecalho);
        painel->setPalette(p);
        auto* legenda = rotulo(painel, {}, tahoma(11, true), Qt::white, titulo);
        legenda->setAlignment(Qt::AlignCenter);
        auto* l = new QHBoxLayout(painel);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(legenda);
        return painel;
    };

    Panel3 = cabecalho(QStringLiteral("Panel3"), QStringLiteral("RESUMO DO PEDIDO"));
    auto* totais = new QGridLayout;
    totais->setContentsMargins(6, 10, 2, 10);
    totais->setHorizontalSpacing(0);
    totais->setVerticalSpacing(6);
    totais->setColumnMinimumWidth(0, 136);
    int linha = 0;
    auto total = [&](const QString& legenda, const QString& nome, QLabel** valor,
                     QLabel** rotuloLegenda = nullptr) {
        QLabel* c = rotulo(this, nome + QStringLiteral("C"), negrito, kNavy, legenda);
        *valor = rotulo(this, nome, normal, kNavy);
        c->setBuddy(*valor);
        totais->addWidget(c, linha, 0);
        totais->addWidget(*valor, linha, 1);
        if (rotuloLegenda)
            *rotuloLegenda = c;
        ++linha;
    };
    total(QStringLiteral("Valor do Pedido:"), QStringLiteral("_lblSubTotal"), &_lblSubTotal);
    total(QStringLiteral("+ Taxa de Entrega:"), QStringLiteral("_lblTaxaEntrega"),
          &_lblTaxaEntrega);
    total(QStringLiteral("+ Taxa Adicional:"), QStringLiteral("_lblTaxaAdicional"),
          &_lblTaxaAdicional);
    total(QStringLiteral("- Desconto:"), QStringLiteral("_lblDesconto"), &_lblDesconto);
    total(QStringLiteral("Responsável Desc.:"), QStringLiteral("_lblRespDesconto"),
          &_lblRespDesconto);
    total(QStringLiteral("   pago pelo iFood:"), QStringLiteral("_lblDescontoIFood"),
          &_lblDescontoIFood, &_lblDescontoIFoodC);
    total(QStringLiteral("   pago pela loja:"), QStringLiteral("_lblDescontoLoja"),
          &_lblDescontoLoja, &_lblDescontoLojaC);
    total(QStringLiteral("Total:"), QStringLiteral("_lblValorPedido"), &_lblValorPedido);

    Panel2 = cabecalho(QStringLiteral("Panel2"), QStringLiteral("STATUS PEDIDOS"));
    auto* contadores = new QGridLayout;
    contadores->setContentsMargins(6, 10, 2, 10);
    contadores->setHorizontalSpacing(0);
    contadores->setVerticalSpacing(6);
    contadores->setColumnMinimumWidth(0, 136);
    linha = 0;
    auto contador = [&](const QString& legenda, const QString& nome, const QColor& cor) {
        QLabel* c = rotulo(this, nome + QStringLiteral("C"), negrito, cor, legenda);
        QLabel* v = rotulo(this, nome, negrito, cor, QStringLiteral("00"));
        c->setBuddy(v);
        contadores->addWidget(c, linha, 0);
        contadores->addWidget(v, linha, 1);
        ++linha;
        return v;
    };
    _lblStatusProducao = contador(QStringLiteral("Em preparo:"),
                                  QStringLiteral("_lblStatusProducao"), cor::emPreparo);
    _lblStatusNovos =
        contador(QStringLiteral("Pendentes:"), QStringLiteral("_lblStatusNovos"), cor::pendente);
    _lblStatusEntrega = contador(QStringLiteral("Saiu p/ Entrega:"),
                                 QStringLiteral("_lblStatusEntrega"), cor::saiuEntrega);
    _lblStatusFinalizados =
        contador(QStringLiteral("Finalizados:"), QStringLiteral("_lblStatusFinalizados"), kMaroon);
    _lblStatusCancelados = contador(QStringLiteral("Cancelados:"),
                                    QStringLiteral("_lblStatusCancelados"), cor::cancelado);

    auto* coluna = new QVBoxLayout(this);
    coluna->setContentsMargins(0, 0, 0, 0);
    coluna->setSpacing(0);
    coluna->addWidget(Panel3);
    coluna->addLayout(totais);
    coluna->addWidget(Panel2);
    coluna->addLayout(contadores);
    coluna->addStretch(1);
    Limpa();
}

void TPainelResumo::Preenche(const fb::Linha& pedido, const fb::Resultado& pagamentos)
{
    _lblSubTotal->setText(formatReais(dinheiroDe(pedido, u"subtotal")));
    _lblTaxaEntrega->setText(formatReais(dinheiroDe(pedido, u"deliveryfee")));
    _lblTaxaAdicional->setText(formatReais(dinheiroDe(pedido, u"taxaadicional")));
    const Money desconto = dinheiroDe(pedido, u"valordesconto");
    _lblDesconto->setText(formatReais(desconto));
    _lblRespDesconto->setText(textoDe(pedido, u"responsaveldesconto"));
    _lblValorPedido->setText(formatReais(dinheiroDe(pedido, u"totalprice")));

    // The import keeps what iFood funds as payments of its own; the rest of the discount is
    // the store's.
    Money iFood;
    for (const fb::Linha& p : pagamentos.linhas) {
        if (textoDe(p, u"prepaid") == u"true" && textoDe(p, u"name") == u"PAGAMENTO IFOOD")
            iFood += dinheiroDe(p, u"VALUE");
    }
    const bool divisao = desconto > Money();
    _lblDescontoIFood->setText(formatReais(iFood));
    _lblDescontoLoja->setText(formatReais(desconto - iFood));
    for (QLabel* r : {_lblDescontoIFoodC, _lblDescontoIFood, _lblDescontoLojaC, _lblDescontoLoja})
        r->setVisible(divisao);
    AtualizaAcessivel();
}

void TPainelResumo::Limpa()
{
    for (QLabel* r : {_lblSubTotal, _lblTaxaEntrega, _lblTaxaAdicional, _lblDesconto,
                      _lblRespDesconto, _lblDescontoIFood, _lblDescontoLoja, _lblValorPedido})
        r->clear();
    for (QLabel* r : {_lblDescontoIFoodC, _lblDescontoIFood, _lblDescontoLojaC, _lblDescontoLoja})
        r->hide();
    AtualizaAcessivel();
}

void TPainelResumo::MostraContadores(const ContadoresStatus& c)
{
    _lblStatusProducao->setText(formatDoisDigitos(c.producao));
    _lblStatusNovos->setText(formatDoisDigitos(c.novos));
    _lblStatusEntrega->setText(formatDoisDigitos(c.entrega));
    _lblStatusFinalizados->setText(formatDoisDigitos(c.finalizados));
    _lblStatusCancelados->setText(formatDoisDigitos(c.cancelados));
}

void TPainelResumo::AtualizaAcessivel()
{
    QStringList partes;
    const std::pair<const char16_t*, QLabel*> totais[] = {
        {u"Valor do pedido", _lblSubTotal},
        {u"Taxa de entrega", _lblTaxaEntrega},
        {u"Taxa adicional", _lblTaxaAdicional},
        {u"Desconto", _lblDesconto},
        {u"Responsável pelo desconto", _lblRespDesconto},
        {u"Desconto pago pelo iFood", _lblDescontoIFood},
        {u"Desconto pago pela loja", _lblDescontoLoja},
        {u"Total", _lblValorPedido},
    };
    for (const auto& [legenda, valor] : totais) {
        if (!valor->text().isEmpty() && !valor->isHidden())
            partes << QString::fromUtf16(legenda) + QStringLiteral(": ") + valor->text();
    }
    setAccessibleDescription(partes.join(QStringLiteral("; ")));
}

} // namespace talvoro::ui
