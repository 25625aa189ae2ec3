#include "CGdiLineChain.h"

#include <QPainter>
#include <QRegion>

#include <cstdlib>

BOOL CGdiLineChain::Continues(QPoint ptFrom) const
{
    return m_points.empty() || m_points.back() == ptFrom;
}

void CGdiLineChain::Extend(QPoint ptFrom, QPoint ptTo)
{
    // A zero-length segment paints nothing, not even its start.
    if (ptFrom == ptTo)
        return;
    if (m_points.empty()) {
        m_points.reserve(kMaxPoints);
        m_points.push_back(ptFrom);
    }
    m_points.push_back(ptTo);
}

void CGdiLineChain::Paint(QPainter& painter, BOOL bExactPixels)
{
    if (m_points.size() >= 2) {
        const QPen& pen = painter.pen();
        if (!bExactPixels)
            painter.drawPolyline(m_points.data(), int(m_points.size()));
        else if (pen.style() != Qt::SolidLine ||
                 !m_raster.Paint(painter, m_points.data(), qsizetype(m_points.size()), pen.color()))
            PaintExact(painter);
    }
    m_points.clear();
}

BOOL CGdiLineChain::RunsBackward(QPoint ptFrom, QPoint ptTo)
{
    // Qt takes a line as horizontal unless it is strictly steeper than 45
    // degrees; the major axis decides which pixel range it paints.
    const int dx = ptTo.x() - ptFrom.x();
    const int dy = ptTo.y() - ptFrom.y();
    return std::abs(dx) >= std::abs(dy) ? dx < 0 : dy < 0;
}

void CGdiLineChain::DrawWithoutEndPixel(QPainter& painter, QPoint ptFrom, QPoint ptTo)
{
    const QRect rcBox =
        QRect(QPoint(std::min(ptFrom.x(), ptTo.x()), std::min(ptFrom.y(), ptTo.y())),
              QPoint(std::max(ptFrom.x(), ptTo.x()), std::max(ptFrom.y(), ptTo.y())));
    QRegion rgnClip(rcBox);
    rgnClip -= QRegion(ptTo.x(), ptTo.y(), 1, 1);
    painter.save();
    painter.setClipRegion(rgnClip, Qt::IntersectClip);
    painter.drawLine(ptFrom, ptTo);
    painter.restore();
}

void CGdiLineChain::PaintExact(QPainter& painter)
{
    m_missingStarts.clear();
    const size_t nLast = m_points.size() - 1;
    for (size_t i = 0; i + 1 < nLast; ++i) {
        const QPoint ptFrom = m_points[i];
        const QPoint ptTo = m_points[i + 1];
        painter.drawLine(ptFrom, ptTo);
        if (RunsBackward(ptFrom, ptTo))
            m_missingStarts.push_back(ptFrom);
    }
    const QPoint ptFrom = m_points[nLast - 1];
    const QPoint ptTo = m_points[nLast];
    if (RunsBackward(ptFrom, ptTo)) {
        m_missingStarts.push_back(ptFrom);
        DrawWithoutEndPixel(painter, ptFrom, ptTo);
    } else {
        painter.drawLine(ptFrom, ptTo);
    }
    if (!m_missingStarts.empty())
        painter.drawPoints(m_missingStarts.data(), int(m_missingStarts.size()));
}
