#include "ArchiveFuzzClasses.h"

#include <unordered_set>

IMPLEMENT_SERIAL(CFuzzItem, CObject, 1)
IMPLEMENT_SERIAL(CFuzzNode, CFuzzItem, 2)
IMPLEMENT_SERIAL(CFuzzText, CObject, 0)
IMPLEMENT_SERIAL(CFuzzVersioned, CObject, VERSIONABLE_SCHEMA | 3)

namespace
{
std::unordered_set<CFuzzObject*>& LiveObjects()
{
    static std::unordered_set<CFuzzObject*> live;
    return live;
}
} // namespace

CFuzzObject::CFuzzObject()
{
    LiveObjects().insert(this);
}

CFuzzObject::~CFuzzObject()
{
    LiveObjects().erase(this);
}

void CFuzzObject::DeleteUnowned()
{
    std::vector<CFuzzObject*> roots;
    for (CFuzzObject* pObject : LiveObjects()) {
        if (pObject->m_pOwner == nullptr)
            roots.push_back(pObject);
    }
    // No root owns another, so deleting one never deletes a later one.
    for (CFuzzObject* pRoot : roots)
        delete pRoot;
}

size_t CFuzzObject::LiveCount()
{
    return LiveObjects().size();
}

void CFuzzItem::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_lValue;
    else
        ar >> m_lValue;
}

CFuzzNode::~CFuzzNode()
{
    for (CObject* pChild : m_children)
        delete pChild;
}

void CFuzzNode::Serialize(CArchive& ar)
{
    CFuzzItem::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_strName;
        ar.WriteCount(DWORD(m_children.size()));
        for (CObject* pChild : m_children)
            ar << pChild;
        ar << m_pLink << m_dWeight;
        return;
    }
    ar >> m_strName;
    DWORD nCount = ar.ReadCount();
    for (DWORD i = 0; i < nCount; ++i) {
        CObject* pChild = ar.ReadNewObject(RUNTIME_CLASS(CFuzzItem));
        // Owned from the moment it arrives, so a later failure frees it.
        m_children.push_back(pChild);
        if (pChild != nullptr)
            static_cast<CFuzzObject*>(pChild)->m_pOwner = this;
    }
    ar >> m_pLink >> m_dWeight;
}

void CFuzzText::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_strText << m_byFlags << m_wCode << m_fScale;
    else
        ar >> m_strText >> m_byFlags >> m_wCode >> m_fScale;
}

void CFuzzVersioned::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_lExtra;
        return;
    }
    if (ar.GetObjectSchema() >= 2)
        ar >> m_lExtra;
}
