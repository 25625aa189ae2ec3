// The two menu commands and the two data events, driven through the built
// module's exports by a host with a real MDI main frame, against a recording
// data manager. The chart file is checked as bytes on disk.
#include "ChartClient.h"
#include "tests/support/RecordingHost.h"
#include <afxqt.h>

#include <gtest/gtest.h>

#include <QMdiArea>
#include <QWidget>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{

const char kOpen[] = "Kurvo";
const char kAdd[] = "Add Race(s) to Kurvo";
const char kGame[] = "Amber Drift";

using Requests = std::vector<std::string>;

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int32_t LongAt(const std::string& bytes, size_t offset)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | uint8_t(bytes.at(offset + size_t(i)));
    return int32_t(value);
}

// Bytes of one stored race: names with their one-byte lengths, the turn
// count, and five blocks of a five-long header plus one long per turn.
size_t RaceBytes(const std::string& race, const std::string& game, size_t nTurns)
{
    return (1 + race.size()) + (1 + game.size()) + 4 + 5 * (5 + nTurns) * 4;
}

// A new-class record: tag, schema, name length, name.
size_t ClassRecordBytes(const std::string& name)
{
    return 2 + 2 + 2 + name.size();
}

class CommandFlow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Loaded()) << m_host.LoadError();
        m_host.CloseAllFrames();
        std::remove(m_host.DefaultChartPath().c_str());
        m_data.games = {{kGame, 3, {"Elves", "Orcs"}}};
    }

    void TearDown() override { m_host.CloseAllFrames(); }

    Requests& Log() { return m_data.requests; }

    ChartClient& m_host = ChartClient::Instance();
    RecordingHost m_data;
};

TEST_F(CommandFlow, FirstOpenCreatesFillsAndWritesTheDefaultChart)
{
    m_host.Command(kOpen);

    ASSERT_EQ(m_host.ChildFrames().size(), 1u);
    EXPECT_EQ(m_host.ChildFrames()[0]->mdiArea(), AfxGetMDIArea(m_host.MainFrame()));
    EXPECT_TRUE(m_host.ChildFrames()[0]->windowTitle().contains("save.kv"));

    // Games and races are walked from the host's last number down; each new
    // race asks its colour, the turn count, then its turns newest first.
    const Requests expected = {"games",
                               "races Amber Drift",
                               "colour Amber Drift Elves",
                               "turns Amber Drift",
                               "turn Amber Drift Elves 2",
                               "turn Amber Drift Elves 1",
                               "turn Amber Drift Elves 0",
                               "colour Amber Drift Orcs",
                               "turns Amber Drift",
                               "turn Amber Drift Orcs 2",
                               "turn Amber Drift Orcs 1",
                               "turn Amber Drift Orcs 0"};
    EXPECT_EQ(Log(), expected);

    // Empty selection, the collection with its two races in name order,
    // then the flags: changed and Industry.
    const std::string bytes = ReadFile(m_host.DefaultChartPath());
    const size_t expectedSize = 4 + ClassRecordBytes("CManBi") + 4 + ClassRecordBytes("CRace") +
                                RaceBytes("Elves", kGame, 3) + 2 + RaceBytes("Orcs", kGame, 3) + 4;
    ASSERT_EQ(bytes.size(), expectedSize);
    EXPECT_EQ(LongAt(bytes, 0), 0);
    EXPECT_EQ(LongAt(bytes, bytes.size() - 4), 3);
    EXPECT_LT(bytes.find("Elves"), bytes.find("Orcs"));
}

TEST_F(CommandFlow, OpenWhileTheChartIsOpenOnlyBringsItToTheFront)
{
    m_host.Command(kOpen);
    ASSERT_EQ(m_host.ChildFrames().size(), 1u);
    QMdiSubWindow* pChart = m_host.ChildFrames()[0];
    QMdiSubWindow* pOther = AfxGetMDIArea(m_host.MainFrame())->addSubWindow(new QWidget);
    pOther->show();
    AfxGetMDIArea(m_host.MainFrame())->setActiveSubWindow(pOther);
    ASSERT_EQ(m_host.ActiveChildFrame(), pOther);
    Log().clear();

    m_host.Command(kOpen);

    EXPECT_TRUE(Log().empty());
    EXPECT_EQ(m_host.ActiveChildFrame(), pChart);
    EXPECT_EQ(m_host.ChildFrames().size(), 2u);
}

TEST_F(CommandFlow, ClosingWritesTheChartAndReopeningRefreshesIt)
{
    m_host.Command(kOpen);
    m_host.CloseAllFrames();
    ASSERT_TRUE(m_host.ChildFrames().empty());
    const size_t nSizeAtThreeTurns = ReadFile(m_host.DefaultChartPath()).size();

    // A current game costs one races query and one turn-count query.
    Log().clear();
    m_host.Command(kOpen);
    ASSERT_EQ(m_host.ChildFrames().size(), 1u);
    EXPECT_EQ(Log(), (Requests{"games", "races Amber Drift", "turns Amber Drift"}));
    m_host.CloseAllFrames();

    // A new turn is fetched alone for each race.
    ++m_data.FindGame(kGame)->nTurns;
    Log().clear();
    m_host.Command(kOpen);
    const Requests expected = {"games",
                               "races Amber Drift",
                               "turns Amber Drift",
                               "colour Amber Drift Elves",
                               "turns Amber Drift",
                               "turn Amber Drift Elves 3",
                               "turns Amber Drift",
                               "colour Amber Drift Orcs",
                               "turns Amber Drift",
                               "turn Amber Drift Orcs 3"};
    EXPECT_EQ(Log(), expected);
    m_host.CloseAllFrames();
    EXPECT_EQ(ReadFile(m_host.DefaultChartPath()).size(), nSizeAtThreeTurns + 2 * 5 * 4);
}

TEST_F(CommandFlow, AddRacesNeedsAnOpenChart)
{
    m_data.selections[kGame] = {"Orcs"};
    m_host.Command(kAdd, kGame);
    EXPECT_TRUE(Log().empty());
    EXPECT_TRUE(m_host.ChildFrames().empty());
}

TEST_F(CommandFlow, AddRacesStoresTheHostSelectionOnce)
{
    m_host.Command(kOpen);
    m_data.selections[kGame] = {"Orcs", "Elves"};
    Log().clear();

    m_host.Command(kAdd, kGame);
    m_host.Command(kAdd, kGame);

    EXPECT_EQ(Log(), (Requests{"selection Amber Drift", "selection Amber Drift"}));
    m_host.CloseAllFrames();
    const std::string bytes = ReadFile(m_host.DefaultChartPath());
    ASSERT_GT(bytes.size(), 4u);
    EXPECT_EQ(LongAt(bytes, 0), 2);
    const size_t first = 4 + ClassRecordBytes("CObString");
    EXPECT_EQ(bytes.substr(first, 6), std::string("\x05"
                                                  "Elves"));
    EXPECT_EQ(bytes.substr(first + 6, 7), std::string("\x01\x80\x04Orcs", 7));
}

TEST_F(CommandFlow, OtherCommandsAreIgnored)
{
    for (const char* pszCommand : {"kurvo", "Kurvo ", "", "add race(s) to kurvo"})
        m_host.Command(pszCommand, kGame);
    m_host.Command(nullptr, kGame);
    EXPECT_TRUE(Log().empty());
    EXPECT_TRUE(m_host.ChildFrames().empty());
}

TEST_F(CommandFlow, DataEventsRefreshOnlyAnOpenChart)
{
    m_host.ReportLoaded();
    m_host.GamesListModified();
    EXPECT_TRUE(Log().empty());

    m_host.Command(kOpen);
    m_data.games.push_back({"Cold Meridian", 2, {"Gnomes"}});
    Log().clear();
    m_host.GamesListModified();
    ASSERT_FALSE(Log().empty());
    EXPECT_EQ(Log().front(), "games");
    EXPECT_NE(std::find(Log().begin(), Log().end(), "turn Cold Meridian Gnomes 0"), Log().end());

    ++m_data.FindGame(kGame)->nTurns;
    Log().clear();
    m_host.ReportLoaded();
    EXPECT_NE(std::find(Log().begin(), Log().end(), "turn Amber Drift Orcs 3"), Log().end());
}

TEST_F(CommandFlow, DamagedDefaultFileIsReportedAndLeftAlone)
{
    const std::string damaged("\x01\x00\x00\x00\xFF\xFF\x00\x00\x09\x00NotAClass", 19);
    {
        std::ofstream out(m_host.DefaultChartPath(), std::ios::binary);
        out << damaged;
    }
    std::vector<std::string> reports;
    AFX_MESSAGE_REPORTER previous = AfxSetMessageReporter([&](const CString& strText, UINT) {
        reports.push_back(strText.str());
        return IDOK;
    });

    m_host.Command(kOpen);

    AfxSetMessageReporter(previous);
    EXPECT_TRUE(m_host.ChildFrames().empty());
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_TRUE(Log().empty());
    EXPECT_EQ(ReadFile(m_host.DefaultChartPath()), damaged);
}

} // namespace
