#include "base/datahora.h"
#include "support/cenario_pedidos.h"

#include <gtest/gtest.h>

using namespace talvoro;
using namespace talvoro::teste;

namespace {

QDateTime dia(int d, int h, int m = 0, int s = 0)
{
    return dataHora(QDate(2024, 5, d), QTime(h, m, s));
}

struct VisaoGravada : IVisaoListaPedidos
{
    void ListaPedidosAberta(bool contadoresRecalculados) override
    {
        avisos.push_back(contadoresRecalculados);
    }
    std::vector<bool> avisos;
};

struct ListaPedidos : CenarioPedidos
{
    ListaPedidos()
    {
        dm.DefineVisaoListaPedidos(&visao);
        // The 10th of May: three concluded, two cancelled, one of each other status; one
        // order at 23:59:30 and one just after midnight, on the 11th.
        const char* status[] = {"PDF", "PDF", "PDF", "PCC", "PCC",
                                "PNA", "PEA", "PDE", "PDR", "PIN"};
        int n = 0;
        for (const char* s : status) {
            ++n;
            inserirPedido(QStringLiteral("ref-%1").arg(n), QString::fromLatin1(s), dia(10, 8 + n),
                          QString::number(1000 + n));
        }
        tarde = inserirPedido(QStringLiteral("ref-tarde"), QStringLiteral("PNA"),
                              dia(10, 23, 59, 30), QStringLiteral("2000"));
        inserirPedido(QStringLiteral("ref-11"), QStringLiteral("PNA"), dia(11, 0, 0, 0),
                      QStringLiteral("3000"));
        executar("update ifood_pedidos set seqdelivery = cdpedido");
    }
    ~ListaPedidos() { dm.DefineVisaoListaPedidos(nullptr); }

    std::vector<int> listados()
    {
        std::vector<int> v;
        for (const fb::Linha& l : dm.ListaPedido().linhas)
            v.push_back(int(l[u"cdpedido"].toInt()));
        std::sort(v.begin(), v.end());
        return v;
    }

    VisaoGravada visao;
    int tarde = 0;
};

TEST_F(ListaPedidos, StatusFilterListsTheWholeDayAndCountsTheListedRows)
{
    const struct
    {
        int indice;
        size_t linhas;
        ContadoresStatus contadores; // PNA, PEA, PDE, PDF, PCC
    } casos[] = {
        {0, 11, {2, 1, 1, 3, 2}}, // Todas, the order at 23:59:30 included
        {1, 1, {0, 1, 0, 0, 0}},  // Em preparo
        {2, 1, {0, 0, 1, 0, 0}},  // Saiu para Entrega
        {3, 3, {0, 0, 0, 3, 0}},  // Finalizado
        {4, 2, {0, 0, 0, 0, 2}},  // Cancelado
        {5, 2, {2, 0, 0, 0, 0}},  // Não Aceito
    };
    for (const auto& c : casos) {
        const bool vazia = dm.ListaPedidos(dia(10, 12), dia(10, 12), c.indice, 0, 0, QString());
        EXPECT_FALSE(vazia);
        EXPECT_EQ(dm.ListaPedido().tamanho(), c.linhas) << c.indice;
        const ContadoresStatus& k = dm.Contadores();
        EXPECT_EQ(k.novos, c.contadores.novos) << c.indice;
        EXPECT_EQ(k.producao, c.contadores.producao) << c.indice;
        EXPECT_EQ(k.entrega, c.contadores.entrega) << c.indice;
        EXPECT_EQ(k.finalizados, c.contadores.finalizados) << c.indice;
        EXPECT_EQ(k.cancelados, c.contadores.cancelados) << c.indice;
    }
    EXPECT_EQ(dm.PegaDataInicial, dia(10, 0));
    EXPECT_EQ(dm.PegaDataFinal, dataHora(QDate(2024, 5, 10), QTime(23, 59, 59, 999)));
    EXPECT_EQ(visao.avisos, std::vector<bool>(6, true));
    EXPECT_TRUE(linhasLogTexto().isEmpty());

    // A day without orders.
    EXPECT_TRUE(dm.ListaPedidos(dia(12, 9), dia(12, 9), 0, 0, 0, QString()));
    EXPECT_EQ(dm.Contadores().novos, 0);
}

TEST_F(ListaPedidos, SequenceNumberWinsOverOrderNumberAndNameNarrows)
{
    // Both given: the sequence number alone decides.
    dm.ListaPedidos(dia(10, 12), dia(10, 12), 0, 1003, tarde, QString());
    EXPECT_EQ(listados(), std::vector<int>{tarde});
    dm.ListaPedidos(dia(10, 12), dia(10, 12), 4, 1003, 0, QString());
    ASSERT_EQ(dm.ListaPedido().tamanho(), 1u);
    EXPECT_EQ(dm.ListaPedido().primeira()[u"SHORTREFERENCE"].toString(), QStringLiteral("1003"));

    const int cliente = dm.SetCadCliente({}, {}, {}, {}, {}, QStringLiteral("11 98888-7777"), {},
                                         QStringLiteral("Beatriz"), {}, {}, {}, {}, 1);
    executar("update ifood_pedidos set cdcliente = :c where cdpedido = :p",
             {{"c", cliente}, {"p", tarde}});
    for (const QString& nome : {QStringLiteral("beatriz"), QStringLiteral("98888")}) {
        dm.ListaPedidos(dia(10, 12), dia(10, 12), 0, 0, 0, nome);
        EXPECT_EQ(listados(), std::vector<int>{tarde}) << nome.toStdString();
        EXPECT_EQ(dm.ListaPedido().primeira()[u"NOME"].toString(), QStringLiteral("BEATRIZ"));
        EXPECT_EQ(dm.ListaPedido().primeira()[u"PHONEIFOOD"].toString(),
                  QStringLiteral("11 98888-7777"));
    }
    // A name given with a later filter narrows too; an earlier search's name never does.
    dm.ListaPedidos(dia(10, 12), dia(10, 12), 5, 0, 0, QStringLiteral("beatriz"));
    EXPECT_EQ(listados(), std::vector<int>{tarde});
    dm.ListaPedidos(dia(10, 12), dia(10, 12), 5, 0, 0, QString());
    EXPECT_EQ(dm.ListaPedido().tamanho(), 2u);
}

TEST_F(ListaPedidos, ReopeningKeepsTheParametersAndTheCounters)
{
    dm.ReabreListaPedido(); // never listed yet: nothing to reopen
    EXPECT_TRUE(visao.avisos.empty());

    dm.ListaPedidos(dia(10, 12), dia(10, 12), 3, 0, 0, QString());
    executar("update ifood_pedidos set statuspedido = 'PDF' where cdpedido = :p", {{"p", tarde}});
    dm.ReabreListaPedido();
    EXPECT_EQ(dm.ListaPedido().tamanho(), 4u);
    EXPECT_EQ(dm.Contadores().finalizados, 3);
    EXPECT_EQ(visao.avisos, (std::vector<bool>{true, false}));
}

TEST_F(ListaPedidos, FailureIsLoggedAndLeavesAnEmptyList)
{
    dm.ExecSQL(QStringLiteral("drop procedure SPPESQUISAPEDIDOSIFOOD"));
    EXPECT_TRUE(dm.ListaPedidos(dia(10, 12), dia(10, 12), 0, 0, 0, QString()));
    EXPECT_EQ(dm.Contadores().novos, 0);
    EXPECT_EQ(dm.Contadores().finalizados, 0);
    EXPECT_EQ(visao.avisos, std::vector<bool>{true});
    const QStringList linhas = linhasLogTexto();
    ASSERT_EQ(linhas.size(), 1);
    EXPECT_TRUE(linhas[0].startsWith(QStringLiteral("Listar dados do pedido... ")))
        << linhas[0].toStdString();
}

} // namespace
