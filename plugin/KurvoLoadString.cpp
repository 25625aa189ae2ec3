#include "plugin/KurvoLoadString.h"

CString KurvoLoadString(UINT nID)
{
    AFX_MAINTAIN_STATE state(AfxGetStaticModuleState());
    CString str;
    if (!str.LoadString(nID))
        str.Empty();
    return str;
}
