// CDC: lines, paths and filled areas.
#include "CDC.h"
#include "CDCImpl.h"

#include "AfxGdiObjectData.h"

#include <QPaintEngine>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace
{

QRect RectFromEdges(int x1, int y1, int x2, int y2)
{
    return QRect(x1, y1, x2 - x1, y2 - y1);
}

} // namespace

// ---- Lines ---------------------------------------------------------------

BOOL CDC::IsExactPixelMapping() const
{
    // Pixels exist only on a raster target; a vector one (an SVG file) gets
    // each chain as the one path it is.
    const QPaintEngine* pEngine = m_p->m_pPainter->paintEngine();
    if (pEngine == nullptr || pEngine->type() != QPaintEngine::Raster)
        return FALSE;
    const QTransform transform = m_p->m_pPainter->combinedTransform();
    if (transform.type() > QTransform::TxTranslate)
        return FALSE;
    return transform.dx() == std::floor(transform.dx()) &&
           transform.dy() == std::floor(transform.dy());
}

void CDC::ApplyPen()
{
    if (!m_p->m_bPainterPenSet) {
        m_p->m_pPainter->setPen(m_p->m_state.pen);
        m_p->m_bPainterPenSet = TRUE;
    }
}

void CDC::FlushLines()
{
    if (m_p->m_lines.IsEmpty())
        return;
    ApplyPen();
    m_p->m_lines.Paint(*m_p->m_pPainter, m_p->m_state.bPenOnePixel && IsExactPixelMapping());
}

CPoint CDC::MoveTo(int x, int y)
{
    const CPoint ptPrevious(m_p->m_state.ptCurrent);
    if (m_p->m_bPathOpen)
        m_p->m_path.MoveTo(QPoint(x, y));
    m_p->m_state.ptCurrent = POINT{x, y};
    return ptPrevious;
}

BOOL CDC::LineTo(int x, int y)
{
    const QPoint ptFrom(m_p->m_state.ptCurrent.x, m_p->m_state.ptCurrent.y);
    const QPoint ptTo(x, y);
    m_p->m_state.ptCurrent = POINT{x, y};
    if (m_p->m_bPathOpen) {
        m_p->m_path.LineTo(ptFrom, ptTo);
        return TRUE;
    }
    if (m_p->m_pPainter == nullptr || m_p->m_state.pen.style() == Qt::NoPen)
        return TRUE;
    if (!m_p->m_lines.Continues(ptFrom))
        FlushLines();
    m_p->m_lines.Extend(ptFrom, ptTo);
    if (m_p->m_lines.IsFull())
        FlushLines();
    return TRUE;
}

// ---- Paths ---------------------------------------------------------------

BOOL CDC::BeginPath()
{
    m_p->m_path.Clear();
    m_p->m_bPathOpen = TRUE;
    m_p->m_bPathDone = FALSE;
    return TRUE;
}

BOOL CDC::EndPath()
{
    if (!m_p->m_bPathOpen)
        return FALSE;
    m_p->m_bPathOpen = FALSE;
    m_p->m_bPathDone = TRUE;
    return TRUE;
}

BOOL CDC::CloseFigure()
{
    return m_p->m_bPathOpen && m_p->m_path.CloseFigure();
}

void CDC::StrokeFigures()
{
    if (m_p->m_pPainter == nullptr || m_p->m_state.pen.style() == Qt::NoPen)
        return;
    FlushLines();
    for (const CGdiPath::Figure& figure : m_p->m_path.GetFigures()) {
        for (qsizetype i = 1; i < figure.points.size(); ++i)
            m_p->m_lines.Extend(figure.points[i - 1], figure.points[i]);
        if (figure.bClosed && !figure.points.isEmpty())
            m_p->m_lines.Extend(figure.points.back(), figure.points.front());
        // Figures are separate chains even when one starts where the last
        // ended, as a MoveTo would make them.
        FlushLines();
    }
}

BOOL CDC::StrokePath()
{
    if (!m_p->m_bPathDone)
        return FALSE;
    StrokeFigures();
    m_p->m_path.Clear();
    m_p->m_bPathDone = FALSE;
    return TRUE;
}

// ---- Areas ---------------------------------------------------------------

BOOL CDC::FillColorRect(const QRect& rc, const QColor& color)
{
    if (m_p->m_pPainter == nullptr || rc.width() <= 0 || rc.height() <= 0)
        return FALSE;
    FlushLines();
    m_p->m_pPainter->fillRect(rc, color);
    return TRUE;
}

BOOL CDC::FillRect(LPCRECT lpRect, HBRUSH hBrush)
{
    const AfxGdiObjectData* pData = AfxLookupGdiObject(hBrush);
    if (lpRect == nullptr || pData == nullptr || pData->eKind != AfxGdiObjectData::Kind::Brush)
        return FALSE;
    if (pData->nBrushStyle == BS_NULL)
        return TRUE;
    FillColorRect(RectFromEdges(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom),
                  AfxQColorFromColorRef(pData->crColor));
    return TRUE;
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (pBrush != nullptr)
        FillRect(lpRect, static_cast<HBRUSH>(pBrush->m_hObject));
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF crColor)
{
    if (lpRect != nullptr)
        FillSolidRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                      lpRect->bottom - lpRect->top, crColor);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor)
{
    SetBkColor(crColor);
    FillColorRect(QRect(x, y, cx, cy), AfxQColorFromColorRef(crColor));
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    if (m_p->m_pPainter == nullptr)
        return TRUE;
    FlushLines();
    QRect rc =
        RectFromEdges(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
    if (m_p->m_state.pen.style() == Qt::NoPen) {
        // Without a pen the platform fills one pixel less on the right and
        // at the bottom.
        if (m_p->m_state.bBrushVisible)
            m_p->m_pPainter->fillRect(rc.adjusted(0, 0, -1, -1), m_p->m_state.brushColor);
        return TRUE;
    }
    if (m_p->m_state.bBrushVisible)
        m_p->m_pPainter->fillRect(rc, m_p->m_state.brushColor);
    if (rc.width() > 0 && rc.height() > 0) {
        ApplyPen();
        m_p->m_pPainter->setBrush(Qt::NoBrush);
        // A one-pixel outline of QRect(x, y, w, h) covers x .. x + w.
        m_p->m_pPainter->drawRect(rc.adjusted(0, 0, -1, -1));
    }
    return TRUE;
}

BOOL CDC::Rectangle(LPCRECT lpRect)
{
    return lpRect != nullptr && Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    if (m_p->m_pPainter == nullptr)
        return TRUE;
    FlushLines();
    const QRect rc =
        RectFromEdges(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
    if (rc.width() <= 1 || rc.height() <= 1)
        return TRUE;
    ApplyPen();
    m_p->m_pPainter->setBrush(m_p->m_state.bBrushVisible ? QBrush(m_p->m_state.brushColor)
                                                         : QBrush(Qt::NoBrush));
    m_p->m_pPainter->drawEllipse(rc.adjusted(0, 0, -1, -1));
    m_p->m_pPainter->setBrush(Qt::NoBrush);
    return TRUE;
}

BOOL CDC::Ellipse(LPCRECT lpRect)
{
    return lpRect != nullptr && Ellipse(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}
