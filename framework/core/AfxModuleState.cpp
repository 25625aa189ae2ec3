// Module states, the current-state switch and module loading.
#include "AfxModuleState.h"

#include "CObject.h"

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <link.h>

namespace
{
// The one current state of the process. Null until some module makes its
// state current; readers then get the framework library's own state.
AFX_MODULE_STATE* g_pCurrentModuleState = nullptr;

constexpr LANGID langEnglishUS = 1033;
constexpr LANGID langRussian = 1049;

LANGID LanguageFromEnvironment()
{
    // The same precedence as the C library's locale categories.
    for (LPCSTR lpszName : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        LPCSTR lpszValue = std::getenv(lpszName);
        if (lpszValue == nullptr || *lpszValue == '\0')
            continue;
        return std::strncmp(lpszValue, "ru", 2) == 0 ? langRussian : langEnglishUS;
    }
    return langEnglishUS;
}

LANGID& UILanguage()
{
    static LANGID langId = LanguageFromEnvironment();
    return langId;
}

// TRUE when pAddress lies in the module loaded as hModule.
BOOL AddressInModule(const void* pAddress, void* hModule)
{
    Dl_info info{};
    link_map* pLinkMap = nullptr;
    if (dladdr(pAddress, &info) == 0 || dlinfo(hModule, RTLD_DI_LINKMAP, &pLinkMap) != 0 ||
        pLinkMap == nullptr)
        return FALSE;
    return info.dli_fbase == reinterpret_cast<void*>(pLinkMap->l_addr);
}
} // namespace

AFX_MODULE_STATE::AFX_MODULE_STATE(LPCSTR lpszModuleName) : m_strModuleName(lpszModuleName) {}

CRuntimeClass* AFX_MODULE_STATE::FindClass(LPCSTR lpszClassName) const
{
    if (lpszClassName == nullptr)
        return nullptr;
    for (CRuntimeClass* pClass = m_pClassInit; pClass != nullptr; pClass = pClass->m_pNextClass) {
        if (std::strcmp(pClass->m_lpszClassName, lpszClassName) == 0)
            return pClass;
    }
    return nullptr;
}

void AFX_MODULE_STATE::AddClass(CRuntimeClass* pClass)
{
    if (pClass == nullptr)
        return;
    // A second registration of the same record would link it to itself.
    for (CRuntimeClass* p = m_pClassInit; p != nullptr; p = p->m_pNextClass) {
        if (p == pClass)
            return;
    }
    pClass->m_pNextClass = m_pClassInit;
    m_pClassInit = pClass;
}

void AFX_MODULE_STATE::AddStrings(LANGID langId, const AFX_STRING_RESOURCE* pEntries, size_t nCount)
{
    std::map<UINT, CString>& table = m_strings[langId];
    for (size_t i = 0; i < nCount; ++i)
        table[pEntries[i].nID] = CString(pEntries[i].lpszText);
}

BOOL AFX_MODULE_STATE::LoadString(UINT nID, CString& rString) const
{
    auto lookIn = [&](LANGID langId) -> BOOL {
        auto itTable = m_strings.find(langId);
        if (itTable == m_strings.end())
            return FALSE;
        auto itString = itTable->second.find(nID);
        if (itString == itTable->second.end())
            return FALSE;
        rString = itString->second;
        return TRUE;
    };
    if (lookIn(AfxGetUILanguage()) || lookIn(langEnglishUS))
        return TRUE;
    for (const auto& [langId, table] : m_strings) {
        if (lookIn(langId))
            return TRUE;
    }
    return FALSE;
}

AFX_MODULE_STATE* AfxGetModuleState()
{
    return g_pCurrentModuleState != nullptr ? g_pCurrentModuleState : AfxGetStaticModuleState();
}

AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* pNewState)
{
    AFX_MODULE_STATE* pPrevState = AfxGetModuleState();
    g_pCurrentModuleState = pNewState;
    return pPrevState;
}

AFX_MAINTAIN_STATE::AFX_MAINTAIN_STATE(AFX_MODULE_STATE* pNewState)
    : m_pPrevModuleState(AfxSetModuleState(pNewState))
{
}

AFX_MAINTAIN_STATE::~AFX_MAINTAIN_STATE()
{
    AfxSetModuleState(m_pPrevModuleState);
}

LANGID AfxGetUILanguage()
{
    return UILanguage();
}

void AfxSetUILanguage(LANGID langId)
{
    UILanguage() = langId;
}

CString AfxGetModuleNameOf(const void* pAddress)
{
    Dl_info info{};
    LPCSTR lpszPath = nullptr;
    if (pAddress != nullptr && dladdr(pAddress, &info) != 0)
        lpszPath = info.dli_fname;
    // The main program's link map has no name; the runtime keeps the one it
    // was started under.
    if (lpszPath == nullptr || *lpszPath == '\0')
        lpszPath = program_invocation_name;
    if (lpszPath == nullptr)
        return CString();
    LPCSTR lpszSlash = std::strrchr(lpszPath, '/');
    return CString(lpszSlash != nullptr ? lpszSlash + 1 : lpszPath);
}

void* AfxLoadLibrary(LPCSTR lpszPath, CString* pError)
{
    // The module's start-up makes its own state current (so that its classes
    // and application register there); the caller gets its own state back.
    AFX_MAINTAIN_STATE keepState(AfxGetModuleState());
    dlerror();
    void* hModule = dlopen(lpszPath, RTLD_NOW | RTLD_LOCAL);
    if (hModule == nullptr && pError != nullptr) {
        LPCSTR lpszError = dlerror();
        *pError = lpszError != nullptr ? lpszError : "the module could not be loaded";
    }
    return hModule;
}

void AfxFreeLibrary(void* hModule)
{
    if (hModule == nullptr)
        return;
    // A state inside the module would dangle once it is unmapped: fall back
    // to the framework's own state rather than keep a pointer into nothing.
    BOOL bCurrentStateInModule =
        g_pCurrentModuleState != nullptr && AddressInModule(g_pCurrentModuleState, hModule);
    AFX_MODULE_STATE* pKeepState = bCurrentStateInModule ? nullptr : g_pCurrentModuleState;
    dlclose(hModule);
    g_pCurrentModuleState = pKeepState;
}
