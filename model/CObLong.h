// One 32-bit value that compares by value. Only an archive creates one.
#pragma once

#include "model/CObBase.h"

class CObLong : public CObBase
{
    DECLARE_SERIAL(CObLong)
public:
    CObLong();
    ~CObLong() override;

    void Serialize(CArchive& ar) override;

    LONG GetLong(int nUnused) const override;
    // Objects of other classes answer GetLong with 1, so a CObLong of 1
    // equals every one of them.
    BOOL IsLess(const CObBase* pOther) const override;
    BOOL IsGreater(const CObBase* pOther) const override;
    BOOL IsEqual(const CObBase* pOther) const override;

protected:
    LONG m_lValue = 0;
};
