// Serial classes that the archive tests write and read.
#pragma once

#include <afx.h>

#include <vector>

// One CString, schema 0: the class of the published worked example.
class CObString : public CObject
{
    DECLARE_SERIAL(CObString)
public:
    CObString() = default;
    explicit CObString(LPCSTR psz) : m_strValue(psz) {}
    void Serialize(CArchive& ar) override;
    CString m_strValue;
};

// One LONG, schema 1.
class CFoo : public CObject
{
    DECLARE_SERIAL(CFoo)
public:
    CFoo() = default;
    explicit CFoo(LONG l) : m_lValue(l) {}
    void Serialize(CArchive& ar) override;
    LONG m_lValue = 0;
};

// A tree node: owns its children (read with ReadNewObject) and points,
// without owning, at any object (m_pLink, read with ReadObject). Counts its
// live instances so tests can see that a failed load leaves none behind.
class CTestNode : public CObject
{
    DECLARE_SERIAL(CTestNode)
public:
    CTestNode();
    explicit CTestNode(LPCSTR pszName);
    ~CTestNode() override;
    void Serialize(CArchive& ar) override;
    CTestNode* AddChild(CTestNode* pChild);

    CString m_strName;
    std::vector<CObject*> m_children;
    CObject* m_pLink = nullptr;
    static int s_nLive;
};

// The kind-of tests follow the declared base: CDeclaredChild derives in C++
// from CCppBase but is declared on CDeclaredBase.
class CCppBase : public CObject
{
    DECLARE_SERIAL(CCppBase)
public:
    void Serialize(CArchive&) override {}
};

class CDeclaredBase : public CObject
{
    DECLARE_SERIAL(CDeclaredBase)
public:
    void Serialize(CArchive&) override {}
};

class CDeclaredChild : public CCppBase
{
    DECLARE_SERIAL(CDeclaredChild)
public:
    void Serialize(CArchive&) override {}
};

// Creatable but not serializable.
class CDynOnly : public CObject
{
    DECLARE_DYNCREATE(CDynOnly)
};

// Accepts every stored schema and records the one it saw.
class CVersioned : public CObject
{
    DECLARE_SERIAL(CVersioned)
public:
    void Serialize(CArchive& ar) override;
    UINT m_nSchemaSeen = 0;
};
