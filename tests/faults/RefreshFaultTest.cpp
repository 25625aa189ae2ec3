// Bringing a chart up to date with the host while one allocation after
// another fails, in the plug-in or in the host's answers: a refresh keeps
// every race it finished, each one whole, and leaves the race it was
// fetching as it was; a reset gives the document back as it was. Either way
// the document saves a file that it opens again, the next refresh catches
// up, and nothing leaks. Also the growth of one race's blocks on its own.
#include "FaultInjection.h"

#include "DataManager.h"
#include "GameStore.h"
#include "document/CKurvoDoc.h"
#include "fuzz/HostFuzzFolder.h"
#include "model/CRace.h"
#include "tests/support/ChartBytes.h"
#include "tests/support/RecordingHost.h"
#include "tests/support/TestRequests.h"
#include "tests/support/TurnsCsv.h"

#include <gtest/gtest.h>

#include <QDir>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace
{

using ChartBytes::Bytes;
using Lines = std::vector<std::string>;

std::vector<LONG> Blocks(const CRace& race)
{
    std::vector<LONG> words{race.GetTurnCount()};
    for (int k = kindFirst; k <= kindLast && race.GetTurnCount() > 0; ++k) {
        const LONG* pBlock = race.GetSeries(k);
        words.insert(words.end(), pBlock, pBlock + CRace::posFirstValue + race.GetTurnCount());
    }
    return words;
}

TEST(RaceFaultTest, GrowthTakesAllFiveBlocksOrNone)
{
    const int nRuns = RunFaultLoop("growth", FaultKind::allocation, [&](FaultInjector& fault) {
        CRace grown{CString("Orcs"), CString("Alpha")};
        grown.SetTurnCount(3);
        grown.GetSeries(kindDrives)[CRace::posFirstValue + 2] = 42;
        const std::vector<LONG> before = Blocks(grown);
        const long nBlocks = FaultInjector::LiveBlocks();
        if (!fault.ThrowsArmed([&] { grown.SetTurnCount(5); })) {
            EXPECT_EQ(grown.GetTurnCount(), 5);
            EXPECT_EQ(grown.GetSeries(kindDrives)[CRace::posFirstValue + 2], 42);
            return;
        }
        EXPECT_EQ(Blocks(grown), before) << "a failed growth changed the race";
        EXPECT_EQ(FaultInjector::LiveBlocks(), nBlocks) << "a failed growth leaked";
    });
    EXPECT_EQ(nRuns, 6) << "five blocks, so the sixth attempt meets no fault";
}

struct GameShape {
    const char* pszName;
    int nTurns;
    std::vector<std::string> races;
};

// The host before and after: more turns in both games, a race more in each
// and a new game.
const std::vector<GameShape> kBefore = {{"Alpha", 2, {"Orcs", "Elves"}}, {"Beta", 2, {"Orcs"}}};
const std::vector<GameShape> kAfter = {{"Alpha", 4, {"Orcs", "Elves", "Dwarves"}},
                                       {"Beta", 3, {"Orcs", "Trolls"}},
                                       {"Gamma", 2, {"Ents"}}};

enum class Refresh { update, reset };
enum class Host { recording, gameFiles };
struct RefreshCase {
    Refresh refresh;
    Host host;
    const char* pszName;
};

// A race's line of ChartBytes::Describe is the only one holding a NUL,
// between its name and its game.
bool IsRaceLine(const std::string& line)
{
    return line.find('\0') != std::string::npos;
}

std::string RaceKey(const std::string& line)
{
    const size_t nEnd = line.find(' ', line.find('\0'));
    return line.substr(0, nEnd);
}

class RefreshFaultTest : public testing::TestWithParam<RefreshCase>
{
protected:
    void SetUp() override { TestRequests().m_pfnDataManager = nullptr; }
    void TearDown() override { TestRequests().m_pfnDataManager = nullptr; }

    void ShapeHost(const std::vector<GameShape>& games)
    {
        if (GetParam().host == Host::recording) {
            m_pRecording = std::make_unique<RecordingHost>();
            for (const GameShape& shape : games)
                m_pRecording->games.push_back({shape.pszName, shape.nTurns, shape.races});
            TestRequests().m_pfnDataManager = &RecordingHost::Callback;
            return;
        }
        for (const GameShape& shape : games) {
            const QString folder = QDir(m_folder.gamesPath()).filePath(shape.pszName);
            QDir().mkpath(folder);
            std::string races = "race,color\n";
            std::string turns = kTurnsCsvHeader;
            for (const std::string& race : shape.races) {
                races += race + ",#FF8000\n";
                for (int t = 0; t < shape.nTurns; ++t)
                    turns += std::to_string(t) + ',' + race + ',' + std::to_string(t + 1) +
                             ",20.5,1.25,0.5,\n";
            }
            HostFuzzFolder::write(folder + "/races.csv", races);
            HostFuzzFolder::write(folder + "/turns.csv", turns);
        }
        m_store.load(m_folder.gamesPath());
        m_pData = std::make_unique<DataManager>(m_store);
        m_pData->makeCurrent();
        TestRequests().m_pfnDataManager = &DataManager::callback;
    }

    void Run(CKurvoDoc& doc)
    {
        if (GetParam().refresh == Refresh::update)
            doc.UpdateFromHost();
        else
            doc.ResetRaces();
    }

    // What the host keeps of the requests is not the document's to free.
    void ForgetRequests()
    {
        if (m_pRecording) {
            m_pRecording->requests.clear();
            m_pRecording->requests.shrink_to_fit();
        }
    }

    // After a refresh that failed: a reset left the document as it was; an
    // update left every race as it was or as the whole refresh makes it,
    // lost none, and saves a file that opens again; the next refresh
    // catches up.
    void CheckFailedRefresh(CKurvoDoc& doc, const Lines& lines)
    {
        if (GetParam().refresh == Refresh::reset) {
            EXPECT_EQ(lines, m_beforeLines) << "a failed reset changed the document";
        }
        std::set<std::string> keys;
        for (const std::string& line : lines) {
            if (!IsRaceLine(line))
                continue;
            EXPECT_TRUE(m_known.count(line)) << "a race half fetched: " << RaceKey(line);
            keys.insert(RaceKey(line));
        }
        for (const std::string& key : m_beforeKeys)
            EXPECT_TRUE(keys.count(key)) << "a race was lost: " << key;

        CKurvoDoc reopened;
        EXPECT_TRUE(ChartBytes::Load(reopened, ChartBytes::Store(doc)))
            << "the document saved a file it cannot open";
        EXPECT_EQ(ChartBytes::Describe(reopened), lines);
        Run(doc);
        EXPECT_EQ(ChartBytes::Describe(doc), m_afterLines) << "the next refresh did not catch up";
    }

    Lines m_beforeLines, m_afterLines;
    // Every race line of before and after, and the races before.
    std::set<std::string> m_known, m_beforeKeys;
    std::unique_ptr<RecordingHost> m_pRecording;
    HostFuzzFolder m_folder;
    GameStore m_store;
    std::unique_ptr<DataManager> m_pData;
};

TEST_P(RefreshFaultTest, KeepsFinishedRacesWholeAndTheFileReadable)
{
    ShapeHost(kBefore);
    CKurvoDoc start;
    start.ResetRaces();
    CStringList names;
    names.AddTail("Orcs");
    names.AddTail("Dwarves");
    start.AddSelectedRaces(names);
    const Bytes before = ChartBytes::Store(start);
    m_beforeLines = ChartBytes::Describe(start);

    ShapeHost(kAfter);
    CKurvoDoc reference;
    ASSERT_TRUE(ChartBytes::Load(reference, before));
    Run(reference);
    m_afterLines = ChartBytes::Describe(reference);
    ASSERT_NE(m_afterLines, m_beforeLines);
    for (const Lines* pLines : {&m_beforeLines, &m_afterLines}) {
        for (const std::string& line : *pLines) {
            if (IsRaceLine(line))
                m_known.insert(line);
        }
    }
    for (const std::string& line : m_beforeLines) {
        if (IsRaceLine(line))
            m_beforeKeys.insert(RaceKey(line));
    }

    RunFaultLoop(GetParam().pszName, FaultKind::allocation, [&](FaultInjector& fault) {
        ForgetRequests();
        const long nBlocks = FaultInjector::LiveBlocks();
        {
            CKurvoDoc doc;
            ChartBytes::Load(doc, before);
            const bool bThrew = fault.ThrowsArmed([&] { Run(doc); });
            const Lines lines = ChartBytes::Describe(doc);
            if (!bThrew) {
                EXPECT_EQ(lines, m_afterLines);
            } else {
                CheckFailedRefresh(doc, lines);
            }
        }
        ForgetRequests();
        EXPECT_EQ(FaultInjector::LiveBlocks() - nBlocks, 0) << "a refresh leaked";
    });
}
INSTANTIATE_TEST_SUITE_P(
    Faults, RefreshFaultTest,
    testing::Values(RefreshCase{Refresh::update, Host::recording, "UpdateFromRecordingHost"},
                    RefreshCase{Refresh::reset, Host::recording, "ResetFromRecordingHost"},
                    RefreshCase{Refresh::update, Host::gameFiles, "UpdateFromGameFiles"},
                    RefreshCase{Refresh::reset, Host::gameFiles, "ResetFromGameFiles"}),
    [](const testing::TestParamInfo<RefreshCase>& info) { return info.param.pszName; });

} // namespace
