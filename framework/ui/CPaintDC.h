// The device context of a paint: the window's painter while WM_PAINT is
// being dispatched (BeginPaint), given back at destruction (EndPaint).
#pragma once

#include "AfxGdi.h"
#include "AfxWinConst.h"
#include "CWndSurface.h"

class CWnd;

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    BOOL fErase = FALSE;
    RECT rcPaint = {0, 0, 0, 0};
};
typedef PAINTSTRUCT* LPPAINTSTRUCT;

class AFX_API CPaintDC : public CDC
{
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd = nullptr;

private:
    CWndSurface m_surface;
};
