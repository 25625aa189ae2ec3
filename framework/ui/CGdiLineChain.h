// Connected LineTo segments drawn with one pen, held back and painted
// together. Painting follows the platform's line rule: every segment paints
// its start pixel and leaves out its end pixel, so a chain paints all its
// vertices but the last.
//
// Qt's aliased one-pixel lines (flat cap) paint the half-open range from the
// smaller to the larger coordinate of the major axis, whatever the direction.
// A segment running toward smaller coordinates therefore lacks its start and
// has its end. Inside a chain the end is harmless (it is the next segment's
// start, painted anyway) and the start is added as a point; only the chain's
// last segment needs its end pixel clipped away. Segments are drawn one call
// each because Qt's polyline joins choose slightly different pixels than the
// same segments drawn apart.
//
// Qt's lines follow their own rule at ties, though, so a solid pen on a
// painter that maps pixels exactly goes to CGdiLineRaster, which paints the
// platform's pixels; Qt draws the rest (dashes, and raster devices the
// raster cannot write to).
#pragma once

#include "CGdiLineRaster.h"

#include <afx.h>

#include <QPoint>
#include <QPolygon>

#include <vector>

class QPainter;

class CGdiLineChain
{
public:
    // Beyond this many points the chain is painted and restarted from its
    // last point, which leaves the pixels unchanged.
    static constexpr size_t kMaxPoints = 4096;

    BOOL IsEmpty() const { return m_points.empty(); }
    BOOL IsFull() const { return m_points.size() >= kMaxPoints; }
    // TRUE when a segment starting at ptFrom continues this chain.
    BOOL Continues(QPoint ptFrom) const;
    // Appends the segment; the caller paints first when it does not continue.
    void Extend(QPoint ptFrom, QPoint ptTo);

    // Paints with the painter's current pen and empties the chain.
    // bExactPixels: the pen is one pixel wide and the painter maps logical
    // to device pixels by a whole-pixel translation, so the rule can be kept
    // exactly; otherwise the chain is drawn as a plain polyline.
    void Paint(QPainter& painter, BOOL bExactPixels);
    void Clear() { m_points.clear(); }

private:
    void PaintExact(QPainter& painter);
    static BOOL RunsBackward(QPoint ptFrom, QPoint ptTo);
    static void DrawWithoutEndPixel(QPainter& painter, QPoint ptFrom, QPoint ptTo);

    std::vector<QPoint> m_points; // reserved to kMaxPoints at the first segment
    CGdiLineRaster m_raster;
    std::vector<QPoint> m_missingStarts; // scratch, kept for its capacity
};
