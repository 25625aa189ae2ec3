// The five figures the host keeps of a race for a turn.
#pragma once

#include <array>
#include <string>

enum class Statistic { Industry, Population, WeaponsTech, DrivesTech, ShieldsTech };
inline constexpr int kStatisticCount = 5;

// A figure's column in the game files and its key in the plug-in's reply,
// in the order of the enumeration.
struct StatisticNames {
    const char* column;
    const char* replyKey;
};
inline constexpr std::array<StatisticNames, kStatisticCount> kStatisticNames{{
    {"industry", "Industry"},
    {"population", "Population"},
    {"weapons", "WeaponsTech"},
    {"drives", "DrivesTech"},
    {"shields", "ShieldsTech"},
}};

// One race's figures for one turn, each a number as the file's cell has it
// (blanks around it aside); an empty text means the host has no such figure.
using TurnFigures = std::array<std::string, kStatisticCount>;
