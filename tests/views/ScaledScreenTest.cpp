// The chart and its tip on a scaled screen, in the window's real backing
// store: ctest runs this program once per scale factor (QT_SCALE_FACTOR),
// and every check holds at whatever factor the process has. The backing
// store is first filled with a colour nothing draws, so a device pixel that
// a paint leaves alone shows up; after a scroll the store must hold what a
// whole fresh paint draws.
#include "ViewTestSupport.h"
#include <afxqt.h>

#include <QBackingStore>
#include <QWidget>

#include <cmath>
#include <functional>

namespace
{

const QRgb rgbUnpainted = qRgb(255, 0, 255);

std::vector<LONG> Wave(int nTurns)
{
    std::vector<LONG> values;
    for (int t = 0; t < nTurns; ++t)
        values.push_back(LONG(300 + 200 * std::sin(t * 0.7)));
    return values;
}

int DeviceEdge(int nLogical, qreal f)
{
    return qRound(nLogical * f);
}

class ScaledScreenTest : public ChartViewTest
{
protected:
    void SetUp() override
    {
        ChartViewTest::SetUp();
        AddRace("Zeta", "Alpha", {{kindPopulation, Wave(31)}});
        Select({"Zeta"});
        ShowKinds({kindPopulation});
        SetPlot(701, 301);
        m_pView->SendMessage(WM_SETFOCUS);
        ProcessPendingEvents();
        m_f = AfxGetWidget(m_pView)->devicePixelRatioF();
    }

    static QImage* Store(QWidget* pWidget)
    {
        QPaintDevice* pDevice = pWidget->window()->backingStore()->paintDevice();
        return pDevice != nullptr && pDevice->devType() == QInternal::Image
                   ? static_cast<QImage*>(pDevice)
                   : nullptr;
    }

    // Where the visible part of a widget lies in its window's backing store.
    QRect DeviceRect(QWidget* pWidget) const
    {
        const QRect rc = pWidget->visibleRegion().boundingRect().translated(
            pWidget->mapTo(pWidget->window(), QPoint(0, 0)));
        return QRect(QPoint(DeviceEdge(rc.left(), m_f), DeviceEdge(rc.top(), m_f)),
                     QPoint(DeviceEdge(rc.left() + rc.width(), m_f) - 1,
                            DeviceEdge(rc.top() + rc.height(), m_f) - 1));
    }

    // The widget's pixels after a whole repaint over the unpainted colour.
    QImage RepaintedOverUnpainted(QWidget* pWidget)
    {
        QImage* pStore = Store(pWidget);
        if (pStore == nullptr)
            return QImage();
        pStore->fill(rgbUnpainted);
        pWidget->repaint();
        // The paint may have replaced the store's image.
        pStore = Store(pWidget);
        return pStore->copy(DeviceRect(pWidget)).convertToFormat(QImage::Format_RGB32);
    }

    QImage StoredChart()
    {
        QWidget* pWidget = AfxGetWidget(m_pView);
        ProcessPendingEvents();
        return Store(pWidget)->copy(DeviceRect(pWidget)).convertToFormat(QImage::Format_RGB32);
    }

    static int CountPixels(const QImage& image, const std::function<bool(int x, int y)>& pred)
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                n += pred(x, y) ? 1 : 0;
        }
        return n;
    }
    static int CountUnpainted(const QImage& image)
    {
        return CountPixels(image, [&](int x, int y) { return image.pixel(x, y) == rgbUnpainted; });
    }
    static int CountDiffering(const QImage& a, const QImage& b)
    {
        if (a.size() != b.size())
            return -1;
        return CountPixels(a, [&](int x, int y) { return a.pixel(x, y) != b.pixel(x, y); });
    }

    CValueTipWnd& ShowTip()
    {
        const int x = 11 * 22 + 3, y = 100;
        m_pView->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        m_ptCursor = CPoint(x, y);
        m_pView->ClientToScreen(&m_ptCursor);
        SetCursorPos(m_ptCursor.x, m_ptCursor.y);
        Tick(4);
        ProcessPendingEvents();
        return m_pView->GetTipWnd();
    }

    qreal m_f = 1;
    CPoint m_ptCursor;
};

TEST_F(ScaledScreenTest, ChartPaintsEveryDevicePixelAndScrollsWithoutStalePixels)
{
    QWidget* pChart = AfxGetWidget(m_pView);
    ASSERT_NE(Store(pChart), nullptr) << "the platform's backing store is not an image";
    SCOPED_TRACE(testing::Message() << "scale factor " << m_f);
    EXPECT_EQ(CountUnpainted(RepaintedOverUnpainted(pChart)), 0);

    // Drags of odd and even lengths: at a fractional factor only some move
    // the pixels by whole device pixels; the rest must repaint.
    const struct {
        int dx, dy;
    } drags[] = {{10, 0}, {7, 3}, {-5, -4}, {1, 1}};
    for (const auto& drag : drags) {
        SCOPED_TRACE(testing::Message() << "drag " << drag.dx << "," << drag.dy);
        m_pView->SendMessage(WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(300, 150));
        m_pView->SendMessage(WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(300 + drag.dx, 150 + drag.dy));
        m_pView->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(300 + drag.dx, 150 + drag.dy));
        const QImage scrolled = StoredChart();
        EXPECT_EQ(CountDiffering(scrolled, RepaintedOverUnpainted(pChart)), 0)
            << "stale pixels after the scroll";
    }

    m_pView->SendMessage(WM_KEYUP, VK_ADD, 1);
    m_pView->MoveWindow(0, 0, 853, 411, TRUE);
    EXPECT_EQ(CountUnpainted(RepaintedOverUnpainted(pChart)), 0) << "grown";
}

TEST_F(ScaledScreenTest, TipIsPaintedWholeWithDeviceResolutionTextBelowTheCursor)
{
    CValueTipWnd& tip = ShowTip();
    ASSERT_TRUE(tip.IsWindowVisible());
    SCOPED_TRACE(testing::Message() << "scale factor " << m_f);
    CRect rcTip;
    tip.GetWindowRect(&rcTip);
    EXPECT_EQ(rcTip.TopLeft(), CPoint(m_ptCursor.x, m_ptCursor.y + 20));

    QWidget* pTip = AfxGetWidget(&tip);
    const QImage image = RepaintedOverUnpainted(pTip);
    ASSERT_EQ(image.size(), QSize(DeviceEdge(rcTip.Width(), m_f), DeviceEdge(rcTip.Height(), m_f)));
    EXPECT_EQ(CountUnpainted(image), 0);
    EXPECT_EQ(image.pixel(image.width() - 1, image.height() / 2) & 0xffffff, 0u) << "right border";
    EXPECT_EQ(image.pixel(image.width() / 2, image.height() - 1) & 0xffffff, 0u) << "bottom border";

    // Three lines of text, each in its own band of device rows as tall as a
    // logical line times the factor.
    const int nLineHeight = (rcTip.Height() - 2) / 3;
    std::vector<int> inkRows;
    int nLinesWithInk = 0;
    for (int nLine = 0; nLine < 3; ++nLine) {
        bool bLineHasInk = false;
        for (int y = DeviceEdge(1 + nLine * nLineHeight, m_f);
             y < DeviceEdge(1 + (nLine + 1) * nLineHeight, m_f); ++y) {
            bool bInk = false;
            for (int x = 1; x < image.width() - 1 && !bInk; ++x)
                bInk = qGray(image.pixel(x, y)) < 128;
            if (bInk)
                inkRows.push_back(y);
            bLineHasInk = bLineHasInk || bInk;
        }
        nLinesWithInk += bLineHasInk ? 1 : 0;
    }
    EXPECT_EQ(nLinesWithInk, 3);
    // A text drawn at logical resolution and scaled up would repeat each
    // logical pixel over the device pixels it covers; text drawn at the
    // device's resolution differs somewhere between two such neighbours.
    if (m_f > 1) {
        int nDiffering = 0;
        for (int y : inkRows) {
            for (int x = 1; x + 1 < image.width() - 1; ++x) {
                const bool bSameLogical = std::floor(x / m_f) == std::floor((x + 1) / m_f);
                nDiffering += bSameLogical && image.pixel(x, y) != image.pixel(x + 1, y) ? 1 : 0;
            }
        }
        EXPECT_GT(nDiffering, 0) << "text upscaled from logical pixels";
    }
}

} // namespace
