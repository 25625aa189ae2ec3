// The platform's one-pixel lines, pixel for pixel. A segment steps one pixel
// at a time along its major axis (x when |dx| >= |dy|), painting its start
// and not its end; the minor coordinate is the exact one rounded to the
// nearest pixel, and where it lies exactly halfway the smaller coordinate
// wins, whichever way the line runs. (Found by drawing every slope both ways
// with an independent implementation of the platform's GDI; the fixtures in
// tests/framework/ui/golden keep that.) Clipping never moves a pixel: a clipped line
// paints exactly the visible part of the whole line.
//
// On a scaled screen the walk still decides every pixel. At a whole factor
// n it walks logical pixels and each becomes an n x n block, so the chart
// looks as it does unscaled, only larger. At a fractional factor a logical
// pixel would be one device pixel here and two there, and lines would
// change weight along their length; instead the end points are snapped to
// the device pixels where their logical pixels start, and the walk runs
// between them in device pixels: a crisp line one device pixel wide, never
// blurred across two.
//
// Painting goes straight into the pixels when the painter's device is a
// 32-bit image (an image, or a window's backing store during a paint) and
// the painter only translates or scales evenly, writes opaquely and clips to
// rectangles it can tell; otherwise the same pixels are handed to the
// painter as runs of rectangles. A painter that rotates, shears or scales
// its axes apart gets no exact pixels at all: Paint returns FALSE and the
// caller draws with Qt.
#pragma once

#include <afx.h>

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QTransform>

#include <cstdint>
#include <vector>

class QPainter;

// The pixels of a clipped segment: nCount of them from (x, y), each one
// nMajorStep further along the major axis; after each, e grows by nRise and,
// once positive, the next pixel is nMinorStep over on the minor axis and e
// drops by nRun.
struct CLineWalk {
    int x = 0;
    int y = 0;
    int nCount = 0;
    bool bAlongX = true;
    int nMajorStep = 1;
    int nMinorStep = 1;
    int64_t e = 0;
    int64_t nRise = 0;
    int64_t nRun = 1;
};

class CGdiLineRaster
{
public:
    // Paints the connected segments between nPoints consecutive points.
    // FALSE when the painter cannot map logical to device pixels exactly.
    BOOL Paint(QPainter& painter, const QPoint* pChain, qsizetype nPoints, const QColor& color);

private:
    // The part inside rcClip (device coordinates) of the segment from ptFrom
    // to ptTo (logical, ptOffset away from device coordinates), handed to
    // walk(const CLineWalk&) unless nothing of it is inside.
    template <typename WalkSink>
    static void Rasterize(QPoint ptFrom, QPoint ptTo, QPoint ptOffset, const QRect& rcClip,
                          WalkSink&& walk);

    // Where the walk runs: in logical pixels, each an nBlock square of
    // device pixels at (walk + ptOffset) * nBlock, or (bSnapped) in device
    // pixels between end points mapped through transform.
    struct Target {
        uchar* pBits = nullptr; // null: hand runs to the painter
        qsizetype nStride = 0;  // in pixels
        QPoint ptOffset;        // walk + offset = device, in blocks
        int nBlock = 1;
        bool bSnapped = false;
        QTransform transform;         // logical to device
        std::vector<QRect> clipRects; // device pixels
    };

    BOOL SetUpMapping(const QPainter& painter);
    BOOL SetUpTarget(QPainter& painter, const QColor& color);
    // The chain as the walk sees it; null when a point lies out of reach.
    const QPoint* WalkChain(const QPoint* pChain, qsizetype nPoints);
    void PaintDirect(const QPoint* pChain, qsizetype nPoints, QRgb rgb);
    void PaintRuns(QPainter& painter, const QPoint* pChain, qsizetype nPoints, const QColor& color);

    Target m_target;
    std::vector<QRect> m_runs;     // scratch, kept for its capacity
    std::vector<QRectF> m_runsF;   // scratch: the runs mapped back, when snapped
    std::vector<QPoint> m_snapped; // scratch: the chain in device pixels
};
