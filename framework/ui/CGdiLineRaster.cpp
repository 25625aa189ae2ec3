#include "CGdiLineRaster.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace
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

// A segment in terms of its major axis a (the one it steps along) and its
// minor axis b, in device coordinates, with the clip's range on each.
// Pixels i = 0 .. n - 1 lie at a0 + sa * i along the major axis.
struct AxisSegment {
    bool bAlongX = true;
    int64_t a0 = 0;
    int64_t b0 = 0;
    int64_t d = 0; // how far the minor coordinate moves over the segment
    int64_t n = 0;
    int sa = 1;
    int64_t aLo = 0;
    int64_t aHi = 0;
    int64_t bLo = 0;
    int64_t bHi = 0;

    int64_t MinorOf(int64_t i) const { return b0 + MinorAt(i, d, n); }
    bool MinorInside(int64_t i) const
    {
        const int64_t b = MinorOf(i);
        return b >= bLo && b <= bHi;
    }
};

// Most segments of a partial repaint miss it altogether.
bool MissesClip(int64_t x0, int64_t y0, int64_t dx, int64_t dy, const QRect& rcClip)
{
    return (x0 < rcClip.left() && x0 + dx < rcClip.left()) ||
           (x0 > rcClip.right() && x0 + dx > rcClip.right()) ||
           (y0 < rcClip.top() && y0 + dy < rcClip.top()) ||
           (y0 > rcClip.bottom() && y0 + dy > rcClip.bottom());
}

AxisSegment ToAxes(int64_t x0, int64_t y0, int64_t dx, int64_t dy, const QRect& rcClip)
{
    AxisSegment s;
    s.bAlongX = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    s.a0 = s.bAlongX ? x0 : y0;
    s.b0 = s.bAlongX ? y0 : x0;
    const int64_t da = s.bAlongX ? dx : dy;
    s.d = s.bAlongX ? dy : dx;
    s.n = da < 0 ? -da : da;
    s.sa = da < 0 ? -1 : 1;
    s.aLo = s.bAlongX ? rcClip.left() : rcClip.top();
    s.aHi = s.bAlongX ? rcClip.right() : rcClip.bottom();
    s.bLo = s.bAlongX ? rcClip.top() : rcClip.left();
    s.bHi = s.bAlongX ? rcClip.bottom() : rcClip.right();
    return s;
}

// The first and the last pixel inside the clip; false when there is none.
// The minor offset is monotonic in i, so the pixels inside the minor range
// are one stretch, searched for only when an end of the segment lies
// outside it.
bool FindVisiblePixels(const AxisSegment& s, int64_t& iFirst, int64_t& iLast)
{
    iFirst = std::max<int64_t>(s.sa > 0 ? s.aLo - s.a0 : s.a0 - s.aHi, 0);
    iLast = std::min<int64_t>(s.sa > 0 ? s.aHi - s.a0 : s.a0 - s.aLo, s.n - 1);
    if (iFirst > iLast)
        return false;
    const int64_t b1 = s.b0 + s.d;
    if (s.b0 >= s.bLo && s.b0 <= s.bHi && b1 >= s.bLo && b1 <= s.bHi)
        return true;
    if (!s.MinorInside(iFirst)) {
        // Pixels before the stretch lie on the same side as the start.
        const bool bBelow = s.MinorOf(iFirst) < s.bLo;
        int64_t lo = iFirst, hi = iLast + 1; // first i past the outside stretch
        while (lo < hi) {
            const int64_t mid = lo + (hi - lo) / 2;
            const int64_t b = s.MinorOf(mid);
            if (bBelow ? b < s.bLo : b > s.bHi)
                lo = mid + 1;
            else
                hi = mid;
        }
        iFirst = lo;
        if (iFirst > iLast || !s.MinorInside(iFirst))
            return false;
    }
    int64_t lo = iFirst, hi = iLast; // last i inside
    while (lo < hi) {
        const int64_t mid = hi - (hi - lo) / 2;
        if (s.MinorInside(mid))
            lo = mid;
        else
            hi = mid - 1;
    }
    iLast = lo;
    return true;
}

// The walk from pixel iFirst to iLast, with the error term it has at step
// iFirst: num = 2 i d - n, m = ceil(num / 2n), r = num - 2n m in (-2n, 0];
// m moves when r leaves that range. The walk keeps it as e, which moves m
// when positive whatever the sign of d.
CLineWalk WalkBetween(const AxisSegment& s, int64_t iFirst, int64_t iLast)
{
    const int64_t n2 = 2 * s.n;
    int64_t m = 0;
    int64_t r = -s.n;
    if (iFirst > 0) {
        m = MinorAt(iFirst, s.d, s.n);
        r = int64_t(Wide(2) * iFirst * s.d - s.n - Wide(n2) * m);
    }
    const int64_t a = s.a0 + s.sa * iFirst;
    const int64_t b = s.b0 + m;
    CLineWalk line;
    line.x = int(s.bAlongX ? a : b);
    line.y = int(s.bAlongX ? b : a);
    line.nCount = int(iLast - iFirst + 1);
    line.bAlongX = s.bAlongX;
    line.nMajorStep = s.sa;
    line.nMinorStep = s.d < 0 ? -1 : 1;
    line.e = s.d < 0 ? -r - n2 + 1 : r;
    line.nRise = s.d < 0 ? -2 * s.d : 2 * s.d;
    line.nRun = n2;
    return line;
}

BOOL IsDirectFormat(QImage::Format eFormat)
{
    return eFormat == QImage::Format_RGB32 || eFormat == QImage::Format_ARGB32 ||
           eFormat == QImage::Format_ARGB32_Premultiplied;
}

// Each rectangle's edges rounded as the painter rounds those of a fill, so
// that a line clipped to a rectangle ends where a fill of it would.
QRegion DeviceRegion(const QRegion& rgnLogical, const QTransform& transform)
{
    if (transform.type() <= QTransform::TxTranslate &&
        transform.dx() == std::floor(transform.dx()) &&
        transform.dy() == std::floor(transform.dy()))
        return rgnLogical.translated(int(transform.dx()), int(transform.dy()));
    QRegion rgnDevice;
    for (const QRect& rc : rgnLogical) {
        const QRectF rcMapped = transform.mapRect(QRectF(rc));
        rgnDevice += QRect(QPoint(qRound(rcMapped.left()), qRound(rcMapped.top())),
                           QPoint(qRound(rcMapped.right()) - 1, qRound(rcMapped.bottom()) - 1));
    }
    return rgnDevice;
}

} // namespace

template <typename WalkSink>
void CGdiLineRaster::Rasterize(QPoint ptFrom, QPoint ptTo, QPoint ptOffset, const QRect& rcClip,
                               WalkSink&& walk)
{
    const int64_t dx = int64_t(ptTo.x()) - ptFrom.x();
    const int64_t dy = int64_t(ptTo.y()) - ptFrom.y();
    if (dx == 0 && dy == 0)
        return;
    const int64_t x0 = int64_t(ptFrom.x()) + ptOffset.x();
    const int64_t y0 = int64_t(ptFrom.y()) + ptOffset.y();
    if (MissesClip(x0, y0, dx, dy, rcClip))
        return;
    const AxisSegment segment = ToAxes(x0, y0, dx, dy, rcClip);
    int64_t iFirst = 0;
    int64_t iLast = 0;
    if (FindVisiblePixels(segment, iFirst, iLast))
        walk(WalkBetween(segment, iFirst, iLast));
}

BOOL CGdiLineRaster::SetUpMapping(const QPainter& painter)
{
    const QPaintEngine* pEngine = painter.paintEngine();
    if (pEngine == nullptr || pEngine->type() != QPaintEngine::Raster)
        return FALSE;
    const QTransform transform = painter.deviceTransform();
    if (transform.type() > QTransform::TxScale)
        return FALSE;
    const qreal f = transform.m11();
    const qreal dx = transform.dx();
    const qreal dy = transform.dy();
    // Beyond these a block or a device coordinate would leave int's range.
    const qreal fMaxScale = 64;
    const qreal fMaxOffset = 1e9;
    if (!(f > 0 && f <= fMaxScale) || transform.m22() != f || !(std::abs(dx) < fMaxOffset) ||
        !(std::abs(dy) < fMaxOffset))
        return FALSE;
    m_target.transform = transform;
    const bool bWholeBlocks = f == std::floor(f) && std::fmod(dx, f) == 0 && std::fmod(dy, f) == 0;
    if (bWholeBlocks) {
        m_target.nBlock = int(f);
        m_target.ptOffset = QPoint(int(dx / f), int(dy / f));
    } else {
        m_target.bSnapped = true;
    }
    return TRUE;
}

BOOL CGdiLineRaster::SetUpTarget(QPainter& painter, const QColor& color)
{
    m_target = Target();
    if (!SetUpMapping(painter))
        return FALSE;
    QPaintEngine* pEngine = painter.paintEngine();
    QPaintDevice* pDevice = pEngine->paintDevice();
    if (pDevice == nullptr)
        return FALSE;
    QRegion rgnClip(0, 0, pDevice->width(), pDevice->height());
    // A window's paint confines the engine to the region being painted.
    const QRegion rgnSystem = pEngine->systemClip();
    if (!rgnSystem.isEmpty())
        rgnClip &= rgnSystem;
    if (painter.hasClipping())
        rgnClip &= DeviceRegion(painter.clipRegion(), m_target.transform);
    m_target.clipRects.assign(rgnClip.begin(), rgnClip.end());

    const BOOL bOpaque = color.alpha() == 255 && painter.opacity() == 1.0 &&
                         (painter.compositionMode() == QPainter::CompositionMode_SourceOver ||
                          painter.compositionMode() == QPainter::CompositionMode_Source);
    if (bOpaque && pDevice->devType() == QInternal::Image) {
        auto* pImage = static_cast<QImage*>(pDevice);
        if (IsDirectFormat(pImage->format())) {
            // The engine writes into these same bytes; bits() could detach
            // a shared image away from them.
            m_target.pBits = const_cast<uchar*>(pImage->constBits());
            m_target.nStride = pImage->bytesPerLine() / 4;
        }
    }
    return TRUE;
}

const QPoint* CGdiLineRaster::WalkChain(const QPoint* pChain, qsizetype nPoints)
{
    if (!m_target.bSnapped)
        return pChain;
    // Each point goes where its logical pixel's first device pixel is, as
    // the painter's fills round their edges.
    const qreal fReach = 1 << 30;
    m_snapped.resize(size_t(nPoints));
    for (qsizetype i = 0; i < nPoints; ++i) {
        const QPointF pt = m_target.transform.map(QPointF(pChain[i]));
        if (!(std::abs(pt.x()) < fReach && std::abs(pt.y()) < fReach))
            return nullptr;
        m_snapped[size_t(i)] = QPoint(qRound(pt.x()), qRound(pt.y()));
    }
    return m_snapped.data();
}

BOOL CGdiLineRaster::Paint(QPainter& painter, const QPoint* pChain, qsizetype nPoints,
                           const QColor& color)
{
    if (!SetUpTarget(painter, color))
        return FALSE;
    if (nPoints < 2 || m_target.clipRects.empty())
        return TRUE;
    const QPoint* pWalk = WalkChain(pChain, nPoints);
    if (pWalk == nullptr)
        return FALSE;
    if (m_target.pBits != nullptr)
        PaintDirect(pWalk, nPoints, color.rgb() | 0xFF000000u);
    else
        PaintRuns(painter, pWalk, nPoints, color);
    return TRUE;
}

void CGdiLineRaster::PaintDirect(const QPoint* pChain, qsizetype nPoints, QRgb rgb)
{
    auto* pBits = reinterpret_cast<QRgb*>(m_target.pBits);
    const qsizetype nStride = m_target.nStride;
    auto plot = [pBits, nStride, rgb](const CLineWalk& line) {
        QRgb* p = pBits + qsizetype(line.y) * nStride + line.x;
        const qsizetype nMajor = line.bAlongX ? line.nMajorStep : line.nMajorStep * nStride;
        const qsizetype nMinor = line.bAlongX ? line.nMinorStep * nStride : line.nMinorStep;
        int64_t e = line.e;
        for (int k = line.nCount; k > 0; --k) {
            *p = rgb;
            p += nMajor;
            e += line.nRise;
            if (e > 0) {
                p += nMinor;
                e -= line.nRun;
            }
        }
    };
    const QPoint ptOffset = m_target.ptOffset;
    const int n = m_target.nBlock;
    if (n == 1) {
        for (qsizetype i = 1; i < nPoints; ++i) {
            for (const QRect& rc : m_target.clipRects)
                Rasterize(pChain[i - 1], pChain[i], ptOffset, rc, plot);
        }
        return;
    }
    for (const QRect& rcDevice : m_target.clipRects) {
        // The blocks that reach into this rectangle, each cut to it.
        const QRect rcBlocks(QPoint(rcDevice.left() / n, rcDevice.top() / n),
                             QPoint(rcDevice.right() / n, rcDevice.bottom() / n));
        auto plotBlocks = [&](const CLineWalk& line) {
            int x = line.x;
            int y = line.y;
            int& nMajor = line.bAlongX ? x : y;
            int& nMinor = line.bAlongX ? y : x;
            int64_t e = line.e;
            for (int k = line.nCount; k > 0; --k) {
                const QRect rc = QRect(x * n, y * n, n, n) & rcDevice;
                for (int py = rc.top(); py <= rc.bottom(); ++py)
                    std::fill_n(pBits + qsizetype(py) * nStride + rc.left(), rc.width(), rgb);
                nMajor += line.nMajorStep;
                e += line.nRise;
                if (e > 0) {
                    nMinor += line.nMinorStep;
                    e -= line.nRun;
                }
            }
        };
        for (qsizetype i = 1; i < nPoints; ++i)
            Rasterize(pChain[i - 1], pChain[i], ptOffset, rcBlocks, plotBlocks);
    }
}

void CGdiLineRaster::PaintRuns(QPainter& painter, const QPoint* pChain, qsizetype nPoints,
                               const QColor& color)
{
    // The painter clips again; the bounding rectangle only keeps the walk
    // short.
    QRect rcBounds;
    for (const QRect& rc : m_target.clipRects)
        rcBounds |= rc;
    const int n = m_target.nBlock;
    rcBounds = QRect(QPoint(rcBounds.left() / n, rcBounds.top() / n),
                     QPoint(rcBounds.right() / n, rcBounds.bottom() / n));
    const QPoint ptOffset = m_target.ptOffset;
    m_runs.clear();
    // One rectangle per run of pixels along the major axis.
    auto collect = [this, ptOffset](const CLineWalk& line) {
        int x = line.x - ptOffset.x();
        int y = line.y - ptOffset.y();
        int& nMajor = line.bAlongX ? x : y;
        int& nMinor = line.bAlongX ? y : x;
        int64_t e = line.e;
        int nStart = nMajor;
        for (int k = line.nCount; k > 0; --k) {
            const int nPixel = nMajor;
            nMajor += line.nMajorStep;
            e += line.nRise;
            if (e <= 0 && k > 1)
                continue;
            const int nLow = std::min(nStart, nPixel);
            const int nLength = std::abs(nPixel - nStart) + 1;
            if (line.bAlongX)
                m_runs.emplace_back(nLow, nMinor, nLength, 1);
            else
                m_runs.emplace_back(nMinor, nLow, 1, nLength);
            if (e > 0) {
                nMinor += line.nMinorStep;
                e -= line.nRun;
            }
            nStart = nMajor;
        }
    };
    for (qsizetype i = 1; i < nPoints; ++i)
        Rasterize(pChain[i - 1], pChain[i], ptOffset, rcBounds, collect);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    if (m_target.bSnapped) {
        // The runs are device pixels; the painter maps them back exactly,
        // as it rounds the edges of what it fills.
        const QTransform toLogical = m_target.transform.inverted();
        m_runsF.clear();
        for (const QRect& rc : m_runs)
            m_runsF.push_back(toLogical.mapRect(QRectF(rc)));
        painter.drawRects(m_runsF.data(), int(m_runsF.size()));
    } else {
        painter.drawRects(m_runs.data(), int(m_runs.size()));
    }
    painter.restore();
}
