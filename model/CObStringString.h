// A pair of strings. It orders by the first string only; equality also looks
// at the second string, but only when the other object has one, so a key
// without a second string matches every pair with the same first string.
#pragma once

#include "model/CObString.h"

class CObStringString : public CObString
{
    DECLARE_SERIAL(CObStringString)
public:
    CObStringString();
    CObStringString(const CString& strFirst, const CString& strSecond);
    ~CObStringString() override;

    void Serialize(CArchive& ar) override;

    const CString& GetSubKey() const override;
    // Final: Descend relies on equality needing equal first strings.
    BOOL IsEqual(const CObBase* pOther) const final;
    int Descend(const CObBase* pOther) const override;
    virtual BOOL SetStrings(const CString& strFirst, const CString& strSecond);

protected:
    CString m_strSecond;
};
