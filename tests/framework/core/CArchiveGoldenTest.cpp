// Byte-exact forms of the archive, written by hand from the published
// format: the worked example, tags, big indices, strings, counts, primitives.
#include "ArchiveTestClasses.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/ArchiveErrorExpect.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{

// Starts the index counter where a test needs it, so big indices are reached
// without writing tens of thousands of objects.
class CCounterArchive : public CArchive
{
public:
    CCounterArchive(CFile* pFile, DWORD nNextIndex) : CArchive(pFile, CArchive::store)
    {
        m_nMapCount = nNextIndex;
    }
};

const Bytes kWorkedExample = {0x02, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x09, 0x00, 0x43, 0x4F, 0x62,
                              0x53, 0x74, 0x72, 0x69, 0x6E, 0x67, 0x02, 0x41, 0x62, 0x01, 0x80,
                              0x04, 0x5A, 0x65, 0x74, 0x61, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00};

TEST(ArchiveGolden, WorkedExampleIsWrittenByteForByte)
{
    CObString a("Ab"), b("Zeta");
    Bytes bytes = StoreBytes([&](CArchive& ar) {
        ar.WriteCount(2);
        ar << &a << &b;
        ar.WriteObject(nullptr);
        ar << LONG(3);
    });
    EXPECT_EQ(bytes, kWorkedExample);
}

TEST(ArchiveGolden, WorkedExampleReadsBack)
{
    LoadBytes(kWorkedExample, [](CArchive& ar) {
        EXPECT_EQ(ar.ReadCount(), 2u);
        std::unique_ptr<CObject> p1(ar.ReadObject(RUNTIME_CLASS(CObString)));
        std::unique_ptr<CObject> p2(ar.ReadObject(RUNTIME_CLASS(CObString)));
        ASSERT_NE(p1, nullptr);
        ASSERT_NE(p2, nullptr);
        EXPECT_STREQ(static_cast<CObString*>(p1.get())->m_strValue, "Ab");
        EXPECT_STREQ(static_cast<CObString*>(p2.get())->m_strValue, "Zeta");
        EXPECT_EQ(ar.ReadObject(nullptr), nullptr);
        LONG l = 0;
        ar >> l;
        EXPECT_EQ(l, 3);
        EXPECT_EQ(ar.GetBytesLeft(), 0u);
    });
}

TEST(ArchiveGolden, RepeatedObjectsAreBackReferences)
{
    CObString a("Ab"), b("Zeta");
    Bytes bytes = StoreBytes([&](CArchive& ar) {
        ar.WriteCount(2);
        ar << &a << &b;
        ar.WriteObject(nullptr);
        ar << LONG(3);
        ar << &a << &b;
    });
    EXPECT_EQ(bytes, Concat({kWorkedExample, {0x02, 0x00, 0x03, 0x00}}));

    LoadBytes(bytes, [](CArchive& ar) {
        ar.ReadCount();
        std::unique_ptr<CObject> p1(ar.ReadObject(nullptr));
        std::unique_ptr<CObject> p2(ar.ReadObject(nullptr));
        ar.ReadObject(nullptr);
        LONG l;
        ar >> l;
        EXPECT_EQ(ar.ReadObject(nullptr), p1.get());
        EXPECT_EQ(ar.ReadObject(nullptr), p2.get());
    });
}

TEST(ArchiveGolden, NestedObjectsNumberAfterTheirOwner)
{
    // First node: class 1, object 2; the child inside its body reuses the
    // class (0x8001) and becomes object 3; its link back to the owner is 02 00.
    CTestNode root("R");
    CTestNode* pChild = root.AddChild(new CTestNode("C"));
    pChild->m_pLink = &root;
    Bytes bytes = StoreBytes([&](CArchive& ar) { ar << &root; });
    Bytes expected = Concat({{0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00},
                             Text("CTestNode"),
                             {0x01, 'R', 0x01, 0x00},                         // name, one child
                             {0x01, 0x80, 0x01, 'C', 0x00, 0x00, 0x02, 0x00}, // child, link
                             {0x00, 0x00}});                                  // root's link
    EXPECT_EQ(bytes, expected);
}

TEST(ArchiveGolden, ClassOnlyRecords)
{
    Bytes bytes = StoreBytes([](CArchive& ar) {
        ar.WriteClass(RUNTIME_CLASS(CFoo));
        ar.SerializeClass(RUNTIME_CLASS(CFoo));
        CFoo foo(7);
        ar << &foo; // class 1 exists, so the object takes index 2
        ar << &foo;
    });
    Bytes expected = Concat({{0xFF, 0xFF, 0x01, 0x00, 0x04, 0x00},
                             Text("CFoo"),
                             {0x01, 0x80},
                             {0x01, 0x80, 0x07, 0x00, 0x00, 0x00},
                             {0x02, 0x00}});
    EXPECT_EQ(bytes, expected);

    LoadBytes(bytes, [](CArchive& ar) {
        UINT nSchema = 0;
        EXPECT_EQ(ar.ReadClass(RUNTIME_CLASS(CFoo), &nSchema), RUNTIME_CLASS(CFoo));
        EXPECT_EQ(nSchema, 1u);
        ar.SerializeClass(RUNTIME_CLASS(CFoo));
        std::unique_ptr<CObject> p(ar.ReadObject(RUNTIME_CLASS(CFoo)));
        EXPECT_EQ(static_cast<CFoo*>(p.get())->m_lValue, 7);
        EXPECT_EQ(ar.ReadObject(RUNTIME_CLASS(CFoo)), p.get());
    });
}

TEST(ArchiveGolden, MapObjectTakesAnIndexAndWritesNothing)
{
    CFoo foo(1);
    Bytes bytes = StoreBytes([&](CArchive& ar) {
        ar.MapObject(&foo);
        ar << &foo;
    });
    EXPECT_EQ(bytes, (Bytes{0x01, 0x00}));
}

// Indices of 0x7FFF and above take the escape and a DWORD, with bit 31
// marking a class.
TEST(ArchiveGolden, BigIndexForms)
{
    CMemFile file;
    {
        CCounterArchive ar(&file, 0x7FFF);
        CFoo first(1), second(2);
        ar << &first;  // class 0x7FFF (new record), object 0x8000
        ar << &second; // class reference 0x7FFF, object 0x8001
        ar << &first;  // object reference 0x8000
        ar.Close();
    }
    Bytes expected = Concat({{0xFF, 0xFF, 0x01, 0x00, 0x04, 0x00},
                             Text("CFoo"),
                             {0x01, 0x00, 0x00, 0x00},
                             {0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80, 0x02, 0x00, 0x00, 0x00},
                             {0xFF, 0x7F, 0x00, 0x80, 0x00, 0x00}});
    EXPECT_EQ(file.Data(), expected);
}

TEST(ArchiveGolden, BigIndexExamplesFromTheFormat)
{
    struct Row {
        DWORD nIndex;
        bool bClass;
        Bytes tag;
    };
    const Row rows[] = {
        {0x7FFE, false, {0xFE, 0x7F}},
        {0x7FFE, true, {0xFE, 0xFF}},
        {0x7FFF, false, {0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x00}},
        {0x12345, false, {0xFF, 0x7F, 0x45, 0x23, 0x01, 0x00}},
        {0x7FFF, true, {0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80}},
        {0x8000, true, {0xFF, 0x7F, 0x00, 0x80, 0x00, 0x80}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.nIndex);
        CMemFile file;
        CCounterArchive ar(&file, row.nIndex);
        CFoo foo(0);
        if (row.bClass) {
            ar.WriteClass(RUNTIME_CLASS(CFoo)); // takes nIndex
            ar.Flush();
            size_t nBefore = file.Data().size();
            ar.WriteClass(RUNTIME_CLASS(CFoo));
            ar.Close();
            EXPECT_EQ(Bytes(file.Data().begin() + long(nBefore), file.Data().end()), row.tag);
        } else {
            ar.MapObject(&foo); // takes nIndex
            ar << &foo;
            ar.Close();
            EXPECT_EQ(file.Data(), row.tag);
        }
    }
}

TEST(ArchiveGolden, BigIndexFormsAreRead)
{
    // 0x7FFE indices taken by MapObject, so the class record gets 0x7FFF.
    CFoo mapped(0);
    Bytes bytes = Concat({{0xFF, 0xFF, 0x01, 0x00, 0x04, 0x00},
                          Text("CFoo"),
                          {0x05, 0x00, 0x00, 0x00}, // object 0x8000
                          {0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80, 0x06, 0x00, 0x00, 0x00}, // 0x8001
                          {0xFF, 0x7F, 0x00, 0x80, 0x00, 0x00},   // back to 0x8000
                          {0xFF, 0x7F, 0x01, 0x00, 0x00, 0x00}}); // long form of a small index
    LoadBytes(bytes, [&](CArchive& ar) {
        for (int i = 1; i < 0x7FFF; ++i)
            ar.MapObject(&mapped);
        std::unique_ptr<CObject> p1(ar.ReadObject(RUNTIME_CLASS(CFoo)));
        std::unique_ptr<CObject> p2(ar.ReadObject(RUNTIME_CLASS(CFoo)));
        EXPECT_EQ(static_cast<CFoo*>(p1.get())->m_lValue, 5);
        EXPECT_EQ(static_cast<CFoo*>(p2.get())->m_lValue, 6);
        EXPECT_EQ(ar.ReadObject(nullptr), p1.get());
        EXPECT_EQ(ar.ReadObject(nullptr), &mapped);
    });
}

TEST(ArchiveGolden, IndexLimitIsBadIndex)
{
    CMemFile file;
    CCounterArchive ar(&file, CArchive::nMaxMapCount - 2);
    CFoo a(1), b(2);
    ar << &a; // class 0x3FFFFFFC, object 0x3FFFFFFD: the last index there is
    EXPECT_EQ(ArchiveErrorExpect::CauseOf([&] { ar << &b; }), CArchiveException::badIndex);
    EXPECT_EQ(ArchiveErrorExpect::CauseOf([&] { ar.MapObject(&b); }), CArchiveException::badIndex);
    ar.Abort();
}

TEST(ArchiveGolden, StringLengthForms)
{
    struct Row {
        int nLength;
        Bytes prefix;
    };
    const Row rows[] = {
        {0, {0x00}},
        {2, {0x02}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {300, {0xFF, 0x2C, 0x01}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.nLength);
        CString str('x', row.nLength);
        Bytes bytes = StoreBytes([&](CArchive& ar) { ar << str; });
        ASSERT_EQ(bytes.size(), row.prefix.size() + size_t(row.nLength));
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + long(row.prefix.size())), row.prefix);
        CString back;
        LoadBytes(bytes, [&](CArchive& ar) { ar >> back; });
        EXPECT_EQ(back, str);
    }
}

TEST(ArchiveGolden, StringsAreRawBytes)
{
    CString str("\xC4\xE0 A\x00z", 5);
    Bytes bytes = StoreBytes([&](CArchive& ar) { ar << str; });
    EXPECT_EQ(bytes, (Bytes{0x05, 0xC4, 0xE0, 0x20, 0x41, 0x00}));
}

TEST(ArchiveGolden, NonCanonicalAndUnicodeStringsAreRead)
{
    struct Row {
        const char* pszName;
        Bytes bytes;
        CString expected;
    };
    const Row rows[] = {
        {"word form of a short length", {0xFF, 0x02, 0x00, 'A', 'b'}, "Ab"},
        {"dword form of a short length",
         {0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00, 'A', 'b'},
         "Ab"},
        {"utf-16",
         {0xFF, 0xFE, 0xFF, 0x04, 0x6E, 0x00, 0x61, 0x00, 0x6D, 0x00, 0x65, 0x00},
         "name"},
        {"utf-16 with a word length", {0xFF, 0xFE, 0xFF, 0xFF, 0x01, 0x00, 0x41, 0x00}, "A"},
        {"utf-16 Cyrillic", {0xFF, 0xFE, 0xFF, 0x02, 0x14, 0x04, 0x30, 0x04}, "\xC4\xE0"},
        {"utf-16 outside the code page", {0xFF, 0xFE, 0xFF, 0x02, 0x2D, 0x4E, 0x41, 0x00}, "?A"},
        {"utf-16 empty", {0xFF, 0xFE, 0xFF, 0x00}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pszName);
        CString str;
        LoadBytes(row.bytes, [&](CArchive& ar) {
            ar >> str;
            EXPECT_EQ(ar.GetBytesLeft(), 0u);
        });
        EXPECT_EQ(str, row.expected);
    }
}

TEST(ArchiveGolden, CollectionCounts)
{
    struct Row {
        DWORD nCount;
        Bytes bytes;
    };
    const Row rows[] = {
        {2, {0x02, 0x00}},
        {0xFFFE, {0xFE, 0xFF}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.nCount);
        EXPECT_EQ(StoreBytes([&](CArchive& ar) { ar.WriteCount(row.nCount); }), row.bytes);
    }
}

TEST(ArchiveGolden, PrimitivesAreLittleEndian)
{
    Bytes bytes = StoreBytes([](CArchive& ar) {
        ar << BYTE(0xAB) << WORD(0x1234) << short(-2) << LONG(-2) << DWORD(0x89ABCDEF) << 1.0f
           << -2.5 << 'z';
    });
    Bytes expected = {0xAB, 0x34, 0x12, 0xFE, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xEF, 0xCD, 0xAB, 0x89,
                      0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0xC0, 'z'};
    EXPECT_EQ(bytes, expected);

    LoadBytes(bytes, [](CArchive& ar) {
        BYTE by;
        WORD w;
        short s;
        LONG l;
        DWORD dw;
        float f;
        double d;
        char ch;
        ar >> by >> w >> s >> l >> dw >> f >> d >> ch;
        EXPECT_EQ(by, 0xAB);
        EXPECT_EQ(w, 0x1234);
        EXPECT_EQ(s, -2);
        EXPECT_EQ(l, -2);
        EXPECT_EQ(dw, 0x89ABCDEFu);
        EXPECT_EQ(f, 1.0f);
        EXPECT_EQ(d, -2.5);
        EXPECT_EQ(ch, 'z');
    });
}

} // namespace
