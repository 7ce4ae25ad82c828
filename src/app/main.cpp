#include "app/frmmain.h"
#include "base/pastas.h"
#include "data/dm.h"
#include "data/fb/firebird.h"
#include "ui/avisos.h"
#include "ui/fontes.h"

#include <QLocale>
#include <QSocketNotifier>

#include <memory>

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

// SIGINT and SIGTERM end the program the ordinary way: window, worker, data module. They
// are blocked in every thread (threads inherit the mask, so this runs before any exists) and
// read from a descriptor instead: a handler would interrupt the database engine's own
// threads, which then spin at the next detach, and the database client's handler would shut
// every connection down and leave the program running on dead connections.
sigset_t bloqueiaSinaisDeTermino()
{
    sigset_t sinais;
    sigemptyset(&sinais);
    sigaddset(&sinais, SIGINT);
    sigaddset(&sinais, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &sinais, nullptr);
    return sinais;
}

void terminaNosSinais(const sigset_t& sinais, QObject* dono)
{
    const int descritor = signalfd(-1, &sinais, SFD_NONBLOCK | SFD_CLOEXEC);
    if (descritor < 0)
        return;
    auto* aviso = new QSocketNotifier(descritor, QSocketNotifier::Read, dono);
    QObject::connect(aviso, &QSocketNotifier::activated, dono, [descritor] {
        signalfd_siginfo info;
        while (::read(descritor, &info, sizeof info) == sizeof info) {
        }
        QCoreApplication::quit();
    });
}

} // namespace

int main(int argc, char* argv[])
{
    const sigset_t sinais = bloqueiaSinaisDeTermino();
    talvoro::ui::TAplicacao app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Talvoro"));
    terminaNosSinais(sinais, &app);
    // Brazilian formats whatever the machine says.
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    talvoro::ui::carregarFontes();
    talvoro::fb::inicializarMotor(talvoro::pastaPrograma() + QStringLiteral("firebird-lock"));

    talvoro::TDM dm;
    talvoro::ui::protegido([&dm] { dm.DataModuleCreate(); });

    auto janela = std::make_unique<talvoro::T_frmMain>(dm);
    janela->showMaximized();
    const int resultado = QApplication::exec();
    // The window (and with it the worker) goes before the data module.
    janela.reset();
    return resultado;
}
