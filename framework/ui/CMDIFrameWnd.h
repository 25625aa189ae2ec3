// The MDI main frame: a QMainWindow whose central widget is the MDI client
// in which the child frames live.
#pragma once

#include "CFrameWnd.h"

class QMainWindow;
class QMdiArea;
class CMDIChildWnd;
class CMDIClientWnd;

class AFX_API CMDIFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();

    HWND m_hWndMDIClient = nullptr;

    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);
    CFrameWnd* GetActiveFrame() override;
    CDocument* GetActiveDocument() override;
    BOOL OnCmdMsg(UINT nID, int nCode) override;

protected:
    // The Qt side, for the host's menus, tool bars and status bar (through
    // afxqt.h).
    friend struct AfxQtAccess;
    QMainWindow* GetMainWindow() const;
    QMdiArea* GetMDIArea() const;
    // The client size that child frames created at the default size get, set
    // by a host that knows what it will show (through afxqt.h); while empty
    // they get a share of the MDI area.
    friend class CMDIChildWnd;
    CSize m_sizeChildClient{0, 0};

    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    QWidget* CreateWidget(const CREATESTRUCT& cs, QWidget* pParentWidget) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    void OnClose();

    DECLARE_MESSAGE_MAP()
};
