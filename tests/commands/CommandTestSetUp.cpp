// The host's side of the process: the host's own application object, made
// in this program's module state before the plug-in is loaded, and the
// host's windows closed before it goes.
#include "ChartClient.h"
#include "tests/support/QtTestMain.h"

#include <afxwin.h>

#include <gtest/gtest.h>

namespace
{
const QtTestSetUp kSetUp([] {
    struct HostEnvironment : ::testing::Environment {
        void TearDown() override { ChartClient::Instance().Shutdown(); }
    };
    ::testing::AddGlobalTestEnvironment(new HostEnvironment);
    return std::make_shared<CWinApp>("command_tests");
});
} // namespace
