#include <afxwin.h>

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr)
{
    Attach(m_surface.Open(pWnd));
}

CWindowDC::~CWindowDC()
{
    Detach();
    m_surface.Close();
}
