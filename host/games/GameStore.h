// The host's games: every game of one games folder, in the order of the
// entries' names, then the score logs opened from elsewhere, with the
// problems met while reading them.
//
// An entry of the games folder is a game folder (races.csv and turns.csv,
// see GameFolderLoader) or a game server's score log (any file whose first
// line marks it so, see ScoreLogReader), named after the file without its
// extension. A game name the ANSI code page cannot hold is folded as race
// names are, and a name that another game has already gets " (2)", ...
#pragma once

#include "Game.h"
#include "GameLoadError.h"
#include "GameReader.h"
#include "StatisticMap.h"
#include "TurnImporter.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

class ScoreLogReader;

class GameStore
{
public:
    GameStore();
    ~GameStore();
    GameStore(const GameStore&) = delete;
    GameStore& operator=(const GameStore&) = delete;

    // Replaces the games held by those of gamesFolder and the opened logs.
    // The selection of a game found again by name is kept; a log already
    // held is read on from where it was, not again. Never fails as a
    // whole: a missing folder gives no games from it and one error. When
    // an allocation fails part way, the games held before are still held.
    void load(const QString& gamesFolder);

    // Score logs from outside the games folder; loaded by the next load().
    void setOpenedLogs(const QStringList& paths) { m_openedLogs = paths; }
    const QStringList& openedLogs() const { return m_openedLogs; }

    // The map of the logs that have none of their own.
    void setDefaultMap(const StatisticMap& map) { m_defaultMap = map; }
    const StatisticMap& defaultMap() const { return m_defaultMap; }
    // A log's own map; its game is read again with it now.
    void setLogMap(const QString& logPath, const StatisticMap& map);
    StatisticMap mapOf(const QString& logPath) const;

    // Reads on every followed game (the score logs) from what its source
    // gained; true when some game changed. The problems met are errors().
    bool follow();
    // The files of the followed games.
    QStringList followedPaths() const;

    const QString& folder() const { return m_folder; }
    const std::vector<Game>& games() const { return m_games; }
    const Game* findGame(std::string_view name) const;
    Game* findGame(std::string_view name);
    // By the name the plug-in sees or the one the user sees.
    const Game* findGameByAnyName(const QString& name) const;
    // The tags a log game's log declared; nothing for any other game.
    const std::vector<std::string>* logTags(std::string_view gameName) const;

    // The problems of the last load() or follow().
    const std::vector<GameLoadError>& errors() const { return m_errors; }

    // Adds one turn read from csvPath to the named game and to its
    // turns.csv (see TurnImporter); an unknown game, or one whose turns
    // come from a game server's log, is refused.
    ImportResult importTurn(std::string_view gameName, const QString& csvPath);

private:
    using Readers = std::vector<std::unique_ptr<GameReader>>;

    void loadAll(const QString& gamesFolder, std::vector<Game>& previous, Readers& previousReaders);
    void loadEntry(const QString& path, const QString& displayName, bool isLog,
                   std::vector<Game>& previous, Readers& previousReaders, LoadLog& log);
    void loadOpenedLogs(std::vector<Game>& previous, Readers& previousReaders, LoadLog& log);
    std::unique_ptr<GameReader> readerFor(const QString& path, bool isLog) const;
    std::pair<std::string, QString> gameName(const QString& displayName) const;
    void keepSelections(const std::vector<Game>& previous);
    size_t indexOf(std::string_view name) const;

    QString m_folder;
    QStringList m_openedLogs;
    StatisticMap m_defaultMap;
    std::map<QString, StatisticMap> m_logMaps;
    std::vector<Game> m_games;
    Readers m_readers; // m_readers[i] reads m_games[i]
    std::vector<GameLoadError> m_errors;

    Q_DECLARE_TR_FUNCTIONS(GameStore)
};
