// kurvo-host: the game client's side that the chart plug-ins need. See
// HostOptions::usage() for the command line.
#include "HeadlessRun.h"
#include "HostApp.h"
#include "HostLanguage.h"
#include "HostLog.h"
#include "HostOptions.h"
#include "HostPaths.h"
#include "HostSession.h"
#include "HostWindow.h"
#include "WindowMemory.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

namespace
{
// The command line is read before Qt starts, so that --help, --version and
// usage errors need no display.
QStringList argumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Qt's offscreen platform warns of things a headless run does not need; the
// user should see only what concerns the chart.
void quietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtWarningMsg && (text.contains(QLatin1String("propagateSizeHints")) ||
                                 text.contains(QLatin1String("XDG_RUNTIME_DIR"))))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

// What Qt said while looking for a display; shown only if one was found,
// since otherwise the one line of the host's own says it all.
QStringList g_startupNotes;
void holdStartupNotes(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    g_startupNotes << qFormatLogMessage(type, context, text);
}

// Unless the user chose a platform, offers Qt the displays the environment
// names and the offscreen platform last: Qt would otherwise abort with
// several lines when none can be reached. True when the fallback was offered.
bool offerDisplays()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return false;
    QByteArray platforms;
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        platforms += "wayland;";
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        platforms += "xcb;";
    qputenv("QT_QPA_PLATFORM", platforms + "offscreen");
    qInstallMessageHandler(holdStartupNotes);
    return true;
}

QString displayNames()
{
    const QString x11 = qEnvironmentVariable("DISPLAY");
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (x11.isEmpty() && wayland.isEmpty())
        return QCoreApplication::translate("kurvo-host",
                                           "neither DISPLAY nor WAYLAND_DISPLAY is set");
    QStringList names;
    if (!wayland.isEmpty())
        names << QStringLiteral("WAYLAND_DISPLAY=") + wayland;
    if (!x11.isEmpty())
        names << QStringLiteral("DISPLAY=") + x11;
    return QCoreApplication::translate("kurvo-host", "%1 could not be reached")
        .arg(names.join(QStringLiteral(", ")));
}

// Help, the version and a command line that cannot run are answered before
// any display is looked for, in the user's language. The translations need
// an application to be installed on, and the options are read again under
// it, so that their errors come translated too.
int answerAtOnce(int argc, char** argv)
{
    const QCoreApplication application(argc, argv);
    HostLanguage::install(HostLanguage::wanted(QProcessEnvironment::systemEnvironment()));
    QString error;
    const std::optional<HostOptions> options = HostOptions::parse(argumentsOf(argc, argv), error);
    if (!options) {
        HostLog::error(error);
        QTextStream(stderr) << HostOptions::usage();
        return 2;
    }
    QTextStream(stdout) << (options->answer == HostOptions::Answer::help ? HostOptions::usage()
                                                                         : HostOptions::version());
    return 0;
}

// Fills in the folders the command line left open; false with a message
// when one cannot be had.
bool completeFolders(HostOptions& options, QString& error)
{
    if (options.pluginFolder.isEmpty())
        options.pluginFolder = HostPaths::defaultPluginFolder();
    if (options.gamesFolder.isEmpty()) {
        options.gamesFolder = HostPaths::defaultGamesFolder();
        if (options.gamesFolder.isEmpty()) {
            error = QStringLiteral(
                "the sample games were not found beside the program; give --games DIR");
            return false;
        }
    }
    if (options.startFolder.isEmpty()) {
        options.startFolder = HostPaths::defaultStartFolder(error);
        return !options.startFolder.isEmpty();
    }
    return HostPaths::ensureFolder(options.startFolder, error);
}
} // namespace

int main(int argc, char** argv)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    QString error;
    std::optional<HostOptions> options = HostOptions::parse(argumentsOf(argc, argv), error);
    if (!options || options->answer != HostOptions::Answer::none)
        return answerAtOnce(argc, argv);

    // Without a screen the run must not look for one.
    bool bFallbackOffered = false;
    if (options->headless) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quietOffscreenNotes);
    } else {
        bFallbackOffered = offerDisplays();
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kurvo-host"));
    QApplication::setOrganizationName(QStringLiteral("KURVO7"));
    // Wayland compositors match the window to its menu entry and icon by it.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kurvo7.kurvohost"));
    HostLanguage::install(HostLanguage::wanted(QProcessEnvironment::systemEnvironment()));
    if (bFallbackOffered) {
        qInstallMessageHandler(nullptr);
        if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
            HostLog::error(
                QCoreApplication::translate(
                    "kurvo-host",
                    "no display to show the window on (%1); use --headless to chart without one")
                    .arg(displayNames()));
            return 1;
        }
        for (const QString& note : std::as_const(g_startupNotes))
            err << note << "\n";
        err.flush();
    }

    if (!completeFolders(*options, error)) {
        HostLog::error(error);
        return 1;
    }

    HostApp app;
    HostSession session(app);
    if (options->headless)
        return HeadlessRun(session, *options, out).run();
    options->windowSettings = WindowMemory::standardFileName();
    return HostWindow::runInteractive(session, *options);
}
