// The chart file as the document writes and reads it: byte layouts spelled
// out by hand, files of the "CRaces" kind, round trips through real files,
// and damaged or hostile files, which must fail with the framework's archive
// exception and leave the document exactly as it was.
#include "DocumentSupport.h"

#include "model/CObString.h"
#include "model/CObStringString.h"
#include "model/CRace.h"
#include "model/CRaces.h"
#include "tests/support/ArchiveErrorExpect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>

namespace
{

using ArchiveErrorExpect::CauseOf;
using ArchiveErrorExpect::nNoException;

// A race of 2 turns whose figures scale to distinct, easily checked words.
RecordingHost::Figures TwoTurnFigures(const std::string&, int nTurn)
{
    if (nTurn == 0)
        return {{"Industry", "1"},
                {"Population", "3"},
                {"WeaponsTech", "5"},
                {"DrivesTech", "7"},
                {"ShieldsTech", "-1"}};
    return {{"Industry", "2"},
            {"Population", "4"},
            {"WeaponsTech", "6"},
            {"DrivesTech", "8"},
            {"ShieldsTech", "9"}};
}

// The words of that race after its first fetch with colour 255: for
// positions 6 down to 0, the five blocks in kind order.
void AppendTwoTurnRace(ByteWriter& bytes)
{
    bytes.Str("Orcs").Str("G1").Long(2);
    for (int32_t l : {200, 400, 600000, 800000, 900000}) // turn 1
        bytes.Long(l);
    for (int32_t l : {100, 300, 500000, 700000, -100000}) // turn 0
        bytes.Long(l);
    for (int k = 1; k <= 5; ++k) // colour
        bytes.Long(255);
    for (int k = 1; k <= 5; ++k) // kind
        bytes.Long(k);
    for (int32_t l : {0, 0, 0, 0, -100000}) // minimum
        bytes.Long(l);
    for (int32_t l : {200, 400, 600000, 800000, 900000}) // maximum
        bytes.Long(l);
    for (int k = 1; k <= 5; ++k) // turn count
        bytes.Long(2);
}

TEST(DocumentFileTest, ANewDocumentIsAnEmptySelectionANullCollectionAndFlagsOne)
{
    CKurvoDoc doc;
    EXPECT_EQ(StoreDocument(doc), ByteWriter().Long(0).Null().Long(1).Get());
}

TEST(DocumentFileTest, TwoSelectedNamesAreOneClassRecordAndOneClassReference)
{
    CKurvoDoc doc;
    CStringList names;
    names.AddTail("Zeta");
    names.AddTail("Ab");
    doc.AddSelectedRaces(names);
    const Bytes expected = ByteWriter()
                               .Long(2)
                               .NewClass("CObString")
                               .Str("Ab")
                               .ClassRef(1)
                               .Str("Zeta")
                               .Null()
                               .Long(1)
                               .Get();
    EXPECT_EQ(StoreDocument(doc), expected);

    CKurvoDoc read;
    LoadDocument(read, expected);
    CDimPtr items;
    read.GetSelection()->GetItems(items);
    ASSERT_EQ(items.GetSize(), 2);
    EXPECT_STREQ(items.GetAt(0)->GetKey(), "Ab");
    EXPECT_STREQ(items.GetAt(1)->GetKey(), "Zeta");
    EXPECT_EQ(read.GetRaces(), nullptr);
}

TEST(DocumentFileTest, ARaceFetchedFromTheHostIsStoredInterleavedWithNoStateWord)
{
    InstalledHost host;
    host.games = {{"G1", 2, {"Orcs"}}};
    host.figures = &TwoTurnFigures;
    CKurvoDoc doc;
    doc.ToggleFlags(2);
    doc.ResetRaces();

    ByteWriter expected;
    expected.Long(0).NewClass("CManBi").Long(1).NewClass("CRace");
    AppendTwoTurnRace(expected);
    expected.Long(3);
    EXPECT_EQ(StoreDocument(doc), expected.Get());

    CKurvoDoc read;
    LoadDocument(read, expected.Get());
    ASSERT_NE(read.GetRaces(), nullptr);
    EXPECT_EQ(read.GetRaces()->GetRuntimeClass(), RUNTIME_CLASS(CManBi));
    EXPECT_EQ(StoreDocument(read), expected.Get()) << "the blocks keep their colour";
}

TEST(DocumentFileTest, ARacesCollectionIsSavedBackWithItsStateWord)
{
    ByteWriter file;
    file.Long(1).NewClass("CObString").Str("Orcs");
    file.NewClass("CRaces").Long(1).NewClass("CRace"); // CRaces 3, collection 4, CRace 5
    AppendTwoTurnRace(file);
    file.Long(3).Long(5);

    CKurvoDoc doc;
    LoadDocument(doc, file.Get());
    ASSERT_NE(doc.GetRaces(), nullptr);
    EXPECT_EQ(doc.GetRaces()->GetRuntimeClass(), RUNTIME_CLASS(CRaces));
    EXPECT_EQ(doc.GetRaces()->GetState(), 3);
    EXPECT_EQ(doc.ToggleFlags(0), 5);
    EXPECT_EQ(StoreDocument(doc), file.Get());

    // A refresh keeps the collection's class, and with it the stored form.
    InstalledHost host;
    host.games = {{"G1", 2, {"Orcs"}}};
    doc.UpdateFromHost();
    EXPECT_EQ(doc.GetRaces()->GetRuntimeClass(), RUNTIME_CLASS(CRaces));
    const Bytes again = StoreDocument(doc);
    EXPECT_EQ(Bytes(again.end() - 8, again.end()), ByteWriter().Long(7).Long(5).Get())
        << "state word of the balanced collection, then the flags";
}

// What a document holds, independent of the order of races that share a
// name (a load balances the collection, which may reorder such ties).
std::vector<std::string> Describe(CKurvoDoc& doc)
{
    std::vector<std::string> lines;
    CDimPtr items;
    doc.GetSelection()->GetItems(items);
    for (int i = 0; i < items.GetSize(); ++i)
        lines.push_back(std::string("selected ") + items.GetAt(i)->GetKey().GetString());
    lines.push_back("flags " + std::to_string(doc.ToggleFlags(0)));
    if (doc.GetRaces() == nullptr)
        return lines;
    lines.push_back(std::string("collection ") +
                    doc.GetRaces()->GetRuntimeClass()->m_lpszClassName);
    std::vector<std::string> races;
    doc.GetRaces()->GetItems(items);
    for (int i = 0; i < items.GetSize(); ++i) {
        const auto* pRace = static_cast<const CRace*>(items.GetAt(i));
        std::string strRace = std::string(pRace->GetKey()) + "/" + pRace->GetSubKey().GetString();
        for (int k = kindFirst; k <= kindLast && pRace->GetTurnCount() > 0; ++k) {
            const LONG* pBlock = pRace->GetSeries(k);
            for (LONG j = 0; j < CRace::posFirstValue + pRace->GetTurnCount(); ++j)
                strRace += " " + std::to_string(pBlock[j]);
        }
        races.push_back(strRace);
    }
    std::sort(races.begin(), races.end());
    lines.insert(lines.end(), races.begin(), races.end());
    return lines;
}

// A document of two games, one race in both, and a game without turns.
void FillSampleDocument(CKurvoDoc& doc)
{
    InstalledHost host;
    host.games = {{"G1", 3, {"Orcs", "Elves"}}, {"G2", 2, {"Orcs"}}, {"G3", 0, {"Trolls"}}};
    doc.ToggleFlags(2 | 16);
    doc.ResetRaces();
    CStringList names;
    names.AddTail("Orcs");
    names.AddTail("Trolls");
    doc.AddSelectedRaces(names);
}

void ExpectSameRaces(CKurvoDoc& expected, CKurvoDoc& actual)
{
    ASSERT_NE(actual.GetRaces(), nullptr);
    CDimPtr races;
    expected.GetRaces()->GetItems(races);
    EXPECT_EQ(actual.GetRaces()->GetCount(), races.GetSize());
    for (int i = 0; i < races.GetSize(); ++i) {
        const auto* pRace = static_cast<const CRace*>(races.GetAt(i));
        SCOPED_TRACE(std::string(pRace->GetKey()) + " " + pRace->GetSubKey().GetString());
        CDimPtr found;
        ASSERT_TRUE(actual.GetRaces()->FindEqual(pRace, found));
        ASSERT_EQ(found.GetSize(), 1);
        const auto* pRead = static_cast<const CRace*>(found.GetAt(0));
        ASSERT_EQ(pRead->GetTurnCount(), pRace->GetTurnCount());
        for (int k = kindFirst; k <= kindLast && pRace->GetTurnCount() > 0; ++k) {
            const LONG* pA = pRace->GetSeries(k);
            const LONG* pB = pRead->GetSeries(k);
            EXPECT_TRUE(std::equal(pA, pA + CRace::posFirstValue + pRace->GetTurnCount(), pB))
                << "kind " << k;
        }
    }
}

TEST(DocumentFileTest, FilesRoundTripThroughSaveAndOpen)
{
    TempDir dir;
    const auto path = dir / "save.kv";
    CKurvoDoc doc;
    FillSampleDocument(doc);
    ReportCapture reports;
    ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
    EXPECT_EQ(ReadFileBytes(path), StoreDocument(doc));

    CKurvoDoc read;
    ASSERT_TRUE(read.OnOpenDocument(path.c_str()));
    EXPECT_TRUE(reports.Messages().empty());
    EXPECT_EQ(read.ToggleFlags(0), 1 | 2 | 16);
    CDimPtr names;
    read.GetSelection()->GetItems(names);
    ASSERT_EQ(names.GetSize(), 2);
    EXPECT_STREQ(names.GetAt(0)->GetKey(), "Orcs");
    EXPECT_STREQ(names.GetAt(1)->GetKey(), "Trolls");
    ExpectSameRaces(doc, read);
    EXPECT_EQ(read.GetRaces()->GetState(), 7);

    // Saving what was read and reading it again changes nothing more.
    const auto again = dir / "again.kv";
    ASSERT_TRUE(read.OnSaveDocument(again.c_str()));
    CKurvoDoc third;
    ASSERT_TRUE(third.OnOpenDocument(again.c_str()));
    EXPECT_EQ(Describe(third), Describe(doc));
}

// An open adds the file's names to those selected, each name once, and takes
// the races and flags of the file; a file cut short changes nothing.
TEST(DocumentFileTest, OpeningAddsTheFilesNamesToTheSelection)
{
    CKurvoDoc file;
    FillSampleDocument(file); // selects Orcs and Trolls
    const Bytes bytes = StoreDocument(file);
    auto names = [](CKurvoDoc& doc) {
        std::vector<std::string> keys;
        CDimPtr items;
        doc.GetSelection()->GetItems(items);
        for (int i = 0; i < items.GetSize(); ++i)
            keys.push_back(items.GetAt(i)->GetKey().GetString());
        return keys;
    };
    CKurvoDoc doc;
    CStringList held;
    held.AddTail("Trolls");
    held.AddTail("Elves");
    doc.AddSelectedRaces(held);
    const Bytes before = StoreDocument(doc);

    const Bytes cut(bytes.begin(), bytes.end() - 1);
    EXPECT_NE(CauseOf([&] { LoadDocument(doc, cut); }), nNoException);
    EXPECT_EQ(StoreDocument(doc), before) << "a failed open changed the document";

    LoadDocument(doc, bytes);
    EXPECT_EQ(names(doc), (std::vector<std::string>{"Elves", "Orcs", "Trolls"}));
    EXPECT_EQ(doc.GetSelection()->GetState(), 7);
    EXPECT_EQ(doc.ToggleFlags(0), file.ToggleFlags(0));
    ExpectSameRaces(file, doc);
}

// A document that the next open would refuse is not written: the save fails
// with the cause the open would give, and the old file stays.
TEST(DocumentFileTest, ASaveRefusesWhatAnOpenWouldRefuse)
{
    struct Damage {
        const char* pszName;
        int nCause;
        std::function<void(CKurvoDoc&)> damage;
    };
    auto race = [](CKurvoDoc& doc) {
        CRace key{CString("Orcs"), CString("G1")};
        CDimPtr found;
        doc.GetRaces()->FindEqual(&key, found);
        return static_cast<CRace*>(found.GetAt(0));
    };
    const Damage cases[] = {
        {"a block shorter than the race", CArchiveException::badIndex,
         [&](CKurvoDoc& doc) { race(doc)->GetSeries(kindWeapons)[CRace::posTurns] = 2; }},
        {"a block of another kind", CArchiveException::badIndex,
         [&](CKurvoDoc& doc) { race(doc)->GetSeries(kindShields)[CRace::posKind] = 1; }},
        {"a selected name that is a pair", CArchiveException::badClass,
         [](CKurvoDoc& doc) {
             doc.GetSelection()->Insert(new CObStringString(CString("Elves"), CString("G1")));
         }},
        {"a race collection holding a name", CArchiveException::badClass,
         [](CKurvoDoc& doc) { doc.GetRaces()->Insert(new CObString(CString("Ents"))); }},
    };
    TempDir dir;
    const auto path = dir / "save.kv";
    for (const Damage& c : cases) {
        SCOPED_TRACE(c.pszName);
        CKurvoDoc doc;
        FillSampleDocument(doc);
        ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
        const Bytes old = ReadFileBytes(path);
        c.damage(doc);
        EXPECT_EQ(CauseOf([&] { StoreDocument(doc); }), c.nCause);
        ReportCapture reports;
        EXPECT_FALSE(doc.OnSaveDocument(path.c_str()));
        EXPECT_EQ(reports.Messages().size(), 1u);
        EXPECT_EQ(ReadFileBytes(path), old) << "the old file was touched";
    }
}

// A file that ends inside a class name is reported as cut short.
TEST(DocumentFileTest, AFileCutInsideAClassNameReportsTheEndOfTheFile)
{
    const char* pszSource = std::getenv("KURVO_SOURCE_DIR");
    const auto fixture = std::filesystem::path(pszSource ? pszSource : ".") /
                         "fuzz/kv-corpus/malformed-cut-inside-class-name";
    const Bytes bytes = ReadFileBytes(fixture);
    ASSERT_EQ(bytes.size(), 16u) << fixture;
    CKurvoDoc doc;
    EXPECT_EQ(CauseOf([&] { LoadDocument(doc, bytes); }), CArchiveException::endOfFile);
    ReportCapture reports;
    EXPECT_FALSE(doc.OnOpenDocument(fixture.c_str()));
    ASSERT_EQ(reports.Messages().size(), 1u);
    EXPECT_NE(reports.Messages()[0].find("end of file"), std::string::npos)
        << reports.Messages()[0];
}

// Cause -3: any archive error will do (which check fires first is not the
// point of the case).
constexpr int nAnyArchiveError = -3;

struct HostileFile {
    const char* pszCase;
    Bytes bytes;
    int nCause;
};

std::vector<HostileFile> HostileFiles()
{
    ByteWriter oneRaceHeader;
    oneRaceHeader.Long(0).NewClass("CManBi").Long(1).NewClass("CRace").Str("Orcs").Str("G1");

    ByteWriter nested;
    nested.Long(0).NewClass("CManBi").Long(1).NewClass("CBiS");
    for (int i = 0; i < 5000; ++i)
        nested.Long(1).ClassRef(3);

    ByteWriter badKind(oneRaceHeader);
    badKind.Long(1);
    for (int j = 5; j >= 0; --j) {
        for (int k = 1; k <= 5; ++k)
            badKind.Long(j == 3 ? 6 - k : 1); // kinds 5..1 instead of 1..5
    }
    badKind.Long(1);

    ByteWriter emptyRaceCounted(oneRaceHeader);
    emptyRaceCounted.Long(0);
    for (int j = 4; j >= 0; --j) {
        for (int k = 1; k <= 5; ++k)
            emptyRaceCounted.Long(j == 3 ? k : j == 0 ? 1 : 0); // turn counts 1, not 0
    }
    emptyRaceCounted.Long(1);

    return {
        {"selection count beyond the bytes left",
         ByteWriter().Long(1000).NewClass("CObString").Str("a").Get(),
         CArchiveException::endOfFile},
        {"race count beyond the bytes left",
         ByteWriter().Long(0).NewClass("CManBi").Long(1000000).Null().Get(),
         CArchiveException::endOfFile},
        {"turn count beyond the bytes left", ByteWriter(oneRaceHeader).Long(100000).Long(0).Get(),
         CArchiveException::endOfFile},
        {"negative turn count", ByteWriter(oneRaceHeader).Long(-1).Long(0).Get(),
         CArchiveException::badIndex},
        {"a null selection item", ByteWriter().Long(1).Null().Null().Long(1).Get(),
         CArchiveException::badIndex},
        {"a null race", ByteWriter().Long(0).NewClass("CManBi").Long(1).Null().Long(1).Get(),
         CArchiveException::badIndex},
        {"a selection item reused as a race",
         ByteWriter()
             .Long(1)
             .NewClass("CObString")
             .Str("Orcs")
             .NewClass("CManBi")
             .Long(1)
             .ObjectRef(2)
             .Long(1)
             .Get(),
         CArchiveException::badIndex},
        {"a selection item reused as the race collection",
         ByteWriter().Long(1).NewClass("CObString").Str("Orcs").ObjectRef(2).Long(1).Get(),
         nAnyArchiveError},
        {"one name twice in the selection",
         ByteWriter().Long(2).NewClass("CObString").Str("Orcs").ObjectRef(2).Null().Long(1).Get(),
         CArchiveException::badIndex},
        {"collections nested without end", nested.Get(), CArchiveException::badIndex},
        {"a race collection that is a name",
         ByteWriter().Long(0).NewClass("CObString").Str("x").Long(1).Get(),
         CArchiveException::badClass},
        {"a race collection that is a named collection",
         ByteWriter().Long(0).NewClass("CBiS").Long(0).Str("x").Long(1).Get(),
         CArchiveException::badClass},
        {"a race collection holding a name",
         ByteWriter()
             .Long(0)
             .NewClass("CManBi")
             .Long(1)
             .NewClass("CObString")
             .Str("x")
             .Long(1)
             .Get(),
         CArchiveException::badClass},
        {"a selection holding a collection",
         ByteWriter().Long(1).NewClass("CManBi").Long(0).Null().Long(1).Get(),
         CArchiveException::badClass},
        {"an unknown class", ByteWriter().Long(0).NewClass("CKurvoDoc").Long(1).Get(),
         nAnyArchiveError},
        {"a race collection of another schema",
         ByteWriter()
             .Long(0)
             .Word(0xFFFF)
             .Word(1)
             .Word(6)
             .Append({'C', 'M', 'a', 'n', 'B', 'i'})
             .Long(0)
             .Long(1)
             .Get(),
         CArchiveException::badSchema},
        {"blocks whose kinds are out of order", badKind.Get(), CArchiveException::badIndex},
        {"a race without turns whose headers count turns", emptyRaceCounted.Get(),
         CArchiveException::badIndex},
        {"a file cut before the flags", ByteWriter().Long(0).Null().Get(),
         CArchiveException::endOfFile},
    };
}

TEST(DocumentFileTest, HostileFilesFailAndLeaveTheDocumentAsItWas)
{
    CKurvoDoc doc;
    FillSampleDocument(doc);
    const Bytes before = StoreDocument(doc);
    for (const HostileFile& file : HostileFiles()) {
        SCOPED_TRACE(file.pszCase);
        const int nCause = CauseOf([&] { LoadDocument(doc, file.bytes); });
        if (file.nCause == nAnyArchiveError)
            EXPECT_GT(nCause, CArchiveException::none);
        else
            EXPECT_EQ(nCause, file.nCause);
        EXPECT_EQ(StoreDocument(doc), before);
    }
}

TEST(DocumentFileTest, AHostileFileIsReportedWhenOpened)
{
    TempDir dir;
    const auto path = dir / "hostile.kv";
    WriteFileBytes(path, HostileFiles().front().bytes);
    ReportCapture reports;
    CKurvoDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(path.c_str()));
    ASSERT_EQ(reports.Messages().size(), 1u);
    EXPECT_NE(reports.Messages()[0].find(path.string()), std::string::npos)
        << reports.Messages()[0];
    EXPECT_EQ(StoreDocument(doc), ByteWriter().Long(0).Null().Long(1).Get());
}

// Every cut of a valid file fails; every single-byte corruption either fails
// with the archive exception, leaving the document untouched, or loads a
// document that saves and loads again to the same bytes. The sanitizer build
// catches any read out of bounds or leak along the way.
TEST(DocumentFileTest, CutAndCorruptedFilesFailCleanlyOrLoadConsistently)
{
    CKurvoDoc sample;
    FillSampleDocument(sample);
    const Bytes stored = StoreDocument(sample);
    const Bytes fresh = ByteWriter().Long(0).Null().Long(1).Get();
    for (size_t nLength = 0; nLength < stored.size(); ++nLength) {
        CKurvoDoc doc;
        const int nCause = CauseOf(
            [&] { LoadDocument(doc, Bytes(stored.begin(), stored.begin() + long(nLength))); });
        ASSERT_GT(nCause, CArchiveException::none) << "cut at " << nLength;
        ASSERT_EQ(StoreDocument(doc), fresh) << "cut at " << nLength;
    }
    int nLoaded = 0;
    for (size_t nAt = 0; nAt < stored.size(); ++nAt) {
        for (BYTE byXor : {BYTE(0x01), BYTE(0x40), BYTE(0x80), BYTE(0xFF)}) {
            Bytes corrupt = stored;
            corrupt[nAt] ^= byXor;
            CKurvoDoc doc;
            const int nCause = CauseOf([&] { LoadDocument(doc, corrupt); });
            if (nCause != nNoException) {
                ASSERT_GT(nCause, CArchiveException::none) << "byte " << nAt;
                ASSERT_EQ(StoreDocument(doc), fresh) << "byte " << nAt;
                continue;
            }
            ++nLoaded;
            const Bytes saved = StoreDocument(doc);
            CKurvoDoc again;
            ASSERT_EQ(CauseOf([&] { LoadDocument(again, saved); }), nNoException) << "byte " << nAt;
            ASSERT_EQ(Describe(again), Describe(doc)) << "byte " << nAt;
        }
    }
    EXPECT_GT(nLoaded, 0) << "value bytes can change without breaking the file";
}

} // namespace
