#include "CDocument.h"

#include "AfxMessageBox.h"
#include "AfxPath.h"
#include "CDocTemplate.h"
#include "CSaveFile.h"
#include "CWinApp.h"

#include "../ui/CFrameWnd.h"
#include "../ui/CView.h"

#include <algorithm>
#include <new>
#include <stdexcept>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
END_MESSAGE_MAP()

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    // Views that outlive their document (a host tearing windows down in its
    // own order) must not call back into it.
    DisconnectViews();
    if (m_pDocTemplate != nullptr)
        m_pDocTemplate->RemoveDocument(this);
}

// ---------------------------------------------------------------------------
// Title, path and modified flag

void CDocument::SetTitle(LPCSTR lpszTitle)
{
    m_strTitle = lpszTitle != nullptr ? lpszTitle : "";
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU)
{
    m_strPathName = AfxFullPath(lpszPathName);
    m_bEmbedded = FALSE;
    const CString strFileName = AfxGetFileName(m_strPathName);
    if (!strFileName.IsEmpty())
        SetTitle(strFileName);
    CWinApp* pApp = AfxGetApp();
    if (bAddToMRU && pApp != nullptr)
        pApp->AddToRecentFileList(m_strPathName);
}

BOOL CDocument::IsModified()
{
    return m_bModified;
}

void CDocument::SetModifiedFlag(BOOL bModified)
{
    m_bModified = bModified ? TRUE : FALSE;
}

// ---------------------------------------------------------------------------
// Views

void CDocument::AddView(CView* pView)
{
    if (pView == nullptr || m_viewList.Find(pView) != nullptr)
        return;
    if (pView->m_pDocument != nullptr && pView->m_pDocument != this)
        pView->m_pDocument->RemoveView(pView);
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = m_viewList.Find(pView);
    if (pos == nullptr)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

POSITION CDocument::GetFirstViewPosition() const
{
    return m_viewList.GetHeadPosition();
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    if (rPosition == nullptr)
        return nullptr;
    return static_cast<CView*>(m_viewList.GetNext(rPosition));
}

void CDocument::DisconnectViews()
{
    while (!m_viewList.IsEmpty())
        static_cast<CView*>(m_viewList.RemoveHead())->m_pDocument = nullptr;
}

void CDocument::OnChangedViewList()
{
    // m_bAutoDelete is off while the document closes or is being set up, so
    // views that go away then do not start a second close.
    if (m_viewList.IsEmpty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

std::vector<CFrameWnd*> CDocument::GetFrames() const
{
    std::vector<CFrameWnd*> frames;
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr) {
        CFrameWnd* pFrame = GetNextView(pos)->GetParentFrame();
        if (pFrame != nullptr && std::find(frames.begin(), frames.end(), pFrame) == frames.end())
            frames.push_back(pFrame);
    }
    return frames;
}

void CDocument::UpdateFrameCounts()
{
    for (CFrameWnd* pFrame : GetFrames())
        pFrame->OnUpdateFrameTitle(TRUE);
}

// ---------------------------------------------------------------------------
// Life cycle

void CDocument::DeleteContents() {}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    // The frames are destroyed with the document still alive: their views
    // leave through RemoveView while auto-deletion is held off.
    const BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty()) {
        CView* pView = static_cast<CView*>(m_viewList.GetHead());
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != nullptr) {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow();
        }
        // A view without a frame, or one that survived its frame, is let go
        // here so that the loop always ends.
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView)
            RemoveView(pView);
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

void CDocument::PreCloseFrame(CFrameWnd* /*pFrame*/) {}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame)
{
    for (CFrameWnd* pOther : GetFrames()) {
        if (pOther != pFrame)
            return TRUE; // another frame keeps the document open
    }
    return SaveModified();
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    const CString& strName = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    const int nAnswer =
        AfxMessageBox("Save changes to " + strName + "?", MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    if (nAnswer == IDCANCEL)
        return FALSE;
    if (nAnswer == IDNO)
        return TRUE;
    if (m_strPathName.IsEmpty()) {
        // There is no file dialog to ask for a name; keeping the document
        // open is the only choice that loses nothing.
        ReportSaveLoadException(m_strTitle, nullptr, TRUE, "The document has no file name.");
        return FALSE;
    }
    return OnSaveDocument(m_strPathName);
}

// ---------------------------------------------------------------------------
// Loading and saving

namespace
{
// Documents run to megabytes; a buffer this size reads and writes them in a
// few system calls instead of hundreds.
constexpr int nArchiveBufSize = 64 * 1024;
} // namespace

void CDocument::ReadArchive(LPCSTR lpszPathName)
{
    CFile file;
    CFileException error;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
    CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete, nArchiveBufSize);
    ar.m_strFileName = lpszPathName;
    if (file.GetLength() != 0)
        Serialize(ar);
    ar.Close();
    // Nothing was written, so a failing close loses nothing; failing the
    // open for it would report an error for a document already loaded.
    file.Abort();
}

BOOL CDocument::OnOpenDocument(LPCSTR lpszPathName)
{
    CString strPath;
    return RunReported(
        lpszPathName, strPath, FALSE,
        [&] {
            strPath = AfxFullPath(lpszPathName);
            DeleteContents();
            SetModifiedFlag(TRUE); // dirty while half loaded
            ReadArchive(strPath);
        },
        [&] { DeleteContents(); });
}

void CDocument::WriteArchive(CSaveFile& file)
{
    CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete, nArchiveBufSize);
    ar.m_strFileName = file.GetTargetPath();
    Serialize(ar);
    ar.Close();
    file.Commit();
}

BOOL CDocument::OnSaveDocument(LPCSTR lpszPathName)
{
    if (lpszPathName == nullptr || *lpszPathName == '\0') {
        ReportSaveLoadException(m_strTitle, nullptr, TRUE, "The document has no file name.");
        return FALSE;
    }
    CString strPath;
    CSaveFile file;
    return RunReported(
        lpszPathName, strPath, TRUE,
        [&] {
            strPath = AfxFullPath(lpszPathName);
            CFileException error;
            if (!file.OpenTarget(strPath, &error))
                AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
            WriteArchive(file);
        },
        [&] { file.Discard(); });
}

// Runs a load or save step, marks the document clean when it succeeds, and
// otherwise undoes what the step left and reports the failure once. The
// step starts inside the guard, path resolution included, so that even a
// failed allocation is reported rather than thrown at the caller; the steps
// are taken as they are, not as std::function, which could itself allocate
// before the guard.
template <class Work, class Undo>
BOOL CDocument::RunReported(LPCSTR lpszPathName, const CString& strPath, BOOL bSaving, Work work,
                            Undo undo)
{
    CString strFailure;
    try {
        work();
        SetModifiedFlag(FALSE);
        return TRUE;
    } catch (CException* e) {
        undo();
        ReportSaveLoadException(strPath.IsEmpty() ? lpszPathName : strPath.GetString(), e, bSaving);
        e->Delete();
        return FALSE;
    } catch (const std::bad_alloc&) {
        strFailure = "Out of memory.";
    } catch (const std::exception& ex) {
        strFailure = ex.what();
    }
    undo();
    ReportSaveLoadException(strPath.IsEmpty() ? lpszPathName : strPath.GetString(), nullptr,
                            bSaving, strFailure);
    return FALSE;
}

void CDocument::ReportSaveLoadException(LPCSTR lpszPathName, CException* e, BOOL bSaving,
                                        LPCSTR lpszCause)
{
    CString strCause = e != nullptr ? e->GetErrorMessage() : CString();
    if (strCause.IsEmpty())
        strCause =
            lpszCause != nullptr && *lpszCause != '\0' ? lpszCause : "An unknown error occurred.";
    CString strMessage;
    strMessage.Format(bSaving ? "Cannot save the document to %s: %s"
                              : "Cannot open the document %s: %s",
                      lpszPathName != nullptr ? lpszPathName : "", strCause.GetString());
    AfxMessageBox(strMessage, MB_OK | MB_ICONEXCLAMATION);
}
