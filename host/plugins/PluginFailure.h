// Why a module of a plug-in folder is not in use: recorded once, where the
// load or the start failed, and told from here alone, in the log and in the
// Help window alike.
#pragma once

#include <QCoreApplication>
#include <QString>

struct PluginFailure {
    enum class Kind {
        NotFound,           // detail: what was looked for and is not there
        NotLoadable,        // detail: the dynamic loader's message
        MissingEntryPoints, // detail: the missing entry points' names
        FailedStart,        // detail: what went wrong in OnLoad or OnInitialize
    };

    QString path;
    Kind kind = Kind::NotFound;
    QString detail;

    // "not loadable", "missing entry points", ...
    QString kindName() const;
    // The cause in a sentence: "cannot load: ...", "not a plug-in: ...".
    QString cause() const;
    // "path: cause; skipped", for the log.
    QString logLine() const;
    // "path: kind (cause)", for the Help window.
    QString helpLine() const;

    Q_DECLARE_TR_FUNCTIONS(PluginFailure)
};
