#include "CDocManager.h"

#include "AfxMessageBox.h"
#include "AfxPath.h"
#include "CDocTemplate.h"
#include "CDocument.h"
#include "CWinApp.h"

#include "../ui/CFrameWnd.h"
#include "../ui/CView.h"

IMPLEMENT_DYNAMIC(CDocManager, CObject)

CDocManager::CDocManager() = default;

CDocManager::~CDocManager()
{
    while (!m_templateList.IsEmpty())
        delete static_cast<CDocTemplate*>(m_templateList.RemoveHead());
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate == nullptr || m_templateList.Find(pTemplate) != nullptr)
        return;
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

POSITION CDocManager::GetFirstDocTemplatePosition() const
{
    return m_templateList.GetHeadPosition();
}

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& rPos) const
{
    if (rPos == nullptr)
        return nullptr;
    return static_cast<CDocTemplate*>(m_templateList.GetNext(rPos));
}

int CDocManager::GetDocumentCount() const
{
    int nCount = 0;
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        POSITION docPos = pTemplate->GetFirstDocPosition();
        while (docPos != nullptr) {
            pTemplate->GetNextDoc(docPos);
            ++nCount;
        }
    }
    return nCount;
}

CDocument* CDocManager::OnFileNew()
{
    // With several templates the original asked the user which kind to make;
    // nothing here registers more than one kind, so the first one is taken.
    if (m_templateList.IsEmpty()) {
        AfxMessageBox("Cannot create a new document: no document type is registered.",
                      MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    return static_cast<CDocTemplate*>(m_templateList.GetHead())->OpenDocumentFile(nullptr);
}

CDocument* CDocManager::OpenDocumentFile(LPCSTR lpszFileName)
{
    if (lpszFileName == nullptr || *lpszFileName == '\0') {
        AfxMessageBox("Cannot open a document without a file name.", MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    const CString strPath = AfxFullPath(lpszFileName);

    CDocTemplate* pBestTemplate = nullptr;
    CDocument* pOpenDocument = nullptr;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CDocument* pMatchedDocument = nullptr;
        const CDocTemplate::Confidence match = pTemplate->MatchDocType(strPath, pMatchedDocument);
        if (match > bestMatch) {
            bestMatch = match;
            pBestTemplate = pTemplate;
        }
        if (match == CDocTemplate::yesAlreadyOpen) {
            pOpenDocument = pMatchedDocument;
            break;
        }
    }

    if (pOpenDocument != nullptr) {
        ActivateDocumentFrame(pOpenDocument);
        return pOpenDocument;
    }
    if (pBestTemplate == nullptr) {
        CString strMessage;
        strMessage.Format("Cannot open %s: no document type is registered.", strPath.GetString());
        AfxMessageBox(strMessage, MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    return pBestTemplate->OpenDocumentFile(strPath);
}

void CDocManager::ActivateDocumentFrame(CDocument* pDocument)
{
    POSITION pos = pDocument->GetFirstViewPosition();
    if (pos == nullptr)
        return;
    CView* pView = pDocument->GetNextView(pos);
    CFrameWnd* pFrame = pView != nullptr ? pView->GetParentFrame() : nullptr;
    if (pFrame != nullptr)
        pFrame->ActivateFrame();
}

void CDocManager::CloseAllDocuments(BOOL bEndSession)
{
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

BOOL CDocManager::SaveAllModified()
{
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr) {
        if (!GetNextDocTemplate(pos)->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}
