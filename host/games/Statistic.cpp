#include "Statistic.h"

#include <algorithm>

std::optional<Statistic> statisticNamed(std::string_view name)
{
    const auto sameLetters = [](char a, char b) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(a) == lower(b);
    };
    for (size_t i = 0; i < kStatistics.size(); ++i) {
        if (std::ranges::equal(name, std::string_view(kStatistics[i].name), sameLetters))
            return Statistic(i);
    }
    return std::nullopt;
}

std::string statisticNameList()
{
    std::string list;
    for (const StatisticInfo& statistic : kStatistics)
        list += (list.empty() ? "" : ", ") + std::string(statistic.name);
    return list;
}
