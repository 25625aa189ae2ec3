// A document kind of which any number of documents may be open, each in its
// own MDI child frame.
#pragma once

#include "CDocTemplate.h"
#include "CPtrList.h"

class AFX_API CMultiDocTemplate : public CDocTemplate
{
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    ~CMultiDocTemplate() override;

    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;

    CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    // "<docName><n>" where n counts the untitled documents made so far, from
    // 1; "Untitled" when the template names no document.
    void SetDefaultTitle(CDocument* pDocument) override;

    // Documents in the order they were opened.
    CPtrList m_docList;
    UINT m_nUntitledCount = 0;

private:
    // Undoes a failed open: the frame goes, and the document with it.
    void DiscardAttempt(CFrameWnd* pFrame, CDocument* pDocument);
};
