// The value tip: a small bordered popup that shows a few lines of text next
// to the mouse cursor, in the desktop's icon-title font on pale yellow. The
// chart view owns one, fills it with its hover readout and places it; the tip
// hides itself as soon as the mouse moves onto it.
#pragma once

#include <afxwin.h>

class CValueTipWnd : public CWnd
{
public:
    static constexpr COLORREF crBackground = RGB(250, 250, 225);

    CValueTipWnd();
    ~CValueTipWnd() override;

    // Makes the hidden popup, owned by pParentWnd (or by nobody); always 0.
    virtual int CreateTip(CWnd* pParentWnd);

    // Neither resizes nor repaints: the caller moves the window with repainting.
    BOOL SetTipText(const CString& strText);
    const CString& GetTipText() const { return m_strText; }
    // The extent of the text at (0, 0); FALSE, with lpRect untouched, when
    // no device context can be had.
    BOOL CalcTextRect(LPRECT lpRect);

protected:
    void OnMouseMove(UINT nFlags, CPoint point);
    // Keeps the text for the tip's own painting; the caption stays empty.
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    void OnPaint();

    CString m_strText;

    DECLARE_MESSAGE_MAP()

private:
    // Names and readouts are shown as they are: an '&' is an ordinary
    // character here, not a mnemonic prefix that would hide itself.
    static constexpr UINT nTextFormat = DT_NOPREFIX;

    static BOOL CreateTipFont(CFont& font);
};
