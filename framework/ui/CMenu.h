// Menus. A menu handle names a list of items kept by the framework (text,
// command id, check mark, grey state, sub-menu); TrackPopupMenu shows it as
// a QMenu. Tests, and headless runs, can stand in for the user with a track
// hook, so that no menu ever waits for a click that cannot come.
#pragma once

#include "AfxGdi.h"
#include "AfxWinConst.h"

#include <functional>

class CWnd;

class AFX_API CMenu : public CObject
{
    DECLARE_DYNCREATE(CMenu)
public:
    CMenu();
    ~CMenu() override; // destroys an attached menu

    HMENU m_hMenu = nullptr;

    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL DestroyMenu();
    BOOL Attach(HMENU hMenu);
    HMENU Detach();
    operator HMENU() const { return m_hMenu; }
    // The object attached to a menu handle; null when none is.
    static CMenu* FromHandle(HMENU hMenu);

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr);
    // MF_CHECKED or MF_UNCHECKED before the change; (UINT)-1 for no such item.
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    // The item's MF_ flags; (UINT)-1 for no such item.
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    UINT GetMenuItemCount() const;
    // 0 for a separator, (UINT)-1 for a sub-menu or no such item.
    UINT GetMenuItemID(int nPos) const;
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;

    // Shows the menu with its top-left corner at the screen point. A chosen
    // item reaches pWnd as WM_COMMAND (wParam = its id, lParam = 0), or,
    // with TPM_RETURNCMD, is returned instead.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);

    // While set, TrackPopupMenu shows nothing and asks the hook which item
    // the user picks (0: none); the command is delivered before it returns.
    typedef std::function<UINT(CMenu& rMenu)> TrackHook;
    static void SetTrackHook(TrackHook hook);
};

// The platform's menu functions, for code that makes a handle first and
// attaches it afterwards.
AFX_API HMENU CreateMenu();
AFX_API HMENU CreatePopupMenu();
AFX_API BOOL DestroyMenu(HMENU hMenu);
