#include "HostWindow.h"
#include <afxqt.h>

#include "ChartWindow.h"
#include "GamesWatcher.h"
#include "HostLog.h"
#include "HostSession.h"
#include "LogMapDialog.h"
#include "PluginAbout.h"
#include "PluginCallShield.h"
#include "RacesPanel.h"
#include "ScoreLogReader.h"
#include "WindowMemory.h"
#include "WindowPlacement.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QImageWriter>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QVBoxLayout>

#include <cstdio>
#include <set>

namespace
{
std::set<std::string> gameNames(const GameStore& store)
{
    std::set<std::string> names;
    for (const Game& game : store.games())
        names.insert(game.name());
    return names;
}

QString joined(const std::vector<GameLoadError>& problems)
{
    QStringList lines;
    for (const GameLoadError& problem : problems)
        lines << problem.toString();
    return lines.join(QLatin1Char('\n'));
}
} // namespace

HostWindow::HostWindow(HostSession& session, const HostOptions& options, QObject* parent)
    : QObject(parent), m_session(session), m_options(options), m_logSettings(options.startFolder)
{
    m_reporter = [this](const QString& text) {
        // Nobody could answer a box on the offscreen platform.
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            HostLog::error(text);
        else
            QMessageBox::warning(mainWindow(), tr("KURVO7 host"), text);
    };
}

HostWindow::~HostWindow()
{
    m_session.dataManager().setProgressHook({});
    m_session.plugins().setCallObserver({});
}

QMainWindow* HostWindow::mainWindow() const
{
    CMDIFrameWnd* pFrame = m_session.mainFrame();
    return pFrame != nullptr ? AfxGetMainWindow(pFrame) : nullptr;
}

QIcon HostWindow::appIcon()
{
    return QIcon::fromTheme(QStringLiteral("org.kurvo7.kurvohost"),
                            QIcon(QStringLiteral(":/icons/org.kurvo7.kurvohost.svg")));
}

bool HostWindow::start(QString& error)
{
    // Set on the application, so that every window has it: the main window,
    // the charts the plug-in makes and the dialogs.
    QApplication::setWindowIcon(appIcon());
    if (!m_session.createMainFrame(WindowPlacement::firstGeometry(), error))
        return false;
    mainWindow()->setWindowTitle(tr("KURVO7 host"));
    GameStore& store = m_session.store();
    if (m_options.logMap)
        store.setDefaultMap(*m_options.logMap);
    for (const auto& [log, map] : m_logSettings.maps())
        store.setLogMap(log, map);
    store.setOpenedLogs(m_logSettings.openedLogs());
    m_session.loadGames(m_options.gamesFolder);
    buildRacesWindow();
    buildStatusBar();
    buildMenus();
    if (!m_options.windowSettings.isEmpty()) {
        WindowMemory(m_options.windowSettings).restore(*mainWindow(), *m_races);
        mainWindow()->installEventFilter(this);
    }

    m_shield = new PluginCallShield(*mainWindow(), *AfxGetMDIArea(m_session.mainFrame()), this);
    connect(m_shield, &PluginCallShield::progress, m_progress, &QLabel::setText);
    connect(m_shield, &PluginCallShield::idle, this, &HostWindow::runHeldWork,
            Qt::QueuedConnection);
    m_session.plugins().setCallObserver([this](bool entering) {
        if (entering)
            m_shield->callStarted();
        else
            m_shield->callEnded();
    });
    DataManager& data = m_session.dataManager();
    data.setProgressHook([this, &data](int requests) {
        m_shield->requestAnswered(requests, data.raceColorCount());
    });

    m_session.loadPlugins(m_options.pluginFolder, m_options.startFolder);
    fillPluginsMenu();

    m_watcher = new GamesWatcher(this);
    connect(m_watcher, &GamesWatcher::gamesChanged, this, [this] { reloadGames(false); });
    connect(m_watcher, &GamesWatcher::gamesListChanged, this, [this] { reloadGames(true); });
    connect(m_watcher, &GamesWatcher::logsGrew, this, &HostWindow::followLogs);
    m_watcher->watch(m_options.gamesFolder);
    watchFollowedLogs();

    mainWindow()->show();
    tellLoadProblems();
    return true;
}

bool HostWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Kept as the window closes, before the framework takes it down; a close
    // held back during a plug-in call never gets here.
    if (event->type() == QEvent::Close && watched == mainWindow() &&
        !WindowMemory(m_options.windowSettings).save(*mainWindow(), *m_races))
        std::fprintf(stderr, "kurvo-host: the window's settings could not be written to %s\n",
                     qPrintable(QDir::toNativeSeparators(m_options.windowSettings)));
    return QObject::eventFilter(watched, event);
}

void HostWindow::buildMenus()
{
    QMenuBar* bar = mainWindow()->menuBar();
    QMenu* file = bar->addMenu(tr("&File"));
    QAction* openLog = file->addAction(tr("&Open game log..."), this, &HostWindow::chooseLogFile);
    openLog->setShortcut(QKeySequence::Open);
    QAction* mapLog =
        file->addAction(tr("Game log &statistics..."), this, &HostWindow::chooseLogMap);
    connect(file, &QMenu::aboutToShow, mapLog,
            [this, mapLog] { mapLog->setEnabled(currentLogGame() != nullptr); });
    file->addSeparator();
    file->addAction(tr("&Import turn..."), this, &HostWindow::chooseTurnFile);
    QAction* exportAction =
        file->addAction(tr("&Export chart..."), this, &HostWindow::chooseExportFile);
    // Only with a chart window to export.
    connect(file, &QMenu::aboutToShow, exportAction, [this, exportAction] {
        exportAction->setEnabled(ChartWindow::findView(*m_session.mainFrame()) != nullptr);
    });
    file->addSeparator();
    file->addAction(tr("E&xit"), mainWindow(), &QWidget::close);
    m_pluginsMenu = bar->addMenu(tr("&Plug-ins"));
    QMenu* window = bar->addMenu(tr("&Window"));
    QAction* races = window->addAction(tr("&Races"), this, &HostWindow::focusRacesWindow);
    races->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    QMenu* help = bar->addMenu(tr("&Help"));
    help->addAction(tr("&About plug-ins..."), this, &HostWindow::showAbout);
}

void HostWindow::focusRacesWindow()
{
    // A closed or floating races window comes back where the user left it.
    m_racesDock->show();
    m_racesDock->raise();
    m_races->setFocus(Qt::ShortcutFocusReason);
}

void HostWindow::buildRacesWindow()
{
    auto* dock = new QDockWidget(tr("Races"), mainWindow());
    m_racesDock = dock;
    dock->setObjectName(QStringLiteral("races"));
    m_races = new RacesPanel(m_session.store(), dock);
    dock->setWidget(m_races);
    mainWindow()->addDockWidget(Qt::LeftDockWidgetArea, dock);
    // Wide enough for the race names and all five figures.
    mainWindow()->resizeDocks({dock}, {std::max(520, m_races->wholeWidth())}, Qt::Horizontal);
}

void HostWindow::buildStatusBar()
{
    m_progress = new QLabel(mainWindow());
    mainWindow()->statusBar()->addPermanentWidget(m_progress);
}

void HostWindow::fillPluginsMenu()
{
    m_pluginsMenu->clear();
    const std::vector<PluginHost::Command> commands = m_session.plugins().commands();
    for (size_t i = 0; i < commands.size(); ++i)
        m_pluginsMenu->addAction(commands[i].item.display, this, [this, i] { runCommand(i); });
    if (commands.empty())
        m_pluginsMenu->addAction(tr("(no plug-ins)"))->setEnabled(false);
}

void HostWindow::runCommand(size_t index)
{
    if (mainWindow() == nullptr)
        return;
    // A command chosen while a plug-in call still runs is not queued: the
    // user sees that it was not taken and can choose it again.
    const std::vector<PluginHost::Command> commands = m_session.plugins().commands();
    if (index >= commands.size())
        return;
    if (!m_session.plugins().runCommand(commands[index], m_races->currentGame())) {
        mainWindow()->statusBar()->showMessage(tr("The plug-in is busy; try again."), 3000);
        return;
    }
    emit pluginEventSent(QStringLiteral("OnUserCommand"));
}

void HostWindow::chooseTurnFile()
{
    const QString path = QFileDialog::getOpenFileName(mainWindow(), tr("Import turn"), QString(),
                                                      tr("Turn files (*.csv);;All files (*)"));
    if (!path.isEmpty())
        importTurn(path);
}

void HostWindow::chooseExportFile()
{
    QString filter = tr("PNG image (*.png)");
    const QString path =
        QFileDialog::getSaveFileName(mainWindow(), tr("Export chart"), QStringLiteral("chart.png"),
                                     tr("PNG image (*.png);;SVG image (*.svg)"), &filter);
    if (path.isEmpty())
        return;
    const bool svg = filter.contains(QLatin1String("svg"));
    const QString suffix = svg ? QStringLiteral(".svg") : QStringLiteral(".png");
    exportChart(path.endsWith(suffix, Qt::CaseInsensitive) ? path : path + suffix);
}

bool HostWindow::exportChart(const QString& path)
{
    CView* view = ChartWindow::findView(*m_session.mainFrame());
    if (view == nullptr) {
        report(tr("There is no chart window to export."));
        return false;
    }
    ChartWindow chart(*view);
    QString error;
    bool written = false;
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        written = chart.writeSvg(path, error);
    } else {
        QImageWriter writer(path, "png");
        written = writer.write(chart.grab());
        error = writer.errorString();
    }
    if (!written)
        report(tr("The chart was not exported to %1: %2").arg(path, error));
    return written;
}

bool HostWindow::importTurn(const QString& csvPath)
{
    if (mainWindow() == nullptr)
        return false;
    if (m_session.plugins().busy()) {
        report(tr("A plug-in is still working; import the turn when it is done."));
        return false;
    }
    const std::string game = m_races->currentGame();
    const ImportResult result = m_session.store().importTurn(game, csvPath);
    if (!result.imported) {
        report(tr("The turn was not imported:\n%1").arg(joined(result.errors)));
        return false;
    }
    if (!result.errors.empty())
        report(tr("Turn %1 was imported without these figures:\n%2")
                   .arg(result.turn)
                   .arg(joined(result.errors)));
    // The host wrote the game's file itself; the watch need not tell it.
    if (m_watcher != nullptr)
        m_watcher->resync();
    m_races->refresh();
    mainWindow()->statusBar()->showMessage(
        tr("Imported turn %1 (%2 races)").arg(result.turn).arg(result.races), 5000);
    sendEvent(false);
    return true;
}

void HostWindow::chooseLogFile()
{
    const QString path =
        QFileDialog::getOpenFileName(mainWindow(), tr("Open game log"), QString(),
                                     tr("Score logs (*.log *.txt);;All files (*)"));
    if (!path.isEmpty())
        openLog(path);
}

bool HostWindow::openLog(const QString& path)
{
    if (mainWindow() == nullptr)
        return false;
    const QString log = QFileInfo(path).absoluteFilePath();
    if (!ScoreLogReader::isScoreLog(log)) {
        report(tr("%1 is not a game server's score log: its first line does not start with "
                  "\"%2\".")
                   .arg(QDir::toNativeSeparators(log),
                        QLatin1String(ScoreLogReader::kMagic.data(),
                                      qsizetype(ScoreLogReader::kMagic.size()))));
        return false;
    }
    if (m_session.plugins().busy()) {
        report(tr("A plug-in is still working; open the log when it is done."));
        return false;
    }
    GameStore& store = m_session.store();
    QStringList opened = store.openedLogs();
    const bool inGamesFolder =
        QFileInfo(log).absolutePath() == QFileInfo(m_options.gamesFolder).absoluteFilePath();
    if (!inGamesFolder && !opened.contains(log)) {
        opened << log;
        store.setOpenedLogs(opened);
        if (!m_logSettings.setOpenedLogs(opened))
            report(tr("The log is open, but it could not be remembered for the next start: "
                      "%1 cannot be written.")
                       .arg(QDir::toNativeSeparators(m_logSettings.fileName())));
    }
    reloadGames(true);
    for (const Game& game : store.games()) {
        if (game.source() == Game::Source::ScoreLog && game.folder() == log)
            m_races->chooseGame(game.name());
    }
    return true;
}

const Game* HostWindow::currentLogGame() const
{
    const Game* game = m_session.store().findGame(m_races->currentGame());
    return game != nullptr && game->source() == Game::Source::ScoreLog ? game : nullptr;
}

void HostWindow::chooseLogMap()
{
    const Game* game = currentLogGame();
    if (game == nullptr)
        return;
    const std::vector<std::string>* tags = m_session.store().logTags(game->name());
    LogMapDialog dialog(game->displayName(), tags != nullptr ? *tags : std::vector<std::string>(),
                        m_session.store().mapOf(game->folder()), mainWindow());
    if (dialog.exec() == QDialog::Accepted)
        mapCurrentLog(dialog.map());
}

bool HostWindow::mapCurrentLog(const StatisticMap& map)
{
    const Game* game = currentLogGame();
    if (game == nullptr || mainWindow() == nullptr)
        return false;
    if (m_session.plugins().busy()) {
        report(tr("A plug-in is still working; change the statistics when it is done."));
        return false;
    }
    const QString log = game->folder();
    m_session.store().setLogMap(log, map);
    if (!m_logSettings.setMap(log, map))
        report(tr("The statistics are changed, but they could not be remembered for the next "
                  "start: %1 cannot be written.")
                   .arg(QDir::toNativeSeparators(m_logSettings.fileName())));
    m_races->refresh();
    // A chart takes the turns it already holds as settled, so it gets only
    // what is new; anew it takes the whole game under the new map.
    mainWindow()->statusBar()->showMessage(
        tr("Statistics of %1 changed. A chart that holds this game keeps the figures it has; "
           "\"Reset Kurvo\" in its menu charts the game anew.")
            .arg(game->displayName()),
        15000);
    sendEvent(false);
    return true;
}

void HostWindow::followLogs()
{
    if (mainWindow() == nullptr)
        return;
    if (m_session.plugins().busy()) {
        m_heldFollow = true;
        return;
    }
    const bool changed = m_session.store().follow();
    for (const GameLoadError& problem : m_session.store().errors())
        mainWindow()->statusBar()->showMessage(problem.toString(), 5000);
    if (!changed)
        return;
    m_races->refresh();
    sendEvent(false);
}

void HostWindow::watchFollowedLogs()
{
    if (m_watcher != nullptr)
        m_watcher->follow(m_session.store().followedPaths());
}

void HostWindow::reloadGames(bool listChanged)
{
    if (mainWindow() == nullptr)
        return;
    if (m_session.plugins().busy()) {
        m_heldReload = true;
        m_heldListChange = m_heldListChange || listChanged;
        return;
    }
    const std::set<std::string> before = gameNames(m_session.store());
    m_session.loadGames(m_options.gamesFolder);
    watchFollowedLogs();
    m_races->refresh();
    for (const GameLoadError& problem : m_session.store().errors())
        mainWindow()->statusBar()->showMessage(problem.toString(), 5000);
    sendEvent(listChanged || before != gameNames(m_session.store()));
}

void HostWindow::sendEvent(bool listChanged)
{
    PluginHost& plugins = m_session.plugins();
    const bool sent = listChanged ? plugins.gamesListModified() : plugins.reportLoaded();
    if (!sent) {
        m_heldReload = true;
        m_heldListChange = m_heldListChange || listChanged;
        return;
    }
    emit pluginEventSent(listChanged ? QStringLiteral("OnGamesListModified")
                                     : QStringLiteral("OnReportLoaded"));
}

void HostWindow::runHeldWork()
{
    if (m_session.plugins().busy())
        return;
    if (m_heldFollow && !m_heldReload) {
        m_heldFollow = false;
        followLogs();
        return;
    }
    m_heldFollow = false;
    if (!m_heldReload)
        return;
    const bool listChanged = m_heldListChange;
    m_heldReload = false;
    m_heldListChange = false;
    reloadGames(listChanged);
}

QString HostWindow::aboutText()
{
    QStringList parts;
    for (const auto& plugin : m_session.plugins().plugins()) {
        const auto keys = m_session.plugins().about(*plugin);
        if (!keys)
            return tr("A plug-in is still working; ask again when it is done.");
        parts << PluginAbout::text(plugin->fileName(), *keys, plugin->path());
    }
    if (parts.isEmpty())
        parts << tr("No plug-ins are loaded.");
    const QString notInUse = PluginAbout::notInUseText(m_session.plugins().disabled());
    if (!notInUse.isEmpty())
        parts << notInUse;
    return parts.join(QStringLiteral("\n\n"));
}

void HostWindow::showAbout()
{
    QDialog dialog(mainWindow());
    dialog.setWindowTitle(tr("About plug-ins"));
    auto* text = new QPlainTextEdit(aboutText(), &dialog);
    text->setReadOnly(true);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(text);
    dialog.resize(560, 420);
    dialog.exec();
}

void HostWindow::tellLoadProblems()
{
    // Modules that are no plug-ins are common in a program folder (the
    // framework's own libraries sit there too): they are noted, not shown
    // in a box. Bad game files and a host without plug-ins are.
    const QStringList skipped = m_session.plugins().problems();
    for (const QString& problem : skipped)
        HostLog::warning(problem);
    if (!skipped.isEmpty())
        mainWindow()->statusBar()->showMessage(
            tr("%n module(s) skipped; see the terminal", nullptr, int(skipped.size())), 10000);
    QStringList problems;
    for (const GameLoadError& problem : m_session.store().errors())
        problems << problem.toString();
    if (m_session.plugins().plugins().empty())
        problems << tr("No plug-in was loaded from %1.").arg(m_options.pluginFolder);
    if (!problems.isEmpty())
        report(problems.join(QLatin1Char('\n')));
}

void HostWindow::report(const QString& text)
{
    if (m_reporter)
        m_reporter(text);
}

int HostWindow::runInteractive(HostSession& session, const HostOptions& options)
{
    int code = 0;
    {
        HostWindow window(session, options);
        QString error;
        if (!window.start(error)) {
            HostLog::error(error);
            return 1;
        }
        // The framework takes the main window down itself when it closes,
        // which Qt does not count as its last window closing.
        QObject::connect(window.mainWindow(), &QObject::destroyed, qApp, &QCoreApplication::quit,
                         Qt::QueuedConnection);
        code = QApplication::exec();
        // The window is gone now; so goes what was wired to it, before the
        // plug-ins get their last call.
    }
    session.shutdown();
    return code;
}
