#include "CGdiLineRaster.h"

#include <QPaintEngine>
#include <QPainter>
#include <QTransform>

#include <cmath>

namespace
{

BOOL IsDirectFormat(QImage::Format eFormat)
{
    return eFormat == QImage::Format_RGB32 || eFormat == QImage::Format_ARGB32 ||
           eFormat == QImage::Format_ARGB32_Premultiplied;
}

} // namespace

BOOL CGdiLineRaster::MapsExactly(const QPainter& painter, QPoint& ptOffset)
{
    const QPaintEngine* pEngine = painter.paintEngine();
    if (pEngine == nullptr || pEngine->type() != QPaintEngine::Raster)
        return FALSE;
    const QTransform transform = painter.deviceTransform();
    if (transform.type() > QTransform::TxTranslate)
        return FALSE;
    const qreal dx = transform.dx();
    const qreal dy = transform.dy();
    if (dx != std::floor(dx) || dy != std::floor(dy) || std::abs(dx) > 1e9 || std::abs(dy) > 1e9)
        return FALSE;
    ptOffset = QPoint(int(dx), int(dy));
    return TRUE;
}

BOOL CGdiLineRaster::SetUpTarget(QPainter& painter, const QColor& color, Mode eMode)
{
    m_target = Target();
    if (!MapsExactly(painter, m_target.ptOffset))
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
        rgnClip &= painter.clipRegion().translated(m_target.ptOffset);
    m_target.clipRects.assign(rgnClip.begin(), rgnClip.end());

    const BOOL bOpaque = color.alpha() == 255 && painter.opacity() == 1.0 &&
                         (painter.compositionMode() == QPainter::CompositionMode_SourceOver ||
                          painter.compositionMode() == QPainter::CompositionMode_Source);
    if (eMode != Mode::Runs && bOpaque && pDevice->devType() == QInternal::Image) {
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

BOOL CGdiLineRaster::Paint(QPainter& painter, const QPoint* pChain, qsizetype nPoints,
                           const QColor& color, Mode eMode)
{
    if (!SetUpTarget(painter, color, eMode))
        return FALSE;
    if (eMode == Mode::Direct && m_target.pBits == nullptr)
        return FALSE;
    if (nPoints < 2 || m_target.clipRects.empty())
        return TRUE;
    if (m_target.pBits != nullptr)
        PaintDirect(pChain, nPoints, color.rgb() | 0xFF000000u);
    else
        PaintRuns(painter, pChain, nPoints, color);
    return TRUE;
}

void CGdiLineRaster::PaintDirect(const QPoint* pChain, qsizetype nPoints, QRgb rgb)
{
    auto* pBits = reinterpret_cast<QRgb*>(m_target.pBits);
    const qsizetype nStride = m_target.nStride;
    auto plot = [pBits, nStride, rgb](int x, int y, int nLength, bool bAlongX) {
        QRgb* p = pBits + qsizetype(y) * nStride + x;
        if (bAlongX) {
            for (int k = 0; k < nLength; ++k)
                p[k] = rgb;
        } else {
            for (int k = 0; k < nLength; ++k, p += nStride)
                *p = rgb;
        }
    };
    const QPoint ptOffset = m_target.ptOffset;
    for (qsizetype i = 1; i < nPoints; ++i) {
        for (const QRect& rc : m_target.clipRects)
            Rasterize(pChain[i - 1], pChain[i], ptOffset, rc, plot);
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
    const QPoint ptOffset = m_target.ptOffset;
    m_runs.clear();
    auto collect = [this, ptOffset](int x, int y, int nLength, bool bAlongX) {
        m_runs.emplace_back(x - ptOffset.x(), y - ptOffset.y(), bAlongX ? nLength : 1,
                            bAlongX ? 1 : nLength);
    };
    for (qsizetype i = 1; i < nPoints; ++i)
        Rasterize(pChain[i - 1], pChain[i], ptOffset, rcBounds, collect);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRects(m_runs.data(), int(m_runs.size()));
    painter.restore();
}
