// The chart on a real display server: run through run-on-x or
// run-on-wayland, which start the server and choose Qt's platform. Run on
// its own it skips, as there is nothing real to look at.
#include "HostApp.h"

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    HostApp app;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
