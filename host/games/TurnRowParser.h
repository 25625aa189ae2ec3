// Checks one record of a turns table (turns.csv or an imported turn) and
// turns it into a turn number, a race name and the five figure texts.
//
// A figure is the whole cell, blanks (spaces and tabs) around it aside, and
// must be a number as the plug-in reads one (see the framework's AfxAtof); the
// plug-in would read "inf", "0x10" or "12abc" as something the file did not
// mean. Such a figure is reported and counts as missing, and the line keeps
// its other figures. A blank cell is a figure the host does not have.
#pragma once

#include "Game.h"
#include "LoadLog.h"

#include <QCoreApplication>
#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TurnRow {
    int line = 0;
    int turn = 0;
    std::string raceUtf8;
    TurnFigures figures; // each a number without blanks around it, or empty
};

class TurnRowParser
{
public:
    // The columns of a turns table, in the order parse() expects its cells;
    // the figures' columns start at kFirstFigureColumn.
    static const std::vector<std::string_view>& columns();
    static constexpr size_t kFirstFigureColumn = 2;

    // Lines that cannot be used go to log, figures that are not numbers to
    // figureLog, which may be the same log.
    TurnRowParser(LoadLog& log, LoadLog& figureLog, QString path)
        : m_log(log), m_figureLog(figureLog), m_path(std::move(path))
    {
    }

    // Nothing, with the reason in the log, for a bad turn number.
    std::optional<TurnRow> parse(int line, const std::vector<std::string>& cells);

private:
    std::string figure(int line, int statistic, std::string_view cell);

    LoadLog& m_log;
    LoadLog& m_figureLog;
    QString m_path;

    Q_DECLARE_TR_FUNCTIONS(TurnRowParser)
};
