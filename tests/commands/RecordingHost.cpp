#include "RecordingHost.h"

namespace
{

std::string Value(const CMapStringToString& map, LPCSTR lpszKey)
{
    CString strValue;
    return map.Lookup(lpszKey, strValue) ? std::string(strValue.GetString()) : std::string();
}

void AnswerNumbered(CMapStringToString& map, const std::vector<std::string>& values,
                    const char* pszPrefix)
{
    map.SetAt("Count", std::to_string(values.size()).c_str());
    for (size_t i = 0; i < values.size(); ++i)
        map.SetAt((pszPrefix + std::to_string(i + 1)).c_str(), values[i].c_str());
}

} // namespace

RecordingHost& RecordingHost::Instance()
{
    static RecordingHost host;
    return host;
}

void RecordingHost::Callback(CMapStringToString& map)
{
    Instance().Answer(map);
}

void RecordingHost::Reset()
{
    requests.clear();
    games.clear();
}

HostGame& RecordingHost::AddGame(const std::string& name)
{
    games.push_back(HostGame{name, {}, {}});
    return games.back();
}

HostGame* RecordingHost::FindGame(const std::string& name)
{
    for (HostGame& game : games)
        if (game.name == name)
            return &game;
    return nullptr;
}

HostRace RecordingHost::MakeRace(const std::string& name, int nTurns, const std::string& color)
{
    HostRace race{name, color, {}};
    for (int t = 0; t < nTurns; ++t)
        race.turns.push_back(
            {{"Industry", std::to_string(t + 1)}, {"Population", std::to_string(2 * (t + 1))}});
    return race;
}

void RecordingHost::Answer(CMapStringToString& map)
{
    const std::string function = Value(map, "Function");
    const std::string what = Value(map, "Parameter.1");
    const std::string gameName = Value(map, "GameName");
    const std::string raceName = Value(map, "Parameter.2");
    HostGame* pGame = FindGame(gameName);

    if (function == "List" && what == "Games") {
        requests.push_back("List Games");
        std::vector<std::string> names;
        for (const HostGame& game : games)
            names.push_back(game.name);
        AnswerNumbered(map, names, "Game.");
        return;
    }
    if (function == "Selection") {
        requests.push_back("Selection " + gameName);
        if (pGame != nullptr)
            AnswerNumbered(map, pGame->selection, "");
        return;
    }
    if (function == "List") {
        requests.push_back("List " + what + " " + gameName);
        if (pGame == nullptr)
            return;
        if (what == "Races") {
            std::vector<std::string> names;
            for (const HostRace& race : pGame->races)
                names.push_back(race.name);
            AnswerNumbered(map, names, "");
        } else if (what == "Turns") {
            size_t nTurns = 0;
            for (const HostRace& race : pGame->races)
                nTurns = std::max(nTurns, race.turns.size());
            map.SetAt("Count", std::to_string(nTurns).c_str());
        }
        return;
    }
    const HostRace* pRace = nullptr;
    if (pGame != nullptr)
        for (const HostRace& race : pGame->races)
            if (race.name == raceName)
                pRace = &race;
    if (function == "Get" && what == "RaceColor") {
        requests.push_back("Get RaceColor " + gameName + " " + raceName);
        if (pRace != nullptr)
            map.SetAt("Color", pRace->color.c_str());
        return;
    }
    if (function == "Get" && what == "Race") {
        const std::string turn = Value(map, "Turn");
        requests.push_back("Get Race " + gameName + " " + raceName + " " + turn);
        const size_t t = size_t(std::atoi(turn.c_str()));
        if (pRace != nullptr && t < pRace->turns.size())
            for (const auto& [key, value] : pRace->turns[t])
                map.SetAt(key.c_str(), value.c_str());
        return;
    }
    requests.push_back("? " + function);
}
