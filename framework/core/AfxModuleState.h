// Per-module framework state. Each module (the host program, every plug-in)
// has its own: its registered archive classes, its string table and its
// application object. One state is current at a time; code that must see its
// own module's resources while another module's state is current switches
// with AFX_MAINTAIN_STATE, which restores the previous state on every return
// path (exceptions included).
#pragma once

#include "AfxTypes.h"
#include "CString.h"

#include <map>

class CWinApp;
struct CRuntimeClass;

struct AFX_STRING_RESOURCE {
    UINT nID;
    LPCSTR lpszText; // bytes in the process's ANSI code page
};

struct AFX_API AFX_MODULE_STATE {
    explicit AFX_MODULE_STATE(LPCSTR lpszModuleName = "");

    CString m_strModuleName;
    CWinApp* m_pCurrentWinApp = nullptr;
    CRuntimeClass* m_pClassInit = nullptr;               // head of this module's class registry
    std::map<LANGID, std::map<UINT, CString>> m_strings; // string table per language copy

    CRuntimeClass* FindClass(LPCSTR lpszClassName) const;
    void AddClass(CRuntimeClass* pClass);
    void AddStrings(LANGID langId, const AFX_STRING_RESOURCE* pEntries, size_t nCount);
    // The text of nID in the UI language, else US English, else any copy.
    BOOL LoadString(UINT nID, CString& rString) const;
};

AFX_API AFX_MODULE_STATE* AfxGetModuleState();
// Makes pNewState current and returns the previous one.
AFX_API AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* pNewState);
// This module's own state. Every module links its own hidden definition
// (the framework's module object), so the name resolves within the module.
AFX_HIDDEN AFX_MODULE_STATE* AfxGetStaticModuleState();

struct AFX_API AFX_MAINTAIN_STATE {
    explicit AFX_MAINTAIN_STATE(AFX_MODULE_STATE* pNewState);
    ~AFX_MAINTAIN_STATE();
    AFX_MAINTAIN_STATE(const AFX_MAINTAIN_STATE&) = delete;
    AFX_MAINTAIN_STATE& operator=(const AFX_MAINTAIN_STATE&) = delete;

private:
    AFX_MODULE_STATE* m_pPrevModuleState;
};

// Language of the string-table copies to prefer: 1033 (US English) or 1049
// (Russian); taken from the environment's locale at start.
AFX_API LANGID AfxGetUILanguage();
AFX_API void AfxSetUILanguage(LANGID langId);

// Loads a shared module with the caller's module state kept current across
// the module's static initialisation (which makes its own state current).
// On failure null, with the loader's message in *pError.
AFX_API void* AfxLoadLibrary(LPCSTR lpszPath, CString* pError = nullptr);
// Unloads; if the current state belonged to that module, the framework's own
// state becomes current, since the old one no longer exists.
AFX_API void AfxFreeLibrary(void* hModule);

// The file name (no folder) of the module holding pAddress; each module's
// state is named so at its first use.
AFX_API CString AfxGetModuleNameOf(const void* pAddress);
