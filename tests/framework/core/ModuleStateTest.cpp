// Module states: switching, restoring, the loader, and class lookup by the
// current module.
#include "ArchiveTestClasses.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/ArchiveErrorExpect.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <dlfcn.h>
#include <memory>

namespace
{

TEST(ModuleState, EachModuleHasItsOwnNamedState)
{
    AFX_MODULE_STATE* pOwn = AfxGetStaticModuleState();
    EXPECT_EQ(AfxGetModuleState(), pOwn); // made current while the program started
    EXPECT_STREQ(pOwn->m_strModuleName, "framework_core_tests");
}

TEST(ModuleState, NeverNull)
{
    AFX_MODULE_STATE* pPrev = AfxSetModuleState(nullptr);
    AFX_MODULE_STATE* pFallback = AfxGetModuleState();
    AfxSetModuleState(pPrev);
    ASSERT_NE(pFallback, nullptr);
    EXPECT_NE(pFallback, AfxGetStaticModuleState());
    EXPECT_STREQ(pFallback->m_strModuleName, "libkfx.so");
}

TEST(ModuleState, MaintainStateRestoresOnException)
{
    AFX_MODULE_STATE* pBefore = AfxGetModuleState();
    AFX_MODULE_STATE other("other");
    try {
        AFX_MAINTAIN_STATE keep(&other);
        EXPECT_EQ(AfxGetModuleState(), &other);
        {
            AFX_MODULE_STATE inner("inner");
            AFX_MAINTAIN_STATE keepInner(&inner);
            EXPECT_EQ(AfxGetModuleState(), &inner);
        }
        EXPECT_EQ(AfxGetModuleState(), &other);
        AfxThrowArchiveException(CArchiveException::badIndex);
    } catch (CArchiveException* e) {
        e->Delete();
    }
    EXPECT_EQ(AfxGetModuleState(), pBefore);
}

// Class records are looked up in the current module, then in the framework
// library's own registry; never in some other module's.
TEST(ModuleState, ClassLookupUsesTheCurrentModule)
{
    CFoo foo(5);
    Bytes bytes = StoreBytes([&](CArchive& ar) { ar << &foo; });
    auto readFoo = [&] {
        LoadBytes(bytes, [](CArchive& ar) { delete ar.ReadObject(RUNTIME_CLASS(CFoo)); });
    };
    EXPECT_EQ(ArchiveErrorExpect::CauseOf(readFoo), ArchiveErrorExpect::nNoException);
    AFX_MODULE_STATE empty("empty");
    AFX_MAINTAIN_STATE keep(&empty);
    EXPECT_EQ(ArchiveErrorExpect::CauseOf(readFoo), CArchiveException::badClass);
}

CObject* CreateLibraryThing()
{
    return new CFoo;
}

TEST(ModuleState, ClassLookupFallsBackToTheLibrary)
{
    // A record registered with the framework library's own state.
    static CRuntimeClass classLibraryThing = {"CLibraryThing",     int(sizeof(CFoo)),      1,
                                              &CreateLibraryThing, RUNTIME_CLASS(CObject), nullptr};
    AFX_MODULE_STATE* pPrev = AfxSetModuleState(nullptr);
    AfxGetModuleState()->AddClass(&classLibraryThing);
    AfxSetModuleState(pPrev);

    Bytes bytes =
        Concat({{0xFF, 0xFF, 0x01, 0x00, 0x0D, 0x00}, Text("CLibraryThing"), {9, 0, 0, 0}});
    AFX_MODULE_STATE empty("empty");
    AFX_MAINTAIN_STATE keep(&empty);
    LoadBytes(bytes, [](CArchive& ar) {
        std::unique_ptr<CObject> p(ar.ReadObject(nullptr));
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(static_cast<CFoo*>(p.get())->m_lValue, 9);
    });
}

class LoadedModuleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CString strError;
        m_hModule = AfxLoadLibrary(KFX_TEST_MODULE_PATH, &strError);
        ASSERT_NE(m_hModule, nullptr) << strError.GetString();
        m_pfnState = reinterpret_cast<AFX_MODULE_STATE* (*)()>(dlsym(m_hModule, "TestModuleState"));
        m_pfnStateAtInit =
            reinterpret_cast<AFX_MODULE_STATE* (*)()>(dlsym(m_hModule, "TestModuleStateAtInit"));
        ASSERT_NE(m_pfnState, nullptr);
        ASSERT_NE(m_pfnStateAtInit, nullptr);
    }
    void TearDown() override
    {
        if (m_hModule != nullptr)
            AfxFreeLibrary(m_hModule);
    }
    void* m_hModule = nullptr;
    AFX_MODULE_STATE* (*m_pfnState)() = nullptr;
    AFX_MODULE_STATE* (*m_pfnStateAtInit)() = nullptr;
};

TEST_F(LoadedModuleTest, LoaderKeepsTheCallersState)
{
    EXPECT_EQ(AfxGetModuleState(), AfxGetStaticModuleState());
    AFX_MODULE_STATE* pModule = m_pfnState();
    EXPECT_NE(pModule, AfxGetStaticModuleState());
    // The module's own initialisation ran in its own state.
    EXPECT_EQ(m_pfnStateAtInit(), pModule);
    EXPECT_STREQ(pModule->m_strModuleName, "libframework_test_module.so");
    EXPECT_NE(pModule->FindClass("CModuleThing"), nullptr);
    EXPECT_EQ(AfxGetStaticModuleState()->FindClass("CModuleThing"), nullptr);
}

TEST_F(LoadedModuleTest, ModuleClassesAreReadInTheModulesState)
{
    Bytes bytes =
        Concat({{0xFF, 0xFF, 0x01, 0x00, 0x0C, 0x00}, Text("CModuleThing"), {4, 0, 0, 0}});
    auto read = [&] { LoadBytes(bytes, [](CArchive& ar) { delete ar.ReadObject(nullptr); }); };
    EXPECT_EQ(ArchiveErrorExpect::CauseOf(read), CArchiveException::badClass);
    AFX_MAINTAIN_STATE keep(m_pfnState());
    EXPECT_EQ(ArchiveErrorExpect::CauseOf(read), ArchiveErrorExpect::nNoException);
}

TEST_F(LoadedModuleTest, UnloadingTheCurrentModuleFallsBack)
{
    AFX_MODULE_STATE* pPrev = AfxSetModuleState(m_pfnState());
    AfxFreeLibrary(m_hModule);
    m_hModule = nullptr;
    EXPECT_STREQ(AfxGetModuleState()->m_strModuleName, "libkfx.so");
    AfxSetModuleState(pPrev);
}

TEST(ModuleLoader, MissingModuleReportsTheLoadersMessage)
{
    CString strError;
    EXPECT_EQ(AfxLoadLibrary("/nonexistent/libnothing.so", &strError), nullptr);
    EXPECT_NE(strError.Find("libnothing.so"), -1) << strError.GetString();
    EXPECT_EQ(AfxGetModuleState(), AfxGetStaticModuleState());
}

// The language is read once, from the environment of a fresh process.
TEST(UILanguageDeathTest, TakenFromTheLocale)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    struct Row {
        const char* pszAll;
        const char* pszMessages;
        const char* pszLang;
        LANGID langId;
    };
    const Row rows[] = {
        {"", "", "ru_RU.UTF-8", 1049},   {"", "", "en_US.UTF-8", 1033}, {"", "", "", 1033},
        {"C", "", "ru_RU.CP1251", 1033}, // LC_ALL wins
        {"", "ru_RU", "de_DE", 1049},    // then LC_MESSAGES
        {"ru_UA.UTF-8", "", "C", 1049},
    };
    for (const Row& row : rows) {
        EXPECT_EXIT(
            {
                setenv("LC_ALL", row.pszAll, 1);
                setenv("LC_MESSAGES", row.pszMessages, 1);
                setenv("LANG", row.pszLang, 1);
                std::exit(AfxGetUILanguage() == row.langId ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "")
            << row.pszAll << "/" << row.pszMessages << "/" << row.pszLang;
    }
}

} // namespace
