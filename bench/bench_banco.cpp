// Creation of a new database with the whole schema, and the cost of one committed insert
// with forced writes on (as in the product) and off.
#include "base/pastas.h"
#include "data/dm.h"
#include "data/fb/firebird.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

using namespace talvoro;

namespace {

double insertsPorMs(TDM& dm, int n)
{
    auto& q = dm.Query("_qryInsertLogs");
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < n; ++i) {
        q.param("cdpedido", i).param("acao", QStringLiteral("Envio - Polling"));
        q.param("enviado", QStringLiteral("BaseURL: x"))
            .param("nomeservico", QStringLiteral("IFOOD - Polling"));
        q.param("statuslog", QStringLiteral("S"))
            .param("tipochamada", 2)
            .param("recebido", nullptr);
        q.executar();
    }
    return double(t.nsecsElapsed()) / 1e6 / n;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir raiz;
    fb::inicializarMotor(raiz.filePath(QStringLiteral("lock")));

    for (const bool forced : {true, false}) {
        QTemporaryDir pasta;
        qputenv("TALVORO_HOME", QFile::encodeName(pasta.path()));
        QElapsedTimer t;
        t.start();
        TDM dm(forced);
        dm.DataModuleCreate();
        const double criacao = double(t.nsecsElapsed()) / 1e6;
        insertsPorMs(dm, 20); // warm-up: prepare, first pages
        const double porInsert = insertsPorMs(dm, 500);
        std::printf("forced writes %-3s: database created in %.0f ms; one committed insert %.3f ms "
                    "(mean of 500)\n",
                    forced ? "on" : "off", criacao, porInsert);
    }
    return 0;
}
