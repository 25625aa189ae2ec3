#include "model/CBiS.h"

// Declared under CObject, not CManBi, as stored files expect: a CBiS cannot
// stand where a read requires a CManBi.
IMPLEMENT_SERIAL(CBiS, CObject, 0)

CBiS::CBiS() = default;

CBiS::~CBiS() = default;

void CBiS::Serialize(CArchive& ar)
{
    CManBi::Serialize(ar);
    if (ar.IsStoring())
        ar << m_strName;
    else
        ar >> m_strName;
}

const CString& CBiS::GetKey() const
{
    return m_strName;
}

BOOL CBiS::IsLess(const CObBase* pOther) const
{
    return CompareKeys(this, pOther) < 0;
}

BOOL CBiS::IsGreater(const CObBase* pOther) const
{
    return CompareKeys(this, pOther) > 0;
}

BOOL CBiS::IsEqual(const CObBase* pOther) const
{
    return CompareKeys(this, pOther) == 0;
}
