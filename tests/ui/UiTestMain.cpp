// The window tests need a QApplication (on the offscreen platform) and an
// application object in this module's state, whose main window the MDI
// tests set.
#include <afxwin.h>

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    CWinApp theApp("framework_ui_tests");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
