// Message-map entries for window messages. Each entry's thunk unpacks
// WPARAM/LPARAM into the handler's typed arguments exactly as the original
// framework did, so handlers keep their familiar signatures.
#pragma once

#include "AfxWinConst.h"

#define KFX_WM_ENTRY(msg, ...)                                                                     \
    {(msg), 0, 0, 0, [](CCmdTarget* p, WPARAM wParam, LPARAM lParam) -> LRESULT {                  \
         ThisClass* pThis = static_cast<ThisClass*>(p);                                            \
         __VA_ARGS__                                                                               \
     }},

#define KFX_WM_MOUSE_ENTRY(msg, memberFxn)                                                         \
    KFX_WM_ENTRY(                                                                                  \
        msg, pThis->memberFxn(UINT(wParam), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));   \
        return 0;)

#define KFX_WM_KEY_ENTRY(msg, memberFxn)                                                           \
    KFX_WM_ENTRY(msg, pThis->memberFxn(UINT(wParam), UINT(LOWORD(lParam)), UINT(HIWORD(lParam)));  \
                 return 0;)

// int OnCreate(LPCREATESTRUCT)
#define ON_WM_CREATE()                                                                             \
    KFX_WM_ENTRY(WM_CREATE,                                                                        \
                 return LRESULT(pThis->OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam)));)
// void OnDestroy()
#define ON_WM_DESTROY() KFX_WM_ENTRY(WM_DESTROY, pThis->OnDestroy(); return 0;)
// void OnNcDestroy()
#define ON_WM_NCDESTROY() KFX_WM_ENTRY(WM_NCDESTROY, pThis->OnNcDestroy(); return 0;)
// void OnPaint()
#define ON_WM_PAINT() KFX_WM_ENTRY(WM_PAINT, pThis->OnPaint(); return 0;)
// BOOL OnEraseBkgnd(CDC*)
#define ON_WM_ERASEBKGND()                                                                         \
    KFX_WM_ENTRY(WM_ERASEBKGND, return LRESULT(pThis->OnEraseBkgnd(                                \
                                    CDC::FromHandle(reinterpret_cast<HDC>(wParam))));)
// void OnSize(UINT nType, int cx, int cy)
#define ON_WM_SIZE()                                                                               \
    KFX_WM_ENTRY(WM_SIZE, pThis->OnSize(UINT(wParam), int(LOWORD(lParam)), int(HIWORD(lParam)));   \
                 return 0;)
// void OnClose()
#define ON_WM_CLOSE() KFX_WM_ENTRY(WM_CLOSE, pThis->OnClose(); return 0;)
// void OnSetFocus(CWnd* pOldWnd)
#define ON_WM_SETFOCUS()                                                                           \
    KFX_WM_ENTRY(WM_SETFOCUS, pThis->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))); \
                 return 0;)
// void OnKillFocus(CWnd* pNewWnd)
#define ON_WM_KILLFOCUS()                                                                          \
    KFX_WM_ENTRY(WM_KILLFOCUS,                                                                     \
                 pThis->OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));             \
                 return 0;)
// void OnTimer(UINT_PTR nIDEvent)
#define ON_WM_TIMER() KFX_WM_ENTRY(WM_TIMER, pThis->OnTimer(UINT_PTR(wParam)); return 0;)
// void OnMouseMove(UINT nFlags, CPoint point), and the button messages alike
#define ON_WM_MOUSEMOVE() KFX_WM_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() KFX_WM_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() KFX_WM_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() KFX_WM_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() KFX_WM_MOUSE_ENTRY(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() KFX_WM_MOUSE_ENTRY(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() KFX_WM_MOUSE_ENTRY(WM_RBUTTONDBLCLK, OnRButtonDblClk)
// void OnKeyDown/OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
#define ON_WM_KEYDOWN() KFX_WM_KEY_ENTRY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() KFX_WM_KEY_ENTRY(WM_KEYUP, OnKeyUp)
// LRESULT memberFxn(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn)                                                             \
    KFX_WM_ENTRY((message), return pThis->memberFxn(wParam, lParam);)
