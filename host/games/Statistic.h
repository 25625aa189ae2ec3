// The five figures the host keeps of a race for a turn, and the one table
// that names them everywhere in the host: in the game files, on the command
// line, in the plug-in's replies, in the Races window and in the chart's
// flags and commands.
#pragma once

#include <QtGlobal>
#include <array>
#include <optional>
#include <string>
#include <string_view>

enum class Statistic { Industry, Population, WeaponsTech, DrivesTech, ShieldsTech };
inline constexpr int kStatisticCount = 5;

// In the order of the enumeration.
struct StatisticInfo {
    const char* name;     // its column in the game files; --stats and --map name it so
    const char* replyKey; // the plug-in's reply key for it
    const char* heading;  // its column in the Races window (translated there)
};
inline constexpr std::array<StatisticInfo, kStatisticCount> kStatistics{{
    {"industry", "Industry", QT_TRANSLATE_NOOP("RacesPanel", "Industry")},
    {"population", "Population", QT_TRANSLATE_NOOP("RacesPanel", "Population")},
    {"weapons", "WeaponsTech", QT_TRANSLATE_NOOP("RacesPanel", "Weapons")},
    {"drives", "DrivesTech", QT_TRANSLATE_NOOP("RacesPanel", "Drives")},
    {"shields", "ShieldsTech", QT_TRANSLATE_NOOP("RacesPanel", "Shields")},
}};

inline const StatisticInfo& info(Statistic statistic)
{
    return kStatistics[size_t(statistic)];
}

// The chart numbers the statistics from 1 in the same order: statistic k is
// bit k of its flags word (bit 0 being its changed bit) and its own menu
// command 5000 + k.
constexpr int chartKind(Statistic statistic)
{
    return int(statistic) + 1;
}
constexpr int chartFlag(Statistic statistic)
{
    return 1 << chartKind(statistic);
}
constexpr unsigned chartCommand(Statistic statistic)
{
    return 5000u + unsigned(chartKind(statistic));
}
inline constexpr int kChartChangedFlag = 1;
inline constexpr int kChartStatisticFlags = [] {
    int flags = 0;
    for (int i = 0; i < kStatisticCount; ++i)
        flags |= chartFlag(Statistic(i));
    return flags;
}();

// The statistic of that name (any letter case), or nothing.
std::optional<Statistic> statisticNamed(std::string_view name);
// Every name, in order, joined by ", ", for messages and help.
std::string statisticNameList();

// One race's figures for one turn, each a number as the file's cell has it
// (blanks around it aside); an empty text means the host has no such figure.
using TurnFigures = std::array<std::string, kStatisticCount>;
