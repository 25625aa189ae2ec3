// Contents: creation and the view pane; initial update and activation;
// title; command routing; closing.
#include <afxwin.h>

#include <QWidget>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
END_MESSAGE_MAP()

const RECT CFrameWnd::rectDefault = {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() = default;

// ===========================================================================
// Creation and the view pane
// ===========================================================================

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    // The resource's string holds the title as its first newline-separated
    // field (a document template's string has it empty).
    CString strFull;
    if (strFull.LoadString(nIDResource)) {
        int nEnd = strFull.Find('\n');
        m_strTitle = nEnd < 0 ? strFull : strFull.Left(nEnd);
    }
    return Create(nullptr, m_strTitle, dwDefaultStyle, rectDefault, pParentWnd, nullptr, 0,
                  pContext);
}

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCSTR, DWORD dwExStyle, CCreateContext* pContext)
{
    m_strTitle = lpszWindowName != nullptr ? lpszWindowName : "";
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    AfxWindowExtent(rect.left, rect.right), AfxWindowExtent(rect.top, rect.bottom),
                    (pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr), nullptr, pContext);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    // The view fills the frame; the frame's own background is never seen.
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS);
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    auto* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext == nullptr || pContext->m_pNewViewClass == nullptr)
        return TRUE;
    return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CRuntimeClass* pClass = pContext->m_pNewViewClass;
    if (!pClass->IsDerivedFrom(RUNTIME_CLASS(CWnd)))
        return nullptr;
    auto* pView = static_cast<CWnd*>(pClass->CreateObject());
    if (pView == nullptr)
        return nullptr;
    // A view that fails to create deletes itself (PostNcDestroy).
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID,
                       pContext))
        return nullptr;
    return pView;
}

void CFrameWnd::RecalcLayout(BOOL)
{
    CWnd* pPane = GetDlgItem(AFX_IDW_PANE_FIRST);
    if (pPane == nullptr)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    pPane->MoveWindow(rcClient.left, rcClient.top, rcClient.Width(), rcClient.Height(), TRUE);
}

void CFrameWnd::OnSize(UINT, int, int)
{
    RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd*)
{
    if (m_pViewActive != nullptr)
        m_pViewActive->SetFocus();
}

// ===========================================================================
// Initial update and activation
// ===========================================================================

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* pView = GetActiveView();
    if (pView == nullptr) {
        CWnd* pPane = GetDlgItem(AFX_IDW_PANE_FIRST);
        if (pPane != nullptr && pPane->IsKindOf(RUNTIME_CLASS(CView)))
            pView = static_cast<CView*>(pPane);
    }
    if (bMakeVisible && pView != nullptr)
        SetActiveView(pView, FALSE);
    // Every view of this frame gets its initial update.
    if (pView != nullptr)
        pView->SendMessage(WM_INITIALUPDATE);
    if (bMakeVisible)
        ActivateFrame();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
        nCmdShow = IsWindowVisible() ? SW_SHOW : SW_SHOWNORMAL;
    ShowWindow(nCmdShow);
    BringWindowToTop();
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL)
{
    m_pViewActive = pViewNew;
}

CDocument* CFrameWnd::GetActiveDocument()
{
    return m_pViewActive != nullptr ? m_pViewActive->GetDocument() : nullptr;
}

// ===========================================================================
// Title
// ===========================================================================

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CDocument* pDoc = GetActiveDocument();
    if (!bAddToTitle || !(GetStyle() & FWS_ADDTOTITLE) || pDoc == nullptr) {
        SetWindowText(m_strTitle);
        return;
    }
    CString strTitle = pDoc->GetTitle();
    if (!m_strTitle.IsEmpty())
        strTitle += CString(" - ") + m_strTitle;
    SetWindowText(strTitle);
}

// ===========================================================================
// Command routing
// ===========================================================================

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode)
{
    if (m_pViewActive != nullptr && m_pViewActive->OnCmdMsg(nID, nCode))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->OnCmdMsg(nID, nCode);
}

// ===========================================================================
// Closing
// ===========================================================================

BOOL CFrameWnd::IsOnlyFrameOf(CDocument* pDoc)
{
    POSITION pos = pDoc->GetFirstViewPosition();
    while (pos != nullptr) {
        CView* pView = pDoc->GetNextView(pos);
        if (pView != nullptr && pView->GetParentFrame() != this)
            return FALSE;
    }
    return TRUE;
}

void CFrameWnd::OnClose()
{
    // Closing a document's last frame closes the document, which destroys
    // its frames (this one included) and deletes itself.
    CDocument* pDoc = GetActiveDocument();
    if (pDoc != nullptr && IsOnlyFrameOf(pDoc)) {
        pDoc->OnCloseDocument();
        return;
    }
    DestroyWindow();
}

void CFrameWnd::PostNcDestroy()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this)
        pApp->m_pMainWnd = nullptr;
    delete this;
}
