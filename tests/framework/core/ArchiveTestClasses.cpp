#include "ArchiveTestClasses.h"

IMPLEMENT_SERIAL(CObString, CObject, 0)
IMPLEMENT_SERIAL(CFoo, CObject, 1)
IMPLEMENT_SERIAL(CTestNode, CObject, 1)
IMPLEMENT_SERIAL(CCppBase, CObject, 1)
IMPLEMENT_SERIAL(CDeclaredBase, CObject, 1)
IMPLEMENT_SERIAL(CDeclaredChild, CDeclaredBase, 1)
IMPLEMENT_DYNCREATE(CDynOnly, CObject)
IMPLEMENT_SERIAL(CVersioned, CObject, VERSIONABLE_SCHEMA | 3)

int CTestNode::s_nLive = 0;

void CObString::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_strValue;
    else
        ar >> m_strValue;
}

void CFoo::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_lValue;
    else
        ar >> m_lValue;
}

CTestNode::CTestNode()
{
    ++s_nLive;
}

CTestNode::CTestNode(LPCSTR pszName) : m_strName(pszName)
{
    ++s_nLive;
}

CTestNode::~CTestNode()
{
    for (CObject* pChild : m_children)
        delete pChild;
    --s_nLive;
}

CTestNode* CTestNode::AddChild(CTestNode* pChild)
{
    m_children.push_back(pChild);
    return pChild;
}

void CTestNode::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_strName;
        ar.WriteCount(DWORD(m_children.size()));
        for (CObject* pChild : m_children)
            ar << pChild;
        ar << m_pLink;
        return;
    }
    ar >> m_strName;
    DWORD nCount = ar.ReadCount();
    for (DWORD i = 0; i < nCount; ++i)
        m_children.push_back(ar.ReadNewObject(RUNTIME_CLASS(CObject)));
    ar >> m_pLink;
}

void CVersioned::Serialize(CArchive& ar)
{
    if (ar.IsLoading())
        m_nSchemaSeen = ar.GetObjectSchema();
}
