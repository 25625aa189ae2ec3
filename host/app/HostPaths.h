// The host's default folders, used where the command line names none.
#pragma once

#include <QCoreApplication>
#include <QString>

class HostPaths
{
public:
    // The installed plug-in folder when the program runs from an install,
    // else the program's own folder, where the build puts the plug-ins.
    static QString defaultPluginFolder();
    // The bundled sample games: installed beside the program or in the
    // source tree the program was built from. Empty when none is found.
    static QString defaultGamesFolder();
    // A per-user data folder; created when missing. Empty (with a message
    // in error) when it cannot be created.
    static QString defaultStartFolder(QString& error);
    // Makes sure folder exists; false with a message when it cannot.
    static bool ensureFolder(const QString& folder, QString& error);

    Q_DECLARE_TR_FUNCTIONS(HostPaths)
};
