#include "GameGenerator.h"

#include "CsvWriter.h"
#include "RaceColor.h"
#include "RaceNamer.h"

#include <QDir>
#include <QSaveFile>
#include <array>
#include <charconv>
#include <cmath>

namespace
{
// A file is written in pieces of about this size.
constexpr size_t kFlushBytes = size_t(1) << 20;

// Colours spread round the hue circle by the golden angle stay apart for
// any number of races.
uint32_t colorOfRace(int index, RandomSource& random)
{
    const double hue = std::fmod(index * 137.508, 360.0) / 60.0;
    const double saturation = random.between(0.6, 0.9);
    const double value = random.between(0.7, 0.95);
    const double chroma = value * saturation;
    const double x = chroma * (1 - std::fabs(std::fmod(hue, 2.0) - 1));
    const int sector = int(hue) % 6;
    static constexpr std::array<std::array<int, 3>, 6> kOrder{
        {{0, 1, 2}, {1, 0, 2}, {2, 0, 1}, {2, 1, 0}, {1, 2, 0}, {0, 2, 1}}};
    const std::array<double, 3> parts{chroma, x, 0.0};
    const double m = value - chroma;
    const auto channel = [&](int c) {
        return int(std::lround((parts[size_t(kOrder[size_t(sector)][size_t(c)])] + m) * 255));
    };
    return RaceColor::fromRgb(channel(0), channel(1), channel(2));
}

bool writeFile(QSaveFile& file, std::string& pending)
{
    const bool ok = file.write(pending.data(), qint64(pending.size())) == qint64(pending.size());
    pending.clear();
    return ok;
}
} // namespace

// A quantity that grows toward a ceiling, with noise and rare setbacks.
struct Growth {
    double value = 0;
    double ceiling = 0;
    double rate = 0;

    void step(RandomSource& random)
    {
        value += rate * value * (1 - value / ceiling) * random.between(0.3, 1.7);
        if (random.chance(0.03))
            value *= random.between(0.82, 0.97);
        value = std::max(value, 1.0);
    }
};

struct GameGenerator::RaceState {
    QString name;
    uint32_t color = 0;
    Growth industry;
    Growth population;
    std::array<double, 3> techs{1.0, 1.0, 1.0};
    int lastTurn = 0; // the race drops out after this turn
};

GameGenerator::GameGenerator(GameShape shape) : m_shape(std::move(shape)), m_random(m_shape.seed)
{
    if (m_shape.name.isEmpty()) {
        RaceNamer namer(m_random);
        m_shape.name = namer.gameName();
    }
}

std::optional<QString> GameGenerator::check(const GameShape& shape)
{
    if (shape.races < 1 || shape.races > kMaxRaces)
        return QStringLiteral("the number of races must be from 1 to %1").arg(kMaxRaces);
    if (shape.turns < 1 || shape.turns > kMaxTurns)
        return QStringLiteral("the number of turns must be from 1 to %1").arg(kMaxTurns);
    if (static_cast<long long>(shape.races) * shape.turns > kMaxLines)
        return QStringLiteral("races times turns must not exceed %1").arg(kMaxLines);
    const QString& name = shape.name;
    if (name == QLatin1String(".") || name == QLatin1String("..") ||
        name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return QStringLiteral("\"%1\" cannot be a folder name").arg(name);
    if (shape.missingFigureShare < 0 || shape.missingFigureShare > 1)
        return QStringLiteral("the share of missing figures must be from 0 to 1");
    return std::nullopt;
}

std::optional<QString> GameGenerator::write(const QString& outDir, QString& error)
{
    if (std::optional<QString> problem = check(m_shape)) {
        error = *problem;
        return std::nullopt;
    }
    const QString folder = QDir(outDir).filePath(m_shape.name);
    if (!QDir().mkpath(folder)) {
        error = QStringLiteral("cannot create the folder %1").arg(folder);
        return std::nullopt;
    }
    std::vector<RaceState> races;
    std::string table = racesTable(races);
    QSaveFile racesFile(QDir(folder).filePath(QStringLiteral("races.csv")));
    if (!racesFile.open(QIODevice::WriteOnly) || !writeFile(racesFile, table) ||
        !racesFile.commit()) {
        error = QStringLiteral("cannot write %1: %2")
                    .arg(racesFile.fileName(), racesFile.errorString());
        return std::nullopt;
    }
    if (!writeTurnsTable(QDir(folder).filePath(QStringLiteral("turns.csv")), races, error))
        return std::nullopt;
    return folder;
}

std::string GameGenerator::racesTable(std::vector<RaceState>& races)
{
    RaceNamer namer(m_random);
    std::string table = CsvWriter::record({"race", "color"});
    for (int i = 0; i < m_shape.races; ++i) {
        RaceState race;
        race.name =
            namer.raceName(i % 3 == 2 ? RaceNamer::Script::Cyrillic : RaceNamer::Script::Latin);
        race.color = colorOfRace(i, m_random);
        race.industry = {m_random.between(80, 400), m_random.between(30000, 150000),
                         m_random.between(0.03, 0.09)};
        race.population = {m_random.between(100, 600), m_random.between(40000, 180000),
                           m_random.between(0.02, 0.07)};
        race.lastTurn = m_shape.turns - 1;
        // The first race always plays to the end, so the game has every turn.
        if (i > 0 && m_shape.turns >= 10 && m_random.chance(0.15))
            race.lastTurn = m_shape.turns / 2 + m_random.below(m_shape.turns / 2);
        table += CsvWriter::record({race.name.toStdString(), RaceColor::format(race.color)});
        races.push_back(std::move(race));
    }
    return table;
}

bool GameGenerator::writeTurnsTable(const QString& path, std::vector<RaceState>& races,
                                    QString& error)
{
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly);
    std::string pending = CsvWriter::record(
        {"turn", "race", "industry", "population", "weapons", "drives", "shields"});
    for (int turn = 0; ok && turn < m_shape.turns; ++turn) {
        for (RaceState& race : races) {
            if (turn <= race.lastTurn)
                appendTurnLine(pending, turn, race);
        }
        if (pending.size() >= kFlushBytes)
            ok = writeFile(file, pending);
    }
    ok = ok && writeFile(file, pending) && file.commit();
    if (!ok)
        error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return ok;
}

void GameGenerator::appendTurnLine(std::string& out, int turn, RaceState& race)
{
    if (turn > 0) {
        race.industry.step(m_random);
        race.population.step(m_random);
        for (double& tech : race.techs) {
            if (m_random.chance(0.6))
                tech += 0.01 * m_random.below(5);
        }
    }
    std::vector<std::string> cells{std::to_string(turn), race.name.toStdString(),
                                   figure(race.industry.value), figure(race.population.value)};
    for (double tech : race.techs)
        cells.push_back(figure(tech));
    for (size_t i = 2; i < cells.size(); ++i) {
        if (m_random.chance(m_shape.missingFigureShare))
            cells[i].clear();
    }
    out += CsvWriter::record(cells);
}

// Two decimals with a point whatever the locale, as the plug-in reads them.
std::string GameGenerator::figure(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
    return std::string(text, result.ptr);
}
