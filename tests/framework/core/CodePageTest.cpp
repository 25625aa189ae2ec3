// The process's ANSI code page and its conversions.
#include <afx.h>

#include <gtest/gtest.h>

namespace
{

class CodePageTest : public ::testing::Test
{
protected:
    void TearDown() override { AfxSetAnsiCodePage(1251); }
};

TEST_F(CodePageTest, DefaultIsWindows1251)
{
    EXPECT_EQ(AfxGetAnsiCodePage(), 1251u);
}

TEST_F(CodePageTest, CyrillicRoundTrip)
{
    CString strAnsi;
    ASSERT_TRUE(AfxUtf8ToAnsi("Да", strAnsi));
    EXPECT_EQ(strAnsi, CString("\xC4\xE0"));
    EXPECT_EQ(AfxAnsiToUtf8("\xC4\xE0"), "Да");

    const char* pszAlphabet = "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя";
    ASSERT_TRUE(AfxUtf8ToAnsi(pszAlphabet, strAnsi));
    EXPECT_EQ(strAnsi.GetLength(), 66); // one byte each
    EXPECT_EQ(AfxAnsiToUtf8(strAnsi.str()), pszAlphabet);
}

TEST_F(CodePageTest, RefusesWhatTheCodePageCannotHold)
{
    CString strAnsi("untouched");
    EXPECT_FALSE(AfxUtf8ToAnsi("Да 中", strAnsi));
    EXPECT_FALSE(AfxUtf8ToAnsi("caf\xC3", strAnsi)); // cut UTF-8
    EXPECT_FALSE(AfxUtf8ToAnsi("\xFF\xFE", strAnsi));
    EXPECT_STREQ(strAnsi, "untouched");
    EXPECT_TRUE(AfxUtf8ToAnsi("", strAnsi));
    EXPECT_TRUE(strAnsi.IsEmpty());
}

TEST_F(CodePageTest, UndefinedBytesBecomeReplacementCharacters)
{
    // 0x98 has no character in Windows-1251.
    EXPECT_EQ(AfxAnsiToUtf8("a\x98z"), "a\xEF\xBF\xBDz");
    EXPECT_EQ(AfxAnsiToUtf8(std::string_view("\0x", 2)), std::string("\0x", 2));
}

TEST_F(CodePageTest, OtherCodePages)
{
    AfxSetAnsiCodePage(1252);
    CString strAnsi;
    ASSERT_TRUE(AfxUtf8ToAnsi("café", strAnsi));
    EXPECT_EQ(strAnsi, CString("caf\xE9"));
    EXPECT_FALSE(AfxUtf8ToAnsi("Да", strAnsi));
    AfxSetAnsiCodePage(65001);
    ASSERT_TRUE(AfxUtf8ToAnsi("Да", strAnsi));
    EXPECT_EQ(strAnsi.str(), "Да");
}

TEST_F(CodePageTest, Utf16ToAnsi)
{
    EXPECT_EQ(AfxUtf16ToAnsi(u"Да"), CString("\xC4\xE0"));
    EXPECT_EQ(AfxUtf16ToAnsi(u"a中b"), CString("a?b"));
    EXPECT_EQ(AfxUtf16ToAnsi(u"x\U0001F600y"), CString("x?y")); // a pair is one character
    const char16_t lone[] = {u'a', char16_t(0xD800), u'b', char16_t(0xDC00)};
    EXPECT_EQ(AfxUtf16ToAnsi(std::u16string_view(lone, 4)), CString("a?b?"));
}

} // namespace
