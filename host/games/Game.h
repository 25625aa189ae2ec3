// One game as the host keeps it: its races in the order of races.csv, each
// with a colour and the figures of the turns it has, plus the host's
// selection of races. Names are held as the plug-in sees them, narrow bytes
// in the ANSI code page, with a Unicode copy for the user interface.
#pragma once

#include "RaceTurns.h"
#include "Statistic.h"

#include <QCoreApplication>
#include <QString>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

struct Race {
    std::string name;              // ANSI code page bytes
    QString displayName;           // the name for the user interface
    std::string sourceName;        // the name as the game's files write it, UTF-8
    bool folded = false;           // name is not sourceName's exact conversion
    std::optional<uint32_t> color; // 0x00BBGGRR; none when the file's colour was unusable
    bool selected = false;
    RaceTurns turns;
};

class Game
{
public:
    // Where the game's figures come from: a folder of CSV files, which the
    // host may add turns to, or a game server's score log, which only the
    // server writes.
    enum class Source { Folder, ScoreLog };

    Game(std::string name, QString displayName, QString path, Source source = Source::Folder);

    const std::string& name() const { return m_name; }
    const QString& displayName() const { return m_displayName; }
    Source source() const { return m_source; }
    // The game folder, or the log file.
    const QString& folder() const { return m_folder; }
    QString racesPath() const;
    QString turnsPath() const;

    // What the host charts of one game at most, in races x turns: the
    // plug-in fetches every turn of every race, up to the game's last, and
    // keeps them in its chart file (20 bytes each). A game of 30 players
    // over 5,000 turns takes 150,000.
    static constexpr size_t kMaxRaceTurns = 1'000'000;
    static bool hasRoomFor(size_t races, int turnCount)
    {
        return turnCount <= 0 || races <= kMaxRaceTurns / size_t(turnCount);
    }
    // The report for a line refused for it.
    static QString budgetText(size_t races, int turnCount);

    const std::vector<Race>& races() const { return m_races; }
    const Race* findRace(std::string_view name) const;
    // By the name the game's files use (the first race of that name).
    const Race* findRaceBySource(std::string_view utf8) const;
    // By the name the plug-in sees or by the files' name.
    const Race* findRaceByAnyName(std::string_view name) const;
    // False (and nothing changes) when a race of that name is already there.
    bool addRace(Race race);
    // Adds the race's figures for a turn, or, when the race has the turn,
    // puts the figures that are not empty over those it has. Either all of
    // it happens or, when it throws, nothing.
    void mergeTurnFigures(size_t raceIndex, int turn, const TurnFigures& figures);

    // The highest turn of any race plus one; 0 for a game without turns.
    int turnCount() const { return m_turns.empty() ? 0 : *m_turns.rbegin() + 1; }
    bool hasTurn(int turn) const { return m_turns.count(turn) != 0; }
    // A turn the game has played, whether or not a race has figures for it.
    void addTurn(int turn) { m_turns.insert(turn); }
    // The number the game's own files give the host's turn 0: 0 for a game
    // folder, whose files count as the host does; 1 for a log whose game
    // counts from 1. For showing turns as the game's players know them.
    int firstTurnNumber() const { return m_firstTurnNumber; }
    void setFirstTurnNumber(int number) { m_firstTurnNumber = number; }
    // False (and nothing changes) for an unknown race or a turn the race
    // already has.
    bool addTurnFigures(std::string_view race, int turn, const TurnFigures& figures);
    // Takes the turn from every race; never fails, so it can undo an add.
    void removeTurn(int turn) noexcept;
    // Gives back the room that reading the turns left over.
    void shrinkToFit();

    // False for an unknown race.
    bool setSelected(std::string_view race, bool selected);
    void clearSelection();
    // The selected races' names, in the order of the races.
    std::vector<std::string> selectedRaces() const;

private:
    Race* mutableRace(std::string_view name);

    std::string m_name;
    QString m_displayName;
    QString m_folder;
    Source m_source;
    int m_firstTurnNumber = 0;
    std::vector<Race> m_races;
    std::map<std::string, size_t, std::less<>> m_raceIndex;
    std::map<std::string, size_t, std::less<>> m_sourceIndex;
    std::set<int> m_turns;

    Q_DECLARE_TR_FUNCTIONS(Game)
};
