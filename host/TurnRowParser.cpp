#include "TurnRowParser.h"

#include "AnsiText.h"
#include "TurnNumber.h"

namespace
{
enum Cell { TurnCell, RaceCell, FirstFigureCell };
}

const std::vector<std::string_view>& TurnRowParser::columns()
{
    static const std::vector<std::string_view> names = [] {
        std::vector<std::string_view> all{"turn", "race"};
        for (const StatisticNames& statistic : kStatisticNames)
            all.push_back(statistic.column);
        return all;
    }();
    return names;
}

std::optional<TurnRow> TurnRowParser::parse(int line, const std::vector<std::string>& cells)
{
    TurnRow row;
    row.line = line;
    const std::optional<int> turn = TurnNumber::parse(cells[TurnCell]);
    if (!turn) {
        m_log.add(m_path, line,
                  QStringLiteral("turn \"%1\" is not a whole number from 0 to %2; line skipped")
                      .arg(QString::fromStdString(cells[TurnCell]))
                      .arg(TurnNumber::kMax));
        return std::nullopt;
    }
    row.turn = *turn;
    row.raceUtf8 = cells[RaceCell];
    for (int i = 0; i < kStatisticCount; ++i) {
        const std::string& cell = cells[size_t(FirstFigureCell + i)];
        std::optional<std::string> figure = AnsiText::fromUtf8(cell);
        if (!figure) {
            m_log.add(m_path, line,
                      QStringLiteral("%1 figure %2; line skipped")
                          .arg(QString::fromLatin1(kStatisticNames[size_t(i)].column),
                               AnsiText::unrepresentable(cell)));
            return std::nullopt;
        }
        row.figures[size_t(i)] = std::move(*figure);
    }
    return row;
}

const std::optional<std::string>& TurnRowParser::ansiRaceName(const std::string& utf8)
{
    auto it = m_names.find(utf8);
    if (it == m_names.end())
        it = m_names.emplace(utf8, AnsiText::fromUtf8(utf8)).first;
    return it->second;
}
