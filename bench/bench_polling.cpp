// Cost of storing one polling reply of 100 new events (the worker's Polling step against the
// fake iFood server: request, reply rows, a lookup by id and an insert per event, forced
// writes on as in the product), with 1,000 and with 1,000,000 events already stored, and
// their ratio. The acknowledgment of those 100 events is timed too.
//   bench_polling [repetições]
#include "data/dm.h"
#include "data/fb/firebird.h"
#include "ifoodsim.h"
#include "worker/janela.h"
#include "worker/worker.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace talvoro;

namespace {

// Fills the table in one statement, with forced writes off for the filling only.
void preencher(TDM& dm, int n)
{
    const std::string sql =
        "execute block as declare i integer = 0; begin while (i < " + std::to_string(n) +
        ") do begin insert into ifood_polling (codigo, id, code, orderid, createdat, dt_hr_sis, "
        "integrado, statusackenviado, statuspedidoaceito, statuspedidocancelado, "
        "statuspedidoconfirmado, statuspedidoretirado) values (1, "
        "'d3f1c2a4-0000-4000-8000-' || lpad(:i, 12, '0'), "
        "decode(mod(:i, 4), 0, 'PLC', 1, 'CFM', 2, 'RTP', 'CON'), "
        "'0b6a7c1e-0000-4000-9000-' || lpad(:i / 4, 12, '0'), '2024-05-01T10:00:00.000Z', "
        "timestamp '2024-05-01 10:00:00', 'S', 'S', 'S', 'S', 'S', 'S'); i = i + 1; end end";
    dm.FDConnection1().executarDireto(sql);
}

struct Medida
{
    double mediana = 0, minimo = 0, ack = 0;
};

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

Medida rodadas(sim::IFoodSim& servidor, int repeticoes, int& seq)
{
    TDM dm(true);
    dm.DataModuleCreate();
    JanelaSemTela janela;
    TThreadNFe_NFCe worker(dm, janela, {}, {}, {}, {}, true);
    worker.FToken = QStringLiteral("tok");

    std::vector<double> polling, ack;
    QElapsedTimer t;
    for (int r = -1; r < repeticoes; ++r) { // the first round warms up
        for (int i = 0; i < 100; ++i, ++seq)
            servidor.adicionarEvento(i % 2 ? "CFM" : "PLC", "ord-" + std::to_string(seq / 2),
                                     "novo-" + std::to_string(seq));
        t.start();
        worker.Polling();
        const double msPolling = double(t.nsecsElapsed()) / 1e6;
        t.start();
        worker.Acknowledgment();
        const double msAck = double(t.nsecsElapsed()) / 1e6;
        if (r >= 0) {
            polling.push_back(msPolling);
            ack.push_back(msAck);
        }
    }
    const qint64 pendentes = fb::Instrucao(dm.FDConnection1(), "select count(*) n from "
                                                               "ifood_polling where "
                                                               "statusackenviado = 'N'")
                                 .abrir()
                                 .primeira()[u"n"]
                                 .toInt();
    if (pendentes != 0 || !servidor.eventosPendentes().empty())
        std::printf("  ERRO: eventos não guardados ou não reconhecidos\n");
    return {mediana(polling), *std::min_element(polling.begin(), polling.end()), mediana(ack)};
}

// Forced writes on (the product) and off (no disk flush per commit: the database's own work).
std::pair<Medida, Medida> medir(sim::IFoodSim& servidor, int existentes, int repeticoes)
{
    QTemporaryDir pasta;
    qputenv("TALVORO_HOME", QFile::encodeName(pasta.path()));
    QString arquivo;
    QElapsedTimer t;
    t.start();
    {
        TDM dm(false);
        dm.DataModuleCreate();
        preencher(dm, existentes);
        arquivo = dm.ArquivoBanco();
    }
    std::printf("  %d eventos guardados em %.1f s\n", existentes, double(t.elapsed()) / 1000.0);
    std::fflush(stdout);
    int seq = 0;
    fb::definirForcedWrites(arquivo, true);
    const Medida ligado = rodadas(servidor, repeticoes, seq);
    fb::definirForcedWrites(arquivo, false);
    const Medida desligado = rodadas(servidor, repeticoes, seq);
    return {ligado, desligado};
}

void mostrar(const char* rotulo, const Medida& m)
{
    std::printf("    %-22s polling %.1f ms (mínimo %.1f), acknowledgment %.1f ms\n", rotulo,
                m.mediana, m.minimo, m.ack);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int repeticoes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    QTemporaryDir raiz;
    fb::inicializarMotor(QDir(raiz.path()).filePath(QStringLiteral("lock")));
    sim::IFoodSim servidor;
    servidor.iniciar();
    qputenv("TALVORO_IFOOD_API", QByteArray::fromStdString(servidor.urlBase()));

    std::printf("Polling de 100 eventos novos, mediana de %d:\n", repeticoes);
    const auto [pequenaLigado, pequenaDesligado] = medir(servidor, 1000, repeticoes);
    mostrar("forced writes ligado:", pequenaLigado);
    mostrar("forced writes desligado:", pequenaDesligado);
    const auto [grandeLigado, grandeDesligado] = medir(servidor, 1000000, repeticoes);
    mostrar("forced writes ligado:", grandeLigado);
    mostrar("forced writes desligado:", grandeDesligado);
    // The disk flushes of forced writes vary with whatever else uses the disk: the minimum is
    // the steadier figure there.
    std::printf("razão 1.000.000 / 1.000: forced writes ligado %.2f (mediana), %.2f (mínimo); "
                "desligado %.2f (mediana), %.2f (mínimo)\n",
                grandeLigado.mediana / pequenaLigado.mediana,
                grandeLigado.minimo / pequenaLigado.minimo,
                grandeDesligado.mediana / pequenaDesligado.mediana,
                grandeDesligado.minimo / pequenaDesligado.minimo);
    return 0;
}
