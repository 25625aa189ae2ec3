// A turn that a game server appends to its score log, until the chart that
// follows the game has repainted with it: the whole way through the host's
// window as a player meets it. The host's window (on the offscreen
// platform) follows a log of 30 players over 500 turns with 30 tags, all
// 30 players charted; each step appends one more turn in one write, as the
// server flushes a turn, and waits for the chart view's next paint. The
// goal is at most 100 ms a turn. Its baseline is a full repaint of the same
// chart, so the ratio says how many repaints a turn costs.
#include "BenchAtEnd.h"
#include "ChildProcess.h"
#include "ScoreLogGenerator.h"

#include "ChartWindow.h"
#include "GamesWatcher.h"
#include "HostApp.h"
#include "HostSession.h"
#include "HostWindow.h"
#include "RacesPanel.h"

#include <afxqt.h>
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>

#include <chrono>
#include <cstdlib>
#include <memory>

namespace
{
constexpr int kPlayers = 30;
constexpr int kTurns = 500;

// Counts the paints the chart view gets.
class CPaintCounter : public QObject
{
public:
    int m_nPaints = 0;

protected:
    bool eventFilter(QObject* pObject, QEvent* pEvent) override
    {
        if (pEvent->type() == QEvent::Paint)
            ++m_nPaints;
        return QObject::eventFilter(pObject, pEvent);
    }
};

class CFollowSetup
{
public:
    static CFollowSetup& Get()
    {
        static CFollowSetup setup;
        return setup;
    }

    bool IsReady() const { return m_pView != nullptr; }

    // One turn more in the log, written at once.
    void AppendTurn()
    {
        const std::string turn = m_log.Turn(++m_nTurn);
        QFile file(m_strLog);
        if (file.open(QIODevice::Append))
            file.write(turn.data(), qint64(turn.size()));
    }

    // Waits (up to five seconds) for the view's next paint; false when none came.
    bool WaitForPaint(int nPaintsBefore)
    {
        QElapsedTimer timer;
        timer.start();
        while (m_counter.m_nPaints == nPaintsBefore && timer.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        return m_counter.m_nPaints != nPaintsBefore;
    }

    int Paints() const { return m_counter.m_nPaints; }
    QWidget* ViewWidget() const { return AfxGetWidget(m_pView); }

private:
    CFollowSetup() : m_log(kPlayers)
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "bench_follow";
        static char* argv[] = {name, nullptr};
        m_pApp = new QApplication(argc, argv);
        m_pHostApp = std::make_unique<HostApp>();
        Start();
        BenchAtEnd([] { Get().Close(); });
    }

    void Start()
    {
        const QString games = m_dir.filePath("games");
        QDir().mkpath(games);
        QDir().mkpath(m_dir.filePath("plugins"));
        QDir().mkpath(m_dir.filePath("start"));
        QFile::link(QString::fromStdString(ProgramDir() + "KURVO7.so"),
                    m_dir.filePath("plugins/KURVO7.so"));
        m_strLog = games + "/live.log";
        const std::string head = m_log.Head() + m_log.Turns(1, kTurns);
        m_nTurn = kTurns;
        QFile file(m_strLog);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(head.data(), qint64(head.size())) != qint64(head.size()))
            return;
        file.close();

        HostOptions options;
        options.pluginFolder = m_dir.filePath("plugins");
        options.gamesFolder = games;
        options.startFolder = m_dir.filePath("start");
        m_pSession = std::make_unique<HostSession>(*m_pHostApp);
        m_pWindow = std::make_unique<HostWindow>(*m_pSession, options);
        m_pWindow->setReporter([](const QString&) {});
        QString error;
        if (!m_pWindow->start(error))
            return;
        m_pWindow->racesPanel()->chooseGame("live");
        QStringList names;
        for (const Race& race : m_pSession->store().findGame("live")->races())
            names << race.displayName;
        m_pWindow->racesPanel()->selectRaces(names);
        for (QAction* pAction : m_pWindow->pluginsMenu()->actions())
            pAction->trigger();
        m_pView = ChartWindow::findView(*m_pSession->mainFrame());
        if (m_pView == nullptr)
            return;
        ChartWindow(*m_pView).resizeView(QSize(1000, 600));
        AfxGetWidget(m_pView)->installEventFilter(&m_counter);
        QApplication::processEvents();
    }

    void Close()
    {
        m_pWindow.reset();
        if (m_pSession)
            m_pSession->shutdown();
        m_pSession.reset();
        m_pHostApp.reset();
        delete m_pApp;
    }

    QApplication* m_pApp = nullptr;
    std::unique_ptr<HostApp> m_pHostApp;
    std::unique_ptr<HostSession> m_pSession;
    std::unique_ptr<HostWindow> m_pWindow;
    CView* m_pView = nullptr;
    CPaintCounter m_counter;
    QTemporaryDir m_dir;
    QString m_strLog;
    ScoreLogGenerator m_log;
    int m_nTurn = 0;
};

void Follow_Turn(benchmark::State& state)
{
    CFollowSetup& setup = CFollowSetup::Get();
    if (!setup.IsReady()) {
        state.SkipWithError("the host's window with the chart did not come up");
        return;
    }
    for (auto _ : state) {
        const int nPaints = setup.Paints();
        const auto start = std::chrono::steady_clock::now();
        setup.AppendTurn();
        if (!setup.WaitForPaint(nPaints)) {
            state.SkipWithError("the chart did not repaint with the new turn");
            return;
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}

void Baseline_Turn(benchmark::State& state)
{
    CFollowSetup& setup = CFollowSetup::Get();
    if (!setup.IsReady()) {
        state.SkipWithError("the host's window with the chart did not come up");
        return;
    }
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        setup.ViewWidget()->repaint();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}

BENCHMARK(Follow_Turn)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(5);
BENCHMARK(Baseline_Turn)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(5);
} // namespace
