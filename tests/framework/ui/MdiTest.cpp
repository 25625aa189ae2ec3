// MDI: the main frame's client holds child frames, each with its view;
// WM_MDIACTIVATE sent to the client activates the named child, and closing a
// child frame closes its document when it is the document's only frame.
#include "UiTestSupport.h"
#include <afxqt.h>

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <gtest/gtest.h>

namespace
{

int g_nLiveViews = 0;
int g_nLiveDocs = 0;
int g_nInitialUpdates = 0;
CRect g_rcAtInitialUpdate;

class CTestView : public CView
{
    DECLARE_DYNCREATE(CTestView)
public:
    CTestView() { ++g_nLiveViews; }
    ~CTestView() override { --g_nLiveViews; }
    void OnInitialUpdate() override
    {
        ++g_nInitialUpdates;
        GetClientRect(&g_rcAtInitialUpdate);
        CView::OnInitialUpdate();
    }

protected:
    void OnDraw(CDC* pDC) override { pDC->FillSolidRect(0, 0, 4, 4, RGB(0, 0, 255)); }
};
IMPLEMENT_DYNCREATE(CTestView, CView)

class CTestDoc : public CDocument
{
public:
    BOOL m_bClosed = FALSE;
    CTestDoc() { ++g_nLiveDocs; }
    ~CTestDoc() override { --g_nLiveDocs; }
};

class MdiTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_nInitialUpdates = 0;
        m_pMain = new CMDIFrameWnd;
        ASSERT_TRUE(m_pMain->LoadFrame(0));
        AfxGetApp()->m_pMainWnd = m_pMain;
        m_pMain->ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        if (AfxGetApp()->m_pMainWnd != nullptr)
            AfxGetApp()->m_pMainWnd->DestroyWindow();
        ProcessPendingEvents();
        EXPECT_EQ(AfxGetApp()->m_pMainWnd, nullptr);
        EXPECT_EQ(g_nLiveViews, 0);
        EXPECT_EQ(g_nLiveDocs, 0);
    }
    // A child frame with a view of pDoc, the main window taken from the
    // current application as the document template does it.
    CMDIChildWnd* OpenChild(CDocument* pDoc, LPCSTR lpszTitle)
    {
        pDoc->SetTitle(lpszTitle);
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CTestView);
        context.m_pCurrentDoc = pDoc;
        auto* pFrame = new CMDIChildWnd;
        if (!pFrame->LoadFrame(3, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
            return nullptr;
        pFrame->InitialUpdateFrame(pDoc, TRUE);
        return pFrame;
    }
    QMdiArea* Area() const { return AfxGetMDIArea(m_pMain); }
    CMDIFrameWnd* m_pMain = nullptr;
};

TEST_F(MdiTest, ChildFrameHoldsOneViewConnectedToItsDocument)
{
    auto* pDoc = new CTestDoc;
    CMDIChildWnd* pFrame = OpenChild(pDoc, "Kurvo1");
    ASSERT_NE(pFrame, nullptr);
    ASSERT_EQ(Area()->subWindowList().size(), 1);
    EXPECT_EQ(pFrame->GetParent(), CWnd::FromHandle(m_pMain->m_hWndMDIClient));
    EXPECT_EQ(pFrame->GetMDIFrame(), m_pMain);

    CView* pView = pFrame->GetActiveView();
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(pView->GetDocument(), pDoc);
    EXPECT_EQ(pView->GetParentFrame(), pFrame);
    EXPECT_EQ(pFrame->GetDlgItem(AFX_IDW_PANE_FIRST), pView);
    POSITION pos = pDoc->GetFirstViewPosition();
    EXPECT_EQ(pDoc->GetNextView(pos), pView);
    EXPECT_EQ(pos, nullptr);
    EXPECT_EQ(g_nInitialUpdates, 1);

    CString strTitle;
    pFrame->GetWindowText(strTitle);
    EXPECT_STREQ(strTitle, "Kurvo1");
    EXPECT_TRUE(pFrame->IsWindowVisible());

    // The view fills the frame's client area.
    CRect rcFrame, rcView;
    pFrame->GetClientRect(&rcFrame);
    pView->GetClientRect(&rcView);
    EXPECT_EQ(rcView, rcFrame);
    EXPECT_GT(rcView.Width(), 0);
}

// A view that lays itself out once, when first updated, fits its window only
// if the frame has its size before it is first shown.
TEST_F(MdiTest, ChildFrameAtTheHostsSizeHasItFromItsInitialUpdateOn)
{
    AfxSetMDIChildClientSize(m_pMain, 530, 310);
    CMDIChildWnd* pFrame = OpenChild(new CTestDoc, "Kurvo1");
    ASSERT_NE(pFrame, nullptr);
    EXPECT_EQ(g_rcAtInitialUpdate, CRect(0, 0, 530, 310));
    ProcessPendingEvents();
    CRect rcView;
    pFrame->GetActiveView()->GetClientRect(&rcView);
    EXPECT_EQ(rcView, CRect(0, 0, 530, 310)) << "and keeps it once shown";
}

TEST_F(MdiTest, MdiActivateSentToTheClientActivatesTheNamedChild)
{
    CMDIChildWnd* pFirst = OpenChild(new CTestDoc, "First");
    CMDIChildWnd* pSecond = OpenChild(new CTestDoc, "Second");
    ASSERT_NE(pFirst, nullptr);
    ASSERT_NE(pSecond, nullptr);
    EXPECT_EQ(m_pMain->MDIGetActive(), pSecond) << "the newest frame is active";

    // As a document brings its frame to the front: via the frame's parent.
    CWnd* pClient = pFirst->GetParent();
    ASSERT_NE(pClient, nullptr);
    pClient->SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pFirst->m_hWnd), 0);
    EXPECT_EQ(m_pMain->MDIGetActive(), pFirst);
    EXPECT_EQ(m_pMain->GetActiveDocument(), pFirst->GetActiveDocument());

    pClient->SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pSecond->m_hWnd), 0);
    EXPECT_EQ(m_pMain->MDIGetActive(), pSecond);

    // A handle that is no child of this client changes nothing.
    pClient->SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_pMain->m_hWnd), 0);
    EXPECT_EQ(m_pMain->MDIGetActive(), pSecond);
}

TEST_F(MdiTest, ClosingTheOnlyFrameClosesTheDocument)
{
    OpenChild(new CTestDoc, "Keep");
    CMDIChildWnd* pFrame = OpenChild(new CTestDoc, "Close me");
    ASSERT_NE(pFrame, nullptr);
    ASSERT_EQ(g_nLiveDocs, 2);

    pFrame->SendMessage(WM_CLOSE);
    EXPECT_EQ(Area()->subWindowList().size(), 1) << "the sub-window leaves the area at once";
    EXPECT_EQ(g_nLiveDocs, 1);
    EXPECT_EQ(g_nLiveViews, 1);
    ProcessPendingEvents();
}

TEST_F(MdiTest, ClosingTheSubWindowGoesThroughWmClose)
{
    CMDIChildWnd* pFrame = OpenChild(new CTestDoc, "Closed by Qt");
    ASSERT_NE(pFrame, nullptr);
    QMdiSubWindow* pSub = Area()->subWindowList().front();
    pSub->close();
    EXPECT_TRUE(Area()->subWindowList().isEmpty());
    EXPECT_EQ(g_nLiveDocs, 0);
    ProcessPendingEvents();
}

TEST_F(MdiTest, ClosingTheMainFrameClosesEveryChild)
{
    OpenChild(new CTestDoc, "One");
    OpenChild(new CTestDoc, "Two");
    AfxGetMainWindow(m_pMain)->close();
    EXPECT_EQ(AfxGetApp()->m_pMainWnd, nullptr);
    EXPECT_EQ(g_nLiveDocs, 0);
}

TEST_F(MdiTest, ChildFrameNeedsAnMdiMainWindow)
{
    CWnd* pSaved = AfxGetApp()->m_pMainWnd;
    AfxGetApp()->m_pMainWnd = nullptr;
    auto* pFrame = new CMDIChildWnd;
    EXPECT_FALSE(pFrame->LoadFrame(3));
    delete pFrame;
    AfxGetApp()->m_pMainWnd = pSaved;
}

} // namespace
