#include "GamesWatcher.h"

#include "ScoreLogReader.h"

#include <QDir>
#include <QFileInfo>

namespace
{
// What a file of the games folder itself is, in place of its size.
constexpr qint64 kFollowedLog = -1;
constexpr qint64 kNewLog = -2;
} // namespace

GamesWatcher::GamesWatcher(QObject* parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(300);
    // A game server writes a turn's lines in a few bursts; the log is read
    // once they are in, and soon enough that the chart keeps up with play.
    m_grown.setSingleShot(true);
    m_grown.setInterval(20);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this,
            &GamesWatcher::directoryChanged);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &GamesWatcher::fileChanged);
    connect(&m_settle, &QTimer::timeout, this, &GamesWatcher::compare);
    connect(&m_grown, &QTimer::timeout, this, [this] {
        // A log replaced by renaming leaves the watch; it is set anew.
        rewatch();
        emit logsGrew();
    });
}

void GamesWatcher::watch(const QString& gamesFolder)
{
    // Absolute, as the followed files are, so that a folder is watched once.
    m_folder = gamesFolder.isEmpty() ? QString() : QFileInfo(gamesFolder).absoluteFilePath();
    resync();
}

void GamesWatcher::follow(const QStringList& files)
{
    m_followed.clear();
    for (const QString& file : files)
        m_followed << QFileInfo(file).absoluteFilePath();
    resync();
}

void GamesWatcher::fileChanged(const QString& path)
{
    if (m_followed.contains(path))
        m_grown.start();
    else
        m_settle.start();
}

void GamesWatcher::directoryChanged(const QString& path)
{
    // A followed log outside the games folder is watched through its
    // folder too, so that a log written anew under the same name is seen.
    if (path != m_folder && !path.startsWith(m_folder + QLatin1Char('/')))
        m_grown.start();
    else
        m_settle.start();
}

void GamesWatcher::resync()
{
    m_known = takeSnapshot();
    rewatch();
}

GamesWatcher::Snapshot GamesWatcher::takeSnapshot() const
{
    Snapshot snapshot;
    const QDir games(m_folder);
    // Files of the folder itself count when they are logs, and by that
    // alone: a followed log's growth is told apart, and another file (the
    // server's console output, say) may come and grow as it likes. They are
    // all watched, since one may become a log once written.
    for (const QFileInfo& file : games.entryInfoList(QDir::Files, QDir::Name)) {
        const QString path = file.absoluteFilePath();
        if (m_followed.contains(path))
            snapshot.insert(file.fileName(), {kFollowedLog, QDateTime()});
        else if (ScoreLogReader::isScoreLog(path))
            snapshot.insert(file.fileName(), {kNewLog, QDateTime()});
    }
    for (const QString& game : games.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        // The folder itself counts, so that an empty new game is seen too.
        snapshot.insert(game + QLatin1Char('/'), {0, QDateTime()});
        const QDir folder(games.filePath(game));
        for (const QFileInfo& file : folder.entryInfoList(QDir::Files, QDir::Name))
            snapshot.insert(game + QLatin1Char('/') + file.fileName(),
                            {file.size(), file.lastModified()});
    }
    return snapshot;
}

QStringList GamesWatcher::gameFolders(const Snapshot& snapshot)
{
    QStringList folders;
    for (auto it = snapshot.cbegin(); it != snapshot.cend(); ++it) {
        if (it.key().endsWith(QLatin1Char('/')))
            folders << it.key();
    }
    return folders;
}

void GamesWatcher::rewatch()
{
    // Files replaced by renaming drop out of the watch; all is set anew.
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    QStringList paths;
    for (const QString& file : m_followed) {
        if (QFileInfo::exists(file))
            paths << file;
        const QString folder = QFileInfo(file).absolutePath();
        if (!paths.contains(folder) && QFileInfo(folder).isDir())
            paths << folder;
    }
    if (!m_folder.isEmpty() && QFileInfo(m_folder).isDir()) {
        paths.removeAll(m_folder);
        paths << m_folder;
        const QDir games(m_folder);
        QStringList entries = m_known.keys();
        entries += games.entryList(QDir::Files);
        for (const QString& entry : std::as_const(entries)) {
            const QString path = games.filePath(entry);
            if (!paths.contains(path))
                paths << path;
        }
    }
    if (!paths.isEmpty())
        m_watcher.addPaths(paths);
}

void GamesWatcher::compare()
{
    const Snapshot now = takeSnapshot();
    if (now == m_known) {
        rewatch();
        return;
    }
    const bool listChanged = gameFolders(now) != gameFolders(m_known);
    m_known = now;
    rewatch();
    if (listChanged)
        emit gamesListChanged();
    else
        emit gamesChanged();
}
