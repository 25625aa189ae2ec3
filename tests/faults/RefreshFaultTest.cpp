// Growing a race's blocks while one allocation after another fails: the
// race takes all five new blocks or keeps its old ones, and nothing leaks.
#include "FaultInjection.h"

#include "model/CRace.h"

#include <gtest/gtest.h>

#include <new>
#include <vector>

namespace
{

std::vector<LONG> Blocks(const CRace& race)
{
    std::vector<LONG> words{race.GetTurnCount()};
    for (int k = kindFirst; k <= kindLast && race.GetTurnCount() > 0; ++k) {
        const LONG* pBlock = race.GetSeries(k);
        words.insert(words.end(), pBlock, pBlock + CRace::posFirstValue + race.GetTurnCount());
    }
    return words;
}

TEST(RaceFaultTest, GrowthTakesAllFiveBlocksOrNone)
{
    const int nRuns = RunFaultLoop(FaultKind::allocation, [&](FaultInjector& fault) {
        CRace grown{CString("Orcs"), CString("Alpha")};
        grown.SetTurnCount(3);
        grown.GetSeries(kindDrives)[CRace::posFirstValue + 2] = 42;
        const std::vector<LONG> before = Blocks(grown);
        const long nBlocks = FaultInjector::LiveBlocks();
        bool bThrew = false;
        fault.Arm();
        try {
            grown.SetTurnCount(5);
        } catch (const std::bad_alloc&) {
            bThrew = true;
        }
        fault.Disarm();
        if (!bThrew) {
            EXPECT_EQ(grown.GetTurnCount(), 5);
            EXPECT_EQ(grown.GetSeries(kindDrives)[CRace::posFirstValue + 2], 42);
            return;
        }
        EXPECT_EQ(Blocks(grown), before) << "a failed growth changed the race";
        EXPECT_EQ(FaultInjector::LiveBlocks(), nBlocks) << "a failed growth leaked";
    });
    EXPECT_EQ(nRuns, 6) << "five blocks, so the sixth attempt meets no fault";
}

} // namespace
