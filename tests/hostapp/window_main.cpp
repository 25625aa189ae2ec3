// The window tests run the host's classes in this program, which stands in
// for kurvo-host: a Qt application and the host's application object in
// this program's own framework state.
#include "HostApp.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    HostApp app;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
