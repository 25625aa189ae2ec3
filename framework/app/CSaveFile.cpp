#include "CSaveFile.h"

#include "../core/AfxFileCalls.h"
#include "AfxPath.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace
{

// The file that lpszPath finally names: a symbolic link is replaced by what
// it points to, so saving through a link keeps the link.
CString ResolveLink(LPCSTR lpszPath)
{
    struct stat st {
    };
    if (::lstat(lpszPath, &st) != 0 || !S_ISLNK(st.st_mode))
        return CString(lpszPath);
    char szResolved[PATH_MAX];
    if (::realpath(lpszPath, szResolved) == nullptr)
        return CString(lpszPath); // a dangling link: write where it stands
    return CString(szResolved);
}

// The mode a file created here would get: the target's own mode when it
// exists, else what the process's umask allows.
mode_t ModeFor(LPCSTR lpszTargetPath)
{
    struct stat st {
    };
    if (::stat(lpszTargetPath, &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void FillError(CFileException* pError, int nError, LPCSTR lpszPath)
{
    if (pError == nullptr)
        return;
    pError->m_cause = CFileException::OsErrorToException(nError);
    pError->m_lOsError = nError;
    pError->m_strFileName = lpszPath;
}

// Makes the rename itself durable; a failure here loses nothing that the
// caller could still act on, so it is not reported.
void SyncFolder(LPCSTR lpszFolder)
{
    const int hFolder = AfxFileOpen(lpszFolder, O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (hFolder < 0)
        return;
    AfxFileSync(hFolder);
    AfxFileClose(hFolder);
}

} // namespace

CSaveFile::CSaveFile() = default;

CSaveFile::~CSaveFile()
{
    Discard();
}

BOOL CSaveFile::OpenTarget(LPCSTR lpszTargetPath, CFileException* pError)
{
    Discard();
    m_strTargetPath = ResolveLink(lpszTargetPath);
    const CString strFolder = AfxGetFolder(m_strTargetPath);
    CString strPattern = strFolder;
    if (strPattern.GetLength() == 0 || strPattern[strPattern.GetLength() - 1] != '/')
        strPattern += '/';
    strPattern += "." + AfxGetFileName(m_strTargetPath) + ".XXXXXX";

    // Every name is made before the file exists: from then on nothing may
    // fail without the file being found again and removed.
    CString strTempPath = strPattern;
    m_strFileName = strPattern;
    const int hFile = AfxFileMakeTemp(strTempPath.GetBuffer(strTempPath.GetLength()), O_CLOEXEC);
    strTempPath.ReleaseBuffer();
    if (hFile < 0) {
        FillError(pError, errno, m_strTargetPath);
        return FALSE;
    }
    for (int i = 0; i < strTempPath.GetLength(); ++i)
        m_strFileName.SetAt(i, strTempPath[i]);
    m_strTempPath = std::move(strTempPath);
    if (::fchmod(hFile, ModeFor(m_strTargetPath)) != 0) {
        const int nError = errno;
        AfxFileClose(hFile);
        ::unlink(m_strTempPath);
        m_strTempPath.Empty();
        FillError(pError, nError, m_strTargetPath);
        return FALSE;
    }
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

void CSaveFile::Commit()
{
    Sync();
    Close();
    // Worked out before the rename, after which nothing may fail.
    const CString strFolder = AfxGetFolder(m_strTargetPath);
    if (AfxFileRename(m_strTempPath, m_strTargetPath) != 0) {
        const int nError = errno;
        Discard();
        AfxThrowFileException(CFileException::OsErrorToException(nError), nError, m_strTargetPath);
    }
    m_strTempPath.Empty();
    SyncFolder(strFolder);
}

void CSaveFile::Discard()
{
    Abort();
    if (!m_strTempPath.IsEmpty())
        ::unlink(m_strTempPath);
    m_strTempPath.Empty();
}
