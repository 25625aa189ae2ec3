// The programs that stand in for kurvo-host make the host's application
// object in their own framework state, as the host program does.
#include "HostApp.h"
#include "tests/support/QtTestMain.h"

namespace
{
const QtTestSetUp kSetUp([] { return std::make_shared<HostApp>(); });
} // namespace
