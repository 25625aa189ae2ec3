// Runtime class records and the root object.
#include "CObject.h"

#include "AfxModuleState.h"
#include "CArchive.h"
#include "CException.h"

#include <cstring>

namespace
{
// A declared chain is a few links long; the cap only keeps a mistaken cycle
// (A declared on B and B on A) from hanging a kind-of test.
constexpr int nMaxDeclaredDepth = 256;
} // namespace

CRuntimeClass CObject::classCObject = {"CObject", int(sizeof(CObject)), 0xFFFF, nullptr, nullptr,
                                       nullptr};

CObject* CRuntimeClass::CreateObject() const
{
    if (m_pfnCreateObject == nullptr)
        return nullptr;
    return m_pfnCreateObject();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    if (pBaseClass == nullptr)
        return FALSE;
    const CRuntimeClass* pClass = this;
    for (int nDepth = 0; pClass != nullptr && nDepth < nMaxDeclaredDepth; ++nDepth) {
        if (pClass == pBaseClass)
            return TRUE;
        pClass = pClass->m_pBaseClass;
    }
    return FALSE;
}

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass, AFX_MODULE_STATE* pModuleState)
{
    if (pModuleState == nullptr)
        pModuleState = AfxGetModuleState();
    pModuleState->AddClass(pNewClass);
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &CObject::classCObject;
}

void CObject::Serialize(CArchive&) {}

void CObject::AssertValid() const {}

void CObject::Dump() const {}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

// The class record of the archive: WORD schema, WORD name length, name bytes.
void CRuntimeClass::Store(CArchive& ar) const
{
    size_t nLength = std::strlen(m_lpszClassName);
    // A reader refuses longer names, so such a record would make the file
    // unreadable: better to fail the store.
    if (nLength > size_t(CArchive::nMaxClassNameLength))
        AfxThrowArchiveException(CArchiveException::badClass, ar.m_strFileName);
    ar << WORD(m_wSchema & 0xFFFF) << WORD(nLength);
    ar.Write(m_lpszClassName, UINT(nLength));
}

CRuntimeClass* CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD wSchema = 0;
    WORD nLength = 0;
    ar >> wSchema >> nLength;
    char szClassName[CArchive::nMaxClassNameLength + 1];
    if (nLength > CArchive::nMaxClassNameLength)
        AfxThrowArchiveException(CArchiveException::badClass, ar.m_strFileName);
    // A file that ends inside the name is cut short, not of a wrong class.
    if (ar.Read(szClassName, nLength) != nLength)
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    szClassName[nLength] = '\0';
    // An embedded zero would let "CFoo\0junk" pass for CFoo.
    if (std::memchr(szClassName, '\0', nLength) != nullptr)
        AfxThrowArchiveException(CArchiveException::badClass, ar.m_strFileName);

    CRuntimeClass* pClass = AfxGetModuleState()->FindClass(szClassName);
    if (pClass == nullptr)
        pClass = AfxGetStaticModuleState()->FindClass(szClassName);
    if (pClass == nullptr || pClass->m_pfnCreateObject == nullptr ||
        (pClass->m_wSchema & ~VERSIONABLE_SCHEMA) == 0xFFFF)
        AfxThrowArchiveException(CArchiveException::badClass, ar.m_strFileName);
    if (pwSchemaNum != nullptr)
        *pwSchemaNum = wSchema;
    return pClass;
}
