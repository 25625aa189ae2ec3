#include "Game.h"

#include <QDir>

#include <algorithm>

Game::Game(std::string name, QString displayName, QString path, Source source)
    : m_name(std::move(name)), m_displayName(std::move(displayName)), m_folder(std::move(path)),
      m_source(source)
{
}

QString Game::racesPath() const
{
    return QDir(m_folder).filePath(QStringLiteral("races.csv"));
}

QString Game::turnsPath() const
{
    return QDir(m_folder).filePath(QStringLiteral("turns.csv"));
}

QString Game::budgetText(size_t races, int turnCount)
{
    return Game::tr("%1 races over %2 turns would be more than the %3 race turns the host "
                    "charts of a game; line skipped")
        .arg(races)
        .arg(turnCount)
        .arg(kMaxRaceTurns);
}

const Race* Game::findRace(std::string_view name) const
{
    const auto it = m_raceIndex.find(name);
    return it == m_raceIndex.end() ? nullptr : &m_races[it->second];
}

const Race* Game::findRaceBySource(std::string_view utf8) const
{
    const auto it = m_sourceIndex.find(utf8);
    return it == m_sourceIndex.end() ? nullptr : &m_races[it->second];
}

const Race* Game::findRaceByAnyName(std::string_view name) const
{
    const Race* race = findRace(name);
    return race != nullptr ? race : findRaceBySource(name);
}

Race* Game::mutableRace(std::string_view name)
{
    const auto it = m_raceIndex.find(name);
    return it == m_raceIndex.end() ? nullptr : &m_races[it->second];
}

bool Game::addRace(Race race)
{
    if (m_raceIndex.count(race.name) != 0)
        return false;
    for (size_t i = 0; i < race.turns.size(); ++i)
        m_turns.insert(race.turns.turnAt(i));
    // Room first, so that nothing can fail once the indexes name the race.
    if (m_races.size() == m_races.capacity())
        m_races.reserve(std::max<size_t>(8, m_races.size() * 2));
    m_raceIndex.emplace(race.name, m_races.size());
    try {
        m_sourceIndex.emplace(race.sourceName, m_races.size());
    } catch (...) {
        m_raceIndex.erase(race.name);
        throw;
    }
    m_races.push_back(std::move(race));
    return true;
}

void Game::mergeTurnFigures(size_t raceIndex, int turn, const TurnFigures& figures)
{
    RaceTurns& turns = m_races.at(raceIndex).turns;
    const bool added = !turns.contains(turn);
    turns.merge(turn, figures);
    if (added) {
        try {
            m_turns.insert(turn);
        } catch (...) {
            turns.erase(turn);
            throw;
        }
    }
}

bool Game::addTurnFigures(std::string_view raceName, int turn, const TurnFigures& figures)
{
    Race* race = mutableRace(raceName);
    if (race == nullptr || !race->turns.insert(turn, figures))
        return false;
    m_turns.insert(turn);
    return true;
}

void Game::removeTurn(int turn) noexcept
{
    for (Race& race : m_races)
        race.turns.erase(turn);
    m_turns.erase(turn);
}

void Game::shrinkToFit()
{
    for (Race& race : m_races)
        race.turns.shrinkToFit();
}

bool Game::setSelected(std::string_view raceName, bool selected)
{
    Race* race = mutableRace(raceName);
    if (race == nullptr)
        return false;
    race->selected = selected;
    return true;
}

void Game::clearSelection()
{
    for (Race& race : m_races)
        race.selected = false;
}

std::vector<std::string> Game::selectedRaces() const
{
    std::vector<std::string> names;
    for (const Race& race : m_races) {
        if (race.selected)
            names.push_back(race.name);
    }
    return names;
}
