// Each module's own framework state. This file is compiled into every module,
// and its names are hidden, so each module resolves them to its own copy.
#include <afx.h>

AFX_MODULE_STATE* AfxGetStaticModuleState()
{
    // Named after the file the module was loaded from, so one object file
    // serves every module.
    static AFX_MODULE_STATE state(
        AfxGetModuleNameOf(reinterpret_cast<const void*>(&AfxGetStaticModuleState)));
    return &state;
}

namespace
{
// Runs before the module's other static objects (priority 101 is the first a
// program may use), so that its application object and class records are
// registered with the module's own state. A loader that wants its own state
// back afterwards uses AfxLoadLibrary, which restores it.
__attribute__((constructor(101))) void AfxEnterModuleInit()
{
    AfxSetModuleState(AfxGetStaticModuleState());
}
} // namespace
