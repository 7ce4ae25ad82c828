#include "paginapedidos.h"

#include "base/money.h"
#include "ui/avisos.h"
#include "ui/barrapesquisa.h"
#include "ui/botaoestilizado.h"
#include "ui/construcao.h"
#include "ui/fontes.h"
#include "ui/quadropedidos.h"
#include "ui/resumopedido.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

namespace talvoro::ui {

namespace {

QString textoDe(const fb::Linha& linha, QStringView coluna)
{
    return linha.tem(coluna) ? linha[coluna].toString() : QString();
}

} // namespace

TPaginaPedidos::TPaginaPedidos(TDM& dm, const FigurasPedido& figuras, QWidget* pai)
    : QWidget(pai)
    , FDM(dm)
    , FFiguras(figuras)
{
    setObjectName(QStringLiteral("_paginaPedidos"));
    MontaAcoes();

    RelativePanel2 = criaPainel(this, QStringLiteral("RelativePanel2"), Qt::white);
    RelativePanel2->setFixedWidth(393);
    Panel12 = new TBarraPesquisa(RelativePanel2);
    DBCtrlGrid1 = new TGradePedidos(FFiguras, RelativePanel2);
    auto* esquerda = new QVBoxLayout(RelativePanel2);
    esquerda->setContentsMargins(0, 0, 0, 0);
    esquerda->setSpacing(9);
    esquerda->addWidget(Panel12);
    esquerda->addWidget(DBCtrlGrid1, 1, Qt::AlignRight);

    MontaDadosPedido();
    _panProdutosPagamentos = new TProdutosPagamentos(this);
    _panResumoPedido = new TPainelResumo(this);

    auto* meio = new QVBoxLayout;
    meio->setContentsMargins(0, 0, 0, 0);
    meio->setSpacing(0);
    meio->addWidget(Panel8);
    meio->addWidget(_panDadosPedido);
    meio->addWidget(_panProdutosPagamentos, 1);

    auto* corpo = new QHBoxLayout;
    corpo->setContentsMargins(0, 0, 0, 0);
    corpo->setSpacing(0);
    corpo->addWidget(RelativePanel2);
    corpo->addSpacing(2);
    corpo->addLayout(meio, 1);

    auto* principal = new QVBoxLayout;
    principal->setContentsMargins(0, 0, 0, 0);
    principal->setSpacing(0);
    principal->addWidget(Panel4);
    principal->addLayout(corpo, 1);

    auto* pagina = new QHBoxLayout(this);
    pagina->setContentsMargins(0, 0, 0, 0);
    pagina->setSpacing(0);
    pagina->addLayout(principal, 1);
    pagina->addWidget(_panResumoPedido);

    connect(Panel12, &TBarraPesquisa::Pesquisa, this,
            [this] { protegido([this] { _btnPesquisarClick(); }); });
    connect(DBCtrlGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (!FReposicionando)
            protegido([this] { CarregaDadosPedido(); });
    });

    MostraSemRegistros();
}

void TPaginaPedidos::MontaAcoes()
{
    Panel4 = criaPainel(this, QStringLiteral("Panel4"), QColor(0xAA, 0xF1, 0x87));
    Panel4->setFixedHeight(60);
    auto* linha = new QHBoxLayout(Panel4);
    linha->setContentsMargins(2, 2, 2, 2);
    linha->setSpacing(0);
    auto botao = [&](const QString& nome, const QString& legenda, const QColor& cor) {
        auto* b = new QPushButton(legenda, Panel4);
        b->setObjectName(nome);
        b->setFixedSize(114, 56);
        EstiloBotao e;
        e.face = cor;
        e.texto = Qt::white;
        e.facePressionado = cor.darker(125);
        e.textoPressionado = Qt::white;
        e.faceFoco = cor.darker(110);
        e.textoFoco = Qt::white;
        e.fonte = tahoma(13);
        estilizaBotao(b, e);
        linha->addWidget(b);
        return b;
    };
    _bntAceitarPedido = botao(QStringLiteral("_bntAceitarPedido"), QStringLiteral("Aceitar"),
                              QColor(0xFF, 0x80, 0x00));
    _bntRecusarPedido = botao(QStringLiteral("_bntRecusarPedido"), QStringLiteral("Recusar"),
                              QColor(0xCA, 0x23, 0x2B));
    _btnReenviar =
        botao(QStringLiteral("_btnReenviar"), QStringLiteral("Imprimir"), QColor(0x00, 0x80, 0xFF));
    _bntSairEntrega = botao(QStringLiteral("_bntSairEntrega"), QStringLiteral("Sair p/ Entrega"),
                            QColor(0x19, 0x84, 0xEE));
    _btnDetalhar =
        botao(QStringLiteral("_btnDetalhar"), QStringLiteral("Detalhar"), QColor(0x00, 0x80, 0x00));
    linha->addStretch(1);
}

void TPaginaPedidos::MontaDadosPedido()
{
    Panel8 = criaPainel(this, QStringLiteral("Panel8"), kAzulCabecalho);
    Panel8->setFixedHeight(24);
    auto* titulo =
        criaRotulo(Panel8, {}, QStringLiteral("DADOS DO PEDIDO"), tahoma(11, true), Qt::white);
    auto* cabecalho = new QHBoxLayout(Panel8);
    cabecalho->setContentsMargins(8, 0, 8, 0);
    cabecalho->addWidget(titulo);

    _panDadosPedido = criaPainel(this, QStringLiteral("_panDadosPedido"), Qt::white);
    _panDadosPedido->setFixedHeight(90);
    _panDadosPedido->setAccessibleName(QStringLiteral("Dados do pedido"));
    const QFont legenda = tahoma(11, true);
    const QFont valor = tahoma(11);

    _lblNomeCliente =
        criaRotulo(_panDadosPedido, QStringLiteral("_lblNomeCliente"), {}, tahoma(13, true), kNavy);
    _lblNomeCliente->setMinimumWidth(300);

    auto* campos = new QHBoxLayout;
    campos->setSpacing(4);
    auto par = [&](const QString& nome, const QString& textoLegenda, const QColor& corLegenda) {
        QLabel* c = criaRotulo(_panDadosPedido, nome + QStringLiteral("C"), textoLegenda, legenda,
                               corLegenda);
        QLabel* v = criaRotulo(_panDadosPedido, nome, {}, valor, Qt::black);
        v->setTextInteractionFlags(Qt::TextSelectableByMouse);
        c->setBuddy(v);
        campos->addWidget(c);
        campos->addWidget(v);
        campos->addSpacing(18);
        return v;
    };
    _lblCPFCliente = par(QStringLiteral("_lblCPFCliente"), QStringLiteral("CPF/CNPJ:"), kNavy);
    _lblNrPedido = par(QStringLiteral("_lblNrPedido"), QStringLiteral("PEDIDO:"), kNavy);
    _lblSeqDelivery =
        par(QStringLiteral("_lblSeqDelivery"), QStringLiteral("SEQ. DEL:"), kAzulCabecalho);
    _lblCelularCliente =
        par(QStringLiteral("_lblCelularCliente"), QStringLiteral("CELULAR:"), kAzulCabecalho);
    _lblFoneCliente =
        par(QStringLiteral("_lblFoneCliente"), QStringLiteral("TELEFONE:"), kAzulCabecalho);
    campos->addStretch(1);

    _lblEndEntrega =
        criaRotulo(_panDadosPedido, QStringLiteral("_lblEndEntrega"), {}, legenda, kAzulCabecalho);
    _lblEndEntrega->setWordWrap(true);
    _lblEndEntrega->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    _lblEndEntrega->setFixedHeight(2 * _lblEndEntrega->fontMetrics().lineSpacing() + 2);
    _lblEndEntrega->setAccessibleDescription(QStringLiteral("Endereço de entrega"));

    auto* coluna = new QVBoxLayout(_panDadosPedido);
    coluna->setContentsMargins(5, 6, 5, 4);
    coluna->setSpacing(6);
    coluna->addWidget(_lblNomeCliente);
    coluna->addLayout(campos);
    coluna->addWidget(_lblEndEntrega);
    coluna->addStretch(1);
}

// ---- Listing ------------------------------------------------------------------------------

void TPaginaPedidos::Lista(const FiltroPedidos& f)
{
    FDM.ListaPedidos(f.data, f.data, f.status, f.nrPedido, f.seqDelivery, f.nomeTel);
}

void TPaginaPedidos::_btnPesquisarClick()
{
    Lista(Panel12->Filtro());
    _panResumoPedido->_lblStatusNovos->setText(QStringLiteral("00"));
}

void TPaginaPedidos::RecarregaListaPedidos()
{
    const QString pendentes = _panResumoPedido->_lblStatusNovos->text();
    Lista(Panel12->Filtro());
    _panResumoPedido->_lblStatusNovos->setText(pendentes);
}

void TPaginaPedidos::ListaPedidosAberta(bool contadoresRecalculados)
{
    if (contadoresRecalculados)
        _panResumoPedido->MostraContadores(FDM.Contadores());

    // The same order stays selected while it is listed; otherwise the first card.
    const int anterior = FPedido.CdPedido;
    TModeloPedidos* modelo = DBCtrlGrid1->Modelo();
    FReposicionando = true;
    modelo->DefineLista(FDM.ListaPedido(), QDate::currentDate());
    DBCtrlGrid1->SetRowCount(modelo->SemRegistros() ? 1 : 6);
    int linha = anterior != 0 ? modelo->LinhaDoPedido(anterior) : -1;
    if (linha < 0)
        linha = 0;
    DBCtrlGrid1->setCurrentIndex(modelo->index(linha));
    DBCtrlGrid1->scrollTo(modelo->index(linha));
    FReposicionando = false;

    // Whoever listed (the worker among them) is not stopped by a summary that cannot be read:
    // the board is shown, the failure logged.
    try {
        CarregaDadosPedido();
    } catch (...) {
        FDM.GravaLog(QStringLiteral("Falha ao carregar o pedido selecionado... ") +
                     mensagemDoErro(std::current_exception()));
    }
}

// ---- The selected order -------------------------------------------------------------------

void TPaginaPedidos::CarregaDadosPedido()
{
    const TModeloPedidos* modelo = DBCtrlGrid1->Modelo();
    const QModelIndex atual = DBCtrlGrid1->currentIndex();
    if (modelo->SemRegistros() || !atual.isValid()) {
        MostraSemRegistros();
        Q_EMIT PedidoCarregado();
        return;
    }
    const fb::Linha& linha = modelo->Linha(atual.row());
    const TCartaoPedido& cartao = modelo->Cartao(atual.row());
    FPedido = PedidoDaLinha(linha);

    _lblNomeCliente->setText(textoDe(linha, u"NOME"));
    _lblCPFCliente->setText(MascaraCPF(textoDe(linha, u"CPF")));
    _lblNrPedido->setText(FPedido.GetShortReference);
    const fb::Valor& seq = linha[u"SEQDELIVERY"];
    _lblSeqDelivery->setText(seq.isNull() ? QString()
                                          : formatFloat(QStringLiteral("000"), seq.toInt()));
    _lblCelularCliente->setText(textoDe(linha, u"PHONEIFOOD") + QStringLiteral(" ") +
                                textoDe(linha, u"PHONE_LOCALIZER"));
    _lblFoneCliente->setText(textoDe(linha, u"FONECEL"));
    QStringList endereco;
    for (const QStringView coluna :
         {u"LOGRADOURO", u"COMPLEMENTOENDERECO", u"PONTOREFERENCIA", u"BAIRRO", u"CIDADE"}) {
        const QString parte = textoDe(linha, coluna).trimmed();
        if (!parte.isEmpty())
            endereco << parte;
    }
    const QString cep = textoDe(linha, u"CEP").trimmed();
    if (!cep.isEmpty())
        endereco << QStringLiteral("CEP: ") + cep;
    _lblEndEntrega->setText(endereco.join(u' '));

    _bntAceitarPedido->setVisible(cartao.botoes.aceitar);
    _bntRecusarPedido->setVisible(cartao.botoes.recusar);
    _bntSairEntrega->setVisible(cartao.botoes.sairEntrega);
    _bntSairEntrega->setText(cartao._bntSairEntrega);
    _btnReenviar->setVisible(cartao.botoes.imprimir);
    _btnDetalhar->setVisible(cartao.botoes.detalhar);

    // The summary of the previous order goes first, so a failed read never shows it under
    // this one.
    _panProdutosPagamentos->Limpa();
    _panResumoPedido->Limpa();
    const fb::Resultado itens =
        FDM.Query("_qryListaPedidoItens").param("cdpedido", FPedido.CdPedido).abrir();
    const fb::Resultado pagamentos =
        FDM.Query("_qryListaPagamentos").param("cdpedido", FPedido.CdPedido).abrir();
    _panProdutosPagamentos->Carrega(itens, pagamentos, linha);
    _panResumoPedido->Preenche(linha, pagamentos);
    Q_EMIT PedidoCarregado();
}

void TPaginaPedidos::MostraSemRegistros()
{
    FPedido = {};
    for (QPushButton* b :
         {_btnDetalhar, _bntAceitarPedido, _bntRecusarPedido, _bntSairEntrega, _btnReenviar})
        b->hide();
    for (QLabel* r : {_lblFoneCliente, _lblEndEntrega, _lblCelularCliente, _lblNrPedido})
        r->setText(QStringLiteral("-"));
    for (QLabel* r : {_lblNomeCliente, _lblCPFCliente, _lblSeqDelivery})
        r->clear();
    _panProdutosPagamentos->Limpa();
    _panResumoPedido->Limpa();
}

// ---- The window's calls -------------------------------------------------------------------

void TPaginaPedidos::DefineDataPesquisa(const QDateTime& agora)
{
    Panel12->DefineData(agora);
}

FiltroPedidos TPaginaPedidos::Filtro() const
{
    return Panel12->Filtro();
}

void TPaginaPedidos::AjustaLayout()
{
    // The layouts already keep the address at the data panel's width less 10 px and the
    // right-hand values of the item and payment cards clear of the totals column.
    updateGeometry();
}

} // namespace talvoro::ui
