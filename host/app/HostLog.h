// The host's own messages on stderr: each a line that starts with the
// program's name, so that it stands out among what libraries print there.
// Every message of the host to the terminal goes through here.
#pragma once

#include <QCoreApplication>
#include <QString>

class HostLog
{
public:
    // "kurvo-host: text"
    static void error(const QString& text);
    // "kurvo-host: warning: text", for what the run goes on without.
    static void warning(const QString& text);

    Q_DECLARE_TR_FUNCTIONS(HostLog)
};
