#include "GdiTestSupport.h"

#include <gtest/gtest.h>

TEST(CRect, PointsOnLeftAndTopEdgesAreInsideRightAndBottomAreNot)
{
    const CRect rc(10, 20, 30, 40);
    struct Row {
        POINT pt;
        BOOL bInside;
    };
    const Row rows[] = {{{10, 20}, TRUE},  {{29, 39}, TRUE}, {{30, 20}, FALSE},
                        {{10, 40}, FALSE}, {{9, 25}, FALSE}, {{15, 19}, FALSE}};
    for (const Row& row : rows) {
        EXPECT_EQ(rc.PtInRect(row.pt), row.bInside) << row.pt.x << "," << row.pt.y;
        EXPECT_EQ(PtInRect(&rc, row.pt), row.bInside);
    }
    EXPECT_FALSE(PtInRect(nullptr, POINT{0, 0}));
}

TEST(CRect, IntersectionOfDisjointRectanglesIsEmptiedToZero)
{
    struct Row {
        RECT a, b, expected;
        BOOL bOverlap;
    };
    const Row rows[] = {
        {{0, 0, 10, 10}, {5, 5, 20, 20}, {5, 5, 10, 10}, TRUE},
        {{0, 0, 10, 10}, {10, 0, 20, 10}, {0, 0, 0, 0}, FALSE}, // touching edges
        {{0, 0, 10, 10}, {30, 30, 40, 40}, {0, 0, 0, 0}, FALSE},
        {{0, 0, 10, 10}, {2, 2, 3, 3}, {2, 2, 3, 3}, TRUE},
    };
    for (const Row& row : rows) {
        CRect rc(1, 2, 3, 4);
        EXPECT_EQ(rc.IntersectRect(&row.a, &row.b), row.bOverlap);
        EXPECT_TRUE(rc == row.expected);
    }
}

TEST(CRect, NormalizeInflateOffsetAndUnion)
{
    CRect rc(30, 40, 10, 20);
    EXPECT_TRUE(rc.IsRectEmpty());
    rc.NormalizeRect();
    EXPECT_TRUE(rc == CRect(10, 20, 30, 40));
    EXPECT_EQ(rc.Width(), 20);
    EXPECT_EQ(rc.Height(), 20);
    rc.InflateRect(1, 2);
    EXPECT_TRUE(rc == CRect(9, 18, 31, 42));
    rc.OffsetRect(-9, -18);
    EXPECT_TRUE(rc.TopLeft() == CPoint(0, 0));
    EXPECT_TRUE(rc.BottomRight() == CPoint(22, 24));

    // An empty rectangle takes no part in a union.
    CRect rcUnion;
    const RECT rcEmpty{100, 100, 100, 100};
    EXPECT_TRUE(rcUnion.UnionRect(&rc, &rcEmpty));
    EXPECT_TRUE(rcUnion == rc);

    RECT raw{1, 1, 5, 5};
    EXPECT_TRUE(SetRectEmpty(&raw));
    EXPECT_TRUE(IsRectEmpty(&raw));
    EXPECT_FALSE(OffsetRect(nullptr, 1, 1));
}
