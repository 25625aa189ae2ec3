// A device context for a window's client area outside a paint. Qt paints
// widgets only from their paint events, so this context measures (text
// extents in the window's font) and what it draws goes nowhere, unless it is
// made while the window is painting.
#pragma once

#include "AfxGdi.h"
#include "AfxWinConst.h"
#include "CWndSurface.h"

class CWnd;

class AFX_API CClientDC : public CDC
{
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd = nullptr;

private:
    CWndSurface m_surface;
};
