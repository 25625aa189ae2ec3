// The system calls behind the framework's files, each a plain function of
// the library's own. They exist so that a test program can define functions
// of the same names that fail on demand: a program's own definitions take
// precedence over a shared library's, as with a program's own operator new.
// The shipped library holds nothing but the calls themselves; every caller
// handles a failure here as it handles one from the system.
#pragma once

#include "AfxTypes.h"

#include <sys/types.h>

AFX_API int AfxFileOpen(const char* lpszPath, int nFlags, mode_t nMode);
// mkostemp: creates and opens a new file from the pattern.
AFX_API int AfxFileMakeTemp(char* lpszPattern, int nFlags);
AFX_API ssize_t AfxFileRead(int hFile, void* lpBuf, size_t nCount);
AFX_API ssize_t AfxFileWrite(int hFile, const void* lpBuf, size_t nCount);
AFX_API int AfxFileSync(int hFile);
AFX_API int AfxFileClose(int hFile);
AFX_API int AfxFileRename(const char* lpszFrom, const char* lpszTo);
