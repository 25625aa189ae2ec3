// A real game server plays a short game of AI players, a turn a second,
// while the host's window follows its score log with the chart open; at
// the end the chart file holds every turn of every player, as a plain
// reading of the log gives them. Needs Debian's freeciv-server; skipped
// without it.
#include "ChartWindow.h"
#include "HostProcess.h"
#include "HostSession.h"
#include "HostWindow.h"
#include "RacesPanel.h"
#include "tests/support/ScoreLogOracle.h"

#include <afxqt.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <functional>
#include <unistd.h>

namespace
{
void WriteText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(text);
}

// The server refuses to run as root; CI runs as root, so it plays as nobody.
void StartServer(QProcess& server, const QString& program, const QString& folder,
                 const QString& script)
{
    QStringList arguments{"--read", script, "--exit-on-end", "--port",
                          QString::number(20000 + getpid() % 20000)};
    QString command = program;
    if (geteuid() == 0) {
        arguments =
            QStringList{"--reuid=nobody", "--regid=nogroup", "--clear-groups", program} + arguments;
        command = "setpriv";
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", folder);
    server.setProcessEnvironment(environment);
    server.setWorkingDirectory(folder + "/games");
    server.setProcessChannelMode(QProcess::MergedChannels);
    server.start(command, arguments);
}

QAction* PluginAction(HostWindow& window, const QString& caption)
{
    for (QAction* action : window.pluginsMenu()->actions()) {
        if (action->text() == caption)
            return action;
    }
    return nullptr;
}

TEST(FreecivLive, AGamePlayedWhileTheHostFollowsItsLogIsChartedTurnByTurn)
{
    const QString program = QStandardPaths::findExecutable(
        "freeciv-server", {"/usr/games", "/usr/bin", "/usr/local/games", "/usr/local/bin"});
    if (program.isEmpty())
        GTEST_SKIP() << "freeciv-server is not installed";

    QTemporaryDir dir;
    const QString folder = dir.path();
    QDir().mkpath(folder + "/games");
    QDir().mkpath(folder + "/start");
    // The server, playing as another user, writes its log and its own
    // files here.
    const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                      QFile::WriteOther | QFile::ExeOther;
    QFile::setPermissions(folder, open);
    QFile::setPermissions(folder + "/games", open);
    // A turn a second: the chart is open well before the game ends.
    WriteText(folder + "/game.serv", "set minplayers 0\nset aifill 5\nset timeout 1\n"
                                     "set endturn 20\nset autosaves \"\"\nset scorelog enabled\n"
                                     "set scorefile live.log\nstart\n");

    HostOptions options;
    options.pluginFolder = PluginFolderIn(folder);
    options.gamesFolder = folder + "/games";
    options.startFolder = folder + "/start";
    HostSession session(*static_cast<HostApp*>(AfxGetApp()));
    {
        HostWindow window(session, options);
        QStringList reports;
        window.setReporter([&](const QString& text) { reports << text; });
        QString error;
        ASSERT_TRUE(window.start(error)) << error.toStdString();
        int reportsLoaded = 0;
        QObject::connect(&window, &HostWindow::pluginEventSent,
                         [&](const QString& entry) { reportsLoaded += entry == "OnReportLoaded"; });

        QProcess server;
        StartServer(server, program, folder, folder + "/game.serv");
        ASSERT_TRUE(server.waitForStarted()) << server.errorString().toStdString();
        auto game = [&] { return session.store().findGame("live"); };
        ASSERT_TRUE(WaitFor([&] { return game() != nullptr && !game()->races().empty(); }, 60000))
            << server.readAll().toStdString();

        // Every player is in the game from its first turn: all are charted.
        window.racesPanel()->chooseGame("live");
        QStringList names;
        for (const Race& race : game()->races())
            names << race.displayName;
        window.racesPanel()->selectRaces(names);
        PluginAction(window, "Kurvo")->trigger();
        PluginAction(window, "Add Race(s) to Kurvo")->trigger();
        ASSERT_EQ(server.state(), QProcess::Running) << "the game ended before it was charted";
        const int turnsAtStart = game()->turnCount();

        ASSERT_TRUE(WaitFor([&] { return server.state() == QProcess::NotRunning; }, 120000));
        EXPECT_EQ(server.exitCode(), 0) << server.readAll().toStdString();
        const score_log_oracle::Figures expected =
            score_log_oracle::read((folder + "/games/live.log").toStdString());
        int lastTurn = 0;
        for (const auto& [name, turns] : expected)
            lastTurn = std::max(lastTurn, turns.rbegin()->first);
        ASSERT_GE(lastTurn, 15);
        ASSERT_TRUE(WaitFor([&] { return game()->turnCount() == lastTurn; }, 10000));
        // The chart was brought up to date turn by turn as the log grew.
        EXPECT_GE(reportsLoaded, lastTurn - turnsAtStart);
        EXPECT_TRUE(reports.isEmpty()) << reports.join('\n').toStdString();

        // What the chart holds once its window closes, as the chart tool reads it.
        ChartWindow(*ChartWindow::findView(*session.mainFrame())).close();
        QCoreApplication::processEvents();
        QProcess kvdump;
        kvdump.start(BinDir() + "/kvdump", {"--csv", options.startFolder + "/save.kv"});
        ASSERT_TRUE(kvdump.waitForFinished());
        std::map<QString, QString> charted; // "race,statistic,turn" -> value
        for (const QString& row : QString::fromUtf8(kvdump.readAllStandardOutput()).split('\n')) {
            const QStringList cells = row.split(',');
            if (cells.size() == 5 && cells[0] == "live")
                charted[cells.mid(1, 3).join(',')] = cells[4];
        }
        ASSERT_EQ(game()->races().size(), expected.size());
        const char* const statistics[] = {"Industry", "Population", "WeaponsTech"};
        for (const Race& race : game()->races()) {
            const QString name = AfxToQString(race.name.data(), int(race.name.size()));
            for (const auto& [turn, values] : expected.at(race.sourceName)) {
                for (size_t i = 0; i < 3; ++i) {
                    // The chart's turns count from 1, as the game's do.
                    const QString key = QString("%1,%2,%3").arg(name).arg(statistics[i]).arg(turn);
                    ASSERT_TRUE(charted.count(key) != 0) << key.toStdString();
                    EXPECT_EQ(charted[key].toDouble(), std::stod(values[i])) << key.toStdString();
                }
            }
        }
    }
    session.shutdown();
}
} // namespace
