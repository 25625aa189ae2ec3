#include "AfxQtAccess.h"
#include <afxwin.h>

#include "CWndWidget.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <vector>

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
ON_WM_CLOSE()
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() = default;

QWidget* CMDIFrameWnd::CreateWidget(const CREATESTRUCT& cs, QWidget* pParentWidget)
{
    // Qt paints and lays out the main window itself; the framework hears of
    // its focus, timers, resizing and closing.
    auto* pMain =
        new CWndWidgetT<QMainWindow>(CWndMsgTranslator::kindFrame, pParentWidget, Qt::Window);
    if (cs.x == CW_USEDEFAULT || cs.cx == CW_USEDEFAULT)
        pMain->resize(1024, 768);
    return pMain;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext*)
{
    auto* pClient = new CMDIClientWnd;
    if (!pClient->CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0,
                           m_hWnd, reinterpret_cast<HMENU>(uintptr_t(AFX_IDW_PANE_FIRST)))) {
        delete pClient;
        return FALSE;
    }
    m_hWndMDIClient = pClient->m_hWnd;
    return TRUE;
}

// The main window's layout places the MDI area; there is no view pane.
void CMDIFrameWnd::RecalcLayout(BOOL) {}

QMainWindow* CMDIFrameWnd::GetMainWindow() const
{
    return qobject_cast<QMainWindow*>(GetWidget());
}

QMdiArea* CMDIFrameWnd::GetMDIArea() const
{
    auto* pClient = static_cast<CMDIClientWnd*>(CWnd::FromHandlePermanent(m_hWndMDIClient));
    return pClient != nullptr ? AfxGetMDIArea(pClient) : nullptr;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    CWnd* pClient = CWnd::FromHandlePermanent(m_hWndMDIClient);
    CWnd* pActive = pClient != nullptr ? CWnd::FromHandlePermanent(reinterpret_cast<HWND>(
                                             pClient->SendMessage(WM_MDIGETACTIVE)))
                                       : nullptr;
    if (pbMaximized != nullptr)
        *pbMaximized = FALSE;
    if (pActive == nullptr || !pActive->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)))
        return nullptr;
    if (pbMaximized != nullptr) {
        QMdiSubWindow* pSub = AfxGetMDISubWindow(pActive);
        *pbMaximized = pSub != nullptr && pSub->isMaximized();
    }
    return static_cast<CMDIChildWnd*>(pActive);
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    if (CWnd* pClient = CWnd::FromHandlePermanent(m_hWndMDIClient))
        pClient->SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWndActivate->GetSafeHwnd()));
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* pActive = MDIGetActive();
    return pActive != nullptr ? static_cast<CFrameWnd*>(pActive) : this;
}

CDocument* CMDIFrameWnd::GetActiveDocument()
{
    CMDIChildWnd* pActive = MDIGetActive();
    return pActive != nullptr ? pActive->GetActiveDocument() : nullptr;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode)
{
    CMDIChildWnd* pActive = MDIGetActive();
    if (pActive != nullptr && pActive->OnCmdMsg(nID, nCode))
        return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode);
}

void CMDIFrameWnd::OnClose()
{
    // Every child frame is asked to close first (closing its document); the
    // main frame goes only when all of them went.
    std::vector<HWND> children;
    if (QMdiArea* pArea = GetMDIArea()) {
        for (QMdiSubWindow* pSub : pArea->subWindowList()) {
            if (CWnd* pChild = AfxWndFromWidget(pSub->widget()))
                children.push_back(pChild->m_hWnd);
        }
    }
    for (HWND hChild : children) {
        if (CWnd* pChild = CWnd::FromHandlePermanent(hChild))
            pChild->SendMessage(WM_CLOSE);
    }
    for (HWND hChild : children) {
        if (CWnd::FromHandlePermanent(hChild) != nullptr)
            return;
    }
    DestroyWindow();
}
