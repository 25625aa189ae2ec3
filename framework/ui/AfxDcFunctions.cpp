#include "AfxDcFunctions.h"

#include "CDC.h"

// CLR_INVALID: what the colour setters return for a bad handle.
static constexpr COLORREF kInvalidColor = 0xFFFFFFFF;

HGDIOBJ SelectObject(HDC hDC, HGDIOBJ hObject)
{
    CDC* pDC = CDC::FromHandle(hDC);
    return pDC != nullptr ? pDC->SelectHandle(hObject) : nullptr;
}

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hBrush)
{
    CDC* pDC = CDC::FromHandle(hDC);
    return pDC != nullptr ? pDC->FillRect(lprc, hBrush) : 0;
}

BOOL MoveToEx(HDC hDC, int x, int y, LPPOINT lpPoint)
{
    CDC* pDC = CDC::FromHandle(hDC);
    if (pDC == nullptr)
        return FALSE;
    const CPoint ptPrevious = pDC->MoveTo(x, y);
    if (lpPoint != nullptr)
        *lpPoint = ptPrevious;
    return TRUE;
}

BOOL LineTo(HDC hDC, int x, int y)
{
    CDC* pDC = CDC::FromHandle(hDC);
    return pDC != nullptr ? pDC->LineTo(x, y) : FALSE;
}

COLORREF SetBkColor(HDC hDC, COLORREF crColor)
{
    CDC* pDC = CDC::FromHandle(hDC);
    return pDC != nullptr ? pDC->SetBkColor(crColor) : kInvalidColor;
}

COLORREF SetTextColor(HDC hDC, COLORREF crColor)
{
    CDC* pDC = CDC::FromHandle(hDC);
    return pDC != nullptr ? pDC->SetTextColor(crColor) : kInvalidColor;
}

int SetBkMode(HDC hDC, int nBkMode)
{
    CDC* pDC = CDC::FromHandle(hDC);
    return pDC != nullptr ? pDC->SetBkMode(nBkMode) : 0;
}

int DrawTextA(HDC hDC, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format)
{
    CDC* pDC = CDC::FromHandle(hDC);
    return pDC != nullptr ? pDC->DrawText(lpchText, cchText, lprc, format) : 0;
}
