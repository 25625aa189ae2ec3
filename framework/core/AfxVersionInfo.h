// A module's version record, read from the module's file without loading it.
//
// A module carries its record in an ELF section of its own, ".kfx.version",
// as a block of zero-terminated byte strings (no exported symbol, no code to
// run). The block is a sequence of groups; every group is a list of key/value
// string pairs ended by an empty key, and an empty group ends the block:
//
//   block    := "KFXVER1" NUL  fixed  copy*  NUL
//   fixed    := pair* NUL          keys FileVersion, ProductVersion ("1.0.0.1")
//                                  and FileType ("DLL" or "APP")
//   copy     := ":Language" NUL <decimal LANGID> NUL
//               ":Block" NUL <string-block name, e.g. "040904B0"> NUL
//               pair* NUL          the copy's version strings, in record order
//   pair     := <key> NUL <value> NUL     (key not empty)
//
// Strings are bytes in the process's ANSI code page. A value may be empty,
// which is how a present-but-blank string (CompanyName) is told apart from an
// absent one. KFX_VERSION_RECORD below writes such a block.
#pragma once

#include "AfxTypes.h"
#include "CString.h"

#include <utility>
#include <vector>

#define KFX_VERSION_SECTION ".kfx.version"
#define KFX_VERSION_MAGIC "KFXVER1"

// Clang's AddressSanitizer pads a global with a redzone, even in a section
// of its own; the section must hold the record alone, as its size is the
// record's.
#if defined(__clang__)
#define KFX_VERSION_UNPADDED __attribute__((no_sanitize("address")))
#else
#define KFX_VERSION_UNPADDED
#endif

// Places a version block (a string literal built from the grammar above,
// starting with KFX_VERSION_MAGIC) in the module's version section.
#define KFX_VERSION_RECORD(name, literal)                                                          \
    extern "C" __attribute__((section(KFX_VERSION_SECTION), used, visibility("hidden")))           \
    KFX_VERSION_UNPADDED const char name[] = literal

struct AFX_VERSION_COPY {
    LANGID wLanguage = 0;
    CString strBlock;
    std::vector<std::pair<CString, CString>> strings;
};

struct AFX_FILE_VERSION_INFO {
    WORD wFileVersion[4] = {0, 0, 0, 0};
    WORD wProductVersion[4] = {0, 0, 0, 0};
    CString strFileType;
    std::vector<AFX_VERSION_COPY> copies;

    // The copy for wLanguage, or null.
    const AFX_VERSION_COPY* FindCopy(LANGID wLanguage) const;
};

// Reads the version record of the ELF64 little-endian module at lpszPath.
// FALSE, with a reason in *pError, for an unreadable, truncated or malformed
// file or one without a record; rInfo is only written on success.
AFX_API BOOL AfxGetFileVersionInfo(LPCSTR lpszPath, AFX_FILE_VERSION_INFO& rInfo,
                                   CString* pError = nullptr);
// The same on a file image already in memory.
AFX_API BOOL AfxParseFileVersionInfo(const BYTE* pImage, size_t nSize, AFX_FILE_VERSION_INFO& rInfo,
                                     CString* pError = nullptr);
