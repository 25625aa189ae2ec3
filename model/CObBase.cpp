#include "model/CObBase.h"

CObBase::CObBase() = default;

CObBase::~CObBase() = default;

const CString& CObBase::GetKey() const
{
    return m_strBase;
}

LONG CObBase::GetLong(int) const
{
    return 1;
}

const CString& CObBase::GetSubKey() const
{
    return m_strBase;
}

BOOL CObBase::IsLess(const CObBase*) const
{
    return TRUE;
}

BOOL CObBase::IsGreater(const CObBase*) const
{
    return TRUE;
}

BOOL CObBase::IsEqual(const CObBase*) const
{
    return TRUE;
}

int CObBase::Descend(const CObBase* pOther) const
{
    if (IsGreater(pOther))
        return 1;
    return IsEqual(pOther) ? 0 : -1;
}
