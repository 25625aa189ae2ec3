// The statistics a chart shows, as the bits of its chart-flags word (the
// chart's numbering of the host's statistics, Statistic.h).
#pragma once

#include "Statistic.h"

#include <QCoreApplication>
#include <QString>
#include <optional>

class StatisticFlags
{
public:
    // Comma-separated names (industry, population, weapons, drives,
    // shields, in any letter case) to flag bits; nothing for an unknown name.
    static std::optional<int> parseList(const QString& list, QString& error);
    static QString names(int flags);

    // The flags word stored at the very end of a chart file (after the
    // selection and the race collection), a 32-bit little-endian integer;
    // nothing when the file cannot be read or is too short. The host reads
    // no more of the file: the rest is the plug-in's own classes.
    static std::optional<int> readFromChartFile(const QString& path);

    Q_DECLARE_TR_FUNCTIONS(StatisticFlags)
};
