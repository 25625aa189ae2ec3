#include "model/CDimLong.h"

#include <cstdint>

IMPLEMENT_SERIAL(CDimLong, CObject, 0)

CDimLong::CDimLong() = default;

CDimLong::~CDimLong()
{
    delete[] m_plData;
}

BOOL CDimLong::SetSize(LONG nSize)
{
    delete[] m_plData;
    m_plData = nullptr;
    m_nSize = 0;
    if (nSize > 0) {
        m_plData = new LONG[size_t(nSize)]();
        m_nSize = nSize;
    }
    return TRUE;
}

void CDimLong::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nSize;
        for (LONG i = m_nSize - 1; i >= 0; --i)
            ar << m_plData[i];
        return;
    }
    LONG nSize = 0;
    ar >> nSize;
    if (nSize < 0)
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    if (uint64_t(nSize) * sizeof(LONG) > ar.GetBytesLeft())
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    SetSize(nSize);
    for (LONG i = nSize - 1; i >= 0; --i)
        ar >> m_plData[i];
}
