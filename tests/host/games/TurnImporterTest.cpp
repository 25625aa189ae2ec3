// Importing one turn: appended to memory and to turns.csv, or refused with
// the file untouched.
#include "GameStore.h"
#include "TestGames.h"
#include "tests/support/TurnsCsv.h"

#include <afx.h>
#include <gtest/gtest.h>

namespace
{
const QByteArray kTurnsHeader(kTurnsCsvHeader);

class TurnImporterTest : public testing::Test
{
protected:
    void SetUp() override
    {
        AfxSetAnsiCodePage(1251);
        m_folder = m_games.addGame(QStringLiteral("Alpha"), kAlphaRaces, kAlphaTurns);
        m_store.load(m_games.path());
    }

    QString turnsPath() const { return m_folder + QStringLiteral("/turns.csv"); }

    TestGames m_games;
    QString m_folder;
    GameStore m_store;
};

TEST_F(TurnImporterTest, AppendsTheTurnToMemoryAndFile)
{
    const QString path = m_games.write(
        QStringLiteral("import.csv"), kTurnsHeader + "3,Charlie,1,2,3,4,\n3,\"Bravo\",5,6,7,8,9\n");
    const ImportResult result = m_store.importTurn("Alpha", path);
    ASSERT_TRUE(result.imported);
    EXPECT_TRUE(result.errors.empty());
    EXPECT_EQ(result.turn, 3);
    EXPECT_EQ(result.races, 2);
    EXPECT_EQ(m_store.findGame("Alpha")->turnCount(), 4);
    EXPECT_EQ(m_store.findGame("Alpha")->findRace("Bravo")->turns.at(3)[0], "5");

    const QByteArray written = TestGames::read(turnsPath());
    EXPECT_TRUE(written.startsWith(kAlphaTurns));
    GameStore reloaded;
    reloaded.load(m_games.path());
    EXPECT_TRUE(reloaded.errors().empty());
    EXPECT_EQ(reloaded.findGame("Alpha")->turnCount(), 4);
    EXPECT_EQ(reloaded.findGame("Alpha")->findRace("Charlie")->turns.at(3)[4], "");
}

TEST_F(TurnImporterTest, FollowsTheColumnOrderAndLineEndsOfTheExistingFile)
{
    m_games.write(turnsPath(), "race,turn,shields,drives,weapons,population,industry,note\r\n"
                               "Bravo,0,1,1,1,2,3,first\r\n");
    m_store.load(m_games.path());
    const QString path =
        m_games.write(QStringLiteral("import.csv"),
                      kTurnsHeader + "1,Зорвены,10,20,30,40,50\n1,Delta,1,2,3,4,5\n");
    m_games.write(m_folder + QStringLiteral("/races.csv"), kAlphaRaces + "Зорвены,#FFFFFF\n");
    m_store.load(m_games.path());
    ASSERT_TRUE(m_store.importTurn("Alpha", path).imported);
    EXPECT_TRUE(TestGames::read(turnsPath())
                    .endsWith("Зорвены,1,50,40,30,20,10,\r\nDelta,1,5,4,3,2,1,\r\n"));
    GameStore reloaded;
    reloaded.load(m_games.path());
    EXPECT_TRUE(reloaded.errors().empty());
    EXPECT_EQ(reloaded.findGame("Alpha")->findRace("\xC7\xEE\xF0\xE2\xE5\xED\xFB")->turns.at(1)[0],
              "10");
}

TEST_F(TurnImporterTest, GameWithoutTurnsGetsANewTurnsFile)
{
    m_games.addGame(QStringLiteral("Fresh"), kAlphaRaces, QByteArray());
    m_store.load(m_games.path());
    const QString path =
        m_games.write(QStringLiteral("import.csv"), kTurnsHeader + "0,Delta,1,2,3,4,5\n");
    ASSERT_TRUE(m_store.importTurn("Fresh", path).imported);
    EXPECT_EQ(TestGames::read(m_games.path() + QStringLiteral("/Fresh/turns.csv")),
              kTurnsHeader + "0,Delta,1,2,3,4,5\n");
}

struct RefusedCase {
    const char* what;
    QByteArray import;
    int line;
    const char* fragment;
};

TEST_F(TurnImporterTest, RefusesAnythingButOneNewTurnOfKnownRaces)
{
    const RefusedCase cases[] = {
        {"two turns", kTurnsHeader + "3,Bravo,1,2,3,4,5\n4,Charlie,1,2,3,4,5\n", 3,
         "exactly one turn"},
        {"existing turn", kTurnsHeader + "2,Delta,1,2,3,4,5\n", 2, "already has turn 2"},
        {"unknown race", kTurnsHeader + "3,Bravo,1,2,3,4,5\n3,Zulu,1,2,3,4,5\n", 3,
         "no race \"Zulu\""},
        {"race twice", kTurnsHeader + "3,Bravo,1,2,3,4,5\n3,Bravo,1,2,3,4,5\n", 3, "appears twice"},
        {"bad turn", kTurnsHeader + "3,Bravo,1,2,3,4,5\nthree,Delta,1,2,3,4,5\n", 3, "\"three\""},
        {"short line", kTurnsHeader + "3,Bravo,1,2\n", 2, "fields"},
        {"no lines", kTurnsHeader, 0, "no turn lines"},
        {"no header", QByteArray(), 0, "empty"},
        {"wrong columns", "turn,race\n3,Bravo\n", 1, "lacks the column"},
    };
    const QByteArray before = TestGames::read(turnsPath());
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = m_games.write(QStringLiteral("import.csv"), c.import);
        const ImportResult result = m_store.importTurn("Alpha", path);
        EXPECT_FALSE(result.imported);
        ASSERT_FALSE(result.errors.empty());
        EXPECT_EQ(result.errors[0].line, c.line) << result.errors[0].toString().toStdString();
        EXPECT_TRUE(result.errors[0].message.contains(QString::fromUtf8(c.fragment)))
            << result.errors[0].toString().toStdString();
        EXPECT_EQ(TestGames::read(turnsPath()), before);
        EXPECT_EQ(m_store.findGame("Alpha")->turnCount(), 3);
    }
    EXPECT_FALSE(
        m_store.importTurn("Alpha", m_games.path() + QStringLiteral("/missing.csv")).imported);
    EXPECT_FALSE(
        m_store.importTurn("Nope", m_games.path() + QStringLiteral("/import.csv")).imported);
}
TEST_F(TurnImporterTest, RefusesToExtendATurnsFileThatNewLinesWouldNotFollow)
{
    const struct {
        const char* what;
        QByteArray turns;
        const char* fragment;
    } cases[] = {
        {"no header", "\"turn,race\n", "no header line"},
        {"columns missing", "turn,race,industry\n0,Bravo,1\n", "lacks some"},
        // The new lines would be read into the unclosed field.
        {"open quote at the end", kTurnsHeader + "0,\"Bravo,1,2,3,4,5\n", "never closed"},
    };
    const QString path =
        m_games.write(QStringLiteral("import.csv"), kTurnsHeader + "3,Bravo,1,2,3,4,5\n");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        m_games.write(turnsPath(), c.turns);
        m_store.load(m_games.path());
        const ImportResult result = m_store.importTurn("Alpha", path);
        EXPECT_FALSE(result.imported);
        ASSERT_FALSE(result.errors.empty());
        EXPECT_TRUE(result.errors[0].message.contains(QString::fromLatin1(c.fragment)))
            << result.errors[0].toString().toStdString();
        EXPECT_EQ(TestGames::read(turnsPath()), c.turns);
        EXPECT_FALSE(m_store.findGame("Alpha")->hasTurn(3));
    }
}

} // namespace
