// kurvo-host --headless: the user's flow without a screen. The plug-ins load,
// "Kurvo" opens or creates the chart, the named races are selected in the
// host and added with "Add Race(s) to Kurvo", the chart shows the named
// statistics (switched with its own commands), is painted into a PNG and is
// closed, which writes its chart file.
#pragma once

#include "HostOptions.h"

#include <QCoreApplication>
#include <QString>
#include <QTextStream>
#include <optional>
#include <string>
#include <vector>

class HostSession;
class Game;
struct Race;
class CView;

class HeadlessRun
{
public:
    HeadlessRun(HostSession& session, const HostOptions& options, QTextStream& out);

    // 0 on success; otherwise the problem has been written to err.
    int run();

    Q_DECLARE_TR_FUNCTIONS(HeadlessRun)

private:
    bool fail(const QString& message);
    bool prepare();
    bool loadGames();
    bool findGameAndRaces();
    const Race* findRace(const QString& name) const;
    bool loadPlugins();
    bool runCommand(const char* caption);
    bool openChart();
    bool addRaces();
    void switchStatistics();
    bool writeImage();
    bool closeChart();
    bool checkStatistics();
    QString chartFilePath() const;

    HostSession& m_session;
    const HostOptions& m_options;
    QTextStream& m_out;
    Game* m_game = nullptr;
    std::vector<std::string> m_races; // ANSI
    CView* m_view = nullptr;
    int m_chartFlagsAtOpen = 0;
};
