#include "AfxFileCalls.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

int AfxFileOpen(const char* lpszPath, int nFlags, mode_t nMode)
{
    return ::open(lpszPath, nFlags, nMode);
}

int AfxFileMakeTemp(char* lpszPattern, int nFlags)
{
    return ::mkostemp(lpszPattern, nFlags);
}

ssize_t AfxFileRead(int hFile, void* lpBuf, size_t nCount)
{
    return ::read(hFile, lpBuf, nCount);
}

ssize_t AfxFileWrite(int hFile, const void* lpBuf, size_t nCount)
{
    return ::write(hFile, lpBuf, nCount);
}

int AfxFileSync(int hFile)
{
    return ::fsync(hFile);
}

int AfxFileClose(int hFile)
{
    return ::close(hFile);
}

int AfxFileRename(const char* lpszFrom, const char* lpszTo)
{
    return ::rename(lpszFrom, lpszTo);
}
