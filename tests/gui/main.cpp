#include <QApplication>

#include "data/fb/firebird.h"
#include "support/pastatemporaria.h"
#include "support/sanitizadores.h"

#include <gtest/gtest.h>

// Widget tests run on the offscreen platform.
int main(int argc, char** argv)
{
    // Test discovery runs this binary without CTest's environment: never ask for a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    talvoro::fb::inicializarMotor(talvoro::teste::pastaLockDosTestes());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
