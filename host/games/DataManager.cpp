#include "DataManager.h"

#include "GameStore.h"
#include "TurnNumber.h"
#include "hostdata/DataManagerProc.h"

#include <type_traits>

namespace
{
DataManager* g_current = nullptr;

// The number that ties the plug-in's second menu item to its selection
// request; the plug-in sends it in decimal.
constexpr const char* kSelectionCommand = "51467";

CString lookup(const CMapStringToString& map, LPCSTR key)
{
    CString value;
    map.Lookup(key, value);
    return value;
}

CString decimal(long long value)
{
    CString text;
    text.Format("%lld", value);
    return text;
}

// A numbered list as the plug-in reads it: "Count" and the values under
// prefix + 1 .. prefix + N.
void setNumberedList(CMapStringToString& map, const char* prefix,
                     const std::vector<std::string>& values)
{
    map.SetAt("Count", decimal(static_cast<long long>(values.size())));
    for (size_t i = 0; i < values.size(); ++i) {
        CString key;
        key.Format("%s%zu", prefix, i + 1);
        map.SetAt(key, values[i].c_str());
    }
}
} // namespace

static_assert(std::is_same_v<decltype(&DataManager::callback), DataManagerProc>,
              "the callback must have the plug-in's DataManagerProc type");

struct DataManager::Request {
    CString game;
    CString turn;
    CString parameter2;
};

const DataManager::Route DataManager::kRoutes[] = {
    {"List", "Games", &DataManager::answerGames},
    {"List", "Turns", &DataManager::answerTurnCount},
    {"List", "Races", &DataManager::answerRaces},
    {"Selection", kSelectionCommand, &DataManager::answerSelection},
    {"Get", "RaceColor", &DataManager::answerRaceColor},
    {"Get", "Race", &DataManager::answerRaceTurn},
};

DataManager::~DataManager()
{
    if (g_current == this)
        g_current = nullptr;
}

void DataManager::answer(CMapStringToString& map)
{
    if (lookup(map, "Function") == "Get" && lookup(map, "Parameter.1") == "RaceColor")
        ++m_raceColorCount;
    if (!dispatch(map))
        ++m_unansweredCount;
    ++m_requestCount;
    if (m_progressHook)
        m_progressHook(m_requestCount);
}

bool DataManager::dispatch(CMapStringToString& map) const
{
    const CString function = lookup(map, "Function");
    const CString parameter1 = lookup(map, "Parameter.1");
    for (const Route& route : kRoutes) {
        if (function == route.function && parameter1 == route.parameter1) {
            const Request request{lookup(map, "GameName"), lookup(map, "Turn"),
                                  lookup(map, "Parameter.2")};
            return (this->*route.handler)(request, map);
        }
    }
    return false;
}

void DataManager::callback(CMapStringToString& map)
{
    if (g_current != nullptr)
        g_current->answer(map);
}

void DataManager::makeCurrent()
{
    g_current = this;
}

DataManager* DataManager::current()
{
    return g_current;
}

CString DataManager::callbackAddressText()
{
    CString text;
    text.Format("%ju", uintmax_t(reinterpret_cast<uintptr_t>(&DataManager::callback)));
    return text;
}

void DataManager::resetCounters()
{
    m_requestCount = 0;
    m_unansweredCount = 0;
    m_raceColorCount = 0;
}

bool DataManager::answerGames(const Request&, CMapStringToString& map) const
{
    std::vector<std::string> names;
    for (const Game& game : m_store.games())
        names.push_back(game.name());
    setNumberedList(map, "Game.", names);
    return true;
}

bool DataManager::answerTurnCount(const Request& request, CMapStringToString& map) const
{
    const Game* game = m_store.findGame(request.game.str());
    if (game == nullptr)
        return false;
    map.SetAt("Count", decimal(game->turnCount()));
    return true;
}

bool DataManager::answerRaces(const Request& request, CMapStringToString& map) const
{
    const Game* game = m_store.findGame(request.game.str());
    if (game == nullptr)
        return false;
    std::vector<std::string> names;
    for (const Race& race : game->races())
        names.push_back(race.name);
    setNumberedList(map, "", names);
    return true;
}

bool DataManager::answerSelection(const Request& request, CMapStringToString& map) const
{
    const Game* game = m_store.findGame(request.game.str());
    if (game == nullptr || request.parameter2 != "Name")
        return false;
    setNumberedList(map, "", game->selectedRaces());
    return true;
}

bool DataManager::answerRaceColor(const Request& request, CMapStringToString& map) const
{
    const Game* game = m_store.findGame(request.game.str());
    const Race* race = game == nullptr ? nullptr : game->findRace(request.parameter2.str());
    if (race == nullptr || !race->color)
        return false;
    map.SetAt("Color", decimal(*race->color));
    return true;
}

bool DataManager::answerRaceTurn(const Request& request, CMapStringToString& map) const
{
    const Game* game = m_store.findGame(request.game.str());
    const Race* race = game == nullptr ? nullptr : game->findRace(request.parameter2.str());
    const std::optional<int> turn = TurnNumber::parse(request.turn.str());
    if (race == nullptr || !turn)
        return false;
    const std::optional<RaceTurns::Figures> figures = race->turns.find(*turn);
    if (!figures)
        return false;
    for (size_t i = 0; i < kStatisticCount; ++i) {
        const std::string_view text = (*figures)[i];
        if (!text.empty())
            map.SetAt(kStatistics[i].replyKey, CString(text.data(), int(text.size())));
    }
    return true;
}
