// The figures recorded between BeginPath and EndPath: each starts at a
// MoveTo (or at the current position when a LineTo comes first) and goes on
// through LineTo points; CloseFigure adds the way back to its start.
#pragma once

#include <afx.h>

#include <QPainterPath>
#include <QPolygon>

#include <vector>

class CGdiPath
{
public:
    struct Figure {
        QPolygon points;
        BOOL bClosed = FALSE;
    };

    BOOL IsEmpty() const { return m_figures.empty(); }
    const std::vector<Figure>& GetFigures() const { return m_figures; }

    void MoveTo(QPoint pt);
    void LineTo(QPoint ptFrom, QPoint ptTo);
    BOOL CloseFigure();
    void Clear() { m_figures.clear(); }
    // Every figure closed, for filling (alternate rule).
    QPainterPath ToFillPath() const;

private:
    std::vector<Figure> m_figures;
    BOOL m_bFigureOpen = FALSE;
};
