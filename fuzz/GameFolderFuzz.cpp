// Fuzz target: arbitrary bytes as a game folder, races.csv before the first
// form feed and turns.csv after it (no form feed: a game without turns.csv).
//
// Whatever the files hold, the load keeps its promises: each file's log stays
// within its bound, every figure kept is a number as the plug-in reads one
// (or missing), and every turn lies within the turn bound. What loaded is
// then written out again as the host's writer writes game files, and that
// must read back as the same game, with no other complaint than the colours
// that were already unusable.
#include "CsvWriter.h"
#include "GameFolderLoader.h"
#include "HostFuzzFolder.h"
#include "RaceColor.h"
#include "TurnNumber.h"
#include "TurnRowParser.h"

#include <afx.h>

#include <QHash>
#include <cstdlib>

namespace
{

HostFuzzFolder& Folder()
{
    static HostFuzzFolder folder;
    return folder;
}

struct Loaded {
    std::optional<Game> game;
    std::vector<GameLoadError> errors;
};

Loaded Load()
{
    LoadLog log;
    GameFolderLoader loader(log);
    Loaded loaded;
    loaded.game = loader.load(Folder().gamePath(), "Alpha", QStringLiteral("Alpha"));
    loaded.errors = log.takeErrors();
    return loaded;
}

bool IsFigure(std::string_view figure)
{
    return figure.empty() ||
           (figure.front() != ' ' &&
            AfxDecimalLength(figure, AfxExponentLetters::eOnly) == figure.size() &&
            figure.find_first_of("\t\n\v\f\r") == std::string_view::npos);
}

void CheckLoaded(const Loaded& loaded)
{
    QHash<QString, int> perFile;
    for (const GameLoadError& error : loaded.errors) {
        if (++perFile[error.file] > LoadLog::kDefaultMaxPerFile)
            std::abort();
    }
    if (!loaded.game)
        return;
    int highest = -1;
    for (const Race& race : loaded.game->races()) {
        if (race.name.empty())
            std::abort();
        for (const auto& [turn, figures] : race.turns) {
            if (turn < 0 || turn > TurnNumber::kMax)
                std::abort();
            highest = std::max(highest, turn);
            for (std::string_view figure : figures) {
                if (!IsFigure(figure))
                    std::abort();
            }
        }
    }
    if (loaded.game->turnCount() != highest + 1)
        std::abort();
}

void WriteAgain(const Game& game)
{
    std::string races = CsvWriter::record({"race", "color"});
    std::string turns;
    for (std::string_view column : TurnRowParser::columns())
        turns += (turns.empty() ? "" : ",") + std::string(column);
    turns += '\n';
    for (const Race& race : game.races()) {
        const std::string name = race.displayName.toStdString();
        races += CsvWriter::record({name, race.color ? RaceColor::format(*race.color) : ""});
        for (const auto& [turn, figures] : race.turns) {
            std::vector<std::string> cells{std::to_string(turn), name};
            cells.insert(cells.end(), figures.begin(), figures.end());
            turns += CsvWriter::record(cells);
        }
    }
    HostFuzzFolder::write(game.racesPath(), races);
    HostFuzzFolder::write(game.turnsPath(), turns);
}

// Writes the two game files of an input.
void WriteInput(const uint8_t* pData, size_t nSize)
{
    static const bool bCodePage = (AfxSetAnsiCodePage(1251), true);
    (void)bCodePage;
    const FuzzParts parts = SplitAtFormFeed(pData, nSize);
    HostFuzzFolder::write(Folder().gamePath() + QStringLiteral("/races.csv"), parts.first);
    HostFuzzFolder::write(Folder().gamePath() + QStringLiteral("/turns.csv"), parts.second);
}

} // namespace

// For the regression driver: whether the folder loads as a game without a
// single problem logged; pnErrors gets how many were.
extern "C" int GameFolderFuzzLoadsCleanly(const uint8_t* pData, size_t nSize, size_t* pnErrors)
{
    WriteInput(pData, nSize);
    const Loaded loaded = Load();
    *pnErrors = loaded.errors.size();
    return loaded.game && loaded.errors.empty();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize > 1 << 16)
        return 0;
    WriteInput(pData, nSize);
    const Loaded loaded = Load();
    CheckLoaded(loaded);
    if (!loaded.game)
        return 0;
    WriteAgain(*loaded.game);
    const Loaded again = Load();
    if (!again.game || DescribeGame(*again.game) != DescribeGame(*loaded.game))
        std::abort(); // the game's own files read as another game
    size_t nColourless = 0;
    for (const Race& race : loaded.game->races())
        nColourless += race.color ? 0 : 1;
    if (again.errors.size() != std::min<size_t>(nColourless, LoadLog::kDefaultMaxPerFile))
        std::abort(); // the game's own files have problems of their own
    return 0;
}
