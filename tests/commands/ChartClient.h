// The host as the plug-in meets it: an MDI main frame owned by the host's
// application, the built KURVO7.so loaded once with its start directory in a
// temporary folder, and the command and event calls a client makes.
#pragma once

#include <afxwin.h>

#include "PluginModule.h"
#include "tests/support/TempDir.h"

#include <QMdiSubWindow>

#include <memory>
#include <string>
#include <vector>

class ChartClient
{
public:
    // Loads the plug-in and makes the main frame on first use.
    static ChartClient& Instance();

    // A null caption sends a map without "Command".
    void Command(const char* pszCaption, const char* pszGame = nullptr);
    void ReportLoaded();
    void GamesListModified();

    // The MDI children of the main frame, in creation order.
    std::vector<QMdiSubWindow*> ChildFrames() const;
    QMdiSubWindow* ActiveChildFrame() const;
    // Closes every child frame as a user would (the chart saves on close).
    void CloseAllFrames();
    // Closes the charts and destroys the main frame; the end of the host.
    void Shutdown();

    const std::string& StartDir() const { return m_strStartDir; }
    std::string DefaultChartPath() const { return m_strStartDir + "/save.kv"; }
    CMDIFrameWnd* MainFrame() const { return m_pMainFrame; }
    bool Loaded() const { return m_pModule != nullptr; }
    std::string LoadError() const { return m_strError; }

private:
    ChartClient();

    CMDIFrameWnd* m_pMainFrame = nullptr;
    TempDir m_startDir;
    std::string m_strStartDir;
    std::string m_strError;
    std::unique_ptr<PluginModule> m_pModule;
};
