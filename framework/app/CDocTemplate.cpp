#include "CDocTemplate.h"

#include "AfxMessageBox.h"
#include "CCreateContext.h"
#include "CDocument.h"
#include "CWinApp.h"

#include "../ui/CFrameWnd.h"
#include "../ui/CMDIChildWnd.h"
#include "../ui/CMDIFrameWnd.h"
#include "../ui/CView.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocTemplate, CCmdTarget)
END_MESSAGE_MAP()

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass), m_pModuleState(AfxGetModuleState())
{
    // Loaded at once as well, so the strings are there even for a template
    // that is used without being added to an application.
    LoadTemplate();
}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty() && m_pModuleState != nullptr)
        m_pModuleState->LoadString(m_nIDResource, m_strDocStrings);
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const
{
    rString.Empty();
    const std::string& strings = m_strDocStrings.str();
    if (strings.empty())
        return FALSE;
    size_t nStart = 0;
    for (int i = 0; i < int(index); ++i) {
        const size_t nNewline = strings.find('\n', nStart);
        if (nNewline == std::string::npos)
            return FALSE;
        nStart = nNewline + 1;
    }
    const size_t nEnd = strings.find('\n', nStart);
    rString = CString(std::string_view(strings).substr(
        nStart, nEnd == std::string::npos ? std::string::npos : nEnd - nStart));
    return TRUE;
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (pDoc->m_pDocTemplate == this)
        pDoc->m_pDocTemplate = nullptr;
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCSTR lpszPathName, CDocument*& rpDocMatch)
{
    rpDocMatch = nullptr;
    POSITION pos = GetFirstDocPosition();
    while (pos != nullptr) {
        CDocument* pDoc = GetNextDoc(pos);
        if (pDoc->GetPathName() == lpszPathName) {
            rpDocMatch = pDoc;
            return yesAlreadyOpen;
        }
    }
    CString strFilterExt;
    if (GetDocString(strFilterExt, filterExt) && !strFilterExt.IsEmpty()) {
        const CString strPath(lpszPathName);
        const int nDot = strPath.ReverseFind('.');
        if (nDot >= 0 && strPath.Mid(nDot).CompareNoCase(strFilterExt) == 0)
            return yesAttemptNative;
    }
    return yesAttemptForeign;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    CObject* pObject = m_pDocClass != nullptr ? m_pDocClass->CreateObject() : nullptr;
    CDocument* pDocument = dynamic_cast<CDocument*>(pObject);
    if (pDocument == nullptr) {
        delete pObject;
        CString strMessage;
        strMessage.Format("Cannot create a document of class %s.",
                          m_pDocClass != nullptr ? m_pDocClass->m_lpszClassName : "(none)");
        AfxMessageBox(strMessage, MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    AddDocument(pDocument);
    return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;

    CObject* pObject = m_pFrameClass != nullptr ? m_pFrameClass->CreateObject() : nullptr;
    CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(pObject);
    if (pFrame == nullptr) {
        delete pObject;
        return nullptr;
    }
    // An MDI child refuses to load without an MDI main window before any
    // window exists, so nothing would delete it; it is caught here instead.
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) &&
        (pMainWnd == nullptr || !pMainWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))) {
        delete pFrame;
        return nullptr;
    }
    // A frame whose window fails to come up deletes itself in PostNcDestroy.
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    POSITION pos = GetFirstDocPosition();
    while (pos != nullptr) {
        if (!GetNextDoc(pos)->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL bEndSession)
{
    POSITION pos = GetFirstDocPosition();
    while (pos != nullptr) {
        CDocument* pDoc = GetNextDoc(pos);
        if (bEndSession)
            pDoc->DisconnectViews();
        pDoc->OnCloseDocument();
    }
}
