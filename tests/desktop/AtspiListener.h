// A screen reader's ear on the accessibility bus: the atspi-listen client,
// a process of its own, listening to one application and reading its tree
// when asked. While a test waits on it, this process's event loop runs, so
// that the application (this test program too) can answer the client.
#pragma once

#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QString>

class AtspiListener
{
public:
    explicit AtspiListener(qint64 pid);
    ~AtspiListener();
    AtspiListener(const AtspiListener&) = delete;
    AtspiListener& operator=(const AtspiListener&) = delete;

    // Starts the client and waits until it listens; false, with what it
    // said in dump(), where it does not.
    bool start();
    // Waits until an event of an object of role was heard, whose name is
    // name; true at once where one was heard since the last clear().
    bool waitUntilHeard(const QString& role, const QString& name, int milliseconds);
    // The names of the events heard of objects of role, in order.
    QStringList namesHeard(const QString& role) const;
    void clear() { m_events.clear(); }
    // The objects of role in the application's tree now.
    QList<QJsonObject> find(const QString& role, int milliseconds = 10000);
    // All the client said, for a failure's message.
    QString dump() const;

private:
    void take();
    bool ask(const QString& command, int milliseconds);

    QProcess m_process;
    const qint64 m_nPid;
    QByteArray m_pending;
    QByteArray m_errors;
    QStringList m_said;
    QList<QJsonObject> m_events;
    QList<QJsonObject> m_found;
    bool m_bReady = false;
    int m_nDone = 0;
};
