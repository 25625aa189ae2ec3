// The application-layer tests run inside a real QApplication (on the
// offscreen platform under ctest), as the framework does in the host.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
