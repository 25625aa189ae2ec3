#include "TurnImporter.h"

#include <algorithm>

#include "CsvReader.h"
#include "CsvTableReader.h"
#include "CsvWriter.h"
#include "FileBytes.h"
#include "LoadLog.h"

#include <QFileInfo>
#include <set>

namespace
{
QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

std::string_view asView(const QByteArray& bytes)
{
    return std::string_view(bytes.constData(), size_t(bytes.size()));
}

// The column names of an existing table's header, or nothing when it has none.
std::optional<std::vector<std::string>> headerOf(const QByteArray& table)
{
    CsvReader reader(asView(table));
    std::vector<std::string> fields;
    for (;;) {
        const CsvReader::Status status = reader.next(fields);
        if (status == CsvReader::Status::End || status == CsvReader::Status::Error)
            return std::nullopt;
        if (fields.size() > 1 || !fields[0].empty())
            return fields;
    }
}

// The line of a quoted field that the table opens and never closes, or 0.
int lineOfOpenQuote(const QByteArray& table)
{
    CsvReader reader(asView(table));
    std::vector<std::string> fields;
    while (reader.next(fields) != CsvReader::Status::End) {
    }
    return reader.endedInsideQuotes() ? reader.recordLine() : 0;
}

std::string lowerTrimmed(std::string text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.pop_back();
    size_t start = text.find_first_not_of(" \t");
    text.erase(0, start == std::string::npos ? text.size() : start);
    for (char& c : text)
        c = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    return text;
}

size_t columnIndex(const std::string& headerName)
{
    const std::vector<std::string_view>& columns = TurnRowParser::columns();
    const std::string name = lowerTrimmed(headerName);
    size_t i = 0;
    while (i < columns.size() && columns[i] != name)
        ++i;
    return i;
}

bool hasEveryColumn(const std::vector<std::string>& header)
{
    std::set<size_t> found;
    for (const std::string& name : header)
        found.insert(columnIndex(name));
    found.erase(TurnRowParser::columns().size());
    return found.size() == TurnRowParser::columns().size();
}
} // namespace

ImportResult TurnImporter::import(const QString& csvPath)
{
    LoadLog log;
    LoadLog figureLog;
    ImportResult result;
    if (readRows(csvPath, log, figureLog) && log.isEmpty())
        checkOneNewTurn(csvPath, log);
    // The figures' reports are taken first: once turns.csv is replaced,
    // nothing that could fail may be left to do.
    std::vector<GameLoadError> figureErrors = figureLog.takeErrors();
    if (log.isEmpty() && addToGameAndFile(log)) {
        result.imported = true;
        result.turn = m_rows.front().row.turn;
        result.races = int(m_rows.size());
        result.errors = std::move(figureErrors);
    } else {
        result.errors = log.takeErrors();
        result.errors.insert(result.errors.end(), std::make_move_iterator(figureErrors.begin()),
                             std::make_move_iterator(figureErrors.end()));
    }
    m_rows.clear();
    return result;
}

// The game in memory gets the turn first, as that needs memory and undoing
// it does not; so a failure anywhere, an allocation's included, leaves the
// game and turns.csv as they were.
bool TurnImporter::addToGameAndFile(LoadLog& log)
{
    const int turn = m_rows.front().row.turn;
    try {
        for (const ImportRow& imported : m_rows)
            m_game.addTurnFigures(imported.race, turn, imported.row.figures);
        if (appendToTurnsFile(log))
            return true;
    } catch (...) {
        m_game.removeTurn(turn);
        throw;
    }
    m_game.removeTurn(turn);
    return false;
}

bool TurnImporter::readRows(const QString& csvPath, LoadLog& log, LoadLog& figureLog)
{
    m_rows.clear();
    TurnRowParser parser(log, figureLog, csvPath);
    CsvTableReader reader(TurnRowParser::columns(), log);
    const bool readable =
        reader.readFile(csvPath, [&](int line, const std::vector<std::string>& cells) {
            std::optional<TurnRow> row = parser.parse(line, cells);
            if (!row)
                return;
            ImportRow imported{std::move(*row), {}, cells};
            // turns.csv gets the figures the game holds, so that reading it
            // again gives the same game and no second report.
            for (size_t i = 0; i < kStatisticCount; ++i)
                imported.cells[TurnRowParser::kFirstFigureColumn + i] = imported.row.figures[i];
            m_rows.push_back(std::move(imported));
        });
    if (!readable)
        return false;
    checkRaces(csvPath, log);
    if (m_rows.empty() && log.isEmpty())
        log.add(csvPath, 0, TurnImporter::tr("holds no turn lines; nothing imported"));
    return true;
}

void TurnImporter::checkRaces(const QString& csvPath, LoadLog& log)
{
    std::set<std::string> seen;
    for (ImportRow& imported : m_rows) {
        const QString name = fromUtf8(imported.row.raceUtf8);
        // By the name the game's own files use, which a folded name keeps.
        const Race* race = m_game.findRaceBySource(imported.row.raceUtf8);
        if (race == nullptr) {
            log.add(
                csvPath, imported.row.line,
                TurnImporter::tr("game \"%1\" has no race \"%2\"").arg(m_game.displayName(), name));
            continue;
        }
        if (!seen.insert(race->name).second)
            log.add(csvPath, imported.row.line,
                    TurnImporter::tr("race \"%1\" appears twice").arg(name));
        imported.race = race->name;
    }
}

void TurnImporter::checkOneNewTurn(const QString& csvPath, LoadLog& log)
{
    const ImportRow& first = m_rows.front();
    for (const ImportRow& imported : m_rows) {
        if (imported.row.turn != first.row.turn) {
            log.add(csvPath, imported.row.line,
                    TurnImporter::tr("holds turn %1 besides turn %2 (line %3); an import takes "
                                     "exactly one turn")
                        .arg(imported.row.turn)
                        .arg(first.row.turn)
                        .arg(first.row.line));
            return;
        }
    }
    const int turnCount = std::max(m_game.turnCount(), first.row.turn + 1);
    if (!Game::hasRoomFor(m_game.races().size(), turnCount)) {
        log.add(csvPath, first.row.line, Game::budgetText(m_game.races().size(), turnCount));
        return;
    }
    if (m_game.hasTurn(first.row.turn)) {
        log.add(csvPath, first.row.line,
                TurnImporter::tr("game \"%1\" already has turn %2")
                    .arg(m_game.displayName())
                    .arg(first.row.turn));
    }
}

bool TurnImporter::appendToTurnsFile(LoadLog& log)
{
    const QString path = m_game.turnsPath();
    QByteArray existing;
    QString error;
    if (QFileInfo::exists(path)) {
        std::optional<QByteArray> bytes =
            FileBytes::read(path, CsvTableReader::kMaxFileBytes, error);
        if (!bytes) {
            log.add(path, 0, error);
            return false;
        }
        existing = std::move(*bytes);
    }
    const QByteArray updated = turnsFileWithRows(existing, log);
    if (updated.isEmpty())
        return false;
    if (!FileBytes::replace(path, updated, error)) {
        log.add(path, 0, error);
        return false;
    }
    return true;
}

// The existing table with the new lines after it, each cell in the column
// that the existing header gives it; a table that does not exist yet starts
// with a header of its own. Empty (with the reason logged) when the existing
// table has no header that the new lines could follow.
QByteArray TurnImporter::turnsFileWithRows(const QByteArray& existing, LoadLog& log)
{
    const std::vector<std::string_view>& columns = TurnRowParser::columns();
    std::vector<std::string> header(columns.begin(), columns.end());
    QByteArray text = existing;
    std::string lineEnd = "\n";
    if (!existing.trimmed().isEmpty()) {
        std::optional<std::vector<std::string>> found = headerOf(existing);
        if (!found) {
            log.add(m_game.turnsPath(), 1,
                    TurnImporter::tr("has no header line to add turns under"));
            return {};
        }
        header = std::move(*found);
        if (!hasEveryColumn(header)) {
            log.add(m_game.turnsPath(), 1,
                    TurnImporter::tr("lacks some of the turn table's columns; no turns added"));
            return {};
        }
        if (const int line = lineOfOpenQuote(existing)) {
            log.add(m_game.turnsPath(), line,
                    TurnImporter::tr("opens a quoted field that is never closed; lines added after "
                                     "it would be read into it, so no turns added"));
            return {};
        }
        if (existing.contains("\r\n"))
            lineEnd = "\r\n";
        if (!text.endsWith('\n'))
            text.append(lineEnd.data(), qsizetype(lineEnd.size()));
    } else {
        text = QByteArray::fromStdString(CsvWriter::record(header, lineEnd));
    }
    for (const ImportRow& imported : m_rows) {
        std::vector<std::string> fields;
        for (const std::string& name : header) {
            const size_t i = columnIndex(name);
            fields.push_back(i < columns.size() ? imported.cells[i] : std::string());
        }
        text.append(QByteArray::fromStdString(CsvWriter::record(fields, lineEnd)));
    }
    return text;
}
