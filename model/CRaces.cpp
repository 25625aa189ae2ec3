#include "model/CRaces.h"

IMPLEMENT_SERIAL(CRaces, CManBi, 0)

CRaces::CRaces()
{
    m_nState = 0;
}

CRaces::~CRaces() = default;

void CRaces::Serialize(CArchive& ar)
{
    CManBi::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nState;
    } else {
        LONG nState = 0;
        ar >> nState;
        m_nState = nState;
    }
}
