#include "DesktopHost.h"

#include "ChartWindow.h"
#include "HostApp.h"
#include "HostOptions.h"
#include "HostProcess.h"
#include "HostSession.h"
#include "HostWindow.h"
#include "ScreenDriver.h"
#include <afxqt.h>

#include <gtest/gtest.h>

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

void DesktopHost::closeCharts()
{
    while (CView* view = ChartWindow::findView(*session->mainFrame())) {
        ChartWindow(*view).close();
        ScreenDriver::settle(20);
    }
}

QString DesktopHost::keepForLooking(const QImage& screen, const QImage& wanted) const
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR");
    QDir().mkpath("desktop-failures");
    const QString stem = QString("%1/desktop-failures/%2%3-%4")
                             .arg(QDir::currentPath(), driver->name(),
                                  scale.isEmpty() ? QString() : "-scaled-" + scale, info->name());
    screen.save(stem + "-screen.png");
    wanted.save(stem + "-expected.png");
    driver->grabScreen().save(stem + "-whole-screen.png");
    return stem;
}
