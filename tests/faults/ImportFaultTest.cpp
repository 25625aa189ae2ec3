// The host's import of a turn while one allocation or one file call after
// another fails: the import either adds the turn to the game and turns.csv
// alike, or refuses with a reason (or lets an allocation failure through)
// and leaves both as they were, with no temporary file behind.
#include "FaultInjection.h"

#include "GameStore.h"
#include "fuzz/HostFuzzFolder.h"
#include "tests/support/TurnsCsv.h"

#include <afx.h>
#include <gtest/gtest.h>

namespace
{

const char kRaces[] = "race,color\nBravo,#FF8000\nCharlie,#0000ff\n";
const std::string kTurns = std::string(kTurnsCsvHeader) + "0,Bravo,100,200,1.00,1.00,1.00\n"
                                                          "0,Charlie,110.5,210,1.00,1.00,\n";
const std::string kImport = std::string(kTurnsCsvHeader) + "1,Charlie,1,2,3,4,x\n"
                                                           "1,Bravo,5,6,7,8,9\n";

class ImportFaultTest : public testing::TestWithParam<FaultKind>
{
};

TEST_P(ImportFaultTest, ImportsTheTurnEverywhereOrNowhere)
{
    HostFuzzFolder folder;
    const QString turnsPath = folder.gamePath() + QStringLiteral("/turns.csv");
    const QString importPath = folder.outsidePath("import.csv");
    HostFuzzFolder::write(folder.gamePath() + QStringLiteral("/races.csv"), kRaces);
    HostFuzzFolder::write(turnsPath, kTurns);
    HostFuzzFolder::write(importPath, kImport);
    const QStringList files = folder.gameFiles();

    RunFaultLoop("import", GetParam(), [&](FaultInjector& fault) {
        GameStore store;
        store.load(folder.gamesPath());
        Game& game = *store.findGame("Alpha");
        const std::string before = DescribeGame(game);
        const long nBlocks = FaultInjector::LiveBlocks();
        bool bImported = false;
        size_t nErrors = 0;
        bool bThrew = false;
        {
            ImportResult result;
            bThrew = fault.ThrowsArmed([&] { result = store.importTurn("Alpha", importPath); });
            bImported = result.imported;
            nErrors = result.errors.size();
        }
        const long nLeft = FaultInjector::LiveBlocks() - nBlocks;
        EXPECT_EQ(folder.gameFiles(), files) << "a temporary file was left behind";
        if (bImported) {
            EXPECT_TRUE(game.hasTurn(1));
            EXPECT_EQ(folder.describeStored("Alpha"), DescribeGame(game));
            EXPECT_EQ(nErrors, 1u) << "the one figure that is not a number";
            HostFuzzFolder::write(turnsPath, kTurns);
            return;
        }
        EXPECT_TRUE(fault.Fired());
        EXPECT_TRUE(bThrew || nErrors > 0) << "a refusal without a reason";
        EXPECT_EQ(DescribeGame(game), before) << "a refused import changed the game";
        EXPECT_EQ(HostFuzzFolder::read(turnsPath), QByteArray::fromStdString(kTurns));
        EXPECT_EQ(nLeft, 0) << "a refused import leaked";
    });
}

INSTANTIATE_TEST_SUITE_P(Faults, ImportFaultTest, kBothFaultKinds, FaultKindName);

} // namespace
