// What kurvo-host does with requests it cannot carry out: a clear message
// and a non-zero exit, and no damage to the files it was given.
#include "HostProcess.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace
{
class HostFailureTest : public ::testing::Test
{
protected:
    QString Path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    QStringList Headless(const QStringList& extra) const
    {
        QStringList arguments{"--headless",  "--games", SampleGamesDir(), "--start-dir",
                              Path("start"), "--png",   Path("chart.png")};
        return arguments + extra;
    }

    QTemporaryDir m_dir;
};

// With no display at all (RunHost removes it): what needs none answers, the
// window says in one line that it cannot show.
TEST_F(HostFailureTest, CommandLineIsAnsweredWithoutADisplay)
{
    const struct {
        QStringList arguments;
        int exitCode;
        const char* stdoutStart;
        const char* stderrStart;
    } cases[] = {
        {{"--help"}, 0, "usage: kurvo-host", ""},
        {{"--version"}, 0, "kurvo-host 1.", ""},
        {{"--no-such-option"}, 2, "", "kurvo-host: Unknown option"},
        {{"--games", SampleGamesDir()}, 1, "", "kurvo-host: no display to show the window on"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const HostRun run = RunHost(c.arguments);
        EXPECT_FALSE(run.crashed);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        // An empty start means that stream stays silent.
        for (const auto& [text, start] :
             {std::pair(run.out, c.stdoutStart), std::pair(run.err, c.stderrStart)}) {
            if (*start == '\0')
                EXPECT_TRUE(text.isEmpty()) << text.toStdString();
            else
                EXPECT_TRUE(text.startsWith(QString::fromUtf8(start))) << text.toStdString();
        }
        if (c.exitCode == 1) {
            EXPECT_EQ(run.err.count('\n'), 1) << "one line";
        }
    }
}

// Answered in the user's language wherever it comes from: the options, the
// headless run, the search for a display, the plug-in host and Qt's own
// parser.
TEST_F(HostFailureTest, ARussianUserIsAnsweredInRussian)
{
    const QStringList russian{"LANGUAGE=ru", "LANG=ru_RU.UTF-8"};
    const struct {
        QStringList arguments;
        int exitCode;
        const char* said;
    } cases[] = {
        {{"--help"}, 0, "Загружает подключаемые модули графиков"},
        {{"--size", "900x600"}, 2, "kurvo-host: --size — только для запусков с --headless"},
        {Headless({"--select", "Nobody"}), 1, "kurvo-host: в игре «Amber Drift» нет расы «Nobody»"},
        {{"--games", SampleGamesDir()}, 1, "kurvo-host: нет дисплея, чтобы показать окно"},
        {Headless({"--select", "Velelluans", "--plugins", Path("missing")}), 1,
         "нет такой папки модулей; пропущен"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const HostRun run = RunHost(c.arguments, russian);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        EXPECT_TRUE((run.out + run.err).contains(QString::fromUtf8(c.said)))
            << (run.out + run.err).toStdString();
    }
    for (const QStringList& language : {QStringList{}, russian}) {
        const HostRun run = RunHost({"--help"}, language);
        for (const QString& line : run.out.split('\n'))
            EXPECT_LE(line.size(), 80) << "a line of the help: " << line.toStdString();
    }
}

TEST_F(HostFailureTest, RequestsThatCannotRunEndNonZeroWithTheirReason)
{
    QDir().mkpath(Path("empty"));
    struct Case {
        QStringList arguments;
        int exitCode;
        const char* message;
    };
    const Case cases[] = {
        {Headless({"--select", "Nobody"}), 1, "no race \"Nobody\" in the game \"Amber Drift\""},
        {Headless({"--select", "Zendraar", "--game", "No Such Game"}), 1,
         "no game \"No Such Game\""},
        {Headless({"--select", "Velelluans", "--plugins", Path("empty")}), 1,
         "no plug-in could be loaded"},
        {Headless({"--select", "Velelluans", "--plugins", Path("missing")}), 1,
         "no such plug-in folder"},
        {Headless({"--select", "Velelluans", "--games", Path("empty")}), 1, "no games in"},
        {Headless({"--select", "Velelluans", "--png", Path("no-folder/chart.png")}), 1,
         "cannot write the chart image"},
        {Headless({"--select", "Velelluans", "--stats", "industry,morale"}), 2,
         "unknown statistic \"morale\""},
        {Headless({"--select", "Velelluans", "--size", "0x0"}), 2, "--size must be WxH"},
        {Headless({}), 2, "needs --select"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const HostRun run = RunHost(c.arguments);
        EXPECT_FALSE(run.crashed);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << run.err.toStdString();
    }
}

TEST_F(HostFailureTest, ModulesThatAreNoPluginsAreReportedAndSkipped)
{
    const QString plugins = PluginFolderIn(m_dir.path());
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(NOT_A_PLUGIN_PATH), plugins + "/hostapp_not_a_plugin.so"));
    QFile broken(plugins + "/broken.so");
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a module\n");
    broken.close();

    const HostRun run = RunHost(Headless({"--select", "Velelluans", "--plugins", plugins}));
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("hostapp_not_a_plugin.so: not a plug-in"))
        << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("broken.so: cannot load")) << run.err.toStdString();
    EXPECT_TRUE(QFile::exists(Path("chart.png")));
}

TEST_F(HostFailureTest, DamagedChartFileIsReportedAndLeftAsItWas)
{
    QDir().mkpath(Path("start"));
    const QByteArray damaged("\x01\x00\x00\x00garbage", 11);
    QFile file(Path("start/save.kv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(damaged);
    file.close();

    const HostRun run = RunHost(Headless({"--select", "Velelluans"}));
    EXPECT_FALSE(run.crashed);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("the plug-in opened no chart")) << run.err.toStdString();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), damaged);
}

} // namespace
