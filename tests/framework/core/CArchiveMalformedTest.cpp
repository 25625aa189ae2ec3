// Archives a hostile or damaged file could hold: each must end in the right
// CArchiveException, allocate nothing out of proportion and leak nothing.
#include "AllocationProbe.h"
#include "ArchiveTestClasses.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/ArchiveErrorExpect.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

namespace
{

using ArchiveErrorExpect::CauseOf;

Bytes NewClassRecord(WORD wSchema, const char* pszName)
{
    Bytes name = Text(pszName);
    return Concat(
        {{0xFF, 0xFF, BYTE(wSchema), BYTE(wSchema >> 8), BYTE(name.size()), BYTE(name.size() >> 8)},
         name});
}

// Reads one object as the archive's user would, deleting whatever comes back.
int CauseOfReadingObject(const Bytes& bytes, const CRuntimeClass* pRequired = nullptr)
{
    return CauseOf(
        [&] { LoadBytes(bytes, [&](CArchive& ar) { delete ar.ReadObject(pRequired); }); });
}

// A richer valid archive: nodes with a shared link, strings, a count.
Bytes SampleArchive()
{
    CTestNode root("root");
    CTestNode* pA = root.AddChild(new CTestNode("a"));
    CTestNode* pB = root.AddChild(new CTestNode("\xC4\xE0"));
    pB->AddChild(new CTestNode("leaf"));
    pB->m_pLink = pA; // links point back: a forward link would write pB unowned
    root.m_pLink = &root;
    CFoo foo(-7);
    return StoreBytes([&](CArchive& ar) {
        ar << &root << &foo;
        ar << CString("tail");
    });
}

void ReadSample(CArchive& ar)
{
    std::unique_ptr<CObject> pRoot(ar.ReadObject(RUNTIME_CLASS(CTestNode)));
    std::unique_ptr<CObject> pFoo(ar.ReadObject(RUNTIME_CLASS(CFoo)));
    CString strTail;
    ar >> strTail;
}

TEST(ArchiveMalformed, EveryTruncationOfTheWorkedExampleFails)
{
    const Bytes full = StoreBytes([](CArchive& ar) {
        CObString a("Ab"), b("Zeta");
        ar.WriteCount(2);
        ar << &a << &b;
        ar.WriteObject(nullptr);
        ar << LONG(3);
    });
    ASSERT_EQ(full.size(), 33u);
    for (size_t nCut = 0; nCut < full.size(); ++nCut) {
        SCOPED_TRACE(nCut);
        int nCause = CauseOf([&] {
            LoadBytes(Bytes(full.begin(), full.begin() + long(nCut)), [](CArchive& ar) {
                ar.ReadCount();
                std::unique_ptr<CObject> p1(ar.ReadObject(RUNTIME_CLASS(CObString)));
                std::unique_ptr<CObject> p2(ar.ReadObject(RUNTIME_CLASS(CObString)));
                delete ar.ReadObject(nullptr);
                LONG l;
                ar >> l;
            });
        });
        // Wherever the cut falls, a class name included, it is the end of
        // the file.
        EXPECT_EQ(nCause, CArchiveException::endOfFile);
    }
}

TEST(ArchiveMalformed, EveryTruncationOfANestedArchiveFailsWithoutLeaks)
{
    const Bytes full = SampleArchive();
    LoadBytes(full, ReadSample); // the whole file is fine
    ASSERT_EQ(CTestNode::s_nLive, 0);
    for (size_t nCut = 0; nCut < full.size(); ++nCut) {
        SCOPED_TRACE(nCut);
        int nCause =
            CauseOf([&] { LoadBytes(Bytes(full.begin(), full.begin() + long(nCut)), ReadSample); });
        EXPECT_TRUE(nCause == CArchiveException::endOfFile || nCause == CArchiveException::badClass)
            << nCause;
        EXPECT_EQ(CTestNode::s_nLive, 0);
    }
}

TEST(ArchiveMalformed, ClassRecordsThatCannotBeLoaded)
{
    struct Row {
        const char* pszName;
        Bytes bytes;
        int nCause;
    };
    const Row rows[] = {
        {"unknown name", Concat({NewClassRecord(1, "CNoSuchClass"), {0, 0, 0, 0}}),
         CArchiveException::badClass},
        {"case differs", Concat({NewClassRecord(1, "cfoo"), {0, 0, 0, 0}}),
         CArchiveException::badClass},
        {"64-byte name", Concat({NewClassRecord(1, std::string(64, 'C').c_str())}),
         CArchiveException::badClass},
        {"name with a zero", Concat({{0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00}, Text("CFoo"), {0, 'x'}}),
         CArchiveException::badClass},
        {"name cut by the end", Concat({{0xFF, 0xFF, 0x01, 0x00, 0x08, 0x00}, Text("CFoo")}),
         CArchiveException::endOfFile},
        {"not serializable", Concat({NewClassRecord(0xFFFF, "CDynOnly")}),
         CArchiveException::badClass},
        {"not creatable", Concat({NewClassRecord(0xFFFF, "CObject")}), CArchiveException::badClass},
        {"other schema", Concat({NewClassRecord(2, "CFoo"), {0, 0, 0, 0}}),
         CArchiveException::badSchema},
        {"schema 0xFFFF", Concat({NewClassRecord(0xFFFF, "CFoo"), {0, 0, 0, 0}}),
         CArchiveException::badSchema},
        {"schema cut short", {0xFF, 0xFF, 0x01}, CArchiveException::endOfFile},
        {"name length cut short", {0xFF, 0xFF, 0x01, 0x00, 0x04}, CArchiveException::endOfFile},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pszName);
        EXPECT_EQ(CauseOfReadingObject(row.bytes), row.nCause);
    }
}

TEST(ArchiveMalformed, SchemaIsCheckedBeforeKind)
{
    // Both wrong: the stored schema and the class (a CFoo where a node is
    // required). The schema is reported.
    EXPECT_EQ(CauseOfReadingObject(Concat({NewClassRecord(9, "CFoo"), {0, 0, 0, 0}}),
                                   RUNTIME_CLASS(CTestNode)),
              CArchiveException::badSchema);
}

TEST(ArchiveMalformed, VersionableClassTakesOtherSchemas)
{
    LoadBytes(Concat({NewClassRecord(1, "CVersioned"), {0x01, 0x80}}), [](CArchive& ar) {
        std::unique_ptr<CObject> p1(ar.ReadObject(nullptr));
        std::unique_ptr<CObject> p2(ar.ReadObject(nullptr));
        EXPECT_EQ(static_cast<CVersioned*>(p1.get())->m_nSchemaSeen, 1u);
        EXPECT_EQ(static_cast<CVersioned*>(p2.get())->m_nSchemaSeen, 1u);
    });
}

TEST(ArchiveMalformed, BadReferences)
{
    const Bytes foo = Concat({NewClassRecord(1, "CFoo"), {0x05, 0, 0, 0}}); // class 1, object 2
    struct Row {
        const char* pszName;
        Bytes bytes;
        int nCause;
    };
    const Row rows[] = {
        {"object index not yet given", {0x01, 0x00}, CArchiveException::badIndex},
        {"object index past the end", Concat({foo, {0x03, 0x00}}), CArchiveException::badIndex},
        {"object reference to a class", Concat({foo, {0x01, 0x00}}), CArchiveException::badIndex},
        {"class reference to an object", Concat({foo, {0x02, 0x80}}), CArchiveException::badIndex},
        {"class index 0", {0x00, 0x80}, CArchiveException::badIndex},
        {"class index not yet given", {0x01, 0x80}, CArchiveException::badIndex},
        {"big class index not yet given",
         {0xFF, 0x7F, 0x00, 0x00, 0x01, 0x80},
         CArchiveException::badIndex},
        {"big class index 0", {0xFF, 0x7F, 0x00, 0x00, 0x00, 0x80}, CArchiveException::badIndex},
        {"big object index 0", {0xFF, 0x7F, 0x00, 0x00, 0x00, 0x00}, CArchiveException::badIndex},
        {"big object reference to a class", Concat({foo, {0xFF, 0x7F, 0x01, 0x00, 0x00, 0x00}}),
         CArchiveException::badIndex},
        {"big tag cut short", {0xFF, 0x7F, 0x01}, CArchiveException::endOfFile},
        {"tag cut short", {0xFF}, CArchiveException::endOfFile},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pszName);
        int nCause = CauseOf([&] {
            LoadBytes(row.bytes, [](CArchive& ar) {
                // Objects that precede the bad reference are fine.
                std::unique_ptr<CObject> pFirst(ar.ReadObject(nullptr));
                if (ar.GetBytesLeft() > 0)
                    delete ar.ReadObject(nullptr);
            });
        });
        EXPECT_EQ(nCause, row.nCause);
    }
}

TEST(ArchiveMalformed, RequiredKindIsCheckedForNewObjectsAndBackReferences)
{
    const Bytes foo = Concat({NewClassRecord(1, "CFoo"), {0x05, 0, 0, 0}});
    EXPECT_EQ(CauseOfReadingObject(foo, RUNTIME_CLASS(CTestNode)), CArchiveException::badClass);
    EXPECT_EQ(CauseOfReadingObject(foo, RUNTIME_CLASS(CFoo)), ArchiveErrorExpect::nNoException);

    int nCause = CauseOf([&] {
        LoadBytes(Concat({foo, {0x02, 0x00}}), [](CArchive& ar) {
            std::unique_ptr<CObject> pFoo(ar.ReadObject(RUNTIME_CLASS(CFoo)));
            ar.ReadObject(RUNTIME_CLASS(CTestNode)); // the same CFoo again
        });
    });
    EXPECT_EQ(nCause, CArchiveException::badClass);
}

TEST(ArchiveMalformed, ReadClassRefusesObjectTags)
{
    for (const Bytes& bytes : {Bytes{0x00, 0x00}, Bytes{0x01, 0x00}}) {
        int nCause = CauseOf([&] { LoadBytes(bytes, [](CArchive& ar) { ar.ReadClass(); }); });
        EXPECT_EQ(nCause, CArchiveException::badIndex);
    }
}

TEST(ArchiveMalformed, ReadNewObjectRefusesBackReferences)
{
    const Bytes bytes =
        Concat({NewClassRecord(1, "CFoo"), {0x05, 0, 0, 0}, {0x00, 0x00}, {0x02, 0x00}});
    LoadBytes(bytes, [](CArchive& ar) {
        std::unique_ptr<CObject> pFoo(ar.ReadNewObject(RUNTIME_CLASS(CFoo)));
        EXPECT_NE(pFoo, nullptr);
        EXPECT_EQ(ar.ReadNewObject(RUNTIME_CLASS(CFoo)), nullptr);
        EXPECT_EQ(CauseOf([&] { ar.ReadNewObject(RUNTIME_CLASS(CFoo)); }),
                  CArchiveException::badIndex);
    });
}

// A node that owns itself through its children list would be deleted twice.
TEST(ArchiveMalformed, OwnedChildThatIsTheOwnerItselfIsRefused)
{
    // Node: class 1, object 2; name "", one child which is a reference to 2.
    const Bytes bytes = Concat({NewClassRecord(1, "CTestNode"), {0x00, 0x01, 0x00, 0x02, 0x00}});
    EXPECT_EQ(CauseOfReadingObject(bytes), CArchiveException::badIndex);
    EXPECT_EQ(CTestNode::s_nLive, 0);
}

Bytes NestedNodes(int nDepth)
{
    auto pRoot = std::make_unique<CTestNode>("n");
    CTestNode* pNode = pRoot.get();
    for (int i = 1; i < nDepth; ++i)
        pNode = pNode->AddChild(new CTestNode("n"));
    return StoreBytes([&](CArchive& ar) { ar << pRoot.get(); });
}

TEST(ArchiveMalformed, NestingIsBounded)
{
    EXPECT_EQ(CauseOfReadingObject(NestedNodes(CArchive::nMaxObjectDepth)),
              ArchiveErrorExpect::nNoException);
    EXPECT_EQ(CauseOfReadingObject(NestedNodes(CArchive::nMaxObjectDepth + 1)),
              CArchiveException::badIndex);
    EXPECT_EQ(CTestNode::s_nLive, 0);
}

TEST(ArchiveMalformed, FailedBodyDeletesTheObjectAndForgetsIt)
{
    // The second child's body is cut: the root and its first child go.
    Bytes full = StoreBytes([](CArchive& ar) {
        CTestNode root("r");
        root.AddChild(new CTestNode("a"));
        root.AddChild(new CTestNode("b"));
        ar << &root;
    });
    full.resize(full.size() - 4);
    EXPECT_EQ(CauseOfReadingObject(full), CArchiveException::endOfFile);
    EXPECT_EQ(CTestNode::s_nLive, 0);
}

TEST(ArchiveMalformed, StringPrefixes)
{
    struct Row {
        const char* pszName;
        Bytes bytes;
        int nCause;
    };
    const Row rows[] = {
        {"doubled utf-16 marker",
         {0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x00},
         CArchiveException::badIndex},
        {"byte length past the end", {0x05, 'a', 'b'}, CArchiveException::endOfFile},
        {"word length cut", {0xFF, 0x05}, CArchiveException::endOfFile},
        {"dword length cut", {0xFF, 0xFF, 0xFF, 0x05, 0x00}, CArchiveException::endOfFile},
        {"utf-16 length counts units",
         {0xFF, 0xFE, 0xFF, 0x02, 0x41, 0x00, 0x42},
         CArchiveException::endOfFile},
        {"marker only", {0xFF, 0xFE, 0xFF}, CArchiveException::endOfFile},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pszName);
        int nCause = CauseOf([&] {
            LoadBytes(row.bytes, [](CArchive& ar) {
                CString str;
                ar >> str;
            });
        });
        EXPECT_EQ(nCause, row.nCause);
    }
}

// Lengths that claim gigabytes in a tiny file end at once, without an
// allocation anywhere near the claimed size.
TEST(ArchiveMalformed, AbsurdLengthsAllocateNothingLarge)
{
    struct Row {
        const char* pszName;
        Bytes bytes;
        bool bCount;
    };
    const Row rows[] = {
        {"string 0xFFFFFFF0", {0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF}, false},
        {"utf-16 string 0x7FFFFFFF",
         {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F},
         false},
        {"count 0xFFFFFFFF", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pszName);
        Bytes bytes = row.bytes;
        bytes.resize(20, 'x'); // a 20-byte file
        auto start = std::chrono::steady_clock::now();
        AllocationProbe probe;
        int nCause = CauseOf([&] {
            LoadBytes(bytes, [&](CArchive& ar) {
                CString str;
                if (row.bCount)
                    ar.ReadCount();
                else
                    ar >> str;
            });
        });
        EXPECT_EQ(nCause, CArchiveException::endOfFile);
        EXPECT_LT(probe.LargestAllocation(), size_t(64 * 1024));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    }
}

TEST(ArchiveMalformed, NodeCountLargerThanTheFileIsRefusedBeforeReading)
{
    // A node claiming 60000 children in a few bytes.
    const Bytes bytes = Concat({NewClassRecord(1, "CTestNode"), {0x00, 0x60, 0xEA, 0x00, 0x00}});
    EXPECT_EQ(CauseOfReadingObject(bytes), CArchiveException::endOfFile);
    EXPECT_EQ(CTestNode::s_nLive, 0);
}

TEST(ArchiveMalformed, WrongDirection)
{
    CMemFile file;
    CArchive arStore(&file, CArchive::store);
    EXPECT_EQ(CauseOf([&] {
                  BYTE by;
                  arStore >> by;
              }),
              CArchiveException::writeOnly);
    arStore.Close();
    CArchive arLoad(&file, CArchive::load);
    EXPECT_EQ(CauseOf([&] { arLoad << BYTE(1); }), CArchiveException::readOnly);
}

TEST(ArchiveMalformed, NonSerializableClassesAreNotSupported)
{
    CDynOnly dyn;
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    EXPECT_EQ(ArchiveErrorExpect::ExceptionClassOf([&] { ar << &dyn; }),
              RUNTIME_CLASS(CNotSupportedException));
    EXPECT_EQ(ArchiveErrorExpect::ExceptionClassOf([&] { ar.WriteClass(RUNTIME_CLASS(CDynOnly)); }),
              RUNTIME_CLASS(CNotSupportedException));
    ar.Abort();

    CMemFile input(Bytes{0x00, 0x00});
    CArchive arLoad(&input, CArchive::load);
    EXPECT_EQ(
        ArchiveErrorExpect::ExceptionClassOf([&] { arLoad.ReadObject(RUNTIME_CLASS(CDynOnly)); }),
        RUNTIME_CLASS(CNotSupportedException));
}

} // namespace
