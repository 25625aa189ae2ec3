// CDC: text measuring and drawing.
#include "CDC.h"
#include "CDCImpl.h"

#include "AfxGdiObjectData.h"
#include "AfxQtText.h"
#include "CGdiTextLines.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

namespace
{

int LineHeight(const QFontMetrics& metrics)
{
    return metrics.ascent() + metrics.descent();
}

// The bytes DrawText and TextOut may read: up to nCount, never past the zero.
int ClampCount(LPCSTR lpsz, int nCount)
{
    if (lpsz == nullptr)
        return 0;
    return nCount < 0 ? int(std::strlen(lpsz)) : int(strnlen(lpsz, size_t(nCount)));
}

} // namespace

const QFontMetrics& CDC::Metrics() const
{
    if (!m_p->m_metrics) {
        if (m_p->m_pPainter != nullptr && m_p->m_pPainter->device() != nullptr)
            m_p->m_metrics.emplace(m_p->m_state.font, m_p->m_pPainter->device());
        else
            m_p->m_metrics.emplace(m_p->m_state.font);
    }
    return *m_p->m_metrics;
}

void CDC::ApplyTextStyle()
{
    if (!m_p->m_bPainterFontSet) {
        m_p->m_pPainter->setFont(m_p->m_state.font);
        m_p->m_bPainterFontSet = TRUE;
    }
    // The text colour travels in the painter's pen, so lines set theirs again.
    m_p->m_pPainter->setPen(AfxQColorFromColorRef(m_p->m_state.crText));
    m_p->m_bPainterPenSet = FALSE;
}

void CDC::DrawTextLine(const QString& strLine, const std::vector<int>& underlines, QPoint ptTopLeft)
{
    const QFontMetrics& metrics = Metrics();
    const int nWidth = metrics.horizontalAdvance(strLine);
    if (m_p->m_state.nBkMode == OPAQUE && nWidth > 0)
        m_p->m_pPainter->fillRect(QRect(ptTopLeft.x(), ptTopLeft.y(), nWidth, LineHeight(metrics)),
                                  AfxQColorFromColorRef(m_p->m_state.crBk));
    m_p->m_pPainter->drawText(QPoint(ptTopLeft.x(), ptTopLeft.y() + metrics.ascent()), strLine);
    const int nThickness = std::max(1, metrics.lineWidth());
    const int yUnderline = ptTopLeft.y() + metrics.ascent() + metrics.underlinePos();
    for (int nIndex : underlines) {
        const int x = ptTopLeft.x() + metrics.horizontalAdvance(strLine.left(nIndex));
        const int nCharWidth = metrics.horizontalAdvance(strLine.mid(nIndex, 1));
        m_p->m_pPainter->fillRect(QRect(x, yUnderline, nCharWidth, nThickness),
                                  AfxQColorFromColorRef(m_p->m_state.crText));
    }
}

void CDC::NoteDrawnText(LPCSTR lpszString, int nCount)
{
    if (m_pDrawnText == nullptr || nCount <= 0)
        return;
    if (!m_pDrawnText->IsEmpty())
        *m_pDrawnText += "\r\n";
    *m_pDrawnText += CString(lpszString, nCount);
}

int CDC::DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    if (lpRect == nullptr || lpszString == nullptr)
        return 0;
    const std::vector<CGdiTextLines::Line> lines =
        CGdiTextLines::Split(AfxToQString(lpszString, ClampCount(lpszString, nCount)), nFormat);
    const QFontMetrics& metrics = Metrics();
    const int nLineHeight = LineHeight(metrics);

    std::vector<int> widths;
    widths.reserve(lines.size());
    int nWidest = 0;
    for (const CGdiTextLines::Line& line : lines) {
        widths.push_back(metrics.horizontalAdvance(line.strText));
        nWidest = std::max(nWidest, widths.back());
    }
    const int nTextHeight = nLineHeight * int(lines.size());

    if (nFormat & DT_CALCRECT) {
        lpRect->right = lpRect->left + nWidest;
        lpRect->bottom = lpRect->top + nTextHeight;
        return nTextHeight;
    }

    const QRect rcBox(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                      lpRect->bottom - lpRect->top);
    int yTop = rcBox.top();
    if (nFormat & DT_SINGLELINE) {
        if (nFormat & DT_BOTTOM)
            yTop = rcBox.top() + rcBox.height() - nLineHeight;
        else if (nFormat & DT_VCENTER)
            yTop = rcBox.top() + (rcBox.height() - nLineHeight) / 2;
    }
    if (m_p->m_pPainter == nullptr || lines.empty())
        return nTextHeight;
    NoteDrawnText(lpszString, ClampCount(lpszString, nCount));

    FlushLines();
    ApplyTextStyle();
    const BOOL bClip =
        (nFormat & DT_NOCLIP) == 0 && (nWidest > rcBox.width() || yTop < rcBox.top() ||
                                       yTop + nTextHeight > rcBox.top() + rcBox.height());
    if (bClip) {
        m_p->m_pPainter->save();
        m_p->m_pPainter->setClipRect(rcBox, Qt::IntersectClip);
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        int x = rcBox.left();
        if (nFormat & DT_CENTER)
            x += (rcBox.width() - widths[i]) / 2;
        else if (nFormat & DT_RIGHT)
            x += rcBox.width() - widths[i];
        DrawTextLine(lines[i].strText, lines[i].underlines, QPoint(x, yTop + int(i) * nLineHeight));
    }
    if (bClip) {
        m_p->m_pPainter->restore();
        InvalidatePainterState();
    }
    return yTop - rcBox.top() + nTextHeight;
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    return DrawText(str.GetString(), str.GetLength(), lpRect, nFormat);
}

BOOL CDC::TextOut(int x, int y, LPCSTR lpszString, int nCount)
{
    if (lpszString == nullptr || nCount < 0)
        return FALSE;
    if (m_p->m_pPainter == nullptr)
        return TRUE;
    NoteDrawnText(lpszString, ClampCount(lpszString, nCount));
    FlushLines();
    ApplyTextStyle();
    DrawTextLine(AfxToQString(lpszString, ClampCount(lpszString, nCount)), {}, QPoint(x, y));
    return TRUE;
}

BOOL CDC::TextOut(int x, int y, const CString& str)
{
    return TextOut(x, y, str.GetString(), str.GetLength());
}

CSize CDC::GetTextExtent(LPCSTR lpszString, int nCount) const
{
    const QFontMetrics& metrics = Metrics();
    const QString strText = AfxToQString(lpszString, ClampCount(lpszString, nCount));
    return CSize(metrics.horizontalAdvance(strText), LineHeight(metrics));
}

CSize CDC::GetTextExtent(const CString& str) const
{
    return GetTextExtent(str.GetString(), str.GetLength());
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const
{
    if (lpMetrics == nullptr)
        return FALSE;
    const QFontMetrics& metrics = Metrics();
    lpMetrics->tmHeight = LineHeight(metrics);
    lpMetrics->tmAscent = metrics.ascent();
    lpMetrics->tmDescent = metrics.descent();
    lpMetrics->tmInternalLeading = std::max(0, LineHeight(metrics) - m_p->m_state.font.pixelSize());
    lpMetrics->tmExternalLeading = std::max(0, metrics.leading());
    lpMetrics->tmAveCharWidth = metrics.averageCharWidth();
    lpMetrics->tmMaxCharWidth = metrics.maxWidth();
    lpMetrics->tmWeight = m_p->m_state.font.weight();
    return TRUE;
}
