#include "GdiTestSupport.h"
#include <afxqt.h>

#include <gtest/gtest.h>

TEST(CDCFill, FillRectCoversLeftAndTopButNotRightAndBottom)
{
    const COLORREF crFill = RGB(10, 200, 30);
    struct Row {
        const char* pszHow;
        int nWay;
    };
    const Row rows[] = {{"CBrush", 0}, {"HBRUSH member", 1}, {"HDC function", 2}};
    for (const Row& row : rows) {
        QImage image = MakeWhiteImage(20, 20);
        CDC dc;
        ASSERT_TRUE(AfxCreateImageDC(&dc, &image));
        CBrush brush(crFill);
        const RECT rc{3, 4, 8, 10};
        if (row.nWay == 0)
            dc.FillRect(&rc, &brush);
        else if (row.nWay == 1)
            EXPECT_TRUE(dc.FillRect(&rc, static_cast<HBRUSH>(brush)));
        else
            EXPECT_NE(FillRect(dc.m_hDC, &rc, brush), 0);
        dc.DeleteDC();
        EXPECT_EQ(CountColor(image, crFill), 5 * 6) << row.pszHow;
        EXPECT_TRUE(HasColorAt(image, 3, 4, crFill)) << row.pszHow;
        EXPECT_TRUE(HasColorAt(image, 7, 9, crFill)) << row.pszHow;
        EXPECT_FALSE(HasColorAt(image, 8, 9, crFill)) << row.pszHow;
        EXPECT_FALSE(HasColorAt(image, 7, 10, crFill)) << row.pszHow;
    }
}

TEST(CDCFill, InvertedRectanglesAndBadBrushesPaintNothing)
{
    QImage image = MakeWhiteImage(10, 10);
    CDC dc;
    ASSERT_TRUE(AfxCreateImageDC(&dc, &image));
    CBrush brush(RGB(0, 0, 0));
    const RECT rcInverted{8, 8, 2, 2};
    dc.FillRect(&rcInverted, &brush);
    const RECT rc{0, 0, 5, 5};
    EXPECT_FALSE(dc.FillRect(&rc, static_cast<HBRUSH>(nullptr)));
    CPen pen(PS_SOLID, 0, RGB(0, 0, 0));
    EXPECT_FALSE(dc.FillRect(&rc, reinterpret_cast<HBRUSH>(pen.m_hObject))) << "a pen is no brush";
    EXPECT_EQ(FillRect(reinterpret_cast<HDC>(&image), &rc, brush), 0) << "not a device context";
    dc.DeleteDC();
    EXPECT_TRUE(InkedPixels(image).empty());
}

TEST(CDCFill, RectangleOutlinesInsideItsEdges)
{
    QImage image = MakeWhiteImage(20, 20);
    CDC dc;
    ASSERT_TRUE(AfxCreateImageDC(&dc, &image));
    CBrush brush(RGB(0, 0, 255));
    dc.SelectObject(&brush);
    dc.Rectangle(2, 2, 10, 8);
    dc.DeleteDC();
    EXPECT_TRUE(HasColorAt(image, 2, 2, RGB(0, 0, 0)));
    EXPECT_TRUE(HasColorAt(image, 9, 7, RGB(0, 0, 0)));
    EXPECT_TRUE(HasColorAt(image, 10, 8, RGB(255, 255, 255)));
    EXPECT_EQ(CountColor(image, RGB(0, 0, 255)), 6 * 4);
}
