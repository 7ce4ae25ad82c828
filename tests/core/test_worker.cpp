#include "base/datahora.h"
#include "config/configuracao.h"
#include "support/ambiente.h"
#include "support/simulador.h"
#include "worker/worker.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>

using namespace talvoro;
using namespace talvoro::teste;

namespace {

// Notes on which thread the worker touched the window, and lets a test act from inside a
// job.
class JanelaEspia : public JanelaSemTela
{
public:
    void MostraUltimaAtualizacao(const QString& texto) override
    {
        JanelaSemTela::MostraUltimaAtualizacao(texto);
        ++atualizacoes;
        foraDaPrincipal |= QThread::currentThread() != QCoreApplication::instance()->thread();
        if (aoAtualizar)
            aoAtualizar();
    }
    void MostraDiagnostico(const QString& texto) override
    {
        JanelaSemTela::MostraDiagnostico(texto);
        foraDaPrincipal |= QThread::currentThread() != QCoreApplication::instance()->thread();
    }
    int atualizacoes = 0;
    bool foraDaPrincipal = false;
    std::function<void()> aoAtualizar;
};

} // namespace

TEST(Worker, SemRedeNenhumPassoMasMostraAHora)
{
    Ambiente amb;
    HostIFoodTeste host(urlPortaFechada());
    JanelaEspia janela;
    QPointer<TThreadNFe_NFCe> worker = new TThreadNFe_NFCe(amb.dm, janela, {}, {}, {}, {});
    int ciclos = 0;
    QObject::connect(worker, &TThreadNFe_NFCe::CicloTerminado, [&] { ++ciclos; });
    worker->setIntervaloVerificacao(1);

    // The first cycle is forced early, long before the 30 s it would otherwise wait.
    ASSERT_TRUE(esperarAte([&] { return ciclos >= 2; }));
    EXPECT_EQ(janela.atualizacoes, ciclos);
    EXPECT_TRUE(lerDataHora(janela.ultimaAtualizacao).has_value())
        << janela.ultimaAtualizacao.toStdString();
    EXPECT_FALSE(janela.foraDaPrincipal);
    EXPECT_TRUE(amb.logTexto().isEmpty()) << amb.logTexto().toStdString();
    EXPECT_TRUE(linhasLogs(amb.dm).empty());
    TThreadNFe_NFCe::Liberar(worker);
    EXPECT_TRUE(worker.isNull());
}

TEST(Worker, LiberarDeDentroDeUmTrabalhoAdiaAParada)
{
    Ambiente amb;
    HostIFoodTeste host(urlPortaFechada());
    JanelaEspia janela;
    QPointer<TThreadNFe_NFCe> worker = new TThreadNFe_NFCe(amb.dm, janela, {}, {}, {}, {});
    int ciclos = 0;
    QObject::connect(worker, &TThreadNFe_NFCe::CicloTerminado, [&] { ++ciclos; });
    worker->setIntervaloVerificacao(1);
    worker->setIntervaloVerificacao_Half(1);

    bool liberou = false;
    bool existiaAoVoltar = false;
    janela.aoAtualizar = [&] {
        TThreadNFe_NFCe::Liberar(worker);
        liberou = true;
        existiaAoVoltar = !worker.isNull() && worker->EmExecucao();
        janela.aoAtualizar = nullptr;
    };
    ASSERT_TRUE(esperarAte([&] { return worker.isNull(); }));
    EXPECT_TRUE(liberou);
    EXPECT_TRUE(existiaAoVoltar);
    EXPECT_EQ(ciclos, 0);
    EXPECT_EQ(janela.atualizacoes, 1);
}

TEST(Worker, CicloNaThreadPrincipalComPassosGuardadosUmAUm)
{
    const struct
    {
        bool tokenValido;
        const char* respostaPolling;       // nullptr: the server's own
        int statusAck;                     // 0: the server's own
        std::vector<std::string> caminhos; // requests in order
        QStringList linhas;                // text log lines, each its start
        size_t reconhecidos;               // ids the server saw acknowledged
    } casos[] = {
        // No token row: the token step fails, polling and acknowledgment still run.
        {false,
         nullptr,
         0,
         {"POST /authentication/v1.0/oauth/token", "GET /order/v1.0/events:polling",
          "GET /merchant/v1.0/merchants//status", "GET /order/v1.0/orders/ord-1",
          "POST /order/v1.0/events/acknowledgment"},
         {QStringLiteral("Falha ao pegar Token... {\"error\"")},
         2},
        {true,
         "<html>",
         500,
         {"GET /order/v1.0/events:polling", "GET /merchant/v1.0/merchants//status",
          "POST /order/v1.0/events/acknowledgment"},
         {QStringLiteral("Falha ao fazer polling... "),
          QStringLiteral("Falha ao fazer Polling... "),
          QStringLiteral("Falha ao fazer Acknowledgment... falhou")},
         0},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.tokenValido);
        Ambiente amb;
        SimuladorIFood s;
        ConfiguracaoIFood config;
        config.clientId = QStringLiteral("cli-ini");
        config.clientSecret = QStringLiteral("segredo-ini");
        gravarConfiguracao(config);
        if (caso.tokenValido)
            amb.dm.InsertTokenBD(0, agora().addSecs(600), {}, {}, {}, QStringLiteral("tok"));
        // One event already stored, so the acknowledgment has something to send.
        amb.dm.PollingInsere(QStringLiteral("guardado"), QStringLiteral("CFM"), QStringLiteral("o"),
                             QStringLiteral("2024-05-01T10:00:00Z"),
                             dataHora(QDate(2024, 5, 1), QTime(10, 0)));
        s.sim.adicionarEvento("PLC", "ord-1", "novo", "2024-05-01T10:00:00Z");
        if (caso.respostaPolling)
            s.sim.forcarResposta("GET", "/order/v1.0/events:polling", 200, caso.respostaPolling);
        if (caso.statusAck)
            s.sim.forcarResposta("POST", "/order/v1.0/events/acknowledgment", caso.statusAck,
                                 "falhou");

        JanelaEspia janela;
        QPointer<TThreadNFe_NFCe> worker = new TThreadNFe_NFCe(amb.dm, janela, {}, {}, {}, {});
        worker->FToken = QStringLiteral("tok-anterior"); // what a failed token step leaves
        int ciclos = 0;
        QObject::connect(worker, &TThreadNFe_NFCe::CicloTerminado, [&] { ++ciclos; });
        ASSERT_TRUE(esperarAte([&] { return ciclos == 1; }));
        TThreadNFe_NFCe::Liberar(worker);

        std::vector<std::string> caminhos;
        for (const auto& r : s.sim.requisicoes())
            caminhos.push_back(r.metodo + " " + r.caminho);
        EXPECT_EQ(caminhos, caso.caminhos);
        if (!caso.tokenValido) { // the configuration is read at the start of the cycle
            EXPECT_NE(
                s.sim.requisicoes()[0].corpo.find("clientId=cli-ini&clientSecret=segredo-ini"),
                std::string::npos);
        }
        const QStringList linhas = amb.linhasLogTexto();
        ASSERT_EQ(linhas.size(), caso.linhas.size()) << linhas.join(u'\n').toStdString();
        for (int i = 0; i < linhas.size(); ++i)
            EXPECT_TRUE(linhas[i].startsWith(caso.linhas[i])) << linhas[i].toStdString();
        EXPECT_EQ(s.sim.idsReconhecidos().size(), caso.reconhecidos);
        EXPECT_FALSE(janela.foraDaPrincipal);
    }
}
