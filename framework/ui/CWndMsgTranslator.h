// The one place where Qt events become window messages. Paint becomes
// WM_ERASEBKGND (unless the invalidation asked for none) then WM_PAINT;
// mouse, keys, focus, timers, resizing and closing become their messages,
// with the platform's packing of WPARAM and LPARAM.
#pragma once

#include "AfxWinConst.h"

class QEvent;
class QWidget;
class QPaintEvent;
class QMouseEvent;
class QKeyEvent;
class QPainter;
class QSize;
class CWnd;

class AFX_API CWndMsgTranslator
{
public:
    // Which kinds of event a widget hands over; frames built on Qt's own
    // containers keep Qt's painting and mouse handling.
    enum Kinds : UINT {
        kindPaint = 0x01,
        kindMouse = 0x02,
        kindKeys = 0x04,
        kindFocus = 0x08,
        kindTimer = 0x10,
        kindSize = 0x20,
        kindClose = 0x40,
        kindAll = 0x7F,
        kindFrame = kindFocus | kindTimer | kindSize | kindClose,
    };

    // TRUE when the event was consumed as messages.
    static bool Translate(QWidget* pWidget, QEvent* pEvent, UINT nKinds);
    // Qt is deleting a window's widget before the window was destroyed (its
    // parent went away): the window is destroyed now, messages and all.
    static void WidgetDestroying(QWidget* pWidget);

    // The platform's virtual-key code for a Qt key, keypad keys told apart.
    static UINT VirtualKeyFromQt(int nQtKey, bool bKeypad);
    static WPARAM MouseFlags(const QMouseEvent* pEvent);

private:
    static bool TranslatePaint(CWnd* pWnd, QWidget* pWidget);
    static void PaintBorder(QPainter& painter, QSize size, int nWidth);
    static bool TranslateMouse(CWnd* pWnd, QWidget* pWidget, QMouseEvent* pEvent);
    static bool TranslateKey(CWnd* pWnd, QKeyEvent* pEvent);
};
