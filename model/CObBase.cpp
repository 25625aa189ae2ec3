#include "model/CObBase.h"

const CString& CObBase::NoKey()
{
    static const CString strEmpty;
    return strEmpty;
}

const CString& CObBase::GetKey() const
{
    return NoKey();
}

const CString* CObBase::GetOwnKey() const
{
    return nullptr;
}

LONG CObBase::GetLong(int) const
{
    return 1;
}

const CString& CObBase::GetSubKey() const
{
    return NoKey();
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
