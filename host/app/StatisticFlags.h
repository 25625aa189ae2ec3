// The statistics a chart shows, as the bits of its chart-flags word: bit k
// for statistic k (1 Industry, 2 Population, 3 Weapon, 4 Drive, 5 Shield);
// bit 0 is the chart's changed bit and no statistic. The chart's own menu
// toggles statistic k with command 5000 + k.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class StatisticFlags
{
public:
    static constexpr int kFirst = 1;
    static constexpr int kLast = 5;
    static constexpr int kMask = 0x3e;
    static constexpr unsigned kCommandBase = 5000;

    static int bit(int statistic) { return 1 << statistic; }
    // Comma-separated names (industry, population, weapons, drives,
    // shields, in any letter case) to flag bits; nothing for an unknown name.
    static std::optional<int> parseList(const QString& list, QString& error);
    static QString names(int flags);

    // The flags word stored at the very end of a chart file (after the
    // selection and the race collection), a 32-bit little-endian integer;
    // nothing when the file cannot be read or is too short.
    static std::optional<int> readFromChartFile(const QString& path);
};
