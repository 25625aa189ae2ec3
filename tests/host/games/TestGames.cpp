#include "TestGames.h"

#include "tests/support/TurnsCsv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

const QByteArray kAlphaRaces = "race,color\n"
                               "Bravo,#FF8000\n"
                               "Charlie,#0000ff\n"
                               "Delta,#123456\n";

const QByteArray kAlphaTurns = QByteArray(kTurnsCsvHeader) + "0,Bravo,100,200,1.00,1.00,1.00\n"
                                                             "0,Charlie,110.5,210,1.00,1.00,1.00\n"
                                                             "0,Delta,90,190,1.00,1.00,1.00\n"
                                                             "1,Bravo,120,230,1.15,1.05,1.10\n"
                                                             "1,Charlie,115,220,1.05,1.00,1.00\n"
                                                             "2,Bravo,130.25,250,1.150,1.10,\n";

TestGames::TestGames() : m_path(QDir(m_dir.path()).filePath(QStringLiteral("games")))
{
    EXPECT_TRUE(m_dir.isValid());
    QDir().mkpath(m_path);
}

QString TestGames::addGame(const QString& game, const QByteArray& races, const QByteArray& turns)
{
    const QString folder = QDir(m_path).filePath(game);
    QDir().mkpath(folder);
    write(QDir(folder).filePath(QStringLiteral("races.csv")), races);
    if (!turns.isNull())
        write(QDir(folder).filePath(QStringLiteral("turns.csv")), turns);
    return folder;
}

QString TestGames::write(const QString& relativePath, const QByteArray& bytes)
{
    const QString path = QDir(m_path).filePath(relativePath);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
    return path;
}

QByteArray TestGames::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
