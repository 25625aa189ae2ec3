#include "CMultiDocTemplate.h"

#include "AfxMessageBox.h"
#include "CDocument.h"

#include "../ui/CFrameWnd.h"
#include "../ui/CView.h"

IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                     CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    // Documents still open when the application goes (a host that unloads a
    // plug-in without closing them) must not call back into a deleted template.
    while (!m_docList.IsEmpty())
        static_cast<CDocument*>(m_docList.RemoveHead())->m_pDocTemplate = nullptr;
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const
{
    return m_docList.GetHeadPosition();
}

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const
{
    if (rPos == nullptr)
        return nullptr;
    return static_cast<CDocument*>(m_docList.GetNext(rPos));
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    if (m_docList.Find(pDoc) == nullptr)
        m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (POSITION pos = m_docList.Find(pDoc))
        m_docList.RemoveAt(pos);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = CreateNewDocument();
    if (pDocument == nullptr)
        return nullptr;

    // While the frame is made the document must survive a view that comes and
    // goes, so it may not delete itself yet.
    const BOOL bAutoDelete = pDocument->m_bAutoDelete;
    pDocument->m_bAutoDelete = FALSE;
    CFrameWnd* pFrame = CreateNewFrame(pDocument, nullptr);
    pDocument->m_bAutoDelete = bAutoDelete;
    if (pFrame == nullptr) {
        AfxMessageBox("Cannot create the document's window.", MB_OK | MB_ICONEXCLAMATION);
        delete pDocument;
        return nullptr;
    }

    if (lpszPathName == nullptr) {
        SetDefaultTitle(pDocument);
        if (!bMakeVisible)
            pDocument->m_bEmbedded = TRUE;
        if (!pDocument->OnNewDocument()) {
            DiscardAttempt(pFrame, pDocument);
            return nullptr;
        }
        ++m_nUntitledCount;
    } else {
        if (!pDocument->OnOpenDocument(lpszPathName)) {
            DiscardAttempt(pFrame, pDocument);
            return nullptr;
        }
        pDocument->SetPathName(lpszPathName);
    }

    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}

void CMultiDocTemplate::DiscardAttempt(CFrameWnd* pFrame, CDocument* pDocument)
{
    // The views are cut loose first, so that losing them does not make the
    // document close itself: closing is for documents that were open, and a
    // subclass may save on close, which would write a file that never loaded.
    pDocument->DisconnectViews();
    pFrame->DestroyWindow();
    delete pDocument;
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString strTitle;
    if (GetDocString(strTitle, docName) && !strTitle.IsEmpty()) {
        CString strNumber;
        strNumber.Format("%u", m_nUntitledCount + 1);
        strTitle += strNumber;
    } else {
        strTitle = "Untitled";
    }
    pDocument->SetTitle(strTitle);
}
