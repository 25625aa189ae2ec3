#include "CWndHandleMap.h"

#include <QWidget>

CWndHandleMap& CWndHandleMap::Get()
{
    static CWndHandleMap map;
    return map;
}

HWND CWndHandleMap::Add(QWidget* pWidget, CWnd* pWnd)
{
    // Steps of 4 keep handles aligned like the platform's, and odd values
    // out, so that a handle can never be mistaken for a small integer id.
    HWND hWnd = reinterpret_cast<HWND>(m_nNextHandle);
    m_nNextHandle += 4;
    m_byHandle[hWnd] = Entry{pWidget, pWnd};
    m_byWidget[static_cast<const QObject*>(pWidget)] = hWnd;
    return hWnd;
}

void CWndHandleMap::Remove(HWND hWnd)
{
    auto it = m_byHandle.find(hWnd);
    if (it == m_byHandle.end())
        return;
    m_byWidget.erase(static_cast<const QObject*>(it->second.pWidget));
    m_byHandle.erase(it);
}

CWnd* CWndHandleMap::LookupWnd(HWND hWnd) const
{
    auto it = m_byHandle.find(hWnd);
    return it == m_byHandle.end() ? nullptr : it->second.pWnd;
}

QWidget* CWndHandleMap::LookupWidget(HWND hWnd) const
{
    auto it = m_byHandle.find(hWnd);
    return it == m_byHandle.end() ? nullptr : it->second.pWidget;
}

CWnd* CWndHandleMap::WndFromWidget(const QWidget* pWidget, BOOL bAncestors) const
{
    for (const QObject* p = pWidget; p != nullptr; p = p->parent()) {
        auto it = m_byWidget.find(static_cast<const void*>(p));
        if (it != m_byWidget.end())
            return LookupWnd(it->second);
        if (!bAncestors)
            break;
    }
    return nullptr;
}
