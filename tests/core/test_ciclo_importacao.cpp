#include "base/datahora.h"
#include "config/configuracao.h"
#include "support/cenario_pedidos.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace talvoro;
using namespace talvoro::teste;

namespace {

struct CicloImportacao : CenarioIFood
{
    CicloImportacao()
    {
        ConfiguracaoIFood c;
        c.aceitaPedidoAuto = true;
        gravarConfiguracao(c);
        // A token still valid, so the token step makes no call.
        executar("insert into ifood_config (cdconfig, token, refreshtoken, dataexpiracao) values "
                 "(1, 'token-de-teste', 'refresh', :validade)",
                 {{"validade", agora().addSecs(3600)}});
        worker->FMerchantID = QString::fromLatin1(sim::IFoodSim::kMerchantPadrao);
    }

    // The order served with its placed-order event, stored as the polling stores it.
    QString colocarComEvento(const QString& arquivo)
    {
        const std::string texto = lerDados(QStringLiteral("pedidos/") + arquivo).toStdString();
        const QString id = QString::fromStdString(sim.adicionarPedidoTexto(texto));
        for (const auto& e : sim.eventosPendentes()) {
            if (e["orderId"] == id.toStdString() && e["code"] == "PLC")
                inserirEvento(QString::fromStdString(e["id"].get<std::string>()),
                              QStringLiteral("PLC"), id);
        }
        return id;
    }
};

TEST_F(CicloImportacao, OneCycleTakesAPlacedOrderToAConfirmedOrder)
{
    const QString id = colocarComEvento(QStringLiteral("delivery_cartao.json"));
    worker->CicloIFood();

    const int cd = cdDe(id);
    ASSERT_GT(cd, 0);
    const fb::Linha p = pedido(cd);
    EXPECT_EQ(p[u"statuspedido"].toString(), QStringLiteral("PEA"));
    EXPECT_EQ(p[u"statusaceite"].toString(), QStringLiteral("S"));
    EXPECT_GT(p[u"cdcliente"].toInt(), 0);
    EXPECT_EQ(
        consultar("select count(*) n from ifood_pedidos_itens where cdpedido = :c", {{"c", cd}})
            .primeira()[u"n"]
            .toInt(),
        4);
    EXPECT_EQ(consultar("select count(*) n from ifood_pagamentos where cdpedido = :c", {{"c", cd}})
                  .primeira()[u"n"]
                  .toInt(),
              2);
    EXPECT_TRUE(
        QFile::exists(dm.PastaArqLog() + QStringLiteral("4821_") + id + QStringLiteral(".txt")));
    EXPECT_EQ(consultar("select integrado from ifood_polling where orderid = :o and code = 'PLC'",
                        {{"o", id}})
                  .primeira()[u"integrado"]
                  .toString(),
              QStringLiteral("S"));
    EXPECT_EQ(janela.statusLegenda, QStringLiteral("Loja aberta: (Conectado)"));

    QStringList acoes;
    for (const fb::Linha& l : logs().linhas)
        acoes << l[u"acao"].toString();
    // The steps in their order: merchant status, then the import with its confirmation.
    for (const char* acao :
         {"Envio - StatusMerchants", "Resposta - StatusMerchants", "Envio - GetOrder",
          "Retorno - GetOrder", "Envio - ConfirmaPedido", "Resposta - ConfirmaPedido"}) {
        EXPECT_TRUE(acoes.contains(QString::fromLatin1(acao))) << acao;
    }
    EXPECT_LT(acoes.indexOf(QStringLiteral("Resposta - StatusMerchants")),
              acoes.indexOf(QStringLiteral("Envio - GetOrder")));
    for (const QString& linha : linhasLogTexto())
        EXPECT_FALSE(linha.contains(QStringLiteral("GetOrder"))) << linha.toStdString();

    // iFood concludes the order; the next cycle brings it to PDF.
    inserirEvento(QStringLiteral("con-1"), QStringLiteral("CON"), id);
    worker->CicloIFood();
    EXPECT_EQ(statusDe(cd), QStringLiteral("PDF"));
    EXPECT_EQ(consultar("select count(*) n from ifood_pedidos").primeira()[u"n"].toInt(), 1);
}

TEST_F(CicloImportacao, AFailingStepIsLoggedWithItsPrefixAndTheCycleGoesOn)
{
    const QString id = colocarComEvento(QStringLiteral("retirada.json"));
    sim.forcarResposta("GET",
                       std::string("/merchant/v1.0/merchants/") + sim::IFoodSim::kMerchantPadrao +
                           "/status",
                       200, R"({"available": true})");
    worker->CicloIFood();

    EXPECT_EQ(statusDe(cdDe(id)), QStringLiteral("PEA"));
    bool achou = false;
    for (const QString& linha : linhasLogTexto())
        achou = achou || linha.startsWith(QStringLiteral("Falha ao pegar  StatusMerchants... "));
    EXPECT_TRUE(achou) << linhasLogTexto().join(u'\n').toStdString();
    EXPECT_EQ(janela.statusMostrados, 0);
}

} // namespace
