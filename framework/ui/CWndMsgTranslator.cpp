// Contents: the event switch; paint; mouse; keys (with the key table).
#include "AfxQtAccess.h"
#include <afxwin.h>

#include "AfxCursor.h"
#include "CWndAccessible.h"
#include "CWndHandleMap.h"
#include "CWndMsgTranslator.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QResizeEvent>
#include <QTimerEvent>
#include <QWidget>

#include <cmath>

namespace
{

// Still the same window? A handler may have destroyed it.
bool IsStillWnd(QWidget* pWidget, CWnd* pWnd)
{
    return CWndHandleMap::Get().WndFromWidget(pWidget) == pWnd;
}

} // namespace

// ===========================================================================
// The event switch
// ===========================================================================

bool CWndMsgTranslator::Translate(QWidget* pWidget, QEvent* pEvent, UINT nKinds)
{
    CWnd* pWnd = CWndHandleMap::Get().WndFromWidget(pWidget);
    if (pWnd == nullptr)
        return false;
    switch (pEvent->type()) {
    case QEvent::Paint:
        return (nKinds & kindPaint) && TranslatePaint(pWnd, pWidget);
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return (nKinds & kindMouse) &&
               TranslateMouse(pWnd, pWidget, static_cast<QMouseEvent*>(pEvent));
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return (nKinds & kindKeys) && TranslateKey(pWnd, static_cast<QKeyEvent*>(pEvent));
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        // Qt still gets the event afterwards, for its own focus bookkeeping.
        if (nKinds & kindFocus)
            AfxCallWndProc(pWnd, pEvent->type() == QEvent::FocusIn ? WM_SETFOCUS : WM_KILLFOCUS, 0,
                           0);
        return false;
    case QEvent::Timer: {
        if (!(nKinds & kindTimer))
            return false;
        int nQtId = static_cast<QTimerEvent*>(pEvent)->timerId();
        for (auto [nIDEvent, nId] : pWnd->m_timers) {
            if (nId == nQtId) {
                AfxCallWndProc(pWnd, WM_TIMER, nIDEvent, 0);
                return true;
            }
        }
        return false;
    }
    case QEvent::Resize:
        if (nKinds & kindSize) {
            RECT rc;
            pWnd->GetClientRect(&rc);
            AfxCallWndProc(pWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.right, rc.bottom));
        }
        return false;
    case QEvent::Close:
        if (!(nKinds & kindClose))
            return false;
        // The window decides for itself: its WM_CLOSE handling destroys it or
        // not, so Qt must never close it behind the framework's back.
        pEvent->ignore();
        AfxCallWndProc(pWnd, WM_CLOSE, 0, 0);
        return true;
    default:
        return false;
    }
}

void CWndMsgTranslator::WidgetDestroying(QWidget* pWidget)
{
    if (CWnd* pWnd = CWndHandleMap::Get().WndFromWidget(pWidget))
        pWnd->OnWidgetDestroying();
}

// ===========================================================================
// Paint
// ===========================================================================

bool CWndMsgTranslator::TranslatePaint(CWnd* pWnd, QWidget* pWidget)
{
    QPainter painter(pWidget);
    const int b = pWnd->BorderWidth();
    RECT rcClient;
    pWnd->GetClientRect(&rcClient);
    // The platform erases unless every invalidation since the last paint
    // asked for none; paints that Qt asks for (exposure, resizing) erase.
    const bool bErase = !(pWnd->m_bInvalidNoErase && !pWnd->m_bInvalidErase);
    pWnd->m_bInvalidErase = FALSE;
    pWnd->m_bInvalidNoErase = FALSE;

    painter.save();
    painter.translate(b, b);
    painter.setClipRect(QRect(0, 0, rcClient.right, rcClient.bottom));
    pWnd->m_pPaintPainter = &painter;
    if (bErase) {
        CDC dc;
        AfxAttachPainter(&dc, &painter);
        painter.save();
        AfxCallWndProc(pWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
        painter.restore();
        AfxDetachPainter(&dc);
    }
    if (IsStillWnd(pWidget, pWnd)) {
        pWnd->m_strPaintingText.Empty();
        AfxCallWndProc(pWnd, WM_PAINT, 0, 0);
    }
    if (IsStillWnd(pWidget, pWnd)) {
        pWnd->m_pPaintPainter = nullptr;
        CWndAccessible::PaintEnded(pWnd);
    }
    painter.restore();

    if (b > 0)
        PaintBorder(painter, pWidget->size(), b);
    return true;
}

void CWndMsgTranslator::PaintBorder(QPainter& painter, QSize size, int nWidth)
{
    // The thin border of WS_BORDER, outside the client area. Filled, not
    // stroked: a pen of width 0 is one device pixel, but on a scaled screen
    // a logical pixel spans one or two, and the device pixels between such
    // a line and the client area (or past it, at the window's rounded-up
    // right and bottom edges) would never be painted. Fills round their
    // edges as the client area's fills do, so the two meet exactly.
    const int w = size.width();
    const int h = size.height();
    painter.fillRect(QRect(0, 0, w, nWidth), Qt::black);
    painter.fillRect(QRect(0, h - nWidth, w, nWidth), Qt::black);
    painter.fillRect(QRect(0, nWidth, nWidth, h - 2 * nWidth), Qt::black);
    painter.fillRect(QRect(w - nWidth, nWidth, nWidth, h - 2 * nWidth), Qt::black);
}

// ===========================================================================
// Mouse
// ===========================================================================

WPARAM CWndMsgTranslator::MouseFlags(const QMouseEvent* pEvent)
{
    WPARAM nFlags = 0;
    const Qt::MouseButtons buttons = pEvent->buttons();
    if (buttons & Qt::LeftButton)
        nFlags |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        nFlags |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        nFlags |= MK_MBUTTON;
    const Qt::KeyboardModifiers mods = pEvent->modifiers();
    if (mods & Qt::ShiftModifier)
        nFlags |= MK_SHIFT;
    if (mods & Qt::ControlModifier)
        nFlags |= MK_CONTROL;
    return nFlags;
}

bool CWndMsgTranslator::TranslateMouse(CWnd* pWnd, QWidget* pWidget, QMouseEvent* pEvent)
{
    const QPointF ptGlobal = pEvent->globalPosition();
    AfxNoteCursorPos(int(std::floor(ptGlobal.x())), int(std::floor(ptGlobal.y())));

    UINT message = 0;
    const Qt::MouseButton button = pEvent->button();
    const bool bRight = button == Qt::RightButton;
    const bool bMiddle = button == Qt::MiddleButton;
    switch (pEvent->type()) {
    case QEvent::MouseMove:
        message = WM_MOUSEMOVE;
        break;
    case QEvent::MouseButtonPress:
        message = bRight ? WM_RBUTTONDOWN : bMiddle ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
        break;
    case QEvent::MouseButtonRelease:
        message = bRight ? WM_RBUTTONUP : bMiddle ? WM_MBUTTONUP : WM_LBUTTONUP;
        break;
    default:
        message = bRight ? WM_RBUTTONDBLCLK : bMiddle ? WM_MBUTTONDBLCLK : WM_LBUTTONDBLCLK;
        break;
    }
    // Client coordinates, each a signed 16-bit half of lParam.
    const int b = pWnd->BorderWidth();
    const int x = int(std::floor(pEvent->position().x())) - b;
    const int y = int(std::floor(pEvent->position().y())) - b;
    AfxCallWndProc(pWnd, message, MouseFlags(pEvent), MAKELPARAM(x, y));
    pEvent->accept();
    return true;
}

// ===========================================================================
// Keys
// ===========================================================================

UINT CWndMsgTranslator::VirtualKeyFromQt(int nQtKey, bool bKeypad)
{
    if (nQtKey >= Qt::Key_A && nQtKey <= Qt::Key_Z)
        return UINT(nQtKey); // same codes
    if (nQtKey >= Qt::Key_0 && nQtKey <= Qt::Key_9)
        return bKeypad ? UINT(VK_NUMPAD0 + (nQtKey - Qt::Key_0)) : UINT(nQtKey);
    if (nQtKey >= Qt::Key_F1 && nQtKey <= Qt::Key_F24)
        return UINT(VK_F1 + (nQtKey - Qt::Key_F1));

    // Keys whose code depends on whether they sit on the keypad.
    struct KeypadKey {
        int nQtKey;
        UINT nKeypad;
        UINT nMain;
    };
    static const KeypadKey s_keypad[] = {
        {Qt::Key_Plus, VK_ADD, VK_OEM_PLUS},         {Qt::Key_Minus, VK_SUBTRACT, VK_OEM_MINUS},
        {Qt::Key_Asterisk, VK_MULTIPLY, '8'},        {Qt::Key_Slash, VK_DIVIDE, VK_OEM_2},
        {Qt::Key_Period, VK_DECIMAL, VK_OEM_PERIOD}, {Qt::Key_Comma, VK_SEPARATOR, VK_OEM_COMMA},
    };
    for (const KeypadKey& k : s_keypad) {
        if (k.nQtKey == nQtKey)
            return bKeypad ? k.nKeypad : k.nMain;
    }

    struct PlainKey {
        int nQtKey;
        UINT nVirtualKey;
    };
    static const PlainKey s_plain[] = {
        {Qt::Key_Equal, VK_OEM_PLUS},  {Qt::Key_Underscore, VK_OEM_MINUS},
        {Qt::Key_Backspace, VK_BACK},  {Qt::Key_Tab, VK_TAB},
        {Qt::Key_Backtab, VK_TAB},     {Qt::Key_Return, VK_RETURN},
        {Qt::Key_Enter, VK_RETURN},    {Qt::Key_Shift, VK_SHIFT},
        {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},
        {Qt::Key_Pause, VK_PAUSE},     {Qt::Key_CapsLock, VK_CAPITAL},
        {Qt::Key_Escape, VK_ESCAPE},   {Qt::Key_Space, VK_SPACE},
        {Qt::Key_PageUp, VK_PRIOR},    {Qt::Key_PageDown, VK_NEXT},
        {Qt::Key_End, VK_END},         {Qt::Key_Home, VK_HOME},
        {Qt::Key_Left, VK_LEFT},       {Qt::Key_Up, VK_UP},
        {Qt::Key_Right, VK_RIGHT},     {Qt::Key_Down, VK_DOWN},
        {Qt::Key_Insert, VK_INSERT},   {Qt::Key_Delete, VK_DELETE},
        {Qt::Key_NumLock, VK_NUMLOCK}, {Qt::Key_Semicolon, VK_OEM_1},
        {Qt::Key_Question, VK_OEM_2},
    };
    for (const PlainKey& k : s_plain) {
        if (k.nQtKey == nQtKey)
            return k.nVirtualKey;
    }
    return VK_NONAME;
}

bool CWndMsgTranslator::TranslateKey(CWnd* pWnd, QKeyEvent* pEvent)
{
    const bool bRelease = pEvent->type() == QEvent::KeyRelease;
    // The platform repeats only the key-down message while a key is held.
    if (bRelease && pEvent->isAutoRepeat())
        return true;
    const UINT nVirtualKey =
        VirtualKeyFromQt(pEvent->key(), pEvent->modifiers().testFlag(Qt::KeypadModifier));
    // lParam: repeat count 1, the scan code, bit 30 "was down", bit 31 "going up".
    DWORD dwKeyData = 1 | ((pEvent->nativeScanCode() & 0xFF) << 16);
    if (bRelease)
        dwKeyData |= 0xC0000000u;
    else if (pEvent->isAutoRepeat())
        dwKeyData |= 0x40000000u;
    AfxCallWndProc(pWnd, bRelease ? WM_KEYUP : WM_KEYDOWN, nVirtualKey, LPARAM(dwKeyData));
    pEvent->accept();
    return true;
}
