// The host's plug-ins: every module of a plug-in folder, started as the
// plug-ins expect, and the one door through which the host calls them.
//
// A plug-in call may run for long (a chart fetching a big game request by
// request) and the host keeps its window alive meanwhile, so a second call
// could be attempted while one runs. Plug-ins are written for one call at a
// time: such a call is refused, and the caller decides whether to retry it
// later.
#pragma once

#include "PluginModule.h"

#include <QCoreApplication>
#include <afx.h>

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class PluginHost
{
public:
    struct StartInfo {
        QString startFolder; // current directory during OnLoad
        CString mainFrame;   // "MainFrame"
        CString dataManager; // "DataManager"
        CString eventMask;   // "EventMask"
    };

    // A menu item with the plug-in that offered it.
    struct Command {
        PluginModule* plugin = nullptr;
        PluginModule::MenuItem item;
    };

    // Called with true before and false after every plug-in call.
    using CallObserver = std::function<void(bool entering)>;

    PluginHost() = default;
    ~PluginHost();
    PluginHost(const PluginHost&) = delete;
    PluginHost& operator=(const PluginHost&) = delete;

    // Loads every *.so of folder in name order, then gives each plug-in its
    // OnLoad and OnInitialize. Modules that fail are recorded in disabled()
    // and skipped. False when the folder cannot be read.
    bool loadFolder(const QString& folder, const StartInfo& start);
    // The same for one module file.
    bool loadModule(const QString& path, const StartInfo& start);

    const std::vector<std::unique_ptr<PluginModule>>& plugins() const { return m_plugins; }
    // For the log: a line for each module left out, then "file: what went
    // wrong" for each problem of a plug-in in use (an odd menu reply, a
    // call that failed).
    QStringList problems() const;
    // The modules left out so far, in the order they were met.
    const std::vector<PluginFailure>& disabled() const { return m_disabled; }

    std::vector<Command> commands() const;
    // The first command with that caption (ANSI), or nothing.
    std::optional<Command> findCommand(const CString& caption) const;

    // False when another plug-in call is running (nothing is called then).
    bool runCommand(const Command& command, const std::string& gameName);
    bool reportLoaded();
    bool gamesListModified();
    // OnAbout of one plug-in; its reply, or nothing while busy.
    std::optional<std::vector<std::pair<CString, CString>>> about(PluginModule& plugin);
    // OnClose of every plug-in, once.
    void closeAll();

    bool busy() const { return m_depth > 0; }
    void setCallObserver(CallObserver observer) { m_observer = std::move(observer); }

private:
    // False with the cause in error.
    bool startModule(PluginModule& plugin, const StartInfo& start, QString& error);
    bool callOnLoad(PluginModule& plugin, const QString& startFolder, QString& error);
    bool guarded(const char* what, const std::function<void()>& call, QString& error);
    // As guarded, with a failure noted among the problems.
    bool noted(PluginModule& plugin, const char* what, const std::function<void()>& call);
    bool broadcast(PluginModule::Entry entry);

    std::vector<std::unique_ptr<PluginModule>> m_plugins;
    QStringList m_notes;
    std::vector<PluginFailure> m_disabled;
    CallObserver m_observer;
    int m_depth = 0;
    bool m_closed = false;

    Q_DECLARE_TR_FUNCTIONS(PluginHost)
};
