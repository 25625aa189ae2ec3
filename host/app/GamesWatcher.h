// Watches a games folder for changes made outside the host: a game's files
// edited or replaced, a game folder added or removed. Bursts of file events
// (an editor's save, a copy of a folder) are gathered for a moment, then
// compared with what was there before, so that only real changes are told.
#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QMap>
#include <QObject>
#include <QString>
#include <QTimer>

class GamesWatcher : public QObject
{
    Q_OBJECT
public:
    explicit GamesWatcher(QObject* parent = nullptr);

    void watch(const QString& gamesFolder);
    // Takes the folder as it is now as the known state; for changes the host
    // made itself (an imported turn).
    void resync();
    void setSettleTime(int milliseconds) { m_settle.setInterval(milliseconds); }

signals:
    // Some game's files changed, and the set of game folders did not.
    void gamesChanged();
    // A game folder appeared or disappeared.
    void gamesListChanged();

private:
    // Per file of the folder (game/file): size and modification time.
    using Snapshot = QMap<QString, QPair<qint64, QDateTime>>;

    Snapshot takeSnapshot() const;
    static QStringList gameFolders(const Snapshot& snapshot);
    void rewatch();
    void compare();

    QString m_folder;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    Snapshot m_known;
};
