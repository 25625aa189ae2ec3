// The host's whole headless chart run against a plain plotting program.
//
// HeadlessRender starts kurvo-host as a user would: it loads the plug-in,
// which creates the chart, fetches every race of a large generated game
// request by request, draws the Industry curves of all its races into a PNG
// and writes the chart file. Its baseline is gnuplot drawing the same curves
// (every race's Industry over every turn) from the game's turns.csv into a
// PNG of the same size. Both are whole processes, timed by the wall clock.
#include "GameGenerator.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <climits>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace
{
constexpr int kRaces = 40;
constexpr int kTurns = 400;

std::string ProgramDir()
{
    std::string self(PATH_MAX, '\0');
    const ssize_t n = readlink("/proc/self/exe", self.data(), self.size() - 1);
    self.resize(n > 0 ? size_t(n) : 0);
    return self.substr(0, self.rfind('/') + 1);
}

// Runs a program with its output discarded; its exit code, or -1.
int Run(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (failed != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// One large game, made once for both measurements.
struct BigGame {
    QTemporaryDir dir;
    QString gamesFolder;
    QString gameFolder;
    QStringList races;
    bool ok = false;

    BigGame()
    {
        gamesFolder = dir.filePath(QStringLiteral("games"));
        QDir().mkpath(gamesFolder);
        GameShape shape;
        shape.name = QStringLiteral("Big");
        shape.races = kRaces;
        shape.turns = kTurns;
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
        ok = races.size() == kRaces;
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

void HeadlessRender(benchmark::State& state)
{
    BigGame& game = Game();
    if (!game.ok) {
        state.SkipWithError("the large game could not be generated");
        return;
    }
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
} // namespace

// The work happens in child processes, so this process's CPU time says
// nothing; a fixed count of runs keeps the library from chasing it, and the
// ratio compares wall-clock times.
BENCHMARK(HeadlessRender)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Baseline_HeadlessRender)->Unit(benchmark::kMillisecond)->Iterations(3);
