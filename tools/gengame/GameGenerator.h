// Writes an invented game of a given size as a game folder (races.csv and
// turns.csv) that the host's GameStore reads.
//
// The figures look like a real game's: industry and population grow toward
// a ceiling with noise and the odd setback, the three technologies creep up
// by a few hundredths, some races drop out in the second half, and a small
// share of figures is missing. Every third race has a Cyrillic name. The
// same seed always gives the same files.
#pragma once

#include "RandomSource.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

struct GameShape {
    QString name; // empty: an invented name
    int races = 10;
    int turns = 40;
    uint64_t seed = 1;
    double missingFigureShare = 0.004;
};

class GameGenerator
{
public:
    static constexpr int kMaxRaces = 10000;
    static constexpr int kMaxTurns = 100000;
    // Keeps a mistyped size from filling the disk.
    static constexpr long long kMaxLines = 20'000'000;

    explicit GameGenerator(GameShape shape);

    // The reason the shape cannot be generated, or nothing when it can.
    static std::optional<QString> check(const GameShape& shape);

    // Writes outDir/<name>/ and returns the game folder's path, or the
    // reason for failing in error.
    std::optional<QString> write(const QString& outDir, QString& error);

    const QString& gameName() const { return m_shape.name; }

private:
    struct RaceState;

    std::string racesTable(std::vector<RaceState>& races);
    bool writeTurnsTable(const QString& path, std::vector<RaceState>& races, QString& error);
    void appendTurnLine(std::string& out, int turn, RaceState& race);
    std::string figure(double value);

    GameShape m_shape;
    RandomSource m_random;
};
