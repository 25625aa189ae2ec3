// The class library's exceptions and their messages.
#include "CException.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CException)

namespace
{
// Copies the message, cut to the buffer, always terminated.
BOOL CopyMessage(LPCSTR lpszText, LPSTR lpszError, UINT nMaxError)
{
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    size_t nLength = std::min<size_t>(std::strlen(lpszText), nMaxError - 1);
    std::memcpy(lpszError, lpszText, nLength);
    lpszError[nLength] = '\0';
    return TRUE;
}
} // namespace

CException::~CException() = default;

BOOL CException::GetErrorMessage(LPSTR lpszError, UINT nMaxError) const
{
    if (lpszError != nullptr && nMaxError > 0)
        lpszError[0] = '\0';
    return FALSE;
}

CString CException::GetErrorMessage() const
{
    char szMessage[1024];
    if (!GetErrorMessage(szMessage, sizeof(szMessage)))
        return CString();
    return CString(szMessage);
}

CArchiveException::CArchiveException(int cause, LPCSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

LPCSTR CArchiveException::CauseText(int cause)
{
    switch (cause) {
    case none:
        return "No error occurred.";
    case genericException:
        return "An unknown error occurred while accessing the archive.";
    case readOnly:
        return "Tried to write to an archive opened for loading.";
    case endOfFile:
        return "Reached end of file while reading an object.";
    case writeOnly:
        return "Tried to read from an archive opened for storing.";
    case badIndex:
        return "Invalid file format.";
    case badClass:
        return "Tried to read an object into an object of the wrong type.";
    case badSchema:
        return "Tried to read an object with a different version of the class.";
    default:
        return "An unknown error occurred while accessing the archive.";
    }
}

BOOL CArchiveException::GetErrorMessage(LPSTR lpszError, UINT nMaxError) const
{
    return CopyMessage(CauseText(m_cause), lpszError, nMaxError);
}

CFileException::CFileException(int cause, LONG lOsError, LPCSTR lpszFileName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName)
{
}

LPCSTR CFileException::CauseText(int cause)
{
    switch (cause) {
    case none:
        return "No error occurred";
    case fileNotFound:
        return "The file was not found";
    case badPath:
        return "All or part of the path is invalid";
    case tooManyOpenFiles:
        return "Too many files are open";
    case accessDenied:
        return "Access to the file was denied";
    case invalidFile:
        return "An invalid file handle was used";
    case removeCurrentDir:
        return "The current working directory cannot be removed";
    case directoryFull:
        return "The directory is full";
    case badSeek:
        return "The file pointer could not be set";
    case hardIO:
        return "A hardware error occurred";
    case sharingViolation:
        return "The file is in use";
    case lockViolation:
        return "The file region is locked";
    case diskFull:
        return "The disk is full";
    case endOfFile:
        return "The end of the file was reached";
    default:
        return "An unspecified error occurred";
    }
}

BOOL CFileException::GetErrorMessage(LPSTR lpszError, UINT nMaxError) const
{
    CString strMessage(CauseText(m_cause));
    if (!m_strFileName.IsEmpty())
        strMessage += CString(" (") + m_strFileName + ")";
    strMessage += '.';
    return CopyMessage(strMessage, lpszError, nMaxError);
}

int CFileException::OsErrorToException(int errnoValue)
{
    switch (errnoValue) {
    case 0:
        return none;
    case ENOENT:
        return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
        return badPath;
    case EMFILE:
    case ENFILE:
        return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EEXIST:
        return accessDenied;
    case EBADF:
        return invalidFile;
    case EBUSY:
    case ETXTBSY:
        return sharingViolation;
    case ESPIPE:
    case EOVERFLOW:
        return badSeek;
    case EIO:
        return hardIO;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return diskFull;
    default:
        return genericException;
    }
}

BOOL CNotSupportedException::GetErrorMessage(LPSTR lpszError, UINT nMaxError) const
{
    return CopyMessage("The operation is not supported.", lpszError, nMaxError);
}

BOOL CMemoryException::GetErrorMessage(LPSTR lpszError, UINT nMaxError) const
{
    return CopyMessage("Out of memory.", lpszError, nMaxError);
}

void AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}

void AfxThrowFileException(int cause, LONG lOsError, LPCSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AfxThrowNotSupportedException()
{
    throw new CNotSupportedException;
}

void AfxThrowMemoryException()
{
    throw new CMemoryException;
}
