#include "AfxGdiObjectData.h"

#include "AfxFontConversion.h"

#include <mutex>
#include <unordered_set>

namespace
{

// Drawing happens on the user-interface thread, but objects may be freed by
// destructors running elsewhere (a plug-in unloading), so the registry is
// guarded anyway; it is touched once per create, select and delete.
struct GdiRegistry {
    std::mutex mutex;
    std::unordered_set<AfxGdiObjectData*> objects;
};

GdiRegistry& Registry()
{
    static GdiRegistry* pRegistry = new GdiRegistry; // outlives static destructors
    return *pRegistry;
}

} // namespace

HGDIOBJ AfxRegisterGdiObject(AfxGdiObjectData* pData)
{
    GdiRegistry& registry = Registry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    registry.objects.insert(pData);
    return pData;
}

AfxGdiObjectData* AfxLookupGdiObject(HGDIOBJ hObject)
{
    if (hObject == nullptr)
        return nullptr;
    GdiRegistry& registry = Registry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    auto* pData = static_cast<AfxGdiObjectData*>(hObject);
    return registry.objects.count(pData) != 0 ? pData : nullptr;
}

BOOL AfxFreeGdiObject(HGDIOBJ hObject)
{
    auto* pData = static_cast<AfxGdiObjectData*>(hObject);
    {
        GdiRegistry& registry = Registry();
        std::lock_guard<std::mutex> lock(registry.mutex);
        if (pData == nullptr || registry.objects.count(pData) == 0)
            return FALSE;
        if (pData->bStock)
            return TRUE;
        registry.objects.erase(pData);
    }
    delete pData;
    return TRUE;
}

QFont AfxResolveFont(const AfxGdiObjectData& data)
{
    return data.bFollowsAppFont ? AfxDefaultGuiFont() : data.font;
}
