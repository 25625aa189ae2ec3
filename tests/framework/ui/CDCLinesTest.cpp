#include "GdiTestSupport.h"
#include <afxqt.h>

#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace
{

const COLORREF kInk = RGB(0, 0, 0);

struct Segment {
    POINT from;
    POINT to;
};

// What one LineTo must paint by the platform's rule: one pixel per step
// along the major axis from the start, the end left out, each at the whole
// minor coordinate nearest the exact line, the smaller one at a tie.
PixelSet ExpectedLinePixels(const Segment& seg, int nSize)
{
    PixelSet pixels;
    const int dx = seg.to.x - seg.from.x;
    const int dy = seg.to.y - seg.from.y;
    const bool bAlongX = std::abs(dx) >= std::abs(dy);
    const int n = std::max(std::abs(dx), std::abs(dy));
    const int d = bAlongX ? dy : dx;
    for (int i = 0; i < n; ++i) {
        // Small whole numbers divide exactly enough to see a tie.
        const int m = int(std::ceil(double(i) * d / n - 0.5));
        const int nMajor = (bAlongX ? seg.from.x : seg.from.y) + (bAlongX ? dx : dy) / n * i;
        const int nMinor = (bAlongX ? seg.from.y : seg.from.x) + m;
        const int x = bAlongX ? nMajor : nMinor;
        const int y = bAlongX ? nMinor : nMajor;
        if (x >= 0 && y >= 0 && x < nSize && y < nSize)
            pixels.insert({x, y});
    }
    return pixels;
}

// Draws a chain of LineTo calls; bSeparately selects the pen again between
// segments so that every segment is painted on its own.
QImage DrawChain(const std::vector<POINT>& points, int nSize, BOOL bSeparately)
{
    QImage image = MakeWhiteImage(nSize, nSize);
    CDC dc;
    EXPECT_TRUE(AfxCreateImageDC(&dc, &image));
    CPen pen(PS_GEOMETRIC | PS_SOLID, 0, kInk);
    CPen* pOldPen = dc.SelectObject(&pen);
    dc.MoveTo(points[0]);
    for (size_t i = 1; i < points.size(); ++i) {
        dc.LineTo(points[i]);
        if (bSeparately)
            dc.SelectObject(&pen);
    }
    dc.SelectObject(pOldPen);
    dc.DeleteDC();
    return image;
}

} // namespace

TEST(CDCLines, LineToPaintsItsStartAndNotItsEnd)
{
    struct Row {
        const char* pszName;
        Segment seg;
    };
    const Row rows[] = {
        {"right", {{2, 5}, {12, 5}}},          {"left", {{12, 5}, {2, 5}}},
        {"down", {{5, 2}, {5, 12}}},           {"up", {{5, 12}, {5, 2}}},
        {"diagonal down", {{2, 2}, {12, 12}}}, {"diagonal up-left", {{12, 12}, {2, 2}}},
        {"shallow back", {{14, 9}, {1, 4}}},   {"steep back", {{9, 14}, {4, 1}}},
    };
    for (const Row& row : rows) {
        const QImage image = DrawChain({row.seg.from, row.seg.to}, 16, FALSE);
        const PixelSet inked = InkedPixels(image);
        const int nLength = std::max(std::abs(row.seg.to.x - row.seg.from.x),
                                     std::abs(row.seg.to.y - row.seg.from.y));
        EXPECT_EQ(int(inked.size()), nLength) << row.pszName;
        EXPECT_TRUE(inked.count({row.seg.from.x, row.seg.from.y})) << row.pszName;
        EXPECT_FALSE(inked.count({row.seg.to.x, row.seg.to.y})) << row.pszName;
        EXPECT_EQ(inked, ExpectedLinePixels(row.seg, 16)) << row.pszName;
    }
}

TEST(CDCLines, ZeroLengthLineToPaintsNothingAndMovesNothing)
{
    const QImage image = DrawChain({{4, 4}, {4, 4}}, 8, FALSE);
    EXPECT_TRUE(InkedPixels(image).empty());
}

TEST(CDCLines, ChainsPaintTheUnionOfTheirSegmentsWhetherBatchedOrNot)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> start(10, 50), step(-12, 12);
    for (int nChain = 0; nChain < 60; ++nChain) {
        std::vector<POINT> points{{start(rng), start(rng)}};
        for (int i = 0; i < 10; ++i) {
            POINT pt{points.back().x + step(rng), points.back().y + step(rng)};
            pt.x = std::clamp<LONG>(pt.x, 0, 59);
            pt.y = std::clamp<LONG>(pt.y, 0, 59);
            if (i == 4)
                pt = points.back(); // a zero-length step inside the chain
            points.push_back(pt);
        }
        PixelSet expected;
        for (size_t i = 1; i < points.size(); ++i) {
            const PixelSet seg = ExpectedLinePixels({points[i - 1], points[i]}, 60);
            expected.insert(seg.begin(), seg.end());
        }
        EXPECT_EQ(InkedPixels(DrawChain(points, 60, FALSE)), expected) << "chain " << nChain;
        EXPECT_EQ(InkedPixels(DrawChain(points, 60, TRUE)), expected) << "chain " << nChain;
    }
}

TEST(CDCLines, WidthZeroStaysOnePixelUnderScaling)
{
    QImage image = MakeWhiteImage(40, 40);
    QPainter painter(&image);
    painter.scale(3, 3);
    CDC dc;
    ASSERT_TRUE(AfxAttachPainter(&dc, &painter));
    CPen pen(PS_GEOMETRIC | PS_SOLID, 0, kInk);
    CPen* pOldPen = dc.SelectObject(&pen);
    dc.MoveTo(1, 5);
    dc.LineTo(11, 5);
    dc.SelectObject(pOldPen);
    EXPECT_EQ(AfxDetachPainter(&dc), &painter);
    painter.end();
    for (int x = 5; x < 30; ++x) {
        int nInked = 0;
        for (int y = 0; y < 40; ++y)
            nInked += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
        EXPECT_EQ(nInked, 1) << "column " << x;
    }
}

TEST(CDCLines, TranslatedPainterKeepsTheEndPixelRule)
{
    QImage image = MakeWhiteImage(20, 20);
    QPainter painter(&image);
    painter.translate(5, 3);
    CDC dc;
    ASSERT_TRUE(AfxAttachPainter(&dc, &painter));
    dc.MoveTo(10, 2);
    dc.LineTo(0, 2);
    AfxDetachPainter(&dc);
    painter.end();
    const PixelSet inked = InkedPixels(image);
    EXPECT_EQ(inked.size(), 10u);
    EXPECT_TRUE(inked.count({15, 5}));
    EXPECT_FALSE(inked.count({5, 5}));
}

TEST(CDCLines, StrokedPathEqualsTheSameLinesDrawnDirectly)
{
    // The chart's grid: vertical lines recorded as MoveTo/LineTo in a path.
    auto drawGrid = [](BOOL bPath) {
        QImage image = MakeWhiteImage(50, 40);
        CDC dc;
        AfxCreateImageDC(&dc, &image);
        CPen pen(PS_GEOMETRIC | PS_SOLID, 0, RGB(150, 150, 150));
        CPen* pOldPen = dc.SelectObject(&pen);
        if (bPath) {
            EXPECT_TRUE(dc.BeginPath());
        }
        int x = 3;
        dc.MoveTo(x, 2);
        for (int t = 0; t < 6; ++t) {
            dc.LineTo(x, 30);
            x += 7;
            dc.MoveTo(x, 2);
        }
        if (bPath) {
            EXPECT_TRUE(InkedPixels(image).empty()) << "a path draws nothing until stroked";
            EXPECT_TRUE(dc.EndPath());
            EXPECT_TRUE(dc.StrokePath());
            EXPECT_FALSE(dc.StrokePath()) << "the path is gone after stroking";
        }
        dc.SelectObject(pOldPen);
        dc.DeleteDC();
        return image;
    };
    const QImage direct = drawGrid(FALSE);
    EXPECT_EQ(CountColor(direct, RGB(150, 150, 150)), 6 * 28);
    EXPECT_EQ(direct, drawGrid(TRUE));
}
