// A named collection that compares by its name, so that collections can be
// items of other collections. Only an archive creates one.
#pragma once

#include "model/CManBi.h"

class CBiS : public CManBi
{
    DECLARE_SERIAL(CBiS)
public:
    CBiS();
    ~CBiS() override;

    // The collection, then the name as a string.
    void Serialize(CArchive& ar) override;

    const CString& GetKey() const override;
    BOOL IsLess(const CObBase* pOther) const override;
    BOOL IsGreater(const CObBase* pOther) const override;
    BOOL IsEqual(const CObBase* pOther) const override;

protected:
    CString m_strName;
};
