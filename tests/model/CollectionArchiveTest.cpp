// Collections in archives: the stored layout, the race collection read as
// the document reads it (a CManBi or its CRaces kind), and hostile files that
// must end in a clean archive error with nothing leaked or half built.
#include "ModelArchive.h"
#include "model/CBiS.h"
#include "model/CManBi.h"
#include "model/CRace.h"
#include "model/CRaces.h"
#include "tests/support/ArchiveErrorExpect.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{

using ArchiveErrorExpect::CauseOf;
using ArchiveErrorExpect::nNoException;

// A race whose turn t of kind k holds k * 1000 + t.
CRace* MakeRace(const char* pszRace, const char* pszGame, LONG nTurns)
{
    auto* pRace = new CRace(CString(pszRace), CString(pszGame));
    pRace->SetTurnCount(nTurns);
    for (int k = kindFirst; k <= kindLast; ++k) {
        for (LONG t = 0; t < nTurns; ++t)
            pRace->GetSeries(k)[CRace::posFirstValue + t] = k * 1000 + t;
    }
    return pRace;
}

// The stored words of a race as MakeRace fills it (colour 0), by hand.
void AppendRaceBody(ByteWriter& bytes, const char* pszRace, const char* pszGame, LONG nTurns)
{
    bytes.Str(pszRace).Str(pszGame).Long(nTurns);
    for (LONG t = nTurns - 1; t >= 0; --t) {
        for (int k = 1; k <= 5; ++k)
            bytes.Long(k * 1000 + t);
    }
    for (int k = 1; k <= 5; ++k)
        bytes.Long(0);
    for (int k = 1; k <= 5; ++k)
        bytes.Long(k);
    for (int i = 0; i < 10; ++i)
        bytes.Long(0);
    for (int k = 1; k <= 5; ++k)
        bytes.Long(nTurns);
}

// What the chart document keeps: a selection serialized in place, the race
// collection through the object writer, the flags word.
struct Chart {
    CManBi selection;
    std::unique_ptr<CManBi> pRaces;
    LONG nFlags = 0;

    void Serialize(CArchive& ar)
    {
        selection.Serialize(ar);
        if (ar.IsStoring()) {
            ar.WriteObject(pRaces.get());
            ar << nFlags;
            return;
        }
        pRaces.reset(static_cast<CManBi*>(ar.ReadNewObject(RUNTIME_CLASS(CManBi))));
        ar >> nFlags;
    }
};

Bytes SampleChart()
{
    Chart chart;
    chart.selection.AddOrReplace(new CObString(CString("Orcs")));
    chart.selection.AddOrReplace(new CObString(CString("Elves")));
    chart.pRaces = std::make_unique<CManBi>();
    chart.pRaces->Insert(MakeRace("Orcs", "G1", 3));
    chart.pRaces->Insert(MakeRace("Elves", "G1", 2));
    chart.pRaces->Insert(MakeRace("Orcs", "G2", 0));
    chart.pRaces->Balance();
    chart.nFlags = 3;
    return StoreBytes([&](CArchive& ar) { chart.Serialize(ar); });
}

TEST(CollectionArchiveTest, CollectionLayoutByHand)
{
    CManBi empty;
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { empty.Serialize(ar); }), ByteWriter().Long(0).Get());
    LoadBytes(ByteWriter().Long(0).Get(), [&](CArchive& ar) { empty.Serialize(ar); });
    EXPECT_EQ(empty.GetCount(), 0);
    EXPECT_EQ(empty.GetState(), 0);

    CManBi selection;
    selection.Insert(new CObString(CString("Zeta")));
    selection.Insert(new CObString(CString("Ab")));
    const Bytes stored = StoreBytes([&](CArchive& ar) { selection.Serialize(ar); });
    EXPECT_EQ(stored,
              ByteWriter().Long(2).NewClass("CObString").Str("Ab").ClassRef(1).Str("Zeta").Get());

    CManBi read;
    LoadBytes(stored, [&](CArchive& ar) { read.Serialize(ar); });
    CDimPtr items;
    read.GetItems(items);
    ASSERT_EQ(items.GetSize(), 2);
    EXPECT_STREQ(items.GetAt(0)->GetKey(), "Ab");
    EXPECT_STREQ(items.GetAt(1)->GetKey(), "Zeta");
    EXPECT_EQ(read.GetState(), 7);
}

TEST(CollectionArchiveTest, ARaceCollectionOfOneRaceByHand)
{
    Chart chart;
    chart.pRaces = std::make_unique<CManBi>();
    chart.pRaces->Insert(MakeRace("Orcs", "G1", 2));
    chart.nFlags = 3;
    ByteWriter expected;
    expected.Long(0).NewClass("CManBi").Long(1).NewClass("CRace");
    AppendRaceBody(expected, "Orcs", "G1", 2);
    expected.Long(3);
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { chart.Serialize(ar); }), expected.Get());

    Chart nullRaces;
    nullRaces.nFlags = 1;
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { nullRaces.Serialize(ar); }),
              ByteWriter().Long(0).Null().Long(1).Get());
}

TEST(CollectionArchiveTest, ARacesCollectionKeepsItsStateWordBothWays)
{
    ByteWriter file;
    file.Long(0).NewClass("CRaces").Long(2).NewClass("CRace");
    AppendRaceBody(file, "Elves", "G1", 1);
    file.ClassRef(3); // CRaces took index 1, the collection 2, CRace 3
    AppendRaceBody(file, "Orcs", "G1", 2);
    file.Long(3).Long(5);

    Chart chart;
    LoadBytes(file.Get(), [&](CArchive& ar) { chart.Serialize(ar); });
    ASSERT_NE(chart.pRaces, nullptr);
    EXPECT_EQ(chart.pRaces->GetRuntimeClass(), RUNTIME_CLASS(CRaces));
    EXPECT_EQ(chart.pRaces->GetState(), 3) << "the stored word replaces the balanced state";
    EXPECT_EQ(chart.pRaces->GetCount(), 2);
    EXPECT_EQ(chart.nFlags, 5);
    CDimPtr races;
    chart.pRaces->GetItems(races);
    ASSERT_EQ(races.GetSize(), 2);
    EXPECT_EQ(static_cast<CRace*>(races.GetAt(1))->GetSeries(kindDrives)[CRace::posFirstValue + 1],
              4001);

    EXPECT_EQ(StoreBytes([&](CArchive& ar) { chart.Serialize(ar); }), file.Get());
}

TEST(CollectionArchiveTest, ChartRoundTripKeepsNamesBlocksAndOrder)
{
    const Bytes stored = SampleChart();
    Chart chart;
    LoadBytes(stored, [&](CArchive& ar) { chart.Serialize(ar); });
    EXPECT_EQ(chart.selection.GetCount(), 2);
    ASSERT_NE(chart.pRaces, nullptr);
    EXPECT_EQ(chart.pRaces->GetState(), 7);
    CDimPtr races;
    chart.pRaces->GetItems(races);
    ASSERT_EQ(races.GetSize(), 3);
    EXPECT_STREQ(races.GetAt(0)->GetKey(), "Elves");
    CObString orcs(CString("Orcs"));
    CDimPtr found;
    EXPECT_TRUE(chart.pRaces->FindEqual(&orcs, found));
    EXPECT_EQ(found.GetSize(), 2);
    CRace g1Orcs(CString("Orcs"), CString("G1"));
    found.RemoveAll();
    chart.pRaces->FindEqual(&g1Orcs, found);
    ASSERT_EQ(found.GetSize(), 1);
    const auto* pRace = static_cast<const CRace*>(found.GetAt(0));
    EXPECT_EQ(pRace->GetTurnCount(), 3);
    EXPECT_EQ(pRace->GetSeries(kindShields)[CRace::posFirstValue + 2], 5002);
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { chart.Serialize(ar); }), stored);
}

// Loading takes a short way for items that sort after all held ones (as a
// save writes them); it must give exactly the tree, ties' order, depth and
// state that inserting them one by one gives, whatever the collection holds.
TEST(CollectionArchiveTest, LoadingGivesWhatInsertingOneByOneGives)
{
    using Item = std::pair<const char*, const char*>; // race, game
    const std::vector<Item> written = {{"Able", "G1"},    {"Baker", "G3"}, {"Baker", "G1"},
                                       {"Baker", "G2"},   {"Able", "G2"},  {"Charlie", "G1"},
                                       {"Charlie", "G1"}, {"Dog", "G2"}};
    const struct {
        const char* pszName;
        std::vector<Item> held;
        bool bHeldKeyless; // an item without a key, greater than any other
    } cases[] = {
        {"empty", {}, false},
        {"holding ties and greater names", {{"Baker", "G9"}, {"Easy", "G9"}}, false},
        {"holding an item without a key", {{"Baker", "G9"}}, true},
    };
    const Bytes bytes = StoreBytes([&](CArchive& ar) {
        // All alive at once: the archive knows objects by their address.
        std::vector<std::unique_ptr<CRace>> races;
        for (const Item& item : written)
            races.emplace_back(MakeRace(item.first, item.second, 0));
        ar << LONG(races.size());
        for (const auto& pRace : races)
            ar.WriteObject(pRace.get());
    });
    auto describe = [](CManBi& bi) {
        std::vector<std::string> lines{std::to_string(bi.GetDepth()) + " " +
                                       std::to_string(bi.GetState())};
        CDimPtr items;
        bi.GetItems(items);
        for (int i = 0; i < items.GetSize(); ++i)
            lines.push_back(std::string(items.GetAt(i)->GetRuntimeClass()->m_lpszClassName) + " " +
                            items.GetAt(i)->GetKey().GetString() + " " +
                            items.GetAt(i)->GetSubKey().GetString());
        return lines;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        auto fill = [&](CManBi& bi) {
            for (const Item& item : c.held)
                bi.Insert(MakeRace(item.first, item.second, 0));
            if (c.bHeldKeyless)
                bi.Insert(new CManBi);
            bi.Balance();
        };
        CManBi loaded;
        fill(loaded);
        LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
        CManBi inserted;
        fill(inserted);
        for (const Item& item : written)
            inserted.Insert(MakeRace(item.first, item.second, 0));
        inserted.Balance();
        EXPECT_EQ(describe(loaded), describe(inserted));
    }
}

TEST(CollectionArchiveTest, HostileCollectionsFailWithAClearCause)
{
    ByteWriter deepNesting;
    for (int i = 0; i < 5000; ++i)
        deepNesting.Long(1).NewClass("CBiS");
    const struct {
        const char* pszCase;
        Bytes bytes;
        int nCause;
    } rows[] = {
        {"negative count", ByteWriter().Long(-1).Get(), CArchiveException::badIndex},
        {"count beyond the bytes left", ByteWriter().Long(0x7FFFFFFF).Null().Get(),
         CArchiveException::endOfFile},
        {"a null item", ByteWriter().Long(2).NewClass("CObString").Str("a").Null().Get(),
         CArchiveException::badIndex},
        {"an item that is a back-reference",
         ByteWriter().Long(2).NewClass("CObString").Str("a").ObjectRef(2).Get(),
         CArchiveException::badIndex},
        {"an item that is no collection item",
         ByteWriter().Long(2).NewClass("CObString").Str("a").NewClass("CDimLong").Long(0).Get(),
         CArchiveException::badClass},
        {"an unknown class", ByteWriter().Long(1).NewClass("CFoo").Get(),
         CArchiveException::badClass},
        {"collections nested without end", deepNesting.Get(), CArchiveException::badIndex},
        {"a named collection as an item",
         ByteWriter()
             .Long(1)
             .NewClass("CBiS")
             .Long(1)
             .NewClass("CObString")
             .Str("x")
             .Str("name")
             .Get(),
         nNoException},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszCase);
        CManBi bi;
        bi.Insert(new CObString(CString("kept")));
        EXPECT_EQ(CauseOf([&] { LoadBytes(row.bytes, [&](CArchive& ar) { bi.Serialize(ar); }); }),
                  row.nCause);
        if (row.nCause != nNoException) {
            EXPECT_EQ(bi.GetCount(), 1) << "a failed load adds nothing";
            EXPECT_EQ(bi.GetState(), 1);
        }
    }
}

TEST(CollectionArchiveTest, TheRaceCollectionMustBeAManBi)
{
    const struct {
        const char* pszClass;
        int nCause;
    } rows[] = {{"CManBi", nNoException},
                {"CRaces", nNoException},
                {"CBiS", CArchiveException::badClass},
                {"CObString", CArchiveException::badClass}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszClass);
        const Bytes bytes =
            ByteWriter().Long(0).NewClass(row.pszClass).Long(0).Long(0).Long(0).Get();
        Chart chart;
        EXPECT_EQ(CauseOf([&] { LoadBytes(bytes, [&](CArchive& ar) { chart.Serialize(ar); }); }),
                  row.nCause);
    }
}

// Every prefix of a valid file and every single-byte corruption of it must
// load or fail with an archive error; the sanitizers catch crashes, reads out
// of bounds and leaks along the way.
TEST(CollectionArchiveTest, TruncatedAndCorruptedChartsFailCleanly)
{
    const Bytes stored = SampleChart();
    for (size_t nLength = 0; nLength < stored.size(); ++nLength) {
        const Bytes prefix(stored.begin(), stored.begin() + long(nLength));
        Chart chart;
        const int nCause =
            CauseOf([&] { LoadBytes(prefix, [&](CArchive& ar) { chart.Serialize(ar); }); });
        EXPECT_NE(nCause, nNoException) << "prefix of " << nLength << " bytes";
        EXPECT_GE(nCause, CArchiveException::none) << "prefix of " << nLength << " bytes";
    }
    int nLoaded = 0;
    for (size_t nAt = 0; nAt < stored.size(); ++nAt) {
        for (BYTE byXor : {BYTE(0x01), BYTE(0x80), BYTE(0xFF)}) {
            Bytes corrupt = stored;
            corrupt[nAt] ^= byXor;
            Chart chart;
            const int nCause =
                CauseOf([&] { LoadBytes(corrupt, [&](CArchive& ar) { chart.Serialize(ar); }); });
            ASSERT_TRUE(nCause == nNoException || nCause >= CArchiveException::none)
                << "byte " << nAt;
            if (nCause == nNoException) {
                ++nLoaded;
                // Whatever loaded must store again.
                StoreBytes([&](CArchive& ar) { chart.Serialize(ar); });
            }
        }
    }
    EXPECT_GT(nLoaded, 0) << "value bytes can change without breaking the file";
}

} // namespace
