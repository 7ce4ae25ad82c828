// Idle CPU of a running worker: the process's CPU time over 60 s of the event loop with a
// worker at its product intervals (30 s cycle, 15 s pending check), as % of one core.
// By default the iFood host is a loopback port where nothing listens, so each cycle stops at
// the connectivity check, as it does when the network is down; with --simulador each cycle
// runs against the fake iFood server (valid token, polling answered 204).
//   bench_worker_ocioso [segundos] [--simulador]
#include "base/datahora.h"
#include "data/dm.h"
#include "data/fb/firebird.h"
#include "ifoodsim.h"
#include "worker/janela.h"
#include "worker/worker.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstring>

#include <sys/resource.h>
#include <unistd.h>

using namespace talvoro;

namespace {

double segundosCpu()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return double(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
           double(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int segundos = 60;
    bool comSimulador = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--simulador") == 0)
            comSimulador = true;
        else
            segundos = std::max(1, std::atoi(argv[i]));
    }
    sim::IFoodSim servidor;

    QTemporaryDir pasta;
    qputenv("TALVORO_HOME", QFile::encodeName(pasta.path()));
    if (comSimulador) {
        servidor.iniciar();
        qputenv("TALVORO_IFOOD_API", QByteArray::fromStdString(servidor.urlBase()));
    } else {
        qputenv("TALVORO_IFOOD_API",
                QByteArray("http://127.0.0.1:") + QByteArray::number(sim::portaFechada()));
    }
    fb::inicializarMotor(QDir(pasta.path()).filePath(QStringLiteral("lock")));

    TDM dm;
    dm.DataModuleCreate();
    dm.InsertTokenBD(0, agora().addDays(1), {}, {}, {}, QStringLiteral("tok"));
    JanelaSemTela janela;
    int ciclos = 0;
    int verificacoes = 0;
    auto* worker = new TThreadNFe_NFCe(dm, janela, {}, {}, {}, {});
    QObject::connect(worker, &TThreadNFe_NFCe::CicloTerminado, [&] { ++ciclos; });
    QObject::connect(worker, &TThreadNFe_NFCe::VerificacaoTerminada, [&] { ++verificacoes; });

    const double antes = segundosCpu();
    QTimer::singleShot(std::chrono::seconds(segundos), &app, &QCoreApplication::quit);
    app.exec();
    const double cpu = segundosCpu() - antes;
    TThreadNFe_NFCe::Liberar(worker);

    std::printf("worker ocioso (%s): %d s, %d ciclos, %d verificacoes, CPU %.3f s = %.3f %% de um "
                "nucleo\n",
                comSimulador ? "simulador" : "sem rede", segundos, ciclos, verificacoes, cpu,
                100.0 * cpu / segundos);
    return 0;
}
