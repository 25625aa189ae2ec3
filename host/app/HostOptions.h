// What kurvo-host was asked to do, read from its command line.
//
// Folders left unset on the command line stay empty here; HostPaths fills
// in the defaults, so that parsing does not touch the file system.
#pragma once

#include "StatisticMap.h"

#include <QCoreApplication>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

struct HostOptions {
    // --help or --version: print and exit, nothing else is read.
    enum class Answer { none, help, version };
    Answer answer = Answer::none;
    bool headless = false;
    QString pluginFolder;
    QString startFolder;
    QString gamesFolder;
    // Where the window remembers its place, docks and game from one run to
    // the next; empty: it starts with its defaults and keeps nothing (as
    // headless runs and tests do).
    QString windowSettings;
    // --map: which tags of a score log are charted as which statistic, for
    // every log (over the defaults); in the window, a log's own map from
    // its dialog comes first.
    std::optional<StatisticMap> logMap;
    // Headless only.
    QStringList selectRaces;
    QString game;             // empty: the first game
    std::optional<int> stats; // the chart-flag bits of the named statistics; none: keep the chart's
    QString pngPath;          // at least one of the two
    QString svgPath;
    QSize size{900, 600};

    // Nothing, with a message in error, for a command line that cannot run.
    static std::optional<HostOptions> parse(const QStringList& arguments, QString& error);
    static QString usage();
    static QString version();

    Q_DECLARE_TR_FUNCTIONS(HostOptions)
};
