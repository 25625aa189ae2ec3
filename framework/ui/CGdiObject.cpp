#include "CGdiObject.h"

#include "AfxGdiObjectData.h"
#include "CBrush.h"
#include "CFont.h"
#include "CPen.h"

#include <memory>
#include <mutex>
#include <unordered_map>

IMPLEMENT_DYNAMIC(CGdiObject, CObject)

namespace
{

// Owners are the wrappers that hold a handle; shared wrappers are made on
// demand for handles nobody wraps and are freed with their handle. Both are
// bounded by the number of live handles.
struct WrapperMaps {
    std::recursive_mutex mutex;
    std::unordered_map<HGDIOBJ, CGdiObject*> owners;
    std::unordered_map<HGDIOBJ, std::unique_ptr<CGdiObject>> shared;
};

WrapperMaps& Maps()
{
    static WrapperMaps* pMaps = new WrapperMaps; // outlives static destructors
    return *pMaps;
}

std::unique_ptr<CGdiObject> MakeSharedWrapper(const AfxGdiObjectData& data)
{
    switch (data.eKind) {
    case AfxGdiObjectData::Kind::Pen:
        return std::make_unique<CPen>();
    case AfxGdiObjectData::Kind::Brush:
        return std::make_unique<CBrush>();
    case AfxGdiObjectData::Kind::Font:
        return std::make_unique<CFont>();
    }
    return std::make_unique<CGdiObject>();
}

} // namespace

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (m_hObject != nullptr || AfxLookupGdiObject(hObject) == nullptr)
        return FALSE;
    WrapperMaps& maps = Maps();
    std::lock_guard<std::recursive_mutex> lock(maps.mutex);
    m_hObject = hObject;
    maps.owners[hObject] = this;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    if (hObject == nullptr)
        return nullptr;
    WrapperMaps& maps = Maps();
    std::lock_guard<std::recursive_mutex> lock(maps.mutex);
    auto it = maps.owners.find(hObject);
    if (it != maps.owners.end() && it->second == this)
        maps.owners.erase(it);
    m_hObject = nullptr;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    return ::DeleteObject(Detach());
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    return Attach(::GetStockObject(nIndex));
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    return ::GetObject(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const
{
    return ::GetObjectType(m_hObject);
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    const AfxGdiObjectData* pData = AfxLookupGdiObject(hObject);
    if (pData == nullptr)
        return nullptr;
    WrapperMaps& maps = Maps();
    std::lock_guard<std::recursive_mutex> lock(maps.mutex);
    auto itOwner = maps.owners.find(hObject);
    if (itOwner != maps.owners.end())
        return itOwner->second;
    std::unique_ptr<CGdiObject>& pShared = maps.shared[hObject];
    if (!pShared) {
        pShared = MakeSharedWrapper(*pData);
        // Set directly: a shared wrapper is not an owner.
        pShared->m_hObject = hObject;
    }
    return pShared.get();
}

void CGdiObject::ForgetHandle(HGDIOBJ hObject)
{
    WrapperMaps& maps = Maps();
    std::lock_guard<std::recursive_mutex> lock(maps.mutex);
    auto itOwner = maps.owners.find(hObject);
    if (itOwner != maps.owners.end()) {
        itOwner->second->m_hObject = nullptr;
        maps.owners.erase(itOwner);
    }
    auto itShared = maps.shared.find(hObject);
    if (itShared != maps.shared.end()) {
        itShared->second->m_hObject = nullptr;
        maps.shared.erase(itShared);
    }
}
