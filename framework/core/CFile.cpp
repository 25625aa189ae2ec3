// Binary file over a POSIX descriptor.
#include "CFile.h"

#include "AfxFileCalls.h"
#include "CException.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

IMPLEMENT_DYNAMIC(CFile, CObject)

CFile::CFile() = default;

CFile::CFile(LPCSTR lpszFileName, UINT nOpenFlags)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile()
{
    if (IsOpen() && m_bCloseOnDelete)
        Abort();
}

BOOL CFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (IsOpen())
        Abort();
    int nFlags = O_CLOEXEC;
    if (nOpenFlags & modeReadWrite)
        nFlags |= O_RDWR;
    else if (nOpenFlags & modeWrite)
        nFlags |= O_WRONLY;
    else
        nFlags |= O_RDONLY;
    if (nOpenFlags & modeCreate) {
        nFlags |= O_CREAT;
        if (!(nOpenFlags & modeNoTruncate))
            nFlags |= O_TRUNC;
    }
    m_strFileName = lpszFileName;
    int hFile = -1;
    do {
        hFile = AfxFileOpen(lpszFileName != nullptr ? lpszFileName : "", nFlags, 0666);
    } while (hFile < 0 && errno == EINTR);
    if (hFile < 0) {
        int nError = errno;
        if (pError != nullptr) {
            pError->m_cause = CFileException::OsErrorToException(nError);
            pError->m_lOsError = nError;
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

namespace
{
[[noreturn]] void ThrowErrno(int nError, const CString& strFileName)
{
    AfxThrowFileException(CFileException::OsErrorToException(nError), nError, strFileName);
}
} // namespace

void CFile::Close()
{
    if (!IsOpen())
        return;
    int nResult = AfxFileClose(m_hFile);
    int nError = errno;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    // A failed close can mean lost writes (network and quota errors are
    // reported only here), so it is an error like a failed write.
    if (nResult != 0 && nError != EINTR)
        ThrowErrno(nError, m_strFileName);
}

void CFile::Abort()
{
    if (IsOpen())
        AfxFileClose(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    UINT nDone = 0;
    while (nDone < nCount) {
        ssize_t nRead = AfxFileRead(m_hFile, static_cast<char*>(lpBuf) + nDone, nCount - nDone);
        if (nRead < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno, m_strFileName);
        }
        if (nRead == 0)
            break;
        nDone += UINT(nRead);
    }
    return nDone;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    UINT nDone = 0;
    while (nDone < nCount) {
        ssize_t nWritten =
            AfxFileWrite(m_hFile, static_cast<const char*>(lpBuf) + nDone, nCount - nDone);
        if (nWritten < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno, m_strFileName);
        }
        if (nWritten == 0)
            ThrowErrno(ENOSPC, m_strFileName);
        nDone += UINT(nWritten);
    }
}

// Writes go straight to the system, so there is nothing of ours to flush;
// Sync is the call that reaches the disk.
void CFile::Flush() {}

LONG CFile::Seek(LONG lOff, UINT nFrom)
{
    int nWhence = nFrom == begin ? SEEK_SET : nFrom == current ? SEEK_CUR : SEEK_END;
    off_t nPos = ::lseek(m_hFile, off_t(lOff), nWhence);
    if (nPos < 0)
        ThrowErrno(errno, m_strFileName);
    return LONG(nPos);
}

DWORD CFile::GetLength() const
{
    struct stat st {
    };
    if (::fstat(m_hFile, &st) != 0)
        ThrowErrno(errno, m_strFileName);
    return DWORD(st.st_size);
}

DWORD CFile::GetPosition() const
{
    off_t nPos = ::lseek(m_hFile, 0, SEEK_CUR);
    if (nPos < 0)
        ThrowErrno(errno, m_strFileName);
    return DWORD(nPos);
}

CString CFile::GetFileName() const
{
    CString strPath = GetFilePath();
    int nSlash = strPath.ReverseFind('/');
    return nSlash < 0 ? strPath : strPath.Mid(nSlash + 1);
}

void CFile::Sync()
{
    if (AfxFileSync(m_hFile) != 0)
        ThrowErrno(errno, m_strFileName);
}
