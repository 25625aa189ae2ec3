#include "views/CValueTipWnd.h"

BEGIN_MESSAGE_MAP(CValueTipWnd, CWnd)
ON_WM_MOUSEMOVE()
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_WM_PAINT()
END_MESSAGE_MAP()

namespace
{

const UINT nTipClassStyle = CS_NOCLOSE | CS_SAVEBITS | CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW;
const DWORD dwTipStyle = WS_POPUP | WS_BORDER;

} // namespace

CValueTipWnd::CValueTipWnd() = default;

CValueTipWnd::~CValueTipWnd() = default;

int CValueTipWnd::CreateTip(CWnd* pParentWnd)
{
    // The brush belongs to the window class from here on.
    HBRUSH hbrBackground = ::CreateSolidBrush(crBackground);
    LPCSTR lpszClass = AfxRegisterWndClass(nTipClassStyle, nullptr, hbrBackground, nullptr);
    CreateEx(0, lpszClass, nullptr, dwTipStyle, 10, 10, 100, 100,
             pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : nullptr, nullptr, nullptr);
    return 0;
}

BOOL CValueTipWnd::SetTipText(const CString& strText)
{
    m_strText = strText;
    return TRUE;
}

// Made afresh for every use, so the tip follows the desktop's font. Should
// the desktop not report one, the description stays zeroed and the
// framework's default font is used.
BOOL CValueTipWnd::CreateTipFont(CFont& font)
{
    LOGFONTA logFont = {};
    if (!::SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof(LOGFONTA), &logFont, 0))
        logFont = LOGFONTA{};
    return font.CreateFontIndirect(&logFont);
}

BOOL CValueTipWnd::CalcTextRect(LPRECT lpRect)
{
    if (lpRect == nullptr)
        return FALSE;
    CDC* pDC = GetDC();
    if (pDC == nullptr)
        return FALSE;
    CFont font;
    CreateTipFont(font);
    CFont* pOldFont = pDC->SelectObject(&font);
    ::SetRectEmpty(lpRect);
    pDC->DrawText(m_strText, m_strText.GetLength(), lpRect, DT_CALCRECT | nTextFormat);
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
    ReleaseDC(pDC);
    return TRUE;
}

void CValueTipWnd::OnMouseMove(UINT, CPoint)
{
    Default();
    ShowWindow(SW_HIDE);
}

LRESULT CValueTipWnd::OnSetText(WPARAM, LPARAM lParam)
{
    m_strText = lParam != 0 ? reinterpret_cast<LPCSTR>(lParam) : "";
    return 0;
}

void CValueTipWnd::OnPaint()
{
    CPaintDC dc(this);
    CFont font;
    CreateTipFont(font);
    CFont* pOldFont = dc.SelectObject(&font);
    CRect rcText(0, 0, 0, 0);
    dc.DrawText(m_strText, m_strText.GetLength(), &rcText, DT_CALCRECT | nTextFormat);
    dc.SetBkColor(crBackground);
    dc.DrawText(m_strText, m_strText.GetLength(), &rcText, nTextFormat);
    if (pOldFont != nullptr)
        dc.SelectObject(pOldFont);
}
