// Fuzz target: arbitrary bytes as a game server's score log. A form feed in
// the input marks where the log is cut in two (none: it is cut in the
// middle); the form feed itself is no part of the log.
//
// The same log is read four ways, and every way must give the same game:
// fed whole, fed in its two parts, fed in small pieces, and as the host reads
// a file of the games folder, the first part loaded and the rest appended
// and followed. The game read keeps the reader's promises: turns sorted and
// within the turn bound, every figure an integer, and nothing held for an
// id's or a turn's value, so that its size follows the lines read.
#include "GameStore.h"
#include "HostFuzzFolder.h"
#include "ScoreLogReader.h"
#include "TurnNumber.h"

#include <afx.h>

#include <QFile>
#include <cstdlib>

namespace
{

HostFuzzFolder& Folder()
{
    static HostFuzzFolder folder;
    return folder;
}

QString LogPath()
{
    return Folder().gamesPath() + QStringLiteral("/Alpha.log");
}

// A tag charted twice, so that a figure can stand for two statistics.
StatisticMap Map()
{
    StatisticMap map = StatisticMap::defaults();
    map.setTag(Statistic::ShieldsTech, "pop");
    return map;
}

struct Fed {
    Game game{"Alpha", QStringLiteral("Alpha"), QString(), Game::Source::ScoreLog};
    std::vector<GameLoadError> errors;
};

// The log fed in pieces of at most nPiece bytes, or cut once at nCut.
Fed Feed(std::string_view log, size_t nCut, size_t nPiece)
{
    static const bool bCodePage = (AfxSetAnsiCodePage(1251), true);
    (void)bCodePage;
    Fed fed;
    ScoreLogReader reader(LogPath(), Map());
    LoadLog errors;
    if (nPiece == 0) {
        reader.feed(fed.game, log.substr(0, nCut), errors);
        reader.flush(fed.game);
        reader.feed(fed.game, log.substr(nCut), errors);
    } else {
        for (size_t i = 0; i < log.size(); i += nPiece)
            reader.feed(fed.game, log.substr(i, nPiece), errors);
    }
    reader.flush(fed.game);
    if (reader.offset() != qint64(log.size()))
        std::abort();
    fed.errors = errors.takeErrors();
    return fed;
}

bool IsInteger(std::string_view figure)
{
    if (!figure.empty() && figure.front() == '-')
        figure.remove_prefix(1);
    return !figure.empty() && figure.find_first_not_of("0123456789") == std::string_view::npos &&
           (figure.size() == 1 || figure.front() != '0');
}

void Check(const Fed& fed, std::string_view log)
{
    if (fed.errors.size() > size_t(LoadLog::kDefaultMaxPerFile))
        std::abort();
    const Game& game = fed.game;
    // Every race stands for an addplayer line, every turn of a race for a
    // data line at least.
    size_t nHeld = 0;
    int highest = -1;
    for (const Race& race : game.races()) {
        if (race.name.empty() || race.sourceName.empty())
            std::abort();
        nHeld += 1 + race.turns.size();
        for (size_t i = 0; i < race.turns.size(); ++i) {
            const int turn = race.turns.turnAt(i);
            if (turn < 0 || turn > TurnNumber::kMax || (i > 0 && turn <= race.turns.turnAt(i - 1)))
                std::abort();
            highest = std::max(highest, turn);
            for (std::string_view figure : race.turns.figuresAt(i)) {
                if (!figure.empty() && !IsInteger(figure))
                    std::abort();
            }
        }
    }
    if (nHeld > size_t(std::count(log.begin(), log.end(), '\n')))
        std::abort();
    // A turn counts once begun, with or without figures; none lies past the
    // bound.
    if (game.turnCount() < highest + 1 || game.turnCount() > TurnNumber::kMax + 1)
        std::abort();
    if (!game.races().empty() &&
        log.substr(0, ScoreLogReader::kMagic.size()) != ScoreLogReader::kMagic)
        std::abort(); // read although it is no score log
}

// The game the host's store reads from a log file that gets the second part
// appended after the first was read.
std::string Stored(std::string_view first, std::string_view second)
{
    HostFuzzFolder::write(LogPath(), first);
    GameStore store;
    store.setDefaultMap(Map());
    store.load(Folder().gamesPath());
    const bool bHeld = store.findGame("Alpha") != nullptr;
    QFile file(LogPath());
    if (!file.open(QIODevice::Append) ||
        file.write(second.data(), qint64(second.size())) != qint64(second.size()))
        std::abort();
    file.close();
    // A first part that is no log yet is found by the next look at the
    // folder, as the host's watch would.
    if (bHeld)
        store.follow();
    else
        store.load(Folder().gamesPath());
    const Game* game = store.findGame("Alpha");
    return game != nullptr ? DescribeGame(*game) : std::string();
}

struct Input {
    std::string log;
    size_t nCut = 0;
};

Input Split(const uint8_t* pData, size_t nSize)
{
    const FuzzParts parts = SplitAtFormFeed(pData, nSize);
    Input input;
    input.log = std::string(parts.first) + std::string(parts.second.value_or(""));
    input.nCut = parts.second ? parts.first.size() : input.log.size() / 2;
    return input;
}

} // namespace

// For the regression driver: whether the log is read without a single
// problem reported; pnErrors gets how many were.
extern "C" int ScoreLogFuzzReadsCleanly(const uint8_t* pData, size_t nSize, size_t* pnErrors)
{
    const Input input = Split(pData, nSize);
    const Fed fed = Feed(input.log, input.log.size(), 0);
    *pnErrors = fed.errors.size();
    return !fed.game.races().empty() && fed.errors.empty();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize > 1 << 16)
        return 0;
    const Input input = Split(pData, nSize);
    const std::string_view log = input.log;
    const Fed whole = Feed(log, log.size(), 0);
    Check(whole, log);
    const std::string expected = DescribeGame(whole.game);
    const Fed cut = Feed(log, input.nCut, 0);
    if (DescribeGame(cut.game) != expected || cut.errors.size() != whole.errors.size())
        std::abort(); // a line read differently for where the bytes were cut
    const Fed pieces = Feed(log, 0, 1 + nSize % 7);
    if (DescribeGame(pieces.game) != expected || pieces.errors.size() != whole.errors.size())
        std::abort();
    const std::string stored = Stored(log.substr(0, input.nCut), log.substr(input.nCut));
    // The store reads only a file that starts as a log does.
    const bool bLog = log.substr(0, ScoreLogReader::kMagic.size()) == ScoreLogReader::kMagic;
    if (stored != (bLog ? expected : std::string()))
        std::abort(); // the file read and followed is another game
    return 0;
}
