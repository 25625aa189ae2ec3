// kurvo-host: the game client's side that the chart plug-ins need. See
// HostOptions::usage() for the command line.
#include "HeadlessRun.h"
#include "HostApp.h"
#include "HostOptions.h"
#include "HostPaths.h"
#include "HostSession.h"
#include "HostWindow.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{
bool askedForHeadless(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--headless") == 0 || std::strcmp(argv[i], "-headless") == 0)
            return true;
    }
    return false;
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
    // Without a screen the run must not look for one.
    if (askedForHeadless(argc, argv)) {
        if (std::getenv("QT_QPA_PLATFORM") == nullptr)
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        qInstallMessageHandler(quietOffscreenNotes);
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kurvo-host"));
    QApplication::setOrganizationName(QStringLiteral("KURVO7"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    QString error;
    std::optional<HostOptions> options = HostOptions::parse(QApplication::arguments(), error);
    if (!options) {
        err << (error.startsWith(QStringLiteral("usage:"))
                    ? error
                    : QStringLiteral("kurvo-host: ") + error + QStringLiteral("\n") +
                          HostOptions::usage());
        return error.startsWith(QStringLiteral("usage:")) ? 0 : 2;
    }
    if (!completeFolders(*options, error)) {
        err << "kurvo-host: " << error << "\n";
        return 1;
    }

    HostApp app;
    HostSession session(app);
    if (options->headless)
        return HeadlessRun(session, *options, out, err).run();
    return HostWindow::runInteractive(session, *options, err);
}
