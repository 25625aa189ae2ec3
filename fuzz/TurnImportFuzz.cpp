// Fuzz target: arbitrary bytes as an imported turn file (before the first
// form feed) for a game of four races whose turns.csv is the rest of the
// input (no form feed: a game without turns.csv yet).
//
// An import is all or nothing. Refused, it must say why and leave the game
// and every file as they were. Done, the game must hold the new turn and
// turns.csv must read back as exactly the game held in memory. Either way no
// temporary file may stay behind in the game's folder.
#include "GameStore.h"
#include "HostFuzzFolder.h"

#include <afx.h>

#include <cstdlib>

namespace
{

const char kRaces[] = "race,color\n"
                      "Bravo,#FF8000\n"
                      "Charlie,#0000ff\n"
                      "Delta,\n"
                      "\xD0\x97\xD0\xBE\xD1\x80\xD0\xB2,#123456\n";

HostFuzzFolder& Folder()
{
    static HostFuzzFolder folder;
    return folder;
}

QString TurnsPath()
{
    return Folder().gamePath() + QStringLiteral("/turns.csv");
}

// Writes the game and the file to import; the path of the latter.
QString WriteInput(const uint8_t* pData, size_t nSize)
{
    static const bool bCodePage = (AfxSetAnsiCodePage(1251), true);
    (void)bCodePage;
    const FuzzParts parts = SplitAtFormFeed(pData, nSize);
    HostFuzzFolder::write(Folder().gamePath() + QStringLiteral("/races.csv"), kRaces);
    HostFuzzFolder::write(TurnsPath(), parts.second);
    const QString importPath = Folder().outsidePath("import.csv");
    HostFuzzFolder::write(importPath, parts.first);
    return importPath;
}

} // namespace

// For the regression driver: whether the turn is imported; pnErrors gets
// how many problems the import reported.
extern "C" int TurnImportFuzzImports(const uint8_t* pData, size_t nSize, size_t* pnErrors)
{
    const QString importPath = WriteInput(pData, nSize);
    GameStore store;
    store.load(Folder().gamesPath());
    const ImportResult result = store.importTurn("Alpha", importPath);
    *pnErrors = result.errors.size();
    return result.imported;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize > 1 << 16)
        return 0;
    const QString importPath = WriteInput(pData, nSize);
    GameStore store;
    store.load(Folder().gamesPath());
    Game* game = store.findGame("Alpha");
    if (game == nullptr)
        std::abort(); // races.csv is fixed and sound
    const std::string before = DescribeGame(*game);
    const QByteArray turnsBefore = HostFuzzFolder::read(TurnsPath());
    const QStringList filesBefore = Folder().gameFiles();

    const ImportResult result = store.importTurn("Alpha", importPath);
    if (!result.imported) {
        if (result.errors.empty() || DescribeGame(*game) != before ||
            HostFuzzFolder::read(TurnsPath()) != turnsBefore ||
            HostFuzzFolder::read(TurnsPath()).isNull() != turnsBefore.isNull())
            std::abort(); // a refused import changed something or gave no reason
    } else {
        if (!game->hasTurn(result.turn) || result.races < 1 || DescribeGame(*game) == before)
            std::abort(); // an import that imported nothing
        if (Folder().describeStored("Alpha") != DescribeGame(*game))
            std::abort(); // turns.csv does not read as the game in memory
    }
    QStringList filesNow = Folder().gameFiles();
    filesNow.removeOne(QStringLiteral("turns.csv"));
    QStringList expected = filesBefore;
    expected.removeOne(QStringLiteral("turns.csv"));
    if (filesNow != expected)
        std::abort(); // a temporary file was left behind
    return 0;
}
