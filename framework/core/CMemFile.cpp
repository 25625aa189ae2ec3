// A file in memory.
#include "CMemFile.h"

#include "CException.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(const BYTE* pData, UINT nSize) : m_data(pData, pData + nSize) {}

CMemFile::CMemFile(std::vector<BYTE> data) : m_data(std::move(data)) {}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0 || m_nPosition >= m_data.size())
        return 0;
    size_t nRead = std::min<size_t>(nCount, m_data.size() - m_nPosition);
    std::memcpy(lpBuf, m_data.data() + m_nPosition, nRead);
    m_nPosition += nRead;
    return UINT(nRead);
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (m_nPosition + nCount > m_data.size())
        m_data.resize(m_nPosition + nCount);
    std::memcpy(m_data.data() + m_nPosition, lpBuf, nCount);
    m_nPosition += nCount;
}

LONG CMemFile::Seek(LONG lOff, UINT nFrom)
{
    long long nBase = nFrom == begin     ? 0
                      : nFrom == current ? (long long)m_nPosition
                                         : (long long)m_data.size();
    long long nNewPos = nBase + lOff;
    if (nNewPos < 0 || nNewPos > 0x7FFFFFFF)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    m_nPosition = size_t(nNewPos);
    return LONG(nNewPos);
}

std::vector<BYTE> CMemFile::Detach()
{
    std::vector<BYTE> data = std::move(m_data);
    m_data.clear();
    m_nPosition = 0;
    return data;
}
