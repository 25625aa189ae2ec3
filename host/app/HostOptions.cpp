#include "HostOptions.h"

#include "ScoreLogReader.h"
#include "StatisticFlags.h"

#include <KurvoBuildVersion.h>

#include <QCommandLineParser>
#include <QRegularExpression>

namespace
{
const QString kHeadless = QStringLiteral("headless");
const QString kPlugins = QStringLiteral("plugins");
const QString kStartDir = QStringLiteral("start-dir");
const QString kGames = QStringLiteral("games");
const QString kSelect = QStringLiteral("select");
const QString kGame = QStringLiteral("game");
const QString kStats = QStringLiteral("stats");
const QString kPng = QStringLiteral("png");
const QString kSvg = QStringLiteral("svg");
const QString kSize = QStringLiteral("size");
const QString kMap = QStringLiteral("map");

void addOptions(QCommandLineParser& parser)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption({kHeadless, QStringLiteral("run without windows and write the chart as PNG")});
    parser.addOption({kPlugins, QStringLiteral("plug-in folder"), QStringLiteral("DIR")});
    parser.addOption(
        {kStartDir, QStringLiteral("the plug-ins' start folder"), QStringLiteral("DIR")});
    parser.addOption({kGames, QStringLiteral("games folder"), QStringLiteral("DIR")});
    parser.addOption({kMap, QStringLiteral("score log tags charted as the statistics"),
                      QStringLiteral("STAT=TAG[,STAT=TAG...]")});
    parser.addOption({kSelect, QStringLiteral("races to chart"), QStringLiteral("RACE[,RACE...]")});
    parser.addOption({kGame, QStringLiteral("the game of the races"), QStringLiteral("G")});
    parser.addOption({kStats, QStringLiteral("statistics to show"), QStringLiteral("LIST")});
    parser.addOption({kPng, QStringLiteral("where to write the chart"), QStringLiteral("FILE")});
    parser.addOption(
        {kSvg, QStringLiteral("where to write the chart as SVG"), QStringLiteral("FILE")});
    parser.addOption({kSize, QStringLiteral("chart size"), QStringLiteral("WxH")});
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("this text")});
    parser.addOption({QStringLiteral("version"), QStringLiteral("the program's version")});
}

std::optional<QSize> parseSize(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const QSize size(match.captured(1).toInt(), match.captured(2).toInt());
    // Large enough to hold a chart, small enough to stay a sane image.
    if (size.width() < 16 || size.height() < 16 || size.width() > 8192 || size.height() > 8192)
        return std::nullopt;
    return size;
}

bool readHeadless(const QCommandLineParser& parser, HostOptions& options, QString& error)
{
    for (const QString& name : parser.value(kSelect).split(QLatin1Char(','), Qt::SkipEmptyParts))
        options.selectRaces << name.trimmed();
    options.game = parser.value(kGame);
    options.pngPath = parser.value(kPng);
    options.svgPath = parser.value(kSvg);
    if (options.selectRaces.isEmpty()) {
        error = HostOptions::tr("--headless needs --select RACE[,RACE...]");
        return false;
    }
    if (options.pngPath.isEmpty() && options.svgPath.isEmpty()) {
        error = HostOptions::tr("--headless needs --png FILE or --svg FILE");
        return false;
    }
    if (parser.isSet(kStats)) {
        options.stats = StatisticFlags::parseList(parser.value(kStats), error);
        if (!options.stats)
            return false;
    }
    if (parser.isSet(kSize)) {
        const std::optional<QSize> size = parseSize(parser.value(kSize));
        if (!size) {
            error = HostOptions::tr("--size must be WxH, each from 16 to 8192, not \"%1\"")
                        .arg(parser.value(kSize));
            return false;
        }
        options.size = *size;
    }
    return true;
}
} // namespace

std::optional<HostOptions> HostOptions::parse(const QStringList& arguments, QString& error)
{
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return std::nullopt;
    }
    HostOptions options;
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("version"))) {
        options.answer = parser.isSet(QStringLiteral("help")) ? Answer::help : Answer::version;
        return options;
    }
    if (!parser.positionalArguments().isEmpty()) {
        error = tr("unexpected argument \"%1\"").arg(parser.positionalArguments().first());
        return std::nullopt;
    }
    options.headless = parser.isSet(kHeadless);
    options.pluginFolder = parser.value(kPlugins);
    options.startFolder = parser.value(kStartDir);
    options.gamesFolder = parser.value(kGames);
    if (parser.isSet(kMap)) {
        StatisticMap map = StatisticMap::defaults();
        if (!map.apply(parser.value(kMap), error)) {
            error = tr("--map: %1").arg(error);
            return std::nullopt;
        }
        options.logMap = map;
    }
    if (options.headless && !readHeadless(parser, options, error))
        return std::nullopt;
    if (!options.headless) {
        for (const QString& name : {kSelect, kGame, kStats, kPng, kSvg, kSize}) {
            if (parser.isSet(name)) {
                error = tr("--%1 is for --headless runs").arg(name);
                return std::nullopt;
            }
        }
    }
    return options;
}

QString HostOptions::version()
{
    return QStringLiteral("kurvo-host " KURVO_VERSION_TEXT "\n");
}

QString HostOptions::usage()
{
    // The synopsis is the same in every language; the text below it is
    // translated, each line within 80 columns.
    const QString synopsis =
        QStringLiteral(
            "usage: kurvo-host [--plugins DIR] [--start-dir DIR] [--games DIR] [--map MAP]\n"
            "       kurvo-host --help | --version\n"
            "       kurvo-host --headless [--plugins DIR] [--start-dir DIR] [--games DIR]\n"
            "                  [--map MAP]\n"
            "                  --select RACE[,RACE...] [--game G]\n"
            "                  [--stats %1]\n"
            "                  --png FILE | --svg FILE (or both) [--size WxH]\n")
            .arg(StatisticFlags::names(kChartStatisticFlags));
    const QString text =
        tr("Loads the chart plug-ins of DIR (default: the folder of this program), answers\n"
           "their requests from the games of --games (default: the bundled sample games)\n"
           "and starts them in --start-dir (default: a per-user data folder).\n"
           "--headless opens the chart, adds the named races of game G (default: the\n"
           "first game), shows the named statistics (default: those the chart has),\n"
           "writes the chart as PNG and/or SVG (default size 900x600; in SVG the curves\n"
           "are vector paths) and closes it, which writes the chart file save.kv in the\n"
           "start folder.\n"
           "\n"
           "A game is a folder with races.csv and turns.csv, or a game server's score log\n"
           "(a file starting \"%1\"), which the window follows while the\n"
           "server writes it. MAP says which of the log's tags are charted as which\n"
           "statistic: STAT=TAG[,STAT=TAG...], with STAT one of\n"
           "  %2\n"
           "and TAG a tag of the log, or none. Default:\n"
           "  %3\n")
            .arg(QLatin1String(ScoreLogReader::kMagic.data(),
                               qsizetype(ScoreLogReader::kMagic.size())),
                 QString::fromStdString(statisticNameList()), StatisticMap::defaults().toString());
    return synopsis + QLatin1Char('\n') + text;
}
