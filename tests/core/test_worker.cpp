#include "base/datahora.h"
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
