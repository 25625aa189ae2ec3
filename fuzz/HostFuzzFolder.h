// The games folder of the host's fuzz targets. Every input is written as real
// files and read by the host's own loader, so that the host reads it exactly
// as it reads a user's games; the folder is made once per process and its
// files are rewritten for each input.
#pragma once

#include "Game.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class HostFuzzFolder
{
public:
    HostFuzzFolder();

    const QString& gamesPath() const { return m_gamesPath; }
    // The one game folder, <games>/Alpha.
    const QString& gamePath() const { return m_gamePath; }
    // A file beside the games folder, outside every game.
    QString outsidePath(const char* name) const;

    // Writes the bytes to path; removes the file when there are none.
    static void write(const QString& path, const std::optional<std::string_view>& bytes);
    // Null when the file does not exist.
    static QByteArray read(const QString& path);
    // The names of the files in the game folder, sorted.
    QStringList gameFiles() const;
    // DescribeGame of the game as a fresh load of the games folder reads it;
    // empty when that load has no such game.
    std::string describeStored(const char* name) const;

private:
    QTemporaryDir m_dir;
    QString m_gamesPath;
    QString m_gamePath;
};

// Everything of a game that a second read of the same files must give again:
// its races in order with name, colour, selection and every figure.
std::string DescribeGame(const Game& game);

// The input split at its first form feed: a game file needs two texts, and
// a form feed is a byte that game files have no use for. The second part is
// missing when there is no form feed.
struct FuzzParts {
    std::string_view first;
    std::optional<std::string_view> second;
};
FuzzParts SplitAtFormFeed(const uint8_t* pData, size_t nSize);
