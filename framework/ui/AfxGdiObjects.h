// The platform's handle-level functions for pens, brushes and fonts, and the
// desktop's icon-title font. Handles made here live until DeleteObject; a
// stale, foreign or null handle is refused (null or FALSE), never followed.
#pragma once

#include "AfxGdiTypes.h"

// Width 0 or 1 is a one-pixel line whatever the transform; wider pens are
// geometric with round ends unless PS_ENDCAP_* says otherwise.
AFX_API HPEN CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
AFX_API HBRUSH CreateSolidBrush(COLORREF crColor);
AFX_API HFONT CreateFontIndirectA(const LOGFONTA* lplf);
inline HFONT CreateFontIndirect(const LOGFONTA* lplf)
{
    return CreateFontIndirectA(lplf);
}
// Stock objects are shared and survive DeleteObject (which still says TRUE).
AFX_API HGDIOBJ GetStockObject(int nIndex);
AFX_API BOOL DeleteObject(HGDIOBJ hObject);
// OBJ_PEN, OBJ_BRUSH, OBJ_FONT, or 0 for anything else.
AFX_API DWORD GetObjectType(HGDIOBJ hObject);
// Copies the LOGPEN, LOGBRUSH or LOGFONTA describing the object; returns the
// bytes copied, or the bytes needed when lpvObject is null; 0 on error.
AFX_API int GetObjectA(HGDIOBJ hObject, int cbBuffer, LPVOID lpvObject);
inline int GetObject(HGDIOBJ hObject, int cbBuffer, LPVOID lpvObject)
{
    return GetObjectA(hObject, cbBuffer, lpvObject);
}

// Only SPI_GETICONTITLELOGFONT is known: uiParam must be sizeof(LOGFONTA) and
// pvParam a LOGFONTA to fill, with a negative (character) pixel height. The
// font is Qt's window-title font, or the default font when no QGuiApplication
// exists yet. Other actions return FALSE.
AFX_API BOOL SystemParametersInfoA(UINT uiAction, UINT uiParam, LPVOID pvParam, UINT fWinIni);
inline BOOL SystemParametersInfo(UINT uiAction, UINT uiParam, LPVOID pvParam, UINT fWinIni)
{
    return SystemParametersInfoA(uiAction, uiParam, pvParam, fWinIni);
}
