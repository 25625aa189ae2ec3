// The host's whole headless chart run against a plain plotting program.
//
// HeadlessRender starts kurvo-host as a user would: it loads the plug-in,
// which creates the chart, fetches every race of a large generated game
// request by request, draws the Industry curves of all its races into a PNG
// and writes the chart file. Its baseline is gnuplot drawing the same curves
// (every race's Industry over every turn) from the game's turns.csv into a
// PNG of the same size. Both are whole processes, timed by the wall clock.
//
// HugeFirst and HugeReopened run the host the same way over a far larger
// game, against reading that game's CSV files, and report peak memory.
#include "ChildProcess.h"
#include "GameGenerator.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
constexpr int kRaces = 40;
constexpr int kTurns = 400;

// One generated game in a folder of its own, made once per shape.
struct BigGame {
    QTemporaryDir dir;
    QString gamesFolder;
    QString gameFolder;
    QStringList races;
    bool ok = false;

    BigGame(int nRaces = kRaces, int nTurns = kTurns)
    {
        gamesFolder = dir.filePath(QStringLiteral("games"));
        QDir().mkpath(gamesFolder);
        GameShape shape;
        shape.name = QStringLiteral("Big");
        shape.races = nRaces;
        shape.turns = nTurns;
        shape.seed = 7;
        QString error;
        const std::optional<QString> folder = GameGenerator(shape).write(gamesFolder, error);
        if (!folder)
            return;
        gameFolder = *folder;
        QFile file(gameFolder + QStringLiteral("/races.csv"));
        if (!file.open(QIODevice::ReadOnly))
            return;
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        for (const QString& line : lines.mid(1)) {
            if (!line.trimmed().isEmpty())
                races << line.section(QLatin1Char(','), 0, 0);
        }
        ok = races.size() == nRaces;
    }
    std::string Path(const char* name) const
    {
        return dir.filePath(QString::fromUtf8(name)).toStdString();
    }
};

BigGame& Game()
{
    static BigGame game;
    return game;
}

// The host's headless run over a game: the chart of every race's Industry,
// into a PNG and the start folder's chart file.
std::vector<std::string> HeadlessCommand(const BigGame& game)
{
    const std::string startDir = game.Path("start");
    // The chart plug-in alone: the program folder holds other modules too.
    const std::string plugins = game.Path("plugins");
    QDir().mkpath(QString::fromStdString(plugins));
    QFile::link(QString::fromStdString(ProgramDir() + "KURVO7.so"),
                QString::fromStdString(plugins + "/KURVO7.so"));
    const std::vector<std::string> command{ProgramDir() + "kurvo-host",
                                           "--headless",
                                           "--plugins",
                                           plugins,
                                           "--games",
                                           game.gamesFolder.toStdString(),
                                           "--start-dir",
                                           startDir,
                                           "--select",
                                           game.races.join(QLatin1Char(',')).toStdString(),
                                           "--stats",
                                           "industry",
                                           "--png",
                                           game.Path("host.png"),
                                           "--size",
                                           "900x600"};
    return command;
}

void HeadlessRender(benchmark::State& state)
{
    BigGame& game = Game();
    if (!game.ok) {
        state.SkipWithError("the large game could not be generated");
        return;
    }
    const std::string startDir = game.Path("start");
    const std::vector<std::string> command = HeadlessCommand(game);
    for (auto _ : state) {
        // Every run creates the chart anew, fetching the whole game.
        QFile::remove(QString::fromStdString(startDir + "/save.kv"));
        if (Run(command) != 0) {
            state.SkipWithError("kurvo-host failed");
            return;
        }
    }
}

void Baseline_HeadlessRender(benchmark::State& state)
{
    BigGame& game = Game();
    if (!game.ok) {
        state.SkipWithError("the large game could not be generated");
        return;
    }
    if (Run({"gnuplot", "--version"}) != 0) {
        state.SkipWithError("gnuplot is not installed (Debian package gnuplot-nox)");
        return;
    }
    const QString script =
        QStringLiteral("set terminal png size 900,600\n"
                       "set output '%1'\n"
                       "set datafile separator ','\n"
                       "set key off\n"
                       "races = '%2'\n"
                       "plot for [i=1:words(races)] '%3/turns.csv' "
                       "using 1:(strcol(2) eq word(races, i) ? $3 : NaN) with lines\n")
            .arg(QString::fromStdString(game.Path("gnuplot.png")),
                 game.races.join(QLatin1Char(' ')), game.gameFolder);
    const std::string scriptPath = game.Path("plot.gp");
    QFile file(QString::fromStdString(scriptPath));
    if (!file.open(QIODevice::WriteOnly) || file.write(script.toUtf8()) < 0) {
        state.SkipWithError("cannot write the gnuplot script");
        return;
    }
    file.close();
    for (auto _ : state) {
        if (Run({"gnuplot", scriptPath}) != 0) {
            state.SkipWithError("gnuplot failed");
            return;
        }
    }
}
// A game of 500 races over 1000 turns (turns.csv about 24 MB), against one
// race over the same turns. The host's whole run is timed first with a new
// chart and then reopening the chart it saved; both are compared with
// reading the game's CSV bytes, and the runs' peak resident sets are
// reported beside the bound they should keep: the one-race run's peak plus
// twice the CSV bytes.
constexpr int kHugeRaces = 500;
constexpr int kHugeTurns = 1000;

BigGame& HugeGame()
{
    static BigGame game(kHugeRaces, kHugeTurns);
    return game;
}

qint64 CsvBytes(const BigGame& game)
{
    qint64 nBytes = 0;
    for (const QFileInfo& info :
         QDir(game.gameFolder).entryInfoList({QStringLiteral("*.csv")}, QDir::Files))
        nBytes += info.size();
    return nBytes;
}

// The peak of a fresh headless run over a one-race game, in kilobytes.
long OneRacePeakKb()
{
    static const long nPeakKb = [] {
        BigGame game(1, kHugeTurns);
        long nKb = -1;
        if (!game.ok || Run(HeadlessCommand(game), &nKb) != 0)
            return -1L;
        return nKb;
    }();
    return nPeakKb;
}

void RunHuge(benchmark::State& state, bool bReopen)
{
    BigGame& game = HugeGame();
    const long nOneRaceKb = OneRacePeakKb();
    if (!game.ok || nOneRaceKb < 0) {
        state.SkipWithError("the games could not be generated or run");
        return;
    }
    const std::string chart = game.Path("start") + "/save.kv";
    const std::vector<std::string> command = HeadlessCommand(game);
    long nPeakKb = 0;
    if (bReopen && !QFile::exists(QString::fromStdString(chart)) && Run(command) != 0) {
        state.SkipWithError("kurvo-host failed");
        return;
    }
    for (auto _ : state) {
        if (!bReopen)
            QFile::remove(QString::fromStdString(chart));
        long nKb = 0;
        if (Run(command, &nKb) != 0) {
            state.SkipWithError("kurvo-host failed");
            return;
        }
        nPeakKb = std::max(nPeakKb, nKb);
    }
    const double nCsvMb = double(CsvBytes(game)) / (1024.0 * 1024.0);
    state.counters["peak_MB"] = double(nPeakKb) / 1024.0;
    state.counters["one_race_MB"] = double(nOneRaceKb) / 1024.0;
    state.counters["bound_MB"] = double(nOneRaceKb) / 1024.0 + 2.0 * nCsvMb;
    state.counters["csv_MB"] = nCsvMb;
}

void HugeFirst_ReadCsv(benchmark::State& state)
{
    RunHuge(state, false);
}

void HugeReopened_ReadCsv(benchmark::State& state)
{
    RunHuge(state, true);
}

// Reading every CSV byte of the game through the page cache, as the host's
// loader must at the least.
void Baseline_ReadCsv(benchmark::State& state)
{
    BigGame& game = HugeGame();
    if (!game.ok) {
        state.SkipWithError("the large game could not be generated");
        return;
    }
    const QFileInfoList files =
        QDir(game.gameFolder).entryInfoList({QStringLiteral("*.csv")}, QDir::Files);
    std::vector<char> buffer(1 << 16);
    for (auto _ : state) {
        size_t nBytes = 0;
        for (const QFileInfo& info : files) {
            const int hFile = ::open(info.filePath().toLocal8Bit().constData(), O_RDONLY);
            for (ssize_t n; (n = ::read(hFile, buffer.data(), buffer.size())) > 0;)
                nBytes += size_t(n);
            ::close(hFile);
        }
        benchmark::DoNotOptimize(nBytes);
    }
}
} // namespace

// The work happens in child processes, so this process's CPU time says
// nothing; a fixed count of runs keeps the library from chasing it, and the
// ratio compares wall-clock times.
BENCHMARK(HeadlessRender)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Baseline_HeadlessRender)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(HugeFirst_ReadCsv)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(HugeReopened_ReadCsv)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Baseline_ReadCsv)->Unit(benchmark::kMillisecond)->Iterations(3);
