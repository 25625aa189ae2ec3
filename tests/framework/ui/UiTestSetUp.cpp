// The window tests want an application object in this module's state, whose
// main window the MDI tests set.
#include "tests/support/QtTestMain.h"

#include <afxwin.h>

namespace
{
const QtTestSetUp kSetUp([] { return std::make_shared<CWinApp>("framework_ui_tests"); });
} // namespace
