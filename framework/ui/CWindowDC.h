// A device context for the whole window, border included; with the same
// limits as CClientDC outside a paint.
#pragma once

#include "AfxGdi.h"
#include "AfxWinConst.h"
#include "CWndSurface.h"

class CWnd;

class AFX_API CWindowDC : public CDC
{
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd = nullptr;

private:
    CWndSurface m_surface;
};
