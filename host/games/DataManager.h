// Answers the plug-ins' data-manager requests from a GameStore.
//
// A request arrives as a string map holding "GameName", "Turn", "Function"
// and up to two parameters; the reply keys are added to the same map before
// the call returns. The six requests understood:
//
//   Function   Parameter.1  Parameter.2  other key  reply
//   List       Games        -            -          Count, Game.1 .. Game.N
//   List       Turns        -            GameName   Count (highest turn + 1)
//   List       Races        -            GameName   Count, 1 .. N
//   Selection  51467        Name         GameName   Count, 1 .. N (selected races)
//   Get        RaceColor    race         GameName   Color (decimal of 0x00BBGGRR)
//   Get        Race         race         GameName,  Industry, Population, WeaponsTech,
//                                        Turn       DrivesTech, ShieldsTech (each only
//                                                   when the host has the figure)
//
// Anything else (an unknown function, game or race, a turn that is not a
// number) gets no reply keys, which the plug-in reads as "no such data".
#pragma once

#include <afx.h>

#include <functional>

class GameStore;

class DataManager
{
public:
    // Called after each request with the number of requests so far.
    using ProgressHook = std::function<void(int requests)>;

    explicit DataManager(GameStore& store) : m_store(store) {}
    ~DataManager();
    DataManager(const DataManager&) = delete;
    DataManager& operator=(const DataManager&) = delete;

    void answer(CMapStringToString& map);

    // The plug-ins get one plain function for their requests; it answers
    // through the current instance and leaves the map alone when there is
    // none. Its type is the plug-in's DataManagerProc.
    static void callback(CMapStringToString& map);
    void makeCurrent();
    static DataManager* current();
    // The callback's address as decimal text at pointer width, the form in
    // which a plug-in's OnInitialize expects it under "DataManager".
    static CString callbackAddressText();

    // Every request received counts, answered or not.
    int requestCount() const { return m_requestCount; }
    int unansweredCount() const { return m_unansweredCount; }
    // Colour requests so far: a plug-in's fetch of a race starts with one,
    // so this counts the races fetched, for progress reports.
    int raceColorCount() const { return m_raceColorCount; }
    void resetCounters();
    void setProgressHook(ProgressHook hook) { m_progressHook = std::move(hook); }

private:
    struct Request;
    using Handler = bool (DataManager::*)(const Request&, CMapStringToString&) const;
    struct Route {
        const char* function;
        const char* parameter1;
        Handler handler;
    };
    static const Route kRoutes[];

    bool dispatch(CMapStringToString& map) const;
    bool answerGames(const Request& request, CMapStringToString& map) const;
    bool answerTurnCount(const Request& request, CMapStringToString& map) const;
    bool answerRaces(const Request& request, CMapStringToString& map) const;
    bool answerSelection(const Request& request, CMapStringToString& map) const;
    bool answerRaceColor(const Request& request, CMapStringToString& map) const;
    bool answerRaceTurn(const Request& request, CMapStringToString& map) const;

    GameStore& m_store;
    int m_requestCount = 0;
    int m_unansweredCount = 0;
    int m_raceColorCount = 0;
    ProgressHook m_progressHook;
};
