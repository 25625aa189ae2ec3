// Score logs of a game server: a real server's log read whole, every kind
// of malformed line, a log followed while it grows or is written anew, and
// the rules that keep every player: folded names, suffixes, colours.
#include "AnsiText.h"
#include "GameStore.h"
#include "RacePalette.h"
#include "ScoreLogReader.h"
#include "StatisticMap.h"
#include "TestGames.h"
#include "tests/support/ScoreLogOracle.h"

#include <afx.h>
#include <gtest/gtest.h>

#include <QFile>
#include <cmath>
#include <set>

namespace
{
const QByteArray kHead = "#FREECIV SCORELOG2 3.0.6\n"
                         "id abc\n"
                         "tag 0 pop\n"
                         "tag 2 mfg\n"
                         "tag 4 techs\n"
                         "tag 5 gold\n"
                         "turn 1 -4000 4000 BCE\n"
                         "addplayer 1 0 Alpha\n"
                         "addplayer 1 1 Beta\n"
                         "data 1 2 0 10\n";
constexpr int kHeadLines = 10;

// The figure of the log's turn, which is the host's turn before it.
std::string figure(const Game& game, std::string_view race, int turn, Statistic statistic)
{
    const Race* found = game.findRace(race);
    if (found == nullptr)
        return "<no race>";
    const std::optional<RaceTurns::Figures> figures = found->turns.find(turn - 1);
    return figures ? std::string((*figures)[size_t(statistic)]) : "<no turn>";
}

QString fixture(const char* name)
{
    return qEnvironmentVariable("KURVO_SOURCE_DIR") +
           QStringLiteral("/tests/host/games/fixtures/") + QLatin1String(name);
}

TEST(ScoreLog, ARealServersLogLoadsEveryPlayerAndFigure)
{
    AfxSetAnsiCodePage(1251);
    TestGames games;
    const QString log =
        games.write(QStringLiteral("ai-game.log"), TestGames::read(fixture("ai-game.log")));
    GameStore store;
    store.load(games.path());
    EXPECT_TRUE(store.errors().empty()) << store.errors().front().toString().toStdString();
    const Game* game = store.findGame("ai-game");
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->source(), Game::Source::ScoreLog);

    const score_log_oracle::Figures expected = score_log_oracle::read(log.toStdString());
    ASSERT_EQ(game->races().size(), expected.size());
    size_t index = 0;
    for (const Race& race : game->races()) {
        SCOPED_TRACE(race.sourceName);
        EXPECT_EQ(race.color, RacePalette::color(index++));
        const auto& turns = expected.at(race.sourceName);
        ASSERT_EQ(race.turns.size(), turns.size());
        for (const auto& [turn, values] : turns) {
            const RaceTurns::Figures held = race.turns.at(turn - 1);
            EXPECT_EQ(held[size_t(Statistic::Industry)], values[0]) << "turn " << turn;
            EXPECT_EQ(held[size_t(Statistic::Population)], values[1]) << "turn " << turn;
            EXPECT_EQ(held[size_t(Statistic::WeaponsTech)], values[2]) << "turn " << turn;
            EXPECT_EQ(held[size_t(Statistic::DrivesTech)], "");
            EXPECT_EQ(held[size_t(Statistic::ShieldsTech)], "");
        }
    }
    // A leader's name the code page lacks a letter of is folded, not dropped.
    const Race* folded = game->findRaceBySource("Tadeusz Kościuszko");
    ASSERT_NE(folded, nullptr);
    EXPECT_EQ(folded->name, "Tadeusz Kosciuszko");
    EXPECT_EQ(folded->displayName, QStringLiteral("Tadeusz Kościuszko"));
    EXPECT_TRUE(folded->folded);

    // Another map charts other tags; an undeclared tag is told once.
    StatisticMap map = StatisticMap::defaults();
    QString error;
    ASSERT_TRUE(
        map.apply(QStringLiteral("industry=score,WEAPONS=none,drives=cities,shields=x"), error));
    store.setLogMap(log, map);
    game = store.findGame("ai-game");
    EXPECT_EQ(store.errors().size(), 1u);
    EXPECT_EQ(figure(*game, "Pakal", 20, Statistic::Industry), "6");
    EXPECT_EQ(figure(*game, "Pakal", 20, Statistic::DrivesTech), "1");
    EXPECT_EQ(figure(*game, "Pakal", 20, Statistic::WeaponsTech), "");
}

struct MalformedCase {
    const char* lines;
    int line; // of the report, from the first case line
    const char* fragment;
};

TEST(ScoreLog, EveryMalformedLineIsReportedAndSkipped)
{
    const MalformedCase cases[] = {
        {"frobnicate 1 2", 1, "unknown command \"frobnicate\""},
        {"data 1 2 0", 1, "\"data\" wants"},
        {"data 1 2 0 5 6", 1, "\"data\" wants"},
        {"data 1  2 0 5", 1, "\"data\" wants"},
        {"data 7 2 0 5", 1, "turn \"7\" was not declared"},
        {"data -1 2 0 5", 1, "turn \"-1\" was not declared"},
        {"data 2147483647 0 1000000000 5", 1, "was not declared"},
        {"data 1 9 0 5", 1, "tag \"9\" was not declared"},
        {"data 1 2 5 5", 1, "player \"5\" is not in the game at turn 1"},
        {"data 1 2 -1 5", 1, "player \"-1\" is not in the game"},
        {"data 1 2 1 1.5", 1, "\"1.5\" is not an integer"},
        {"data 1 2 1 +5", 1, "is not an integer"},
        {"data 1 2 1 99999999999999999999", 1, "is not an integer"},
        {"data 1 2 0 11", 1, "a second figure of tag 2 for player 0 in turn 1"},
        {"data 1 5 0 1\ndata 1 5 0 2", 2, "a second figure of tag 5"},
        {"turn 2147483647 1 x", 1, "is not a number from 0 to"},
        {"turn 1 -4000 again", 1, "turn 1 is declared again"},
        {"turn 2 -3950", 1, "\"turn\" wants"},
        {"turn 0 -4050 4050 BCE", 1, "turn 0 after the log began with turn 1"},
        {"turn 2 year 3950 BCE", 1, "\"turn\" wants"},
        {"tag 0 again", 1, "tag 0 is declared again"},
        {"tag 9 mfg", 1, "a second tag \"mfg\""},
        {"addplayer 1 0 Gamma", 1, "player 0 is still in the game at turn 1"},
        {"addplayer 1 2", 1, "\"addplayer\" wants"},
        {"addplayer 4 2 Gamma", 1, "turn \"4\" was not declared"},
        {"delplayer 1 7", 1, "player 7 is not in the game at turn 1"},
        {"delplayer 1 0 extra", 1, "\"delplayer\" wants"},
        {"id", 1, "without the game's id"},
        {"id again", 1, "a second \"id\" line"},
    };
    for (const MalformedCase& c : cases) {
        SCOPED_TRACE(c.lines);
        TestGames games;
        games.write(QStringLiteral("g.log"), kHead + c.lines + "\ndata 1 0 1 7\n");
        GameStore store;
        store.load(games.path());
        ASSERT_EQ(store.errors().size(), 1u);
        const GameLoadError& error = store.errors().front();
        EXPECT_EQ(error.line, kHeadLines + c.line);
        EXPECT_TRUE(error.message.contains(QLatin1String(c.fragment)))
            << error.toString().toStdString();
        // The rest still loads: the line before and the line after.
        const Game& game = store.games().at(0);
        EXPECT_EQ(game.races().size(), 2u);
        EXPECT_EQ(figure(game, "Alpha", 1, Statistic::Industry), "10");
        EXPECT_EQ(figure(game, "Beta", 1, Statistic::Population), "7");
        EXPECT_EQ(game.turnCount(), 1);
    }
}

// A player whose joining was skipped is not in the game for what follows.
TEST(ScoreLog, APlayerWhoseJoiningWasSkippedCannotLeave)
{
    TestGames games;
    games.write(QStringLiteral("g.log"), kHead + "addplayer 1 3 Bad\x01Name\ndelplayer 1 3\n");
    GameStore store;
    store.load(games.path());
    ASSERT_EQ(store.errors().size(), 2u);
    EXPECT_TRUE(
        store.errors()[1].message.contains(QLatin1String("player 3 is not in the game at turn 1")))
        << store.errors()[1].toString().toStdString();
}

TEST(ScoreLog, AFollowedLogIsReadOnFromWhereItWasAndAgainWhenWrittenAnew)
{
    TestGames games;
    const QString path = games.write(QStringLiteral("live.log"), kHead + "data 1 0 0 3");
    GameStore store;
    store.load(games.path());
    Game* game = store.findGame("live");
    ASSERT_NE(game, nullptr);
    // The line without its newline waits for it.
    EXPECT_EQ(figure(*game, "Alpha", 1, Statistic::Population), "");
    game->setSelected("Beta", true);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("0\nturn 2 -3950 3950 BCE\ndelplayer 2 0\nturn 3 -3900 3900 BCE\n"
               "addplayer 3 0 Alpha\ndata 3 2 0 40\ndata 2 2 0 20\n");
    file.flush();
    EXPECT_TRUE(store.follow());
    game = store.findGame("live");
    EXPECT_EQ(figure(*game, "Alpha", 1, Statistic::Population), "30");
    EXPECT_EQ(figure(*game, "Alpha", 2, Statistic::Industry), "20");
    // The player id came back as another player, who is a race of its own.
    ASSERT_EQ(game->races().size(), 3u);
    EXPECT_EQ(game->races()[2].name, "Alpha (2)");
    EXPECT_EQ(game->races()[2].color, RacePalette::color(2));
    EXPECT_EQ(figure(*game, "Alpha (2)", 3, Statistic::Industry), "40");
    EXPECT_EQ(figure(*game, "Alpha", 3, Statistic::Industry), "<no turn>");
    EXPECT_EQ(store.errors().size(), 0u);
    EXPECT_FALSE(store.follow());

    // A new game written over the log is read whole; the selection stays.
    file.close();
    games.write(QStringLiteral("live.log"), "#FREECIV SCORELOG2 3.0.6\nturn 1 0 x\n"
                                            "addplayer 1 4 Beta\n");
    EXPECT_TRUE(store.follow());
    game = store.findGame("live");
    ASSERT_EQ(game->races().size(), 1u);
    EXPECT_EQ(game->selectedRaces(), std::vector<std::string>{"Beta"});

    // A store loaded anew reads on, too, instead of from the start.
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("addplayer 1 5 Gamma\n");
    file.close();
    store.load(games.path());
    EXPECT_EQ(store.findGame("live")->races().size(), 2u);
}

TEST(ScoreLog, ImportIsRefusedForALogsGame)
{
    TestGames games;
    games.write(QStringLiteral("g.log"), kHead);
    const QString turn = games.write(QStringLiteral("turn.csv"), "turn,race\n2,Alpha\n");
    GameStore store;
    store.load(games.path());
    const ImportResult result = store.importTurn("g", turn);
    EXPECT_FALSE(result.imported);
    ASSERT_EQ(result.errors.size(), 1u);
    EXPECT_TRUE(result.errors[0].message.contains(QLatin1String("belongs to the game server")));
}

TEST(RaceNames, AreFoldedToTheCodePageAndKeptApart)
{
    AfxSetAnsiCodePage(1251);
    const std::pair<const char*, const char*> cases[] = {
        {"Józef Piłsudski", "Jozef Pilsudski"},
        {"İsmet İnönü", "Ismet Inonu"},
        {"Nguyễn Văn Linh", "Nguyen Van Linh"},
        {"Ibn Saud ☃", "Ibn Saud ?"},
        // What the code page holds stays as it is, beside what it lacks.
        {"Пётр Ő", "\xCF\xB8\xF2\xF0 O"},
        {"Иван", "\xC8\xE2\xE0\xED"},
    };
    for (const auto& [utf8, ansi] : cases)
        EXPECT_EQ(AnsiText::fold(utf8), ansi) << utf8;

    TestGames games;
    games.write(QStringLiteral("g.log"), "#FREECIV SCORELOG2 3.0.6\nturn 1 0 x\n"
                                         "addplayer 1 0 Józef\naddplayer 1 1 Jozef\n"
                                         "addplayer 1 2 Józef\naddplayer 1 3 Jozef (2)\n");
    GameStore store;
    store.load(games.path());
    std::vector<std::string> names;
    for (const Race& race : store.games().at(0).races())
        names.push_back(race.name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"Jozef", "Jozef (2)", "Jozef (3)", "Jozef (2) (2)"}));
}

// Each colour must read on the chart's black and stand apart from the
// others and from the grid's grey, by contrast ratio and by CIE76 distance.
TEST(RacePalette, ColoursAreReadableOnBlackAndDistinct)
{
    struct Lab {
        double l, a, b;
    };
    auto linear = [](uint32_t bgr, int shift) {
        const double c = double((bgr >> shift) & 0xFF) / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    auto lab = [&](uint32_t bgr) {
        const double r = linear(bgr, 0), g = linear(bgr, 8), b = linear(bgr, 16);
        const double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
        const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
        const double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
        auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
        return Lab{116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
    };
    auto distance = [&](uint32_t p, uint32_t q) {
        const Lab a = lab(p), b = lab(q);
        return std::hypot(a.l - b.l, a.a - b.a, a.b - b.b);
    };
    const uint32_t grey = 0x969696;
    std::set<uint32_t> seen;
    for (size_t i = 0; i < RacePalette::kSize; ++i) {
        const uint32_t c = RacePalette::color(i);
        const double luminance =
            0.2126 * linear(c, 0) + 0.7152 * linear(c, 8) + 0.0722 * linear(c, 16);
        EXPECT_GE((luminance + 0.05) / 0.05, 4.5) << i;
        EXPECT_GE(distance(c, grey), 30.0) << i;
        for (size_t j = 0; j < i; ++j)
            EXPECT_GE(distance(c, RacePalette::color(j)), 20.0) << i << " and " << j;
        seen.insert(c);
    }
    EXPECT_GE(seen.size(), 16u);
    EXPECT_EQ(RacePalette::color(RacePalette::kSize), RacePalette::color(0));
}

TEST(StatisticMap, ReadsPairsOverTheDefaultsOrNothing)
{
    const std::pair<const char*, const char*> good[] = {
        {"industry=score", "industry=score,population=pop,weapons=techs,drives=none,shields=none"},
        {" Drives = cities , weapons=none", "industry=mfg,population=pop,weapons=none,"
                                            "drives=cities,shields=none"},
    };
    for (const auto& [text, whole] : good) {
        StatisticMap map = StatisticMap::defaults();
        QString error;
        EXPECT_TRUE(map.apply(QLatin1String(text), error)) << text;
        EXPECT_EQ(map.toString(), QLatin1String(whole));
    }
    for (const char* bad :
         {"", "industry", "speed=mfg", "industry=", "industry=a b", "industry=mfg,shields=x=y"}) {
        StatisticMap map = StatisticMap::defaults();
        QString error;
        EXPECT_FALSE(map.apply(QLatin1String(bad), error)) << bad;
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(map, StatisticMap::defaults()) << bad;
    }
}
} // namespace
