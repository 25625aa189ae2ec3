// Reads one game folder: races.csv (race, colour) and turns.csv (one line
// per race and turn). Every problem is logged with its file and line and the
// faulty line is left out; the rest of the game still loads.
//
// Fallbacks: a race whose colour is unusable keeps its figures but has no
// colour; a race whose name the code page cannot hold is named by the
// host's rule for race names (RaceNames) and keeps its turn lines, which
// still name it as races.csv does; a folder without turns.csv is a game
// that has no turns yet. Only a folder without a usable races.csv is no
// game at all.
#pragma once

#include "Game.h"
#include "LoadLog.h"
#include "RaceNames.h"

#include <QCoreApplication>
#include <QString>
#include <map>
#include <optional>
#include <string>

class GameFolderLoader
{
public:
    explicit GameFolderLoader(LoadLog& log) : m_log(log) {}

    // name is the game's name in the ANSI code page, displayName the folder's.
    std::optional<Game> load(const QString& folder, std::string name, const QString& displayName);

private:
    bool readRaces(Game& game);
    void readTurns(Game& game);
    void addRace(Game& game, const QString& path, int line, const std::vector<std::string>& cells);
    void reportUnknownRaces(const QString& path);

    struct UnknownRace {
        int firstLine = 0;
        int lines = 0;
    };

    LoadLog& m_log;
    RaceNames m_names;
    std::map<std::string, UnknownRace> m_unknownRaces;

    Q_DECLARE_TR_FUNCTIONS(GameFolderLoader)
};
