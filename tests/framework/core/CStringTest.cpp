// CString: order, formatting, buffers, pieces and the string table.
#include <afx.h>

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

namespace
{

int Sign(int n)
{
    return (n > 0) - (n < 0);
}

TEST(CStringCompare, UnsignedBytesWithAProperPrefixFirst)
{
    struct Row {
        const char* a;
        const char* b;
        int nSign;
    };
    const Row rows[] = {
        {"ABC", "abc", -1},
        {"Ab", "Abc", -1},
        {"Abc", "Ab", 1},
        {"", "a", -1},
        {"", "", 0},
        {"same", "same", 0},
        {"\x80", "z", 1},
        {"z", "\xC0", -1},
        {"\xC4\xE0", "\xC4\xDF", 1}, // Cyrillic bytes by value
        {"a\xFF", "a\x01", 1},
        {"Z", "a", -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.a) + " vs " + row.b);
        EXPECT_EQ(Sign(CString(row.a).Compare(row.b)), row.nSign);
        EXPECT_EQ(Sign(_mbscmp(reinterpret_cast<const unsigned char*>(row.a),
                               reinterpret_cast<const unsigned char*>(row.b))),
                  row.nSign);
        // operator< (the key order of standard containers) agrees.
        EXPECT_EQ(CString(row.a) < CString(row.b), row.nSign < 0);
        EXPECT_EQ(CString(row.a) == CString(row.b), row.nSign == 0);
    }
}

// The word-at-a-time comparison of two strings answers as _mbscmp on their
// bytes, whatever the lengths, the byte values or zeros inside the strings.
TEST(CStringCompare, StringAgainstStringAnswersAsMbscmp)
{
    std::mt19937 rng(7);
    const char alphabet[] = {'\0', 'a', 'b', '\x7F', '\x80', '\xFF'};
    auto randomString = [&](const std::string& prefix) {
        std::string s = prefix.substr(0, rng() % (prefix.size() + 1));
        for (size_t n = rng() % 12; n > 0; --n)
            s += alphabet[rng() % sizeof(alphabet)];
        return s;
    };
    for (int i = 0; i < 20000; ++i) {
        // A shared prefix makes the first difference fall in every word.
        const std::string prefix = randomString(std::string(20, 'a'));
        const std::string a = randomString(prefix);
        const std::string b = randomString(prefix);
        const CString strA(a);
        const CString strB(b);
        ASSERT_EQ(Sign(strA.Compare(strB)),
                  Sign(_mbscmp(reinterpret_cast<const unsigned char*>(a.c_str()),
                               reinterpret_cast<const unsigned char*>(b.c_str()))))
            << testing::PrintToString(a) << " vs " << testing::PrintToString(b);
    }
}

TEST(CStringCompare, NoCaseFoldsAsciiOnly)
{
    EXPECT_EQ(CString("ABC").CompareNoCase("abc"), 0);
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
    EXPECT_NE(CString("\xC4").CompareNoCase("\xE4"), 0);
}

TEST(CStringFormat, PrintfSemantics)
{
    CString str;
    str.Format("MenuItem:%lu", 51467ul);
    EXPECT_STREQ(str, "MenuItem:51467");
    str.Format("%d|%5.2f|%s|%c", -12, 3.14159, "x", 'y');
    EXPECT_STREQ(str, "-12| 3.14|x|y");
    str.Format("%s", std::string(5000, 'a').c_str());
    EXPECT_EQ(str.GetLength(), 5000);
    str.Format("%s", "");
    EXPECT_TRUE(str.IsEmpty());
}

TEST(CStringBuffer, GetBufferAndRelease)
{
    CString str("abc");
    char* p = str.GetBuffer(100);
    std::strcpy(p, "a longer text");
    str.ReleaseBuffer();
    EXPECT_STREQ(str, "a longer text");
    EXPECT_EQ(str.GetLength(), 13);

    p = str.GetBuffer(0); // never shorter than the text
    EXPECT_STREQ(p, "a longer text");
    str.ReleaseBuffer(1);
    EXPECT_STREQ(str, "a");

    p = str.GetBufferSetLength(3);
    p[1] = 'b';
    p[2] = 'c';
    EXPECT_STREQ(str, "abc");
}

TEST(CStringPieces, ClampedLikeTheOriginal)
{
    CString str("Hello");
    EXPECT_STREQ(str.Mid(1), "ello");
    EXPECT_STREQ(str.Mid(1, 2), "el");
    EXPECT_STREQ(str.Mid(4, 10), "o");
    EXPECT_STREQ(str.Mid(9), "");
    EXPECT_STREQ(str.Mid(-3, 2), "He");
    EXPECT_STREQ(str.Left(2), "He");
    EXPECT_STREQ(str.Left(99), "Hello");
    EXPECT_STREQ(str.Right(3), "llo");
    EXPECT_STREQ(str.Right(-1), "");
    EXPECT_EQ(str.Find('l'), 2);
    EXPECT_EQ(str.ReverseFind('l'), 3);
    EXPECT_EQ(str.Find("lo"), 3);
    EXPECT_EQ(str.Find('z'), -1);
    EXPECT_EQ(str.Find("Hello!"), -1);
}

TEST(CStringBasics, ConstructionAndConcatenation)
{
    EXPECT_TRUE(CString(static_cast<LPCSTR>(nullptr)).IsEmpty());
    EXPECT_STREQ(CString('x', 3), "xxx");
    EXPECT_STREQ(CString("abcdef", 3), "abc");
    CString str = CString("a") + "b" + 'c';
    str += CString("d");
    str += 'e';
    EXPECT_STREQ("<" + str, "<abcde");
    EXPECT_TRUE(str == "abcde");
    CString withZero("a\0b", 3);
    EXPECT_EQ(withZero.GetLength(), 3);
    EXPECT_FALSE(withZero == "a");
}

class StringTableTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_langSaved = AfxGetUILanguage();
        static const AFX_STRING_RESOURCE english[] = {{1, "Kurvo"}, {2, "English only"}};
        static const AFX_STRING_RESOURCE russian[] = {{1, "\xCA\xF3\xF0\xE2\xEE"}};
        static const AFX_STRING_RESOURCE german[] = {{3, "Nur deutsch"}};
        m_state.AddStrings(1033, english, 2);
        m_state.AddStrings(1049, russian, 1);
        m_state.AddStrings(1031, german, 1);
    }
    void TearDown() override { AfxSetUILanguage(m_langSaved); }
    AFX_MODULE_STATE m_state{"strings"};
    LANGID m_langSaved = 1033;
};

TEST_F(StringTableTest, LanguageCopiesAndFallbacks)
{
    AFX_MAINTAIN_STATE keep(&m_state);
    CString str;
    AfxSetUILanguage(1049);
    EXPECT_TRUE(str.LoadString(1));
    EXPECT_STREQ(str, "\xCA\xF3\xF0\xE2\xEE");
    EXPECT_TRUE(str.LoadString(2)); // no Russian copy: US English
    EXPECT_STREQ(str, "English only");
    EXPECT_TRUE(str.LoadString(3)); // any copy at all
    EXPECT_STREQ(str, "Nur deutsch");
    AfxSetUILanguage(1033);
    EXPECT_TRUE(str.LoadString(1));
    EXPECT_STREQ(str, "Kurvo");
    EXPECT_FALSE(str.LoadString(99));
    EXPECT_TRUE(str.IsEmpty());
}

TEST_F(StringTableTest, OnlyTheCurrentModuleIsConsulted)
{
    CString str;
    EXPECT_FALSE(str.LoadString(2)); // the test program's own table is empty
    AFX_MAINTAIN_STATE keep(&m_state);
    EXPECT_TRUE(str.LoadString(2));
}

} // namespace
