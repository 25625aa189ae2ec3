// The host's window with the real plug-in, on the offscreen platform: the
// plug-in's menu items, the races window as the host's selection, the chart
// opening inside the MDI area, and the host's news (an imported turn, game
// files changed on disk, a new game) reaching the open chart.
//
// One host runs for the whole suite, as one user session would: a process
// loads a plug-in once.
#include "HostWindow.h"
#include "ChartWindow.h"
#include "GamesWatcher.h"
#include "HostProcess.h"
#include "HostSession.h"
#include "LogSettings.h"
#include "PluginCallShield.h"
#include "RacesPanel.h"
#include "tests/support/TurnsCsv.h"

#include <afxqt.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <functional>

namespace
{
void CopyFolder(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    const QDir source(from);
    for (const QFileInfo& entry : source.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        if (entry.isDir())
            CopyFolder(entry.filePath(), to + "/" + entry.fileName());
        else
            QFile::copy(entry.filePath(), to + "/" + entry.fileName());
    }
}

void WriteText(const QString& path, const QByteArray& text,
               QIODevice::OpenMode mode = QIODevice::WriteOnly)
{
    QFile file(path);
    ASSERT_TRUE(file.open(mode)) << path.toStdString();
    file.write(text);
}

// The entry points the window called, in order.
class EventLog
{
public:
    explicit EventLog(HostWindow& window)
    {
        m_connection = QObject::connect(&window, &HostWindow::pluginEventSent,
                                        [this](const QString& entry) { m_entries << entry; });
    }
    ~EventLog() { QObject::disconnect(m_connection); }
    int count() const { return int(m_entries.size()); }
    QString at(int i) const { return m_entries.value(i); }

private:
    QMetaObject::Connection m_connection;
    QStringList m_entries;
};

int CountPixels(const QImage& image, QRgb wanted)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) & 0xffffff) == (wanted & 0xffffff);
    }
    return count;
}

class HostWindowTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        CopyFolder(SampleGamesDir(), Path("games"));
        QDir().mkpath(Path("plugins"));
        QFile::link(BinDir() + "/KURVO7.so", Path("plugins/KURVO7.so"));
        QFile::copy(QStringLiteral(NOT_A_PLUGIN_PATH), Path("plugins/hostapp_not_a_plugin.so"));

        HostOptions options;
        options.pluginFolder = Path("plugins");
        options.gamesFolder = Path("games");
        options.startFolder = Path("start");
        QDir().mkpath(options.startFolder);
        s_session = new HostSession(*static_cast<HostApp*>(AfxGetApp()));
        s_window = new HostWindow(*s_session, options);
        s_window->setReporter([](const QString& text) { s_reports << text; });
        QString error;
        s_started = s_window->start(error);
        if (s_started)
            s_window->watcher()->setSettleTime(50);
    }

    static void TearDownTestSuite()
    {
        delete s_window;
        delete s_session;
        delete s_dir;
    }

    void SetUp() override { ASSERT_TRUE(s_started); }

    static QString Path(const char* name) { return s_dir->filePath(QString::fromUtf8(name)); }
    static QString ChartFile() { return Path("start/save.kv"); }

    static QAction* PluginAction(const QString& caption)
    {
        for (QAction* action : s_window->pluginsMenu()->actions()) {
            if (action->text() == caption)
                return action;
        }
        return nullptr;
    }

    static CView* ChartView() { return ChartWindow::findView(*s_session->mainFrame()); }

    static void SelectRaces(const QStringList& names)
    {
        s_window->racesPanel()->selectRaces(names);
    }

    static void CloseChart()
    {
        if (CView* view = ChartView())
            ChartWindow(*view).close();
        QCoreApplication::processEvents();
    }

    static QTemporaryDir* s_dir;
    static HostSession* s_session;
    static HostWindow* s_window;
    static bool s_started;
    static QStringList s_reports;
};

QTemporaryDir* HostWindowTest::s_dir = nullptr;
HostSession* HostWindowTest::s_session = nullptr;
HostWindow* HostWindowTest::s_window = nullptr;
bool HostWindowTest::s_started = false;
QStringList HostWindowTest::s_reports;

TEST_F(HostWindowTest, StartupOffersThePluginItemsAndListsTheGamesRaces)
{
    QStringList captions;
    for (QAction* action : s_window->pluginsMenu()->actions())
        captions << action->text();
    EXPECT_EQ(captions, QStringList({"Kurvo", "Add Race(s) to Kurvo"}));
    EXPECT_TRUE(s_session->plugins().problems().join('\n').contains(
        "hostapp_not_a_plugin.so: not a plug-in"));
    EXPECT_TRUE(s_reports.isEmpty()) << s_reports.join('\n').toStdString();

    RacesPanel* races = s_window->racesPanel();
    EXPECT_EQ(races->gameChooser()->count(), 3);
    EXPECT_EQ(races->currentGame(), "Amber Drift");
    QTableWidget* table = races->table();
    ASSERT_EQ(table->rowCount(), 10);
    EXPECT_EQ(table->item(0, 0)->text(), "Velelluans");
    EXPECT_FALSE(table->item(0, 0)->icon().isNull()) << "colour swatch";
    // The latest turn's figures, as the game file has them.
    EXPECT_EQ(table->item(0, 1)->text(), "44");
    QFile turns(Path("games/Amber Drift/turns.csv"));
    ASSERT_TRUE(turns.open(QIODevice::ReadOnly));
    const QString latest =
        QString::fromUtf8(turns.readAll()).split('\n').filter("44,Velelluans,").value(0);
    EXPECT_EQ(latest.section(',', 2, 2), table->item(0, 2)->text());
}

TEST_F(HostWindowTest, SelectedRacesAddedWithThePluginItemsAreCharted)
{
    SelectRaces({"Velelluans", "Елюаны"});
    EXPECT_EQ(s_session->store().findGame("Amber Drift")->selectedRaces().size(), 2u);

    PluginAction("Kurvo")->trigger();
    ASSERT_NE(ChartView(), nullptr);
    EXPECT_EQ(ChartWindow::frameCount(*s_session->mainFrame()), 1);
    // The chart's frame shows the program's icon, not the toolkit's.
    const QImage icon = HostWindow::appIcon().pixmap(32).toImage();
    EXPECT_FALSE(icon.isNull());
    for (QMdiSubWindow* frame : AfxGetMDIArea(s_session->mainFrame())->subWindowList())
        EXPECT_EQ(frame->windowIcon().pixmap(32).toImage(), icon);
    PluginAction("Add Race(s) to Kurvo")->trigger();
    ChartWindow chart(*ChartView());
    chart.resizeView(QSize(600, 400));
    const QImage image = chart.grab();
    EXPECT_GT(CountPixels(image, 0xB92B2B), 20) << "Velelluans";
    EXPECT_GT(CountPixels(image, 0x9C49D7), 20) << "Елюаны";
    EXPECT_EQ(CountPixels(image, 0xDDC61F), 0) << "Dunprekai, not selected";

    // File > Export chart... writes what the window shows.
    ASSERT_TRUE(s_window->exportChart(Path("export.png")));
    EXPECT_EQ(QImage(Path("export.png")).convertToFormat(image.format()), image);
    ASSERT_TRUE(s_window->exportChart(Path("export.svg")));
    QFile svg(Path("export.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("<polyline"));
    CloseChart();
    EXPECT_EQ(ChartWindow::frameCount(*s_session->mainFrame()), 0);
    s_reports.clear();
    EXPECT_FALSE(s_window->exportChart(Path("none.png")));
    EXPECT_EQ(s_reports.size(), 1) << "told there is no chart";
    s_reports.clear();
}

TEST_F(HostWindowTest, ImportedTurnReachesTheOpenChart)
{
    PluginAction("Kurvo")->trigger();
    CloseChart();
    const qint64 before = QFileInfo(ChartFile()).size();
    ASSERT_GT(before, 0);

    PluginAction("Kurvo")->trigger();
    ASSERT_NE(ChartView(), nullptr);
    WriteText(Path("turn45.csv"), QByteArray(kTurnsCsvHeader) +
                                      "45,Velelluans,900.5,400,3.5,3.25,3\n"
                                      "45,Елюаны,700,350,,2,2\n");
    EventLog events(*s_window);
    ASSERT_TRUE(s_window->importTurn(Path("turn45.csv"))) << s_reports.join('\n').toStdString();
    ASSERT_EQ(events.count(), 1);
    EXPECT_EQ(events.at(0), "OnReportLoaded");
    CloseChart();
    // Each of the game's ten races holds one turn more: five longs each.
    EXPECT_EQ(QFileInfo(ChartFile()).size(), before + 10 * 5 * 4);
    // The host's own write is not taken for a change on disk.
    EXPECT_FALSE(WaitFor([&] { return events.count() > 1; }, 400));
}

TEST_F(HostWindowTest, RefusedImportIsToldAndChangesNothing)
{
    s_reports.clear();
    WriteText(Path("bad.csv"), QByteArray(kTurnsCsvHeader) + "46,Nobody,1,1,1,1,1\n");
    const int turns = s_session->store().findGame("Amber Drift")->turnCount();
    EXPECT_FALSE(s_window->importTurn(Path("bad.csv")));
    ASSERT_EQ(s_reports.size(), 1);
    EXPECT_TRUE(s_reports.first().contains("bad.csv:2")) << s_reports.first().toStdString();
    EXPECT_EQ(s_session->store().findGame("Amber Drift")->turnCount(), turns);
}

TEST_F(HostWindowTest, GameFilesChangedOnDiskAreReloadedAndReported)
{
    EventLog events(*s_window);
    WriteText(Path("games/Cold Meridian/turns.csv"), "32,Zendraar,500,300,2,2,2\n",
              QIODevice::Append);
    ASSERT_TRUE(WaitFor([&] { return events.count() >= 1; }));
    EXPECT_EQ(events.at(0), "OnReportLoaded");
    EXPECT_EQ(s_session->store().findGame("Cold Meridian")->turnCount(), 33);

    CopyFolder(Path("games/Cold Meridian"), Path("games/New Frontier"));
    ASSERT_TRUE(WaitFor([&] { return events.count() >= 2; }));
    EXPECT_EQ(events.at(1), "OnGamesListModified");
    EXPECT_EQ(s_window->racesPanel()->gameChooser()->count(), 4);

    ASSERT_TRUE(QDir(Path("games/New Frontier")).removeRecursively());
    ASSERT_TRUE(WaitFor([&] { return events.count() >= 3; }));
    EXPECT_EQ(events.at(2), "OnGamesListModified");
    EXPECT_EQ(s_window->racesPanel()->gameChooser()->count(), 3);
}

TEST_F(HostWindowTest, CommandChosenWhileAPluginCallRunsIsNotTaken)
{
    // The window is kept painting during every request; a command chosen
    // then must not reach the plug-in in the middle of its call.
    s_window->shield()->setPumpInterval(1, 0);
    EventLog events(*s_window);
    QStringList progress;
    const auto connection = QObject::connect(s_window->shield(), &PluginCallShield::progress,
                                             [&](const QString& text) { progress << text; });
    QTimer::singleShot(0, [] { PluginAction("Add Race(s) to Kurvo")->trigger(); });
    PluginAction("Kurvo")->trigger();
    s_window->shield()->setPumpInterval(200, 100);
    QCoreApplication::processEvents();
    QObject::disconnect(connection);
    ASSERT_EQ(events.count(), 1) << "only the first command was taken";
    // The status bar told the progress, and was cleared at the end.
    EXPECT_FALSE(progress.filter("requests").isEmpty());
    EXPECT_EQ(progress.value(progress.size() - 1), QString());
    ASSERT_NE(ChartView(), nullptr);
    CloseChart();
}

TEST_F(HostWindowTest, AboutShowsThePluginTextsAndItsVersionRecord)
{
    const QString about = s_window->aboutText();
    EXPECT_TRUE(about.contains("KURVO7.so")) << about.toStdString();
    EXPECT_TRUE(about.contains("Author: Tamsen"));
    EXPECT_TRUE(about.contains("Company: Да"));
    EXPECT_TRUE(about.contains("пока только Industry и Population."));
    EXPECT_TRUE(about.contains("file version 1.0.0.1"));
    EXPECT_TRUE(about.contains("FileDescription: KURVO7 DLL"));
    // The module without entry points is listed with its reason.
    EXPECT_TRUE(about.contains("Not in use:"));
    EXPECT_TRUE(about.contains(QRegularExpression(
        "hostapp_not_a_plugin\\.so: missing entry points \\(not a plug-in: no entry point OnLoad")))
        << about.toStdString();
}

TEST_F(HostWindowTest, RacesWindowAndMenusAreReachedFromTheKeyboardWithVisibleFocus)
{
    QMainWindow* main = s_window->mainWindow();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    RacesPanel* races = s_window->racesPanel();
    const Game* game = s_session->store().findGame(races->currentGame());
    ASSERT_NE(game, nullptr);
    const auto selectedBefore = game->selectedRaces();
    const auto focused = [] { return QApplication::focusWidget(); };

    QTest::keyClick(main, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(focused(), races->gameChooser()) << "Window > Races";
    const QImage unfocusedTable = races->table()->grab().toImage();
    QTest::keyClick(focused(), Qt::Key_Tab);
    ASSERT_EQ(focused(), races->table());
    EXPECT_TRUE(races->table()->currentIndex().isValid()) << "a row carries the focus mark";
    EXPECT_NE(races->table()->grab().toImage(), unfocusedTable) << "the focus is drawn";
    EXPECT_EQ(game->selectedRaces(), selectedBefore) << "focus alone selects nothing";
    QTest::keyClick(focused(), Qt::Key_Tab);
    EXPECT_NE(focused(), races->table()) << "Tab leaves the table";
    QTest::keyClick(main, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(focused(), races->gameChooser());

    QTest::keyClick(main, Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(QApplication::activePopupWidget(), s_window->pluginsMenu());
    if (QWidget* popup = QApplication::activePopupWidget())
        QTest::keyClick(popup, Qt::Key_Escape);
}

// A game server's log kept outside the games folder: opened, remembered,
// followed as the server appends a turn, charted by another map, and
// closed to imports.
TEST_F(HostWindowTest, AGameLogOpenedFromElsewhereIsFollowedAndRemembered)
{
    QDir().mkpath(Path("server"));
    const QString log = Path("server/match.log");
    WriteText(log, "#FREECIV SCORELOG2 3.0.6\ntag 0 pop\ntag 2 mfg\ntag 4 techs\ntag 14 gold\n"
                   "turn 1 -4000 4000 BCE\naddplayer 1 0 Józef Piłsudski\naddplayer 1 1 Suiko\n"
                   "data 1 2 0 10\ndata 1 2 1 12\ndata 1 14 0 50\n");
    WriteText(Path("server/notes.txt"), "not a log\n");
    s_reports.clear();
    EXPECT_FALSE(s_window->openLog(Path("server/notes.txt")));
    EXPECT_EQ(s_reports.size(), 1);

    EventLog events(*s_window);
    ASSERT_TRUE(s_window->openLog(log)) << s_reports.join('\n').toStdString();
    EXPECT_EQ(events.at(0), "OnGamesListModified");
    EXPECT_EQ(s_window->racesPanel()->currentGame(), "match");
    EXPECT_EQ(LogSettings(Path("start")).openedLogs(), QStringList{log});
    QTableWidget* table = s_window->racesPanel()->table();
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->item(0, 0)->text(), "Józef Piłsudski");
    EXPECT_TRUE(table->item(0, 0)->toolTip().contains("Jozef Pilsudski"));

    PluginAction("Kurvo")->trigger();
    SelectRaces({"Józef Piłsudski", "Suiko"});
    PluginAction("Add Race(s) to Kurvo")->trigger();
    EventLog follows(*s_window);
    WriteText(log, "turn 2 -3950 3950 BCE\ndata 2 2 0 11\ndata 2 2 1 13\n", QIODevice::Append);
    ASSERT_TRUE(WaitFor([&] { return follows.count() >= 1; }));
    EXPECT_EQ(follows.at(0), "OnReportLoaded");
    EXPECT_EQ(table->item(1, 1)->text(), "2") << "the game's latest turn in the races window";

    s_reports.clear();
    WriteText(Path("turn2.csv"), QByteArray(kTurnsCsvHeader) + "3,Suiko,1,1,1,1,1\n");
    EXPECT_FALSE(s_window->importTurn(Path("turn2.csv")));
    ASSERT_EQ(s_reports.size(), 1);
    EXPECT_TRUE(s_reports.first().contains("belongs to the game server"));

    StatisticMap gold = StatisticMap::defaults();
    gold.setTag(Statistic::Industry, "gold");
    ASSERT_TRUE(s_window->mapCurrentLog(gold));
    EXPECT_EQ(follows.at(1), "OnReportLoaded");
    EXPECT_EQ(LogSettings(Path("start")).maps().at(log), gold);
    const Race* jozef = s_session->store().findGame("match")->findRace("Jozef Pilsudski");
    ASSERT_NE(jozef, nullptr);
    EXPECT_EQ(jozef->turns.at(0)[size_t(Statistic::Industry)], "50");
    // Other files of the games folder, such as a server's console output,
    // may grow without a word to the plug-ins.
    const int told = follows.count();
    WriteText(Path("games/server.log"), "2: Loading rulesets.\n");
    WriteText(Path("games/server.log"), "2: Turn 2.\n", QIODevice::Append);
    EXPECT_FALSE(WaitFor([&] { return follows.count() > told; }, 600));
    CloseChart();
    // Two races, each with five series of two turns, as the chart tool reads the file.
    QProcess kvdump;
    kvdump.start(BinDir() + "/kvdump", {"--csv", ChartFile()});
    ASSERT_TRUE(kvdump.waitForFinished());
    const QStringList rows = QString::fromUtf8(kvdump.readAllStandardOutput())
                                 .split('\n')
                                 .filter(QRegularExpression("^match,"));
    EXPECT_EQ(rows.size(), 2 * 5 * 2) << rows.join('\n').toStdString();
    // The turn that came while the chart was open is there; the figures it
    // held stay as they were fetched, under the map of their time.
    EXPECT_TRUE(rows.contains("match,Jozef Pilsudski,Industry,2,11.00"))
        << rows.join('\n').toStdString();
    s_window->racesPanel()->chooseGame("Amber Drift");
}

// Last: it ends the session's window.
TEST_F(HostWindowTest, ClosingTheMainWindowClosesTheChartWhichWritesItsFile)
{
    PluginAction("Kurvo")->trigger();
    ASSERT_NE(ChartView(), nullptr);
    const qint64 before = QFileInfo(ChartFile()).size();
    SelectRaces({"Quapreyoans"});
    PluginAction("Add Race(s) to Kurvo")->trigger();

    s_window->mainWindow()->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(s_session->mainFrame(), nullptr);
    EXPECT_GT(QFileInfo(ChartFile()).size(), before) << "the new selection was written";
    // What was wired to the window is safe to use without it.
    EXPECT_FALSE(s_window->importTurn(Path("turn45.csv")));
    s_session->plugins().closeAll();
}

} // namespace
