#include <afxwin.h>

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr)
{
    Attach(m_surface.Open(pWnd));
    NoteTextIn(m_surface.PaintText());
    m_ps.hdc = m_hDC;
    if (pWnd != nullptr)
        pWnd->GetClientRect(&m_ps.rcPaint);
}

CPaintDC::~CPaintDC()
{
    NoteTextIn(nullptr);
    Detach();
    m_surface.Close();
}
