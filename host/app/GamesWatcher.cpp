#include "GamesWatcher.h"

#include <QDir>
#include <QFileInfo>

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
    // Files of the folder itself may be logs, or become logs once written.
    // A followed log counts by its being there: its growth is told apart.
    for (const QFileInfo& file : games.entryInfoList(QDir::Files, QDir::Name)) {
        const bool followed = m_followed.contains(file.absoluteFilePath());
        snapshot.insert(file.fileName(), followed ? qMakePair(qint64(-1), QDateTime())
                                                  : qMakePair(file.size(), file.lastModified()));
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
        for (auto it = m_known.cbegin(); it != m_known.cend(); ++it) {
            const QString path = games.filePath(it.key());
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
