#include "HostLog.h"

#include <cstdio>

namespace
{
void writeLine(const QString& line)
{
    // stderr is unbuffered: each line is out before the next step can fail.
    std::fputs(QStringLiteral("kurvo-host: %1\n").arg(line).toLocal8Bit().constData(), stderr);
}
} // namespace

void HostLog::error(const QString& text)
{
    writeLine(text);
}

void HostLog::warning(const QString& text)
{
    writeLine(tr("warning: %1").arg(text));
}
