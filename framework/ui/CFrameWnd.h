// A frame: a window that holds a view of a document as its client, keeps
// its title in step with the document and closes the document with it.
#pragma once

#include "CWnd.h"

class CView;
class CDocument;

// Sent to the views of a frame by InitialUpdateFrame.
#define WM_INITIALUPDATE 0x0364

class AFX_API CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    static const RECT rectDefault; // lets the platform choose

    virtual BOOL LoadFrame(UINT nIDResource,
                           DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr,
                LPCSTR lpszMenuName = nullptr, DWORD dwExStyle = 0,
                CCreateContext* pContext = nullptr);

    // Gives the views their OnInitialUpdate and, with bMakeVisible, shows and
    // activates the frame.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);

    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual CFrameWnd* GetActiveFrame() { return this; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Commands go to the active view (and through it its document) first.
    BOOL OnCmdMsg(UINT nID, int nCode) override;

    CString m_strTitle;

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    // Makes the view pane fill the client area.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // TRUE when no other frame shows a view of pDoc.
    BOOL IsOnlyFrameOf(CDocument* pDoc);
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);

    CView* m_pViewActive = nullptr;
    UINT m_nIDHelp = 0;

    DECLARE_MESSAGE_MAP()
};
