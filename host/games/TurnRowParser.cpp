#include "TurnRowParser.h"

#include "TurnNumber.h"
#include <afx.h>

namespace
{
enum Cell { TurnCell, RaceCell, FirstFigureCell };
static_assert(FirstFigureCell == TurnRowParser::kFirstFigureColumn);

// Enough of a rejected figure to find it in the file; a cell can be as long
// as the file.
constexpr qsizetype kShownFigureLength = 40;

std::string_view withoutBlanks(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The whole text is one number, without the white space the plug-in would
// skip before it: a line break or form feed in a cell is no blank. The
// exponent is an e: game files are plain CSV that spreadsheets and plotting
// tools read too, and they take "1d3" for text, so the host does as well
// although the plug-in would read it.
bool isNumber(std::string_view text)
{
    const char first = text.front();
    const bool space = first == ' ' || (first >= '\t' && first <= '\r');
    return !space && AfxDecimalLength(text, AfxExponentLetters::eOnly) == text.size();
}

QString shown(std::string_view text)
{
    const QString all = QString::fromUtf8(text.data(), qsizetype(text.size()));
    return all.size() <= kShownFigureLength ? all : all.left(kShownFigureLength) + QChar(0x2026);
}
} // namespace

const std::vector<std::string_view>& TurnRowParser::columns()
{
    static const std::vector<std::string_view> names = [] {
        std::vector<std::string_view> all{"turn", "race"};
        for (const StatisticInfo& statistic : kStatistics)
            all.push_back(statistic.name);
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
                  TurnRowParser::tr("turn \"%1\" is not a whole number from 0 to %2; line skipped")
                      .arg(QString::fromStdString(cells[TurnCell]))
                      .arg(TurnNumber::kMax));
        return std::nullopt;
    }
    row.turn = *turn;
    row.raceUtf8 = cells[RaceCell];
    for (int i = 0; i < kStatisticCount; ++i)
        row.figures[size_t(i)] = figure(line, i, cells[size_t(FirstFigureCell + i)]);
    return row;
}

// A number is plain ASCII, the same bytes in UTF-8 and in any ANSI code
// page, so an accepted figure needs no conversion.
std::string TurnRowParser::figure(int line, int statistic, std::string_view cell)
{
    const std::string_view text = withoutBlanks(cell);
    if (text.empty() || isNumber(text))
        return std::string(text);
    m_figureLog.add(
        m_path, line,
        TurnRowParser::tr("%1 figure \"%2\" is not a number; counted as missing")
            .arg(QString::fromLatin1(kStatistics[size_t(statistic)].name), shown(text)));
    return {};
}
