// The host's default folders, used where the command line names none.
#pragma once

#include <QString>

class HostPaths
{
public:
    // The folder of the program, where the build and an install put the
    // plug-ins beside it.
    static QString defaultPluginFolder();
    // The bundled sample games: installed beside the program or in the
    // source tree the program was built from. Empty when none is found.
    static QString defaultGamesFolder();
    // A per-user data folder; created when missing. Empty (with a message
    // in error) when it cannot be created.
    static QString defaultStartFolder(QString& error);
    // Makes sure folder exists; false with a message when it cannot.
    static bool ensureFolder(const QString& folder, QString& error);
};
