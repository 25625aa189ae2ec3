// The host side of the data-manager protocol for tests: it answers from a
// small table of games and records every request it receives, in order.
// Lists are answered so that the plug-in reads them in the order they have
// here. The newest host made is the one that Callback answers through.
#pragma once

#include <afx.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

struct HostGame {
    std::string strName;
    int nTurns = 0;
    std::vector<std::string> races;
};

class RecordingHost
{
public:
    using Figures = std::map<std::string, std::string>;
    // The host figures of a race for a turn.
    using FigureSource = std::function<Figures(const std::string& strRace, int nTurn)>;

    RecordingHost();
    ~RecordingHost();
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    // The plug-in's DataManagerProc.
    static void Callback(CMapStringToString& map);

    // Industry t + 1, Population 2, the technologies 0.5: easy to read back.
    static Figures DefaultFigures(const std::string& strRace, int nTurn);

    HostGame* FindGame(const std::string& strName);

    std::vector<HostGame> games;
    std::string strColor = "255";
    FigureSource figures = &DefaultFigures;
    // Game name -> the races selected in the host for that game.
    std::map<std::string, std::vector<std::string>> selections;
    // "games", "races G", "turns G", "colour G R", "turn G R t",
    // "selection G".
    std::vector<std::string> requests;

private:
    void AnswerRequest(CMapStringToString& map);

    static RecordingHost* s_pCurrent;
};
