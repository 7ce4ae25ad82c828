#include "apoio_quadro.h"

#include "base/datahora.h"
#include "support/fusohorario.h"
#include "support/simulador.h"
#include "ui/barrapesquisa.h"
#include "ui/quadropedidos.h"
#include "ui/resumopedido.h"
#include "ui/toggleswitch.h"

#include <QAccessible>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <ctime>

using namespace talvoro;
using namespace talvoro::teste;
using talvoro::ui::FiguraCartao;

namespace {

QColor corNoCartao(T_frmMain& j, int linha, QPoint ponto)
{
    ui::TGradePedidos* grade = pagina(j).DBCtrlGrid1;
    grade->scrollTo(grade->Modelo()->index(linha));
    const QImage imagem = grade->viewport()->grab().toImage();
    return imagem.pixelColor(grade->RetanguloCartao(linha).topLeft() + ponto);
}

// Inside the status band, clear of its border and its text.
const QPoint kFaixa(8, 87);
// An empty spot of the card's background.
const QPoint kFundo(150, 65);

struct Botoes
{
    bool aceitar, recusar, sair, imprimir, detalhar;
};

Botoes botoesVisiveis(T_frmMain& j)
{
    ui::TPaginaPedidos& p = pagina(j);
    return {p._bntAceitarPedido->isVisible(), p._bntRecusarPedido->isVisible(),
            p._bntSairEntrega->isVisible(), p._btnReenviar->isVisible(),
            p._btnDetalhar->isVisible()};
}

QDateTime localParaUtc(QDate dia, QTime hora)
{
    return semFuso(QDateTime(dia, hora, Qt::LocalTime).toUTC());
}

} // namespace

TEST(Quadro, CadaStatusTemSeuCartaoSeusBotoesESuaCor)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    struct Caso
    {
        const char* status;
        int tipo;
        const char* texto;
        QColor cor;
        bool cancelado;
        Botoes botoes; // aceitar, recusar, sair p/ entrega, imprimir, detalhar
        char16_t pedidoAceito;
        FiguraCartao tipoEntrega;
    };
    const QColor neutro(0x60, 0x60, 0x60);
    // The unknown code follows a cancelled card: it must not inherit anything from it.
    const Caso casos[] = {
        {"PEA",
         1,
         "EM PREPARO",
         QColor(0x04, 0x76, 0x94),
         false,
         {false, true, true, true, true},
         u'S',
         FiguraCartao::Delivery},
        {"PNA",
         2,
         "PENDENTE",
         QColor(0x93, 0x95, 0x91),
         false,
         {true, true, false, true, true},
         u'N',
         FiguraCartao::Retirada},
        {"PDF",
         1,
         "FINALIZADO",
         QColor(0x8C, 0xC7, 0x39),
         false,
         {false, true, false, true, true},
         u'S',
         FiguraCartao::Delivery},
        {"PDE",
         1,
         "SAIU P/ ENTREGA",
         QColor(0x19, 0x84, 0xEE),
         false,
         {false, true, false, true, true},
         u'S',
         FiguraCartao::Delivery},
        {"PCC",
         3,
         "CANCELADO",
         QColor(0xCA, 0x23, 0x2B),
         true,
         {false, true, false, false, true},
         u'S',
         FiguraCartao::NaMesa},
        {"XYZ",
         1,
         "SITUAÇÃO XYZ",
         neutro,
         false,
         {false, true, false, false, true},
         u'N',
         FiguraCartao::Delivery},
        {"PIN",
         1,
         "NÃO PROCESSADO ou ERRO",
         QColor(0xCA, 0x23, 0x2B),
         false,
         {false, true, false, false, true},
         u'N',
         FiguraCartao::Vazia},
        {"PDR",
         3,
         "PEDIDO RETIRADO",
         QColor(0x19, 0x84, 0xEE),
         false,
         {false, true, false, true, true},
         u'S',
         FiguraCartao::NaMesa},
    };
    std::vector<int> cds;
    int n = 0;
    for (const Caso& c : casos) {
        PedidoTeste p;
        p.status = QString::fromLatin1(c.status);
        p.tipoentrega = c.tipo;
        p.shortReference = QString::number(3000 + n++);
        cds.push_back(inserePedido(t.ambiente.dm, p));
    }
    j.RecarregaListaPedidos();
    ASSERT_EQ(pagina(j).DBCtrlGrid1->Modelo()->Quantidade(), int(std::size(casos)));

    for (size_t i = 0; i < std::size(casos); ++i) {
        const Caso& c = casos[i];
        SCOPED_TRACE(c.status);
        const int linha = linhaDoPedido(j, cds[i]);
        clicarCartao(j, linha);
        const TPedidoSelecionado& sel = j.PedidoSelecionado();
        EXPECT_EQ(sel.CdPedido, cds[i]);
        EXPECT_EQ(sel.PedidoAceito, QChar(c.pedidoAceito));

        const ui::TCartaoPedido& cartao = pagina(j).DBCtrlGrid1->Modelo()->Cartao(linha);
        EXPECT_EQ(cartao._lblStatusPedido, QString::fromUtf8(c.texto));
        EXPECT_EQ(cartao._imgStatusCan, c.cancelado ? FiguraCartao::Recusado : FiguraCartao::Vazia);
        EXPECT_EQ(cartao._imgStatus02, c.tipoEntrega);
        EXPECT_EQ(cartao._imgStatus01, FiguraCartao::IFood);
        EXPECT_EQ(corNoCartao(j, linha, kFaixa), c.cor);
        EXPECT_EQ(corNoCartao(j, linha, kFundo), QColor(0xAE, 0xE4, 0xF0)); // selected

        const Botoes b = botoesVisiveis(j);
        EXPECT_EQ(b.aceitar, c.botoes.aceitar);
        EXPECT_EQ(b.recusar, c.botoes.recusar);
        EXPECT_EQ(b.sair, c.botoes.sair);
        EXPECT_EQ(b.imprimir, c.botoes.imprimir);
        EXPECT_EQ(b.detalhar, c.botoes.detalhar);
        EXPECT_EQ(pagina(j)._bntSairEntrega->text(), ui::LegendaSairEntrega(c.tipo));
    }
    // The cards not selected are silver.
    EXPECT_EQ(corNoCartao(j, linhaDoPedido(j, cds[0]), kFundo), QColor(0xC0, 0xC0, 0xC0));
}

TEST(Quadro, DiaSemPedidosMostraUmCartaoEmBranco)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    ui::TPaginaPedidos& p = pagina(j);
    auto confereEmBranco = [&] {
        ASSERT_TRUE(p.DBCtrlGrid1->Modelo()->SemRegistros());
        EXPECT_EQ(p.DBCtrlGrid1->Modelo()->rowCount(), 1);
        EXPECT_EQ(p.DBCtrlGrid1->Modelo()->Cartao(0)._lblStatusPedido, u"SEM REGISTROS...");
        EXPECT_EQ(corNoCartao(j, 0, kFaixa), QColor(Qt::black));
        EXPECT_EQ(corNoCartao(j, 0, kFundo), QColor(Qt::white));
        const Botoes b = botoesVisiveis(j);
        EXPECT_FALSE(b.aceitar || b.recusar || b.sair || b.imprimir || b.detalhar);
        EXPECT_EQ(j.PedidoSelecionado().CdPedido, 0);
        EXPECT_EQ(j.PedidoSelecionado().GetCdPedidoVEXO, 0);
        EXPECT_FALSE(j.PedidoSelecionado().IsAgendado);
        EXPECT_TRUE(j.PedidoSelecionado().GetCorrelationId.isEmpty());
        for (QLabel* r :
             {p._lblFoneCliente, p._lblEndEntrega, p._lblCelularCliente, p._lblNrPedido})
            EXPECT_EQ(r->text(), u"-") << r->objectName().toStdString();
        for (QLabel* r : {p._lblNomeCliente, p._lblCPFCliente, p._lblSeqDelivery,
                          p._panResumoPedido->_lblValorPedido, p._panResumoPedido->_lblSubTotal})
            EXPECT_TRUE(r->text().isEmpty()) << r->objectName().toStdString();
        EXPECT_FALSE(p._panProdutosPagamentos->DBCtrlGrid2->isVisible());
        EXPECT_FALSE(p._panProdutosPagamentos->DBCtrlGrid3->isVisible());
    };
    confereEmBranco();

    PedidoTeste pedido;
    pedido.totalprice = reais("42.50");
    const int cd = inserePedido(t.ambiente.dm, pedido);
    insereItem(t.ambiente.dm, cd, QStringLiteral("X-BURGUER"), QStringLiteral("N"), 1,
               reais("42.50"));
    j.RecarregaListaPedidos();
    ASSERT_EQ(j.PedidoSelecionado().CdPedido, cd);
    EXPECT_EQ(p._lblNomeCliente->text(), u"MARIA DA SILVA");
    EXPECT_EQ(p._panResumoPedido->_lblValorPedido->text(), u"R$ 42,50");

    // A day without orders clears what the last order left.
    p.Panel12->_dataPedido->setDate(QDate::currentDate().addDays(-1));
    clicar(p.Panel12->_btnPesquisar);
    confereEmBranco();
}

TEST(Quadro, ElementosDoCartaoEDoPainelDeDados)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    ui::TPaginaPedidos& p = pagina(j);
    TDM& dm = t.ambiente.dm;
    const QDate hoje = QDate::currentDate();

    PedidoTeste semNumero;
    semNumero.shortReference.clear();
    semNumero.reference = QStringLiteral("ref-sem-numero");
    semNumero.cpf = QStringLiteral("12345678000199");
    semNumero.cdintegracao = 1;
    semNumero.datapedido = dataHora(hoje, QTime(9, 5));
    semNumero.dataaceite = dataHora(hoje, QTime(9, 7));
    semNumero.seqdelivery = 7;
    const int cdSemNumero = inserePedido(dm, semNumero);

    PedidoTeste cpfTreze;
    cpfTreze.shortReference = QStringLiteral("4001");
    cpfTreze.cpf = QStringLiteral("1234567890123");
    cpfTreze.agendado = true;
    cpfTreze.inicioUtc = localParaUtc(hoje, QTime(19, 30));
    cpfTreze.fimUtc = localParaUtc(hoje, QTime(20, 0));
    const int cdHoje = inserePedido(dm, cpfTreze);

    PedidoTeste amanha;
    amanha.shortReference = QStringLiteral("4002");
    amanha.agendado = true;
    amanha.inicioUtc = localParaUtc(hoje.addDays(1), QTime(12, 0));
    amanha.fimUtc = localParaUtc(hoje.addDays(1), QTime(12, 30));
    const int cdAmanha = inserePedido(dm, amanha);
    j.RecarregaListaPedidos();

    clicarCartao(j, linhaDoPedido(j, cdSemNumero));
    const ui::TCartaoPedido& c1 = p.DBCtrlGrid1->Modelo()->Cartao(linhaDoPedido(j, cdSemNumero));
    EXPECT_EQ(c1._lblCodigoPedidoIfood, QStringLiteral("#%1").arg(cdSemNumero));
    EXPECT_EQ(c1._lblDataPedido, u"09:05");
    EXPECT_EQ(c1._lblAceitoAs, u"09:07");
    EXPECT_EQ(c1._imgStatus01, FiguraCartao::OutraOrigem);
    EXPECT_FALSE(c1.ShapeAgendado);
    EXPECT_EQ(c1._imgStatusAgen, FiguraCartao::Vazia);
    EXPECT_EQ(p._lblCPFCliente->text(), u"12.345.678/0001-99");
    EXPECT_EQ(p._lblSeqDelivery->text(), u"007");
    EXPECT_EQ(p._lblCelularCliente->text(), u"0800 705 0500 27490312");
    EXPECT_EQ(p._lblFoneCliente->text(), u"11987654321");
    EXPECT_EQ(p._lblEndEntrega->text(), u"RUA AUGUSTA, 1500 APTO 42 EM FRENTE A PADARIA "
                                        u"CONSOLACAO SAO PAULO CEP: 01304001");
    EXPECT_TRUE(p._lblNrPedido->text().isEmpty());

    clicarCartao(j, linhaDoPedido(j, cdHoje));
    const ui::TCartaoPedido& c2 = p.DBCtrlGrid1->Modelo()->Cartao(linhaDoPedido(j, cdHoje));
    EXPECT_EQ(c2._lblAceitoAs, u"00:00");
    EXPECT_TRUE(c2.ShapeAgendado);
    EXPECT_EQ(c2._imgStatusAgen, FiguraCartao::Agendado);
    EXPECT_EQ(c2._lblAgendadoPara, u"19:30 - 20:00");
    EXPECT_EQ(p._lblCPFCliente->text(), u"000.000.000-00");
    EXPECT_EQ(p._lblNrPedido->text(), u"4001");
    EXPECT_TRUE(j.PedidoSelecionado().IsAgendado);
    EXPECT_EQ(j.PedidoSelecionado().GetDataAgendamentoStart, dataHora(hoje, QTime(19, 30)));

    clicarCartao(j, linhaDoPedido(j, cdAmanha));
    EXPECT_EQ(p.DBCtrlGrid1->Modelo()->Cartao(linhaDoPedido(j, cdAmanha))._lblAgendadoPara,
              formatDataHora(QStringLiteral("dd/mm/yyyy"), dataHora(hoje.addDays(1), QTime())) +
                  QStringLiteral(" 12:00 - 12:30"));
    EXPECT_EQ(p._lblCPFCliente->text(), u"123.456.789-09");
}

// iFood's times are kept in UTC: the operator in Brazil reads them three hours earlier, and
// the hand-over question compares the same local value with the clock.
TEST(Quadro, JanelaAgendadaEmHoraLocal)
{
    FusoHorario fuso("America/Sao_Paulo");
    const QDate hoje = QDate::currentDate();
    ASSERT_EQ(utcParaLocal(dataHora(hoje, QTime(22, 30))), dataHora(hoje, QTime(19, 30)));

    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    PedidoTeste p;
    p.agendado = true;
    p.inicioUtc = dataHora(hoje, QTime(22, 30));
    p.fimUtc = dataHora(hoje, QTime(23, 0));
    inserePedido(t.ambiente.dm, p);
    j.RecarregaListaPedidos();
    EXPECT_EQ(pagina(j).DBCtrlGrid1->Modelo()->Cartao(0)._lblAgendadoPara, u"19:30 - 20:00");
    EXPECT_EQ(j.PedidoSelecionado().GetDataAgendamentoStart, dataHora(hoje, QTime(19, 30)));
    EXPECT_EQ(j.PedidoSelecionado().GetDataAgendamentoEnd, dataHora(hoje, QTime(20, 0)));
}

TEST(Pesquisa, RegrasDaBarraDePesquisa)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    ui::TPaginaPedidos& p = pagina(j);
    ui::TBarraPesquisa& barra = *p.Panel12;
    TDM& dm = t.ambiente.dm;
    ui::TModeloPedidos& modelo = *p.DBCtrlGrid1->Modelo();
    auto numeroListado = [&](int linha) {
        return modelo.Linha(linha)[u"SHORTREFERENCE"].toString();
    };

    // Inputs: digits only in the two number boxes, upper case in the name box.
    QTest::keyClicks(barra._edtNrPedido, QStringLiteral("12ab3"));
    EXPECT_EQ(barra._edtNrPedido->text(), u"123");
    QTest::keyClicks(barra._edtSeqDelivery, QStringLiteral("x4-5"));
    EXPECT_EQ(barra._edtSeqDelivery->text(), u"45");
    QTest::keyClicks(barra._edtNomeTel, QStringLiteral("joao "));
    barra._edtNomeTel->insert(QStringLiteral("conceição"));
    EXPECT_EQ(barra._edtNomeTel->text(), u"JOAO CONCEIÇÃO");
    for (QLineEdit* e : {barra._edtNrPedido, barra._edtSeqDelivery, barra._edtNomeTel})
        e->clear();
    ASSERT_EQ(barra._combStatus->count(), 6);
    EXPECT_EQ(barra._combStatus->currentText(), u"Todas");
    EXPECT_EQ(barra._combStatus->itemText(5), u"Não Aceito");

    const char* const status[] = {"PDF", "PDF", "PDF", "PCC", "PCC", "PNA", "PNA"};
    int n = 0;
    for (const char* s : status) {
        PedidoTeste pt;
        pt.status = QString::fromLatin1(s);
        pt.shortReference = QString::number(5000 + n);
        pt.seqdelivery = 10 + n++;
        pt.nome = n == 1 ? QStringLiteral("JOAO PEREIRA") : QStringLiteral("ANA LIMA");
        inserePedido(dm, pt);
    }

    // The worker's listing counts the pending orders; the list reload leaves that count alone
    // and the search sets it to "00".
    dm.ListaPedidos(agora(), agora(), 0, 0, 0, QString());
    EXPECT_EQ(p._panResumoPedido->_lblStatusNovos->text(), u"02");
    j.RecarregaListaPedidos();
    EXPECT_EQ(p._panResumoPedido->_lblStatusNovos->text(), u"02");
    clicar(barra._btnPesquisar);
    EXPECT_EQ(modelo.Quantidade(), 7);
    EXPECT_EQ(p._panResumoPedido->_lblStatusNovos->text(), u"00");
    EXPECT_EQ(p._panResumoPedido->_lblStatusFinalizados->text(), u"03");
    EXPECT_EQ(p._panResumoPedido->_lblStatusCancelados->text(), u"02");

    // The sequence number wins over the order number.
    QTest::keyClicks(barra._edtNrPedido, QStringLiteral("5000"));
    QTest::keyClicks(barra._edtSeqDelivery, QStringLiteral("14"));
    clicar(barra._btnPesquisar);
    ASSERT_EQ(modelo.Quantidade(), 1);
    EXPECT_EQ(numeroListado(0), u"5004");
    barra._edtSeqDelivery->clear();
    clicar(barra._btnPesquisar);
    ASSERT_EQ(modelo.Quantidade(), 1);
    EXPECT_EQ(numeroListado(0), u"5000");
    barra._edtNrPedido->clear();

    // "Finalizado" lists the concluded orders only.
    barra._combStatus->setCurrentIndex(3);
    clicar(barra._btnPesquisar);
    EXPECT_EQ(modelo.Quantidade(), 3);
    for (int i = 0; i < modelo.Quantidade(); ++i)
        EXPECT_EQ(modelo.Linha(i)[u"statuspedido"].toString(), u"PDF");
    EXPECT_EQ(p._panResumoPedido->_lblStatusFinalizados->text(), u"03");
    for (QLabel* r :
         {p._panResumoPedido->_lblStatusCancelados, p._panResumoPedido->_lblStatusNovos,
          p._panResumoPedido->_lblStatusProducao, p._panResumoPedido->_lblStatusEntrega})
        EXPECT_EQ(r->text(), u"00");

    // The name narrows the list.
    barra._combStatus->setCurrentIndex(0);
    QTest::keyClicks(barra._edtNomeTel, QStringLiteral("joao"));
    clicar(barra._btnPesquisar);
    ASSERT_EQ(modelo.Quantidade(), 1);
    EXPECT_EQ(numeroListado(0), u"5000");
    barra._edtNomeTel->clear();
}

TEST(Pesquisa, EnterNaDataENaJanelaEODiaAteOUltimoSegundo)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    ui::TPaginaPedidos& p = pagina(j);
    ui::TModeloPedidos& modelo = *p.DBCtrlGrid1->Modelo();
    const QDate dia(2024, 5, 10);
    PedidoTeste tarde;
    tarde.shortReference = QStringLiteral("7001");
    tarde.datapedido = dataHora(dia, QTime(23, 59, 30));
    inserePedido(t.ambiente.dm, tarde);
    PedidoTeste seguinte;
    seguinte.shortReference = QStringLiteral("7002");
    seguinte.datapedido = dataHora(dia.addDays(1), QTime(0, 0));
    inserePedido(t.ambiente.dm, seguinte);

    p.Panel12->_dataPedido->setDate(dia);
    p.Panel12->_dataPedido->setFocus();
    QTest::keyClick(p.Panel12->_dataPedido, Qt::Key_Return);
    ASSERT_EQ(modelo.Quantidade(), 1);
    EXPECT_EQ(j.PedidoSelecionado().GetShortReference, u"7001");
    EXPECT_EQ(p._panResumoPedido->_lblStatusNovos->text(), u"00");

    // Enter on the window while no control has the focus searches too.
    p.Panel12->_dataPedido->setDate(dia.addDays(1));
    p.Panel12->_dataPedido->clearFocus();
    j.setFocus();
    QTest::keyClick(&j, Qt::Key_Return);
    ASSERT_EQ(modelo.Quantidade(), 1);
    EXPECT_EQ(j.PedidoSelecionado().GetShortReference, u"7002");
}

TEST(Selecao, OEstadoSegueOCartaoSelecionadoAtravesDasRecargas)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    ui::TPaginaPedidos& p = pagina(j);
    TDM& dm = t.ambiente.dm;
    auto novo = [&](const char* numero, const char* nome, const char* status) {
        PedidoTeste pt;
        pt.shortReference = QString::fromLatin1(numero);
        pt.nome = QString::fromLatin1(nome);
        pt.status = QString::fromLatin1(status);
        return inserePedido(dm, pt);
    };
    const int a = novo("8001", "ANA", "PNA");
    const int b = novo("8002", "BRUNO", "PNA");
    novo("8003", "CARLA", "PNA");
    j.RecarregaListaPedidos();
    // The first card is selected after a listing.
    EXPECT_EQ(j.PedidoSelecionado().GetShortReference, u"8003");
    EXPECT_EQ(p._lblNomeCliente->text(), u"CARLA");

    clicarCartao(j, linhaDoPedido(j, b));
    ASSERT_EQ(j.PedidoSelecionado().CdPedido, b);
    EXPECT_EQ(j.PedidoSelecionado().GetCorrelationId, u"ref-8002");
    EXPECT_EQ(p._lblNomeCliente->text(), u"BRUNO");
    EXPECT_EQ(p._lblNrPedido->text(), u"8002");
    EXPECT_TRUE(p._bntAceitarPedido->isVisible());

    // A new order at the top moves the rows; the selection stays on the same order.
    novo("8004", "DANIEL", "PNA");
    j.RecarregaListaPedidos();
    EXPECT_EQ(j.PedidoSelecionado().CdPedido, b);
    EXPECT_EQ(p.DBCtrlGrid1->currentIndex().row(), linhaDoPedido(j, b));
    EXPECT_EQ(p._lblNomeCliente->text(), u"BRUNO");

    // The worker's status synchronisation reopens the list: the state shows the new status.
    fb::Instrucao(dm.FDConnection1(),
                  "update ifood_pedidos set statuspedido = 'PEA', statusaceite = 'S' where "
                  "cdpedido = :c")
        .param("c", b)
        .executar();
    dm.ReabreListaPedido();
    EXPECT_EQ(j.PedidoSelecionado().CdPedido, b);
    EXPECT_EQ(j.PedidoSelecionado().statuspedido, u"PEA");
    EXPECT_TRUE(j.PedidoSelecionado().GetStatusAceite);
    EXPECT_FALSE(p._bntAceitarPedido->isVisible());
    EXPECT_TRUE(p._bntSairEntrega->isVisible());

    // The selected order leaves the list: the first card is selected.
    p.Panel12->_combStatus->setCurrentIndex(5);
    j.RecarregaListaPedidos();
    EXPECT_EQ(linhaDoPedido(j, b), -1);
    EXPECT_EQ(j.PedidoSelecionado().GetShortReference, u"8004");
    EXPECT_EQ(p.DBCtrlGrid1->currentIndex().row(), 0);

    // The keyboard moves the selection and the state with it.
    p.DBCtrlGrid1->setFocus();
    QTest::keyClick(p.DBCtrlGrid1, Qt::Key_End);
    EXPECT_EQ(j.PedidoSelecionado().CdPedido, a);
    EXPECT_EQ(p._lblNomeCliente->text(), u"ANA");
}

TEST(Quadro, PedidoDoServidorFalsoApareceComSeuResumo)
{
    SimuladorIFood s;
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    ASSERT_TRUE(t.lojaAutorizadaNoSimulador(s.sim));
    s.sim.adicionarPedidoTexto(
        lerDados(QStringLiteral("pedidos/delivery_cartao.json")).toStdString());

    // A new worker with the merchant id: its first cycle imports the order and lists the day.
    clicar(j.swVendeOffLine);
    clicar(j.swVendeOffLine);
    ASSERT_NE(j.vTThreadIFOOD, nullptr);
    ui::TPaginaPedidos& p = pagina(j);
    ASSERT_TRUE(esperarAte([&] { return !p.DBCtrlGrid1->Modelo()->SemRegistros(); }));

    const ui::TCartaoPedido& cartao = p.DBCtrlGrid1->Modelo()->Cartao(0);
    EXPECT_EQ(cartao._lblCodigoPedidoIfood, u"#4821");
    EXPECT_EQ(cartao._lblStatusPedido, u"PENDENTE");
    EXPECT_EQ(j.PedidoSelecionado().GetShortReference, u"4821");
    EXPECT_EQ(p._lblCPFCliente->text(), u"123.456.789-09");
    EXPECT_EQ(p._panResumoPedido->_lblStatusNovos->text(), u"01");

    ui::TGradeCartoes* itens = p._panProdutosPagamentos->DBCtrlGrid2;
    ASSERT_EQ(itens->Quantidade(), 4);
    auto* pizza = qobject_cast<ui::TCartaoItem*>(itens->Cartao(0));
    ASSERT_NE(pizza, nullptr);
    EXPECT_EQ(pizza->_lblObservacao->text(), u"Obs: Sem cebola, por favor");
    EXPECT_EQ(qobject_cast<ui::TCartaoItem*>(itens->Cartao(1))->_lblDescricao->text(),
              u"   º Borda de catupiry");
    ui::TGradeCartoes* pagamentos = p._panProdutosPagamentos->DBCtrlGrid3;
    ASSERT_EQ(pagamentos->Quantidade(), 2);
    EXPECT_EQ(qobject_cast<ui::TCartaoPagamento*>(pagamentos->Cartao(0))->_lblInfPagamento->text(),
              u"Incentivos iFood");
    EXPECT_EQ(qobject_cast<ui::TCartaoPagamento*>(pagamentos->Cartao(1))->_lblInfPagamento->text(),
              u"Pago via iFood - VISA");
    EXPECT_EQ(p._panResumoPedido->_lblValorPedido->text(), u"R$ 89,89");
    EXPECT_EQ(p._panResumoPedido->_lblDesconto->text(), u"R$ 10,00");
    EXPECT_EQ(p._panResumoPedido->_lblRespDesconto->text(), u"iFood");
}

TEST(Acessibilidade, CartoesDoQuadroSaoLidosPorLeitorDeTela)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    const QDate hoje = QDate::currentDate();
    PedidoTeste pt;
    pt.shortReference = QStringLiteral("9001");
    pt.status = QStringLiteral("PCC");
    pt.tipoentrega = 2;
    pt.nome = QStringLiteral("RENATA PRADO");
    pt.datapedido = dataHora(hoje, QTime(18, 2));
    pt.dataaceite = dataHora(hoje, QTime(18, 4));
    pt.agendado = true;
    pt.inicioUtc = localParaUtc(hoje.addDays(1), QTime(12, 0));
    pt.fimUtc = localParaUtc(hoje.addDays(1), QTime(12, 30));
    inserePedido(t.ambiente.dm, pt);
    j.RecarregaListaPedidos();

    QAccessibleInterface* quadro = QAccessible::queryAccessibleInterface(pagina(j).DBCtrlGrid1);
    ASSERT_NE(quadro, nullptr);
    ASSERT_GE(quadro->childCount(), 1);
    QAccessibleInterface* cartao = nullptr;
    for (int i = 0; i < quadro->childCount() && !cartao; ++i) {
        if (quadro->child(i)->role() == QAccessible::ListItem)
            cartao = quadro->child(i);
    }
    ASSERT_NE(cartao, nullptr);
    EXPECT_EQ(cartao->text(QAccessible::Name), u"Pedido #9001, CANCELADO");
    const QString amanha =
        formatDataHora(QStringLiteral("dd/mm/yyyy"), dataHora(hoje.addDays(1), {}));
    EXPECT_EQ(cartao->text(QAccessible::Description),
              QStringLiteral("Cliente: RENATA PRADO. Hora do pedido: 18:02. Aceito às 18:04. "
                             "Origem: iFood. Retirada no local. Agendado para ") +
                  amanha + QStringLiteral(" 12:00 até ") + amanha +
                  QStringLiteral(" 12:30. Pedido cancelado"));
}
