// Races and their series blocks: growth that keeps values, the interleaved
// stored form written out by hand, races without turns, malformed races; and
// the array of longs of the same family.
#include "ModelArchive.h"
#include "model/CDimLong.h"
#include "model/CRace.h"
#include "tests/support/ArchiveErrorExpect.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

using ArchiveErrorExpect::CauseOf;

// The colour comes from the host only; tests set it directly.
class CRaceProbe : public CRace
{
public:
    CRaceProbe() : CRace(CString("Orcs"), CString("G1")) {}
    void SetColor(LONG lColor) { m_lColor = lColor; }
};

void ExpectHeader(const CRace& race, int nKind, LONG nTurns, LONG lMax, LONG lMin, LONG lColor)
{
    SCOPED_TRACE(nKind);
    const LONG* pBlock = race.GetSeries(nKind);
    ASSERT_NE(pBlock, nullptr);
    EXPECT_EQ(pBlock[CRace::posTurns], nTurns);
    EXPECT_EQ(pBlock[CRace::posMax], lMax);
    EXPECT_EQ(pBlock[CRace::posMin], lMin);
    EXPECT_EQ(pBlock[CRace::posKind], nKind);
    EXPECT_EQ(pBlock[CRace::posColor], lColor);
}

// Turn t of kind k holds k * 10 + t, so every word of the stored form is
// recognisable.
void FillValues(CRace& race)
{
    for (int k = kindFirst; k <= kindLast; ++k) {
        LONG* pBlock = race.GetSeries(k);
        for (LONG t = 0; t < race.GetTurnCount(); ++t)
            pBlock[CRace::posFirstValue + t] = k * 10 + t;
    }
}

TEST(CRaceTest, SetTurnCountGrowsBlocksKeepingValues)
{
    CRaceProbe race;
    EXPECT_EQ(race.GetSeries(kindIndustry), nullptr);
    race.SetColor(0x0000FF);
    ASSERT_TRUE(race.SetTurnCount(3));
    EXPECT_EQ(race.GetTurnCount(), 3);
    for (int k = kindFirst; k <= kindLast; ++k)
        ExpectHeader(race, k, 3, 0, 0, 0x0000FF);
    FillValues(race);
    race.GetSeries(kindDrives)[CRace::posMax] = 99;

    race.SetColor(0x00FF00);
    ASSERT_TRUE(race.SetTurnCount(5));
    EXPECT_EQ(race.GetTurnCount(), 5);
    for (int k = kindFirst; k <= kindLast; ++k) {
        ExpectHeader(race, k, 5, 0, 0, 0x00FF00);
        const LONG* pBlock = race.GetSeries(k);
        for (LONG t = 0; t < 3; ++t)
            EXPECT_EQ(pBlock[CRace::posFirstValue + t], k * 10 + t);
        EXPECT_EQ(pBlock[CRace::posFirstValue + 3], CRace::lNoValue);
        EXPECT_EQ(pBlock[CRace::posFirstValue + 4], CRace::lNoValue);
    }
}

TEST(CRaceTest, SetTurnCountRefusesWhatItCannotDoSafely)
{
    CRaceProbe race;
    ASSERT_TRUE(race.SetTurnCount(3));
    FillValues(race);
    const LONG* pBefore = race.GetSeries(kindIndustry);
    EXPECT_TRUE(race.SetTurnCount(0)) << "0 changes nothing";
    EXPECT_FALSE(race.SetTurnCount(2)) << "shrinking would lose the copy's bounds";
    EXPECT_FALSE(race.SetTurnCount(-1));
    EXPECT_FALSE(race.SetTurnCount(CRace::nMaxTurns + 1));
    EXPECT_EQ(race.GetSeries(kindIndustry), pBefore);
    EXPECT_EQ(race.GetTurnCount(), 3);
    EXPECT_EQ(race.GetSeries(0), nullptr);
    EXPECT_EQ(race.GetSeries(6), nullptr);

    EXPECT_TRUE(race.FreeSeries());
    EXPECT_EQ(race.GetTurnCount(), 0);
    for (int k = kindFirst; k <= kindLast; ++k)
        EXPECT_EQ(race.GetSeries(k), nullptr);
}

TEST(CRaceTest, StoredFormInterleavesTheBlocksFromTheLastWordBack)
{
    CRaceProbe race;
    race.SetColor(0x123456);
    race.SetTurnCount(2);
    FillValues(race);
    for (int k = kindFirst; k <= kindLast; ++k) {
        race.GetSeries(k)[CRace::posMax] = 100 * k;
        race.GetSeries(k)[CRace::posMin] = -k;
    }
    const Bytes stored = StoreBytes([&](CArchive& ar) { ar.WriteObject(&race); });

    ByteWriter expected;
    expected.NewClass("CRace").Str("Orcs").Str("G1").Long(2);
    expected.Long(11).Long(21).Long(31).Long(41).Long(51); // turn 1
    expected.Long(10).Long(20).Long(30).Long(40).Long(50); // turn 0
    for (int k = 1; k <= 5; ++k)
        expected.Long(0x123456);
    expected.Long(1).Long(2).Long(3).Long(4).Long(5);
    expected.Long(-1).Long(-2).Long(-3).Long(-4).Long(-5);
    expected.Long(100).Long(200).Long(300).Long(400).Long(500);
    expected.Long(2).Long(2).Long(2).Long(2).Long(2);
    EXPECT_EQ(stored, expected.Get());
    EXPECT_EQ(stored.size(), 2 + 2 + 2 + 5 + 5 + 3 + 4 + 35 * 4u);

    LoadBytes(stored, [&](CArchive& ar) {
        std::unique_ptr<CObject> pObject(ar.ReadObject(RUNTIME_CLASS(CRace)));
        auto* pRead = dynamic_cast<CRace*>(pObject.get());
        ASSERT_NE(pRead, nullptr);
        EXPECT_STREQ(pRead->GetKey(), "Orcs");
        EXPECT_STREQ(pRead->GetSubKey(), "G1");
        EXPECT_EQ(pRead->GetTurnCount(), 2);
        EXPECT_EQ(pRead->GetColor(), 0) << "the race's own colour is not stored";
        for (int k = kindFirst; k <= kindLast; ++k) {
            for (int j = 0; j < CRace::posFirstValue + 2; ++j)
                EXPECT_EQ(pRead->GetSeries(k)[j], race.GetSeries(k)[j]) << k << "/" << j;
        }
    });
}

TEST(CRaceTest, ARaceWithoutTurnsIsStoredWithEmptyHeaders)
{
    CRaceProbe race;
    race.SetColor(0x80);
    const Bytes stored = StoreBytes([&](CArchive& ar) { race.Serialize(ar); });
    ByteWriter expected;
    expected.Str("Orcs").Str("G1").Long(0);
    for (int k = 1; k <= 5; ++k)
        expected.Long(0x80);
    for (int k = 1; k <= 5; ++k)
        expected.Long(k);
    for (int i = 0; i < 15; ++i)
        expected.Long(0);
    EXPECT_EQ(stored, expected.Get());

    CRaceProbe read;
    read.SetTurnCount(4);
    LoadBytes(stored, [&](CArchive& ar) { read.Serialize(ar); });
    EXPECT_EQ(read.GetTurnCount(), 0);
    EXPECT_EQ(read.GetSeries(kindIndustry), nullptr);
    EXPECT_EQ(read.GetColor(), 0);
}

TEST(CRaceTest, MalformedRacesFailCleanly)
{
    auto race = [](LONG nTurns) {
        ByteWriter bytes;
        bytes.NewClass("CRace").Str("R").Str("G").Long(nTurns);
        return bytes;
    };
    auto wholeRace = [&](LONG nTurns, LONG nBadCount, int nBadKindSlot) {
        ByteWriter bytes = race(nTurns);
        for (LONG j = CRace::posFirstValue + nTurns - 1; j >= 0; --j) {
            for (int k = kindFirst; k <= kindLast; ++k) {
                LONG lWord = 7;
                if (j == CRace::posTurns)
                    lWord = k == kindShields ? nBadCount : nTurns;
                else if (j == CRace::posKind)
                    lWord = k == nBadKindSlot ? 9 : k;
                bytes.Long(lWord);
            }
        }
        return bytes;
    };
    Bytes truncated = wholeRace(3, 3, 0).Get();
    truncated.resize(truncated.size() - 6);

    const struct {
        const char* pszCase;
        Bytes bytes;
        int nCause;
    } rows[] = {
        {"negative turn count", race(-1).Get(), CArchiveException::badIndex},
        {"turn count beyond any game", race(0x7FFFFFFF).Get(), CArchiveException::badIndex},
        {"turn count beyond the bytes left", race(1000).Long(0).Get(),
         CArchiveException::endOfFile},
        {"block count disagrees with the race", wholeRace(3, 500, 0).Get(),
         CArchiveException::badIndex},
        {"block kind disagrees with its slot", wholeRace(3, 3, kindWeapons).Get(),
         CArchiveException::badIndex},
        {"series cut short", truncated, CArchiveException::endOfFile},
        {"a well-formed race loads", wholeRace(3, 3, 0).Get(), ArchiveErrorExpect::nNoException},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszCase);
        EXPECT_EQ(CauseOf([&] {
                      LoadBytes(row.bytes,
                                [](CArchive& ar) { delete ar.ReadObject(RUNTIME_CLASS(CRace)); });
                  }),
                  row.nCause);
    }
}

TEST(CDimLongTest, StoresValuesLastFirstAndReadsThemBackInPlace)
{
    CDimLong values;
    values.SetSize(3);
    values.SetAt(0, 1);
    values.SetAt(1, 2);
    values.SetAt(2, 3);
    const Bytes stored = StoreBytes([&](CArchive& ar) { values.Serialize(ar); });
    EXPECT_EQ(stored, ByteWriter().Long(3).Long(3).Long(2).Long(1).Get());

    CDimLong read;
    LoadBytes(stored, [&](CArchive& ar) { read.Serialize(ar); });
    ASSERT_EQ(read.GetSize(), 3);
    EXPECT_EQ(read.GetAt(0), 1);
    EXPECT_EQ(read.GetAt(2), 3);

    EXPECT_EQ(CauseOf([&] {
                  LoadBytes(ByteWriter().Long(1 << 30).Get(),
                            [&](CArchive& ar) { read.Serialize(ar); });
              }),
              CArchiveException::endOfFile);
    EXPECT_EQ(CauseOf([&] {
                  LoadBytes(ByteWriter().Long(-2).Get(), [&](CArchive& ar) { read.Serialize(ar); });
              }),
              CArchiveException::badIndex);
    read.SetSize(0);
    EXPECT_EQ(read.GetSize(), 0);
}

} // namespace
