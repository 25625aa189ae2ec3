#include "AfxQtAccess.h"
#include <afxwin.h>

#include "CWndWidget.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

IMPLEMENT_DYNAMIC(CMDIClientWnd, CWnd)

CMDIClientWnd::CMDIClientWnd() = default;

QMdiArea* CMDIClientWnd::GetMDIArea() const
{
    return qobject_cast<QMdiArea*>(GetWidget());
}

QWidget* CMDIClientWnd::CreateWidget(const CREATESTRUCT&, QWidget* pParentWidget)
{
    // The area keeps Qt's own painting and mouse handling; it only needs to
    // tell the window when Qt deletes it.
    auto* pArea = new CWndWidgetT<QMdiArea>(0, pParentWidget);
    if (auto* pMain = qobject_cast<QMainWindow*>(pParentWidget))
        pMain->setCentralWidget(pArea);
    return pArea;
}

LRESULT CMDIClientWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MDIACTIVATE:
        return Activate(reinterpret_cast<HWND>(wParam));
    case WM_MDIGETACTIVE:
        return reinterpret_cast<LRESULT>(GetActiveChild());
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

LRESULT CMDIClientWnd::Activate(HWND hWndChild)
{
    QMdiArea* pArea = GetMDIArea();
    CWnd* pChild = CWnd::FromHandlePermanent(hWndChild);
    if (pArea == nullptr || pChild == nullptr || AfxGetWidget(pChild) == nullptr)
        return 0;
    // A handle that is not one of this area's children is ignored, as the
    // platform ignores it.
    QMdiSubWindow* pSub = AfxGetMDISubWindow(pChild);
    if (pSub == nullptr || !pArea->subWindowList().contains(pSub))
        return 0;
    if (pSub->isHidden())
        pSub->show();
    pArea->setActiveSubWindow(pSub);
    return 0;
}

HWND CMDIClientWnd::GetActiveChild() const
{
    QMdiArea* pArea = GetMDIArea();
    // currentSubWindow, unlike activeSubWindow, does not depend on the whole
    // application being the active one (it never is on the offscreen platform).
    QMdiSubWindow* pSub = pArea != nullptr ? pArea->currentSubWindow() : nullptr;
    CWnd* pChild = pSub != nullptr ? AfxWndFromWidget(pSub->widget()) : nullptr;
    return pChild != nullptr ? pChild->m_hWnd : nullptr;
}

void CMDIClientWnd::PostNcDestroy()
{
    delete this;
}
