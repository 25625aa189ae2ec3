// The platform's free functions on RECT and POINT. Every one accepts null
// pointers and then returns FALSE without touching anything.
#pragma once

#include "AfxGdiTypes.h"

AFX_API BOOL SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom);
AFX_API BOOL SetRectEmpty(LPRECT lprc);
AFX_API BOOL CopyRect(LPRECT lprcDst, const RECT* lprcSrc);
AFX_API BOOL IsRectEmpty(const RECT* lprc);
AFX_API BOOL EqualRect(const RECT* lprc1, const RECT* lprc2);
AFX_API BOOL OffsetRect(LPRECT lprc, int dx, int dy);
AFX_API BOOL InflateRect(LPRECT lprc, int dx, int dy);
// The overlap of two rectangles; when they do not overlap the result is
// emptied to (0, 0, 0, 0) and FALSE is returned.
AFX_API BOOL IntersectRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2);
// The smallest rectangle holding both; an empty source is ignored.
AFX_API BOOL UnionRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2);
// Left and top edges are inside, right and bottom edges are outside.
AFX_API BOOL PtInRect(const RECT* lprc, POINT pt);
