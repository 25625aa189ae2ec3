// Contents: the menu table; creation and attachment; items; tracking.
#include "AfxQtAccess.h"
#include <afxwin.h>

#include "AfxQtText.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>

#include <map>
#include <memory>
#include <vector>

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace
{

struct MenuItem {
    UINT nFlags = 0; // MF_ flags as appended or changed
    UINT_PTR nID = 0;
    CString strText;
};

struct MenuData {
    std::vector<MenuItem> items;
    CMenu* pAttached = nullptr;
    std::unique_ptr<CMenu> pTemporary; // wrapper handed out by FromHandle
};

std::map<HMENU, MenuData>& MenuTable()
{
    static std::map<HMENU, MenuData> table;
    return table;
}

MenuData* FindMenu(HMENU hMenu)
{
    auto it = MenuTable().find(hMenu);
    return it == MenuTable().end() ? nullptr : &it->second;
}

HMENU NewMenuHandle()
{
    static uintptr_t s_nNext = 0x1000;
    HMENU hMenu = reinterpret_cast<HMENU>(s_nNext);
    s_nNext += 4;
    MenuTable()[hMenu];
    return hMenu;
}

// The item that nID names: by position with MF_BYPOSITION, else the first
// item with that command id, searching sub-menus too.
MenuItem* FindItem(HMENU hMenu, UINT nID, UINT nFlags)
{
    MenuData* pData = FindMenu(hMenu);
    if (pData == nullptr)
        return nullptr;
    if (nFlags & MF_BYPOSITION)
        return nID < pData->items.size() ? &pData->items[nID] : nullptr;
    for (MenuItem& item : pData->items) {
        if (item.nFlags & MF_POPUP) {
            if (MenuItem* pSub = FindItem(reinterpret_cast<HMENU>(item.nID), nID, nFlags))
                return pSub;
        } else if (!(item.nFlags & MF_SEPARATOR) && item.nID == nID) {
            return &item;
        }
    }
    return nullptr;
}

CMenu::TrackHook& TrackHookSlot()
{
    static CMenu::TrackHook hook;
    return hook;
}

void BuildQMenu(QMenu* pMenu, HMENU hMenu, int nDepth)
{
    MenuData* pData = FindMenu(hMenu);
    // A menu that contains itself would recurse for ever.
    const int nMaxDepth = 16;
    if (pData == nullptr || nDepth > nMaxDepth)
        return;
    for (const MenuItem& item : pData->items) {
        if (item.nFlags & MF_SEPARATOR) {
            pMenu->addSeparator();
            continue;
        }
        if (item.nFlags & MF_POPUP) {
            QMenu* pSub = pMenu->addMenu(AfxToQString(item.strText));
            BuildQMenu(pSub, reinterpret_cast<HMENU>(item.nID), nDepth + 1);
            continue;
        }
        QAction* pAction = pMenu->addAction(AfxToQString(item.strText));
        pAction->setData(QVariant::fromValue<qulonglong>(item.nID));
        pAction->setCheckable(item.nFlags & MF_CHECKED);
        pAction->setChecked(item.nFlags & MF_CHECKED);
        pAction->setEnabled(!(item.nFlags & (MF_GRAYED | MF_DISABLED)));
    }
}

bool PlatformCanShowMenus()
{
    const QString strPlatform = QGuiApplication::platformName();
    return !strPlatform.isEmpty() && strPlatform != QLatin1String("offscreen") &&
           strPlatform != QLatin1String("minimal");
}

} // namespace

HMENU CreateMenu()
{
    return NewMenuHandle();
}

HMENU CreatePopupMenu()
{
    return NewMenuHandle();
}

BOOL DestroyMenu(HMENU hMenu)
{
    auto it = MenuTable().find(hMenu);
    if (it == MenuTable().end())
        return FALSE;
    // Sub-menus belong to the menu that holds them.
    std::vector<HMENU> subMenus;
    for (const MenuItem& item : it->second.items) {
        if (item.nFlags & MF_POPUP)
            subMenus.push_back(reinterpret_cast<HMENU>(item.nID));
    }
    if (CMenu* pAttached = it->second.pAttached)
        pAttached->m_hMenu = nullptr;
    MenuTable().erase(it);
    for (HMENU hSub : subMenus)
        DestroyMenu(hSub);
    return TRUE;
}

// ===========================================================================
// Creation and attachment
// ===========================================================================

CMenu::CMenu() = default;

CMenu::~CMenu()
{
    DestroyMenu();
}

BOOL CMenu::CreateMenu()
{
    return Attach(::CreateMenu());
}

BOOL CMenu::CreatePopupMenu()
{
    return Attach(::CreatePopupMenu());
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == nullptr)
        return FALSE;
    return ::DestroyMenu(m_hMenu);
}

BOOL CMenu::Attach(HMENU hMenu)
{
    MenuData* pData = FindMenu(hMenu);
    if (m_hMenu != nullptr || pData == nullptr || pData->pAttached != nullptr)
        return FALSE;
    pData->pAttached = this;
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    if (MenuData* pData = FindMenu(hMenu))
        pData->pAttached = nullptr;
    m_hMenu = nullptr;
    return hMenu;
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    MenuData* pData = FindMenu(hMenu);
    if (pData == nullptr)
        return nullptr;
    if (pData->pAttached != nullptr)
        return pData->pAttached;
    // A wrapper that lives as long as the menu; it must not destroy it.
    if (pData->pTemporary == nullptr) {
        pData->pTemporary = std::make_unique<CMenu>();
        pData->pTemporary->m_hMenu = hMenu;
    }
    return pData->pTemporary.get();
}

// ===========================================================================
// Items
// ===========================================================================

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    MenuData* pData = FindMenu(m_hMenu);
    if (pData == nullptr)
        return FALSE;
    if ((nFlags & MF_POPUP) && FindMenu(reinterpret_cast<HMENU>(nIDNewItem)) == nullptr)
        return FALSE;
    MenuItem item;
    item.nFlags = nFlags & ~UINT(MF_BYPOSITION);
    item.nID = (nFlags & MF_SEPARATOR) ? 0 : nIDNewItem;
    item.strText = lpszNewItem != nullptr ? lpszNewItem : "";
    pData->items.push_back(item);
    return TRUE;
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    MenuItem* pItem = FindItem(m_hMenu, nIDCheckItem, nCheck);
    if (pItem == nullptr)
        return UINT(-1);
    UINT nPrevious = pItem->nFlags & MF_CHECKED;
    pItem->nFlags = (pItem->nFlags & ~UINT(MF_CHECKED)) | (nCheck & MF_CHECKED);
    return nPrevious;
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    const MenuItem* pItem = FindItem(m_hMenu, nID, nFlags);
    if (pItem == nullptr)
        return UINT(-1);
    if (pItem->nFlags & MF_POPUP) {
        // A sub-menu reports its item count in the high byte.
        const MenuData* pSub = FindMenu(reinterpret_cast<HMENU>(pItem->nID));
        UINT nCount = pSub != nullptr ? UINT(pSub->items.size()) : 0;
        return (nCount << 8) | (pItem->nFlags & 0xFF);
    }
    return pItem->nFlags;
}

UINT CMenu::GetMenuItemCount() const
{
    const MenuData* pData = FindMenu(m_hMenu);
    return pData != nullptr ? UINT(pData->items.size()) : UINT(-1);
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    const MenuData* pData = FindMenu(m_hMenu);
    if (pData == nullptr || nPos < 0 || size_t(nPos) >= pData->items.size())
        return UINT(-1);
    const MenuItem& item = pData->items[size_t(nPos)];
    return (item.nFlags & MF_POPUP) ? UINT(-1) : UINT(item.nID);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    const MenuItem* pItem = FindItem(m_hMenu, nIDItem, nFlags);
    rString = pItem != nullptr ? pItem->strText : CString();
    return rString.GetLength();
}

// ===========================================================================
// Tracking
// ===========================================================================

void CMenu::SetTrackHook(TrackHook hook)
{
    TrackHookSlot() = std::move(hook);
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT)
{
    if (FindMenu(m_hMenu) == nullptr)
        return FALSE;
    const bool bReturnCmd = (nFlags & TPM_RETURNCMD) != 0;
    if (TrackHookSlot()) {
        UINT nChosen = TrackHookSlot()(*this);
        if (bReturnCmd)
            return BOOL(nChosen);
        if (nChosen != 0 && pWnd != nullptr)
            pWnd->SendMessage(WM_COMMAND, nChosen, 0);
        return TRUE;
    }
    // Without a hook and without a screen nobody could pick an item: the
    // menu counts as dismissed rather than waiting for ever.
    if (!PlatformCanShowMenus())
        return FALSE;

    auto* pMenu = new QMenu(pWnd != nullptr ? AfxGetWidget(pWnd) : nullptr);
    pMenu->setAttribute(Qt::WA_DeleteOnClose);
    BuildQMenu(pMenu, m_hMenu, 0);
    if (bReturnCmd) {
        QAction* pChosen = pMenu->exec(QPoint(x, y));
        return pChosen != nullptr ? BOOL(pChosen->data().toULongLong()) : FALSE;
    }
    // As on the platform, the command is posted: it arrives after this returns.
    HWND hWnd = pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr;
    QObject::connect(pMenu, &QMenu::triggered, pMenu, [hWnd](QAction* pAction) {
        if (CWnd* pTarget = CWnd::FromHandlePermanent(hWnd))
            pTarget->PostMessage(WM_COMMAND, WPARAM(pAction->data().toULongLong()), 0);
    });
    pMenu->popup(QPoint(x, y));
    return TRUE;
}
