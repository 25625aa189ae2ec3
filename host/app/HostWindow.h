// The interactive host: the MDI main window with its menus (File, Plug-ins,
// Help), the races window, the status bar and the watch on the games folder,
// wired to the plug-ins.
#pragma once

#include "HostOptions.h"
#include "LogSettings.h"

#include <QObject>
#include <QString>
#include <QTextStream>
#include <functional>
#include <vector>

class Game;
class HostSession;
class GamesWatcher;
class PluginCallShield;
class RacesPanel;
class QAction;
class QIcon;
class QDockWidget;
class QLabel;
class QMainWindow;
class QMenu;

class HostWindow : public QObject
{
    Q_OBJECT
public:
    // Shows a message to the user; the default opens a message box.
    using Reporter = std::function<void(const QString& text)>;

    HostWindow(HostSession& session, const HostOptions& options, QObject* parent = nullptr);
    ~HostWindow() override;

    // Builds the window, loads the games and the plug-ins and shows the
    // window. False, with a message, when there is no window to show.
    bool start(QString& error);

    // Builds, starts and runs until the main window closes; the exit code.
    static int runInteractive(HostSession& session, const HostOptions& options);

    void setReporter(Reporter reporter) { m_reporter = std::move(reporter); }

    QMainWindow* mainWindow() const;
    // The installed theme's icon of the program, or the built-in copy.
    static QIcon appIcon();
    RacesPanel* racesPanel() const { return m_races; }
    QMenu* pluginsMenu() const { return m_pluginsMenu; }
    GamesWatcher* watcher() const { return m_watcher; }
    PluginCallShield* shield() const { return m_shield; }

    // File > Import turn... without the file dialog. False (and the user
    // told why) when the turn was not imported.
    bool importTurn(const QString& csvPath);
    // File > Export chart... without the file dialog: the active chart
    // window as PNG, or as SVG when the name ends in .svg. False (and the
    // user told why) when there is no chart or the file cannot be written.
    bool exportChart(const QString& path);
    // Help > About plug-ins without the dialog.
    QString aboutText();
    // File > Open game log... without the file dialog: adds a game server's
    // score log to the games, remembers it for the next start and chooses
    // its game. False (and the user told why) when it is no such log.
    bool openLog(const QString& path);
    // File > Game log statistics... without the dialog: charts the current
    // log game's tags by map and remembers that for the log. False when the
    // current game is no log game.
    bool mapCurrentLog(const StatisticMap& map);
    // Reads on the followed logs, as the watch does when they grow.
    void followLogs();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // An entry point the host called (by plain name), for the status bar.
    void pluginEventSent(const QString& entry);

private:
    void buildMenus();
    void buildRacesWindow();
    // Window > Races (Ctrl+R): the races window, shown, with the game chooser focused.
    void focusRacesWindow();
    void buildStatusBar();
    void fillPluginsMenu();
    void runCommand(size_t index);
    void chooseTurnFile();
    void chooseExportFile();
    void chooseLogFile();
    void chooseLogMap();
    const Game* currentLogGame() const;
    void watchFollowedLogs();
    void showAbout();
    void reloadGames(bool listChanged);
    void sendEvent(bool listChanged);
    void runHeldWork();
    void tellLoadProblems();
    void report(const QString& text);

    HostSession& m_session;
    HostOptions m_options;
    LogSettings m_logSettings;
    Reporter m_reporter;
    RacesPanel* m_races = nullptr;
    QDockWidget* m_racesDock = nullptr;
    QMenu* m_pluginsMenu = nullptr;
    QLabel* m_progress = nullptr;
    GamesWatcher* m_watcher = nullptr;
    PluginCallShield* m_shield = nullptr;
    // Work that arrived while a plug-in call ran, done when it ends.
    bool m_heldReload = false;
    bool m_heldListChange = false;
    bool m_heldFollow = false;
};
