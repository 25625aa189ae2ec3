#include "AtspiListener.h"

#include "HostProcess.h"

#include <QJsonDocument>

AtspiListener::AtspiListener(qint64 pid) : m_nPid(pid)
{
    QObject::connect(&m_process, &QProcess::readyReadStandardOutput, [this] { take(); });
    QObject::connect(&m_process, &QProcess::readyReadStandardError,
                     [this] { m_errors += m_process.readAllStandardError(); });
}

AtspiListener::~AtspiListener()
{
    // The client ends with its input; a stuck one is not waited for long.
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

bool AtspiListener::start()
{
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.start(SourceDir() + QStringLiteral("/tests/desktop/atspi-listen"),
                    {QString::number(m_nPid)});
    if (!m_process.waitForStarted(10000))
        return false;
    // Qt's bridge tells only events that someone listens for, and learns of
    // a new listener from the bus a moment after the client registered.
    const bool bReady =
        WaitFor([this] { return m_bReady || m_process.state() == QProcess::NotRunning; }, 20000);
    WaitFor([] { return false; }, 300);
    return bReady && m_bReady;
}

void AtspiListener::take()
{
    m_pending += m_process.readAllStandardOutput();
    qsizetype nEnd = 0;
    while ((nEnd = m_pending.indexOf('\n')) >= 0) {
        const QByteArray line = m_pending.left(nEnd);
        m_pending.remove(0, nEnd + 1);
        m_said << QString::fromUtf8(line);
        const QJsonObject said = QJsonDocument::fromJson(line).object();
        const QString kind = said.value(QStringLiteral("kind")).toString();
        if (kind == QLatin1String("ready"))
            m_bReady = true;
        else if (kind == QLatin1String("event"))
            m_events << said;
        else if (kind == QLatin1String("found"))
            m_found << said;
        else if (kind == QLatin1String("done"))
            ++m_nDone;
    }
}

bool AtspiListener::waitUntilHeard(const QString& role, const QString& name, int milliseconds)
{
    return WaitFor([&] { return namesHeard(role).contains(name); }, milliseconds);
}

QStringList AtspiListener::namesHeard(const QString& role) const
{
    QStringList names;
    for (const QJsonObject& event : m_events) {
        if (event.value(QStringLiteral("role")).toString() == role)
            names << event.value(QStringLiteral("name")).toString();
    }
    return names;
}

QList<QJsonObject> AtspiListener::find(const QString& role, int milliseconds)
{
    m_found.clear();
    if (!ask(QStringLiteral("find ") + role, milliseconds))
        return {};
    return m_found;
}

bool AtspiListener::ask(const QString& command, int milliseconds)
{
    const int nDone = m_nDone;
    m_process.write((command + QLatin1Char('\n')).toUtf8());
    return WaitFor([&] { return m_nDone > nDone; }, milliseconds);
}

QString AtspiListener::dump() const
{
    QString text = m_said.join(QLatin1Char('\n'));
    if (!m_errors.isEmpty())
        text += QStringLiteral("\n(stderr) ") + QString::fromUtf8(m_errors);
    return text;
}
