// Contents: message dispatch (with the default handlers); creation and
// destruction; geometry; state, relatives and text; painting requests;
// timers; device contexts handed out by GetDC.
#include "AfxQtAccess.h"
#include <afxwin.h>

#include "AfxQtText.h"
#include "CWndAccessible.h"
#include "CWndHandleMap.h"
#include "CWndWidget.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QPointer>
#include <QWidget>

#include <vector>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

namespace
{

// The message being handled, for Default(), and how deep handlers are
// nested, so that a window destroyed from inside a Qt event is not deleted
// under Qt's feet.
struct CurrentMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};
thread_local CurrentMessage t_current;
thread_local int t_nDispatchDepth = 0;

// An MDI child's widget sits in a sub-window, which is what is shown and moved.
QWidget* OuterWidget(QWidget* pWidget)
{
    if (QMdiSubWindow* pSub = AfxGetMDISubWindow(pWidget))
        return pSub;
    return pWidget;
}

} // namespace

// ===========================================================================
// Message dispatch
// ===========================================================================

LRESULT AfxCallWndProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (pWnd == nullptr)
        return 0;
    struct Scope {
        CurrentMessage saved = t_current;
        Scope(const CurrentMessage& cur)
        {
            t_current = cur;
            ++t_nDispatchDepth;
        }
        ~Scope()
        {
            --t_nDispatchDepth;
            t_current = saved;
        }
    } scope(CurrentMessage{message, wParam, lParam});
    return pWnd->WindowProc(message, wParam, lParam);
}

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    // A window object going away with its window still there takes the window
    // with it; only CWnd's own handlers are reachable by now.
    if (m_hWnd != nullptr)
        DestroyWindow();
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return FromHandlePermanent(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return CWndHandleMap::Get().LookupWnd(hWnd);
}

CWnd* CWnd::FromWidget(const QWidget* pWidget)
{
    return CWndHandleMap::Get().WndFromWidget(pWidget);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return AfxCallWndProc(this, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pWidget == nullptr)
        return FALSE;
    // The handle, not the object, travels: a window destroyed before the
    // message is delivered simply does not get it.
    HWND hWnd = m_hWnd;
    QMetaObject::invokeMethod(
        m_pWidget,
        [hWnd, message, wParam, lParam] {
            AfxCallWndProc(CWnd::FromHandlePermanent(hWnd), message, wParam, lParam);
        },
        Qt::QueuedConnection);
    return TRUE;
}

LRESULT CWnd::Default()
{
    return DefWindowProc(t_current.message, t_current.wParam, t_current.lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(message, 0, 0);
    if (pEntry == nullptr)
        return FALSE;
    *pResult = pEntry->pfn(this, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_SETTEXT:
        if (m_pWidget != nullptr)
            m_pWidget->setWindowTitle(AfxToQString(reinterpret_cast<LPCSTR>(lParam)));
        return TRUE;
    case WM_ERASEBKGND: {
        if (m_hbrBackground == nullptr || wParam == 0)
            return 0;
        CRect rcClient;
        GetClientRect(&rcClient);
        CDC::FromHandle(reinterpret_cast<HDC>(wParam))
            ->FillRect(&rcClient, CBrush::FromHandle(m_hbrBackground));
        return 1;
    }
    default:
        return 0;
    }
}

// The handlers that message maps name when a class has nothing of its own to
// add: each is the platform's default processing.
int CWnd::OnCreate(LPCREATESTRUCT)
{
    return int(Default());
}
void CWnd::OnDestroy()
{
    Default();
}
void CWnd::OnNcDestroy()
{
    Default();
}
void CWnd::OnPaint()
{
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return BOOL(Default());
}
void CWnd::OnSize(UINT, int, int)
{
    Default();
}
void CWnd::OnClose()
{
    Default();
}
void CWnd::OnSetFocus(CWnd*)
{
    Default();
}
void CWnd::OnKillFocus(CWnd*)
{
    Default();
}
void CWnd::OnTimer(UINT_PTR)
{
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT)
{
    Default();
}

// ===========================================================================
// Creation and destruction
// ===========================================================================

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID,
                    pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    AfxWindowExtent(rect.left, rect.right), AfxWindowExtent(rect.top, rect.bottom),
                    (pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr),
                    reinterpret_cast<HMENU>(uintptr_t(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam)
{
    if (m_hWnd != nullptr)
        return FALSE;
    CREATESTRUCT cs;
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = LONG(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    QWidget* pWidget = CreateWidget(cs, CWndHandleMap::Get().LookupWidget(cs.hwndParent));
    if (pWidget == nullptr)
        return FALSE;
    m_dwStyle = DWORD(cs.style);
    m_dwExStyle = cs.dwExStyle;
    m_nID = (m_dwStyle & WS_CHILD) ? UINT(reinterpret_cast<uintptr_t>(cs.hMenu)) : 0;
    AttachWidget(pWidget);
    ApplyClass(cs.lpszClass);
    if (cs.x != CW_USEDEFAULT && cs.cx != CW_USEDEFAULT)
        MoveWindow(cs.x, cs.y, cs.cx, cs.cy, FALSE);
    pWidget->setWindowTitle(AfxToQString(cs.lpszName));
    if (AfxCallWndProc(this, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow();
        return FALSE;
    }
    if (m_dwStyle & WS_VISIBLE)
        ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&)
{
    return TRUE;
}

QWidget* CWnd::CreateWidget(const CREATESTRUCT& cs, QWidget* pParentWidget)
{
    QWidget* pWidget = CreatePlainWidget(DWORD(cs.style), pParentWidget);
    if (pWidget != nullptr) {
        // Painting follows the platform: what an erase or a paint leaves
        // alone keeps its previous pixels. Moves arrive without a button held.
        pWidget->setAttribute(Qt::WA_OpaquePaintEvent);
        pWidget->setMouseTracking(true);
    }
    return pWidget;
}

QWidget* CWnd::CreatePlainWidget(DWORD dwStyle, QWidget* pParentWidget)
{
    if (dwStyle & WS_CHILD) {
        if (pParentWidget == nullptr)
            return nullptr; // a child window needs its parent
        auto* pWidget = new CWndWidget(CWndMsgTranslator::kindAll, pParentWidget);
        // A click focuses any child; Tab reaches only those that ask for it.
        const bool bTabStop = (dwStyle & WS_TABSTOP) && (dwStyle & WS_CAPTION) != WS_CAPTION;
        pWidget->setFocusPolicy(bTabStop ? Qt::StrongFocus : Qt::ClickFocus);
        CWndAccessible::Install();
        return pWidget;
    }
    QWidget* pWidget = nullptr;
    if (dwStyle & WS_POPUP) {
        // A tip-like window: on top of its owner, never taking the focus or
        // activation away from it.
        pWidget = new CWndWidget(CWndMsgTranslator::kindAll, pParentWidget,
                                 Qt::ToolTip | Qt::FramelessWindowHint);
        pWidget->setAttribute(Qt::WA_ShowWithoutActivating);
        pWidget->setFocusPolicy(Qt::NoFocus);
        CWndAccessible::Install();
    } else {
        pWidget = new CWndWidget(CWndMsgTranslator::kindAll, pParentWidget, Qt::Window);
        pWidget->setFocusPolicy(Qt::StrongFocus);
    }
    // A window of its own paints whatever its owner's redraw state: Qt
    // copies a frozen owner's state into a new widget, and when the owner
    // thaws it passes that on to children only, never to windows, so a
    // popup made during a freeze would stay unpainted on screen for good.
    pWidget->setUpdatesEnabled(true);
    return pWidget;
}

BOOL CWnd::AttachWidget(QWidget* pWidget)
{
    m_pWidget = pWidget;
    m_hWnd = CWndHandleMap::Get().Add(pWidget, this);
    return TRUE;
}

void CWnd::DetachWidget()
{
    CWndHandleMap::Get().Remove(m_hWnd);
    m_hWnd = nullptr;
    m_pWidget = nullptr;
}

void CWnd::ApplyClass(LPCSTR lpszClassName)
{
    const AFX_WNDCLASS* pClass = AfxFindWndClass(lpszClassName);
    m_hbrBackground = pClass != nullptr ? pClass->hbrBackground : nullptr;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr || m_bDestroying)
        return FALSE;
    DestroySequence(TRUE);
    return TRUE;
}

void CWnd::DestroySequence(BOOL bDeleteWidget)
{
    m_bDestroying = TRUE;
    QWidget* pWidget = m_pWidget;
    AfxCallWndProc(this, WM_DESTROY, 0, 0);
    DestroyChildren();
    for (auto [nIDEvent, nQtId] : m_timers)
        pWidget->killTimer(nQtId);
    m_timers.clear();
    AfxCallWndProc(this, WM_NCDESTROY, 0, 0);
    DetachWidget();
    ReleaseWidget(pWidget, bDeleteWidget);
    m_bDestroying = FALSE;
    PostNcDestroy();
}

void CWnd::DestroyChildren()
{
    // Children and owned popups are Qt descendants; each is destroyed by the
    // nearest window above it, so collect only this window's own.
    std::vector<HWND> children;
    CWndHandleMap& map = CWndHandleMap::Get();
    for (QWidget* pChild : m_pWidget->findChildren<QWidget*>()) {
        CWnd* pChildWnd = map.WndFromWidget(pChild);
        if (pChildWnd != nullptr && map.WndFromWidget(pChild->parentWidget(), TRUE) == this)
            children.push_back(pChildWnd->m_hWnd);
    }
    for (HWND hChild : children) {
        if (CWnd* pChild = map.LookupWnd(hChild))
            pChild->DestroyWindow();
    }
}

void CWnd::ReleaseWidget(QWidget* pWidget, BOOL bDeleteWidget)
{
    if (!bDeleteWidget)
        return;
    pWidget->hide();
    if (t_nDispatchDepth > 0)
        pWidget->deleteLater();
    else
        delete pWidget;
}

void CWnd::OnWidgetDestroying()
{
    if (!m_bDestroying && m_hWnd != nullptr)
        DestroySequence(FALSE);
}

void CWnd::PostNcDestroy() {}

// ===========================================================================
// Geometry
// ===========================================================================

BOOL CWnd::IsPopup() const
{
    return (m_dwStyle & WS_POPUP) && !(m_dwStyle & WS_CHILD);
}

int CWnd::BorderWidth() const
{
    // A thin border without a caption is drawn by the framework; windows with
    // a caption get Qt's decoration outside their client area.
    return (m_dwStyle & WS_BORDER) && (m_dwStyle & WS_CAPTION) != WS_CAPTION ? 1 : 0;
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT)
{
    int b = BorderWidth();
    lpClientRect->left -= b;
    lpClientRect->top -= b;
    lpClientRect->right += b;
    lpClientRect->bottom += b;
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    if (m_pWidget == nullptr)
        return;
    QWidget* pOuter = OuterWidget(m_pWidget);
    if (!pOuter->isWindow() && pOuter == m_pWidget) {
        // Child coordinates are relative to the parent's client area.
        if (CWnd* pParent = GetParent()) {
            x += pParent->BorderWidth();
            y += pParent->BorderWidth();
        }
    }
    const QRect rcNew(x, y, qMax(0, nWidth), qMax(0, nHeight));
    // A Wayland popup's place is fixed when the compositor maps it, and
    // this Qt cannot reposition one already shown: the move would be kept
    // by Qt but not reach the screen. Mapping it afresh at the new place
    // is what moving means there.
    if (IsPopup() && pOuter->isVisible() && pOuter->pos() != rcNew.topLeft() &&
        QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        pOuter->hide();
        // Its next paint tells assistive technology of it again, as shown.
        CWndAccessible::Hidden(this);
        pOuter->setGeometry(rcNew);
        pOuter->show();
    } else {
        pOuter->setGeometry(rcNew);
    }
    if (bRepaint)
        Invalidate();
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
               lpRect->bottom - lpRect->top, bRepaint);
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    int b = BorderWidth();
    lpRect->left = 0;
    lpRect->top = 0;
    lpRect->right = m_pWidget != nullptr ? qMax(0, m_pWidget->width() - 2 * b) : 0;
    lpRect->bottom = m_pWidget != nullptr ? qMax(0, m_pWidget->height() - 2 * b) : 0;
}

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    if (m_pWidget == nullptr) {
        lpRect->left = lpRect->top = lpRect->right = lpRect->bottom = 0;
        return;
    }
    QWidget* pOuter = OuterWidget(m_pWidget);
    QRect rc = pOuter->isWindow() ? pOuter->frameGeometry()
                                  : QRect(pOuter->mapToGlobal(QPoint(0, 0)), pOuter->size());
    lpRect->left = rc.left();
    lpRect->top = rc.top();
    lpRect->right = rc.left() + rc.width();
    lpRect->bottom = rc.top() + rc.height();
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    if (m_pWidget == nullptr)
        return;
    int b = BorderWidth();
    QPoint pt = m_pWidget->mapToGlobal(QPoint(lpPoint->x + b, lpPoint->y + b));
    lpPoint->x = pt.x();
    lpPoint->y = pt.y();
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ClientToScreen(reinterpret_cast<LPPOINT>(&lpRect->left));
    ClientToScreen(reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    if (m_pWidget == nullptr)
        return;
    int b = BorderWidth();
    QPoint pt = m_pWidget->mapFromGlobal(QPoint(lpPoint->x, lpPoint->y));
    lpPoint->x = pt.x() - b;
    lpPoint->y = pt.y() - b;
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ScreenToClient(reinterpret_cast<LPPOINT>(&lpRect->left));
    ScreenToClient(reinterpret_cast<LPPOINT>(&lpRect->right));
}

// ===========================================================================
// State, relatives and text
// ===========================================================================

BOOL CWnd::ShowWindow(int nCmdShow)
{
    if (m_pWidget == nullptr)
        return FALSE;
    QWidget* pOuter = OuterWidget(m_pWidget);
    BOOL bWasVisible = pOuter->isVisible();
    switch (nCmdShow) {
    case SW_HIDE:
        pOuter->hide();
        CWndAccessible::Hidden(this);
        return bWasVisible;
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
    case SW_SHOWMINNOACTIVE:
        pOuter->setAttribute(Qt::WA_ShowWithoutActivating);
        break;
    default:
        break;
    }
    m_pWidget->show();
    if (nCmdShow == SW_SHOWMAXIMIZED)
        pOuter->showMaximized();
    else if (nCmdShow == SW_MINIMIZE || nCmdShow == SW_SHOWMINIMIZED)
        pOuter->showMinimized();
    else if (nCmdShow == SW_RESTORE)
        pOuter->showNormal();
    else
        pOuter->show();
    return bWasVisible;
}

BOOL CWnd::IsWindowVisible() const
{
    return m_pWidget != nullptr && m_pWidget->isVisible();
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    if (m_pWidget == nullptr)
        return nullptr;
    CWndHandleMap& map = CWndHandleMap::Get();
    for (QWidget* pChild : m_pWidget->findChildren<QWidget*>()) {
        CWnd* pWnd = map.WndFromWidget(pChild);
        if (pWnd != nullptr && pWnd->m_nID == UINT(nID) && pWnd->GetParent() == this)
            return pWnd;
    }
    return nullptr;
}

CWnd* CWnd::GetParent() const
{
    if (m_pWidget == nullptr)
        return nullptr;
    // A popup's Qt parent is its owner, which is what the platform reports
    // as the parent of a popup too.
    return CWndHandleMap::Get().WndFromWidget(m_pWidget->parentWidget(), TRUE);
}

CFrameWnd* CWnd::GetParentFrame() const
{
    for (CWnd* pWnd = GetParent(); pWnd != nullptr; pWnd = pWnd->GetParent()) {
        if (pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return static_cast<CFrameWnd*>(pWnd);
    }
    return nullptr;
}

CWnd* CWnd::GetOwner() const
{
    return m_pOwner != nullptr ? m_pOwner : GetParent();
}

CWnd* CWnd::SetFocus()
{
    CWnd* pOld = GetFocus();
    if (m_pWidget != nullptr)
        m_pWidget->setFocus(Qt::OtherFocusReason);
    return pOld;
}

CWnd* CWnd::GetFocus()
{
    return CWndHandleMap::Get().WndFromWidget(QApplication::focusWidget(), TRUE);
}

void CWnd::BringWindowToTop()
{
    if (m_pWidget != nullptr)
        OuterWidget(m_pWidget)->raise();
}

void CWnd::SetWindowText(LPCSTR lpszString)
{
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpszString != nullptr ? lpszString : ""));
}

void CWnd::GetWindowText(CString& rString) const
{
    rString = m_pWidget != nullptr ? AfxFromQStringLossy(m_pWidget->windowTitle()) : CString();
}

int CWnd::GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const
{
    if (lpszStringBuf == nullptr || nMaxCount <= 0)
        return 0;
    CString str;
    GetWindowText(str);
    int nCopy = qMin(str.GetLength(), nMaxCount - 1);
    std::copy_n(str.GetString(), nCopy, lpszStringBuf);
    lpszStringBuf[nCopy] = '\0';
    return nCopy;
}

CString CWnd::GetAccessibleName() const
{
    if (IsPopup())
        return m_strPaintedText;
    CString strText;
    GetWindowText(strText);
    return strText;
}

DWORD CWnd::GetAccessibleRole() const
{
    return IsPopup() ? ROLE_SYSTEM_TOOLTIP : ROLE_SYSTEM_CLIENT;
}

CString CWnd::GetAccessibleDescription() const
{
    return CString();
}

// ===========================================================================
// Painting requests
// ===========================================================================

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    if (m_pWidget == nullptr)
        return;
    (bErase ? m_bInvalidErase : m_bInvalidNoErase) = TRUE;
    if (lpRect == nullptr) {
        m_pWidget->update();
        return;
    }
    int b = BorderWidth();
    m_pWidget->update(QRect(QPoint(lpRect->left + b, lpRect->top + b),
                            QPoint(lpRect->right + b - 1, lpRect->bottom + b - 1)));
}

void CWnd::Invalidate(BOOL bErase)
{
    InvalidateRect(nullptr, bErase);
}

void CWnd::UpdateWindow()
{
    if (m_pWidget != nullptr && (m_bInvalidErase || m_bInvalidNoErase))
        m_pWidget->repaint();
}

void CWnd::ScrollWindow(int xAmount, int yAmount, LPCRECT, LPCRECT)
{
    // Qt moves the drawn pixels and asks for a paint of the strip they
    // uncover, as the platform does; that strip is erased first.
    if (m_pWidget != nullptr)
        m_pWidget->scroll(xAmount, yAmount);
}

// ===========================================================================
// Timers
// ===========================================================================

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC)
{
    if (m_pWidget == nullptr)
        return 0;
    KillTimer(nIDEvent);
    // The platform's floor for timer periods, so a period of 0 cannot flood
    // the queue.
    const UINT nMinimumElapse = 10;
    int nQtId = m_pWidget->startTimer(int(qMax(nElapse, nMinimumElapse)));
    if (nQtId == 0)
        return 0;
    m_timers[nIDEvent] = nQtId;
    return nIDEvent;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    auto it = m_timers.find(nIDEvent);
    if (it == m_timers.end() || m_pWidget == nullptr)
        return FALSE;
    m_pWidget->killTimer(it->second);
    m_timers.erase(it);
    return TRUE;
}

// ===========================================================================
// Device contexts handed out by GetDC
// ===========================================================================

CDC* CWnd::GetDC()
{
    if (m_pWidget == nullptr)
        return nullptr;
    return new CClientDC(this);
}

int CWnd::ReleaseDC(CDC* pDC)
{
    // Only contexts from GetDC are released here; anything else is left alone.
    auto* pClientDC = dynamic_cast<CClientDC*>(pDC);
    if (pClientDC == nullptr)
        return 0;
    delete pClientDC;
    return 1;
}

QMdiSubWindow* AfxGetMDISubWindow(const QWidget* pWidget)
{
    return pWidget != nullptr ? qobject_cast<QMdiSubWindow*>(pWidget->parentWidget()) : nullptr;
}
