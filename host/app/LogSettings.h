// What the window remembers of score logs from one start to the next: the
// logs opened from outside the games folder, and each log's own map of
// tags to statistics. Kept beside the chart file in the start folder, so
// that a host started elsewhere (a test, a second player) has its own.
#pragma once

#include "StatisticMap.h"

#include <QString>
#include <QStringList>
#include <map>

class LogSettings
{
public:
    explicit LogSettings(const QString& startFolder);

    QStringList openedLogs() const;
    // False when the settings file could not be written.
    bool setOpenedLogs(const QStringList& logs);

    // By the log's absolute path; a stored map that no longer reads is left out.
    std::map<QString, StatisticMap> maps() const;
    bool setMap(const QString& logPath, const StatisticMap& map);

    const QString& fileName() const { return m_fileName; }

private:
    QString m_fileName;
};
