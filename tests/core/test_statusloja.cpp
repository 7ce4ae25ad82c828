#include "support/cenario_pedidos.h"

#include <gtest/gtest.h>

using namespace talvoro;
using namespace talvoro::teste;
using Json = nlohmann::ordered_json;

namespace {

Json operacao(bool disponivel, const char* titulo, Json validacoes)
{
    Json op = Json::object();
    op["operation"] = "DELIVERY";
    op["available"] = disponivel;
    op["state"] = disponivel ? "OK" : "CLOSED";
    op["message"] = {{"title", titulo}, {"subtitle", "sub"}, {"description", "desc"}};
    op["validations"] = std::move(validacoes);
    return op;
}

Json validacao(const char* titulo, const char* subtitulo, const char* descricao)
{
    return Json::array(
        {{{"id", "v1"},
          {"code", "is.connected"},
          {"message", {{"title", titulo}, {"subtitle", subtitulo}, {"description", descricao}}}}});
}

struct StatusLoja : CenarioIFood
{
    StatusLoja() { worker->FMerchantID = QStringLiteral("merchant-1"); }

    void servir(Json status) { sim.definirMerchant("merchant-1", "Loja", std::move(status)); }
    const std::string caminho = "/merchant/v1.0/merchants/merchant-1/status";
};

TEST_F(StatusLoja, CaptionPictureAndSummaryFollowTheAnswer)
{
    const struct
    {
        const char* nome;
        Json status;
        const char* legenda;
        bool aberta;
        const char* resumo;
    } casos[] = {
        {"aberta", Json::array({operacao(true, "Loja aberta", validacao("Conectado", "S", "D"))}),
         "Loja aberta: (Conectado)", true, "true|OK|Conectado|S|D|Loja aberta|sub|desc"},
        {"fechada",
         Json::array(
             {operacao(false, "Loja fechada",
                       validacao("Fora do horario", "Abre 18h", "Horario de funcionamento"))}),
         "Loja fechada (Fora do horario Abre 18h) Detalhes: Horario de funcionamento", false,
         "false|CLOSED|Fora do horario|Abre 18h|Horario de funcionamento|Loja fechada|sub|desc"},
        {"sem validacoes", Json::array({operacao(true, "Loja aberta", Json::array())}),
         "Loja aberta: ()", true, "true|OK||||Loja aberta|sub|desc"},
        // Two operations: the caption follows the second; the validation comes from the last
        // operation that has one.
        {"duas operacoes",
         Json::array({operacao(true, "Delivery", validacao("V1", "S1", "D1")),
                      operacao(false, "Retirada", Json::array())}),
         "Retirada (V1 S1) Detalhes: D1", false, "false|CLOSED|V1|S1|D1|Retirada|sub|desc"},
    };
    int mostrados = 0;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        servir(c.status);
        worker->StatusMerchants();
        EXPECT_EQ(janela.statusMostrados, ++mostrados);
        EXPECT_EQ(janela.statusLegenda, QString::fromUtf8(c.legenda));
        EXPECT_EQ(janela.lojaAberta, c.aberta);
        EXPECT_EQ(janela.statusResumo.juntar(), QString::fromUtf8(c.resumo));
        EXPECT_EQ(janela.memo1.toStdString(), c.status.dump());
    }

    const fb::Resultado l = logs();
    ASSERT_EQ(l.tamanho(), 8u);
    EXPECT_EQ(l.linhas[0][u"acao"].toString(), QStringLiteral("Envio - StatusMerchants"));
    EXPECT_EQ(l.linhas[0][u"enviado"].toString(),
              QStringLiteral("BaseURL: %1/merchant/v1.0\rContentType: application/json\rAccept: "
                             "application/json\rMethod: GET\rResource: "
                             "/merchants/merchant-1/status")
                  .arg(QString::fromStdString(sim.urlBase())));
    EXPECT_EQ(l.linhas[1][u"acao"].toString(), QStringLiteral("Resposta - StatusMerchants"));
    EXPECT_EQ(l.linhas[1][u"recebido"].toString().toStdString(), casos[0].status.dump());
    for (const fb::Linha& linha : l.linhas) {
        EXPECT_EQ(linha[u"nomeservico"].toString(), QStringLiteral("IFOOD - StatusMerchants"));
        EXPECT_EQ(linha[u"statuslog"].toString(), QStringLiteral("S"));
    }
    EXPECT_EQ(sim.requisicoes().back().cabecalho("Authorization"), "Bearer token-de-teste");
}

TEST_F(StatusLoja, FailuresKeepWhatTheToolbarShowed)
{
    servir(Json::array({operacao(true, "Loja aberta", validacao("Conectado", "S", "D"))}));
    worker->StatusMerchants();
    ASSERT_EQ(janela.statusMostrados, 1);

    // An expired token: silent.
    sim.forcarResposta("GET", caminho, 401, R"({"code":"Unauthorized"})");
    worker->StatusMerchants();
    // Answers that cannot be read raise; the cycle logs them.
    for (const char* corpo :
         {R"({"available": true})", "[{\"available\": true, \"validations\": []}]",
          "[{\"available\": true, \"message\": {}}]", "pagina de erro"}) {
        sim.forcarResposta("GET", caminho, 200, corpo);
        EXPECT_THROW(worker->StatusMerchants(), std::exception) << corpo;
    }
    EXPECT_EQ(janela.statusMostrados, 1);
    EXPECT_EQ(janela.statusLegenda, QStringLiteral("Loja aberta: (Conectado)"));
    EXPECT_TRUE(janela.lojaAberta);

    QStringList acoes;
    for (const fb::Linha& l : logs().linhas)
        acoes << l[u"acao"].toString().section(u' ', 0, 0);
    EXPECT_EQ(acoes, (QStringList{QStringLiteral("Envio"), QStringLiteral("Resposta"),
                                  QStringLiteral("Envio"), // the 401
                                  QStringLiteral("Envio"), QStringLiteral("Resposta"),
                                  QStringLiteral("Envio"), QStringLiteral("Resposta"),
                                  QStringLiteral("Envio"), QStringLiteral("Resposta"),
                                  QStringLiteral("Envio"), QStringLiteral("Resposta")}));
}

TEST_F(StatusLoja, TextOutsideTheDatabaseCharacterSetIsStillLogged)
{
    Json op =
        operacao(false, "Loja fechada 🔒", validacao("Pausa", "até 18h", "Manutenção 🛠️"));
    servir(Json::array({op}));
    worker->StatusMerchants();
    EXPECT_EQ(
        janela.statusLegenda,
        QString::fromUtf8("Loja fechada 🔒 (Pausa até 18h) Detalhes: Manutenção 🛠️"));
    const fb::Resultado l = logs();
    ASSERT_EQ(l.tamanho(), 2u);
    const QString recebido = l.linhas[1][u"recebido"].toString();
    EXPECT_TRUE(recebido.contains(QString::fromUtf8("\"Loja fechada ?\"")))
        << recebido.toStdString();
    EXPECT_TRUE(recebido.contains(QString::fromUtf8("até 18h")));
    EXPECT_TRUE(linhasLogTexto().isEmpty());
}

} // namespace
