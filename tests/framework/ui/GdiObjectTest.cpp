#include "GdiTestSupport.h"
#include <afxqt.h>

#include "framework/ui/AfxFontConversion.h"

#include <climits>
#include <cstring>
#include <gtest/gtest.h>

TEST(GdiObjects, SelectObjectReturnsThePreviousObject)
{
    QImage image = MakeWhiteImage(4, 4);
    CDC dc;
    ASSERT_TRUE(AfxCreateImageDC(&dc, &image));
    CPen penA(PS_SOLID, 0, RGB(255, 0, 0));
    CPen penB(PS_SOLID, 0, RGB(0, 255, 0));

    CPen* pStock = dc.SelectObject(&penA);
    ASSERT_NE(pStock, nullptr);
    EXPECT_EQ(pStock->m_hObject, GetStockObject(BLACK_PEN));
    EXPECT_EQ(dc.SelectObject(&penB), &penA) << "the owning wrapper comes back";
    EXPECT_EQ(dc.SelectObject(pStock), &penB);
    EXPECT_EQ(dc.GetCurrentPen()->m_hObject, GetStockObject(BLACK_PEN));

    CFont font;
    LOGFONTA lf{};
    lf.lfHeight = -13;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    CFont* pOldFont = dc.SelectObject(&font);
    ASSERT_NE(pOldFont, nullptr);
    EXPECT_EQ(dc.SelectObject(pOldFont), &font);

    CBrush brush(RGB(1, 2, 3));
    EXPECT_EQ(SelectObject(dc.m_hDC, brush.m_hObject), GetStockObject(WHITE_BRUSH));
    dc.DeleteDC();
}

TEST(GdiObjects, StaleAndForeignHandlesAreRefused)
{
    HPEN hPen = CreatePen(PS_SOLID, 0, RGB(1, 1, 1));
    EXPECT_EQ(GetObjectType(hPen), DWORD(OBJ_PEN));
    EXPECT_TRUE(DeleteObject(hPen));
    EXPECT_FALSE(DeleteObject(hPen)) << "deleted twice";
    EXPECT_FALSE(DeleteObject(nullptr));
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN))) << "stock objects stay";
    EXPECT_EQ(GetObjectType(GetStockObject(BLACK_PEN)), DWORD(OBJ_PEN));
    EXPECT_EQ(GetStockObject(-1), nullptr);
    EXPECT_EQ(GetStockObject(1000), nullptr);

    // The wrapper forgets a handle deleted behind its back.
    CBrush brush(RGB(0, 0, 0));
    EXPECT_TRUE(DeleteObject(brush.m_hObject));
    EXPECT_EQ(brush.m_hObject, nullptr);

    CDC dc;
    EXPECT_EQ(dc.GetSafeHdc(), nullptr);
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    const HDC hDC = dc.GetSafeHdc();
    EXPECT_EQ(CDC::FromHandle(hDC), &dc);
    CPen pen;
    EXPECT_EQ(dc.SelectObject(&pen), nullptr) << "a pen without a handle";
    dc.DeleteDC();
    EXPECT_EQ(CDC::FromHandle(hDC), nullptr);
    EXPECT_EQ(LineTo(hDC, 1, 1), FALSE);
}

TEST(GdiObjects, IconTitleFontHasANegativePixelHeight)
{
    LOGFONTA lf{};
    ASSERT_TRUE(SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof(LOGFONTA), &lf, 0));
    EXPECT_LT(lf.lfHeight, 0);
    EXPECT_GT(lf.lfWeight, 0);
    EXPECT_FALSE(SystemParametersInfo(SPI_GETICONTITLELOGFONT, 12, &lf, 0));
    EXPECT_FALSE(SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof(LOGFONTA), nullptr, 0));
    EXPECT_FALSE(SystemParametersInfo(0x1234, 0, &lf, 0));
}

TEST(GdiObjects, GarbageFontDescriptionsAreClamped)
{
    for (LONG nHeight : {LONG(INT_MIN), LONG(INT_MAX), LONG(0), LONG(-1)}) {
        LOGFONTA lf{};
        std::memset(lf.lfFaceName, 'x', sizeof(lf.lfFaceName)); // no terminating zero
        lf.lfHeight = nHeight;
        lf.lfWeight = INT_MAX;
        CFont font;
        ASSERT_TRUE(font.CreateFontIndirect(&lf)) << nHeight;
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CFont* pOld = dc.SelectObject(&font);
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        EXPECT_GT(tm.tmHeight, 0);
        EXPECT_LT(tm.tmHeight, 2 * kMaxFontPixels);
        dc.SelectObject(pOld);
    }
}
