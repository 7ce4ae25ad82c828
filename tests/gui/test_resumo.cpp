#include "apoio_quadro.h"

#include "base/datahora.h"
#include "data/fb/firebird.h"
#include "ui/quadropedidos.h"
#include "ui/resumopedido.h"

#include <QAccessible>
#include <QDir>
#include <QLabel>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace talvoro;
using namespace talvoro::teste;

namespace {

ui::TCartaoPagamento* pagamento(T_frmMain& j, int i)
{
    return qobject_cast<ui::TCartaoPagamento*>(
        pagina(j)._panProdutosPagamentos->DBCtrlGrid3->Cartao(i));
}

ui::TCartaoItem* item(T_frmMain& j, int i)
{
    return qobject_cast<ui::TCartaoItem*>(pagina(j)._panProdutosPagamentos->DBCtrlGrid2->Cartao(i));
}

QColor corDoTexto(const QLabel* r)
{
    return r->palette().color(QPalette::WindowText);
}

} // namespace

TEST(Resumo, LinhasDeCadaFormaDePagamento)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    TDM& dm = t.ambiente.dm;
    const int cd = inserePedido(dm, PedidoTeste());
    const QString cobrar = QStringLiteral("O entregador deve cobrar este valor no ato da entrega.");
    const QString repasse =
        QStringLiteral("O iFood já recebeu este valor e vamos repassar a sua loja.");
    const struct
    {
        const char* method;
        const char* name;
        const char* prepaid;
        const char* linha;
        QString aux;
    } casos[] = {
        {"CREDIT", "PAGAMENTO IFOOD", "true", "Incentivos iFood",
         QStringLiteral("O iFood pagará este valor para a sua loja")},
        {"CREDIT", "VISA", "true", "Pago via iFood - VISA", repasse},
        {"PIX", "", "true", "Pago via iFood - PIX", repasse},
        {"CREDIT", "MASTERCARD", "false",
         "Cobrar do cliente - CRÉDITO - MASTERCARD (máquina) via loja.", cobrar},
        {"DEBIT", "ELO", "false", "Cobrar do cliente - DÉBITO - ELO (máquina) via loja.", cobrar},
        {"CASH", "CASH", "false", "Cobrar do cliente - DINHEIRO via loja.", cobrar},
        {"MEAL_VOUCHER", "TICKET", "false",
         "Cobrar do cliente - VALE-REFEIÇÃO - TICKET (máquina) via loja.", cobrar},
        {"FOOD_VOUCHER", "ALELO", "false",
         "Cobrar do cliente - VALE-ALIMENTAÇÃO - ALELO (máquina) via loja.", cobrar},
        {"PIX", "", "false", "Cobrar do cliente - PIX via loja.", cobrar},
        {"DIGITAL_WALLET", "", "false", "Cobrar do cliente - CARTEIRA DIGITAL via loja.", cobrar},
        {"GIFT_CARD", "", "false", "Cobrar do cliente - VALE-PRESENTE via loja.", cobrar},
        {"OTHER", "", "false", "Cobrar do cliente - OUTRA FORMA DE PAGAMENTO via loja.", cobrar},
    };
    int centavos = 100;
    for (const auto& c : casos) {
        inserePagamento(dm, cd, QString::fromLatin1(c.method), QString::fromLatin1(c.name),
                        QString::fromLatin1(c.prepaid), Money::fromRaw(centavos * 100));
        centavos += 1;
    }
    j.RecarregaListaPedidos();
    ASSERT_EQ(pagina(j)._panProdutosPagamentos->DBCtrlGrid3->Quantidade(), int(std::size(casos)));
    // No change to give: two short cards fill the 80 px grid.
    EXPECT_EQ(pagina(j)._panProdutosPagamentos->DBCtrlGrid3->height(), 80);

    centavos = 100;
    for (int i = 0; i < int(std::size(casos)); ++i) {
        SCOPED_TRACE(casos[i].linha);
        ui::TCartaoPagamento* card = pagamento(j, i);
        ASSERT_NE(card, nullptr);
        EXPECT_EQ(card->_lblInfPagamento->text(), QString::fromUtf8(casos[i].linha));
        EXPECT_EQ(card->_lblInfPagamentoAux->text(), casos[i].aux);
        EXPECT_EQ(card->_lblValor->text(), formatReais(Money::fromRaw(centavos++ * 100)));
        EXPECT_TRUE(card->_lblTrocoPara->isHidden());
        EXPECT_EQ(card->accessibleName(),
                  card->_lblInfPagamento->text() + QStringLiteral(", ") + card->_lblValor->text());
    }
}

TEST(Resumo, TrocoDoDinheiroContraOPagamentoEmDinheiro)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    TDM& dm = t.ambiente.dm;
    const struct
    {
        const char* numero;
        const char* troco;
        const char* total;
        const char* cartao; // a card payment before the cash one, or null
        const char* dinheiro;
        int altura;
        const char* recebe;
        const char* leva;
    } casos[] = {
        {"6001", "50.00", "42.50", nullptr, "42.50", 140, "R$ 50,00", "R$ 7,50"},
        {"6002", "0", "42.50", nullptr, "42.50", 80, nullptr, nullptr},
        // Part paid by card: the cash handed over only covers the cash payment.
        {"6003", "50.00", "100.00", "60.00", "40.00", 140, "R$ 50,00", "R$ 10,00"},
    };
    std::vector<int> cds;
    for (const auto& c : casos) {
        PedidoTeste p;
        p.shortReference = QString::fromLatin1(c.numero);
        p.changefor = reais(c.troco);
        p.totalprice = reais(c.total);
        const int cd = inserePedido(dm, p);
        if (c.cartao)
            inserePagamento(dm, cd, QStringLiteral("CREDIT"), QStringLiteral("MASTERCARD"),
                            QStringLiteral("false"), reais(c.cartao));
        inserePagamento(dm, cd, QStringLiteral("CASH"), QStringLiteral("CASH"),
                        QStringLiteral("false"), reais(c.dinheiro));
        cds.push_back(cd);
    }
    j.RecarregaListaPedidos();

    for (size_t i = 0; i < std::size(casos); ++i) {
        const auto& c = casos[i];
        SCOPED_TRACE(c.numero);
        clicarCartao(j, linhaDoPedido(j, cds[i]));
        ASSERT_EQ(j.PedidoSelecionado().CdPedido, cds[i]);
        ui::TGradeCartoes* grade = pagina(j)._panProdutosPagamentos->DBCtrlGrid3;
        EXPECT_EQ(grade->height(), c.altura);
        const int ultimo = grade->Quantidade() - 1;
        ui::TCartaoPagamento* dinheiro = pagamento(j, ultimo);
        EXPECT_EQ(dinheiro->_lblInfPagamento->text(), u"Cobrar do cliente - DINHEIRO via loja.");
        if (!c.recebe) {
            EXPECT_TRUE(dinheiro->_lblTrocoPara->isHidden());
            EXPECT_EQ(dinheiro->_lblTrocoPara->text(), u"R$ 0,00");
            EXPECT_EQ(dinheiro->_lblSeuTrocoSera->text(), u"R$ 0,00");
            continue;
        }
        for (QLabel* r : {dinheiro->_lblTrocoParaC, dinheiro->_lblTrocoPara,
                          dinheiro->_lblSeuTrocoSeraC, dinheiro->_lblSeuTrocoSera})
            EXPECT_TRUE(r->isVisible()) << r->objectName().toStdString();
        EXPECT_EQ(dinheiro->_lblTrocoParaC->text(), u"Valor a receber em dinheiro:");
        EXPECT_EQ(dinheiro->_lblTrocoPara->text(), QString::fromUtf8(c.recebe));
        EXPECT_EQ(dinheiro->_lblSeuTrocoSeraC->text(), u"Valor para levar de troco:");
        EXPECT_EQ(dinheiro->_lblSeuTrocoSera->text(), QString::fromUtf8(c.leva));
        // The change lines sit inside the card, not cut off by the grid.
        EXPECT_LE(dinheiro->_lblSeuTrocoSera->geometry().bottom(), dinheiro->height());
        EXPECT_TRUE(dinheiro->accessibleDescription().contains(QString::fromUtf8(c.leva)));
        if (c.cartao) {
            EXPECT_TRUE(pagamento(j, 0)->_lblTrocoPara->isHidden());
        }
    }
}

TEST(Resumo, ItensETotais)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    TDM& dm = t.ambiente.dm;
    fb::Instrucao(dm.FDConnection1(),
                  "insert into tb_produto (cdproduto, descricao) values (205, 'REFRIGERANTE 2L')")
        .executar();

    PedidoTeste p;
    p.shortReference = QStringLiteral("6101");
    p.subtotal = reais("1267.50");
    p.deliveryfee = reais("7.99");
    p.taxaadicional = reais("1.00");
    p.valordesconto = reais("5.00");
    p.responsaveldesconto = QStringLiteral("Loja");
    p.totalprice = reais("1271.49");
    const int cd = inserePedido(dm, p);
    insereItem(dm, cd, QStringLiteral("PIZZA GRANDE"), QStringLiteral("N"), 1, reais("1234.50"),
               101, QStringLiteral("SEM CEBOLA"));
    insereItem(dm, cd, QStringLiteral("BORDA DE CATUPIRY"), QStringLiteral("S"), 2, reais("4.00"),
               901, QStringLiteral("ignorada"));
    insereItem(dm, cd, QStringLiteral("REFRI"), QStringLiteral("N"), 2, reais("12.50"), 205);
    inserePagamento(dm, cd, QStringLiteral("CREDIT"), QStringLiteral("PAGAMENTO IFOOD"),
                    QStringLiteral("true"), reais("3.00"));
    inserePagamento(dm, cd, QStringLiteral("CREDIT"), QStringLiteral("VISA"),
                    QStringLiteral("true"), reais("1271.49"));

    PedidoTeste grande;
    grande.shortReference = QStringLiteral("6102");
    const int cdGrande = inserePedido(dm, grande);
    for (int i = 1; i <= 8; ++i)
        insereItem(dm, cdGrande, QStringLiteral("ITEM %1").arg(i), QStringLiteral("N"), 1,
                   reais("1.00"), i);
    j.RecarregaListaPedidos();

    clicarCartao(j, linhaDoPedido(j, cd));
    ASSERT_EQ(pagina(j)._panProdutosPagamentos->DBCtrlGrid2->Quantidade(), 3);
    const QColor navy(0x00, 0x00, 0x80);
    const QColor azul(0x19, 0x84, 0xEE);
    ui::TCartaoItem* pizza = item(j, 0);
    EXPECT_EQ(pizza->_lblDescricao->text(), u"PIZZA GRANDE");
    EXPECT_EQ(corDoTexto(pizza->_lblDescricao), navy);
    EXPECT_EQ(pizza->_lblCodIfood->text(), u"0101");
    EXPECT_EQ(pizza->_lblObservacao->text(), u"Obs: SEM CEBOLA");
    EXPECT_EQ(pizza->_lblQuantidadeItem->text(), u"01");
    EXPECT_EQ(pizza->_lblX->text(), u"X");
    EXPECT_EQ(pizza->_lblValorTotalItemUnitario->text(), u"R$ 1.234,50");
    EXPECT_EQ(pizza->_lblValorTotalItem->text(), u"R$ 1.234,50");
    EXPECT_EQ(pizza->accessibleName(), u"PIZZA GRANDE, 01 X R$ 1.234,50, total R$ 1.234,50, "
                                       u"código 0101. Obs: SEM CEBOLA");

    ui::TCartaoItem* borda = item(j, 1);
    EXPECT_EQ(borda->_lblDescricao->text(), u"   º BORDA DE CATUPIRY");
    EXPECT_EQ(corDoTexto(borda->_lblDescricao), azul);
    EXPECT_TRUE(borda->_lblObservacao->text().isEmpty());
    EXPECT_EQ(borda->_lblQuantidadeItem->text(), u"02");
    EXPECT_EQ(borda->_lblValorTotalItem->text(), u"R$ 8,00");
    EXPECT_TRUE(borda->accessibleName().startsWith(u"Opcional: BORDA DE CATUPIRY"));

    ui::TCartaoItem* refri = item(j, 2);
    EXPECT_EQ(refri->_lblDescricao->text(), u"REFRIGERANTE 2L"); // the catalogue's name
    EXPECT_TRUE(refri->_lblObservacao->text().isEmpty());

    ui::TPainelResumo& resumo = *pagina(j)._panResumoPedido;
    EXPECT_EQ(resumo._lblSubTotal->text(), u"R$ 1.267,50");
    EXPECT_EQ(resumo._lblTaxaEntrega->text(), u"R$ 7,99");
    EXPECT_EQ(resumo._lblTaxaAdicional->text(), u"R$ 1,00");
    EXPECT_EQ(resumo._lblDesconto->text(), u"R$ 5,00");
    EXPECT_EQ(resumo._lblRespDesconto->text(), u"Loja");
    EXPECT_EQ(resumo._lblValorPedido->text(), u"R$ 1.271,49");
    // Who pays the discount: iFood's share is its payment row, the rest is the store's.
    EXPECT_TRUE(resumo._lblDescontoIFood->isVisible());
    EXPECT_EQ(resumo._lblDescontoIFood->text(), u"R$ 3,00");
    EXPECT_EQ(resumo._lblDescontoLoja->text(), u"R$ 2,00");
    EXPECT_TRUE(resumo.accessibleDescription().contains(u"Total: R$ 1.271,49"));

    // Eight items: five cards in view, the rest by scrolling.
    clicarCartao(j, linhaDoPedido(j, cdGrande));
    ui::TGradeCartoes* itens = pagina(j)._panProdutosPagamentos->DBCtrlGrid2;
    EXPECT_EQ(itens->Quantidade(), 8);
    EXPECT_EQ(itens->height(), 5 * ui::TCartaoItem::kAltura);
    EXPECT_GT(itens->verticalScrollBar()->maximum(), 0);
    EXPECT_FALSE(resumo._lblDescontoIFood->isVisible());
    // An order without payments has no payment grid.
    EXPECT_FALSE(pagina(j)._panProdutosPagamentos->DBCtrlGrid3->isVisible());
}

// A picture of a busy board for people to look at: <build>/screenshots/20-quadro.png.
TEST(Capturas, QuadroMovimentado)
{
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    j.resize(1924, 964);
    TDM& dm = t.ambiente.dm;
    const QDate hoje = QDate::currentDate();
    const struct
    {
        const char* status;
        int tipo;
        const char* nome;
        bool agendado;
    } pedidos[] = {
        {"PDF", 1, "CARLOS MENDES", false},   {"PCC", 1, "BEATRIZ COSTA", false},
        {"PDR", 2, "LUCAS ALMEIDA", false},   {"PDE", 1, "FERNANDA ROCHA", false},
        {"PIN", 1, "JULIANA MARTINS", false}, {"PEA", 3, "RAFAEL SOUZA", false},
        {"PEA", 1, "PATRICIA LIMA", true},    {"PNA", 2, "RENATA PRADO", true},
        {"PNA", 1, "JOAO D AVILA", false},
    };
    int n = 0;
    int selecionado = 0;
    for (const auto& d : pedidos) {
        PedidoTeste p;
        p.status = QString::fromLatin1(d.status);
        p.tipoentrega = d.tipo;
        p.nome = QString::fromLatin1(d.nome);
        p.shortReference = QString::number(4810 + n);
        p.seqdelivery = 30 + n;
        p.datapedido = dataHora(hoje, QTime(11, 5 + 4 * n));
        if (p.status != u"PNA" && p.status != u"PIN")
            p.dataaceite = dataHora(hoje, QTime(11, 7 + 4 * n));
        p.agendado = d.agendado;
        if (d.agendado) {
            const QDate dia = n % 2 ? hoje : hoje.addDays(1);
            p.inicioUtc = semFuso(QDateTime(dia, QTime(19, 30), Qt::LocalTime).toUTC());
            p.fimUtc = semFuso(QDateTime(dia, QTime(20, 0), Qt::LocalTime).toUTC());
        }
        ++n;
        if (n == int(std::size(pedidos))) {
            p.subtotal = reais("91.90");
            p.deliveryfee = reais("7.99");
            p.valordesconto = reais("10.00");
            p.responsaveldesconto = QStringLiteral("iFood");
            p.totalprice = reais("89.89");
            p.changefor = reais("100.00");
        }
        selecionado = inserePedido(dm, p);
    }
    insereItem(dm, selecionado, QStringLiteral("PIZZA GRANDE MEIA CALABRESA MEIA MUCARELA"),
               QStringLiteral("N"), 1, reais("54.90"), 101,
               QStringLiteral("Sem cebola, por favor"));
    insereItem(dm, selecionado, QStringLiteral("Borda de catupiry"), QStringLiteral("S"), 1,
               reais("8.00"), 901);
    insereItem(dm, selecionado, QStringLiteral("Molho extra de alho"), QStringLiteral("S"), 2,
               reais("2.00"), 902);
    insereItem(dm, selecionado, QStringLiteral("GUARANA ANTARCTICA 2L"), QStringLiteral("N"), 2,
               reais("12.50"), 205);
    inserePagamento(dm, selecionado, QStringLiteral("CREDIT"), QStringLiteral("PAGAMENTO IFOOD"),
                    QStringLiteral("true"), reais("10.00"));
    inserePagamento(dm, selecionado, QStringLiteral("CASH"), QStringLiteral("CASH"),
                    QStringLiteral("false"), reais("89.89"));
    j.RecarregaListaPedidos();
    ASSERT_EQ(j.PedidoSelecionado().CdPedido, selecionado);

    const QDir pasta(QStringLiteral(TALVORO_PASTA_BUILD "/screenshots"));
    ASSERT_TRUE(pasta.mkpath(QStringLiteral(".")));
    QCoreApplication::sendPostedEvents();
    const QPixmap figura = j.grab();
    ASSERT_FALSE(figura.isNull());
    EXPECT_TRUE(figura.save(pasta.filePath(QStringLiteral("20-quadro.png"))));
}
