#include "HostPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace
{
bool looksLikeGamesFolder(const QString& folder)
{
    const QDir dir(folder);
    if (!dir.exists())
        return false;
    for (const QString& game : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (QFileInfo::exists(dir.filePath(game + QStringLiteral("/races.csv"))))
            return true;
    }
    return false;
}
} // namespace

QString HostPaths::defaultPluginFolder()
{
    const QString programDir = QCoreApplication::applicationDirPath();
#ifdef KURVO_PKGLIB_FROM_BIN
    // An installed host keeps its plug-ins in a private library folder; a
    // build tree has none and puts them beside the program.
    const QDir installed(programDir + QStringLiteral("/" KURVO_PKGLIB_FROM_BIN));
    if (installed.exists())
        return installed.canonicalPath();
#endif
    return programDir;
}

QString HostPaths::defaultGamesFolder()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    const QStringList candidates{
#ifdef KURVO_PKGDATA_FROM_BIN
        programDir + QStringLiteral("/" KURVO_PKGDATA_FROM_BIN "/data"), // installed
#endif
        programDir + QStringLiteral("/data"),
        programDir + QStringLiteral("/../../data"), // <source>/build/bin
#ifdef KURVO_SOURCE_DATA_DIR
        QStringLiteral(KURVO_SOURCE_DATA_DIR), // any build folder of this source tree
#endif
    };
    for (const QString& candidate : candidates) {
        if (looksLikeGamesFolder(candidate))
            return QDir(candidate).canonicalPath();
    }
    return {};
}

QString HostPaths::defaultStartFolder(QString& error)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty()) {
        error = tr("no per-user data folder is known here; give --start-dir DIR");
        return {};
    }
    return ensureFolder(folder, error) ? folder : QString();
}

bool HostPaths::ensureFolder(const QString& folder, QString& error)
{
    if (QFileInfo(folder).isDir())
        return true;
    if (QFileInfo::exists(folder)) {
        error = QStringLiteral("%1 is not a folder").arg(folder);
        return false;
    }
    if (!QDir().mkpath(folder)) {
        error = tr("cannot create the folder %1").arg(folder);
        return false;
    }
    return true;
}
