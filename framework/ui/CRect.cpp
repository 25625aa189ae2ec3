#include "CRect.h"

#include "AfxRectFunctions.h"

#include <utility>

BOOL CRect::IsRectEmpty() const
{
    return ::IsRectEmpty(this);
}

BOOL CRect::PtInRect(POINT point) const
{
    return ::PtInRect(this, point);
}

void CRect::CopyRect(LPCRECT lpSrcRect)
{
    ::CopyRect(this, lpSrcRect);
}

BOOL CRect::EqualRect(LPCRECT lpRect) const
{
    return ::EqualRect(this, lpRect);
}

void CRect::InflateRect(LPCRECT lpRect)
{
    if (lpRect != nullptr)
        InflateRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

void CRect::InflateRect(int l, int t, int r, int b)
{
    left -= l;
    top -= t;
    right += r;
    bottom += b;
}

void CRect::DeflateRect(LPCRECT lpRect)
{
    if (lpRect != nullptr)
        DeflateRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

void CRect::OffsetRect(int x, int y)
{
    ::OffsetRect(this, x, y);
}

void CRect::NormalizeRect()
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

BOOL CRect::IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2)
{
    return ::IntersectRect(this, lpRect1, lpRect2);
}

BOOL CRect::UnionRect(LPCRECT lpRect1, LPCRECT lpRect2)
{
    return ::UnionRect(this, lpRect1, lpRect2);
}

CRect CRect::operator+(POINT point) const
{
    CRect rc(*this);
    rc.OffsetRect(point);
    return rc;
}

CRect CRect::operator-(POINT point) const
{
    CRect rc(*this);
    rc.OffsetRect(-point.x, -point.y);
    return rc;
}

CRect CRect::operator+(SIZE size) const
{
    CRect rc(*this);
    rc.OffsetRect(size);
    return rc;
}

CRect CRect::operator-(SIZE size) const
{
    CRect rc(*this);
    rc.OffsetRect(-size.cx, -size.cy);
    return rc;
}

CRect CRect::operator&(const RECT& rect2) const
{
    CRect rc;
    rc.IntersectRect(this, &rect2);
    return rc;
}

CRect CRect::operator|(const RECT& rect2) const
{
    CRect rc;
    rc.UnionRect(this, &rect2);
    return rc;
}
