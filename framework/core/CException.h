// The class library's exceptions. As in the framework this stands in for,
// they are thrown by pointer (AfxThrow...) and the catcher calls Delete().
#pragma once

#include "CObject.h"
#include "CString.h"

class AFX_API CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    CException() = default;
    ~CException() override;
    void Delete() { delete this; }
    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError) const;
    // The message as a string; convenient where a buffer is not.
    CString GetErrorMessage() const;
};

class AFX_API CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum { none, genericException, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };
    explicit CArchiveException(int cause = none, LPCSTR lpszArchiveName = nullptr);
    using CException::GetErrorMessage;
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError) const override;
    // The message of a cause, without the file name.
    static LPCSTR CauseText(int cause);

    int m_cause;
    CString m_strFileName;
};

class AFX_API CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };
    explicit CFileException(int cause = none, LONG lOsError = -1, LPCSTR lpszFileName = nullptr);
    using CException::GetErrorMessage;
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError) const override;
    static LPCSTR CauseText(int cause);
    static int OsErrorToException(int errnoValue);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class AFX_API CNotSupportedException : public CException
{
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    using CException::GetErrorMessage;
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError) const override;
};

class AFX_API CMemoryException : public CException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    using CException::GetErrorMessage;
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError) const override;
};

[[noreturn]] AFX_API void AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName = nullptr);
[[noreturn]] AFX_API void AfxThrowFileException(int cause, LONG lOsError = -1,
                                                LPCSTR lpszFileName = nullptr);
[[noreturn]] AFX_API void AfxThrowNotSupportedException();
[[noreturn]] AFX_API void AfxThrowMemoryException();
