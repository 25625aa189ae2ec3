// Binary file over a POSIX descriptor. Errors throw CFileException.
#pragma once

#include "CObject.h"
#include "CString.h"

class CFileException;

class AFX_API CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareDenyWrite = 0x0020,
        shareDenyNone = 0x0040,
        modeNoTruncate = 0x0100,
        modeCreate = 0x1000,
        typeBinary = 0x8000
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };
    static constexpr int hFileNull = -1;

    CFile();
    CFile(LPCSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;

    // FALSE with the cause in pError (when given) instead of throwing.
    virtual BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    virtual void Close();
    virtual void Abort();
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual void Flush();
    virtual LONG Seek(LONG lOff, UINT nFrom);
    virtual DWORD GetLength() const;
    virtual DWORD GetPosition() const;
    virtual CString GetFilePath() const { return m_strFileName; }
    CString GetFileName() const;

    // Forces written data to the disk: the atomic save relies on it.
    void Sync();
    BOOL IsOpen() const { return m_hFile != hFileNull; }

    int m_hFile = hFileNull;

protected:
    CString m_strFileName;
    BOOL m_bCloseOnDelete = FALSE;
};
