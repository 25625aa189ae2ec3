// The chart application's requests to the host, checked against a recording
// data manager: the exact request maps, the emptying of the caller's map,
// the numbered-reply walk and the turn count, and what the host's hand-over
// in OnInitialize stores.
#include "PluginTestSupport.h"
#include "plugin/CKurvoApp.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace
{

// A real callback: records each request as it arrives and answers with the
// reply that the test set up.
struct RecordingHost {
    static inline std::vector<StringMap> requests;
    static inline StringMap reply;

    static void DataManager(CMapStringToString& map)
    {
        requests.push_back(ToStdMap(map));
        Fill(map, reply);
    }
};

class HostRequests : public testing::Test
{
protected:
    void SetUp() override
    {
        RecordingHost::requests.clear();
        RecordingHost::reply.clear();
        theApp.m_pfnDataManager = &RecordingHost::DataManager;
    }
    void TearDown() override { theApp.m_pfnDataManager = nullptr; }

    static StringMap Request(const std::string& game, const std::string& turn,
                             const std::string& function, const StringMap& params)
    {
        StringMap request = {{"GameName", game}, {"Turn", turn}, {"Function", function}};
        request.insert(params.begin(), params.end());
        return request;
    }
};

TEST_F(HostRequests, EachQuerySendsItsOwnRequest)
{
    CStringList list;
    CMapStringToString command;
    CMapStringToString commandWithGame;
    commandWithGame.SetAt("GameName", "Orion");
    CMapStringToString commandWithEmptyGame;
    commandWithEmptyGame.SetAt("GameName", "");

    theApp.QueryGames(list);
    theApp.QueryTurnCount("Orion");
    theApp.QueryRaces("Orion", list);
    theApp.QuerySelection(command, list);
    theApp.QuerySelection(commandWithGame, list);
    theApp.QuerySelection(commandWithEmptyGame, list);

    const StringMap kOneParam = {{"Parameters.Count", "1"}};
    auto list1 = [&](const char* what) {
        StringMap p = kOneParam;
        p["Parameter.1"] = what;
        return p;
    };
    const StringMap kSelection = {
        {"Parameter.1", "51467"}, {"Parameter.2", "Name"}, {"Parameters.Count", "2"}};
    std::vector<StringMap> expected = {
        Request("", "", "List", list1("Games")),
        Request("Orion", "", "List", list1("Turns")),
        Request("Orion", "0", "List", list1("Races")),
        Request("game137", "", "Selection", kSelection),
        Request("Orion", "", "Selection", kSelection),
        Request("", "", "Selection", kSelection),
    };
    EXPECT_EQ(RecordingHost::requests, expected);
}

struct ParameterCase {
    const char* name;
    const char* param1;
    const char* param2;
    StringMap expectedParams;
};

class RequestParameters : public HostRequests, public testing::WithParamInterface<ParameterCase>
{
};

TEST_P(RequestParameters, CountsOnlyTheParametersSent)
{
    CMapStringToString map;
    theApp.CallDataManager("g", "5", "Get", GetParam().param1, GetParam().param2, map);
    ASSERT_EQ(RecordingHost::requests.size(), 1u);
    EXPECT_EQ(RecordingHost::requests[0], Request("g", "5", "Get", GetParam().expectedParams));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RequestParameters,
    testing::Values(
        ParameterCase{"None", "", "", {{"Parameters.Count", "0"}}},
        ParameterCase{
            "FirstOnly", "Race", "", {{"Parameter.1", "Race"}, {"Parameters.Count", "1"}}},
        ParameterCase{
            "SecondOnly", "", "Orcs", {{"Parameter.2", "Orcs"}, {"Parameters.Count", "1"}}},
        ParameterCase{
            "Both",
            "Race",
            "Orcs",
            {{"Parameter.1", "Race"}, {"Parameter.2", "Orcs"}, {"Parameters.Count", "2"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HostRequests, EmptiesTheCallersMapBeforeSending)
{
    CMapStringToString map;
    Fill(map, {{"Stale", "1"}, {"Industry", "99"}});
    RecordingHost::reply = {{"Color", "255"}};
    theApp.CallDataManager("g", "0", "Get", "RaceColor", "Orcs", map);

    ASSERT_EQ(RecordingHost::requests.size(), 1u);
    StringMap expected = RecordingHost::requests[0];
    EXPECT_EQ(expected.count("Stale"), 0u);
    expected["Color"] = "255";
    EXPECT_EQ(ToStdMap(map), expected);
}

TEST_F(HostRequests, WithoutCallbackNothingIsSentAndNothingTouched)
{
    theApp.m_pfnDataManager = nullptr;
    CMapStringToString map;
    Fill(map, {{"Stale", "1"}});
    theApp.CallDataManager("g", "0", "List", "Games", "", map);
    EXPECT_EQ(ToStdMap(map), (StringMap{{"Stale", "1"}}));

    CStringList list;
    list.AddTail("kept");
    CMapStringToString command;
    EXPECT_FALSE(theApp.QueryGames(list));
    EXPECT_FALSE(theApp.QueryRaces("g", list));
    EXPECT_FALSE(theApp.QuerySelection(command, list));
    EXPECT_EQ(theApp.QueryTurnCount("g"), 0);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_TRUE(RecordingHost::requests.empty());
}

struct WalkCase {
    const char* name;
    StringMap reply; // keys written with "%d"; the games query gets "Game." in front
    BOOL bExpected;
    std::vector<std::string> expectedValues;
};

std::vector<std::string> Values(const CStringList& list)
{
    std::vector<std::string> out;
    POSITION pos = list.GetHeadPosition();
    while (pos != nullptr)
        out.push_back(list.GetNext(pos).str());
    return out;
}

class NumberedReply : public HostRequests, public testing::WithParamInterface<WalkCase>
{
protected:
    // Each list query, with the reply's numbered keys in its own form.
    void ExpectWalk(BOOL (*query)(CStringList&), const char* prefix)
    {
        RecordingHost::reply.clear();
        for (const auto& [key, value] : GetParam().reply)
            RecordingHost::reply[key == "Count" ? key : prefix + key] = value;
        CStringList list;
        list.AddTail("existing");
        EXPECT_EQ(query(list), GetParam().bExpected) << prefix;
        std::vector<std::string> expected = {"existing"};
        expected.insert(expected.end(), GetParam().expectedValues.begin(),
                        GetParam().expectedValues.end());
        EXPECT_EQ(Values(list), expected) << prefix;
    }
};

TEST_P(NumberedReply, WalksDownFromCountToTheFirstAbsentKey)
{
    ExpectWalk([](CStringList& list) { return theApp.QueryGames(list); }, "Game.");
    ExpectWalk([](CStringList& list) { return theApp.QueryRaces("g", list); }, "");
    ExpectWalk(
        [](CStringList& list) {
            CMapStringToString command;
            return theApp.QuerySelection(command, list);
        },
        "");
}

INSTANTIATE_TEST_SUITE_P(
    Replies, NumberedReply,
    testing::Values(WalkCase{"OneToN",
                             {{"Count", "3"}, {"1", "a"}, {"2", "b"}, {"3", "c"}},
                             TRUE,
                             {"c", "b", "a"}},
                    WalkCase{"TopKeyMissing", {{"Count", "3"}, {"1", "a"}, {"2", "b"}}, TRUE, {}},
                    WalkCase{"GapStopsTheWalk",
                             {{"Count", "4"}, {"4", "d"}, {"3", "c"}, {"1", "a"}},
                             TRUE,
                             {"d", "c"}},
                    WalkCase{"KeyZeroComesLast",
                             {{"Count", "2"}, {"0", "z"}, {"1", "a"}, {"2", "b"}},
                             TRUE,
                             {"b", "a", "z"}},
                    WalkCase{"NegativeCountWalksOnDown",
                             {{"Count", "-1"}, {"-1", "m"}, {"-2", "n"}},
                             TRUE,
                             {"m", "n"}},
                    WalkCase{"LowestIntegerDoesNotWrap",
                             {{"Count", "-2147483648"}, {"-2147483648", "w"}},
                             TRUE,
                             {"w"}},
                    WalkCase{"LeadingBlanksAndTrailingText",
                             {{"Count", " 2 races"}, {"1", "a"}, {"2", "b"}},
                             TRUE,
                             {"b", "a"}},
                    WalkCase{"CountZero", {{"Count", "0"}, {"0", "z"}}, FALSE, {}},
                    WalkCase{"CountAbsent", {{"1", "a"}}, FALSE, {}},
                    WalkCase{"CountNotANumber", {{"Count", "many"}, {"1", "a"}}, FALSE, {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct TurnCountCase {
    const char* name;
    StringMap reply;
    LONG nExpected;
};

class TurnCount : public HostRequests, public testing::WithParamInterface<TurnCountCase>
{
};

TEST_P(TurnCount, ReadsCountAsA32BitLong)
{
    RecordingHost::reply = GetParam().reply;
    EXPECT_EQ(theApp.QueryTurnCount("g"), GetParam().nExpected);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, TurnCount,
    testing::Values(TurnCountCase{"Plain", {{"Count", "12"}}, 12}, TurnCountCase{"Absent", {}, 0},
                    TurnCountCase{"NotANumber", {{"Count", "x"}}, 0},
                    TurnCountCase{"Negative", {{"Count", "-3"}}, -3},
                    TurnCountCase{"BeyondLongSaturates", {{"Count", "99999999999"}}, INT32_MAX}),
    [](const auto& info) { return std::string(info.param.name); });

// What OnInitialize stores from the host's hand-over.
class HostHandOver : public HostRequests
{
protected:
    void SetUp() override
    {
        HostRequests::SetUp();
        theApp.m_nMainFrame = 11;
        theApp.m_nEventMask = 22;
    }
    static std::string Address(DataManagerProc pfn)
    {
        return std::to_string(reinterpret_cast<uintptr_t>(pfn));
    }
};

TEST_F(HostHandOver, MissingKeysLeaveEveryFieldAsItWas)
{
    CMapStringToString map;
    theApp.OnInitialize(map);
    EXPECT_EQ(theApp.m_nMainFrame, 11);
    EXPECT_EQ(theApp.m_nEventMask, 22);
    EXPECT_EQ(theApp.m_pfnDataManager, &RecordingHost::DataManager);
}

TEST_F(HostHandOver, NumbersAreReadAsDecimalText)
{
    CMapStringToString map;
    Fill(map, {{"MainFrame", " 42abc"}, {"EventMask", "-7"}, {"DataManager", "0"}});
    theApp.OnInitialize(map);
    EXPECT_EQ(theApp.m_nMainFrame, 42);
    EXPECT_EQ(theApp.m_nEventMask, -7);
    EXPECT_EQ(theApp.m_pfnDataManager, nullptr);
}

TEST_F(HostHandOver, CallbackAddressIsReadAtPointerWidth)
{
    theApp.m_pfnDataManager = nullptr;
    CMapStringToString map;
    map.SetAt("DataManager", Address(&RecordingHost::DataManager).c_str());
    theApp.OnInitialize(map);
    EXPECT_EQ(theApp.m_pfnDataManager, &RecordingHost::DataManager);

    CStringList list;
    theApp.QueryGames(list);
    EXPECT_EQ(RecordingHost::requests.size(), 1u);
}

// An address outside every loaded module would crash the first request.
TEST_F(HostHandOver, AddressOutsideAnyModuleMeansNoCallback)
{
    for (const char* text : {"12345", "-1", "not a number", "18446744073709551616"}) {
        theApp.m_pfnDataManager = &RecordingHost::DataManager;
        CMapStringToString map;
        map.SetAt("DataManager", text);
        theApp.OnInitialize(map);
        EXPECT_EQ(theApp.m_pfnDataManager, nullptr) << text;
    }
    CStringList list;
    EXPECT_FALSE(theApp.QueryGames(list));
    EXPECT_TRUE(RecordingHost::requests.empty());
}

} // namespace
