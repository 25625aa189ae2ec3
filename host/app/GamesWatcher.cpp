#include "GamesWatcher.h"

#include <QDir>
#include <QFileInfo>

GamesWatcher::GamesWatcher(QObject* parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(300);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_settle,
            qOverload<>(&QTimer::start));
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_settle, qOverload<>(&QTimer::start));
    connect(&m_settle, &QTimer::timeout, this, &GamesWatcher::compare);
}

void GamesWatcher::watch(const QString& gamesFolder)
{
    m_folder = gamesFolder;
    resync();
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
    if (m_folder.isEmpty() || !QFileInfo(m_folder).isDir())
        return;
    QStringList paths{m_folder};
    const QDir games(m_folder);
    for (auto it = m_known.cbegin(); it != m_known.cend(); ++it)
        paths << games.filePath(it.key());
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
