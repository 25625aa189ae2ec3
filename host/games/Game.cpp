#include "Game.h"

#include <QDir>

Game::Game(std::string name, QString displayName, QString folder)
    : m_name(std::move(name)), m_displayName(std::move(displayName)), m_folder(std::move(folder))
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

const Race* Game::findRace(std::string_view name) const
{
    const auto it = m_raceIndex.find(name);
    return it == m_raceIndex.end() ? nullptr : &m_races[it->second];
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
    m_raceIndex.emplace(race.name, m_races.size());
    m_races.push_back(std::move(race));
    return true;
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
