#include "model/CObString.h"

IMPLEMENT_SERIAL(CObString, CObject, 0)

CObString::CObString() = default;

CObString::CObString(const CString& strFirst) : m_strFirst(strFirst) {}

CObString::~CObString() = default;

void CObString::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_strFirst;
    else
        ar >> m_strFirst;
}

const CString& CObString::GetKey() const
{
    return m_strFirst;
}

BOOL CObString::IsLess(const CObBase* pOther) const
{
    return CompareKeys(this, pOther) < 0;
}

BOOL CObString::IsGreater(const CObBase* pOther) const
{
    return CompareKeys(this, pOther) > 0;
}

BOOL CObString::IsEqual(const CObBase* pOther) const
{
    return CompareKeys(this, pOther) == 0;
}

BOOL CObString::SetString(const CString& strFirst)
{
    m_strFirst = strFirst;
    return TRUE;
}
