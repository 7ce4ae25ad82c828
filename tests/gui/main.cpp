#include <QApplication>

#include "data/fb/firebird.h"
#include "support/pastatemporaria.h"
#include "support/sanitizadores.h"
#include "ui/avisos.h"
#include "ui/fontes.h"

#include <QLocale>

#include <gtest/gtest.h>

// Widget tests run on the offscreen platform, with the program's own application object,
// fonts and locale.
int main(int argc, char** argv)
{
    // Test discovery runs this binary without CTest's environment: never ask for a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    talvoro::ui::TAplicacao app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Talvoro"));
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    talvoro::ui::carregarFontes();
    // A worker started by a window under test probes this closed loopback port, never iFood.
    if (qEnvironmentVariableIsEmpty("TALVORO_IFOOD_API"))
        qputenv("TALVORO_IFOOD_API", "http://127.0.0.1:9");
    talvoro::fb::inicializarMotor(talvoro::teste::pastaLockDosTestes());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
