// A kind of document: which document, frame and view classes make it up, and
// the texts that describe it. Subclasses decide how many documents of the
// kind may be open (CMultiDocTemplate: any number).
//
// The texts come from the string table of the module whose state was current
// when the template was constructed. A plug-in constructs its template in its
// own state, but the template is used later while the host's state is
// current; keeping the constructing state lets the template still read the
// plug-in's strings then.
#pragma once

#include "CCmdTarget.h"

class CDocument;
class CFrameWnd;

class AFX_API CDocTemplate : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocTemplate)
public:
    // The newline-separated fields of the document string, in order.
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };
    // How well a file suits this template, best last.
    enum Confidence {
        noAttempt,
        maybeAttemptForeign,
        maybeAttemptNative,
        yesAttemptForeign,
        yesAttemptNative,
        yesAlreadyOpen
    };

    ~CDocTemplate() override;

    // Reads the document string from the constructing module's string table;
    // the document manager calls it when the template is added.
    virtual void LoadTemplate();
    // Field `index` of the document string; FALSE (and empty) when the string
    // has fewer fields.
    virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;
    AFX_MODULE_STATE* GetModuleState() const { return m_pModuleState; }
    UINT GetResourceID() const { return m_nIDResource; }

    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    // Records pDoc as one of this template's documents and points it back here.
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);

    virtual Confidence MatchDocType(LPCSTR lpszPathName, CDocument*& rpDocMatch);
    // A new document of the document class, added to this template; null
    // (reported) when the class cannot be created.
    virtual CDocument* CreateNewDocument();
    // A frame of the frame class holding a view of the view class on pDoc;
    // null when the frame could not be made.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    // Opens lpszPathName, or makes a new untitled document when it is null.
    // On failure nothing of the attempt is left and the result is null.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;

    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);

protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                 CRuntimeClass* pViewClass);

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
    AFX_MODULE_STATE* m_pModuleState; // current at construction

    DECLARE_MESSAGE_MAP()
};
