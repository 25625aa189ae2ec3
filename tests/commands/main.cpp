// The host's side of the process: a QApplication and the host's own
// application object, made in this program's module state before the
// plug-in is loaded.
#include "ChartClient.h"

#include <afxwin.h>

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    CWinApp hostApp("command_tests");
    ::testing::InitGoogleTest(&argc, argv);
    // The host's windows go before its application and QApplication do.
    struct HostEnvironment : ::testing::Environment {
        void TearDown() override { ChartClient::Instance().Shutdown(); }
    };
    ::testing::AddGlobalTestEnvironment(new HostEnvironment);
    return RUN_ALL_TESTS();
}
