#include <QCoreApplication>

#include "data/fb/firebird.h"
#include "support/pastatemporaria.h"
#include "support/sanitizadores.h"

#include <gtest/gtest.h>

// Core tests need an event loop for the worker's timers, but no windows.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    talvoro::fb::inicializarMotor(talvoro::teste::pastaLockDosTestes());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
