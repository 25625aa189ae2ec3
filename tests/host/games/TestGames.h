// A temporary games folder that tests fill with game files.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class TestGames
{
public:
    TestGames();

    const QString& path() const { return m_path; }
    // Writes <games>/<game>/races.csv and, unless turns is null, turns.csv;
    // returns the game's folder.
    QString addGame(const QString& game, const QByteArray& races, const QByteArray& turns);
    // Writes any file below the games folder (or an absolute path).
    QString write(const QString& relativePath, const QByteArray& bytes);
    static QByteArray read(const QString& path);

private:
    QTemporaryDir m_dir;
    QString m_path;
};

// A small game used by several tests: three races, turns 0 to 2, one
// missing figure (Bravo's shields in turn 2).
extern const QByteArray kAlphaRaces;
extern const QByteArray kAlphaTurns;
