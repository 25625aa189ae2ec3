// One string that compares by that string: the selection's race names, and
// the first half of a race's key.
#pragma once

#include "model/CObBase.h"

class CObString : public CObBase
{
    DECLARE_SERIAL(CObString)
public:
    CObString();
    explicit CObString(const CString& strFirst);
    ~CObString() override;

    void Serialize(CArchive& ar) override;

    // Final, so that this class's own comparisons read the string directly.
    const CString& GetKey() const final { return m_strFirst; }
    BOOL IsLess(const CObBase* pOther) const override;
    // Final: a collection of these relies on it being the order of the
    // keys when it balances.
    BOOL IsGreater(const CObBase* pOther) const final;
    BOOL IsEqual(const CObBase* pOther) const override;
    int Descend(const CObBase* pOther) const override;
    virtual BOOL SetString(const CString& strFirst);

protected:
    CString m_strFirst;
};
