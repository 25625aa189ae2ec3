#include "DesktopHost.h"

#include "HostApp.h"
#include "HostOptions.h"
#include "HostProcess.h"
#include "HostSession.h"
#include "HostWindow.h"
#include "ScreenDriver.h"
#include <afxqt.h>

#include <QDir>
#include <QMainWindow>
#include <QTest>

DesktopHost::DesktopHost() : driver(ScreenDriver::forPlatform())
{
    if (driver == nullptr)
        return;
    HostOptions options;
    options.pluginFolder = PluginFolderIn(dir.path());
    options.gamesFolder = SampleGamesDir();
    options.startFolder = dir.filePath("start");
    QDir().mkpath(options.startFolder);
    session = std::make_unique<HostSession>(*static_cast<HostApp*>(AfxGetApp()));
    window = std::make_unique<HostWindow>(*session, options);
    QString error;
    started = window->start(error) && QTest::qWaitForWindowExposed(window->mainWindow());
}

// The window goes before the session it draws from.
DesktopHost::~DesktopHost()
{
    window.reset();
    session.reset();
}

QString DesktopHost::chartFile() const
{
    return dir.filePath("start/save.kv");
}
