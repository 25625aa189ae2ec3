// A game server's score log, made up: the header and the server's tags,
// then for every turn its line, the players joining at the first, and every
// player's figure of every tag, laid out as the server writes them. The
// same sizes always give the same bytes, turn by turn, so a benchmark can
// write a log and then append to it one turn at a time.
#pragma once

#include "RaceNamer.h"
#include "RandomSource.h"

#include <array>
#include <string>
#include <vector>

class ScoreLogGenerator
{
public:
    static constexpr int kTags = 30;

    explicit ScoreLogGenerator(int nPlayers);

    // The lines before the first turn.
    std::string Head() const;
    // The lines of one turn (from 1), which must come in order.
    std::string Turn(int nTurn);
    // Turns nFirst to nLast.
    std::string Turns(int nFirst, int nLast);
    // The players' names, as the first turn adds them.
    const std::vector<std::string>& Players() const { return m_players; }

private:
    int m_nPlayers;
    RandomSource m_random;
    std::vector<std::string> m_players;
    std::vector<double> m_strength;
    std::vector<std::array<int, kTags>> m_rates;
};
