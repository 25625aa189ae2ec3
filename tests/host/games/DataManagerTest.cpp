// The answers to the plug-in's six requests, read back the way the plug-in
// reads them: only the keys the host added to the request map.
#include "DataManager.h"
#include "GameStore.h"
#include "Statistic.h"
#include "TestGames.h"
#include "hostdata/DataManagerProc.h"
#include "model/StatKinds.h"

#include <gtest/gtest.h>
#include <map>

namespace
{
using Reply = std::map<std::string, std::string>;

struct Request {
    const char* game;
    const char* turn;
    const char* function;
    const char* parameter1;
    const char* parameter2;
};

// Builds the map as the plug-in does (empty parameters left out), answers
// it and returns the keys that were not part of the request.
Reply ask(DataManager& manager, const Request& request)
{
    CMapStringToString map;
    map.SetAt("GameName", request.game);
    map.SetAt("Turn", request.turn);
    map.SetAt("Function", request.function);
    int count = 0;
    if (*request.parameter1 != '\0') {
        map.SetAt("Parameter.1", request.parameter1);
        ++count;
    }
    if (*request.parameter2 != '\0') {
        map.SetAt("Parameter.2", request.parameter2);
        ++count;
    }
    map.SetAt("Parameters.Count", std::to_string(count).c_str());
    manager.answer(map);

    Reply reply;
    POSITION position = map.GetStartPosition();
    while (position != nullptr) {
        CString key;
        CString value;
        map.GetNextAssoc(position, key, value);
        reply[key.str()] = value.str();
    }
    for (const char* requestKey :
         {"GameName", "Turn", "Function", "Parameter.1", "Parameter.2", "Parameters.Count"})
        reply.erase(requestKey);
    return reply;
}

class DataManagerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        AfxSetAnsiCodePage(1251);
        m_games.addGame(QStringLiteral("Alpha"), kAlphaRaces, kAlphaTurns);
        m_games.addGame(QStringLiteral("Beta"), "race,color\nЗорвены,#010203\n", QByteArray());
        m_store.load(m_games.path());
        ASSERT_TRUE(m_store.errors().empty());
    }

    TestGames m_games;
    GameStore m_store;
    DataManager m_manager{m_store};
};

struct AnswerCase {
    const char* what;
    Request request;
    Reply reply;
};

TEST_F(DataManagerTest, AnswersEachRequestWithItsKeys)
{
    m_store.findGame("Alpha")->setSelected("Delta", true);
    m_store.findGame("Alpha")->setSelected("Bravo", true);
    const char* zorveny = "\xC7\xEE\xF0\xE2\xE5\xED\xFB";
    const AnswerCase cases[] = {
        {"games",
         {"", "", "List", "Games", ""},
         {{"Count", "2"}, {"Game.1", "Alpha"}, {"Game.2", "Beta"}}},
        {"turn count", {"Alpha", "", "List", "Turns", ""}, {{"Count", "3"}}},
        {"turn count of a game without turns", {"Beta", "", "List", "Turns", ""}, {{"Count", "0"}}},
        {"races",
         {"Alpha", "0", "List", "Races", ""},
         {{"Count", "3"}, {"1", "Bravo"}, {"2", "Charlie"}, {"3", "Delta"}}},
        {"races in the code page",
         {"Beta", "0", "List", "Races", ""},
         {{"Count", "1"}, {"1", zorveny}}},
        {"selection",
         {"Alpha", "", "Selection", "51467", "Name"},
         {{"Count", "2"}, {"1", "Bravo"}, {"2", "Delta"}}},
        {"empty selection", {"Beta", "", "Selection", "51467", "Name"}, {{"Count", "0"}}},
        {"colour", {"Alpha", "0", "Get", "RaceColor", "Bravo"}, {{"Color", "33023"}}},
        {"colour of a Cyrillic race",
         {"Beta", "0", "Get", "RaceColor", zorveny},
         {{"Color", "197121"}}},
        {"race turn",
         {"Alpha", "1", "Get", "Race", "Bravo"},
         {{"Industry", "120"},
          {"Population", "230"},
          {"WeaponsTech", "1.15"},
          {"DrivesTech", "1.05"},
          {"ShieldsTech", "1.10"}}},
        {"race turn with a missing figure",
         {"Alpha", "2", "Get", "Race", "Bravo"},
         {{"Industry", "130.25"},
          {"Population", "250"},
          {"WeaponsTech", "1.150"},
          {"DrivesTech", "1.10"}}},
    };
    for (const AnswerCase& c : cases)
        EXPECT_EQ(ask(m_manager, c.request), c.reply) << c.what;
}

// The host answers under its own table's keys and drives the chart by its
// own flag bits and commands; the plug-in reads and obeys its table.
TEST(StatisticTable, IsThePluginsKindTable)
{
    ASSERT_EQ(kStatisticCount, kindCount);
    for (int i = 0; i < kStatisticCount; ++i) {
        const Statistic statistic = Statistic(i);
        const STAT_KIND& kind = g_statKinds[i];
        EXPECT_STREQ(kStatistics[size_t(i)].replyKey, kind.lpszReplyKey);
        EXPECT_EQ(chartKind(statistic), kind.nKind);
        EXPECT_EQ(chartFlag(statistic), kind.nFlagBit);
        EXPECT_EQ(chartCommand(statistic), kind.nStringId);
    }
    EXPECT_EQ(kChartStatisticFlags, g_lStatFlagsAll);
}

TEST_F(DataManagerTest, OddRequestsGetNoReplyKeys)
{
    const Request cases[] = {
        {"Nope", "", "List", "Turns", ""},
        {"Nope", "0", "List", "Races", ""},
        {"game137", "", "Selection", "51467", "Name"},
        {"Alpha", "", "Selection", "51467", "Id"},
        {"Alpha", "", "Selection", "1", "Name"},
        {"Alpha", "0", "Get", "RaceColor", "Nobody"},
        {"Alpha", "0", "Get", "RaceColor", ""},
        {"Alpha", "x", "Get", "Race", "Bravo"},
        {"Alpha", "-1", "Get", "Race", "Bravo"},
        {"Alpha", "", "Get", "Race", "Bravo"},
        {"Alpha", "3", "Get", "Race", "Bravo"},
        {"Alpha", "1", "Get", "Race", "Delta"},
        {"Alpha", "0", "Put", "Race", "Bravo"},
        {"", "", "List", "Planets", ""},
        {"", "", "list", "Games", ""},
        {"", "", "", "", ""},
    };
    for (const Request& request : cases) {
        EXPECT_TRUE(ask(m_manager, request).empty())
            << request.function << " " << request.parameter1 << " " << request.game << " "
            << request.turn << " " << request.parameter2;
    }
    EXPECT_EQ(m_manager.unansweredCount(), int(std::size(cases)));
}

TEST_F(DataManagerTest, CountsEveryRequestAndReportsProgress)
{
    std::vector<int> progress;
    m_manager.setProgressHook([&](int requests) { progress.push_back(requests); });
    ask(m_manager, {"", "", "List", "Games", ""});
    ask(m_manager, {"Nope", "", "List", "Turns", ""});
    ask(m_manager, {"Alpha", "", "List", "Turns", ""});
    EXPECT_EQ(m_manager.requestCount(), 3);
    EXPECT_EQ(m_manager.unansweredCount(), 1);
    EXPECT_EQ(progress, (std::vector<int>{1, 2, 3}));
    m_manager.resetCounters();
    EXPECT_EQ(m_manager.requestCount(), 0);
}

TEST_F(DataManagerTest, CallbackAnswersThroughTheCurrentInstanceOnly)
{
    const DataManagerProc callback = reinterpret_cast<DataManagerProc>(
        uintptr_t(std::stoull(DataManager::callbackAddressText().str())));
    EXPECT_EQ(callback, &DataManager::callback);

    CMapStringToString map;
    map.SetAt("Function", "List");
    map.SetAt("Parameter.1", "Games");
    {
        DataManager current(m_store);
        current.makeCurrent();
        callback(map);
        EXPECT_EQ(current.requestCount(), 1);
        CString count;
        EXPECT_TRUE(map.Lookup("Count", count));
        EXPECT_EQ(count, "2");
    }
    EXPECT_EQ(DataManager::current(), nullptr);
    CMapStringToString fresh;
    fresh.SetAt("Function", "List");
    fresh.SetAt("Parameter.1", "Games");
    callback(fresh);
    EXPECT_EQ(fresh.GetCount(), 2);
}
} // namespace
