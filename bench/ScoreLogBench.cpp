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
#include "RaceNamer.h"
#include "RandomSource.h"

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

// The server's own tags, in its order; the magnitude each reaches late in a
// game, and whether it is a rate in steps of ten.
struct TagShape {
    const char* name;
    double late;
    bool rate;
};
constexpr std::array<TagShape, 30> kTags{{
    {"pop", 40000, false},       {"bnp", 900, false},          {"mfg", 700, false},
    {"cities", 40, false},       {"techs", 88, false},         {"munits", 120, false},
    {"settlers", 15, false},     {"wonders", 6, false},        {"techout", 400, false},
    {"landarea", 9000, false},   {"settledarea", 7000, false}, {"pollution", 30, false},
    {"literacy", 100, false},    {"spaceship", 0, false},      {"gold", 5000, false},
    {"taxrate", 0, true},        {"scirate", 0, true},         {"luxrate", 0, true},
    {"riots", 3, false},         {"happypop", 300, false},     {"contentpop", 400, false},
    {"unhappypop", 150, false},  {"specialists", 80, false},   {"gov", 6, false},
    {"corruption", 120, false},  {"score", 1500, false},       {"unitsbuilt", 900, false},
    {"unitskilled", 300, false}, {"unitslost", 300, false},    {"culture", 20000, false},
}};

// A log as the server writes it: the header, the tags, and for every turn
// its line, the players joining at the first, and every player's figure of
// every tag. The same seed always gives the same bytes.
std::string ScoreLog(int nPlayers, int nTurns, std::vector<std::string>& names)
{
    RandomSource random(7);
    RaceNamer namer(random);
    std::string log = "#FREECIV SCORELOG2 3.0.6\n\n"
                      "# A generated game, laid out as the server writes its score log.\n\n"
                      "id 7Gq2bXkR0aWJmHt5sNcVfYpLzE1uDo9i\n";
    for (size_t tag = 0; tag < kTags.size(); ++tag)
        log += "tag " + std::to_string(tag) + ' ' + kTags[tag].name + '\n';
    std::vector<double> strength(static_cast<size_t>(nPlayers));
    for (double& player : strength)
        player = random.between(0.5, 1.5);
    std::vector<std::array<int, kTags.size()>> rates(static_cast<size_t>(nPlayers));
    for (int turn = 1; turn <= nTurns; ++turn) {
        const int year = -4000 + 20 * (turn - 1);
        log += "turn " + std::to_string(turn) + ' ' + std::to_string(year) + ' ' +
               std::to_string(std::abs(year)) + (year < 0 ? " BCE\n" : " CE\n");
        for (int player = 0; turn == 1 && player < nPlayers; ++player) {
            names.push_back(namer.raceName(RaceNamer::Script::Latin).toStdString());
            log += "addplayer 1 " + std::to_string(player) + ' ' + names.back() + '\n';
        }
        const double progress = std::pow(double(turn) / nTurns, 1.5);
        for (size_t tag = 0; tag < kTags.size(); ++tag) {
            for (int player = 0; player < nPlayers; ++player) {
                int& rate = rates[size_t(player)][tag];
                if (kTags[tag].rate && (turn == 1 || random.chance(0.02)))
                    rate = 10 * random.below(11);
                const double trend = kTags[tag].late * progress * strength[size_t(player)];
                const int value =
                    kTags[tag].rate ? rate : std::max(0, int(trend * random.between(0.9, 1.1)));
                log += "data " + std::to_string(turn) + ' ' + std::to_string(tag) + ' ' +
                       std::to_string(player) + ' ' + std::to_string(value) + '\n';
            }
        }
    }
    return log;
}

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
        const std::string bytes = ScoreLog(nPlayers, nTurns, players);
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
