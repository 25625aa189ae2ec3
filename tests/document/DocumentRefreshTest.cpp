// The document's flags, selection and refresh from the host, against a real
// callback that records every request; and saving on close.
#include "DocumentSupport.h"

#include "model/CObString.h"
#include "model/CRace.h"
#include "tests/support/TestRequests.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

using Requests = std::vector<std::string>;

void Fill(CStringList& list, std::initializer_list<const char*> names)
{
    for (const char* pszName : names)
        list.AddTail(pszName);
}

const CRace* FindRace(CKurvoDoc& doc, const char* pszRace, const char* pszGame)
{
    CRace key{CString(pszRace), CString(pszGame)};
    CDimPtr found;
    if (doc.GetRaces() == nullptr || !doc.GetRaces()->FindEqual(&key, found))
        return nullptr;
    return static_cast<const CRace*>(found.GetAt(0));
}

TEST(DocumentFlagsTest, ToggleReadsSwitchesAndRestores)
{
    CKurvoDoc doc;
    EXPECT_EQ(doc.ToggleFlags(0), 1);
    EXPECT_EQ(doc.IsChanged(), 1);
    EXPECT_EQ(doc.ToggleFlags(8), 9);
    EXPECT_EQ(doc.ToggleFlags(0), 9) << "mask 0 only reads";
    EXPECT_EQ(doc.ToggleFlags(8), 1) << "the same mask twice restores the word";
    EXPECT_EQ(doc.ToggleFlags(1), 0);
    EXPECT_EQ(doc.IsChanged(), 0);
}

TEST(DocumentSelectionTest, AddingNamesKeepsEachOnceAndMarksTheChange)
{
    CKurvoDoc doc;
    doc.ToggleFlags(1);
    CStringList empty;
    EXPECT_TRUE(doc.AddSelectedRaces(empty));
    EXPECT_EQ(doc.GetSelection()->GetCount(), 0);
    EXPECT_EQ(doc.IsChanged(), 1) << "even an empty list sets the changed bit";

    CStringList names;
    Fill(names, {"Orcs", "Elves", "Orcs"});
    doc.AddSelectedRaces(names);
    EXPECT_EQ(doc.GetSelection()->GetCount(), 2);
    CStringList again;
    Fill(again, {"Elves"});
    doc.AddSelectedRaces(again);
    EXPECT_EQ(doc.GetSelection()->GetCount(), 2);
    CObString elves(CString("Elves"));
    CDimPtr found;
    EXPECT_TRUE(doc.GetSelection()->FindEqual(&elves, found));
    EXPECT_EQ(found.GetSize(), 1);
}

class DocumentRefreshTest : public ::testing::Test
{
protected:
    void Refresh()
    {
        m_host.requests.clear();
        EXPECT_TRUE(m_doc.UpdateFromHost());
    }

    InstalledHost m_host;
    CKurvoDoc m_doc;
};

TEST_F(DocumentRefreshTest, ANewGameIsFetchedRaceByRaceInTheHostsOrder)
{
    m_host.games = {{"G1", 2, {"Orcs", "Elves"}}, {"G2", 1, {"Orcs"}}};
    m_doc.ToggleFlags(1);
    EXPECT_TRUE(m_doc.ResetRaces());
    EXPECT_EQ(m_doc.IsChanged(), 1);
    EXPECT_EQ(
        m_host.requests,
        (Requests{"games", "races G1", "colour G1 Orcs", "turns G1", "turn G1 Orcs 1",
                  "turn G1 Orcs 0", "colour G1 Elves", "turns G1", "turn G1 Elves 1",
                  "turn G1 Elves 0", "races G2", "colour G2 Orcs", "turns G2", "turn G2 Orcs 0"}));
    ASSERT_NE(m_doc.GetRaces(), nullptr);
    EXPECT_EQ(m_doc.GetRaces()->GetCount(), 3);
    EXPECT_EQ(m_doc.GetRaces()->GetState(), 7) << "balanced once at the end";
    ASSERT_NE(FindRace(m_doc, "Orcs", "G1"), nullptr);
    EXPECT_EQ(FindRace(m_doc, "Orcs", "G1")->GetTurnCount(), 2);
    EXPECT_EQ(FindRace(m_doc, "Orcs", "G2")->GetTurnCount(), 1);
    EXPECT_EQ(FindRace(m_doc, "Elves", "G1")->GetSeries(kindIndustry)[CRace::posFirstValue + 1],
              200);
}

TEST_F(DocumentRefreshTest, AGameWhoseFirstRaceIsCurrentIsSkippedWhole)
{
    m_host.games = {{"G1", 2, {"Orcs", "Elves"}}, {"G2", 1, {"Orcs"}}};
    m_doc.ResetRaces();
    // A race the document has never seen, listed after a current one.
    m_host.games[0].races.push_back("Dwarves");
    m_host.games[1].nTurns = 2;
    m_doc.ToggleFlags(1);
    Refresh();
    EXPECT_EQ(m_doc.IsChanged(), 1);
    EXPECT_EQ(m_host.requests, (Requests{"games", "races G1", "turns G1", "races G2", "turns G2",
                                         "colour G2 Orcs", "turns G2", "turn G2 Orcs 1"}));
    EXPECT_EQ(FindRace(m_doc, "Dwarves", "G1"), nullptr);
    EXPECT_EQ(FindRace(m_doc, "Orcs", "G2")->GetTurnCount(), 2);
    EXPECT_EQ(m_doc.GetRaces()->GetCount(), 3);
}

TEST_F(DocumentRefreshTest, AGameOfRacesNotYetStoredFetchesEveryOne)
{
    m_host.games = {{"G1", 1, {"Orcs"}}};
    m_doc.ResetRaces();
    m_host.games.push_back({"G2", 1, {"Trolls", "Elves", "Orcs"}});
    Refresh();
    EXPECT_EQ(m_host.requests,
              (Requests{"games", "races G1", "turns G1", "races G2", "colour G2 Trolls", "turns G2",
                        "turn G2 Trolls 0", "colour G2 Elves", "turns G2", "turn G2 Elves 0",
                        "colour G2 Orcs", "turns G2", "turn G2 Orcs 0"}));
    EXPECT_EQ(m_doc.GetRaces()->GetCount(), 4);
    CDimPtr races;
    m_doc.GetRaces()->GetItems(races);
    EXPECT_STREQ(races.GetAt(0)->GetKey(), "Elves");
    EXPECT_STREQ(races.GetAt(3)->GetKey(), "Trolls");
}

TEST_F(DocumentRefreshTest, AHostWithFewerTurnsGetsTheRaceRebuilt)
{
    m_host.games = {{"G1", 4, {"Orcs"}}};
    m_doc.ResetRaces();
    m_host.games[0].nTurns = 2;
    m_host.figures = [](const std::string&, int nTurn) {
        return RecordingHost::Figures{{"Industry", std::to_string(10 + nTurn)}};
    };
    Refresh();
    EXPECT_EQ(m_host.requests, (Requests{"games", "races G1", "turns G1", "colour G1 Orcs",
                                         "turns G1", "turn G1 Orcs 1", "turn G1 Orcs 0"}));
    const CRace* pOrcs = FindRace(m_doc, "Orcs", "G1");
    ASSERT_NE(pOrcs, nullptr);
    EXPECT_EQ(pOrcs->GetTurnCount(), 2);
    for (int k = kindFirst; k <= kindLast; ++k)
        EXPECT_EQ(pOrcs->GetSeries(k)[CRace::posTurns], 2);
    EXPECT_EQ(pOrcs->GetSeries(kindIndustry)[CRace::posFirstValue], 1000);
    EXPECT_EQ(pOrcs->GetSeries(kindShields)[CRace::posFirstValue + 1], CRace::lNoValue);
}

TEST_F(DocumentRefreshTest, ADocumentWithoutACollectionGetsOne)
{
    m_host.games = {{"G1", 1, {"Orcs"}}};
    ASSERT_EQ(m_doc.GetRaces(), nullptr);
    Refresh();
    ASSERT_NE(m_doc.GetRaces(), nullptr);
    EXPECT_EQ(m_doc.GetRaces()->GetRuntimeClass(), RUNTIME_CLASS(CManBi));
    EXPECT_EQ(m_doc.GetRaces()->GetCount(), 1);
}

TEST_F(DocumentRefreshTest, NoHostLeavesOnlyTheChangedBit)
{
    m_doc.ResetRaces();
    TestRequests().m_pfnDataManager = nullptr;
    m_doc.ToggleFlags(1);
    Refresh();
    EXPECT_TRUE(m_host.requests.empty());
    EXPECT_EQ(m_doc.ToggleFlags(0), 1);
    EXPECT_EQ(m_doc.GetRaces()->GetCount(), 0);
}

TEST(DocumentCloseTest, ClosingRewritesTheFileEvenWhenNothingChanged)
{
    TempDir dir;
    const auto path = dir / "save.kv";
    ReportCapture reports;
    auto* pDoc = new CKurvoDoc;
    CStringList names;
    Fill(names, {"Orcs"});
    pDoc->AddSelectedRaces(names);
    pDoc->SetPathName(path.c_str(), FALSE);
    ASSERT_TRUE(pDoc->OnSaveDocument(path.c_str()));
    const Bytes saved = ReadFileBytes(path);
    WriteFileBytes(path, Bytes{'x'});
    EXPECT_FALSE(pDoc->IsModified());
    pDoc->OnCloseDocument(); // deletes the document
    EXPECT_EQ(ReadFileBytes(path), saved);
    EXPECT_TRUE(reports.Messages().empty());
}

TEST(DocumentCloseTest, ADocumentWithoutAPathClosesWithoutWritingOrComplaining)
{
    ReportCapture reports;
    auto* pDoc = new CKurvoDoc;
    pDoc->OnCloseDocument();
    EXPECT_TRUE(reports.Messages().empty());
}

// Runs the save in a child process without the right to write into the
// folder (a superuser writes anywhere, so the child gives that up first).
// Exit code 0: the save failed, the failure was reported naming the file.
int SaveIntoReadOnlyFolder(const std::filesystem::path& folder, const std::filesystem::path& path)
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(3);
        ::chmod(folder.c_str(), 0555); // for an ordinary user; the superuser set it already
        ReportCapture reports;
        auto* pDoc = new CKurvoDoc;
        pDoc->SetPathName(path.c_str(), FALSE);
        const BOOL bSaved = pDoc->OnSaveDocument(path.c_str());
        const bool bReported = reports.Messages().size() == 1 &&
                               reports.Messages()[0].find(path.string()) != std::string::npos;
        _exit(bSaved ? 1 : bReported ? 0 : 2);
    }
    int nStatus = -1;
    waitpid(pid, &nStatus, 0);
    return WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
}

TEST(DocumentCloseTest, AFailedSaveIsReportedAndTheOldFileSurvives)
{
    TempDir dir;
    const auto folder = dir / "charts";
    std::filesystem::create_directory(folder);
    const auto path = folder / "save.kv";
    const Bytes old = ByteWriter().Long(0).Null().Long(7).Get();
    WriteFileBytes(path, old);
    ::chmod(dir.Path().c_str(), 0755);
    ::chmod(path.c_str(), 0644);
    ::chmod(folder.c_str(), 0555);
    EXPECT_EQ(SaveIntoReadOnlyFolder(folder, path), 0);
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file is left behind";
}

} // namespace
