#include "AfxWndClass.h"

#include <cstdio>
#include <map>
#include <string>

namespace
{

// Keyed by name so that the returned pointers stay put as classes are added.
std::map<std::string, AFX_WNDCLASS>& ClassTable()
{
    static std::map<std::string, AFX_WNDCLASS> table;
    return table;
}

} // namespace

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // The name spells out every setting, as the original framework's
    // generated names do, so equal requests share one class.
    char szName[96];
    std::snprintf(szName, sizeof szName, "Afx:%x:%p:%p:%p", nClassStyle, hCursor,
                  static_cast<void*>(hbrBackground), hIcon);
    auto [it, bInserted] =
        ClassTable().try_emplace(szName, AFX_WNDCLASS{nClassStyle, hCursor, hbrBackground, hIcon});
    return it->first.c_str();
}

const AFX_WNDCLASS* AfxFindWndClass(LPCSTR lpszClassName)
{
    if (lpszClassName == nullptr)
        return nullptr;
    auto it = ClassTable().find(lpszClassName);
    return it == ClassTable().end() ? nullptr : &it->second;
}
