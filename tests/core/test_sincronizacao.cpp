#include "base/datahora.h"
#include "support/cenario_pedidos.h"
#include "support/fusohorario.h"

#include <gtest/gtest.h>

using namespace talvoro;
using namespace talvoro::teste;

namespace {

struct ContaAvisos : IVisaoListaPedidos
{
    void ListaPedidosAberta(bool recalculados) override { avisos.push_back(recalculados); }
    std::vector<bool> avisos;
};

struct Sincronizacao : CenarioPedidos
{
    Sincronizacao()
    {
        dm.DefineVisaoListaPedidos(&visao);
        dm.ListaPedidos(agora(), agora(), 0, 0, 0, QString());
        visao.avisos.clear();
    }
    ~Sincronizacao() { dm.DefineVisaoListaPedidos(nullptr); }

    void sincronizar() { worker->GetPedidos_Aceitos_Cancelados_Confirmados(); }

    ContaAvisos visao;
};

TEST_F(Sincronizacao, EachGroupSetsItsStatusAndFlagsItsEvent)
{
    FusoHorario brasilia("America/Sao_Paulo");
    const QDateTime quando = dataHora(QDate(2024, 5, 10), QTime(13, 5, 7));
    const struct
    {
        const char* code;
        const char* antes;
        const char* depois;
        const char* statuscancelar;
        const char16_t* flag;
    } casos[] = {
        {"CFM", "PNA", "PEA", "S", u"statuspedidoaceito"},
        {"CFM", "PEA", "PEA", "N", u"statuspedidoaceito"}, // already accepted
        {"CFM", "PDE", "PDE", "N", u"statuspedidoaceito"},
        {"CFM", "PCC", "PCC", "N", u"statuspedidoaceito"},
        {"CAN", "PDF", "PCC", "S", u"statuspedidocancelado"}, // even a concluded order
        {"CAN", "PNA", "PCC", "S", u"statuspedidocancelado"},
        {"RTP", "PEA", "PDR", "N", u"statuspedidoretirado"},
        {"CON", "PDE", "PDF", "N", u"statuspedidoconfirmado"},
    };
    std::vector<std::pair<int, int>> criados;
    int n = 0;
    for (const auto& c : casos) {
        const QString ref = QStringLiteral("ord-%1").arg(++n);
        const int cd = inserirPedido(ref, QString::fromLatin1(c.antes));
        const int codigo =
            inserirEvento(QStringLiteral("ev-%1").arg(n), QString::fromLatin1(c.code), ref, quando);
        criados.emplace_back(cd, codigo);
    }
    sincronizar();
    for (size_t i = 0; i < std::size(casos); ++i) {
        const auto& c = casos[i];
        const fb::Linha p = pedido(criados[i].first);
        EXPECT_EQ(p[u"statuspedido"].toString(), QString::fromLatin1(c.depois)) << i;
        EXPECT_EQ(p[u"statuscancelar"].toString(), QString::fromLatin1(c.statuscancelar)) << i;
        const fb::Linha e = evento(criados[i].second);
        EXPECT_EQ(e[c.flag].toString(), QStringLiteral("S")) << i;
        EXPECT_EQ(e[u"integrado"].toString(), QStringLiteral("N")) << i;
    }
    // Accepted from PNA: the event's time, read on the operator's clock like an acceptance
    // made here (iFood keeps it in UTC).
    EXPECT_EQ(pedido(criados[0].first)[u"dataaceite"].toDateTime(),
              dataHora(QDate(2024, 5, 10), QTime(10, 5, 7)));
    EXPECT_TRUE(pedido(criados[1].first)[u"dataaceite"].isNull());
    EXPECT_EQ(visao.avisos, std::vector<bool>{false});

    // Applied once: nothing left for the next cycle, and the board is left alone.
    const size_t linhasLog = logs().tamanho();
    sincronizar();
    EXPECT_EQ(logs().tamanho(), linhasLog);
    EXPECT_EQ(visao.avisos, std::vector<bool>{false});
}

TEST_F(Sincronizacao, PickedUpAndConcludedInOneCycleEndConcluded)
{
    const int cd = inserirPedido(QStringLiteral("ord-a"), QStringLiteral("PEA"));
    inserirEvento(QStringLiteral("ev-con"), QStringLiteral("CON"), QStringLiteral("ord-a"));
    inserirEvento(QStringLiteral("ev-rtp"), QStringLiteral("RTP"), QStringLiteral("ord-a"));
    sincronizar();
    EXPECT_EQ(statusDe(cd), QStringLiteral("PDF"));
}

TEST_F(Sincronizacao, EventsWaitForTheirOrder)
{
    const int codigo =
        inserirEvento(QStringLiteral("ev-1"), QStringLiteral("CAN"), QStringLiteral("ord-x"));
    sincronizar();
    EXPECT_EQ(evento(codigo)[u"statuspedidocancelado"].toString(), QStringLiteral("N"));
    EXPECT_TRUE(visao.avisos.empty());
    EXPECT_TRUE(logs().vazio());

    const int cd = inserirPedido(QStringLiteral("ord-x"), QStringLiteral("PNA"));
    sincronizar();
    EXPECT_EQ(statusDe(cd), QStringLiteral("PCC"));
    EXPECT_EQ(evento(codigo)[u"statuspedidocancelado"].toString(), QStringLiteral("S"));
}

TEST_F(Sincronizacao, LogRowCarriesTheUpdateWithItsValues)
{
    dm.Query("_qryAtualizaNrGenerator")
        .param("poperacao", QStringLiteral("A"))
        .param("nomegenerator", QStringLiteral("GEN_IFOOD_PEDIDOSL_ID"))
        .param("pnumero", 1233)
        .abrir();
    const int cancelado = inserirPedido(QStringLiteral("ord-c"), QStringLiteral("PNA"));
    ASSERT_EQ(cancelado, 1234);
    const int aceito = inserirPedido(QStringLiteral("ord-a"), QStringLiteral("PNA"));
    inserirEvento(QStringLiteral("ev-c"), QStringLiteral("CAN"), QStringLiteral("ord-c"));
    inserirEvento(QStringLiteral("ev-a"), QStringLiteral("CFM"), QStringLiteral("ord-a"));
    sincronizar();

    const fb::Resultado linhas = logs();
    ASSERT_EQ(linhas.tamanho(), 2u);
    const fb::Linha& a = linhas.linhas[0]; // accepted first
    EXPECT_EQ(a[u"cdpedido"].toInt(), aceito);
    EXPECT_EQ(a[u"acao"].toString(), QStringLiteral("Envio - SQL"));
    EXPECT_EQ(a[u"nomeservico"].toString(), QStringLiteral("IFOOD - Pedidos Aceitos pelo iFood"));
    EXPECT_EQ(a[u"enviado"].toString(),
              QStringLiteral("update ifood_pedidos p set p.dataaceite = :dataaceite, "
                             "p.statuspedido = 'PEA', p.statuscancelar = 'S' where (p.cdpedido "
                             "= '1235') and (p.statuspedido = 'PNA')\r\n"));

    const fb::Linha& c = linhas.linhas[1];
    EXPECT_EQ(c[u"cdpedido"].toInt(), 1234);
    EXPECT_EQ(c[u"nomeservico"].toString(),
              QStringLiteral("IFOOD - Pedidos Cancelados pelo iFood"));
    EXPECT_EQ(c[u"enviado"].toString(),
              QStringLiteral("update ifood_pedidos p set p.statuspedido = 'PCC', "
                             "p.statuscancelar = 'S' where (p.cdpedido = '1234')\r\n"));
    for (const fb::Linha& l : linhas.linhas) {
        EXPECT_EQ(l[u"statuslog"].toString(), QStringLiteral("S"));
        EXPECT_EQ(l[u"tipochamada"].toInt(), 2);
        EXPECT_TRUE(l[u"recebido"].isNull());
    }
}

} // namespace
