// The process's table of window handles. A handle is a number handed out
// once, never a widget's address, so a stale handle cannot name a new window.
#pragma once

#include "AfxWinConst.h"

#include <unordered_map>

class QWidget;
class CWnd;

class CWndHandleMap
{
public:
    static CWndHandleMap& Get();

    HWND Add(QWidget* pWidget, CWnd* pWnd);
    void Remove(HWND hWnd);
    CWnd* LookupWnd(HWND hWnd) const;
    QWidget* LookupWidget(HWND hWnd) const;
    // The window of a widget, or of its nearest mapped ancestor with bAncestors.
    CWnd* WndFromWidget(const QWidget* pWidget, BOOL bAncestors = FALSE) const;

private:
    struct Entry {
        QWidget* pWidget;
        CWnd* pWnd;
    };
    std::unordered_map<HWND, Entry> m_byHandle;
    std::unordered_map<const void*, HWND> m_byWidget; // keyed by QObject address
    uintptr_t m_nNextHandle = 0x10;
};
