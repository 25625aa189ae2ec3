#include "LogSettings.h"

#include <QDir>
#include <QSettings>

namespace
{
const QString kOpened = QStringLiteral("logs/opened");
const QString kMaps = QStringLiteral("maps");
const QString kLog = QStringLiteral("log");
const QString kMap = QStringLiteral("map");
} // namespace

LogSettings::LogSettings(const QString& startFolder)
    : m_fileName(QDir(startFolder).filePath(QStringLiteral("kurvo-host.ini")))
{
}

QStringList LogSettings::openedLogs() const
{
    return QSettings(m_fileName, QSettings::IniFormat).value(kOpened).toStringList();
}

bool LogSettings::setOpenedLogs(const QStringList& logs)
{
    QSettings settings(m_fileName, QSettings::IniFormat);
    settings.setValue(kOpened, logs);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

std::map<QString, StatisticMap> LogSettings::maps() const
{
    QSettings settings(m_fileName, QSettings::IniFormat);
    std::map<QString, StatisticMap> maps;
    const int count = settings.beginReadArray(kMaps);
    for (int i = 0; i < count; ++i) {
        settings.setArrayIndex(i);
        StatisticMap map = StatisticMap::defaults();
        QString error;
        const QString log = settings.value(kLog).toString();
        if (!log.isEmpty() && map.apply(settings.value(kMap).toString(), error))
            maps[log] = map;
    }
    settings.endArray();
    return maps;
}

bool LogSettings::setMap(const QString& logPath, const StatisticMap& map)
{
    std::map<QString, StatisticMap> all = maps();
    all[logPath] = map;
    QSettings settings(m_fileName, QSettings::IniFormat);
    settings.remove(kMaps);
    settings.beginWriteArray(kMaps, int(all.size()));
    int i = 0;
    for (const auto& [log, logMap] : all) {
        settings.setArrayIndex(i++);
        settings.setValue(kLog, log);
        settings.setValue(kMap, logMap.toString());
    }
    settings.endArray();
    settings.sync();
    return settings.status() == QSettings::NoError;
}
