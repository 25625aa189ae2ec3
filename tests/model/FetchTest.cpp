// A race's fetch from the host, against a host callback installed in the
// application object that records every request and answers from a table.
#include "model/CRace.h"
#include "tests/support/TestRequests.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>
#include <vector>

namespace
{

using Figures = std::map<std::string, std::string>;

struct RecordingHost {
    std::vector<std::string> requests;
    std::string strTurnCount = "0";
    std::string strColor;
    bool bAnswerColor = true;
    std::map<int, Figures> turns;
    bool bKeysAsExpected = true;
};
RecordingHost g_host;

std::string Lookup(const CMapStringToString& map, LPCSTR lpszKey)
{
    CString strValue;
    return map.Lookup(lpszKey, strValue) ? std::string(strValue.GetString()) : "<absent>";
}

void AnswerRequest(CMapStringToString& map)
{
    const std::string strFunction = Lookup(map, "Function");
    const std::string strWhat = Lookup(map, "Parameter.1");
    if (strFunction == "List" && strWhat == "Turns") {
        g_host.requests.push_back("turns");
        map.SetAt("Count", g_host.strTurnCount.c_str());
        return;
    }
    if (Lookup(map, "GameName") != "G1" || Lookup(map, "Parameter.2") != "Orcs" ||
        Lookup(map, "Parameters.Count") != "2" || strFunction != "Get")
        g_host.bKeysAsExpected = false;
    if (strWhat == "RaceColor") {
        g_host.requests.push_back("colour");
        if (Lookup(map, "Turn") != "0")
            g_host.bKeysAsExpected = false;
        if (g_host.bAnswerColor)
            map.SetAt("Color", g_host.strColor.c_str());
        return;
    }
    const std::string strTurn = Lookup(map, "Turn");
    g_host.requests.push_back("turn " + strTurn);
    for (const auto& [key, value] : g_host.turns[std::stoi(strTurn)])
        map.SetAt(key.c_str(), value.c_str());
}

// Host figures of turn t: Industry t + 1, then values whose scaling is easy
// to get wrong.
Figures FiguresOfTurn(int t)
{
    return {{"Industry", std::to_string(t + 1)},
            {"Population", "1.15"},
            {"WeaponsTech", "0.005"},
            {"DrivesTech", "2.5"},
            {"ShieldsTech", "-0.5"}};
}

class FetchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_host = RecordingHost{};
        g_host.strColor = "255";
        for (int t = 0; t < 8; ++t)
            g_host.turns[t] = FiguresOfTurn(t);
        TestRequests().m_pfnDataManager = &AnswerRequest;
    }
    void TearDown() override { TestRequests().m_pfnDataManager = nullptr; }

    void HostHasTurns(int nTurns)
    {
        g_host.strTurnCount = std::to_string(nTurns);
        g_host.requests.clear();
    }

    CRace m_race{CString("Orcs"), CString("G1")};
};

using Requests = std::vector<std::string>;

LONG ValueAt(const CRace& race, int nKind, int nTurn)
{
    return race.GetSeries(nKind)[CRace::posFirstValue + nTurn];
}

TEST_F(FetchTest, ANewRaceGetsItsColourTheCountAndEveryTurnNewestFirst)
{
    HostHasTurns(3);
    EXPECT_TRUE(m_race.FetchFromHost());
    EXPECT_EQ(g_host.requests, (Requests{"colour", "turns", "turn 2", "turn 1", "turn 0"}));
    EXPECT_TRUE(g_host.bKeysAsExpected);
    EXPECT_EQ(m_race.GetColor(), 255);
    EXPECT_EQ(m_race.GetTurnCount(), 3);
    for (int k = kindFirst; k <= kindLast; ++k) {
        EXPECT_EQ(m_race.GetSeries(k)[CRace::posTurns], 3);
        EXPECT_EQ(m_race.GetSeries(k)[CRace::posColor], 255);
    }
    for (int t = 0; t < 3; ++t) {
        EXPECT_EQ(ValueAt(m_race, kindIndustry, t), (t + 1) * 100);
        EXPECT_EQ(ValueAt(m_race, kindPopulation, t), 114) << "truncated, not rounded";
        EXPECT_EQ(ValueAt(m_race, kindWeapons, t), 500);
        EXPECT_EQ(ValueAt(m_race, kindDrives, t), 250000);
        EXPECT_EQ(ValueAt(m_race, kindShields, t), -50000);
    }
    EXPECT_EQ(m_race.GetSeries(kindIndustry)[CRace::posMax], 300);
    EXPECT_EQ(m_race.GetSeries(kindIndustry)[CRace::posMin], 0);
    EXPECT_EQ(m_race.GetSeries(kindShields)[CRace::posMax], 0);
    EXPECT_EQ(m_race.GetSeries(kindShields)[CRace::posMin], -50000);
}

TEST_F(FetchTest, ALaterFetchAsksOnlyForTheNewTurns)
{
    HostHasTurns(3);
    m_race.FetchFromHost();
    // Changes to old turns must not be read again; new turns are lower.
    g_host.turns[0]["Industry"] = "1000";
    g_host.turns[3]["ShieldsTech"] = "-0.1";
    g_host.turns[4]["ShieldsTech"] = "-0.1";
    g_host.strColor = "65280";
    HostHasTurns(5);
    EXPECT_TRUE(m_race.FetchFromHost());
    EXPECT_EQ(g_host.requests, (Requests{"colour", "turns", "turn 4", "turn 3"}));
    EXPECT_EQ(m_race.GetTurnCount(), 5);
    EXPECT_EQ(ValueAt(m_race, kindIndustry, 0), 100);
    EXPECT_EQ(ValueAt(m_race, kindIndustry, 4), 500);
    EXPECT_EQ(m_race.GetSeries(kindIndustry)[CRace::posMax], 500);
    EXPECT_EQ(m_race.GetSeries(kindShields)[CRace::posMin], -10000)
        << "the range covers only the turns fetched since the blocks were allocated";
    EXPECT_EQ(m_race.GetSeries(kindShields)[CRace::posColor], 65280);

    HostHasTurns(5);
    EXPECT_TRUE(m_race.FetchFromHost());
    EXPECT_EQ(g_host.requests, (Requests{"colour", "turns"}));
    EXPECT_EQ(m_race.GetSeries(kindIndustry)[CRace::posMax], 0) << "the blocks were reallocated";
}

TEST_F(FetchTest, AMissingFigureMarksThatTurnOnly)
{
    g_host.turns[1].erase("ShieldsTech");
    g_host.turns[0]["Industry"] = "nan";
    g_host.turns[0]["Population"] = "";
    HostHasTurns(3);
    m_race.FetchFromHost();
    EXPECT_EQ(ValueAt(m_race, kindShields, 1), CRace::lNoValue);
    EXPECT_EQ(ValueAt(m_race, kindShields, 0), -50000);
    EXPECT_EQ(ValueAt(m_race, kindIndustry, 1), 200);
    EXPECT_EQ(ValueAt(m_race, kindIndustry, 0), 0) << "text without a number is 0, not no data";
    EXPECT_EQ(ValueAt(m_race, kindPopulation, 0), 0) << "an empty figure is 0, not no data";
    EXPECT_EQ(m_race.GetSeries(kindShields)[CRace::posMin], -50000);
}

TEST_F(FetchTest, AHostWithFewerTurnsGetsTheRaceRebuilt)
{
    HostHasTurns(5);
    m_race.FetchFromHost();
    g_host.turns[0]["Industry"] = "7";
    HostHasTurns(2);
    EXPECT_TRUE(m_race.FetchFromHost());
    EXPECT_EQ(g_host.requests, (Requests{"colour", "turns", "turn 1", "turn 0"}));
    EXPECT_EQ(m_race.GetTurnCount(), 2);
    EXPECT_EQ(m_race.GetSeries(kindIndustry)[CRace::posTurns], 2);
    EXPECT_EQ(ValueAt(m_race, kindIndustry, 0), 700);

    HostHasTurns(0);
    EXPECT_TRUE(m_race.FetchFromHost());
    EXPECT_EQ(m_race.GetTurnCount(), 0);
    EXPECT_EQ(m_race.GetSeries(kindIndustry), nullptr);
}

TEST_F(FetchTest, ImpossibleTurnCountsAreRefusedWithTheSeriesKept)
{
    HostHasTurns(2);
    m_race.FetchFromHost();
    for (const char* pszCount : {"-3", "2000000000"}) {
        g_host.strTurnCount = pszCount;
        g_host.requests.clear();
        EXPECT_FALSE(m_race.FetchFromHost()) << pszCount;
        EXPECT_EQ(g_host.requests, (Requests{"colour", "turns"}));
        EXPECT_EQ(m_race.GetTurnCount(), 2);
        EXPECT_EQ(ValueAt(m_race, kindIndustry, 1), 200);
    }
}

TEST_F(FetchTest, NoTurnsNoColourAndNoHost)
{
    g_host.bAnswerColor = false;
    HostHasTurns(0);
    EXPECT_TRUE(m_race.FetchFromHost());
    EXPECT_EQ(g_host.requests, (Requests{"colour", "turns"}));
    EXPECT_EQ(m_race.GetColor(), 0);
    EXPECT_EQ(m_race.GetSeries(kindIndustry), nullptr);

    TestRequests().m_pfnDataManager = nullptr;
    CRace fresh(CString("Orcs"), CString("G1"));
    EXPECT_TRUE(fresh.FetchFromHost());
    EXPECT_EQ(fresh.GetColor(), 0);
    EXPECT_EQ(fresh.GetTurnCount(), 0);

    // No requests registered at all: the same, even after a caller set a
    // callback on what it was given then.
    g_host.requests.clear();
    KurvoSetRequests(nullptr);
    KurvoGetRequests().m_pfnDataManager = &AnswerRequest;
    CRace unregistered(CString("Orcs"), CString("G1"));
    EXPECT_TRUE(unregistered.FetchFromHost());
    EXPECT_TRUE(g_host.requests.empty());
    EXPECT_EQ(unregistered.GetTurnCount(), 0);
}

// The whole of the runtime's decimal grammar and nothing more: what a C99
// strtod adds (infinities, not-a-number, hexadecimal) reads as the text
// before it, and an exponent (letter e or d, either case) counts only with
// a digit.
TEST(ScaleReplyTest, ReadsTheDecimalGrammarThenTruncatesAndSaturates)
{
    const std::string strTiny = "0." + std::string(400, '0') + "1e405";
    const std::string strLong = std::string(400, '9') + "e-394";
    const struct {
        const char* pszText;
        LONG lScale;
        LONG lValue;
    } rows[] = {
        {"2.5", 100, 250},
        {"1.15", 100, 114},
        {"0.005", 100000, 500},
        {"1e3", 100, 100000},
        {" 2.5", 100, 250},
        {"\t\n\v\f\r-2.5", 100, -250},
        {"+3", 100, 300},
        {"3x", 100, 300},
        {"  -3.7e2xyz", 100, -37000},
        {"1.e2", 100, 10000},
        {".5", 100, 50},
        {"1.", 100, 100},
        {"1e", 100, 100},
        {"1e+", 100, 100},
        {"1E-2", 100000, 1000},
        {"2e+1.5", 100, 2000},
        {"1d3", 100, 100000},
        {" -2.5D-1x", 100000, -25000},
        {"1d", 100, 100},
        {"1D+", 100, 100},
        {"1d999", 100, INT32_MAX},
        {"0x10", 100, 0},
        {"-0X1p4", 100, 0},
        {"inf", 100, 0},
        {"-inf", 100, 0},
        {"infinity", 100, 0},
        {"nan", 100, 0},
        {"nanx", 100, 0},
        {"NAN(1)", 100, 0},
        {"abc", 100, 0},
        {"", 100000, 0},
        {"+", 100, 0},
        {"-", 100, 0},
        {".", 100, 0},
        {"-.e5", 100, 0},
        {"- 1", 100, 0},
        {"1,5", 100, 100},
        {"-0.001", 100, 0},
        {"21474836.47", 100, INT32_MAX},
        {"21474836.48", 100, INT32_MAX},
        {"-21474836.48", 100, INT32_MIN},
        {"1e10", 100, INT32_MAX},
        {"-1e10", 100000, INT32_MIN},
        {"1e999", 100, INT32_MAX},
        {"-1e99999999999999999999", 100, INT32_MIN},
        {"1e-999", 100, 0},
        {"0e999999", 100, 0},
        {strTiny.c_str(), 100, 1000000},
        {strLong.c_str(), 100, 100000000},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszText);
        EXPECT_EQ(CRace::ScaleReply(row.pszText, row.lScale), row.lValue);
    }
}

} // namespace
