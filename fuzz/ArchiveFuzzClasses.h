// Serial classes that the archive fuzz target reads.
//
// Body layouts (after the archive's tags):
//   CFuzzItem       LONG value
//   CFuzzNode       CFuzzItem's body, CString name, count, children (each an
//                   owned CFuzzItem, read with ReadNewObject), link (any
//                   object, not owned, read with ReadObject), double
//   CFuzzText       CString, BYTE, WORD, float
//   CFuzzVersioned  LONG, present from schema 2 (the class is at 3 and takes
//                   every schema)
#pragma once

#include <afx.h>

#include <vector>

// Every fuzz object is known to a registry until deleted, so that the
// objects nobody owns (those that arrived through a link, or as top-level
// results) are freed at the end of a run whatever happened.
class CFuzzObject : public CObject
{
public:
    CFuzzObject();
    ~CFuzzObject() override;
    // Deletes every live object without an owner; owners delete the rest.
    static void DeleteUnowned();
    static size_t LiveCount();

    CFuzzObject* m_pOwner = nullptr;
};

class CFuzzItem : public CFuzzObject
{
    DECLARE_SERIAL(CFuzzItem)
public:
    void Serialize(CArchive& ar) override;
    LONG m_lValue = 0;
};

class CFuzzNode : public CFuzzItem
{
    DECLARE_SERIAL(CFuzzNode)
public:
    ~CFuzzNode() override;
    void Serialize(CArchive& ar) override;

    CString m_strName;
    std::vector<CObject*> m_children;
    CObject* m_pLink = nullptr;
    double m_dWeight = 0;
};

class CFuzzText : public CFuzzObject
{
    DECLARE_SERIAL(CFuzzText)
public:
    void Serialize(CArchive& ar) override;
    CString m_strText;
    BYTE m_byFlags = 0;
    WORD m_wCode = 0;
    float m_fScale = 0;
};

class CFuzzVersioned : public CFuzzObject
{
    DECLARE_SERIAL(CFuzzVersioned)
public:
    void Serialize(CArchive& ar) override;
    LONG m_lExtra = 0;
};
