// The platform's one-pixel lines, pixel for pixel. A segment steps one pixel
// at a time along its major axis (x when |dx| >= |dy|), painting its start
// and not its end; the minor coordinate is the exact one rounded to the
// nearest pixel, and where it lies exactly halfway the smaller coordinate
// wins, whichever way the line runs. (Found by drawing every slope both ways
// with an independent implementation of the platform's GDI; the fixtures in
// tests/gdi/golden keep that.) Clipping never moves a pixel: a clipped line
// paints exactly the visible part of the whole line.
//
// Painting goes straight into the pixels when the painter's device is a
// 32-bit image (an image, or a window's backing store during a paint) and
// the painter only translates, writes opaquely and clips to rectangles it
// can tell; otherwise the same pixels are handed to the painter as runs of
// one-pixel rectangles. A painter that scales or rotates gets no exact
// pixels at all: Paint returns FALSE and the caller draws with Qt.
#pragma once

#include <afx.h>

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>

#include <cstdint>
#include <vector>

class QPainter;

class CGdiLineRaster
{
public:
    // How the pixels reach the device; Auto picks Direct wherever it can.
    enum class Mode { Auto, Direct, Runs };

    // Paints the connected segments between nPoints consecutive points.
    // FALSE when the painter cannot map logical to device pixels exactly.
    BOOL Paint(QPainter& painter, const QPoint* pChain, qsizetype nPoints, const QColor& color,
               Mode eMode = Mode::Auto);

    // The pixel runs inside rcClip (device coordinates) of the segment from
    // ptFrom to ptTo (logical, ptOffset away from device coordinates),
    // handed to run(x, y, nLength, bAlongX) in drawing order.
    template <typename RunSink>
    static void Rasterize(QPoint ptFrom, QPoint ptTo, QPoint ptOffset, const QRect& rcClip,
                          RunSink&& run);

private:
    struct Target {
        uchar* pBits = nullptr; // null: hand runs to the painter
        qsizetype nStride = 0;  // in pixels
        QPoint ptOffset;        // logical + offset = device
        std::vector<QRect> clipRects;
    };

    static BOOL MapsExactly(const QPainter& painter, QPoint& ptOffset);
    BOOL SetUpTarget(QPainter& painter, const QColor& color, Mode eMode);
    void PaintDirect(const QPoint* pChain, qsizetype nPoints, QRgb rgb);
    void PaintRuns(QPainter& painter, const QPoint* pChain, qsizetype nPoints, const QColor& color);

    Target m_target;
    std::vector<QRect> m_runs; // scratch, kept for its capacity
};

// ---- The segment walk ----------------------------------------------------

namespace AfxLineRaster
{

using Wide = __int128;

// The minor offset of pixel i of a segment n pixels long whose minor axis
// moves by d: the nearest whole offset to i * d / n, the smaller at a tie.
inline int64_t MinorAt(int64_t i, int64_t d, int64_t n)
{
    const Wide num = Wide(2) * i * d - n;
    const Wide den = Wide(2) * n;
    // Ceiling of num / den for den > 0.
    const Wide q = num / den;
    return int64_t(q + ((num % den) > 0 ? 1 : 0));
}

} // namespace AfxLineRaster

template <typename RunSink>
void CGdiLineRaster::Rasterize(QPoint ptFrom, QPoint ptTo, QPoint ptOffset, const QRect& rcClip,
                               RunSink&& run)
{
    using AfxLineRaster::MinorAt;
    const int64_t dx = int64_t(ptTo.x()) - ptFrom.x();
    const int64_t dy = int64_t(ptTo.y()) - ptFrom.y();
    if (dx == 0 && dy == 0)
        return;
    const int64_t x0 = int64_t(ptFrom.x()) + ptOffset.x();
    const int64_t y0 = int64_t(ptFrom.y()) + ptOffset.y();
    // Most segments of a partial repaint miss it altogether.
    if ((x0 < rcClip.left() && x0 + dx < rcClip.left()) ||
        (x0 > rcClip.right() && x0 + dx > rcClip.right()) ||
        (y0 < rcClip.top() && y0 + dy < rcClip.top()) ||
        (y0 > rcClip.bottom() && y0 + dy > rcClip.bottom()))
        return;
    const bool bAlongX = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    // Major axis a, minor axis b.
    const int64_t a0 = bAlongX ? x0 : y0;
    const int64_t b0 = bAlongX ? y0 : x0;
    const int64_t da = bAlongX ? dx : dy;
    const int64_t d = bAlongX ? dy : dx;
    const int64_t n = da < 0 ? -da : da;
    const int sa = da < 0 ? -1 : 1;
    const int64_t aLo = bAlongX ? rcClip.left() : rcClip.top();
    const int64_t aHi = bAlongX ? rcClip.right() : rcClip.bottom();
    const int64_t bLo = bAlongX ? rcClip.top() : rcClip.left();
    const int64_t bHi = bAlongX ? rcClip.bottom() : rcClip.right();

    // Pixels i = 0 .. n - 1 lie at a0 + sa * i.
    int64_t iFirst = sa > 0 ? aLo - a0 : a0 - aHi;
    int64_t iLast = sa > 0 ? aHi - a0 : a0 - aLo;
    iFirst = iFirst < 0 ? 0 : iFirst;
    iLast = iLast > n - 1 ? n - 1 : iLast;
    if (iFirst > iLast)
        return;
    // The minor offset is monotonic in i, so the pixels inside the minor
    // range are one stretch; find it only when an end lies outside.
    auto inside = [&](int64_t i) {
        const int64_t b = b0 + MinorAt(i, d, n);
        return b >= bLo && b <= bHi;
    };
    const int64_t b1 = b0 + d;
    if (b0 < bLo || b0 > bHi || b1 < bLo || b1 > bHi) {
        // Pixels before the stretch lie on the same side as the start.
        const bool bFirstOut = !inside(iFirst);
        if (bFirstOut) {
            const int64_t bStart = b0 + MinorAt(iFirst, d, n);
            const bool bBelow = bStart < bLo;
            int64_t lo = iFirst, hi = iLast + 1; // first i past the outside stretch
            while (lo < hi) {
                const int64_t mid = lo + (hi - lo) / 2;
                const int64_t b = b0 + MinorAt(mid, d, n);
                if (bBelow ? b < bLo : b > bHi)
                    lo = mid + 1;
                else
                    hi = mid;
            }
            iFirst = lo;
            if (iFirst > iLast || !inside(iFirst))
                return;
        }
        int64_t lo = iFirst, hi = iLast; // last i inside
        while (lo < hi) {
            const int64_t mid = hi - (hi - lo) / 2;
            if (inside(mid))
                lo = mid;
            else
                hi = mid - 1;
        }
        iLast = lo;
    }

    // Walk the stretch with an error term: num = 2 i d - n, m = ceil(num /
    // 2n), r = num - 2n m in (-2n, 0].
    const int64_t n2 = 2 * n;
    const int64_t d2 = 2 * d;
    int64_t m = 0;
    int64_t r = -n;
    if (iFirst > 0) {
        m = MinorAt(iFirst, d, n);
        r = int64_t(AfxLineRaster::Wide(2) * iFirst * d - n - AfxLineRaster::Wide(n2) * m);
    }
    int64_t a = a0 + sa * iFirst;
    int64_t aRun = a;
    int64_t nRun = 0;
    for (int64_t i = iFirst; i <= iLast; ++i) {
        ++nRun;
        r += d2;
        int64_t mNext = m;
        if (r > 0) {
            ++mNext;
            r -= n2;
        } else if (r <= -n2) {
            --mNext;
            r += n2;
        }
        if (mNext != m || i == iLast) {
            // A run along the major axis, from its lower end.
            const int64_t aLow = sa > 0 ? aRun : aRun - (nRun - 1);
            const int64_t b = b0 + m;
            if (bAlongX)
                run(int(aLow), int(b), int(nRun), true);
            else
                run(int(b), int(aLow), int(nRun), false);
            aRun = a + sa;
            nRun = 0;
        }
        m = mNext;
        a += sa;
    }
}
