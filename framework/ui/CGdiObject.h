// Owning wrapper of a pen, brush or font handle. The object frees its handle
// when it is destroyed, unless it was detached first.
//
// FromHandle gives the wrapper that owns a handle, or else a shared wrapper
// that does not own it (as for the object a DC returns as "previously
// selected"). Such a shared wrapper is valid until its handle is deleted.
#pragma once

#include "AfxGdiObjects.h"

class AFX_API CGdiObject : public CObject
{
    DECLARE_DYNAMIC(CGdiObject)
public:
    HGDIOBJ m_hObject = nullptr;

    CGdiObject() = default;
    ~CGdiObject() override;

    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }

    // FALSE when this object already holds a handle or hObject is not live.
    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    BOOL CreateStockObject(int nIndex);
    int GetObject(int nCount, LPVOID lpObject) const;
    UINT GetObjectType() const;

    static CGdiObject* FromHandle(HGDIOBJ hObject);
    // FromHandle for a typed wrapper: a handle of another kind gives null
    // rather than a mistyped wrapper.
    template <class TWrapper>
    static TWrapper* FromHandleOf(HGDIOBJ hObject, const CRuntimeClass* pWrapperClass)
    {
        CGdiObject* pObject = FromHandle(hObject);
        if (pObject == nullptr || !pObject->IsKindOf(pWrapperClass))
            return nullptr;
        return static_cast<TWrapper*>(pObject);
    }
    // Called when a handle is deleted: its wrappers stop naming it.
    static void ForgetHandle(HGDIOBJ hObject);
};
