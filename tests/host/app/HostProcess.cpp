#include "HostProcess.h"

#include <QThread>

#include <QElapsedTimer>

#include <QCoreApplication>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <cstdlib>

QString BinDir()
{
    const char* dir = std::getenv("KURVO_BIN_DIR");
    return QString::fromLocal8Bit(dir ? dir : ".");
}

QString SourceDir()
{
    const char* dir = std::getenv("KURVO_SOURCE_DIR");
    return QString::fromLocal8Bit(dir ? dir : "..");
}

QString SampleGamesDir()
{
    return SourceDir() + QStringLiteral("/data");
}

HostRun RunHost(const QStringList& arguments, const QStringList& extraEnvironment)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The run must choose the offscreen platform by itself.
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    // Each run with settings of its own, unless the caller gives a place,
    // and with the English texts the tests read, whatever the user speaks.
    QTemporaryDir config;
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    environment.insert(QStringLiteral("LANGUAGE"), QStringLiteral("en"));
    for (const QString& entry : extraEnvironment)
        environment.insert(entry.section(QLatin1Char('='), 0, 0),
                           entry.section(QLatin1Char('='), 1));
    process.setProcessEnvironment(environment);
    process.start(BinDir() + QStringLiteral("/kurvo-host"), arguments);
    HostRun run;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        run.crashed = true;
    }
    run.crashed = run.crashed || process.exitStatus() != QProcess::NormalExit;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString PluginFolderIn(const QString& parent)
{
    const QString folder = parent + QStringLiteral("/plugins");
    QDir().mkpath(folder);
    QFile::link(BinDir() + QStringLiteral("/KURVO7.so"), folder + QStringLiteral("/KURVO7.so"));
    return folder;
}

bool WaitFor(const std::function<bool()>& done, int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return done();
}
