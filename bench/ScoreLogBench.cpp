// The host's reading of a game server's score log against reading its bytes.
//
// A log of 30 players over 1,000 turns with 30 tags (about 20 MB, as a long
// game's server writes it) is generated once. Load times the game store
// reading a games folder that holds it; HugeLog runs the whole headless host
// over it, charting one race, and reports the run's peak resident set beside
// the bound it should keep: the peak of the same run over a log of one
// player, plus twice the large log's bytes. Both are compared with reading
// the log's bytes.
#include "ChildProcess.h"
#include "GameStore.h"
#include "ScoreLogGenerator.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cmath>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
constexpr int kPlayers = 30;
constexpr int kTurns = 1000;

// A games folder holding one generated log, with a start folder and the
// chart plug-in alone in a plug-in folder for the headless host.
struct LogFolder {
    QTemporaryDir dir;
    QString games;
    QString log;
    std::vector<std::string> players;
    bool ok = false;

    LogFolder(int nPlayers, int nTurns)
    {
        games = dir.filePath(QStringLiteral("games"));
        log = games + QStringLiteral("/Big.log");
        ScoreLogGenerator generator(nPlayers);
        const std::string bytes = generator.Head() + generator.Turns(1, nTurns);
        players = generator.Players();
        QDir().mkpath(games);
        QDir().mkpath(dir.filePath(QStringLiteral("plugins")));
        QFile::link(QString::fromStdString(ProgramDir() + "KURVO7.so"),
                    dir.filePath(QStringLiteral("plugins/KURVO7.so")));
        QFile file(log);
        ok = file.open(QIODevice::WriteOnly) &&
             file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
    }
    std::string Path(const char* name) const
    {
        return dir.filePath(QString::fromUtf8(name)).toStdString();
    }
    // The host's headless run charting the first player's Industry.
    std::vector<std::string> HeadlessCommand() const
    {
        return {ProgramDir() + "kurvo-host",
                "--headless",
                "--plugins",
                Path("plugins"),
                "--games",
                games.toStdString(),
                "--start-dir",
                Path("start"),
                "--select",
                players.front(),
                "--stats",
                "industry",
                "--png",
                Path("host.png"),
                "--size",
                "900x600"};
    }
};

LogFolder& BigLog()
{
    static LogFolder folder(kPlayers, kTurns);
    return folder;
}

void Load_ScoreLog(benchmark::State& state)
{
    const LogFolder& folder = BigLog();
    if (!folder.ok) {
        state.SkipWithError("the log could not be written");
        return;
    }
    for (auto _ : state) {
        GameStore store;
        store.load(folder.games);
        if (store.games().size() != 1 || store.games().front().races().size() != kPlayers) {
            state.SkipWithError("the log did not load as one game");
            return;
        }
    }
}

// A fresh headless run, chart created anew; its peak resident set in
// kilobytes, or -1.
long HeadlessPeakKb(const LogFolder& folder)
{
    QFile::remove(QString::fromStdString(folder.Path("start") + "/save.kv"));
    long nKb = 0;
    return Run(folder.HeadlessCommand(), &nKb) == 0 ? nKb : -1;
}

void HugeLog_ReadLog(benchmark::State& state)
{
    const LogFolder& folder = BigLog();
    static const long nOneRaceKb = [] {
        const LogFolder tiny(1, kTurns);
        return tiny.ok ? HeadlessPeakKb(tiny) : -1L;
    }();
    if (!folder.ok || nOneRaceKb < 0) {
        state.SkipWithError("the logs could not be written or run");
        return;
    }
    long nPeakKb = 0;
    for (auto _ : state) {
        const long nKb = HeadlessPeakKb(folder);
        if (nKb < 0) {
            state.SkipWithError("kurvo-host failed");
            return;
        }
        nPeakKb = std::max(nPeakKb, nKb);
    }
    const double nLogMb = double(QFileInfo(folder.log).size()) / (1024.0 * 1024.0);
    state.counters["peak_MB"] = double(nPeakKb) / 1024.0;
    state.counters["one_race_MB"] = double(nOneRaceKb) / 1024.0;
    state.counters["bound_MB"] = double(nOneRaceKb) / 1024.0 + 2.0 * nLogMb;
    state.counters["log_MB"] = nLogMb;
}

// Reading the log's bytes through the page cache, as any reader must at
// the least.
void ReadLog(benchmark::State& state)
{
    const LogFolder& folder = BigLog();
    if (!folder.ok) {
        state.SkipWithError("the log could not be written");
        return;
    }
    const QByteArray path = QFile::encodeName(folder.log);
    std::vector<char> buffer(1 << 16);
    for (auto _ : state) {
        size_t nBytes = 0;
        const int hFile = ::open(path.constData(), O_RDONLY);
        for (ssize_t n; (n = ::read(hFile, buffer.data(), buffer.size())) > 0;)
            nBytes += size_t(n);
        ::close(hFile);
        benchmark::DoNotOptimize(nBytes);
    }
}
void Baseline_ScoreLog(benchmark::State& state)
{
    ReadLog(state);
}

// The same, paired with the headless runs, which run a fixed count of times.
void Baseline_ReadLog(benchmark::State& state)
{
    ReadLog(state);
}
} // namespace

BENCHMARK(Load_ScoreLog)->Unit(benchmark::kMillisecond)->Repetitions(7)->MinTime(0.1);
BENCHMARK(Baseline_ScoreLog)->Unit(benchmark::kMillisecond)->Repetitions(7)->MinTime(0.1);
// Whole processes, timed by the wall clock: a fixed count of runs.
BENCHMARK(HugeLog_ReadLog)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Baseline_ReadLog)->Unit(benchmark::kMillisecond)->Iterations(3);
