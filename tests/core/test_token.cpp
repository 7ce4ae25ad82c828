#include "base/datahora.h"
#include "support/ambiente.h"
#include "support/simulador.h"
#include "worker/worker.h"

#include <gtest/gtest.h>

using namespace talvoro;
using namespace talvoro::teste;
using namespace Qt::Literals::StringLiterals;

namespace {

QStringList campos(TDM& dm)
{
    return dm.GetTokenBD(false).split(u'|');
}

int linhasConfig(TDM& dm)
{
    return int(fb::Instrucao(dm.FDConnection1(), "select count(*) n from ifood_config")
                   .abrir()
                   .primeira()[u"n"]
                   .toInt());
}

// Seconds from now to a "dd/mm/yyyy hh:nn:ss" text.
qint64 segundosAte(const QString& texto)
{
    const auto quando = lerDataHora(texto);
    EXPECT_TRUE(quando.has_value()) << texto.toStdString();
    return quando ? agora().secsTo(*quando) : 0;
}

} // namespace

TEST(TokenBD, RegistroSemLinhaERoundTrip)
{
    Ambiente amb;
    QStringList f = campos(amb.dm);
    ASSERT_EQ(f.size(), 6);
    EXPECT_EQ(f[0], QString());
    EXPECT_EQ(f[1], QString());
    EXPECT_LE(std::abs(segundosAte(f[2])), 2);
    EXPECT_EQ(f[3], QString());
    EXPECT_EQ(f[4], QString());
    EXPECT_EQ(f[5], u"0");

    // Milliseconds are dropped: the text carries whole seconds.
    const QDateTime expira = dataHora(QDate(2031, 2, 3), QTime(4, 5, 6, 789));
    amb.dm.InsertTokenBD(0, expira, QStringLiteral("cod"), QStringLiteral("verif"),
                         QStringLiteral("refresh"), QStringLiteral("tok"));
    EXPECT_EQ(amb.dm.GetTokenBD(false), u"cod|verif|03/02/2031 04:05:06|refresh|tok|1");

    amb.dm.InsertTokenBD(1, expira.addDays(1), QStringLiteral("cod2"), QStringLiteral("verif2"),
                         QStringLiteral("refresh2"), QStringLiteral("tok2"));
    EXPECT_EQ(amb.dm.GetTokenBD(false), u"cod2|verif2|04/02/2031 04:05:06|refresh2|tok2|1");

    // Any other operation writes nothing.
    amb.dm.InsertTokenBD(2, expira, QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("x"),
                         QStringLiteral("x"));
    EXPECT_EQ(amb.dm.GetTokenBD(false), u"cod2|verif2|04/02/2031 04:05:06|refresh2|tok2|1");
    EXPECT_EQ(linhasConfig(amb.dm), 1);
}

TEST(TokenBD, RebootApagaTodasAsLinhas)
{
    Ambiente amb;
    amb.dm.InsertTokenBD(0, agora(), QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                         QStringLiteral("d"));
    amb.dm.ExecSQL(QStringLiteral("insert into ifood_config (cdconfig, token, idfechamentoloja) "
                                  "values (2, 'outro', 'int-1')"));
    ASSERT_EQ(linhasConfig(amb.dm), 2);

    const QStringList f = amb.dm.GetTokenBD(true).split(u'|');
    ASSERT_EQ(f.size(), 6);
    EXPECT_EQ(f[5], u"0");
    EXPECT_EQ(f[4], QString());
    EXPECT_EQ(linhasConfig(amb.dm), 0);
}

namespace {

const char* const kToken = "/authentication/v1.0/oauth/token";

class GetTokenTeste : public ::testing::Test
{
protected:
    void SetUp() override
    {
        c.worker.ClientID = QStringLiteral("cli");
        c.worker.ClientSecret = QStringLiteral("segredo");
    }
    CenarioWorker c;
};

} // namespace

TEST_F(GetTokenTeste, TokenValidoNaoChamaOIFood)
{
    c.amb.dm.InsertTokenBD(0, agora().addSecs(60), QStringLiteral("c"), QStringLiteral("v"),
                           QStringLiteral("r"), QStringLiteral("tok-valido"));
    EXPECT_TRUE(c.worker.GetToken());
    EXPECT_EQ(c.worker.FToken, u"tok-valido");
    EXPECT_EQ(c.worker.FRefreshToken, u"r");
    EXPECT_EQ(c.worker.FAuthorizationCode, u"c");
    EXPECT_EQ(c.worker.FAuthorizationCodeVerifier, u"v");
    EXPECT_EQ(c.janela.token, u"tok-valido");
    EXPECT_TRUE(c.s.sim.requisicoes().empty());
}

TEST_F(GetTokenTeste, TokenVencidoERenovado)
{
    c.s.sim.definirValidadeToken(std::chrono::seconds(21600));
    c.amb.dm.InsertTokenBD(0, agora().addSecs(-1), QStringLiteral("c"), QStringLiteral("v"),
                           QStringLiteral("r-velho"), QStringLiteral("tok-velho"));
    c.janela.token = QStringLiteral("tok-velho");

    EXPECT_TRUE(c.worker.GetToken());

    const auto reqs = c.s.sim.requisicoes();
    ASSERT_EQ(reqs.size(), 1u);
    EXPECT_EQ(reqs[0].metodo, "POST");
    EXPECT_EQ(reqs[0].caminho, kToken);
    EXPECT_FALSE(reqs[0].temCabecalho("Authorization"));
    EXPECT_EQ(reqs[0].corpo,
              "grantType=refresh_token&clientId=cli&clientSecret=segredo&"
              "authorizationCode=c&authorizationCodeVerifier=v&refreshToken=r-velho");

    const QStringList f = campos(c.amb.dm);
    ASSERT_EQ(f.size(), 6);
    const qint64 validade = segundosAte(f[2]);
    EXPECT_GE(validade, 21540 - 3);
    EXPECT_LE(validade, 21540);
    EXPECT_EQ(f[4], c.worker.FToken);
    EXPECT_EQ(c.worker.FAccessToken, c.worker.FToken);
    EXPECT_NE(c.worker.FToken, u"tok-velho");
    EXPECT_EQ(f[3], c.worker.FRefreshToken);
    EXPECT_NE(f[3], u"r-velho");
    // The code and verifier written are the worker's own, handed over at creation.
    EXPECT_EQ(f[0], u"cod-aut");
    EXPECT_EQ(f[1], u"verif-aut");
    EXPECT_EQ(f[5], u"1");
    EXPECT_EQ(linhasConfig(c.amb.dm), 1);

    // The window keeps the previous token until the next cycle takes the new row.
    EXPECT_EQ(c.janela.token, u"tok-velho");
    EXPECT_TRUE(c.janela.memo1.contains(u"\n    \"accessToken\": \""_s + c.worker.FToken + u'"'))
        << c.janela.memo1.toStdString();
    EXPECT_TRUE(linhasLogs(c.amb.dm).empty());

    EXPECT_TRUE(c.worker.GetToken());
    EXPECT_EQ(c.janela.token, c.worker.FToken);
    EXPECT_EQ(c.s.sim.requisicoes().size(), 1u);
}

TEST_F(GetTokenTeste, RecusasLevantamOCorpoENadaMudam)
{
    const struct
    {
        bool comLinha;
        int status; // 0: the server's own answer
        const char* corpo;
        const char* mensagem; // the error's message, or its start when inicio
        bool inicio;
    } casos[] = {
        // No row: the refresh goes with an empty refresh token and the server refuses it.
        {false, 0, nullptr,
         R"({"error":{"code":"Unauthorized","message":"Missing refresh token"}})", false},
        {true, 401, "token recusado", "token recusado", false},
        {true, 500, "", "", false},
        {true, 200, R"({"accessToken":"a","expiresIn":21600})", "Campo refreshToken ausente", true},
        {true, 200, R"({"accessToken":"a","refreshToken":"b","expiresIn":"seis horas"})",
         "Campo expiresIn não é um número inteiro", true},
        {true, 200, R"({"accessToken":"a","refreshToken":"b","expiresIn":21600.5})",
         "Campo expiresIn não é um número inteiro", true},
        {true, 200, "sem json", "Resposta não é um JSON válido", true},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.mensagem);
        c.amb.dm.GetTokenBD(true);
        if (caso.comLinha)
            c.amb.dm.InsertTokenBD(0, agora().addSecs(-60), QStringLiteral("c"),
                                   QStringLiteral("v"), QStringLiteral("r"), QStringLiteral("tok"));
        const QString antes = c.amb.dm.GetTokenBD(false).section(u'|', 3);
        if (caso.status)
            c.s.sim.forcarResposta("POST", kToken, caso.status, caso.corpo);
        c.s.sim.limparRequisicoes();

        std::string mensagem = "(nenhum erro)";
        try {
            c.worker.GetToken();
        } catch (const std::exception& e) {
            mensagem = e.what();
        }
        EXPECT_EQ(c.s.sim.requisicoes().size(), 1u);
        if (caso.inicio)
            EXPECT_EQ(mensagem.rfind(caso.mensagem, 0), 0u) << mensagem;
        else
            EXPECT_EQ(mensagem, caso.mensagem);
        if (caso.comLinha)
            EXPECT_EQ(c.amb.dm.GetTokenBD(false).section(u'|', 3), antes);
        else
            EXPECT_EQ(linhasConfig(c.amb.dm), 0);
        EXPECT_TRUE(linhasLogs(c.amb.dm).empty());
    }
}
