// A host's data manager for tests: it answers the plug-in's requests from
// tables set up by the test and records every request it receives, in order.
#pragma once

#include <afx.h>

#include <map>
#include <string>
#include <vector>

struct HostRace {
    std::string name;
    std::string color; // decimal text of 0x00BBGGRR
    // One entry per turn: reply key -> text; missing keys are figures the
    // host does not have.
    std::vector<std::map<std::string, std::string>> turns;
};

struct HostGame {
    std::string name;
    std::vector<HostRace> races;
    std::vector<std::string> selection;
};

class RecordingHost
{
public:
    static RecordingHost& Instance();
    static void Callback(CMapStringToString& map);

    void Reset();
    HostGame& AddGame(const std::string& name);
    HostGame* FindGame(const std::string& name);
    // A race whose turn t has Industry t + 1 and Population 2 * (t + 1).
    static HostRace MakeRace(const std::string& name, int nTurns, const std::string& color = "255");

    // "List Games", "List Turns G", "Get RaceColor G R", "Get Race G R t",
    // "Selection G", ...
    std::vector<std::string> requests;
    std::vector<HostGame> games;

private:
    void Answer(CMapStringToString& map);
};
