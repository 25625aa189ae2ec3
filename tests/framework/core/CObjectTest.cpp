// Runtime classes: the declared base chain, creation, registration.
#include "ArchiveTestClasses.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/ArchiveErrorExpect.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <thread>
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

struct CPooled {
    DECLARE_FIXED_ALLOC(CPooled)
public:
    virtual ~CPooled() = default;
    long nValue[3] = {1, 2, 3};
};

struct CLargerPooled : CPooled {
    char chExtra[40] = {};
};

// Objects outlive several blocks, keep apart, free on another thread than
// the one that made them, and a derived class of another size is not
// handed a slot of the wrong size.
TEST(FixedAlloc, SlotsAreDistinctAcrossBlocksThreadsAndSizes)
{
    std::vector<CPooled*> objects;
    for (int i = 0; i < 300; ++i)
        objects.push_back(i % 7 == 0 ? new CLargerPooled : new CPooled);
    std::thread([&] {
        for (int i = 0; i < 300; ++i)
            objects.push_back(new CPooled);
    }).join();
    std::map<const char*, size_t> extents; // start -> size, in address order
    for (CPooled* p : objects) {
        const bool bLarger = dynamic_cast<CLargerPooled*>(p) != nullptr;
        extents[reinterpret_cast<const char*>(p)] =
            bLarger ? sizeof(CLargerPooled) : sizeof(CPooled);
    }
    ASSERT_EQ(extents.size(), objects.size());
    for (auto it = extents.begin(); std::next(it) != extents.end(); ++it)
        EXPECT_LE(it->first + it->second, std::next(it)->first);
    for (size_t i = 0; i < objects.size(); i += 2)
        delete objects[i];
    std::thread([&] {
        for (size_t i = 1; i < objects.size(); i += 2)
            delete objects[i];
    }).join();
}

} // namespace
