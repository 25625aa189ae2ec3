// A file in memory: archives to and from byte buffers in tests, fuzzers and tools.
#pragma once

#include "CFile.h"

#include <vector>

class AFX_API CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)
public:
    CMemFile() = default;
    CMemFile(const BYTE* pData, UINT nSize);
    explicit CMemFile(std::vector<BYTE> data);

    BOOL Open(LPCSTR, UINT, CFileException* = nullptr) override { return TRUE; }
    void Close() override {}
    void Abort() override {}
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void Flush() override {}
    LONG Seek(LONG lOff, UINT nFrom) override;
    DWORD GetLength() const override { return DWORD(m_data.size()); }
    DWORD GetPosition() const override { return DWORD(m_nPosition); }

    const std::vector<BYTE>& Data() const { return m_data; }
    std::vector<BYTE> Detach();

private:
    std::vector<BYTE> m_data;
    size_t m_nPosition = 0;
};
