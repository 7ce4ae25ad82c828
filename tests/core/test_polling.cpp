#include "base/datahora.h"
#include "support/simulador.h"

#include <gtest/gtest.h>

#include <set>

using namespace talvoro;
using namespace talvoro::teste;
using Json = nlohmann::ordered_json;
using namespace Qt::Literals::StringLiterals;

namespace {

const char* const kPolling = "/order/v1.0/events:polling";
const char* const kAck = "/order/v1.0/events/acknowledgment";

class PollingTeste : public ::testing::Test
{
protected:
    void SetUp() override { c.worker.FToken = QStringLiteral("tok-1"); }

    fb::Resultado eventos()
    {
        return fb::Instrucao(c.amb.dm.FDConnection1(),
                             "select id, code, orderid, createdat, dt_hr_sis, integrado, "
                             "statusackenviado, statuspedidoaceito, statuspedidocancelado, "
                             "statuspedidoconfirmado, statuspedidoretirado from ifood_polling "
                             "order by codigo")
            .abrir();
    }
    std::vector<QString> ids(const char* ack = nullptr)
    {
        std::vector<QString> out;
        for (const fb::Linha& l : eventos().linhas) {
            if (!ack || l[u"statusackenviado"].toString() == QString::fromLatin1(ack))
                out.push_back(l[u"id"].toString());
        }
        return out;
    }
    QString url(const char* raiz) const
    {
        return QString::fromStdString(c.s.sim.urlBase()) + QString::fromLatin1(raiz);
    }
    void guardar(int n, const QString& prefixo)
    {
        for (int i = 0; i < n; ++i)
            c.amb.dm.PollingInsere(prefixo + QString::number(i), QStringLiteral("CFM"),
                                   QStringLiteral("ord"), QStringLiteral("2024-05-01T10:00:00Z"),
                                   dataHora(QDate(2024, 5, 1), QTime(10, 0)));
    }

    CenarioWorker c;
};

} // namespace

TEST_F(PollingTeste, CadaEventoGuardadoUmaVezComHoraEmUtc)
{
    guardar(1, QStringLiteral("evt-antigo-"));
    c.s.sim.adicionarEvento("PLC", "ord-1", "evt-1", "2024-05-01T10:00:00Z");
    c.s.sim.adicionarEvento("CFM", "ord-1", "evt-'aspas'", "2024-05-01T10:00:00.250-03:00");
    c.s.sim.adicionarEvento("CAN", "ord-2", "evt-1", "2024-05-01T11:00:00Z"); // same id again
    c.s.sim.adicionarEvento("CON", "ord-0", "evt-antigo-0", "2024-05-01T09:00:00Z");
    c.s.sim.adicionarEvento("XYZ", "ord-3", "evt-3", "2024-12-31T23:30:00-03:00");

    c.worker.Polling();

    const fb::Resultado r = eventos();
    ASSERT_EQ(r.tamanho(), 4u);
    struct Esperado
    {
        const char16_t *id, *code, *orderId, *createdAt;
        QDateTime utc;
    } esperados[] = {
        {u"evt-antigo-0", u"CFM", u"ord", u"2024-05-01T10:00:00Z",
         dataHora(QDate(2024, 5, 1), QTime(10, 0))},
        {u"evt-1", u"PLC", u"ord-1", u"2024-05-01T10:00:00Z",
         dataHora(QDate(2024, 5, 1), QTime(10, 0))},
        {u"evt-'aspas'", u"CFM", u"ord-1", u"2024-05-01T10:00:00.250-03:00",
         dataHora(QDate(2024, 5, 1), QTime(13, 0, 0, 250))},
        {u"evt-3", u"XYZ", u"ord-3", u"2024-12-31T23:30:00-03:00",
         dataHora(QDate(2025, 1, 1), QTime(2, 30))},
    };
    for (size_t i = 0; i < r.tamanho(); ++i) {
        const fb::Linha& l = r.linhas[i];
        const Esperado& e = esperados[i];
        EXPECT_EQ(l[u"id"].toString(), QString::fromUtf16(e.id));
        EXPECT_EQ(l[u"code"].toString(), QString::fromUtf16(e.code));
        EXPECT_EQ(l[u"orderid"].toString(), QString::fromUtf16(e.orderId));
        EXPECT_EQ(l[u"createdat"].toString(), QString::fromUtf16(e.createdAt));
        EXPECT_EQ(l[u"dt_hr_sis"].toDateTime(), e.utc) << i;
        for (const char16_t* flag :
             {u"integrado", u"statusackenviado", u"statuspedidoaceito", u"statuspedidocancelado",
              u"statuspedidoconfirmado", u"statuspedidoretirado"})
            EXPECT_EQ(l[flag].toString(), u"N");
    }

    const auto reqs = c.s.sim.requisicoes();
    ASSERT_EQ(reqs.size(), 1u);
    EXPECT_EQ(reqs[0].metodo, "GET");
    EXPECT_EQ(reqs[0].caminho, kPolling);
    EXPECT_EQ(reqs[0].query, "");
    EXPECT_EQ(reqs[0].cabecalho("Authorization"), "Bearer tok-1");

    const auto logs = linhasLogs(c.amb.dm);
    ASSERT_EQ(logs.size(), 2u);
    EXPECT_EQ(logs[0].acao, u"Envio - Polling");
    EXPECT_EQ(logs[0].nomeservico, u"IFOOD - Polling");
    EXPECT_EQ(logs[0].statuslog, u"S");
    EXPECT_EQ(logs[0].cdpedido, 0);
    EXPECT_EQ(logs[0].tipochamada, 2);
    EXPECT_EQ(logs[0].enviado, u"BaseURL: "_s + url("/order/v1.0") +
                                   u"\rContentType: application/json\rAccept: application/json\r"
                                   u"Method: GET\rResource: events:polling"_s);
    EXPECT_EQ(logs[0].recebido, u"<null>");
    EXPECT_EQ(logs[1].acao, u"Retorno - Polling");
    EXPECT_EQ(logs[1].statuslog, u"S");
    EXPECT_EQ(logs[1].enviado, u"<null>");
    ASSERT_TRUE(logs[1].recebido.startsWith(u"StatusCode: 200\rOK\r\r["));
    const QString corpo = logs[1].recebido.mid(QStringLiteral("StatusCode: 200\rOK\r\r").size());
    EXPECT_EQ(c.janela.memo1, QString::fromStdString(Json::parse(corpo.toStdString()).dump(4)));
    EXPECT_TRUE(c.amb.logTexto().isEmpty());
}

TEST_F(PollingTeste, CodigosDeFalhaSoEscrevemALinhaDeRetorno)
{
    const struct
    {
        int status;
        const char16_t* texto; // nullptr: a code the call does not handle
        const char16_t* statusLog;
    } casos[] = {
        {204, u"No pending events found.", u"S"},
        {400, u"Bad Request. One or more request parameters were not valid.", u"N"},
        {404, u"Not Found.", u"N"},
        {413, u"The request would query too many merchants (maximum is 100).", u"N"},
        {500, u"Internal Server Error", u"N"},
        {401, nullptr, nullptr},
        {503, nullptr, nullptr},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.status);
        c.amb.dm.ExecSQL(QStringLiteral("delete from logs"));
        // 204 is the server's own answer when no event is pending.
        const std::string corpo = caso.status == 204 ? "" : "{\"erro\":\"x\"}";
        if (caso.status != 204)
            c.s.sim.forcarResposta("GET", kPolling, caso.status, corpo);
        c.janela.memo1 = QStringLiteral("antes");

        EXPECT_NO_THROW(c.worker.Polling());

        const auto logs = linhasLogs(c.amb.dm);
        ASSERT_EQ(logs.size(), caso.texto ? 2u : 1u);
        EXPECT_EQ(logs[0].acao, u"Envio - Polling");
        if (caso.texto) {
            EXPECT_EQ(logs[1].acao, u"Retorno - Polling");
            EXPECT_EQ(logs[1].statuslog, QString::fromUtf16(caso.statusLog));
            EXPECT_EQ(logs[1].recebido, u"StatusCode: "_s + QString::number(caso.status) + u'\r' +
                                            QString::fromUtf16(caso.texto) + u"\r\r"_s +
                                            QString::fromStdString(corpo));
        }
        EXPECT_EQ(c.janela.memo1, u"antes");
    }
    EXPECT_TRUE(c.amb.logTexto().isEmpty());
}

TEST_F(PollingTeste, RespostasMalFormadas)
{
    const struct
    {
        const char* corpo;
        bool linhaRetorno;
        const char* linhaLog; // start of the one text log line, or nullptr for none
        bool levanta;
        std::vector<QString> guardados;
    } casos[] = {
        {"[]", true, nullptr, false, {}},
        {R"({"id":"a"})", true, "Falha ao fazer polling... ", false, {}},
        {R"([{"id":"a","code":"PLC","orderId":"o","createdAt":"2024-05-01T10:00:00Z"},)"
         R"({"code":"PLC","orderId":"o","createdAt":"2024-05-01T10:00:00Z"},)"
         R"({"id":"c","code":"PLC","orderId":"o","createdAt":"2024-05-01T10:00:00Z"}])",
         true,
         nullptr,
         false,
         {QStringLiteral("a")}},
        {R"([{"id":"d","code":"PLC","orderId":"o","createdAt":"ontem"}])",
         true,
         nullptr,
         false,
         {}},
        {"<html>erro</html>", false, "Falha ao fazer polling... ", true, {}},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.corpo);
        c.amb.dm.ExecSQL(QStringLiteral("delete from logs"));
        c.amb.dm.ExecSQL(QStringLiteral("delete from ifood_polling"));
        QFile::remove(c.amb.pasta.caminho(QStringLiteral("LogBrimeta.txt")));
        c.s.sim.forcarResposta("GET", kPolling, 200, caso.corpo);

        bool levantou = false;
        try {
            c.worker.Polling();
        } catch (const std::exception&) {
            levantou = true;
        }
        EXPECT_EQ(levantou, caso.levanta);
        EXPECT_EQ(linhasLogs(c.amb.dm).size(), caso.linhaRetorno ? 2u : 1u);
        EXPECT_EQ(ids(), caso.guardados);
        const QStringList linhas = c.amb.linhasLogTexto();
        if (caso.linhaLog) {
            ASSERT_EQ(linhas.size(), 1);
            EXPECT_TRUE(linhas[0].startsWith(QString::fromLatin1(caso.linhaLog)));
            EXPECT_TRUE(linhas[0].endsWith(QString::fromLatin1(caso.corpo))); // body follows
        } else {
            EXPECT_TRUE(linhas.isEmpty()) << linhas.join(u'\n').toStdString();
        }
    }
}

TEST_F(PollingTeste, TresEventosReconhecidosNumPost)
{
    c.worker.Acknowledgment(); // nothing pending: no call, no row
    EXPECT_TRUE(c.s.sim.requisicoes().empty());
    EXPECT_TRUE(linhasLogs(c.amb.dm).empty());

    for (const char* id : {"e-1", "e-\"2\"", "e-3"})
        c.s.sim.adicionarEvento("PLC", "ord", id, "2024-05-01T10:00:00Z");
    c.worker.Polling();
    c.s.sim.limparRequisicoes();
    c.amb.dm.ExecSQL(QStringLiteral("delete from logs"));

    c.worker.Acknowledgment();

    const auto reqs = c.s.sim.requisicoes();
    ASSERT_EQ(reqs.size(), 1u);
    EXPECT_EQ(reqs[0].metodo, "POST");
    EXPECT_EQ(reqs[0].caminho, kAck);
    EXPECT_EQ(reqs[0].cabecalho("Authorization"), "Bearer tok-1");
    EXPECT_EQ(reqs[0].corpo, R"([{"id":"e-1"},{"id":"e-\"2\""},{"id":"e-3"}])");
    EXPECT_EQ(ids("S").size(), 3u);
    EXPECT_EQ(c.s.sim.idsReconhecidos().size(), 3u);

    const auto logs = linhasLogs(c.amb.dm);
    ASSERT_EQ(logs.size(), 2u);
    EXPECT_EQ(logs[0].acao, u"Envio - Acknowledgment");
    EXPECT_EQ(logs[0].nomeservico, u"IFOOD - Acknowledgment");
    EXPECT_EQ(logs[0].enviado, u"BaseURL: "_s + url("/order/v1.0") +
                                   u"\rContentType: application/json\rAccept: application/json\r"
                                   u"Method: POST\rBody: "_s +
                                   QString::fromStdString(reqs[0].corpo) +
                                   u"\rResource: /events/acknowledgment"_s);
    EXPECT_EQ(logs[1].acao, u"Resposta - Acknowledgment");
    EXPECT_EQ(logs[1].statuslog, u"S");
    EXPECT_EQ(logs[1].recebido,
              u"StatusCode: 202\rAccepted. The request may be processed asynchronously\r\r");

    c.worker.Acknowledgment(); // all done: no further call
    EXPECT_EQ(c.s.sim.requisicoes().size(), 1u);
}

TEST_F(PollingTeste, FalhaDoReconhecimentoDeixaOsEventosPendentes)
{
    const struct
    {
        int status;
        const char16_t* texto;
    } casos[] = {
        {400, u"Bad request."},
        {500, u"Internal Server Error"},
    };
    guardar(3, QStringLiteral("evt-"));
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.status);
        c.amb.dm.ExecSQL(QStringLiteral("delete from logs"));
        c.s.sim.forcarResposta("POST", kAck, caso.status, "corpo da falha");
        try {
            c.worker.Acknowledgment();
            ADD_FAILURE() << "no error raised";
        } catch (const std::exception& e) {
            EXPECT_STREQ(e.what(), "corpo da falha");
        }
        EXPECT_EQ(ids("N").size(), 3u);
        const auto logs = linhasLogs(c.amb.dm);
        ASSERT_EQ(logs.size(), 2u);
        EXPECT_EQ(logs[1].statuslog, u"N");
        EXPECT_EQ(logs[1].recebido, u"StatusCode: "_s + QString::number(caso.status) + u'\r' +
                                        QString::fromUtf16(caso.texto) + u"\r\rcorpo da falha"_s);
    }

    // A code the call does not handle: only the request row, nothing marked, nothing raised.
    c.amb.dm.ExecSQL(QStringLiteral("delete from logs"));
    c.s.sim.forcarResposta("POST", kAck, 401, "x");
    EXPECT_NO_THROW(c.worker.Acknowledgment());
    EXPECT_EQ(linhasLogs(c.amb.dm).size(), 1u);
    EXPECT_EQ(ids("N").size(), 3u);

    // In the cycle, the failure becomes its text log line.
    c.amb.dm.InsertTokenBD(0, agora().addSecs(600), {}, {}, {}, QStringLiteral("tok-1"));
    c.s.sim.forcarResposta("POST", kAck, 400, "corpo da falha");
    c.worker.CicloIFood();
    EXPECT_EQ(c.amb.linhasLogTexto(),
              QStringList{QStringLiteral("Falha ao fazer Acknowledgment... corpo da falha")});
    EXPECT_EQ(ids("N").size(), 3u);
}

TEST_F(PollingTeste, MuitosPendentesEmLotesDeDoisMil)
{
    guardar(4500, QStringLiteral("evt-"));

    // The first request fails: the other two still go, and only their events are marked.
    c.s.sim.forcarResposta("POST", kAck, 500, "tente depois");
    EXPECT_THROW(c.worker.Acknowledgment(), std::exception);
    auto reqs = c.s.sim.requisicoes();
    ASSERT_EQ(reqs.size(), 3u);
    std::vector<std::set<std::string>> lotes;
    for (const auto& r : reqs) {
        std::set<std::string> lote;
        for (const auto& e : Json::parse(r.corpo))
            lote.insert(e.at("id").get<std::string>());
        lotes.push_back(lote);
    }
    EXPECT_EQ(lotes[0].size(), 2000u);
    EXPECT_EQ(lotes[1].size(), 2000u);
    EXPECT_EQ(lotes[2].size(), 500u);
    std::set<std::string> marcados;
    for (const QString& id : ids("S"))
        marcados.insert(id.toStdString());
    std::set<std::string> esperados = lotes[1];
    esperados.insert(lotes[2].begin(), lotes[2].end());
    EXPECT_EQ(marcados, esperados);

    // The next run sends the rest.
    c.s.sim.limparRequisicoes();
    c.worker.Acknowledgment();
    reqs = c.s.sim.requisicoes();
    ASSERT_EQ(reqs.size(), 1u);
    EXPECT_EQ(Json::parse(reqs[0].corpo).size(), 2000u);
    EXPECT_TRUE(ids("N").empty());
    EXPECT_EQ(c.s.sim.idsReconhecidos().size(), 4500u);
}

TEST_F(PollingTeste, SemRespostaLevantaESoEscreveAEnvio)
{
    guardar(2, QStringLiteral("evt-"));
    c.s.sim.parar();
    for (const auto& passo : {&TThreadNFe_NFCe::Polling, &TThreadNFe_NFCe::Acknowledgment}) {
        c.amb.dm.ExecSQL(QStringLiteral("delete from logs"));
        try {
            (c.worker.*passo)();
            ADD_FAILURE() << "no error raised";
        } catch (const ifood::FalhaRest& e) {
            EXPECT_EQ(std::string(e.what()).rfind("REST request failed: ", 0), 0u) << e.what();
        }
        const auto logs = linhasLogs(c.amb.dm);
        ASSERT_EQ(logs.size(), 1u);
        EXPECT_TRUE(logs[0].acao.startsWith(u"Envio - "));
    }
    EXPECT_EQ(ids("N").size(), 2u);
}
