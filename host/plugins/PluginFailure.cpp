#include "PluginFailure.h"

QString PluginFailure::kindName() const
{
    switch (kind) {
    case Kind::NotFound:
        return PluginFailure::tr("not found");
    case Kind::NotLoadable:
        return PluginFailure::tr("not loadable");
    case Kind::MissingEntryPoints:
        return PluginFailure::tr("missing entry points");
    case Kind::FailedStart:
        return PluginFailure::tr("failed to start");
    }
    return QString();
}

QString PluginFailure::cause() const
{
    switch (kind) {
    case Kind::NotLoadable:
        return PluginFailure::tr("cannot load: %1").arg(detail);
    case Kind::MissingEntryPoints:
        return PluginFailure::tr("not a plug-in: no entry point %1").arg(detail);
    case Kind::NotFound:
    case Kind::FailedStart:
        break;
    }
    return detail;
}

QString PluginFailure::logLine() const
{
    return PluginFailure::tr("%1: %2; skipped").arg(path, cause());
}

QString PluginFailure::helpLine() const
{
    return QStringLiteral("%1: %2 (%3)").arg(path, kindName(), cause());
}
