#include "base/pastas.h"
#include "data/dm.h"
#include "data/fb/firebird.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Talvoro"));
    QApplication::setApplicationDisplayName(QStringLiteral("Talvoro"));

    talvoro::fb::inicializarMotor(talvoro::pastaPrograma() + QStringLiteral("firebird-lock"));
    talvoro::TDM dm;
    try {
        dm.DataModuleCreate();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Talvoro"), QString::fromUtf8(e.what()));
    }

    QMainWindow janela;
    janela.setWindowTitle(QStringLiteral("Talvoro"));
    janela.showMaximized();
    return app.exec();
}
