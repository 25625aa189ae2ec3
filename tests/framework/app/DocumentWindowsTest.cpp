// Documents with their frames and views inside an MDI main window, made and
// opened through the application and its template as a plug-in does it.
#include "AppTestSupport.h"
#include <afxqt.h>

#include <gtest/gtest.h>

#include <QMdiArea>
#include <QTemporaryDir>

namespace
{

const UINT kTemplateId = 3;

class DocumentWindowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const AFX_STRING_RESOURCE entries[] = {
            {kTemplateId, "\nKurvo\nKurvo\n\n.kv\nPlugin\nPlugin"}};
        m_state.AddStrings(1033, entries, 1);
        m_state.AddStrings(1049, entries, 1);
        m_pApp = new CWinApp;
        m_pTemplate = new CMultiDocTemplate(kTemplateId, RUNTIME_CLASS(CTestDoc),
                                            RUNTIME_CLASS(CTestFrame), RUNTIME_CLASS(CTestView));
        m_pApp->AddDocTemplate(m_pTemplate);
        m_pMain = new CMDIFrameWnd;
        ASSERT_TRUE(m_pMain->CreateEx(0, nullptr, "Host", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600,
                                      nullptr, nullptr));
        m_pApp->m_pMainWnd = m_pMain;
        m_nLiveBefore = CTestDoc::s_nLiveDocuments;
    }

    void TearDown() override
    {
        m_pApp->CloseAllDocuments(FALSE);
        EXPECT_EQ(CTestDoc::s_nLiveDocuments, m_nLiveBefore);
        if (m_pApp->m_pMainWnd != nullptr)
            m_pApp->m_pMainWnd->DestroyWindow();
        delete m_pApp;
    }

    int ChildFrameCount() const { return int(AfxGetMDIArea(m_pMain)->subWindowList().size()); }
    int TemplateDocumentCount() const { return m_pTemplate->m_docList.GetCount(); }
    std::string PathOf(const char* pszName) const
    {
        return (m_dir.path() + "/" + pszName).toStdString();
    }

    // The chart's own lookup: first template, first document.
    CDocument* FindFirstDocument() const
    {
        POSITION pos = m_pApp->GetFirstDocTemplatePosition();
        CDocTemplate* pTemplate = m_pApp->GetNextDocTemplate(pos);
        POSITION docPos = pTemplate->GetFirstDocPosition();
        return docPos != nullptr ? pTemplate->GetNextDoc(docPos) : nullptr;
    }

    static CView* OnlyView(CDocument* pDoc)
    {
        POSITION pos = pDoc->GetFirstViewPosition();
        CView* pView = pDoc->GetNextView(pos);
        EXPECT_EQ(pos, nullptr) << "exactly one view";
        return pView;
    }

    AFX_MODULE_STATE m_state{"plugin"};
    AFX_MAINTAIN_STATE m_keepState{&m_state};
    CWinApp* m_pApp = nullptr;
    CMultiDocTemplate* m_pTemplate = nullptr;
    CMDIFrameWnd* m_pMain = nullptr;
    int m_nLiveBefore = 0;
    QTemporaryDir m_dir;
    CReporterCapture m_reports;
};

TEST_F(DocumentWindowsTest, NewDocumentsGetOneFrameAndViewAndNumberedTitles)
{
    CDocument* pFirst = m_pApp->OnFileNew();
    CDocument* pSecond = m_pApp->OnFileNew();
    ASSERT_NE(pFirst, nullptr);
    ASSERT_NE(pSecond, nullptr);
    EXPECT_EQ(pFirst->GetTitle().str(), "Kurvo1");
    EXPECT_EQ(pSecond->GetTitle().str(), "Kurvo2");
    EXPECT_TRUE(pFirst->GetPathName().IsEmpty());
    EXPECT_EQ(ChildFrameCount(), 2);
    EXPECT_EQ(FindFirstDocument(), pFirst);

    CView* pView = OnlyView(pFirst);
    ASSERT_NE(pView, nullptr);
    EXPECT_TRUE(pView->IsKindOf(RUNTIME_CLASS(CTestView)));
    EXPECT_EQ(pView->GetDocument(), pFirst);
    CFrameWnd* pFrame = pView->GetParentFrame();
    ASSERT_NE(pFrame, nullptr);
    EXPECT_TRUE(pFrame->IsKindOf(RUNTIME_CLASS(CTestFrame)));
    CString strText;
    pFrame->GetWindowText(strText);
    EXPECT_NE(strText.str().find("Kurvo1"), std::string::npos) << strText.str();

    // A new title reaches the frame.
    pFirst->SetTitle("Renamed");
    pFrame->GetWindowText(strText);
    EXPECT_NE(strText.str().find("Renamed"), std::string::npos) << strText.str();
    EXPECT_TRUE(m_reports.m_messages.empty());
}

TEST_F(DocumentWindowsTest, SavedDocumentReopensThroughTheApplicationOnce)
{
    const std::string path = PathOf("chart.kv");
    auto* pNew = static_cast<CTestDoc*>(m_pApp->OnFileNew());
    ASSERT_NE(pNew, nullptr);
    pNew->AddItem("Industry", 12);
    pNew->SetPathName(path.c_str());
    ASSERT_TRUE(pNew->OnSaveDocument(path.c_str()));
    const std::string saved = pNew->Describe();
    pNew->OnCloseDocument();
    EXPECT_EQ(TemplateDocumentCount(), 0);
    EXPECT_EQ(ChildFrameCount(), 0);

    auto* pOpened = static_cast<CTestDoc*>(m_pApp->OpenDocumentFile(path.c_str()));
    ASSERT_NE(pOpened, nullptr);
    EXPECT_EQ(pOpened->Describe(), saved);
    EXPECT_EQ(pOpened->GetPathName().str(), path);
    EXPECT_EQ(pOpened->GetTitle().str(), "chart.kv");
    EXPECT_NE(OnlyView(pOpened), nullptr);

    // The same file again, while another document is in front: the open
    // document comes back with its frame activated, and nothing new is made.
    ASSERT_NE(m_pApp->OnFileNew(), nullptr);
    CFrameWnd* pOpenedFrame = OnlyView(pOpened)->GetParentFrame();
    EXPECT_NE(m_pMain->MDIGetActive(), pOpenedFrame);
    EXPECT_EQ(m_pApp->OpenDocumentFile(path.c_str()), pOpened);
    EXPECT_EQ(TemplateDocumentCount(), 2);
    EXPECT_EQ(ChildFrameCount(), 2);
    EXPECT_EQ(m_pMain->MDIGetActive(), pOpenedFrame);
    EXPECT_TRUE(m_reports.m_messages.empty());
}

TEST_F(DocumentWindowsTest, FailedOpenLeavesNoDocumentNoFrameAndDoesNotClose)
{
    const std::string path = PathOf("truncated.kv");
    CTestDoc source;
    source.AddItem("Industry", 12);
    source.AddItem("Population", 34);
    ASSERT_TRUE(source.OnSaveDocument(path.c_str()));
    const std::string bytes = ReadBytes(path);
    WriteBytes(path, bytes.substr(0, bytes.size() - 3));
    const int nLive = CTestDoc::s_nLiveDocuments;
    const int nCloses = CTestDoc::s_nCloses;

    EXPECT_EQ(m_pApp->OpenDocumentFile(path.c_str()), nullptr);
    EXPECT_EQ(m_pApp->OpenDocumentFile(""), nullptr) << "no name is no new document either";
    EXPECT_EQ(CTestDoc::s_nLiveDocuments, nLive);
    EXPECT_EQ(CTestDoc::s_nCloses, nCloses) << "a document that never opened is not closed";
    EXPECT_EQ(TemplateDocumentCount(), 0);
    EXPECT_EQ(ChildFrameCount(), 0);
    EXPECT_EQ(FindFirstDocument(), nullptr);
    ASSERT_EQ(m_reports.m_messages.size(), 2u);
    EXPECT_NE(m_reports.m_messages[0].text.find(path), std::string::npos);
    EXPECT_NE(m_reports.m_messages[0].text.find("end of file"), std::string::npos)
        << m_reports.m_messages[0].text;
}

TEST_F(DocumentWindowsTest, LosingTheFrameClosesAndDeletesTheDocument)
{
    const int nLive = CTestDoc::s_nLiveDocuments;
    CDocument* pByClose = m_pApp->OnFileNew();
    CDocument* pByDestroy = m_pApp->OnFileNew();
    ASSERT_NE(pByClose, nullptr);
    ASSERT_NE(pByDestroy, nullptr);
    EXPECT_EQ(CTestDoc::s_nLiveDocuments, nLive + 2);

    const int nCloses = CTestDoc::s_nCloses;
    OnlyView(pByClose)->GetParentFrame()->SendMessage(WM_CLOSE);
    EXPECT_EQ(CTestDoc::s_nLiveDocuments, nLive + 1);
    EXPECT_EQ(CTestDoc::s_nCloses, nCloses + 1);
    EXPECT_EQ(FindFirstDocument(), pByDestroy);

    // Destroying the frame outright takes the last view, which closes too.
    OnlyView(pByDestroy)->GetParentFrame()->DestroyWindow();
    EXPECT_EQ(CTestDoc::s_nLiveDocuments, nLive);
    EXPECT_EQ(TemplateDocumentCount(), 0);
    EXPECT_EQ(ChildFrameCount(), 0);
}

TEST_F(DocumentWindowsTest, WithoutAnMdiMainWindowNewFailsCleanly)
{
    m_pMain->DestroyWindow(); // also clears the application's main window
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    const int nLive = CTestDoc::s_nLiveDocuments;
    EXPECT_EQ(m_pApp->OnFileNew(), nullptr);
    EXPECT_EQ(CTestDoc::s_nLiveDocuments, nLive);
    EXPECT_EQ(TemplateDocumentCount(), 0);
    EXPECT_EQ(m_reports.m_messages.size(), 1u);
}

} // namespace
