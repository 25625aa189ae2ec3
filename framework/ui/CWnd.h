// A window. Its handle (HWND) stands for one QWidget; messages reach the
// window's message map through WindowProc, whether they come from Qt events
// (translated in CWndMsgTranslator) or from SendMessage.
#pragma once

#include "../app/CCmdTarget.h"
#include "AfxGdi.h"
#include "AfxWinConst.h"

#include <map>

class QWidget;
class QPainter;
class CDC;
class CFrameWnd;
struct CCreateContext;

typedef void (*TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);

class AFX_API CWnd : public CCmdTarget
{
    DECLARE_DYNCREATE(CWnd)
public:
    enum AdjustType { adjustBorder = 0, adjustOutside = 1 };

    CWnd();
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    // The window object of a handle; null for a handle that names no window.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    // ---- creation and destruction ----
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                  int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                  LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Called last when the window is gone; frames and views delete themselves here.
    virtual void PostNcDestroy();

    // ---- messages ----
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Default processing of the message being handled.
    LRESULT Default();

    // ---- geometry, in the platform's conventions ----
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder);
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;

    // ---- state ----
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    DWORD GetStyle() const { return m_dwStyle; }
    CWnd* GetDlgItem(int nID) const;
    CWnd* GetParent() const;
    CFrameWnd* GetParentFrame() const;
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd) { m_pOwner = pOwnerWnd; }
    CWnd* SetFocus();
    static CWnd* GetFocus();
    void BringWindowToTop();

    void SetWindowText(LPCSTR lpszString);
    int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;

    // ---- painting ----
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void Invalidate(BOOL bErase = TRUE);
    void UpdateWindow();
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr,
                      LPCRECT lpClipRect = nullptr);
    // A context that measures with the window's font; release with ReleaseDC.
    CDC* GetDC();
    int ReleaseDC(CDC* pDC);

    // ---- timers, delivered as WM_TIMER ----
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // ---- accessibility, asked afresh by every query of assistive technology ----
    // A popup is a tool tip named by the text its last paint drew; any other
    // window is a client area named by its window text, without description.
    virtual CString GetAccessibleName() const;
    virtual DWORD GetAccessibleRole() const;
    virtual CString GetAccessibleDescription() const;

    // Commands arrive here from WM_COMMAND; the default routes the id through
    // the message maps (OnCmdMsg).
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

protected:
    // The Qt side of the window; outside the class library through
    // afxqt.h only.
    friend struct AfxQtAccess;
    QWidget* GetWidget() const { return m_pWidget; }
    static CWnd* FromWidget(const QWidget* pWidget);

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Builds the Qt side for a creation record. Frames override it to live in
    // a main window or an MDI area.
    virtual QWidget* CreateWidget(const CREATESTRUCT& cs, QWidget* pParentWidget);
    // Takes the Qt side away at destruction; it may still be delivering an
    // event, so it is deleted later when a message is being handled.
    virtual void ReleaseWidget(QWidget* pWidget, BOOL bDeleteWidget);

    // Handlers with the platform's default processing, for the message-map
    // entries of derived classes.
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnNcDestroy();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnClose();
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnTimer(UINT_PTR nIDEvent);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnRButtonDblClk(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);

    DECLARE_MESSAGE_MAP()

private:
    friend class CWndMsgTranslator;
    friend class CWndSurface;
    friend class CWndAccessible;
    friend LRESULT AfxCallWndProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam);

    QWidget* CreatePlainWidget(DWORD dwStyle, QWidget* pParentWidget);
    BOOL AttachWidget(QWidget* pWidget);
    void DetachWidget();
    void DestroyChildren();
    void DestroySequence(BOOL bDeleteWidget);
    void ApplyClass(LPCSTR lpszClassName);
    int BorderWidth() const;
    BOOL IsPopup() const;
    // Called by the Qt side when Qt deletes it first (a parent went away).
    void OnWidgetDestroying();

    QWidget* m_pWidget = nullptr;
    CWnd* m_pOwner = nullptr;
    DWORD m_dwStyle = 0;
    DWORD m_dwExStyle = 0;
    UINT m_nID = 0;
    HBRUSH m_hbrBackground = nullptr;
    std::map<UINT_PTR, int> m_timers; // window timer id -> Qt timer id
    // Painting state: valid only while a paint is being dispatched.
    QPainter* m_pPaintPainter = nullptr;
    // What the invalidations since the last paint asked for: the platform
    // erases unless every one of them said not to.
    BOOL m_bInvalidErase = FALSE;
    BOOL m_bInvalidNoErase = FALSE;
    BOOL m_bDestroying = FALSE;
    // The text the window's paints draw, for assistive technology: what the
    // paint under way has drawn so far, and what the last one drew.
    CString m_strPaintingText;
    CString m_strPaintedText;
    BOOL m_bTextAnnounced = FALSE; // since the window was last shown
};

// Sends a message to a window's procedure with the message recorded as the
// current one, so that Default() inside a handler knows what to pass on.
AFX_API LRESULT AfxCallWndProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam);
