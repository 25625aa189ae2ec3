#include <afxwin.h>

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr)
{
    Attach(m_surface.Open(pWnd));
}

CClientDC::~CClientDC()
{
    Detach();
    m_surface.Close();
}
