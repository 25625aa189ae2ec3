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

    const CString& GetKey() const override;
    BOOL IsLess(const CObBase* pOther) const override;
    BOOL IsGreater(const CObBase* pOther) const override;
    BOOL IsEqual(const CObBase* pOther) const override;
    virtual BOOL SetString(const CString& strFirst);

protected:
    CString m_strFirst;
};
