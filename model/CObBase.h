// The common base of everything a CManBi can hold. A collection orders,
// matches and replaces its items only through the virtual key interface
// declared here, so value objects, races and even whole collections can be
// items of one another.
#pragma once

#include <afx.h>

class CObBase : public CObject
{
public:
    ~CObBase() override = default;

    // The defaults answer as an object without a key of its own: an empty
    // key and sub-key, a value of 1, and TRUE to every comparison.
    virtual const CString& GetKey() const;
    virtual LONG GetLong(int nUnused) const;
    virtual const CString& GetSubKey() const;
    virtual BOOL IsLess(const CObBase* pOther) const;
    virtual BOOL IsGreater(const CObBase* pOther) const;
    virtual BOOL IsEqual(const CObBase* pOther) const;
    // Which way a search for pOther turns at this item: >0 where IsGreater
    // answers TRUE, else 0 where IsEqual does, else <0. It is always what
    // those two answer; a class overrides it to answer with one comparison.
    virtual int Descend(const CObBase* pOther) const;

    // The key that alone decides this item's order (IsGreater is then
    // exactly the keys' order, a total preorder), or null. A collection
    // needs no comparisons to balance or load items that have one.
    virtual const CString* GetOwnKey() const;

    // The order of keys wherever they are compared: this object's key
    // against the other's, both taken through the virtual GetKey so that
    // objects of different classes compare.
    static int CompareKeys(const CObBase* pThis, const CObBase* pOther)
    {
        return pThis->GetKey().Compare(pOther->GetKey());
    }

protected:
    CObBase() = default;

    // The key of classes that have no key of their own: one empty string
    // shared by all, never assigned and never stored.
    static const CString& NoKey();
};
