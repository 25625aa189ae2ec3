#include "model/CObString.h"

#include <typeinfo>

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

BOOL CObString::IsLess(const CObBase* pOther) const
{
    return m_strFirst.Compare(pOther->GetKey()) < 0;
}

BOOL CObString::IsGreater(const CObBase* pOther) const
{
    return m_strFirst.Compare(pOther->GetKey()) > 0;
}

BOOL CObString::IsEqual(const CObBase* pOther) const
{
    return m_strFirst.Compare(pOther->GetKey()) == 0;
}

int CObString::Descend(const CObBase* pOther) const
{
    if (typeid(*this) == typeid(CObString))
        return DescendAt(this, pOther);
    // A derived class may decide equality its own way, so it is asked.
    if (m_strFirst.Compare(pOther->GetKey()) > 0)
        return 1;
    return IsEqual(pOther) ? 0 : -1;
}

BOOL CObString::SetString(const CString& strFirst)
{
    m_strFirst = strFirst;
    return TRUE;
}
