// Runtime classes: the declared base chain, creation, registration.
#include "ArchiveTestClasses.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/ArchiveErrorExpect.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{

TEST(RuntimeClass, KindOfFollowsTheDeclaredBase)
{
    CDeclaredChild child;
    EXPECT_TRUE(child.IsKindOf(RUNTIME_CLASS(CDeclaredChild)));
    EXPECT_TRUE(child.IsKindOf(RUNTIME_CLASS(CDeclaredBase)));
    EXPECT_TRUE(child.IsKindOf(RUNTIME_CLASS(CObject)));
    // A C++ base that was not declared does not count.
    EXPECT_FALSE(child.IsKindOf(RUNTIME_CLASS(CCppBase)));
    EXPECT_FALSE(RUNTIME_CLASS(CDeclaredBase)->IsDerivedFrom(RUNTIME_CLASS(CDeclaredChild)));
    EXPECT_FALSE(RUNTIME_CLASS(CFoo)->IsDerivedFrom(nullptr));
}

TEST(RuntimeClass, ArchiveKindCheckFollowsTheDeclaredBase)
{
    CDeclaredChild child;
    Bytes bytes = StoreBytes([&](CArchive& ar) { ar << &child; });
    LoadBytes(bytes, [](CArchive& ar) {
        std::unique_ptr<CObject> p(ar.ReadObject(RUNTIME_CLASS(CDeclaredBase)));
        EXPECT_EQ(p->GetRuntimeClass(), RUNTIME_CLASS(CDeclaredChild));
    });
    int nCause = ArchiveErrorExpect::CauseOf([&] {
        LoadBytes(bytes, [](CArchive& ar) { delete ar.ReadObject(RUNTIME_CLASS(CCppBase)); });
    });
    EXPECT_EQ(nCause, CArchiveException::badClass);
}

TEST(RuntimeClass, RecordsOfTheRoot)
{
    const CRuntimeClass* pRoot = RUNTIME_CLASS(CObject);
    EXPECT_STREQ(pRoot->m_lpszClassName, "CObject");
    EXPECT_EQ(pRoot->m_pBaseClass, nullptr);
    EXPECT_EQ(pRoot->m_wSchema, 0xFFFFu);
    EXPECT_EQ(pRoot->CreateObject(), nullptr);
    EXPECT_EQ(RUNTIME_CLASS(CFoo)->m_pBaseClass, pRoot);
}

TEST(RuntimeClass, CreateObject)
{
    std::unique_ptr<CObject> pDyn(RUNTIME_CLASS(CDynOnly)->CreateObject());
    ASSERT_NE(pDyn, nullptr);
    EXPECT_EQ(pDyn->GetRuntimeClass(), RUNTIME_CLASS(CDynOnly));
    EXPECT_FALSE(pDyn->IsSerializable());
    std::unique_ptr<CObject> pFoo(RUNTIME_CLASS(CFoo)->CreateObject());
    EXPECT_TRUE(pFoo->IsSerializable());
    EXPECT_EQ(RUNTIME_CLASS(CException)->CreateObject(), nullptr);
}

TEST(RuntimeClass, SerialClassesRegisterWithTheirModule)
{
    AFX_MODULE_STATE* pState = AfxGetStaticModuleState();
    EXPECT_EQ(pState->FindClass("CFoo"), RUNTIME_CLASS(CFoo));
    EXPECT_EQ(pState->FindClass("CTestNode"), RUNTIME_CLASS(CTestNode));
    EXPECT_EQ(pState->FindClass("CDynOnly"), nullptr); // not serial
    EXPECT_EQ(pState->FindClass("cfoo"), nullptr);
    // A second registration changes nothing (and makes no cycle).
    pState->AddClass(RUNTIME_CLASS(CFoo));
    EXPECT_EQ(pState->FindClass("CFoo"), RUNTIME_CLASS(CFoo));
    EXPECT_EQ(pState->FindClass("CNoSuchClass"), nullptr);
}

TEST(Exceptions, MessagesAndClasses)
{
    struct Row {
        int nCause;
        const char* pszText;
    };
    const Row rows[] = {
        {CArchiveException::endOfFile, "Reached end of file while reading an object."},
        {CArchiveException::badIndex, "Invalid file format."},
        {CArchiveException::badClass, "Tried to read an object into an object of the wrong type."},
        {CArchiveException::badSchema,
         "Tried to read an object with a different version of the class."},
    };
    for (const Row& row : rows) {
        CArchiveException e(row.nCause);
        EXPECT_STREQ(e.GetErrorMessage(), row.pszText);
        EXPECT_TRUE(e.IsKindOf(RUNTIME_CLASS(CException)));
    }
    char szSmall[8];
    CArchiveException e(CArchiveException::badIndex);
    EXPECT_TRUE(e.GetErrorMessage(szSmall, sizeof(szSmall)));
    EXPECT_STREQ(szSmall, "Invalid");
    EXPECT_EQ(CArchiveException::endOfFile, 3);
    EXPECT_EQ(CArchiveException::badSchema, 7);
}

} // namespace
