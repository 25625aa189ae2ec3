// Reads a game server's score log (version 2) into a game, and follows it
// while the server appends to it.
//
// The log is a text of lines, each a command and its parameters between
// single spaces; a text that may hold spaces comes last and runs to the
// end of the line:
//
//   #FREECIV SCORELOG2 <server version>      first line; '#' lines are comments
//   id <game id>
//   tag <tag id> <name>                      declares a statistic
//   turn <turn> <number> <description>       a new turn
//   addplayer <turn> <player id> <name>      a player from that turn on
//   delplayer <turn> <player id>             ... up to and including that turn
//   data <turn> <tag id> <player id> <value> one figure, an integer
//
// The chart counts turns from 1, as the game server does; a log that
// begins with turn 0 is charted a turn late rather than losing it. Every
// player becomes a race, named by the host's rule for race names and
// coloured from the palette in the order the players appear; a player id
// used again after delplayer is a new race. The map tells which tags are
// charted as which of the host's five statistics.
//
// Every malformed line is reported with its file and line and left out, the
// rest still loads: an unknown command, a wrong number of fields, a turn,
// tag or player that was never declared, a figure that is no integer, the
// same figure twice. Ids and turn numbers come from the file, so nothing is
// allocated for an id's or a turn's value: what is held grows with the
// lines read, and a line is at most kMaxLineBytes long.
#pragma once

#include "GameReader.h"
#include "RaceNames.h"
#include "StatisticMap.h"

#include <QCoreApplication>
#include <QString>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class ScoreLogReader : public GameReader
{
public:
    static constexpr std::string_view kMagic = "#FREECIV SCORELOG2";
    static constexpr size_t kMaxLineBytes = 4096;
    static constexpr qint64 kMaxFileBytes = qint64(512) * 1024 * 1024;

    // Whether the file's first line marks it as a score log.
    static bool isScoreLog(const QString& path);

    ScoreLogReader(QString path, StatisticMap map);
    ScoreLogReader(ScoreLogReader&&) = default;
    ScoreLogReader& operator=(ScoreLogReader&&) = default;

    const QString& path() const override { return m_path; }
    const StatisticMap& map() const { return m_map; }
    // The tags the log declared, in its order.
    const std::vector<std::string>& tags() const { return m_tagNames; }

    // Reads the whole log into a new game of that name. Nothing, with the
    // reason in the log, when the file cannot be read.
    std::optional<Game> load(std::string name, QString displayName, LoadLog& log) override;

    bool follows() const override { return true; }
    // Reads what the log gained since the last read into game; a log that
    // shrank or was replaced, or whose last follow failed part way, is read
    // again whole, keeping the selection of races found again by name.
    Followed follow(Game& game, LoadLog& log) override;

    // The parsing underneath, for bytes from anywhere: complete lines are
    // read into game, a line without its newline waits for the next call.
    void feed(Game& game, std::string_view bytes, LoadLog& log);
    // Puts the figures read so far into the game.
    void flush(Game& game);
    qint64 offset() const { return m_offset; }

private:
    struct Tag {
        std::string name;
        unsigned statistics = 0; // bit k: charted as statistic k
    };
    // A player id's tenure: the race it stands for from one turn up to
    // and including another.
    struct Tenure {
        int from = 0;
        int until = INT32_MAX;
        size_t race = 0;
    };
    // A set of the figures' keys that an emptying keeps the room of, as the
    // next turn has about as many: a set of nodes cost an allocation for
    // every figure read.
    class KeySet
    {
    public:
        // False when the key is there already.
        bool insert(uint64_t key);
        void clear();

    private:
        void grow();

        std::vector<uint64_t> m_slots; // key + 1 (keys never reach the top), 0: free
        std::vector<size_t> m_taken;   // the slots in use, to empty them
    };
    struct FileId {
        uint64_t device = 0;
        uint64_t inode = 0;
        bool operator==(const FileId& other) const
        {
            return device == other.device && inode == other.inode;
        }
    };

    void reset();
    Followed reread(Game& game, LoadLog& log);
    bool sameFile(const QString& path, qint64& length);
    void line(Game& game, std::string_view text, LoadLog& log);
    void command(Game& game, std::string_view text, LoadLog& log);
    void readId(std::string_view text, LoadLog& log);
    void readTag(std::string_view text, LoadLog& log);
    void readTurn(Game& game, std::string_view text, LoadLog& log);
    void readAddPlayer(Game& game, std::string_view text, LoadLog& log);
    void readDelPlayer(std::string_view text, LoadLog& log);
    void readData(Game& game, std::string_view text, LoadLog& log);
    std::optional<int> declaredTurn(std::string_view field, LoadLog& log);
    const Tenure* tenureAt(int64_t player, int turn) const;
    bool isDuplicate(const Game& game, int turn, uint32_t tag, size_t race);
    Followed followOn(Game& game, LoadLog& log);
    void report(LoadLog& log, const QString& message);

    QString m_path;
    StatisticMap m_map;

    // Where the reading stands.
    qint64 m_offset = 0;
    int m_line = 0;
    bool m_rejected = false; // the first line is not a score log's
    std::string m_partial;   // a line whose newline has not come yet
    bool m_skipping = false; // inside a line too long to keep
    std::string m_head;      // the file's first bytes, to tell a replaced log
    std::optional<FileId> m_fileId;
    bool m_interrupted = false; // a follow failed part way

    // What the log declared.
    bool m_hasId = false;
    std::vector<std::string> m_tagNames;
    std::vector<Tag> m_tags;
    std::unordered_map<int64_t, uint32_t> m_tagIndex;
    std::set<int> m_turns;
    int m_turnBase = 1; // the log's turn that is the host's turn 0
    std::optional<int> m_currentTurn;
    std::unordered_map<int64_t, std::vector<Tenure>> m_players;
    RaceNames m_names;
    size_t m_racesSeen = 0;

    // Figures of the current turn, as tag and race: a figure given twice is
    // found here whatever its tag; for an earlier turn, by the game's figures.
    KeySet m_seen;
    // Figures read and not yet in the game, by race and the host's turn.
    std::map<std::pair<size_t, int>, TurnFigures> m_pending;

    Q_DECLARE_TR_FUNCTIONS(ScoreLogReader)
};
