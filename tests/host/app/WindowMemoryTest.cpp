// The window's memory across starts: each start is a new session and window
// on the sample games, without plug-ins, as a user's next run of the program.
#include "HostProcess.h"
#include "HostSession.h"
#include "HostWindow.h"
#include "RacesPanel.h"
#include "WindowPlacement.h"

#include <afxqt.h>
#include <gtest/gtest.h>

#include <QDockWidget>
#include <QFile>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>

#include <functional>

namespace
{
class StartedHost
{
public:
    explicit StartedHost(const QString& settingsFile)
    {
        m_options.pluginFolder = m_empty.path();
        m_options.gamesFolder = SampleGamesDir();
        m_options.startFolder = m_empty.path();
        m_options.windowSettings = settingsFile;
        m_window = std::make_unique<HostWindow>(m_session, m_options);
        // A host without plug-ins says so; that is not what is tested here.
        m_window->setReporter([](const QString&) {});
        QString error;
        m_started = m_window->start(error);
    }

    ~StartedHost()
    {
        m_window.reset();
        m_session.shutdown();
    }

    bool started() const { return m_started; }
    QMainWindow& main() const { return *m_window->mainWindow(); }
    RacesPanel& races() const { return *m_window->racesPanel(); }
    QDockWidget& racesDock() const
    {
        return *main().findChild<QDockWidget*>(QStringLiteral("races"));
    }
    // As the user closes it: the window keeps itself, the framework takes it down.
    void close() { main().close(); }

private:
    QTemporaryDir m_empty;
    HostOptions m_options;
    HostSession m_session{*static_cast<HostApp*>(AfxGetApp())};
    std::unique_ptr<HostWindow> m_window;
    bool m_started = false;
};

bool FitsTheScreen(const QMainWindow& window)
{
    return window.screen()->availableGeometry().contains(window.frameGeometry());
}

QByteArray GeometryAt(const QRect& rect)
{
    QMainWindow elsewhere;
    elsewhere.setGeometry(rect);
    return elsewhere.saveGeometry();
}

void Store(const QString& file, const QString& key, const QVariant& value)
{
    QSettings settings(file, QSettings::IniFormat);
    settings.setValue(key, value);
}
} // namespace

TEST(WindowMemoryTest, DamagedSettingsGiveTheDefaultsOfWhatIsDamagedAndAreWrittenAnew)
{
    struct Case {
        const char* name;
        std::function<void(const QString& file)> damage;
        bool defaultGeometry;
    };
    const QRect farAway(9000, -7000, 2400, 1600);
    const Case cases[] = {
        {"missing", [](const QString&) {}, true},
        {"garbage",
         [](const QString& file) {
             QFile out(file);
             ASSERT_TRUE(out.open(QIODevice::WriteOnly));
             out.write(QByteArray("\x00\xff[[window\n=\x01geometry=@ByteArray(\xfe", 28));
         },
         true},
        {"wrong types",
         [](const QString& file) {
             Store(file, "window/geometry", 12);
             Store(file, "window/docks", QStringList{"a", "b"});
             Store(file, "races/game", 3.5);
             Store(file, "races/selected", 7);
         },
         true},
        {"off every screen",
         [&](const QString& file) { Store(file, "window/geometry", GeometryAt(farAway)); }, false},
        {"vanished game",
         [](const QString& file) {
             Store(file, "races/game", QByteArray("A game deleted since"));
             Store(file, "races/selected", QStringList{"Velelluans"});
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir config;
        const QString file = config.filePath("kurvo-host.ini");
        c.damage(file);
        StartedHost host(file);
        ASSERT_TRUE(host.started());
        EXPECT_TRUE(FitsTheScreen(host.main()));
        if (c.defaultGeometry) {
            EXPECT_EQ(host.main().geometry(), WindowPlacement::firstGeometry());
        }
        EXPECT_EQ(host.main().dockWidgetArea(&host.racesDock()), Qt::LeftDockWidgetArea);
        EXPECT_FALSE(host.racesDock().isFloating());
        EXPECT_EQ(host.races().currentGame(), "Amber Drift");
        EXPECT_TRUE(host.races().selectedRaces().isEmpty());
        host.close();
        EXPECT_EQ(QSettings(file, QSettings::IniFormat).value("races/game").toByteArray(),
                  "Amber Drift");
    }
}

TEST(WindowMemoryTest, ARestartedWindowIsAsItWasLeft)
{
    QTemporaryDir config;
    const QString file = config.filePath("kurvo-host.ini");
    const QRect placed(30, 40, 700, 500);
    {
        StartedHost host(file);
        ASSERT_TRUE(host.started());
        host.main().setGeometry(placed);
        host.main().addDockWidget(Qt::RightDockWidgetArea, &host.racesDock());
        ASSERT_TRUE(host.races().chooseGame("Cold Meridian"));
        host.races().selectRaces({"Zendraar", "Veldraans"});
        host.close();
    }
    StartedHost host(file);
    ASSERT_TRUE(host.started());
    EXPECT_EQ(host.main().geometry(), placed);
    EXPECT_EQ(host.main().dockWidgetArea(&host.racesDock()), Qt::RightDockWidgetArea);
    EXPECT_EQ(host.races().currentGame(), "Cold Meridian");
    EXPECT_EQ(host.races().selectedRaces(), QStringList({"Zendraar", "Veldraans"}));
}
