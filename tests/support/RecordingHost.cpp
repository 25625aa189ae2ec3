#include "tests/support/RecordingHost.h"

#include <cstdlib>

RecordingHost* RecordingHost::s_pCurrent = nullptr;

RecordingHost::RecordingHost()
{
    s_pCurrent = this;
}

RecordingHost::~RecordingHost()
{
    if (s_pCurrent == this)
        s_pCurrent = nullptr;
}

RecordingHost::Figures RecordingHost::DefaultFigures(const std::string&, int nTurn)
{
    return {{"Industry", std::to_string(nTurn + 1)},
            {"Population", "2"},
            {"WeaponsTech", "0.5"},
            {"DrivesTech", "0.5"},
            {"ShieldsTech", "0.5"}};
}

void RecordingHost::Callback(CMapStringToString& map)
{
    if (s_pCurrent != nullptr)
        s_pCurrent->AnswerRequest(map);
}

HostGame* RecordingHost::FindGame(const std::string& strName)
{
    for (HostGame& game : games) {
        if (game.strName == strName)
            return &game;
    }
    return nullptr;
}

namespace
{
std::string Lookup(const CMapStringToString& map, LPCSTR lpszKey)
{
    CString strValue;
    map.Lookup(lpszKey, strValue);
    return strValue.GetString();
}

// The plug-in reads a numbered list from key Count down to key 1.
void AnswerList(CMapStringToString& map, const char* pszPrefix,
                const std::vector<std::string>& values)
{
    const size_t nCount = values.size();
    map.SetAt("Count", std::to_string(nCount).c_str());
    for (size_t i = 0; i < nCount; ++i)
        map.SetAt((pszPrefix + std::to_string(nCount - i)).c_str(), values[i].c_str());
}
} // namespace

void RecordingHost::AnswerRequest(CMapStringToString& map)
{
    const std::string strFunction = Lookup(map, "Function");
    const std::string strWhat = Lookup(map, "Parameter.1");
    const std::string strGame = Lookup(map, "GameName");
    HostGame* pGame = FindGame(strGame);
    if (strFunction == "List" && strWhat == "Games") {
        requests.push_back("games");
        std::vector<std::string> names;
        for (const HostGame& game : games)
            names.push_back(game.strName);
        AnswerList(map, "Game.", names);
    } else if (strFunction == "List" && strWhat == "Races") {
        requests.push_back("races " + strGame);
        if (pGame != nullptr)
            AnswerList(map, "", pGame->races);
    } else if (strFunction == "List" && strWhat == "Turns") {
        requests.push_back("turns " + strGame);
        if (pGame != nullptr)
            map.SetAt("Count", std::to_string(pGame->nTurns).c_str());
    } else if (strFunction == "Get" && strWhat == "RaceColor") {
        requests.push_back("colour " + strGame + " " + Lookup(map, "Parameter.2"));
        map.SetAt("Color", strColor.c_str());
    } else if (strFunction == "Get" && strWhat == "Race") {
        const std::string strRace = Lookup(map, "Parameter.2");
        const std::string strTurn = Lookup(map, "Turn");
        requests.push_back("turn " + strGame + " " + strRace + " " + strTurn);
        for (const auto& [key, value] : figures(strRace, std::atoi(strTurn.c_str())))
            map.SetAt(key.c_str(), value.c_str());
    } else if (strFunction == "Selection") {
        requests.push_back("selection " + strGame);
        const auto it = selections.find(strGame);
        if (it != selections.end())
            AnswerList(map, "", it->second);
    } else {
        requests.push_back("unexpected " + strFunction + " " + strWhat);
    }
}
