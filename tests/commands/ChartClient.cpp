#include "ChartClient.h"
#include <afxqt.h>

#include "tests/support/RecordingHost.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace
{

std::string PluginPath()
{
    const char* pszDir = getenv("KURVO_BIN_DIR");
    return std::string(pszDir ? pszDir : ".") + "/KURVO7.so";
}

} // namespace

ChartClient& ChartClient::Instance()
{
    static ChartClient host;
    return host;
}

ChartClient::ChartClient()
{
    m_pMainFrame = new CMDIFrameWnd;
    m_pMainFrame->CreateEx(0, nullptr, "Host", WS_OVERLAPPEDWINDOW, 0, 0, 1000, 700, nullptr,
                           nullptr);
    AfxGetApp()->m_pMainWnd = m_pMainFrame;

    PluginFailure failure;
    m_pModule = PluginModule::load(QString::fromStdString(PluginPath()), failure);
    if (m_pModule == nullptr) {
        m_strError = failure.cause().toStdString();
        return;
    }

    // The plug-in takes the current directory at load as its start directory.
    m_strStartDir = m_startDir.Path().string();
    const std::string strPrevious = QDir::currentPath().toStdString();
    if (chdir(m_strStartDir.c_str()) == 0) {
        m_pModule->call(PluginModule::OnLoad);
        if (chdir(strPrevious.c_str()) != 0)
            m_strError = "cannot return to " + strPrevious;
    }

    CMapStringToString map;
    map.SetAt("MainFrame", "1");
    map.SetAt("DataManager",
              std::to_string(reinterpret_cast<uintptr_t>(&RecordingHost::Callback)).c_str());
    map.SetAt("EventMask", "0");
    m_pModule->call(PluginModule::OnInitialize, map);
}

void ChartClient::Command(const char* pszCaption, const char* pszGame)
{
    CMapStringToString map;
    if (pszCaption != nullptr)
        map.SetAt("Command", pszCaption);
    if (pszGame != nullptr)
        map.SetAt("GameName", pszGame);
    m_pModule->call(PluginModule::OnUserCommand, map);
}

void ChartClient::ReportLoaded()
{
    CMapStringToString map;
    m_pModule->call(PluginModule::OnReportLoaded, map);
}

void ChartClient::GamesListModified()
{
    CMapStringToString map;
    m_pModule->call(PluginModule::OnGamesListModified, map);
}

std::vector<QMdiSubWindow*> ChartClient::ChildFrames() const
{
    const auto list = AfxGetMDIArea(m_pMainFrame)->subWindowList(QMdiArea::CreationOrder);
    return std::vector<QMdiSubWindow*>(list.begin(), list.end());
}

QMdiSubWindow* ChartClient::ActiveChildFrame() const
{
    return AfxGetMDIArea(m_pMainFrame)->activeSubWindow();
}

void ChartClient::CloseAllFrames()
{
    for (QMdiSubWindow* pSub : ChildFrames())
        pSub->close();
    QApplication::processEvents();
}

void ChartClient::Shutdown()
{
    CloseAllFrames();
    if (m_pMainFrame != nullptr) {
        AfxGetApp()->m_pMainWnd = nullptr;
        m_pMainFrame->DestroyWindow();
        m_pMainFrame = nullptr;
    }
}
