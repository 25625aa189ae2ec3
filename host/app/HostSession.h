// What the GUI and the headless run share: the host's application object
// with its MDI main frame, the games, the data manager answering the
// plug-ins from them, and the plug-ins.
#pragma once

#include "DataManager.h"
#include "GameStore.h"
#include "HostApp.h"
#include "PluginHost.h"

#include <QRect>
#include <QString>

class HostSession
{
public:
    // The events the host sends its plug-ins, as told in "EventMask".
    enum Event { ReportLoadedEvent = 1, GamesListModifiedEvent = 2 };

    explicit HostSession(HostApp& app);
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // The MDI main frame, which becomes the application's main window, shown
    // at geometry.
    bool createMainFrame(const QRect& geometry, QString& error);
    CMDIFrameWnd* mainFrame() const { return m_app.mainFrame(); }

    void loadGames(const QString& folder);
    // Loads and starts the plug-ins of folder, with startFolder current
    // during their OnLoad. Needs the main frame.
    void loadPlugins(const QString& folder, const QString& startFolder);

    // Closes the main frame (every chart frame first, which writes its
    // file), then gives the plug-ins their OnClose.
    void shutdown();

    HostApp& app() { return m_app; }
    GameStore& store() { return m_store; }
    DataManager& dataManager() { return m_dataManager; }
    PluginHost& plugins() { return m_plugins; }

private:
    HostApp& m_app;
    GameStore m_store;
    DataManager m_dataManager{m_store};
    PluginHost m_plugins;
};
