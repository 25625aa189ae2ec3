#include "model/CObStringString.h"

// Stored files name CObject as the declared base, so a kind-of test against
// CObString answers FALSE although the C++ base is CObString.
IMPLEMENT_SERIAL(CObStringString, CObject, 0)

CObStringString::CObStringString() = default;

CObStringString::CObStringString(const CString& strFirst, const CString& strSecond)
    : CObString(strFirst), m_strSecond(strSecond)
{
}

CObStringString::~CObStringString() = default;

void CObStringString::Serialize(CArchive& ar)
{
    CObString::Serialize(ar);
    if (ar.IsStoring())
        ar << m_strSecond;
    else
        ar >> m_strSecond;
}

const CString& CObStringString::GetSubKey() const
{
    return m_strSecond;
}

BOOL CObStringString::IsEqual(const CObBase* pOther) const
{
    if (CompareKeys(this, pOther) != 0)
        return FALSE;
    // Only the other object's second string can act as a wildcard, which is
    // what lets a bare race name find that race in every game.
    const CString strOtherSub = pOther->GetSubKey();
    if (strOtherSub.IsEmpty())
        return TRUE;
    return GetSubKey().Compare(strOtherSub) == 0;
}

int CObStringString::Descend(const CObBase* pOther) const
{
    const int nOrder = CompareKeys(this, pOther);
    if (nOrder != 0)
        return nOrder > 0 ? 1 : -1;
    return IsEqual(pOther) ? 0 : -1;
}

BOOL CObStringString::SetStrings(const CString& strFirst, const CString& strSecond)
{
    m_strFirst = strFirst;
    m_strSecond = strSecond;
    return TRUE;
}
