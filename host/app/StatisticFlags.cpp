#include "StatisticFlags.h"

#include <QFile>
#include <array>

namespace
{
// In statistic order, from 1.
constexpr std::array<const char*, 5> kNames{"industry", "population", "weapons", "drives",
                                            "shields"};
} // namespace

std::optional<int> StatisticFlags::parseList(const QString& list, QString& error)
{
    int flags = 0;
    for (const QString& raw : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString name = raw.trimmed().toLower();
        int statistic = 0;
        for (size_t i = 0; i < kNames.size(); ++i) {
            if (name == QLatin1String(kNames[i]))
                statistic = int(i) + kFirst;
        }
        if (statistic == 0) {
            error = QStringLiteral("unknown statistic \"%1\" (known: %2)")
                        .arg(raw.trimmed(), names(kMask));
            return std::nullopt;
        }
        flags |= bit(statistic);
    }
    return flags;
}

QString StatisticFlags::names(int flags)
{
    QStringList out;
    for (int statistic = kFirst; statistic <= kLast; ++statistic) {
        if (flags & bit(statistic))
            out << QLatin1String(kNames[size_t(statistic - kFirst)]);
    }
    return out.join(QLatin1Char(','));
}

std::optional<int> StatisticFlags::readFromChartFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 4 || !file.seek(file.size() - 4))
        return std::nullopt;
    const QByteArray tail = file.read(4);
    if (tail.size() != 4)
        return std::nullopt;
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | uint8_t(tail[i]);
    return int(int32_t(value));
}
