// The platform's handle-level drawing functions, for code that holds an HDC.
// Each looks the device context up with CDC::FromHandle and fails (FALSE, 0
// or null) for a handle that is not a live device context.
#pragma once

#include "AfxGdiTypes.h"

AFX_API HGDIOBJ SelectObject(HDC hDC, HGDIOBJ hObject);
AFX_API int FillRect(HDC hDC, const RECT* lprc, HBRUSH hBrush);
AFX_API BOOL MoveToEx(HDC hDC, int x, int y, LPPOINT lpPoint);
AFX_API BOOL LineTo(HDC hDC, int x, int y);
AFX_API COLORREF SetBkColor(HDC hDC, COLORREF crColor);
AFX_API COLORREF SetTextColor(HDC hDC, COLORREF crColor);
AFX_API int SetBkMode(HDC hDC, int nBkMode);
AFX_API int DrawTextA(HDC hDC, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format);
inline int DrawText(HDC hDC, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format)
{
    return DrawTextA(hDC, lpchText, cchText, lprc, format);
}
