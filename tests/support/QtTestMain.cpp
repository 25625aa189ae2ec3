#include "QtTestMain.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include <cstdlib>

namespace
{

QtTestSetUp::Make& Registered()
{
    static QtTestSetUp::Make make;
    return make;
}

} // namespace

QtTestSetUp::QtTestSetUp(Make make)
{
    Registered() = std::move(make);
}

std::shared_ptr<void> QtTestSetUp::Run()
{
    return Registered() ? Registered()() : nullptr;
}

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Whatever the program or Qt keeps in the user's settings stays in this
    // run: nothing of the user's or of an earlier run is read back.
    QTemporaryDir config;
    if (!config.isValid())
        return 1;
    setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const std::shared_ptr<void> program = QtTestSetUp::Run();
    return RUN_ALL_TESTS();
}
