#include "HostSession.h"

#include <cstdint>

HostSession::HostSession(HostApp& app) : m_app(app)
{
    m_dataManager.makeCurrent();
}

HostSession::~HostSession()
{
    shutdown();
}

bool HostSession::createMainFrame(const QRect& geometry, QString& error)
{
    auto* pFrame = new CMDIFrameWnd;
    if (!pFrame->CreateEx(0, nullptr, "KURVO7 host", WS_OVERLAPPEDWINDOW, geometry.x(),
                          geometry.y(), geometry.width(), geometry.height(), nullptr, nullptr)) {
        delete pFrame;
        error = QStringLiteral("cannot create the main window");
        return false;
    }
    m_app.m_pMainWnd = pFrame;
    pFrame->ShowWindow(SW_SHOW);
    return true;
}

void HostSession::loadGames(const QString& folder)
{
    m_store.load(folder);
}

void HostSession::loadPlugins(const QString& folder, const QString& startFolder)
{
    PluginHost::StartInfo start;
    start.startFolder = startFolder;
    start.mainFrame.Format("%ju", uintmax_t(reinterpret_cast<uintptr_t>(
                                      mainFrame() ? mainFrame()->GetSafeHwnd() : nullptr)));
    start.dataManager = DataManager::callbackAddressText();
    start.eventMask.Format("%d", ReportLoadedEvent | GamesListModifiedEvent);
    m_plugins.loadFolder(folder, start);
}

void HostSession::shutdown()
{
    if (CMDIFrameWnd* pFrame = mainFrame())
        pFrame->SendMessage(WM_CLOSE);
    m_plugins.closeAll();
}
