// A module loaded by the module-state tests: it has its own framework state
// with a serial class that the test program itself does not have.
#include <afx.h>

class CModuleThing : public CObject
{
    DECLARE_SERIAL(CModuleThing)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_lValue;
        else
            ar >> m_lValue;
    }
    LONG m_lValue = 0;
};

IMPLEMENT_SERIAL(CModuleThing, CObject, 1)

namespace
{
// What the module's static initialisation saw as current.
AFX_MODULE_STATE* g_pStateAtInit = AfxGetModuleState();
} // namespace

extern "C" __attribute__((visibility("default"))) AFX_MODULE_STATE* TestModuleState()
{
    return AfxGetStaticModuleState();
}

extern "C" __attribute__((visibility("default"))) AFX_MODULE_STATE* TestModuleStateAtInit()
{
    return g_pStateAtInit;
}
