// Runs the built kurvo-host as a process and collects what it said.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

struct HostRun {
    int exitCode = -1;
    bool crashed = false;
    QString out;
    QString err;
};

// The program folder of the build (KURVO_BIN_DIR, set by ctest).
QString BinDir();
QString SourceDir();
QString SampleGamesDir();

// extraEnvironment: NAME=VALUE entries added to the run's environment.
HostRun RunHost(const QStringList& arguments, const QStringList& extraEnvironment = {});

// A plug-in folder in parent holding only the built chart plug-in, so that
// a run does not depend on what else the program folder holds; its path.
QString PluginFolderIn(const QString& parent);

// Lets the event loop run until done() holds or the time is up; done()'s
// last answer.
bool WaitFor(const std::function<bool()>& done, int milliseconds = 5000);
