#include "GameFolderLoader.h"

#include "AnsiText.h"
#include "CsvTableReader.h"
#include "RaceColor.h"
#include "TurnRowParser.h"

#include <QFileInfo>

#include <algorithm>

namespace
{
enum RaceCell { NameCell, ColorCell };

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}
} // namespace

std::optional<Game> GameFolderLoader::load(const QString& folder, std::string name,
                                           const QString& displayName)
{
    m_names = RaceNames();
    m_unknownRaces.clear();
    Game game(std::move(name), displayName, folder);
    if (!readRaces(game))
        return std::nullopt;
    readTurns(game);
    game.shrinkToFit();
    return game;
}

bool GameFolderLoader::readRaces(Game& game)
{
    const QString path = game.racesPath();
    if (!QFileInfo::exists(path)) {
        m_log.add(game.folder(), 0, GameFolderLoader::tr("has no races.csv; not a game, skipped"));
        return false;
    }
    CsvTableReader reader({"race", "color"}, m_log);
    return reader.readFile(path, [&](int line, const std::vector<std::string>& cells) {
        addRace(game, path, line, cells);
    });
}

void GameFolderLoader::addRace(Game& game, const QString& path, int line,
                               const std::vector<std::string>& cells)
{
    const std::string& utf8Name = cells[NameCell];
    if (utf8Name.empty()) {
        m_log.add(path, line, GameFolderLoader::tr("the race has no name; line skipped"));
        return;
    }
    if (const std::optional<QString> problem = RaceNames::problem(utf8Name)) {
        m_log.add(path, line, *problem + GameFolderLoader::tr("; line skipped"));
        return;
    }
    if (game.findRaceBySource(utf8Name) != nullptr) {
        m_log.add(path, line,
                  GameFolderLoader::tr("race \"%1\" is listed twice; line skipped")
                      .arg(fromUtf8(utf8Name)));
        return;
    }
    RaceName name = m_names.name(game, utf8Name);
    if (name.problem) {
        m_log.add(path, line, *name.problem + GameFolderLoader::tr("; line skipped"));
        return;
    }
    if (!name.utf8)
        m_log.add(path, line,
                  GameFolderLoader::tr("race name %1; charted as \"%2\"")
                      .arg(AnsiText::unrepresentable(utf8Name), fromUtf8(name.ansi)));
    Race race;
    race.name = std::move(name.ansi);
    race.displayName = std::move(name.displayName);
    race.sourceName = utf8Name;
    race.folded = name.folded;
    race.color = RaceColor::parse(cells[ColorCell]);
    if (!race.color) {
        m_log.add(path, line,
                  GameFolderLoader::tr(
                      "colour \"%1\" of race \"%2\" is not #RRGGBB; the race has no colour")
                      .arg(fromUtf8(cells[ColorCell]), race.displayName));
    }
    game.addRace(std::move(race));
}

void GameFolderLoader::readTurns(Game& game)
{
    const QString path = game.turnsPath();
    if (!QFileInfo::exists(path))
        return;
    TurnRowParser parser(m_log, m_log, path);
    CsvTableReader reader(TurnRowParser::columns(), m_log);
    reader.readFile(path, [&](int line, const std::vector<std::string>& cells) {
        std::optional<TurnRow> row = parser.parse(line, cells);
        if (!row)
            return;
        const Race* race = game.findRaceBySource(row->raceUtf8);
        if (race == nullptr) {
            UnknownRace& unknown = m_unknownRaces[row->raceUtf8];
            unknown.firstLine = unknown.lines == 0 ? line : unknown.firstLine;
            ++unknown.lines;
            return;
        }
        const int turnCount = std::max(game.turnCount(), row->turn + 1);
        if (!Game::hasRoomFor(game.races().size(), turnCount)) {
            m_log.add(path, line, Game::budgetText(game.races().size(), turnCount));
            return;
        }
        if (!game.addTurnFigures(race->name, row->turn, row->figures)) {
            m_log.add(
                path, line,
                GameFolderLoader::tr("race \"%1\" already has a line for turn %2; line skipped")
                    .arg(fromUtf8(row->raceUtf8))
                    .arg(row->turn));
        }
    });
    reportUnknownRaces(path);
}

void GameFolderLoader::reportUnknownRaces(const QString& path)
{
    for (const auto& [name, unknown] : m_unknownRaces) {
        m_log.add(path, unknown.firstLine,
                  GameFolderLoader::tr("race \"%1\" is not in races.csv; its %2 line(s) skipped")
                      .arg(fromUtf8(name))
                      .arg(unknown.lines));
    }
}
