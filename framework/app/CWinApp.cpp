#include "CWinApp.h"

#include "AfxMessageBox.h"
#include "CDocManager.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_pszAppName(lpszAppName != nullptr ? strdup(lpszAppName) : nullptr),
      m_pModuleState(AfxGetModuleState())
{
    m_pModuleState->m_pCurrentWinApp = this;
}

CWinApp::~CWinApp()
{
    // The documents' frames may already be gone with the process's windows,
    // so only the templates (and with them the record of documents) go here.
    delete m_pDocManager;
    m_pDocManager = nullptr;
    if (m_pModuleState->m_pCurrentWinApp == this)
        m_pModuleState->m_pCurrentWinApp = nullptr;
    std::free(const_cast<char*>(m_pszAppName));
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate == nullptr)
        return;
    if (m_pDocManager == nullptr)
        m_pDocManager = new CDocManager;
    m_pDocManager->AddDocTemplate(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_pDocManager != nullptr ? m_pDocManager->GetFirstDocTemplatePosition() : nullptr;
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& rPos) const
{
    if (m_pDocManager == nullptr || rPos == nullptr)
        return nullptr;
    return m_pDocManager->GetNextDocTemplate(rPos);
}

CDocument* CWinApp::OnFileNew()
{
    if (m_pDocManager == nullptr) {
        AfxMessageBox("Cannot create a new document: no document type is registered.",
                      MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    return m_pDocManager->OnFileNew();
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName)
{
    if (m_pDocManager == nullptr) {
        CString strMessage;
        strMessage.Format("Cannot open %s: no document type is registered.",
                          lpszFileName != nullptr ? lpszFileName : "");
        AfxMessageBox(strMessage, MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    return m_pDocManager->OpenDocumentFile(lpszFileName);
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    if (m_pDocManager != nullptr)
        m_pDocManager->CloseAllDocuments(bEndSession);
}

BOOL CWinApp::SaveAllModified()
{
    return m_pDocManager != nullptr ? m_pDocManager->SaveAllModified() : TRUE;
}

void CWinApp::AddToRecentFileList(LPCSTR /*lpszPathName*/) {}

CWinApp* AfxGetApp()
{
    return AfxGetModuleState()->m_pCurrentWinApp;
}

CWnd* AfxGetMainWnd()
{
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr ? pApp->m_pMainWnd : nullptr;
}
