// The application object: one per module, found through the module state.
//
// A module's static application object is constructed while that module's
// own state is current (the module object makes it so before any other static
// object), so the constructor registers the application with the current
// state. AfxGetApp() answers for whichever state is current when it is
// called: inside a plug-in's entry point that runs in the host's state, that
// is the host's application.
#pragma once

#include "CWinThread.h"

class CDocManager;
class CDocTemplate;
class CDocument;

class AFX_API CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Takes ownership of pTemplate; the document manager is made on first use.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& rPos) const;

    // A new untitled document of the first template; null when it failed
    // (the failure has been reported).
    virtual CDocument* OnFileNew();
    // The document of lpszFileName: the open one if there is one (its frame is
    // brought to the front), else a newly opened one; null on failure.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    // Closes every document of every template.
    void CloseAllDocuments(BOOL bEndSession);
    // Asks every modified document to save; FALSE when one refused.
    BOOL SaveAllModified();

    // Called when a document gets a path; this framework keeps no recent-file
    // list (there is no settings store), so the default does nothing.
    virtual void AddToRecentFileList(LPCSTR lpszPathName);

    LPCSTR m_pszAppName = nullptr; // owned copy, or null
    CDocManager* m_pDocManager = nullptr;

protected:
    DECLARE_MESSAGE_MAP()

private:
    AFX_MODULE_STATE* m_pModuleState = nullptr; // the state this object registered with
};

// The application of the current module state, or null.
AFX_API CWinApp* AfxGetApp();
// The current application's main window, or null.
AFX_API CWnd* AfxGetMainWnd();
