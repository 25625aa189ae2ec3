// kurvo-host --headless on the sample games with the real plug-in: the image
// shows the chosen races' curves on black, and the chart file holds every
// race of every game with the figures of the game files, scaled as the chart
// keeps them.
#include "HostProcess.h"
#include "SampleGames.h"

#include "model/CRace.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>

namespace
{
const char* kGame = "Amber Drift";
const long kScale[5] = {100, 100, 100000, 100000, 100000};

int CountPixels(const QImage& image, const QColor& color)
{
    int count = 0;
    const QRgb wanted = color.rgb() & 0xffffff;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) & 0xffffff) == wanted;
    }
    return count;
}

class HeadlessRunTest : public ::testing::Test
{
protected:
    QString StartDir() const { return m_dir.filePath(QStringLiteral("start")); }
    QString ChartFile() const { return StartDir() + QStringLiteral("/save.kv"); }
    QString Png() const { return m_dir.filePath(QStringLiteral("chart.png")); }

    HostRun Render(const QString& races, const QString& stats)
    {
        return RunHost({"--headless", "--plugins", PluginFolderIn(m_dir.path()), "--games",
                        SampleGamesDir(), "--start-dir", StartDir(), "--game", kGame, "--select",
                        races, "--stats", stats, "--png", Png(), "--size", "640x400"});
    }

    QTemporaryDir m_dir;
    SampleGame m_sample = ReadSampleGame(SampleGamesDir() + "/" + kGame);
};

TEST_F(HeadlessRunTest, ChartImageShowsTheSelectedRacesOnBlack)
{
    const HostRun run =
        Render(QStringLiteral("Velelluans,Елюаны"), QStringLiteral("industry,population"));
    ASSERT_FALSE(run.crashed) << run.err.toStdString();
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(Png())) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(ChartFile())) << run.out.toStdString();

    const QImage image(Png());
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(640, 400));
    EXPECT_GT(CountPixels(image, Qt::black), image.width() * image.height() / 2);
    for (const char* race : {"Velelluans", "Елюаны"})
        EXPECT_GT(CountPixels(image, m_sample.find(race)->color), 40) << race;
    EXPECT_EQ(CountPixels(image, m_sample.find("Dunprekai")->color), 0) << "a race not selected";
}

// The chart lays out its plot once, for the size its window is first shown
// at: the run must make it at the image's size, not resize it afterwards.
TEST_F(HeadlessRunTest, ThePlotFillsTheImageAtEverySize)
{
    for (const QSize size : {QSize(900, 600), QSize(1800, 700)}) {
        const QString name = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        SCOPED_TRACE(name.toStdString());
        const QString png = m_dir.filePath(name + QStringLiteral(".png"));
        const HostRun run =
            RunHost({"--headless", "--plugins", PluginFolderIn(m_dir.path()), "--games",
                     SampleGamesDir(), "--start-dir", StartDir(), "--game", kGame, "--select",
                     "Velelluans", "--png", png, "--size", name});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QImage image(png);
        ASSERT_EQ(image.size(), size);
        // The rightmost and lowest pixels that the grid or a curve painted.
        int right = -1;
        int bottom = -1;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if ((image.pixel(x, y) & 0xffffff) != 0) {
                    right = std::max(right, x);
                    bottom = std::max(bottom, y);
                }
            }
        }
        EXPECT_GE(right, size.width() * 9 / 10);
        EXPECT_GE(bottom, size.height() * 9 / 10);
    }
}

// The SVG is the same paint as the image, with each curve one vector path
// in its race's colour: two races, two statistics, four paths.
TEST_F(HeadlessRunTest, SvgHoldsOnePathPerCurveInItsRacesColour)
{
    const QString svg = m_dir.filePath(QStringLiteral("chart.svg"));
    const HostRun run =
        RunHost({"--headless", "--plugins", PluginFolderIn(m_dir.path()), "--games",
                 SampleGamesDir(), "--start-dir", StartDir(), "--game", kGame, "--select",
                 "Velelluans,Елюаны", "--stats", "industry,population", "--svg", svg});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(svg)) << run.out.toStdString();

    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QMap<QString, int> pathsByStroke;
    QStringList strokes; // of the enclosing groups
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("g"))
            strokes << xml.attributes().value("stroke").toString();
        else if (xml.isEndElement() && xml.name() == QLatin1String("g"))
            strokes.removeLast();
        else if (xml.isStartElement() && xml.name() == QLatin1String("polyline"))
            ++pathsByStroke[strokes.value(strokes.size() - 1)];
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    for (const char* race : {"Velelluans", "Елюаны"})
        EXPECT_EQ(pathsByStroke.value(m_sample.find(race)->color.name()), 2) << race;
    EXPECT_EQ(pathsByStroke.value(m_sample.find("Dunprekai")->color.name()), 0);
}

TEST_F(HeadlessRunTest, ChartFileHoldsTheGameFiguresScaled)
{
    const HostRun run =
        Render(QStringLiteral("Velelluans,Елюаны"), QStringLiteral("industry,weapons"));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    // The chart file's own checker takes it.
    QProcess kvdump;
    kvdump.start(BinDir() + "/kvdump", {ChartFile()});
    ASSERT_TRUE(kvdump.waitForFinished(60000));
    EXPECT_EQ(kvdump.exitCode(), 0) << kvdump.readAllStandardError().toStdString();
    EXPECT_TRUE(QString::fromUtf8(kvdump.readAllStandardOutput()).contains("Елюаны"));

    std::unique_ptr<CKurvoDoc> doc = LoadChartFile(ChartFile());
    ASSERT_TRUE(doc);
    std::vector<std::string> selection = ChartSelection(*doc);
    std::sort(selection.begin(), selection.end());
    EXPECT_EQ(selection, (std::vector<std::string>{"Velelluans", "Елюаны"}));
    EXPECT_EQ(doc->ToggleFlags(0) & g_lStatFlagsAll,
              StatFlagBit(kindIndustry) | StatFlagBit(kindWeapons))
        << "industry and weapons";
    // Every race of every sample game was fetched.
    EXPECT_EQ(doc->GetRaces()->GetCount(), 10 + 8 + 12);

    for (const SampleRace& sample : m_sample.races) {
        SCOPED_TRACE(sample.name);
        CRace* pRace = FindChartRace(*doc, kGame, sample.name);
        ASSERT_NE(pRace, nullptr);
        ASSERT_EQ(pRace->GetTurnCount(), m_sample.turnCount);
        const QColor c = sample.color;
        for (int kind = 1; kind <= 5; ++kind) {
            const LONG* series = pRace->GetSeries(kind);
            // The file keeps the colour in each block's header.
            EXPECT_EQ(series[CRace::posColor], LONG(c.red() | c.green() << 8 | c.blue() << 16));
            for (int turn = 0; turn < m_sample.turnCount; ++turn) {
                const auto row = sample.turns.find(turn);
                const long expected =
                    row == sample.turns.end()
                        ? -1
                        : ScaledFigure(row->second[size_t(kind - 1)], kScale[kind - 1]);
                EXPECT_EQ(series[CRace::posFirstValue + turn], expected)
                    << "kind " << kind << " turn " << turn;
            }
        }
    }
}

// A real server's score log among the games, charted by a user's map: the
// tags named are the statistics, and a player's name is taken as the log
// writes it.
TEST_F(HeadlessRunTest, AGameServersLogIsChartedByTheMapGiven)
{
    const QString games = m_dir.filePath("games");
    QDir().mkpath(games);
    QFile::copy(SourceDir() + "/tests/host/games/fixtures/ai-game.log", games + "/ai-game.log");
    const HostRun run =
        RunHost({"--headless", "--plugins", PluginFolderIn(m_dir.path()), "--games", games,
                 "--start-dir", StartDir(), "--select", "Tadeusz Kościuszko,Pakal", "--map",
                 "industry=score,weapons=none", "--png", Png()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();

    std::unique_ptr<CKurvoDoc> doc = LoadChartFile(ChartFile());
    ASSERT_TRUE(doc);
    std::vector<std::string> selection = ChartSelection(*doc);
    std::sort(selection.begin(), selection.end());
    EXPECT_EQ(selection, (std::vector<std::string>{"Pakal", "Tadeusz Kosciuszko"}));
    CRace* pakal = FindChartRace(*doc, "ai-game", "Pakal");
    ASSERT_NE(pakal, nullptr);
    // "data 20 25 0 6": the score of player 0 in the game's turn 20.
    EXPECT_EQ(pakal->GetSeries(1)[CRace::posFirstValue + 19], 6 * kScale[0]);
    EXPECT_EQ(pakal->GetSeries(3)[CRace::posFirstValue + 19], -1) << "weapons charted as none";

    EXPECT_EQ(RunHost({"--headless", "--games", games, "--select", "Pakal", "--png", Png(), "--map",
                       "speed=mfg"})
                  .exitCode,
              2);
}

TEST_F(HeadlessRunTest, SecondRunReopensTheChartAndSwitchesFromItsStoredStatistics)
{
    ASSERT_EQ(Render(QStringLiteral("Velelluans"), QStringLiteral("industry,population")).exitCode,
              0);
    const HostRun run = Render(QStringLiteral("Quapreyoans"), QStringLiteral("shields"));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    std::unique_ptr<CKurvoDoc> doc = LoadChartFile(ChartFile());
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->ToggleFlags(0) & g_lStatFlagsAll, StatFlagBit(kindShields)) << "shields alone";
    std::vector<std::string> selection = ChartSelection(*doc);
    std::sort(selection.begin(), selection.end());
    EXPECT_EQ(selection, (std::vector<std::string>{"Quapreyoans", "Velelluans"}));
    const QImage image(Png());
    EXPECT_GT(CountPixels(image, m_sample.find("Quapreyoans")->color), 40);
}

TEST_F(HeadlessRunTest, WithoutFoldersItUsesTheBundledGamesAndAPerUserStartFolder)
{
    // The per-user data folder is made when missing.
    const QString dataHome = m_dir.filePath(QStringLiteral("xdg"));
    const HostRun run = RunHost({"--headless", "--plugins", PluginFolderIn(m_dir.path()),
                                 "--select", "Velelluans", "--png", Png()},
                                {"XDG_DATA_HOME=" + dataHome});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString chartFile = dataHome + QStringLiteral("/KURVO7/kurvo-host/save.kv");
    EXPECT_TRUE(QFileInfo(chartFile).isFile());
    EXPECT_TRUE(run.out.contains(chartFile)) << run.out.toStdString();
    std::unique_ptr<CKurvoDoc> doc = LoadChartFile(chartFile);
    ASSERT_TRUE(doc);
    EXPECT_NE(FindChartRace(*doc, "Тихая гавань", "Ашел"), nullptr)
        << "the bundled games were read";
}

} // namespace
