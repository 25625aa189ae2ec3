// The application's list of document templates. It owns the templates: they
// are deleted with the manager, that is with the application object.
#pragma once

#include "CPtrList.h"

class CDocTemplate;
class CDocument;

class AFX_API CDocManager : public CObject
{
    DECLARE_DYNAMIC(CDocManager)
public:
    CDocManager();
    ~CDocManager() override;

    // Appends pTemplate (taking ownership) and loads its strings.
    virtual void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& rPos) const;
    int GetDocumentCount() const;

    // A new untitled document of the first template, or null.
    virtual CDocument* OnFileNew();
    // See CWinApp::OpenDocumentFile.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual BOOL SaveAllModified();

private:
    static void ActivateDocumentFrame(CDocument* pDocument);

    CPtrList m_templateList;
};
