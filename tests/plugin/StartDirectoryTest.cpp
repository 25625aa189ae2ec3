// The start directory that OnLoad records: the whole current directory,
// however long, and a documented empty fallback when there is none.
#include "plugin/CKurvoApp.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{

class StartDirectory : public testing::Test
{
protected:
    void SetUp() override
    {
        m_saved = fs::current_path();
        m_root = m_temp.Path();
    }
    void TearDown() override { fs::current_path(m_saved); }

    // Descends into fresh 100-byte components until the path is at least
    // nLength bytes long, one step at a time (no single call sees it whole).
    void EnterDirectoryOfLength(size_t nLength)
    {
        fs::current_path(m_root);
        std::string component(100, 'd');
        while (fs::current_path().string().size() < nLength) {
            ASSERT_TRUE(mkdir(component.c_str(), 0700) == 0 || errno == EEXIST);
            ASSERT_EQ(chdir(component.c_str()), 0);
        }
    }

    fs::path m_saved;
    TempDir m_temp;
    fs::path m_root;
};

TEST_F(StartDirectory, KeepsDirectoriesOfEveryLengthWhole)
{
    for (size_t nLength : {10u, 259u, 261u, 1000u, 5000u}) {
        EnterDirectoryOfLength(nLength);
        theApp.OnLoad();
        std::string expected = fs::current_path().string();
        EXPECT_EQ(theApp.m_strStartDir.str(), expected) << nLength;
        EXPECT_GE(theApp.m_strStartDir.str().size(), nLength);
    }
}

TEST_F(StartDirectory, RemovedDirectoryGivesAnEmptyStartDirectory)
{
    fs::path gone = m_root / "gone";
    fs::create_directory(gone);
    fs::current_path(gone);
    fs::remove(gone);
    theApp.m_strStartDir = "previous";
    theApp.OnLoad();
    EXPECT_EQ(theApp.m_strStartDir.str(), "");
}

} // namespace
