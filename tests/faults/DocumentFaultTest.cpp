// Saving and opening a chart file through the chart document while one
// allocation or one file call after another fails: a save either replaces
// the file with the document's bytes or leaves the old file, and an open
// either loads the file or leaves the document as it was; each failure is
// reported once, and nothing leaks.
#include "FaultInjection.h"

#include "document/CKurvoDoc.h"
#include "tests/support/ChartBytes.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

using ChartBytes::Bytes;
namespace fs = std::filesystem;

Bytes ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A stored chart of the fuzz corpus: two games, several races.
Bytes StoredChart(const char* pszName)
{
    const char* pszSource = std::getenv("KURVO_SOURCE_DIR");
    const Bytes bytes =
        ReadFile(fs::path(pszSource ? pszSource : ".") / "fuzz/kv-corpus" / pszName);
    if (bytes.empty())
        throw std::runtime_error(std::string("missing chart ") + pszName);
    return bytes;
}

using ChartBytes::Store;

// The charts these tests load are whole; only the loops inject failures.
void Load(CKurvoDoc& doc, const Bytes& bytes)
{
    if (!ChartBytes::Load(doc, bytes))
        throw std::runtime_error("a stored chart did not load");
}

std::vector<std::string> FilesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

class DocumentFaultTest : public testing::TestWithParam<FaultKind>
{
protected:
    void SetUp() override
    {
        m_folder = m_temp.Path();
        m_path = m_folder / "chart.kv";
    }

    // Runs the operation with the injector armed, counting the reports it
    // makes and the blocks it leaves allocated.
    template <typename Operation>
    BOOL Run(FaultInjector& fault, Operation operation, int& nReports, long& nLeftBlocks)
    {
        const long nBefore = FaultInjector::LiveBlocks();
        BOOL bDone = FALSE;
        {
            nReports = 0;
            const AFX_MESSAGE_REPORTER previous =
                AfxSetMessageReporter([&](const CString&, UINT nType) {
                    ++nReports;
                    return AfxGetDefaultMessageAnswer(nType);
                });
            fault.Arm();
            bDone = operation();
            fault.Disarm();
            AfxSetMessageReporter(previous);
        }
        nLeftBlocks = FaultInjector::LiveBlocks() - nBefore;
        return bDone;
    }

    TempDir m_temp;
    fs::path m_folder;
    fs::path m_path;
};

TEST_P(DocumentFaultTest, SaveReplacesTheWholeFileOrNothing)
{
    const Bytes oldFile = StoredChart("seed-one-race");
    CKurvoDoc doc;
    Load(doc, StoredChart("seed-two-games"));
    const Bytes saved = Store(doc);
    WriteFile(m_path, oldFile);
    ASSERT_TRUE(doc.OnSaveDocument(m_path.c_str())) << "a first save that meets no fault";
    WriteFile(m_path, oldFile);

    RunFaultLoop("save", GetParam(), [&](FaultInjector& fault) {
        int nReports = 0;
        long nLeft = 0;
        const BOOL bSaved = Run(
            fault, [&] { return doc.OnSaveDocument(m_path.c_str()); }, nReports, nLeft);
        EXPECT_EQ(Store(doc), saved) << "a save changed the document";
        EXPECT_EQ(FilesIn(m_folder), std::vector<std::string>{"chart.kv"});
        if (bSaved) {
            EXPECT_EQ(ReadFile(m_path), saved);
            EXPECT_EQ(nReports, 0);
            WriteFile(m_path, oldFile);
        } else {
            EXPECT_TRUE(fault.Fired());
            EXPECT_EQ(ReadFile(m_path), oldFile) << "a failed save touched the file";
            EXPECT_EQ(nReports, 1);
            EXPECT_EQ(nLeft, 0) << "a failed save leaked";
        }
    });
}

TEST_P(DocumentFaultTest, OpenLoadsTheFileOrLeavesTheDocument)
{
    const Bytes file = StoredChart("seed-two-games");
    WriteFile(m_path, file);
    CKurvoDoc first;
    ASSERT_TRUE(first.OnOpenDocument(m_path.c_str())) << "a first open that meets no fault";
    // An earlier chart with a name of its own selected, which the open adds
    // the file's names to.
    auto earlier = [] {
        auto pDoc = std::make_unique<CKurvoDoc>();
        Load(*pDoc, StoredChart("seed-one-race"));
        CStringList names;
        names.AddTail("Dwarves");
        pDoc->AddSelectedRaces(names);
        return pDoc;
    };
    std::unique_ptr<CKurvoDoc> pReference = earlier();
    Load(*pReference, file);
    const Bytes opened = Store(*pReference);
    std::unique_ptr<CKurvoDoc> pDoc = earlier();
    const Bytes before = Store(*pDoc);

    RunFaultLoop("open", GetParam(), [&](FaultInjector& fault) {
        int nReports = 0;
        long nLeft = 0;
        const BOOL bOpened = Run(
            fault, [&] { return pDoc->OnOpenDocument(m_path.c_str()); }, nReports, nLeft);
        EXPECT_EQ(ReadFile(m_path), file) << "an open touched the file";
        if (bOpened) {
            EXPECT_EQ(Store(*pDoc), opened);
            EXPECT_EQ(nReports, 0);
            pDoc = earlier();
        } else {
            EXPECT_TRUE(fault.Fired());
            EXPECT_EQ(Store(*pDoc), before) << "a failed open changed the document";
            EXPECT_EQ(nReports, 1);
            EXPECT_EQ(nLeft, 0) << "a failed open leaked";
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Faults, DocumentFaultTest, kBothFaultKinds, FaultKindName);

} // namespace
