#include "PluginHost.h"

#include "tests/support/RecordingHost.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>

#include <dlfcn.h>
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

std::string MakeStartDir()
{
    std::string pattern = std::filesystem::temp_directory_path().string() + "/kurvo-cmd-XXXXXX";
    return mkdtemp(pattern.data()) ? pattern : std::string();
}

} // namespace

PluginHost& PluginHost::Instance()
{
    static PluginHost host;
    return host;
}

PluginHost::PluginHost()
{
    m_pMainFrame = new CMDIFrameWnd;
    m_pMainFrame->CreateEx(0, nullptr, "Host", WS_OVERLAPPEDWINDOW, 0, 0, 1000, 700, nullptr,
                           nullptr);
    AfxGetApp()->m_pMainWnd = m_pMainFrame;

    CString strError;
    void* hModule = AfxLoadLibrary(PluginPath().c_str(), &strError);
    if (hModule == nullptr) {
        m_strError = strError.str();
        return;
    }
    auto pfnLoad = reinterpret_cast<VoidEntry>(dlsym(hModule, "OnLoad"));
    auto pfnInitialize = reinterpret_cast<MapEntry>(dlsym(hModule, "OnInitialize"));
    m_pfnUserCommand = reinterpret_cast<MapEntry>(dlsym(hModule, "OnUserCommand"));
    m_pfnReportLoaded = reinterpret_cast<MapEntry>(dlsym(hModule, "OnReportLoaded"));
    m_pfnGamesListModified = reinterpret_cast<MapEntry>(dlsym(hModule, "OnGamesListModified"));

    // The plug-in takes the current directory at load as its start directory.
    m_strStartDir = MakeStartDir();
    const std::string strPrevious = QDir::currentPath().toStdString();
    if (chdir(m_strStartDir.c_str()) == 0) {
        pfnLoad();
        if (chdir(strPrevious.c_str()) != 0)
            m_strError = "cannot return to " + strPrevious;
    }

    CMapStringToString map;
    map.SetAt("MainFrame", "1");
    map.SetAt("DataManager",
              std::to_string(reinterpret_cast<uintptr_t>(&RecordingHost::Callback)).c_str());
    map.SetAt("EventMask", "0");
    pfnInitialize(map);
}

void PluginHost::Command(const char* pszCaption, const char* pszGame)
{
    CMapStringToString map;
    if (pszCaption != nullptr)
        map.SetAt("Command", pszCaption);
    if (pszGame != nullptr)
        map.SetAt("GameName", pszGame);
    m_pfnUserCommand(map);
}

void PluginHost::ReportLoaded()
{
    CMapStringToString map;
    m_pfnReportLoaded(map);
}

void PluginHost::GamesListModified()
{
    CMapStringToString map;
    m_pfnGamesListModified(map);
}

std::vector<QMdiSubWindow*> PluginHost::ChildFrames() const
{
    const auto list = m_pMainFrame->GetMDIArea()->subWindowList(QMdiArea::CreationOrder);
    return std::vector<QMdiSubWindow*>(list.begin(), list.end());
}

QMdiSubWindow* PluginHost::ActiveChildFrame() const
{
    return m_pMainFrame->GetMDIArea()->activeSubWindow();
}

void PluginHost::CloseAllFrames()
{
    for (QMdiSubWindow* pSub : ChildFrames())
        pSub->close();
    QApplication::processEvents();
}

void PluginHost::Shutdown()
{
    CloseAllFrames();
    if (m_pMainFrame != nullptr) {
        AfxGetApp()->m_pMainWnd = nullptr;
        m_pMainFrame->DestroyWindow();
        m_pMainFrame = nullptr;
    }
}
