// Value objects: their keys, the comparisons a collection orders by (the
// one-sided sub-key rule above all), their registration and their archive
// form.
#include "ModelArchive.h"
#include "model/CBiS.h"
#include "model/CDimLong.h"
#include "model/CManBi.h"
#include "model/CObLong.h"
#include "model/CObStringString.h"
#include "model/CRace.h"
#include "model/CRaces.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace
{

using Factory = std::function<std::unique_ptr<CObBase>()>;

// A CObLong gets its value only from an archive, so tests make one that way.
std::unique_ptr<CObBase> MakeLong(LONG lValue)
{
    auto pLong = std::make_unique<CObLong>();
    LoadBytes(ByteWriter().Long(lValue).Get(), [&](CArchive& ar) { pLong->Serialize(ar); });
    return pLong;
}

Factory Str(const char* psz)
{
    return [=] { return std::make_unique<CObString>(CString(psz)); };
}

Factory Pair(const char* pszFirst, const char* pszSecond)
{
    return [=] { return std::make_unique<CObStringString>(CString(pszFirst), CString(pszSecond)); };
}

Factory Long(LONG lValue)
{
    return [=] { return MakeLong(lValue); };
}

Factory Collection()
{
    return [] { return std::make_unique<CManBi>(); };
}

struct ComparisonRow {
    const char* pszCase;
    Factory makeThis;
    Factory makeOther;
    BOOL bLess;
    BOOL bGreater;
    BOOL bEqual;
};

TEST(ValueObjectTest, ComparisonsFollowKeysAndTheOneSidedSubKeyRule)
{
    const ComparisonRow rows[] = {
        {"two empty strings", Str(""), Str(""), FALSE, FALSE, TRUE},
        {"empty before non-empty", Str(""), Str("a"), TRUE, FALSE, FALSE},
        {"case matters, upper first", Str("ABC"), Str("abc"), TRUE, FALSE, FALSE},
        {"prefix first", Str("Ab"), Str("Abc"), TRUE, FALSE, FALSE},
        {"bytes compare unsigned", Str("\xC0"), Str("z"), FALSE, TRUE, FALSE},
        {"string vs pair: first strings only", Str("A"), Pair("A", "G"), FALSE, FALSE, TRUE},
        {"pair vs string: empty sub-key is a wildcard", Pair("A", "G"), Str("A"), FALSE, FALSE,
         TRUE},
        {"pairs with different second strings", Pair("A", "G"), Pair("A", "H"), FALSE, FALSE,
         FALSE},
        {"pair vs pair with empty second", Pair("A", "G"), Pair("A", ""), FALSE, FALSE, TRUE},
        {"only the other's second string is a wildcard", Pair("A", ""), Pair("A", "G"), FALSE,
         FALSE, FALSE},
        {"pairs order by first string only", Pair("A", "Z"), Pair("B", "A"), TRUE, FALSE, FALSE},
        {"long 5 vs any string (which answers 1)", Long(5), Str("x"), FALSE, TRUE, FALSE},
        {"long 1 equals any string", Long(1), Str("x"), FALSE, FALSE, TRUE},
        {"longs compare signed", Long(-3), Long(2), TRUE, FALSE, FALSE},
        {"string vs long compares against the empty key", Str("x"), Long(7), FALSE, TRUE, FALSE},
        {"a collection answers TRUE to everything", Collection(), Str("x"), TRUE, TRUE, TRUE},
    };
    for (const ComparisonRow& row : rows) {
        SCOPED_TRACE(row.pszCase);
        auto pThis = row.makeThis();
        auto pOther = row.makeOther();
        EXPECT_EQ(pThis->IsLess(pOther.get()), row.bLess);
        EXPECT_EQ(pThis->IsGreater(pOther.get()), row.bGreater);
        EXPECT_EQ(pThis->IsEqual(pOther.get()), row.bEqual);
    }
}

struct RegistrationRow {
    const CRuntimeClass* pClass;
    const char* pszName;
    const CRuntimeClass* pDeclaredBase;
};

TEST(ValueObjectTest, ClassesAreRegisteredUnderTheirStoredNamesAndDeclaredBases)
{
    const RegistrationRow rows[] = {
        {RUNTIME_CLASS(CObLong), "CObLong", RUNTIME_CLASS(CObject)},
        {RUNTIME_CLASS(CObString), "CObString", RUNTIME_CLASS(CObject)},
        {RUNTIME_CLASS(CObStringString), "CObStringString", RUNTIME_CLASS(CObject)},
        {RUNTIME_CLASS(CManBi), "CManBi", RUNTIME_CLASS(CObject)},
        {RUNTIME_CLASS(CBiS), "CBiS", RUNTIME_CLASS(CObject)},
        {RUNTIME_CLASS(CRace), "CRace", RUNTIME_CLASS(CObStringString)},
        {RUNTIME_CLASS(CRaces), "CRaces", RUNTIME_CLASS(CManBi)},
        {RUNTIME_CLASS(CDimLong), "CDimLong", RUNTIME_CLASS(CObject)},
    };
    for (const RegistrationRow& row : rows) {
        SCOPED_TRACE(row.pszName);
        EXPECT_STREQ(row.pClass->m_lpszClassName, row.pszName);
        EXPECT_EQ(row.pClass->m_pBaseClass, row.pDeclaredBase);
        EXPECT_EQ(row.pClass->m_wSchema, 0u);
        EXPECT_EQ(AfxGetModuleState()->FindClass(row.pszName), row.pClass);
        std::unique_ptr<CObject> pObject(row.pClass->CreateObject());
        ASSERT_NE(pObject, nullptr);
        EXPECT_EQ(pObject->GetRuntimeClass(), row.pClass);
    }

    // Kind-of follows the declared bases, not the C++ ones.
    CObStringString pair;
    CRace race;
    CRaces races;
    CBiS named;
    EXPECT_FALSE(pair.IsKindOf(RUNTIME_CLASS(CObString)));
    EXPECT_TRUE(race.IsKindOf(RUNTIME_CLASS(CObStringString)));
    EXPECT_FALSE(race.IsKindOf(RUNTIME_CLASS(CObString)));
    EXPECT_TRUE(races.IsKindOf(RUNTIME_CLASS(CManBi)));
    EXPECT_FALSE(named.IsKindOf(RUNTIME_CLASS(CManBi)));
}

TEST(ValueObjectTest, ArchiveFormsAreTheFieldsAlone)
{
    CObString str(CString("Ab"));
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { str.Serialize(ar); }), ByteWriter().Str("Ab").Get());

    CObStringString pair(CString("Ab"), CString("Zeta"));
    const Bytes pairBytes = StoreBytes([&](CArchive& ar) { pair.Serialize(ar); });
    EXPECT_EQ(pairBytes, ByteWriter().Str("Ab").Str("Zeta").Get());
    CObStringString pairRead;
    LoadBytes(pairBytes, [&](CArchive& ar) { pairRead.Serialize(ar); });
    EXPECT_STREQ(pairRead.GetKey(), "Ab");
    EXPECT_STREQ(pairRead.GetSubKey(), "Zeta");

    auto pLong = MakeLong(-7);
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { pLong->Serialize(ar); }), ByteWriter().Long(-7).Get());

    // Through the object writer: a class record, then the same fields.
    const Bytes tagged = StoreBytes([&](CArchive& ar) { ar.WriteObject(&str); });
    EXPECT_EQ(tagged, ByteWriter().NewClass("CObString").Str("Ab").Get());
    LoadBytes(tagged, [&](CArchive& ar) {
        std::unique_ptr<CObject> pRead(ar.ReadObject(nullptr));
        auto* pStr = dynamic_cast<CObString*>(pRead.get());
        ASSERT_NE(pStr, nullptr);
        EXPECT_STREQ(pStr->GetKey(), "Ab");
        EXPECT_TRUE(pStr->GetSubKey().IsEmpty());
    });
}

} // namespace

namespace
{

TEST(StatKindsTest, OneRowPerKindWithItsKeyScaleBitAndString)
{
    const struct {
        int nKind;
        const char* pszReplyKey;
        LONG lScale;
        LONG nFlagBit;
        UINT nStringId;
    } rows[] = {{1, "Industry", 100, 2, 5001},
                {2, "Population", 100, 4, 5002},
                {3, "WeaponsTech", 100000, 8, 5003},
                {4, "DrivesTech", 100000, 16, 5004},
                {5, "ShieldsTech", 100000, 32, 5005}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.nKind);
        const STAT_KIND* pKind = GetStatKind(row.nKind);
        ASSERT_NE(pKind, nullptr);
        EXPECT_EQ(pKind->nKind, row.nKind);
        EXPECT_STREQ(pKind->lpszReplyKey, row.pszReplyKey);
        EXPECT_EQ(pKind->lScale, row.lScale);
        EXPECT_EQ(pKind->nFlagBit, row.nFlagBit);
        EXPECT_EQ(pKind->nStringId, row.nStringId);
        EXPECT_EQ(StatKindFromStringId(row.nStringId), row.nKind);
    }
    EXPECT_EQ(GetStatKind(0), nullptr);
    EXPECT_EQ(GetStatKind(6), nullptr);
    EXPECT_EQ(GetStatKind(-1), nullptr);
    EXPECT_EQ(StatKindFromStringId(5000), 0);
    EXPECT_EQ(StatKindFromStringId(5006), 0);
}

TEST(CBiSTest, ANamedCollectionComparesByItsNameAndStoresItLast)
{
    const Bytes stored = ByteWriter().Long(1).NewClass("CObString").Str("item").Str("Group").Get();
    CBiS named;
    LoadBytes(stored, [&](CArchive& ar) { named.Serialize(ar); });
    EXPECT_STREQ(named.GetKey(), "Group");
    EXPECT_EQ(named.GetCount(), 1);
    CObString same(CString("Group")), later(CString("Zoo"));
    EXPECT_TRUE(named.IsEqual(&same));
    EXPECT_TRUE(named.IsLess(&later));
    EXPECT_FALSE(named.IsGreater(&later));
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { named.Serialize(ar); }), stored);
}

} // namespace
