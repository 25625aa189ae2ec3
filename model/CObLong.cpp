#include "model/CObLong.h"

IMPLEMENT_SERIAL(CObLong, CObject, 0)

CObLong::CObLong() = default;

CObLong::~CObLong() = default;

void CObLong::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_lValue;
    else
        ar >> m_lValue;
}

LONG CObLong::GetLong(int) const
{
    return m_lValue;
}

BOOL CObLong::IsLess(const CObBase* pOther) const
{
    return GetLong(1) < pOther->GetLong(1);
}

BOOL CObLong::IsGreater(const CObBase* pOther) const
{
    return GetLong(1) > pOther->GetLong(1);
}

BOOL CObLong::IsEqual(const CObBase* pOther) const
{
    return GetLong(1) == pOther->GetLong(1);
}
