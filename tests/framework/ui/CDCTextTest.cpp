#include "GdiTestSupport.h"

#include <afxqt.h>

#include <gtest/gtest.h>

namespace
{

// A measuring DC with the icon-title font selected, as the value tip uses.
class TextDC
{
public:
    TextDC()
    {
        LOGFONTA lf{};
        SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof(LOGFONTA), &lf, 0);
        m_font.CreateFontIndirect(&lf);
        m_dc.CreateCompatibleDC(nullptr);
        m_pOldFont = m_dc.SelectObject(&m_font);
    }
    ~TextDC() { m_dc.SelectObject(m_pOldFont); }

    CRect Measure(LPCSTR psz, UINT nFormat = 0)
    {
        CRect rc(5, 7, 5, 7);
        m_dc.DrawText(psz, -1, &rc, nFormat | DT_CALCRECT);
        return rc;
    }
    CDC& DC() { return m_dc; }

private:
    CFont m_font;
    CDC m_dc;
    CFont* m_pOldFont = nullptr;
};

} // namespace

TEST(CDCText, CalcRectOfThreeLinesIsWidestLineByThreeLineHeights)
{
    TextDC text;
    TEXTMETRIC tm{};
    ASSERT_TRUE(text.DC().GetTextMetrics(&tm));
    ASSERT_GT(tm.tmHeight, 0);
    const int nWidest = text.DC().GetTextExtent("Industry: 12345", -1).cx;
    ASSERT_GT(nWidest, text.DC().GetTextExtent("Game", -1).cx);

    for (LPCSTR psz : {"Game\r\nIndustry: 12345\r\nTurn 3", "Game\nIndustry: 12345\nTurn 3",
                       "Game\r\nIndustry: 12345\r\nTurn 3\r\n"}) {
        const CRect rc = text.Measure(psz);
        EXPECT_EQ(rc.left, 5);
        EXPECT_EQ(rc.top, 7);
        EXPECT_EQ(rc.Width(), nWidest) << psz;
        EXPECT_EQ(rc.Height(), 3 * tm.tmHeight) << psz;
    }
    EXPECT_EQ(text.Measure("a\r\nb", DT_SINGLELINE).Height(), tm.tmHeight);
    EXPECT_EQ(text.Measure("").Height(), 0);
}

TEST(CDCText, AmpersandsFollowTheMnemonicPrefixRule)
{
    TextDC text;
    struct Row {
        LPCSTR pszPrefixed; // measured with prefixes
        LPCSTR pszPlain;    // measured with DT_NOPREFIX
    };
    const Row rows[] = {
        {"A&&B", "A&B"}, {"&AB", "AB"}, {"A&B", "AB"}, {"AB&", "AB"}, {"&&&A", "&A"}};
    for (const Row& row : rows)
        EXPECT_EQ(text.Measure(row.pszPrefixed).Width(),
                  text.Measure(row.pszPlain, DT_NOPREFIX).Width())
            << row.pszPrefixed;
    EXPECT_GT(text.Measure("A&B", DT_NOPREFIX).Width(), text.Measure("A&B").Width());
}

TEST(CDCText, PrefixedCharacterIsUnderlined)
{
    auto draw = [](LPCSTR psz) {
        QImage image = MakeWhiteImage(60, 30);
        CDC dc;
        AfxCreateImageDC(&dc, &image);
        CRect rc(0, 0, 60, 30);
        dc.DrawText(psz, -1, &rc, 0);
        dc.DeleteDC();
        return InkedPixels(image);
    };
    const PixelSet plain = draw("A");
    const PixelSet underlined = draw("&A");
    EXPECT_GT(underlined.size(), plain.size());
    for (const auto& pixel : plain)
        EXPECT_TRUE(underlined.count(pixel));
}

TEST(CDCText, OpaqueModeFillsTextCellsWithTheBackgroundColour)
{
    const COLORREF crTip = RGB(250, 250, 225);
    for (int nMode : {OPAQUE, TRANSPARENT}) {
        QImage image = MakeWhiteImage(120, 60);
        CDC dc;
        ASSERT_TRUE(AfxCreateImageDC(&dc, &image));
        EXPECT_EQ(dc.GetBkMode(), OPAQUE) << "opaque is the default";
        dc.SetBkMode(nMode);
        EXPECT_EQ(dc.SetBkColor(crTip), RGB(255, 255, 255));
        CRect rc;
        dc.DrawText("Wide line\r\nx", -1, &rc, DT_CALCRECT);
        dc.DrawText("Wide line\r\nx", -1, &rc, 0);
        const CSize sizeX = dc.GetTextExtent("x", 1);
        dc.DeleteDC();
        if (nMode == OPAQUE) {
            EXPECT_TRUE(HasColorAt(image, 0, 0, crTip));
            EXPECT_TRUE(HasColorAt(image, rc.right - 1, 0, crTip));
            // The second line's cell is only as wide as its own text.
            EXPECT_TRUE(HasColorAt(image, rc.right - 1, rc.bottom - 1, RGB(255, 255, 255)));
            EXPECT_TRUE(HasColorAt(image, 0, rc.bottom - 1, crTip));
            EXPECT_FALSE(HasColorAt(image, sizeX.cx, rc.bottom - 1, crTip));
        } else {
            EXPECT_EQ(CountColor(image, crTip), 0);
        }
        EXPECT_EQ(CountColor(image, RGB(255, 255, 255)) + CountColor(image, crTip) < 120 * 60, true)
            << "some text was drawn";
    }
}

TEST(CDCText, BadArgumentsAreRefused)
{
    TextDC text;
    EXPECT_EQ(text.DC().DrawText("abc", -1, nullptr, 0), 0);
    EXPECT_EQ(text.DC().DrawText(nullptr, 3, CRect(), 0), 0);
    // A count past the terminating zero stops at the zero.
    CRect rcLong, rcShort;
    text.DC().DrawText("ab", 1000, &rcLong, DT_CALCRECT);
    text.DC().DrawText("ab", -1, &rcShort, DT_CALCRECT);
    EXPECT_TRUE(rcLong == rcShort);
}

TEST(AfxQtText, CyrillicBytesRoundTripThroughQString)
{
    const char szBytes[] = "\xCA\xF3\xF0\xE2\xEE"; // five Cyrillic letters in 1251
    const QString str = AfxToQString(szBytes);
    EXPECT_EQ(str.size(), 5);
    EXPECT_EQ(str.at(0).unicode(), 0x041A);
    CString strBack;
    ASSERT_TRUE(AfxFromQString(str, strBack));
    EXPECT_TRUE(strBack == szBytes);
    CString strUntouched("keep");
    EXPECT_FALSE(AfxFromQString(QString::fromUtf8("\xE4\xB8\xAD"), strUntouched));
    EXPECT_TRUE(strUntouched == "keep");
}
