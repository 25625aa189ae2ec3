// A document: the data behind one or more views, with the file it belongs to.
//
// The framework calls the On* operations; subclasses customise them and
// Serialize. Loading and saving go through an archive on a CFile. A failed
// load or save is reported once, through ReportSaveLoadException, and never
// leaves a damaged file behind: saving writes a temporary file beside the
// target and renames it over the target only when everything was written.
#pragma once

#include <functional>

#include "CCmdTarget.h"
#include "CPtrList.h"

#include <vector>

class CDocTemplate;
class CFrameWnd;
class CView;
class CException;
class CSaveFile;

class AFX_API CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    // Also refreshes the titles of the document's frames.
    virtual void SetTitle(LPCSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Stores the absolute form of the path and takes its file name as title.
    virtual void SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified();
    virtual void SetModifiedFlag(BOOL bModified = TRUE);

    // Views. A view joins with AddView and leaves with RemoveView (CView's
    // destructor calls it); losing the last view closes the document.
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    virtual POSITION GetFirstViewPosition() const;
    virtual CView* GetNextView(POSITION& rPosition) const;
    // Forgets the views without touching them, which keep no pointer back.
    virtual void DisconnectViews();

    // Empties the document's data; called before loading and when closing.
    virtual void DeleteContents();
    virtual BOOL OnNewDocument();
    // Loads lpszPathName through Serialize. On any failure the contents are
    // emptied, the failure is reported and the result is FALSE. An empty file
    // loads as an empty document, as in the framework this stands in for.
    virtual BOOL OnOpenDocument(LPCSTR lpszPathName);
    // Saves through Serialize, replacing lpszPathName atomically. On failure
    // the old file is untouched, no temporary file is left, the failure is
    // reported and the result is FALSE.
    virtual BOOL OnSaveDocument(LPCSTR lpszPathName);
    // Destroys the frames of all views, empties the document and, when it is
    // auto-deleting (the default), deletes it, which takes it off its template.
    virtual void OnCloseDocument();
    // The one place where load and save failures reach the user: the message
    // names the file and the cause, taken from e, else from lpszCause.
    virtual void ReportSaveLoadException(LPCSTR lpszPathName, CException* e, BOOL bSaving,
                                         LPCSTR lpszCause = nullptr);

    // Whether pFrame may close: TRUE unless it is the document's last frame
    // and the user declined to save (or cancelled).
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    // Asks to save a modified document; FALSE when the user cancels or the
    // save failed.
    virtual BOOL SaveModified();
    // Called by OnCloseDocument before it destroys pFrame.
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    // Refreshes the titles of the frames that show the document.
    virtual void UpdateFrameCounts();

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    CPtrList m_viewList;
    BOOL m_bModified = FALSE;
    BOOL m_bAutoDelete = TRUE; // deletes itself when closed
    BOOL m_bEmbedded = FALSE;  // made without a visible frame

protected:
    // Called whenever a view joins or leaves; closes the document when the
    // last view has gone (unless it is already closing).
    virtual void OnChangedViewList();

    DECLARE_MESSAGE_MAP()

private:
    // Both throw the framework's exceptions on failure.
    void ReadArchive(LPCSTR lpszPathName);
    void WriteArchive(CSaveFile& file);
    // strPath is the resolved path once work has resolved it; until then
    // failures name lpszPathName.
    template <class Work, class Undo>
    BOOL RunReported(LPCSTR lpszPathName, const CString& strPath, BOOL bSaving, Work work,
                     Undo undo);
    // The frames that show the document, each once, in view order.
    std::vector<CFrameWnd*> GetFrames() const;
};
