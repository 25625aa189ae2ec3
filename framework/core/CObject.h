// The root of the class library's object model: runtime class records,
// kind-of tests that follow the *declared* base (not the C++ base list),
// dynamic creation and the per-module class registry that archives consult.
#pragma once

#include "AfxTypes.h"

class CObject;
class CArchive;
struct AFX_MODULE_STATE;

// Or-ed into a schema given to IMPLEMENT_SERIAL: objects of other stored
// schemas are then read too, and GetObjectSchema tells which one a body has.
#define VERSIONABLE_SCHEMA (0x80000000u)

struct AFX_API CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                  // 0xFFFF for classes that cannot be archived
    CObject* (*m_pfnCreateObject)(); // null unless dynamically creatable
    CRuntimeClass* m_pBaseClass;     // the declared base
    CRuntimeClass* m_pNextClass;     // link in the owning module's registry

    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // Archive form of a class record; Load looks the name up in the current
    // module's registry, then in the framework library's own, and throws
    // CArchiveException (badClass) on a name that is unknown, 64 bytes or
    // longer, cut short or names a class that cannot be created. The stored
    // schema is returned, not checked: that is ReadClass's part.
    void Store(CArchive& ar) const;
    static CRuntimeClass* Load(CArchive& ar, UINT* pwSchemaNum);
};

// Registers a serial class with a module at static-initialisation time.
struct AFX_API AFX_CLASSINIT {
    AFX_CLASSINIT(CRuntimeClass* pNewClass, AFX_MODULE_STATE* pModuleState);
};

class AFX_API CObject
{
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    // Inline, as every object of every class is made and unmade through
    // these two.
    virtual ~CObject() = default;
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;
    virtual void Dump() const;

    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const;

    static CRuntimeClass classCObject;

protected:
    CObject() = default;

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                                                                \
public:                                                                                            \
    static CRuntimeClass class##class_name;                                                        \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                                                              \
    DECLARE_DYNAMIC(class_name)                                                                    \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name)                                                                 \
    DECLARE_DYNCREATE(class_name)                                                                  \
    friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                       \
    CRuntimeClass class_name::class##class_name = {                                                \
        #class_name, int(sizeof(class class_name)),  wSchema,                                      \
        pfnNew,      RUNTIME_CLASS(base_class_name), nullptr};                                     \
    CRuntimeClass* class_name::GetRuntimeClass() const                                             \
    {                                                                                              \
        return RUNTIME_CLASS(class_name);                                                          \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                             \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                           \
    CObject* class_name::CreateObject()                                                            \
    {                                                                                              \
        return new class_name;                                                                     \
    }                                                                                              \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                     \
    CObject* class_name::CreateObject()                                                            \
    {                                                                                              \
        return new class_name;                                                                     \
    }                                                                                              \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)         \
    static AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name), AfxGetStaticModuleState()); \
    CArchive& operator>>(CArchive& ar, class_name*& pOb)                                           \
    {                                                                                              \
        pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));                  \
        return ar;                                                                                 \
    }
