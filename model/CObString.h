// One string that compares by that string: the selection's race names, and
// the first half of a race's key.
#pragma once

#include "model/CObBase.h"
#include "model/KeyCompare.h"

#include <typeinfo>

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
    // Final with IsGreater: this class and every class derived from it
    // order by the first string alone.
    const CString* GetOwnKey() const final { return &m_strFirst; }
    BOOL IsLess(const CObBase* pOther) const override;
    // Final: a collection of these relies on it being the order of the
    // keys when it balances.
    BOOL IsGreater(const CObBase* pOther) const final;
    BOOL IsEqual(const CObBase* pOther) const override;
    int Descend(const CObBase* pOther) const override;
    // pItem->Descend(pOther) and pItem->IsGreater(pOther), answered
    // without a virtual call where the items are plain CObStrings: a
    // collection asks one of them at every level of every descent, and most
    // collections hold plain strings. A plain string is also the one case
    // where equal keys mean equal items, so the keys' order alone decides.
    [[gnu::always_inline]] static int DescendAt(const CObBase* pItem, const CObBase* pOther)
    {
        if (!IsPlain(pItem))
            return pItem->Descend(pOther);
        const int nOrder =
            KeyCompare(static_cast<const CObString*>(pItem)->m_strFirst, KeyOf(pOther));
        return nOrder > 0 ? 1 : nOrder < 0 ? -1 : 0;
    }
    [[gnu::always_inline]] static bool IsGreaterAt(const CObBase* pItem, const CObBase* pOther)
    {
        if (!IsPlain(pItem))
            return pItem->IsGreater(pOther) != FALSE;
        return KeyCompare(static_cast<const CObString*>(pItem)->m_strFirst, KeyOf(pOther)) > 0;
    }
    virtual BOOL SetString(const CString& strFirst);

protected:
    CString m_strFirst;

private:
    static bool IsPlain(const CObBase* pItem) { return typeid(*pItem) == typeid(CObString); }
    static const CString& KeyOf(const CObBase* pItem)
    {
        return IsPlain(pItem) ? static_cast<const CObString*>(pItem)->m_strFirst : pItem->GetKey();
    }
};
