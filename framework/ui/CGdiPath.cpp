#include "CGdiPath.h"

void CGdiPath::MoveTo(QPoint pt)
{
    m_figures.push_back(Figure{QPolygon{pt}, FALSE});
    m_bFigureOpen = TRUE;
}

void CGdiPath::LineTo(QPoint ptFrom, QPoint ptTo)
{
    if (!m_bFigureOpen)
        MoveTo(ptFrom);
    m_figures.back().points.append(ptTo);
}

BOOL CGdiPath::CloseFigure()
{
    if (!m_bFigureOpen)
        return FALSE;
    m_figures.back().bClosed = TRUE;
    m_bFigureOpen = FALSE;
    return TRUE;
}

QPainterPath CGdiPath::ToFillPath() const
{
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (const Figure& figure : m_figures)
        path.addPolygon(QPolygonF(figure.points));
    return path;
}
