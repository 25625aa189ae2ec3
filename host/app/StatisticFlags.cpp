#include "StatisticFlags.h"

#include <QFile>
#include <QStringList>

std::optional<int> StatisticFlags::parseList(const QString& list, QString& error)
{
    int flags = 0;
    for (const QString& raw : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const std::optional<Statistic> statistic = statisticNamed(raw.trimmed().toStdString());
        if (!statistic) {
            error = tr("unknown statistic \"%1\" (known: %2)")
                        .arg(raw.trimmed(), names(kChartStatisticFlags));
            return std::nullopt;
        }
        flags |= chartFlag(*statistic);
    }
    return flags;
}

QString StatisticFlags::names(int flags)
{
    QStringList out;
    for (int i = 0; i < kStatisticCount; ++i) {
        if (flags & chartFlag(Statistic(i)))
            out << QLatin1String(kStatistics[size_t(i)].name);
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
