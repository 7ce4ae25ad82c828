#include <QApplication>

#include "data/fb/firebird.h"
#include "support/pastatemporaria.h"

#include <gtest/gtest.h>

// Widget tests run on the offscreen platform (set by CTest's environment).
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    talvoro::fb::inicializarMotor(talvoro::teste::pastaLockDosTestes());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
