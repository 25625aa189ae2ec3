#include "AfxQtAccess.h"
#include <afxwin.h>

#include "CWndWidget.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSize>

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

CMDIChildWnd::CMDIChildWnd() = default;

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext)
{
    if (pParentWnd == nullptr)
        pParentWnd = AfxGetMainWnd();
    if (pParentWnd == nullptr || !pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        return FALSE;
    m_nIDHelp = nIDResource;
    CString strFull;
    if (strFull.LoadString(nIDResource)) {
        int nEnd = strFull.Find('\n');
        m_strTitle = nEnd < 0 ? strFull : strFull.Left(nEnd);
    }
    // The frame stays hidden until InitialUpdateFrame shows it.
    return Create(nullptr, m_strTitle, (dwDefaultStyle | WS_CHILD) & ~DWORD(WS_VISIBLE),
                  rectDefault, static_cast<CMDIFrameWnd*>(pParentWnd), pContext);
}

BOOL CMDIChildWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == nullptr) {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain == nullptr || !pMain->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
            return FALSE;
        pParentWnd = static_cast<CMDIFrameWnd*>(pMain);
    }
    if (pParentWnd->m_hWndMDIClient == nullptr)
        return FALSE;
    m_pMDIFrame = pParentWnd;
    m_strTitle = lpszWindowName != nullptr ? lpszWindowName : "";
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    AfxWindowExtent(rect.left, rect.right), AfxWindowExtent(rect.top, rect.bottom),
                    pParentWnd->m_hWndMDIClient, nullptr, pContext);
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CHILD;
    return CFrameWnd::PreCreateWindow(cs);
}

QWidget* CMDIChildWnd::CreateWidget(const CREATESTRUCT& cs, QWidget* pParentWidget)
{
    auto* pArea = qobject_cast<QMdiArea*>(pParentWidget);
    if (pArea == nullptr)
        return nullptr;
    auto* pWidget = new CWndWidget(CWndMsgTranslator::kindAll, nullptr);
    pWidget->setAttribute(Qt::WA_OpaquePaintEvent);
    pWidget->setMouseTracking(true);
    pWidget->setFocusPolicy(Qt::ClickFocus);
    QMdiSubWindow* pSub = pArea->addSubWindow(pWidget);
    // The framework decides about closing (WM_CLOSE) and deletes the
    // sub-window itself when the frame is destroyed.
    pSub->setAttribute(Qt::WA_DeleteOnClose, false);
    if (cs.x == CW_USEDEFAULT || cs.cx == CW_USEDEFAULT) {
        const CSize sizeClient =
            m_pMDIFrame != nullptr ? m_pMDIFrame->m_sizeChildClient : CSize(0, 0);
        if (sizeClient.cx > 0 && sizeClient.cy > 0) {
            const QSize client(sizeClient.cx, sizeClient.cy);
            pSub->resize(client.grownBy(pSub->contentsMargins()));
            // A hidden sub-window does not lay out its widget, yet the frame
            // places its view, and the view may lay itself out, before the
            // first show.
            pWidget->resize(client);
        } else {
            pSub->resize(qMax(200, pArea->width() * 2 / 3), qMax(150, pArea->height() * 2 / 3));
        }
    }
    pSub->hide();
    return pWidget;
}

void CMDIChildWnd::ReleaseWidget(QWidget* pWidget, BOOL bDeleteWidget)
{
    QMdiSubWindow* pSub = AfxGetMDISubWindow(pWidget);
    if (!bDeleteWidget || pSub == nullptr) {
        CFrameWnd::ReleaseWidget(pWidget, bDeleteWidget);
        return;
    }
    // Out of the area at once, so the area's list of children is right even
    // while the sub-window waits for a safe moment to be deleted.
    if (QMdiArea* pArea = pSub->mdiArea())
        pArea->removeSubWindow(pSub);
    CFrameWnd::ReleaseWidget(pSub, TRUE);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    return m_pMDIFrame;
}

void CMDIChildWnd::MDIActivate()
{
    if (m_pMDIFrame != nullptr)
        m_pMDIFrame->MDIActivate(this);
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
        nCmdShow = SW_SHOW;
    ShowWindow(nCmdShow);
    MDIActivate();
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    // A child frame shows the document's title alone.
    CDocument* pDoc = GetActiveDocument();
    if (bAddToTitle && (GetStyle() & FWS_ADDTOTITLE) && pDoc != nullptr)
        SetWindowText(pDoc->GetTitle());
    else
        SetWindowText(m_strTitle);
}
