// Loading game folders: what a good game holds, and how each kind of bad
// input is reported with its file and line while the rest still loads.
#include "GameStore.h"
#include "RaceNames.h"
#include "TestGames.h"
#include "tests/support/TurnsCsv.h"

#include <afx.h>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <sys/stat.h>

#include <QDir>
#include <QFile>

namespace
{
const QByteArray kTurnsHeader(kTurnsCsvHeader);

// The one error whose file ends with fileSuffix, or a failure.
testing::AssertionResult hasError(const std::vector<GameLoadError>& errors,
                                  const QString& fileSuffix, int line, const QString& fragment)
{
    QStringList all;
    for (const GameLoadError& error : errors) {
        all << error.toString();
        if (error.file.endsWith(fileSuffix) && error.line == line &&
            error.message.contains(fragment))
            return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << "errors were: " << all.join(QStringLiteral(" | ")).toStdString();
}

testing::AssertionResult hasError(const GameStore& store, const QString& fileSuffix, int line,
                                  const QString& fragment)
{
    return hasError(store.errors(), fileSuffix, line, fragment);
}

TEST(GameStore, LoadsRacesTurnsAndFiguresAsWritten)
{
    TestGames games;
    games.addGame(QStringLiteral("Alpha"), kAlphaRaces, kAlphaTurns);
    games.addGame(QStringLiteral("Empty"), "race,color\nEcho,#000000\n", QByteArray());
    GameStore store;
    store.load(games.path());

    EXPECT_TRUE(store.errors().empty());
    ASSERT_EQ(store.games().size(), 2u);
    const Game* alpha = store.findGame("Alpha");
    ASSERT_NE(alpha, nullptr);
    EXPECT_EQ(alpha->turnCount(), 3);
    ASSERT_EQ(alpha->races().size(), 3u);
    EXPECT_EQ(alpha->races()[0].name, "Bravo");
    EXPECT_EQ(alpha->races()[1].color, 0x00FF0000u);
    const RaceTurns::Figures bravo2 = alpha->findRace("Bravo")->turns.at(2);
    EXPECT_EQ(bravo2[size_t(Statistic::Industry)], "130.25");
    EXPECT_EQ(bravo2[size_t(Statistic::WeaponsTech)], "1.150");
    EXPECT_EQ(bravo2[size_t(Statistic::ShieldsTech)], "");
    EXPECT_FALSE(alpha->findRace("Delta")->turns.contains(1));
    EXPECT_EQ(store.findGame("Empty")->turnCount(), 0);
}

struct BadInputCase {
    const char* what;
    QByteArray races;
    QByteArray turns;
    const char* file;
    int line;
    const char* fragment;
};

TEST(GameStore, ReportsBadLinesAndKeepsTheRest)
{
    const QByteArray good = "0,Bravo,1,2,3,4,5\n";
    const BadInputCase cases[] = {
        {"turn not a number", kAlphaRaces, kTurnsHeader + good + "x,Bravo,1,2,3,4,5\n", "turns.csv",
         3, "\"x\""},
        {"negative turn", kAlphaRaces, kTurnsHeader + good + "-1,Bravo,1,2,3,4,5\n", "turns.csv", 3,
         "\"-1\""},
        {"absurd turn", kAlphaRaces, kTurnsHeader + good + "100001,Bravo,1,2,3,4,5\n", "turns.csv",
         3, "100001"},
        {"unknown race", kAlphaRaces, kTurnsHeader + good + "1,Zulu,1,2,3,4,5\n2,Zulu,1,2,3,4,5\n",
         "turns.csv", 3, "2 line(s)"},
        {"duplicate turn of a race", kAlphaRaces, kTurnsHeader + good + "0,Bravo,9,9,9,9,9\n",
         "turns.csv", 3, "already has a line for turn 0"},
        {"too few fields", kAlphaRaces, kTurnsHeader + good + "1,Bravo,1,2\n", "turns.csv", 3,
         "4 fields"},
        {"unclosed quote", kAlphaRaces, kTurnsHeader + good + "1,\"Bravo,1,2,3,4,5\n", "turns.csv",
         3, "not closed"},
        {"bad colour", "race,color\nBravo,#FF8000\nCharlie,red\n", kTurnsHeader + good, "races.csv",
         3, "not #RRGGBB"},
        {"race listed twice", "race,color\nBravo,#FF8000\nBravo,#000000\n", kTurnsHeader + good,
         "races.csv", 3, "listed twice"},
        {"nameless race", "race,color\nBravo,#FF8000\n,#000000\n", kTurnsHeader + good, "races.csv",
         3, "no name"},
        {"turns lack a column", kAlphaRaces, "turn,race,industry\n0,Bravo,1\n", "turns.csv", 1,
         "shields"},
    };
    for (const BadInputCase& c : cases) {
        SCOPED_TRACE(c.what);
        TestGames games;
        games.addGame(QStringLiteral("Alpha"), c.races, c.turns);
        games.addGame(QStringLiteral("Other"), kAlphaRaces, kAlphaTurns);
        GameStore store;
        store.load(games.path());
        EXPECT_EQ(store.errors().size(), 1u);
        EXPECT_TRUE(hasError(store, QStringLiteral("Alpha/") + c.file, c.line, c.fragment));
        ASSERT_EQ(store.games().size(), 2u);
        EXPECT_EQ(store.findGame("Other")->turnCount(), 3);
        const Race* bravo = store.findGame("Alpha")->findRace("Bravo");
        ASSERT_NE(bravo, nullptr);
        if (std::string_view(c.what) != "turns lack a column") {
            EXPECT_EQ(bravo->turns.at(0)[0], "1");
        }
    }
}

struct FigureCase {
    std::string written; // the industry field as the file has it
    const char* held;    // the figure the game holds
    const char* report;  // what the report quotes; null for a figure without a report
};

// A figure the plug-in would read as something other than what is written,
// or with a d exponent (which other readers of the files take for text),
// is reported with its file and line and counts as missing, whether it
// comes with turns.csv or with an imported turn; the rest of its line and
// the lines after it still load.
TEST(GameStore, FiguresThatAreNotNumbersAreReportedAndCountAsMissing)
{
    const FigureCase cases[] = {
        {"inf", "", "\"inf\""},
        {"-inf", "", "\"-inf\""},
        {"nan", "", "\"nan\""},
        {"0x10", "", "\"0x10\""},
        {"12abc", "", "\"12abc\""},
        {"1e", "", "\"1e\""},
        {"1d3", "", "\"1d3\""},
        {"-2.5D-1", "", "\"-2.5D-1\""},
        {"-", "", "\"-\""},
        {".", "", "\".\""},
        {"1.5.2", "", "\"1.5.2\""},
        {"\"1,5\"", "", "\"1,5\""},
        {"1 5", "", "\"1 5\""},
        {"\"\n5\"", "", "industry figure"},
        {"\xE2\x85\xAB", "", "\"\xE2\x85\xAB\""},
        {std::string(100, '7') + "x", "",
         "\"7777777777777777777777777777777777777777\xE2\x80\xA6\""},
        {" 2.5\t", "2.5", nullptr},
        {"+1.e3", "+1.e3", nullptr},
        {".5", ".5", nullptr},
        {"-0", "-0", nullptr},
        {"1e999", "1e999", nullptr},
        {"  ", "", nullptr},
    };
    for (const FigureCase& c : cases) {
        SCOPED_TRACE(c.written);
        const size_t expectedErrors = c.report != nullptr ? 1 : 0;
        const QString fragment = QString::fromUtf8(c.report != nullptr ? c.report : "");
        const QByteArray field = QByteArray::fromStdString(c.written);
        TestGames games;
        games.addGame(QStringLiteral("Alpha"), kAlphaRaces,
                      kTurnsHeader + "0,Bravo,1,2,3,4,5\n1,Bravo," + field +
                          ",7,8,9,10\n2,Bravo,1,2,3,4,5\n");
        GameStore store;
        store.load(games.path());
        EXPECT_EQ(store.errors().size(), expectedErrors);
        if (c.report != nullptr) {
            EXPECT_TRUE(hasError(store, QStringLiteral("Alpha/turns.csv"), 3, fragment));
        }
        const Race* bravo = store.findGame("Alpha")->findRace("Bravo");
        EXPECT_EQ(bravo->turns.at(1)[size_t(Statistic::Industry)], c.held);
        EXPECT_EQ(bravo->turns.at(1)[size_t(Statistic::Population)], "7");
        EXPECT_TRUE(bravo->turns.contains(2));

        const QString import =
            games.write(QStringLiteral("import.csv"),
                        kTurnsHeader + "3,Charlie,1,2,3,4,5\n3,Bravo," + field + ",7,8,9,10\n");
        const ImportResult result = store.importTurn("Alpha", import);
        ASSERT_TRUE(result.imported);
        EXPECT_EQ(result.errors.size(), expectedErrors);
        if (c.report != nullptr) {
            EXPECT_TRUE(hasError(result.errors, QStringLiteral("import.csv"), 3, fragment));
        }
        bravo = store.findGame("Alpha")->findRace("Bravo");
        EXPECT_EQ(bravo->turns.at(3)[size_t(Statistic::Industry)], c.held);
        EXPECT_EQ(bravo->turns.at(3)[size_t(Statistic::Population)], "7");

        GameStore reloaded;
        reloaded.load(games.path());
        EXPECT_EQ(reloaded.errors().size(), expectedErrors) << "only the old line is reported";
        EXPECT_EQ(reloaded.findGame("Alpha")->findRace("Bravo")->turns.at(3), bravo->turns.at(3));
    }
}

TEST(GameStore, RaceWithBadColourKeepsItsTurnsButHasNoColour)
{
    TestGames games;
    games.addGame(QStringLiteral("G"), "race,color\nBravo,#FF80\n",
                  kTurnsHeader + "0,Bravo,1,2,3,4,5\n");
    GameStore store;
    store.load(games.path());
    const Race* bravo = store.findGame("G")->findRace("Bravo");
    EXPECT_FALSE(bravo->color);
    EXPECT_EQ(bravo->turns.size(), 1u);
}

TEST(GameStore, MissingFoldersAndFilesAreReported)
{
    TestGames games;
    GameStore store;
    store.load(games.path() + QStringLiteral("/nowhere"));
    EXPECT_TRUE(store.games().empty());
    EXPECT_TRUE(hasError(store, QStringLiteral("nowhere"), 0, QStringLiteral("does not exist")));

    games.write(QStringLiteral("Stray/notes.txt"), "not a game");
    games.addGame(QStringLiteral("Alpha"), kAlphaRaces, kAlphaTurns);
    store.load(games.path());
    ASSERT_EQ(store.games().size(), 1u);
    EXPECT_TRUE(hasError(store, QStringLiteral("Stray"), 0, QStringLiteral("no races.csv")));
}

TEST(GameStore, GarbageFileGivesABoundedNumberOfErrors)
{
    TestGames games;
    QByteArray turns = kTurnsHeader;
    for (int i = 0; i < 5000; ++i)
        turns += "?,Bravo,1,2,3,4,5\n";
    games.addGame(QStringLiteral("Alpha"), kAlphaRaces, turns);
    GameStore store;
    store.load(games.path());
    EXPECT_LE(store.errors().size(), size_t(LoadLog::kDefaultMaxPerFile));
    EXPECT_GE(store.errors().size(), 10u);
}

TEST(GameStore, CyrillicNamesBecomeWindows1251Bytes)
{
    AfxSetAnsiCodePage(1251);
    TestGames games;
    games.addGame(QStringLiteral("Северный круг"), "race,color\nЗорвены,#102030\n",
                  kTurnsHeader + "0,Зорвены,1,2,3,4,5\n");
    GameStore store;
    store.load(games.path());
    EXPECT_TRUE(store.errors().empty());
    const Game* game = store.findGame("\xD1\xE5\xE2\xE5\xF0\xED\xFB\xE9 \xEA\xF0\xF3\xE3");
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->displayName(), QStringLiteral("Северный круг"));
    ASSERT_EQ(game->races().size(), 1u);
    EXPECT_EQ(game->races()[0].name, "\xC7\xEE\xF0\xE2\xE5\xED\xFB");
    EXPECT_EQ(game->races()[0].displayName, QStringLiteral("Зорвены"));
    EXPECT_EQ(game->turnCount(), 1);
}

// No race or game is dropped for its name: what the code page cannot hold
// is folded, a clash gets a suffix, and the turn lines still find the race
// by the name races.csv gives it.
TEST(GameStore, NamesTheCodePageCannotHoldAreFoldedAndKept)
{
    AfxSetAnsiCodePage(1251);
    TestGames games;
    games.addGame(QStringLiteral("Alpha"),
                  "race,color\nBravo,#000000\nΩmega,#FFFFFF\nOmega,#FFFFFF\n",
                  kTurnsHeader + "0,Bravo,1,2,3,4,5\n0,Ωmega,6,2,3,4,5\n0,Omega,7,2,3,4,5\n");
    games.addGame(QStringLiteral("游戏"), kAlphaRaces, kAlphaTurns);
    GameStore store;
    store.load(games.path());
    EXPECT_TRUE(store.errors().empty()) << store.errors().front().toString().toStdString();
    ASSERT_EQ(store.games().size(), 2u);
    const Game& alpha = store.games()[0];
    ASSERT_EQ(alpha.races().size(), 3u);
    // The first to claim a name keeps it; here the folded one came first.
    EXPECT_EQ(alpha.races()[1].name, "Omega");
    EXPECT_EQ(alpha.races()[1].displayName, QStringLiteral("Ωmega"));
    EXPECT_EQ(alpha.races()[2].name, "Omega (2)");
    EXPECT_EQ(alpha.races()[2].displayName, QStringLiteral("Omega (2)"));
    EXPECT_EQ(alpha.findRace("Omega")->turns.at(0)[0], "6");
    EXPECT_EQ(alpha.findRace("Omega (2)")->turns.at(0)[0], "7");
    EXPECT_EQ(store.games()[1].name(), "you xi");
    EXPECT_EQ(store.games()[1].displayName(), QStringLiteral("游戏"));
}

TEST(GameStore, ReloadKeepsTheSelection)
{
    TestGames games;
    games.addGame(QStringLiteral("Alpha"), kAlphaRaces, kAlphaTurns);
    GameStore store;
    store.load(games.path());
    Game* alpha = store.findGame("Alpha");
    EXPECT_TRUE(alpha->setSelected("Delta", true));
    EXPECT_TRUE(alpha->setSelected("Bravo", true));
    EXPECT_FALSE(alpha->setSelected("Nobody", true));
    store.load(games.path());
    EXPECT_EQ(store.findGame("Alpha")->selectedRaces(),
              (std::vector<std::string>{"Bravo", "Delta"}));
}
} // namespace

namespace
{
TEST(GameStore, SampleGamesLoadCleanly)
{
    AfxSetAnsiCodePage(1251);
    GameStore store;
    store.load(qEnvironmentVariable("KURVO_SOURCE_DIR") + QStringLiteral("/data"));
    EXPECT_TRUE(store.errors().empty()) << store.errors().front().toString().toStdString();
    ASSERT_EQ(store.games().size(), 3u);
    for (const Game& game : store.games()) {
        EXPECT_GE(game.races().size(), 8u);
        EXPECT_GE(game.turnCount(), 30);
    }
}
} // namespace

namespace
{
TEST(GameStore, NamesThatAreNotUtf8AreReportedAsSuch)
{
    AfxSetAnsiCodePage(1251);
    TestGames games;
    games.addGame(QStringLiteral("Alpha"), "race,color\nBravo,#000000\n\xC7\xEE\xF0,#FFFFFF\n",
                  QByteArray());
    GameStore store;
    store.load(games.path());
    EXPECT_TRUE(hasError(store, QStringLiteral("races.csv"), 3, QStringLiteral("not UTF-8")));
    ASSERT_EQ(store.games()[0].races().size(), 2u);
    EXPECT_EQ(store.games()[0].races()[1].name, "???");
}
} // namespace

namespace
{
// A race's turns against a map of the same turns, under inserts out of
// order, duplicates, erases and reinserts (which make the table drop the
// bytes of erased turns), with texts long enough to need two length bytes.
TEST(RaceTurns, HoldsWhatAMapOfTheSameTurnsHolds)
{
    RaceTurns turns;
    std::map<int, TurnFigures> model;
    std::mt19937 random(11);
    for (int step = 0; step < 3000; ++step) {
        const int turn = int(random() % 60);
        if (random() % 3 == 0) {
            turns.erase(turn);
            model.erase(turn);
        } else {
            TurnFigures figures;
            for (std::string& text : figures)
                text = std::string(random() % 4 == 0 ? random() % 300 : random() % 8,
                                   char('0' + random() % 10));
            EXPECT_EQ(turns.insert(turn, figures), model.emplace(turn, figures).second);
        }
        ASSERT_EQ(turns.size(), model.size());
    }
    turns.shrinkToFit();
    auto expected = model.begin();
    for (const auto& [turn, figures] : turns) {
        ASSERT_EQ(turn, expected->first);
        for (size_t i = 0; i < figures.size(); ++i)
            EXPECT_EQ(figures[i], expected->second[i]) << "turn " << turn;
        EXPECT_EQ(turns.at(turn), figures);
        ++expected;
    }
    EXPECT_FALSE(turns.find(60));
    EXPECT_THROW(turns.at(60), std::out_of_range);
}
} // namespace

namespace
{
// Hostile game files cost a report, not memory or a hang: control
// characters and overlong names, a game that would ask the chart for more
// race turns than the host charts, a pipe where a file should be.
TEST(GameStore, HostileGameFilesAreReportedAndBounded)
{
    TestGames games;
    const std::string longName(RaceNames::kMaxNameBytes + 1, 'x');
    static const char kNul[] = "race,color\nOr\0cs,#000000\nOr\0ks,#000000\n\0,#000000\n";
    games.addGame(QStringLiteral("Names"),
                  QByteArray(kNul, sizeof kNul - 1) + "Zeta,#FFFFFF\nTab\tTab,#000000\n" +
                      QByteArray::fromStdString(longName) + ",#000000\nC1\xC2\x85,#000000\n",
                  kTurnsHeader + "0,Zeta,1,2,3,4,5\n");
    QByteArray races = "race,color\n";
    QByteArray turns = kTurnsHeader;
    for (int i = 0; i < 1000; ++i) {
        races += "R" + QByteArray::number(i) + ",#102030\n";
        turns += "100000,R" + QByteArray::number(i) + ",1,2,3,4,5\n";
    }
    games.addGame(QStringLiteral("Wide"), races, turns);
    QByteArray log = "#FREECIV SCORELOG2 3.0.6\nturn 1 0 x\naddplayer 1 0 Bell\x07\n";
    for (int i = 1; i <= 11; ++i)
        log += "addplayer 1 " + QByteArray::number(i) + " P" + QByteArray::number(i) + "\n";
    games.write(QStringLiteral("pipe.log"), log + "turn 100000 0 y\n");
    QDir().mkpath(games.path() + QStringLiteral("/Piped"));
    ASSERT_EQ(mkfifo(QFile::encodeName(games.path() + "/Piped/races.csv").constData(), 0600), 0);

    GameStore store;
    store.load(games.path());
    const std::vector<GameLoadError>& errors = store.errors();
    for (int line : {2, 3, 4, 6, 7, 8})
        EXPECT_TRUE(hasError(errors, "Names/races.csv", line, "line skipped")) << line;
    EXPECT_TRUE(hasError(errors, "Names/races.csv", 6, "control character"));
    EXPECT_TRUE(hasError(errors, "Names/races.csv", 7, "256 bytes long"));
    ASSERT_NE(store.findGame("Names"), nullptr);
    EXPECT_EQ(store.findGame("Names")->races().size(), 1u);

    const Game* wide = store.findGame("Wide");
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(wide->races().size(), 1000u);
    EXPECT_EQ(wide->turnCount(), 0);
    EXPECT_TRUE(hasError(errors, "Wide/turns.csv", 2, "more than the 1000000 race turns"));

    const Game* logGame = store.findGame("pipe");
    ASSERT_NE(logGame, nullptr);
    EXPECT_EQ(logGame->races().size(), 11u);
    EXPECT_EQ(logGame->turnCount(), 1);
    EXPECT_TRUE(hasError(errors, "pipe.log", 3, "control character"));
    EXPECT_TRUE(hasError(errors, "pipe.log", 15, "11 races over 100000 turns"));
    EXPECT_TRUE(hasError(errors, "Piped/races.csv", 0, "not a regular file"));
    EXPECT_EQ(store.findGame("Piped"), nullptr);
}
} // namespace
