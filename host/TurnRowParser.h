// Checks one record of a turns table (turns.csv or an imported turn) and
// turns it into a turn number, a race name and the five figure texts.
#pragma once

#include "Game.h"
#include "LoadLog.h"

#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct TurnRow {
    int line = 0;
    int turn = 0;
    std::string raceUtf8;
    TurnFigures figures; // ANSI code page bytes, the cell texts otherwise unchanged
};

class TurnRowParser
{
public:
    // The columns of a turns table, in the order parse() expects its cells.
    static const std::vector<std::string_view>& columns();

    TurnRowParser(LoadLog& log, QString path) : m_log(log), m_path(std::move(path)) {}

    // Nothing, with the reason in the log, for a bad turn number or a
    // figure the code page cannot hold.
    std::optional<TurnRow> parse(int line, const std::vector<std::string>& cells);

    // The race name in the ANSI code page; nothing when it cannot be held.
    // Converted names are remembered, as a table names each race many times.
    const std::optional<std::string>& ansiRaceName(const std::string& utf8);

private:
    LoadLog& m_log;
    QString m_path;
    std::unordered_map<std::string, std::optional<std::string>> m_names;
};
