// Watches a games folder for changes made outside the host: a game's files
// edited or replaced, a game folder or log added or removed. Bursts of file
// events (an editor's save, a copy of a folder) are gathered for a moment,
// then compared with what was there before, so that only real changes are
// told.
//
// Followed files (the score logs that a game server appends to while it
// plays) are told apart: their growth is told at once, as logsGrew, for the
// store to read just what was appended; only their coming and going counts
// as a change of the games folder.
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
    // The files read on as they grow, inside the games folder or not.
    void follow(const QStringList& files);
    // Takes the folder as it is now as the known state; for changes the host
    // made itself (an imported turn).
    void resync();
    void setSettleTime(int milliseconds) { m_settle.setInterval(milliseconds); }
    void setFollowTime(int milliseconds) { m_grown.setInterval(milliseconds); }

signals:
    // Some game's files changed, and the set of game folders did not.
    void gamesChanged();
    // A game folder appeared or disappeared.
    void gamesListChanged();
    // Some followed file changed.
    void logsGrew();

private:
    // Per file of the folder (game/file): size and modification time.
    using Snapshot = QMap<QString, QPair<qint64, QDateTime>>;

    Snapshot takeSnapshot() const;
    static QStringList gameFolders(const Snapshot& snapshot);
    void rewatch();
    void compare();
    void fileChanged(const QString& path);
    void directoryChanged(const QString& path);

    QString m_folder;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QTimer m_grown;
    Snapshot m_known;
    QStringList m_followed;
};
