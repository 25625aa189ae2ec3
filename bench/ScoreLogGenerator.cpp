#include "ScoreLogGenerator.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace
{
// The server's own tags, in its order; the magnitude each reaches late in a
// game, and whether it is a rate in steps of ten.
struct TagShape {
    const char* name;
    double late;
    bool rate;
};
constexpr std::array<TagShape, ScoreLogGenerator::kTags> kTagShapes{{
    {"pop", 40000, false},       {"bnp", 900, false},          {"mfg", 700, false},
    {"cities", 40, false},       {"techs", 88, false},         {"munits", 120, false},
    {"settlers", 15, false},     {"wonders", 6, false},        {"techout", 400, false},
    {"landarea", 9000, false},   {"settledarea", 7000, false}, {"pollution", 30, false},
    {"literacy", 100, false},    {"spaceship", 0, false},      {"gold", 5000, false},
    {"taxrate", 0, true},        {"scirate", 0, true},         {"luxrate", 0, true},
    {"riots", 3, false},         {"happypop", 300, false},     {"contentpop", 400, false},
    {"unhappypop", 150, false},  {"specialists", 80, false},   {"gov", 6, false},
    {"corruption", 120, false},  {"score", 1500, false},       {"unitsbuilt", 900, false},
    {"unitskilled", 300, false}, {"unitslost", 300, false},    {"culture", 20000, false},
}};

// The turn by which the figures reach their late magnitude.
constexpr double kLateTurn = 1000;
} // namespace

ScoreLogGenerator::ScoreLogGenerator(int nPlayers)
    : m_nPlayers(nPlayers), m_random(7), m_strength(size_t(nPlayers)), m_rates(size_t(nPlayers))
{
    for (double& strength : m_strength)
        strength = m_random.between(0.5, 1.5);
    RaceNamer namer(m_random);
    for (int player = 0; player < nPlayers; ++player)
        m_players.push_back(namer.raceName(RaceNamer::Script::Latin).toStdString());
}

std::string ScoreLogGenerator::Head() const
{
    std::string log = "#FREECIV SCORELOG2 3.0.6\n\n"
                      "# A generated game, laid out as the server writes its score log.\n\n"
                      "id 7Gq2bXkR0aWJmHt5sNcVfYpLzE1uDo9i\n";
    for (size_t tag = 0; tag < kTagShapes.size(); ++tag)
        log += "tag " + std::to_string(tag) + ' ' + kTagShapes[tag].name + '\n';
    return log;
}

std::string ScoreLogGenerator::Turn(int nTurn)
{
    std::string log;
    const int year = -4000 + 20 * (nTurn - 1);
    log += "turn " + std::to_string(nTurn) + ' ' + std::to_string(year) + ' ' +
           std::to_string(std::abs(year)) + (year < 0 ? " BCE\n" : " CE\n");
    for (int player = 0; nTurn == 1 && player < m_nPlayers; ++player)
        log += "addplayer 1 " + std::to_string(player) + ' ' + m_players[size_t(player)] + '\n';
    const double progress = std::pow(std::min(double(nTurn), kLateTurn) / kLateTurn, 1.5);
    for (size_t tag = 0; tag < kTagShapes.size(); ++tag) {
        for (int player = 0; player < m_nPlayers; ++player) {
            int& rate = m_rates[size_t(player)][tag];
            if (kTagShapes[tag].rate && (nTurn == 1 || m_random.chance(0.02)))
                rate = 10 * m_random.below(11);
            const double trend = kTagShapes[tag].late * progress * m_strength[size_t(player)];
            const int value =
                kTagShapes[tag].rate ? rate : std::max(0, int(trend * m_random.between(0.9, 1.1)));
            log += "data " + std::to_string(nTurn) + ' ' + std::to_string(tag) + ' ' +
                   std::to_string(player) + ' ' + std::to_string(value) + '\n';
        }
    }
    return log;
}

std::string ScoreLogGenerator::Turns(int nFirst, int nLast)
{
    std::string log;
    for (int turn = nFirst; turn <= nLast; ++turn)
        log += Turn(turn);
    return log;
}
