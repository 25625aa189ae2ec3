// The interactive host: the MDI main window with its menus, the races
// window, the status bar and the watch on the games folder.
#pragma once

#include "HostOptions.h"

#include <QObject>
#include <QTextStream>

class HostSession;

class HostWindow : public QObject
{
    Q_OBJECT
public:
    HostWindow(HostSession& session, const HostOptions& options, QObject* parent = nullptr);
    ~HostWindow() override;

    // Builds the window, loads games and plug-ins and runs until the main
    // window closes; the exit code.
    static int runInteractive(HostSession& session, const HostOptions& options, QTextStream& err);

    bool start(QString& error);

private:
    HostSession& m_session;
    HostOptions m_options;
};
