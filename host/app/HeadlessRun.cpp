#include "HeadlessRun.h"

#include "AnsiText.h"
#include "ChartWindow.h"
#include "HostSession.h"
#include "StatisticFlags.h"

#include "HostLog.h"
#include <QCoreApplication>
#include <QDir>

#include <QFileInfo>
#include <QImageWriter>

HeadlessRun::HeadlessRun(HostSession& session, const HostOptions& options, QTextStream& out)
    : m_session(session), m_options(options), m_out(out)
{
}

bool HeadlessRun::fail(const QString& message)
{
    HostLog::error(message);
    return false;
}

int HeadlessRun::run()
{
    const bool ok = prepare() && loadPlugins() && openChart() && addRaces();
    if (!ok) {
        m_session.shutdown();
        return 1;
    }
    switchStatistics();
    const bool written = writeImage();
    const bool closed = closeChart();
    m_session.shutdown();
    if (!written || !closed || !checkStatistics())
        return 1;
    for (const QString& path : {m_options.pngPath, m_options.svgPath}) {
        if (!path.isEmpty())
            m_out << "chart image: " << QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())
                  << "\n";
    }
    m_out << "chart file: " << QDir::toNativeSeparators(chartFilePath()) << "\n";
    m_out.flush();
    return 0;
}

bool HeadlessRun::prepare()
{
    if (!loadGames() || !findGameAndRaces())
        return false;
    QString error;
    if (!m_session.createMainFrame(QRect(QPoint(0, 0), m_options.size + QSize(200, 200)), error))
        return fail(error);
    ChartWindow::sizeNewViews(*m_session.mainFrame(), m_options.size);
    return true;
}

bool HeadlessRun::loadGames()
{
    if (m_options.logMap)
        m_session.store().setDefaultMap(*m_options.logMap);
    m_session.loadGames(m_options.gamesFolder);
    // Problems with some files leave the rest usable; they are told, and
    // the run goes on with what loaded.
    for (const GameLoadError& problem : m_session.store().errors())
        HostLog::warning(problem.toString());
    if (m_session.store().games().empty())
        return fail(tr("no games in %1").arg(m_options.gamesFolder));
    return true;
}

bool HeadlessRun::findGameAndRaces()
{
    GameStore& store = m_session.store();
    if (m_options.game.isEmpty()) {
        m_game = store.findGame(store.games().front().name());
    } else {
        const Game* game = store.findGameByAnyName(m_options.game);
        m_game = game != nullptr ? store.findGame(game->name()) : nullptr;
    }
    if (m_game == nullptr) {
        QStringList known;
        for (const Game& game : store.games())
            known << game.displayName();
        return fail(
            tr("no game \"%1\" in %2 (games: %3)")
                .arg(m_options.game, m_options.gamesFolder, known.join(QStringLiteral(", "))));
    }
    for (const QString& race : m_options.selectRaces) {
        const Race* found = findRace(race);
        if (found == nullptr) {
            QStringList known;
            for (const Race& r : m_game->races())
                known << r.displayName;
            return fail(tr("no race \"%1\" in the game \"%2\" (races: %3)")
                            .arg(race, m_game->displayName(), known.join(QStringLiteral(", "))));
        }
        m_races.push_back(found->name);
    }
    return true;
}

const Race* HeadlessRun::findRace(const QString& name) const
{
    // As the user sees it (a folded name is shown as the game's files have
    // it) or as the plug-in does.
    const std::optional<std::string> ansi = AnsiText::fromUtf8(name.toStdString());
    for (const Race& race : m_game->races()) {
        if (race.displayName == name || (ansi && race.name == *ansi))
            return &race;
    }
    return nullptr;
}

bool HeadlessRun::loadPlugins()
{
    m_session.loadPlugins(m_options.pluginFolder, m_options.startFolder);
    for (const QString& problem : m_session.plugins().problems())
        HostLog::warning(problem);
    if (m_session.plugins().plugins().empty())
        return fail(tr("no plug-in could be loaded from %1").arg(m_options.pluginFolder));
    return true;
}

bool HeadlessRun::runCommand(const char* caption)
{
    const std::optional<PluginHost::Command> command = m_session.plugins().findCommand(caption);
    if (!command)
        return fail(tr("no plug-in offers the menu item \"%1\"").arg(QLatin1String(caption)));
    m_session.plugins().runCommand(*command, m_game->name());
    QCoreApplication::processEvents();
    return true;
}

QString HeadlessRun::chartFilePath() const
{
    return QDir(m_options.startFolder).filePath(QStringLiteral("save.kv"));
}

bool HeadlessRun::openChart()
{
    if (!runCommand("Kurvo"))
        return false;
    CMDIFrameWnd* pFrame = m_session.mainFrame();
    m_view = pFrame != nullptr ? ChartWindow::findView(*pFrame) : nullptr;
    if (m_view == nullptr)
        return fail(tr("the plug-in opened no chart (is %1 a chart file it can read?)")
                        .arg(chartFilePath()));
    // The chart was either created (showing Industry) and written at once,
    // or opened from this file; either way the file now holds its flags.
    m_chartFlagsAtOpen =
        StatisticFlags::readFromChartFile(chartFilePath()).value_or(chartFlag(Statistic::Industry));
    return true;
}

bool HeadlessRun::addRaces()
{
    m_game->clearSelection();
    for (const std::string& race : m_races)
        m_game->setSelected(race, true);
    return runCommand("Add Race(s) to Kurvo");
}

void HeadlessRun::switchStatistics()
{
    if (!m_options.stats)
        return;
    ChartWindow chart(*m_view);
    const int differ = (m_chartFlagsAtOpen ^ *m_options.stats) & kChartStatisticFlags;
    for (int i = 0; i < kStatisticCount; ++i) {
        if (differ & chartFlag(Statistic(i)))
            chart.toggleStatistic(Statistic(i));
    }
}

bool HeadlessRun::writeImage()
{
    ChartWindow chart(*m_view);
    if (chart.viewSize() != m_options.size)
        chart.resizeView(m_options.size);
    if (!m_options.pngPath.isEmpty()) {
        QImageWriter writer(m_options.pngPath, "png");
        if (!writer.write(chart.grab()))
            return fail(tr("cannot write the chart image %1: %2")
                            .arg(m_options.pngPath, writer.errorString()));
    }
    QString error;
    if (!m_options.svgPath.isEmpty() && !chart.writeSvg(m_options.svgPath, error))
        return fail(tr("cannot write the chart image %1: %2").arg(m_options.svgPath, error));
    return true;
}

bool HeadlessRun::closeChart()
{
    ChartWindow(*m_view).close();
    m_view = nullptr;
    QCoreApplication::processEvents();
    if (!QFileInfo(chartFilePath()).isFile())
        return fail(tr("the chart file %1 was not written").arg(chartFilePath()));
    return true;
}

bool HeadlessRun::checkStatistics()
{
    if (!m_options.stats)
        return true;
    const std::optional<int> stored = StatisticFlags::readFromChartFile(chartFilePath());
    if (stored && (*stored & kChartStatisticFlags) == *m_options.stats)
        return true;
    return fail(tr("the chart did not take the statistics %1 (it shows %2)")
                    .arg(StatisticFlags::names(*m_options.stats),
                         stored ? StatisticFlags::names(*stored) : tr("nothing readable")));
}
