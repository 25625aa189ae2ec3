// One string that compares by that string: the selection's race names, and
// the first half of a race's key.
#pragma once

#include "model/CObBase.h"

#include <typeinfo>

class CObString : public CObBase
{
    DECLARE_SERIAL(CObString)
    // Selections and keys make and drop these by the thousand.
    DECLARE_FIXED_ALLOC(CObString)
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
    // pItem->Descend(pOther), answered without the call when pItem is a
    // plain CObString: the one case where equal keys mean equal items, so
    // the keys' order alone decides.
    static int DescendAt(const CObBase* pItem, const CObBase* pOther)
    {
        if (typeid(*pItem) != typeid(CObString))
            return pItem->Descend(pOther);
        const int nOrder = CompareKeys(pItem, pOther);
        return nOrder > 0 ? 1 : nOrder < 0 ? -1 : 0;
    }
    virtual BOOL SetString(const CString& strFirst);

protected:
    CString m_strFirst;
};
