// Objects written and read back, through memory and through real files.
#include "ArchiveTestClasses.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/ArchiveErrorExpect.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <filesystem>
#include <memory>
#include <unistd.h>
#include <vector>

namespace
{

TEST(ArchiveRoundTrip, GraphWithCyclesAndSharedObjects)
{
    Bytes bytes;
    {
        CTestNode root("root");
        CTestNode* pA = root.AddChild(new CTestNode("a"));
        CTestNode* pB = root.AddChild(new CTestNode("b"));
        // Links point back to what is already written (an owner, an earlier
        // sibling); a forward link would write the child before its owner
        // does, and its owner would then meet a back-reference.
        pA->m_pLink = &root;
        pB->m_pLink = pA;
        root.m_pLink = pB;
        bytes = StoreBytes([&](CArchive& ar) { ar << &root; });
    }
    LoadBytes(bytes, [](CArchive& ar) {
        std::unique_ptr<CObject> pOb(ar.ReadObject(RUNTIME_CLASS(CTestNode)));
        auto* pRoot = static_cast<CTestNode*>(pOb.get());
        ASSERT_EQ(pRoot->m_children.size(), 2u);
        auto* pA = static_cast<CTestNode*>(pRoot->m_children[0]);
        auto* pB = static_cast<CTestNode*>(pRoot->m_children[1]);
        EXPECT_STREQ(pRoot->m_strName, "root");
        EXPECT_STREQ(pA->m_strName, "a");
        EXPECT_STREQ(pB->m_strName, "b");
        EXPECT_EQ(pA->m_pLink, pRoot);
        EXPECT_EQ(pB->m_pLink, pA);
        EXPECT_EQ(pRoot->m_pLink, pB);
    });
    EXPECT_EQ(CTestNode::s_nLive, 0);
}

TEST(ArchiveRoundTrip, PrimitiveExtremes)
{
    Bytes bytes = StoreBytes([](CArchive& ar) {
        ar << LONG(INT32_MIN) << LONG(INT32_MAX) << DWORD(UINT32_MAX) << WORD(0xFFFF) << FLT_MAX
           << DBL_MIN << -0.0;
    });
    ASSERT_EQ(bytes.size(), 4u + 4 + 4 + 2 + 4 + 8 + 8);
    LoadBytes(bytes, [](CArchive& ar) {
        LONG lMin, lMax;
        DWORD dw;
        WORD w;
        float f;
        double dMin, dZero;
        ar >> lMin >> lMax >> dw >> w >> f >> dMin >> dZero;
        EXPECT_EQ(lMin, INT32_MIN);
        EXPECT_EQ(lMax, INT32_MAX);
        EXPECT_EQ(dw, UINT32_MAX);
        EXPECT_EQ(w, 0xFFFF);
        EXPECT_EQ(f, FLT_MAX);
        EXPECT_EQ(dMin, DBL_MIN);
        EXPECT_TRUE(std::signbit(dZero));
    });
}

// Reads and writes that straddle the buffer, or exceed it, keep the bytes
// in order.
TEST(ArchiveRoundTrip, DataLargerThanTheBuffer)
{
    CString big('q', 10000);
    CString strings[] = {"a", big, CString('z', 300), "", big + "end"};
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store, 64);
        for (const CString& str : strings)
            ar << str << LONG(str.GetLength());
        ar.Close();
    }
    file.Seek(0, CFile::begin);
    CArchive ar(&file, CArchive::load, 64);
    for (const CString& str : strings) {
        CString back;
        LONG l;
        ar >> back >> l;
        EXPECT_EQ(back, str);
        EXPECT_EQ(l, str.GetLength());
    }
    BYTE rest[4];
    EXPECT_EQ(ar.Read(rest, sizeof(rest)), 0u);
}

// The bytes left stay exact through buffered reads, reads past the buffer,
// a Flush that gives the read-ahead back, and the end of the file.
TEST(ArchiveRoundTrip, BytesLeftFollowEveryKindOfRead)
{
    constexpr UINT nTotal = 1000;
    CMemFile file(Bytes(nTotal, 7));
    CArchive ar(&file, CArchive::load, 64);
    EXPECT_EQ(ar.GetBytesLeft(), nTotal);
    std::vector<BYTE> buffer(nTotal);
    UINT nRead = 0;
    for (UINT nChunk : {1u, 10u, 100u, 0u, 63u, 64u, 500u, 1000u}) {
        if (nChunk == 0)
            ar.Flush();
        else
            nRead += ar.Read(buffer.data(), nChunk);
        EXPECT_EQ(ar.GetBytesLeft(), nTotal - nRead) << "after " << nChunk;
    }
    EXPECT_EQ(nRead, nTotal);
}

TEST(ArchiveRoundTrip, RawReadReturnsAShortCountAtTheEnd)
{
    LoadBytes(Bytes{1, 2, 3}, [](CArchive& ar) {
        BYTE buffer[8] = {};
        EXPECT_EQ(ar.Read(buffer, 8), 3u);
        EXPECT_EQ(buffer[2], 3);
        EXPECT_EQ(ArchiveErrorExpect::CauseOf([&] { ar.EnsureRead(buffer, 1); }),
                  CArchiveException::endOfFile);
    });
}

class ArchiveFileTest : public ::testing::Test
{
protected:
    TempDir m_temp;
    const std::filesystem::path& m_dir = m_temp.Path();
};

TEST_F(ArchiveFileTest, StoreAndLoadThroughAFile)
{
    std::string strPath = (m_dir / "chart.kv").string();
    {
        CFile file(strPath.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        EXPECT_EQ(ar.m_strFileName, CString(strPath.c_str()));
        CFoo foo(42);
        ar << &foo << CString("end");
        ar.Close();
        file.Sync();
        file.Close();
    }
    EXPECT_EQ(std::filesystem::file_size(strPath), 6u + 4 + 4 + 4);
    CFile file(strPath.c_str(), CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    std::unique_ptr<CObject> pFoo(ar.ReadObject(RUNTIME_CLASS(CFoo)));
    CString str;
    ar >> str;
    EXPECT_EQ(static_cast<CFoo*>(pFoo.get())->m_lValue, 42);
    EXPECT_STREQ(str, "end");
}

TEST_F(ArchiveFileTest, ExceptionNamesTheFile)
{
    std::string strPath = (m_dir / "short.kv").string();
    {
        CFile file(strPath.c_str(), CFile::modeCreate | CFile::modeWrite);
        file.Write("\x05", 1);
    }
    CFile file(strPath.c_str(), CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    try {
        LONG l;
        ar >> l;
        FAIL() << "no exception";
    } catch (CArchiveException* e) {
        EXPECT_EQ(e->m_cause, CArchiveException::endOfFile);
        EXPECT_EQ(e->m_strFileName, CString(strPath.c_str()));
        EXPECT_STREQ(e->GetErrorMessage(), "Reached end of file while reading an object.");
        e->Delete();
    }
}

TEST_F(ArchiveFileTest, DestructorFlushesAStoreThatWasNotClosed)
{
    std::string strPath = (m_dir / "unclosed.kv").string();
    CFile file(strPath.c_str(), CFile::modeCreate | CFile::modeWrite);
    {
        CArchive ar(&file, CArchive::store);
        ar << LONG(1);
    }
    {
        CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete);
        ar << LONG(2);
    }
    file.Close();
    EXPECT_EQ(std::filesystem::file_size(strPath), 4u);
}

TEST_F(ArchiveFileTest, FileErrors)
{
    std::string strMissing = (m_dir / "missing.kv").string();
    CFileException error;
    CFile file;
    EXPECT_FALSE(file.Open(strMissing.c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.m_lOsError, ENOENT);
    EXPECT_NE(error.GetErrorMessage().Find("missing.kv"), -1);

    EXPECT_FALSE(file.Open(m_dir.string().c_str(), CFile::modeWrite, &error));
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);

    std::string strNoDir = (m_dir / "no" / "such.kv").string();
    EXPECT_EQ(ArchiveErrorExpect::ExceptionClassOf(
                  [&] { CFile f(strNoDir.c_str(), CFile::modeCreate | CFile::modeWrite); }),
              RUNTIME_CLASS(CFileException));
}

TEST_F(ArchiveFileTest, FileOperations)
{
    std::string strPath = (m_dir / "data.bin").string();
    CFile file(strPath.c_str(), CFile::modeCreate | CFile::modeReadWrite);
    EXPECT_STREQ(file.GetFileName(), "data.bin");
    EXPECT_EQ(file.GetFilePath(), CString(strPath.c_str()));
    file.Write("hello world", 11);
    EXPECT_EQ(file.GetLength(), 11u);
    EXPECT_EQ(file.GetPosition(), 11u);
    EXPECT_EQ(file.Seek(-5, CFile::end), 6);
    char sz[8] = {};
    EXPECT_EQ(file.Read(sz, 8), 5u);
    EXPECT_STREQ(sz, "world");
    file.Sync();
    file.Close();
    EXPECT_FALSE(file.IsOpen());

    // modeNoTruncate keeps the content.
    CFile again(strPath.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
    EXPECT_EQ(again.GetLength(), 11u);
}

TEST(MemFile, SeekReadWrite)
{
    CMemFile file;
    file.Write("abcdef", 6);
    EXPECT_EQ(file.Seek(2, CFile::begin), 2);
    file.Write("XY", 2);
    EXPECT_EQ(file.Seek(0, CFile::end), 6);
    file.Seek(0, CFile::begin);
    char sz[7] = {};
    EXPECT_EQ(file.Read(sz, 10), 6u);
    EXPECT_STREQ(sz, "abXYef");
    EXPECT_EQ(ArchiveErrorExpect::ExceptionClassOf([&] { file.Seek(-1, CFile::begin); }),
              RUNTIME_CLASS(CFileException));
    std::vector<BYTE> data = file.Detach();
    EXPECT_EQ(data.size(), 6u);
    EXPECT_EQ(file.GetLength(), 0u);
}

} // namespace
