// The game generator: its games load cleanly, look like games, and a seed
// always gives the same files.
#include "GameGenerator.h"
#include "GameStore.h"
#include "TestGames.h"

#include <afx.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace
{
GameShape shape(int races, int turns, uint64_t seed, const char* name = "Test Reach")
{
    GameShape result;
    result.name = QString::fromUtf8(name);
    result.races = races;
    result.turns = turns;
    result.seed = seed;
    return result;
}

QString generate(const QString& outDir, const GameShape& gameShape)
{
    QString error;
    const std::optional<QString> folder = GameGenerator(gameShape).write(outDir, error);
    EXPECT_TRUE(folder) << error.toStdString();
    return folder.value_or(QString());
}

TEST(GameGenerator, GeneratedGameLoadsWithoutErrorsAndLooksPlausible)
{
    AfxSetAnsiCodePage(1251);
    TestGames games;
    generate(games.path(), shape(12, 50, 7));
    GameStore store;
    store.load(games.path());
    EXPECT_TRUE(store.errors().empty());
    ASSERT_EQ(store.games().size(), 1u);
    const Game& game = store.games()[0];
    EXPECT_EQ(game.turnCount(), 50);
    ASSERT_EQ(game.races().size(), 12u);

    int cyrillic = 0;
    int missing = 0;
    for (const Race& race : game.races()) {
        cyrillic += race.displayName.front().script() == QChar::Script_Cyrillic;
        EXPECT_TRUE(race.color);
        double lastWeapons = 0;
        for (const auto& [turn, figures] : race.turns) {
            for (std::string_view figure : figures)
                missing += figure.empty();
            const std::string weapons(figures[size_t(Statistic::WeaponsTech)]);
            if (!weapons.empty()) {
                EXPECT_GE(std::stod(weapons), lastWeapons) << "technology never falls back";
                lastWeapons = std::stod(weapons);
            }
            if (!figures[0].empty()) {
                EXPECT_GT(std::stod(std::string(figures[0])), 0.0);
            }
        }
    }
    EXPECT_EQ(cyrillic, 4);
    EXPECT_GT(missing, 0);
}

TEST(GameGenerator, SameSeedSameFilesOtherSeedOtherFiles)
{
    TestGames first;
    TestGames second;
    const QString a = generate(first.path(), shape(5, 20, 42));
    const QString b = generate(second.path(), shape(5, 20, 42));
    const QString c = generate(second.path(), shape(5, 20, 43, "Other"));
    EXPECT_EQ(TestGames::read(a + "/turns.csv"), TestGames::read(b + "/turns.csv"));
    EXPECT_EQ(TestGames::read(a + "/races.csv"), TestGames::read(b + "/races.csv"));
    EXPECT_NE(TestGames::read(a + "/turns.csv"), TestGames::read(c + "/turns.csv"));
}

TEST(GameGenerator, RefusesSizesAndNamesItCannotWrite)
{
    EXPECT_TRUE(GameGenerator::check(shape(0, 10, 1)));
    EXPECT_TRUE(GameGenerator::check(shape(10, 0, 1)));
    EXPECT_TRUE(GameGenerator::check(shape(10, GameGenerator::kMaxTurns + 1, 1)));
    EXPECT_TRUE(GameGenerator::check(shape(GameGenerator::kMaxRaces, GameGenerator::kMaxTurns, 1)));
    EXPECT_TRUE(GameGenerator::check(shape(3, 3, 1, "../escape")));
    EXPECT_TRUE(GameGenerator::check(shape(3, 3, 1, "..")));
    EXPECT_FALSE(GameGenerator::check(shape(3, 3, 1)));
}

TEST(GameGenerator, CommandLineToolWritesAGame)
{
    const QString tool = qEnvironmentVariable("KURVO_BIN_DIR") + QStringLiteral("/kurvo-gengame");
    if (!QFileInfo::exists(tool))
        GTEST_SKIP() << "kurvo-gengame is not built";
    TestGames games;
    QProcess run;
    run.start(tool, {games.path(), QStringLiteral("--races"), QStringLiteral("3"),
                     QStringLiteral("--turns"), QStringLiteral("5"), QStringLiteral("--name"),
                     QStringLiteral("Tool Game")});
    ASSERT_TRUE(run.waitForFinished(30000));
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    GameStore store;
    store.load(games.path());
    EXPECT_TRUE(store.errors().empty());
    ASSERT_NE(store.findGame("Tool Game"), nullptr);
    EXPECT_EQ(store.findGame("Tool Game")->turnCount(), 5);

    run.start(tool, {games.path(), QStringLiteral("--races"), QStringLiteral("many")});
    ASSERT_TRUE(run.waitForFinished(30000));
    EXPECT_EQ(run.exitCode(), 2);
}
} // namespace
