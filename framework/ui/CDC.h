// A device context: the platform's drawing state (selected pen, brush and
// font, colours, background mode, current position, path) over a QPainter.
//
// A CDC draws through a painter it borrows (Attach) or owns (CreateForImage,
// for off-screen drawing and tests); one made by CreateCompatibleDC has no
// surface and only measures text. Its handle is the CDC itself, so
// CDC::FromHandle finds it again while it has a surface.
//
// Drawing keeps the platform's pixel rules: no anti-aliasing; a pen of width
// 0 or 1 is one pixel wide whatever the transform; LineTo paints its start
// and not its end pixel; rectangles hold left/top and exclude right/bottom;
// text cells are filled with the background colour in OPAQUE mode.
// Consecutive LineTo calls are held back and painted together; anything else
// that paints, selects a pen or hands out the painter paints them first.
#pragma once

#include "CBrush.h"
#include "CFont.h"
#include "CPen.h"
#include "CPoint.h"
#include "CRect.h"
#include "CSize.h"

#include <memory>
#include <vector>

class QColor;
class QFontMetrics;
class QImage;
class QPainter;
class QPoint;
class QRect;
class QString;
struct AfxGdiObjectData;

class AFX_API CDC : public CObject
{
    DECLARE_DYNAMIC(CDC)
public:
    HDC m_hDC = nullptr;

    CDC();
    ~CDC() override;

    // ---- Surfaces ------------------------------------------------------
    // A DC without a surface: selecting and measuring work, drawing does
    // nothing. pDC is not consulted.
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    static CDC* FromHandle(HDC hDC);

    // ---- Objects -------------------------------------------------------
    // Each returns the previously selected object (a shared wrapper when
    // nobody owns it), or null when the new object is not valid.
    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);
    CFont* SelectObject(CFont* pFont);
    CGdiObject* SelectObject(CGdiObject* pObject);
    // The handle-level selection behind all of the above.
    HGDIOBJ SelectHandle(HGDIOBJ hObject);
    CPen* GetCurrentPen() const;

    // ---- Attributes ----------------------------------------------------
    COLORREF SetBkColor(COLORREF crColor);
    COLORREF SetTextColor(COLORREF crColor);
    // TRANSPARENT or OPAQUE; returns the previous mode, 0 for other values.
    int SetBkMode(int nBkMode);
    int GetBkMode() const;

    // ---- Lines and paths -----------------------------------------------
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    BOOL BeginPath();
    BOOL EndPath();
    BOOL CloseFigure();
    // Strokes (with the LineTo rule) the path that EndPath completed, then
    // discards it. FALSE when there is none.
    BOOL StrokePath();

    // ---- Areas ---------------------------------------------------------
    void FillRect(LPCRECT lpRect, CBrush* pBrush);
    BOOL FillRect(LPCRECT lpRect, HBRUSH hBrush);
    // Also leaves the background colour set to crColor, as the original
    // class library does.
    void FillSolidRect(LPCRECT lpRect, COLORREF crColor);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor);
    // Outline with the pen inside the rectangle, interior with the brush.
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(LPCRECT lpRect);
    BOOL Ellipse(int x1, int y1, int x2, int y2);
    BOOL Ellipse(LPCRECT lpRect);

    // ---- Text ----------------------------------------------------------
    // Lines break at "\r\n", "\n" and "\r" (unless DT_SINGLELINE, where
    // line breaks are left out); a break at the very end adds no line.
    // Without DT_NOPREFIX, '&' is not drawn and underlines the next
    // character, "&&" draws one '&', and a '&' ending a line is dropped.
    // DT_CALCRECT only measures: right = left + widest line, bottom = top +
    // lines x line height. Honoured too: DT_CENTER, DT_RIGHT, DT_VCENTER and
    // DT_BOTTOM (single line), DT_NOCLIP, DT_HIDEPREFIX; word breaking,
    // tabs and ellipses are not done. nCount < 0 means up to the zero.
    // Returns the height of the text, 0 on error.
    int DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat);
    // Top-left at (x, y); no line breaks or prefixes.
    BOOL TextOut(int x, int y, LPCSTR lpszString, int nCount);
    BOOL TextOut(int x, int y, const CString& str);
    CSize GetTextExtent(LPCSTR lpszString, int nCount) const;
    CSize GetTextExtent(const CString& str) const;
    BOOL GetTextMetrics(LPTEXTMETRIC lpMetrics) const;

protected:
    // The Qt side of the context; outside the class library through
    // afxqt.h only.
    friend struct AfxQtAccess;
    // Borrows an active painter; its state is saved here and restored by
    // Detach. FALSE when this DC already has a surface or pPainter is not
    // active.
    BOOL Attach(QPainter* pPainter);
    // Draws on pImage through a painter of its own, until DeleteDC.
    BOOL CreateForImage(QImage* pImage);
    // Paints what is pending, restores a borrowed painter and returns it
    // (null for an owned one, which is ended).
    QPainter* Detach();
    // The painter, with everything pending painted; the DC sets its own pen,
    // brush and font again afterwards, so the caller may change them.
    QPainter* GetPainter();

    // Text drawn through this context is also noted in *pText (a window's
    // paint notes it for assistive technology); null stops that.
    void NoteTextIn(CString* pText) { m_pDrawnText = pText; }

private:
    // The Qt side of the context (painter, pens, fonts, metrics, pending
    // lines and path) lives in CDCImpl.h, so that the class library's
    // headers reach no Qt header.
    struct Impl;
    struct DcState;

    BOOL BeginSurface(QPainter* pPainter);
    void ResetState();
    void RegisterHandle();
    void UnregisterHandle();
    void SetPenFrom(HGDIOBJ hPen, const AfxGdiObjectData& data);
    void SetBrushFrom(HGDIOBJ hBrush, const AfxGdiObjectData& data);
    void SetFontFrom(HGDIOBJ hFont, const AfxGdiObjectData& data);
    void InvalidatePainterState();

    void FlushLines();
    BOOL IsExactPixelMapping() const;
    void ApplyPen();
    void ApplyTextStyle();
    void StrokeFigures();
    BOOL FillColorRect(const QRect& rc, const QColor& color);

    const QFontMetrics& Metrics() const;
    void DrawTextLine(const QString& strLine, const std::vector<int>& underlines, QPoint ptTopLeft);
    void NoteDrawnText(LPCSTR lpszString, int nCount);

    std::unique_ptr<Impl> m_p;
    // Where text drawn on a window is noted, for assistive technology.
    CString* m_pDrawnText = nullptr;
};
