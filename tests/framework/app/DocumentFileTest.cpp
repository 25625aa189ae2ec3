// Loading and saving a document through its archive, on real files: the
// round trip, the atomic replacement of the file when a save fails part-way,
// and the messages that name the file and the cause of a failure.
#include "AppTestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

class DocumentFileTest : public ::testing::Test
{
protected:
    std::string PathOf(const char* pszName) const
    {
        return (m_dir.path() + "/" + pszName).toStdString();
    }
    std::string Folder() const { return m_dir.path().toStdString(); }

    static void Fill(CTestDoc& doc)
    {
        doc.AddItem("Industry", 1200);
        doc.AddItem("Population", -1);
        doc.AddItem("\xC4\xE0", 7); // Windows-1251 bytes travel unchanged
    }

    QTemporaryDir m_dir;
    CReporterCapture m_reports;
};

TEST_F(DocumentFileTest, SavedDocumentReopensWithTheSameItems)
{
    const std::string path = PathOf("chart.kv");
    CTestDoc saved;
    Fill(saved);
    saved.SetModifiedFlag();
    ASSERT_TRUE(saved.OnSaveDocument(path.c_str()));
    EXPECT_FALSE(saved.IsModified());

    CTestDoc reopened;
    reopened.AddItem("stale", 1); // replaced, not appended to
    ASSERT_TRUE(reopened.OnOpenDocument(path.c_str()));
    EXPECT_EQ(reopened.Describe(), saved.Describe());
    EXPECT_FALSE(reopened.IsModified());
    EXPECT_TRUE(m_reports.m_messages.empty());
    EXPECT_EQ(ListFolder(Folder()), std::vector<std::string>{"chart.kv"});
}

TEST_F(DocumentFileTest, SaveThatFailsPartWayKeepsThePreviousFile)
{
    struct Row {
        CTestDoc::FailureKind failure;
        const char* pszCause; // expected in the message
    };
    const Row rows[] = {
        {CTestDoc::failArchiveException, "unknown error"},
        {CTestDoc::failStdException, "test serialisation stopped"},
    };
    const std::string path = PathOf("chart.kv");
    CTestDoc doc;
    Fill(doc);
    ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
    const std::string before = ReadBytes(path);

    for (const Row& row : rows) {
        SCOPED_TRACE(row.pszCause);
        m_reports.m_messages.clear();
        doc.AddItem("more", 99);
        doc.m_failure = row.failure;
        doc.m_nFailAfterItems = 2;
        doc.SetModifiedFlag();

        EXPECT_FALSE(doc.OnSaveDocument(path.c_str()));
        EXPECT_EQ(ReadBytes(path), before);
        EXPECT_EQ(ListFolder(Folder()), std::vector<std::string>{"chart.kv"})
            << "the temporary file must be gone";
        EXPECT_TRUE(doc.IsModified()) << "nothing was saved";
        ASSERT_EQ(m_reports.m_messages.size(), 1u);
        EXPECT_NE(m_reports.m_messages[0].text.find(path), std::string::npos);
        EXPECT_NE(m_reports.m_messages[0].text.find(row.pszCause), std::string::npos)
            << m_reports.m_messages[0].text;
    }
}

TEST_F(DocumentFileTest, SaveIntoAMissingFolderFailsAndIsReported)
{
    CTestDoc doc;
    Fill(doc);
    const std::string missing = PathOf("no/such/folder/chart.kv");
    EXPECT_FALSE(doc.OnSaveDocument(missing.c_str()));
    ASSERT_EQ(m_reports.m_messages.size(), 1u);
    EXPECT_NE(m_reports.m_messages[0].text.find(missing), std::string::npos);
    EXPECT_NE(m_reports.m_messages[0].text.find("not found"), std::string::npos)
        << m_reports.m_messages[0].text;
}

TEST_F(DocumentFileTest, SaveIntoAReadOnlyFolderFailsAndLeavesItEmpty)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the super-user";
    CTestDoc doc;
    Fill(doc);
    const std::string readOnly = PathOf("locked");
    std::filesystem::create_directory(readOnly);
    ::chmod(readOnly.c_str(), 0500);
    const std::string target = readOnly + "/chart.kv";
    EXPECT_FALSE(doc.OnSaveDocument(target.c_str()));
    ::chmod(readOnly.c_str(), 0700);
    ASSERT_EQ(m_reports.m_messages.size(), 1u);
    EXPECT_NE(m_reports.m_messages[0].text.find("denied"), std::string::npos)
        << m_reports.m_messages[0].text;
    EXPECT_TRUE(ListFolder(readOnly).empty());
}

TEST_F(DocumentFileTest, SaveKeepsTheFilesModeAndWritesThroughASymbolicLink)
{
    const std::string path = PathOf("chart.kv");
    const std::string link = PathOf("link.kv");
    CTestDoc doc;
    Fill(doc);
    ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
    ::chmod(path.c_str(), 0640);
    std::filesystem::create_symlink(path, link);

    doc.AddItem("more", 99);
    ASSERT_TRUE(doc.OnSaveDocument(link.c_str()));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    struct stat st {
    };
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    CTestDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(path.c_str()));
    EXPECT_EQ(reopened.Describe(), doc.Describe());
}

TEST_F(DocumentFileTest, OpenOfABadFileFailsWithTheCauseAndLeavesTheDocumentEmpty)
{
    struct Row {
        const char* pszName;
        size_t nKeepBytes; // of a good file; npos: no file at all
        const char* pszCause;
    };
    const std::string good = PathOf("good.kv");
    CTestDoc saved;
    Fill(saved);
    ASSERT_TRUE(saved.OnSaveDocument(good.c_str()));
    const std::string bytes = ReadBytes(good);
    const Row rows[] = {
        {"truncated.kv", bytes.size() / 2, "end of file"},
        {"cut-in-count.kv", 1, "end of file"},
        {"missing.kv", std::string::npos, "not found"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pszName);
        const std::string path = PathOf(row.pszName);
        if (row.nKeepBytes != std::string::npos)
            WriteBytes(path, bytes.substr(0, row.nKeepBytes));
        m_reports.m_messages.clear();
        CTestDoc doc;
        doc.AddItem("stale", 1);
        EXPECT_FALSE(doc.OnOpenDocument(path.c_str()));
        EXPECT_TRUE(doc.m_items.empty());
        ASSERT_EQ(m_reports.m_messages.size(), 1u);
        const std::string& text = m_reports.m_messages[0].text;
        EXPECT_NE(text.find(path), std::string::npos) << text;
        EXPECT_NE(text.find(row.pszCause), std::string::npos) << text;
    }
}

TEST_F(DocumentFileTest, AnEmptyFileOpensAsAnEmptyDocument)
{
    const std::string path = PathOf("empty.kv");
    WriteBytes(path, "");
    CTestDoc doc;
    doc.AddItem("stale", 1);
    EXPECT_TRUE(doc.OnOpenDocument(path.c_str()));
    EXPECT_TRUE(doc.m_items.empty());
    EXPECT_TRUE(m_reports.m_messages.empty());
}

TEST_F(DocumentFileTest, PathNameIsAbsoluteAndGivesTheTitle)
{
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(Folder());
    CTestDoc doc;
    doc.SetPathName("sub/../save.kv", FALSE);
    std::filesystem::current_path(previous);
    EXPECT_EQ(doc.GetPathName().str(), PathOf("save.kv"));
    EXPECT_EQ(doc.GetTitle().str(), "save.kv");

    // Paths built the original platform's way still name the same file.
    doc.SetPathName((Folder() + "\\other.kv").c_str(), FALSE);
    EXPECT_EQ(doc.GetPathName().str(), PathOf("other.kv"));
    EXPECT_EQ(doc.GetTitle().str(), "other.kv");
}

} // namespace
