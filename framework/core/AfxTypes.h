// Basic types of the class library and of the platform it stands in for.
//
// Widths follow the original 32-bit platform where they reach files or the
// plug-in boundary: LONG and DWORD are 32 bits here too, while handles,
// WPARAM, LPARAM and LRESULT are pointer-wide.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(KFX_BUILDING)
#define AFX_API __attribute__((visibility("default")))
#else
#define AFX_API __attribute__((visibility("default")))
#endif
#define AFX_HIDDEN __attribute__((visibility("hidden")))

typedef int BOOL;
#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef unsigned int UINT;
typedef char TCHAR;
typedef char CHAR;
typedef const char* LPCSTR;
typedef const char* LPCTSTR;
typedef char* LPSTR;
typedef char* LPTSTR;
typedef void* LPVOID;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef DWORD COLORREF;
typedef WORD LANGID;

// Opaque handles. Each kind is a distinct pointer type so they cannot be mixed up.
#define KFX_DECLARE_HANDLE(name)                                                                   \
    struct name##__ {                                                                              \
        int unused;                                                                                \
    };                                                                                             \
    typedef struct name##__* name
KFX_DECLARE_HANDLE(HWND);
KFX_DECLARE_HANDLE(HMENU);
KFX_DECLARE_HANDLE(HDC);
KFX_DECLARE_HANDLE(HPEN);
KFX_DECLARE_HANDLE(HBRUSH);
KFX_DECLARE_HANDLE(HFONT);
KFX_DECLARE_HANDLE(HINSTANCE);
typedef void* HGDIOBJ;
typedef HINSTANCE HMODULE;

// Iteration cookie of the collections.
struct __POSITION {
};
typedef __POSITION* POSITION;

#define RGB(r, g, b)                                                                               \
    ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) ((BYTE)(rgb))
#define GetGValue(rgb) ((BYTE)(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) ((BYTE)((rgb) >> 16))
#define LOWORD(l) ((WORD)(((DWORD)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((DWORD)(l)) >> 16) & 0xffff))
#define MAKELONG(a, b)                                                                             \
    ((LONG)(((WORD)(((DWORD)(a)) & 0xffff)) | ((DWORD)((WORD)(((DWORD)(b)) & 0xffff))) << 16))

#define MAX_PATH 260
