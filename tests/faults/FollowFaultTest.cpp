// The host's games store following a score log, and loading the games
// folder that holds it, while one allocation after another fails: whatever
// the failure interrupted, the store still holds the log's game, and the
// next follow or load brings it to what a clean load of the whole log gives.
#include "FaultInjection.h"

#include "GameStore.h"
#include "fuzz/HostFuzzFolder.h"

#include <gtest/gtest.h>

namespace
{

const char kStart[] = "#FREECIV SCORELOG2 3.0.6\n"
                      "tag 0 pop\n"
                      "tag 2 mfg\n"
                      "turn 1 -4000 4000 BCE\n"
                      "addplayer 1 0 Alpha\n"
                      "addplayer 1 1 Beta\n"
                      "data 1 0 0 10\n"
                      "data 1 2 1 20\n";
const char kGained[] = "turn 2 -3950 3950 BCE\n"
                       "addplayer 2 2 Gamma\n"
                       "data 2 0 0 11\n"
                       "data 2 2 1 21\n"
                       "delplayer 2 1\n"
                       "data 2 0 2 30\n";

// Runs step (a follow or a load of the store) with the N-th allocation
// failing, over a store that read kStart before kGained was appended.
void RunStepLoop(const char* what, const std::function<void(GameStore&)>& step)
{
    HostFuzzFolder folder;
    const QString logPath = folder.gamesPath() + QStringLiteral("/log.log");
    HostFuzzFolder::write(logPath, std::string(kStart) + kGained);
    const std::string whole = folder.describeStored("log");
    ASSERT_FALSE(whole.empty());

    RunFaultLoop(what, FaultKind::allocation, [&](FaultInjector& fault) {
        HostFuzzFolder::write(logPath, kStart);
        GameStore store;
        store.load(folder.gamesPath());
        HostFuzzFolder::write(logPath, std::string(kStart) + kGained);
        const bool bThrew = fault.ThrowsArmed([&] { step(store); });
        ASSERT_NE(store.findGame("log"), nullptr) << "the game was lost";
        if (!bThrew) {
            EXPECT_EQ(DescribeGame(*store.findGame("log")), whole);
            return;
        }
        step(store);
        ASSERT_NE(store.findGame("log"), nullptr);
        EXPECT_EQ(DescribeGame(*store.findGame("log")), whole);
    });
}

TEST(FollowFaultTest, FollowCatchesUpAfterAFailure)
{
    RunStepLoop("follow", [](GameStore& store) { store.follow(); });
}

TEST(FollowFaultTest, LoadCatchesUpAfterAFailure)
{
    RunStepLoop("load", [](GameStore& store) { store.load(store.folder()); });
}

} // namespace
