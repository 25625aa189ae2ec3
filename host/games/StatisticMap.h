// Which of a score log's statistics (its tags) the host charts as each of
// its five: Industry, Population and the three tech levels. A log has
// figures under names of its own; by default Industry is "mfg",
// Population "pop" and WeaponsTech "techs", and the log has nothing for
// the drives and shields levels.
#pragma once

#include "Statistic.h"

#include <QCoreApplication>
#include <QString>
#include <array>
#include <optional>
#include <string>
#include <string_view>

class StatisticMap
{
public:
    static StatisticMap defaults();

    // The tag charted as the statistic; empty for none.
    const std::string& tag(Statistic statistic) const { return m_tags[size_t(statistic)]; }
    void setTag(Statistic statistic, std::string tag)
    {
        m_tags[size_t(statistic)] = std::move(tag);
    }
    // The statistics (bit k for statistic k of the enumeration) charted
    // from the tag; 0 for a tag the map leaves out.
    unsigned statisticsOf(std::string_view tag) const;

    // "STAT=TAG[,STAT=TAG...]" put over this map, with STAT one of the
    // host's statistic names (industry, population, weapons, drives,
    // shields, any letter case) and TAG a tag's name or "none". Nothing
    // changes, and error says why, for a text that is not such a list.
    bool apply(const QString& text, QString& error);
    // The whole map in the form apply() reads.
    QString toString() const;

    bool operator==(const StatisticMap& other) const { return m_tags == other.m_tags; }
    bool operator!=(const StatisticMap& other) const { return !(*this == other); }

    Q_DECLARE_TR_FUNCTIONS(StatisticMap)

private:
    std::array<std::string, kStatisticCount> m_tags;
};
