#include "HostApp.h"

CMDIFrameWnd* HostApp::mainFrame() const
{
    if (m_pMainWnd == nullptr || !m_pMainWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        return nullptr;
    return static_cast<CMDIFrameWnd*>(m_pMainWnd);
}
