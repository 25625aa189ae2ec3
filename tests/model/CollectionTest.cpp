// The owning sorted collection and the pointer array: order and ties,
// balance shapes, state words, ownership on replace and destroy, searches.
#include "ModelArchive.h"
#include "model/CManBi.h"
#include "model/CObLong.h"
#include "model/CObStringString.h"
#include "model/CRace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <string>
#include <vector>

namespace
{

// A name that counts its destructions, to see who deletes what.
class CCountedString : public CObString
{
public:
    explicit CCountedString(const char* psz) : CObString(CString(psz)) {}
    ~CCountedString() override { ++s_nDestroyed; }
    static int s_nDestroyed;
};
int CCountedString::s_nDestroyed = 0;

// Exposes the root so that tests can look at the shape Balance builds.
class CManBiProbe : public CManBi
{
public:
    const CBiNode* Root() const { return m_pRoot; }
};

std::vector<std::string> Keys(CManBi& bi)
{
    CDimPtr items;
    bi.GetItems(items);
    std::vector<std::string> keys;
    for (int i = 0; i < items.GetSize(); ++i)
        keys.emplace_back(items.GetAt(i)->GetKey().GetString());
    return keys;
}

std::vector<std::string> SubKeys(const CDimPtr& items)
{
    std::vector<std::string> subKeys;
    for (int i = 0; i < items.GetSize(); ++i)
        subKeys.emplace_back(items.GetAt(i)->GetSubKey().GetString());
    return subKeys;
}

void InsertNames(CManBi& bi, const std::vector<std::string>& names)
{
    for (const std::string& name : names)
        ASSERT_TRUE(bi.Insert(new CObString(CString(name.c_str()))));
}

TEST(CDimPtrTest, GetAtClampsAndAddRefusesNull)
{
    CObString a(CString("a")), b(CString("b")), c(CString("c"));
    CDimPtr arr;
    EXPECT_EQ(arr.GetAt(0), nullptr) << "an empty array answers null, not wild memory";
    ASSERT_TRUE(arr.Add(&a));
    ASSERT_TRUE(arr.Add(&b));
    ASSERT_TRUE(arr.Add(&c));
    const struct {
        int nIndex;
        CObBase* pExpected;
    } rows[] = {{-1, &a}, {INT_MIN, &a}, {0, &a}, {1, &b}, {2, &c}, {3, &c}, {100, &c}};
    for (const auto& row : rows)
        EXPECT_EQ(arr.GetAt(row.nIndex), row.pExpected) << "index " << row.nIndex;

    EXPECT_FALSE(arr.Add(nullptr));
    EXPECT_EQ(arr.GetSize(), 3);

    CDimPtr copy;
    copy.Add(&c);
    EXPECT_TRUE(copy.Copy(arr));
    EXPECT_EQ(copy.GetSize(), 3);
    EXPECT_EQ(copy.GetAt(1), &b);

    EXPECT_TRUE(arr.SetSize(2));
    EXPECT_EQ(arr.GetSize(), 2);
    EXPECT_EQ(arr.GetAt(1), nullptr);
    EXPECT_TRUE(arr.SetSize(-5));
    EXPECT_EQ(arr.GetSize(), 0);
    EXPECT_TRUE(copy.RemoveAll());
    EXPECT_EQ(copy.GetSize(), 0);
}

TEST(CManBiTest, ItemsComeOutAscendingWithTiesInInsertionOrder)
{
    CManBi bi;
    bi.Insert(new CObStringString(CString("B"), CString("x")));
    bi.Insert(new CObStringString(CString("A"), CString("g1")));
    bi.Insert(new CObStringString(CString("C"), CString("y")));
    bi.Insert(new CObStringString(CString("A"), CString("g2")));
    bi.Insert(new CObStringString(CString("A"), CString("g3")));
    EXPECT_EQ(Keys(bi), (std::vector<std::string>{"A", "A", "A", "B", "C"}));
    CDimPtr items;
    bi.GetItems(items);
    EXPECT_EQ(SubKeys(items), (std::vector<std::string>{"g1", "g2", "g3", "x", "y"}));
    EXPECT_EQ(bi.GetCount(), 5);
}

TEST(CManBiTest, BalanceGivesMinimalDepthAndKeepsTheSequence)
{
    const struct {
        int nItems;
        LONG nDepth;
    } rows[] = {{1, 1}, {2, 2}, {3, 2}, {4, 3}, {7, 3}, {8, 4}, {15, 4}, {16, 5}, {1000, 10}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.nItems);
        // Sorted insertion is the worst case: a chain as deep as the count.
        std::vector<std::string> names;
        for (int i = 0; i < row.nItems; ++i)
            names.push_back(std::to_string(100000 + i));
        CManBi bi;
        InsertNames(bi, names);
        EXPECT_EQ(bi.GetDepth(), row.nItems);
        EXPECT_TRUE(bi.Balance());
        EXPECT_EQ(bi.GetDepth(), row.nDepth);
        EXPECT_EQ(bi.GetCount(), row.nItems);
        EXPECT_EQ(bi.GetState(), 7);
        EXPECT_EQ(Keys(bi), names);
    }
}

TEST(CManBiTest, BalanceOfSevenInsertsTheMiddleThenTheQuarters)
{
    CManBiProbe bi;
    InsertNames(bi, {"1", "2", "3", "4", "5", "6", "7"});
    bi.Balance();
    const CBiNode* pRoot = bi.Root();
    ASSERT_NE(pRoot, nullptr);
    EXPECT_STREQ(pRoot->pItem->GetKey(), "4");
    EXPECT_STREQ(pRoot->pLeft->pItem->GetKey(), "2");
    EXPECT_STREQ(pRoot->pRight->pItem->GetKey(), "6");
    EXPECT_STREQ(pRoot->pLeft->pLeft->pItem->GetKey(), "1");
    EXPECT_STREQ(pRoot->pRight->pRight->pItem->GetKey(), "7");
    // The in-order links and numbers are current after Balance.
    const CBiNode* pFirst = pRoot->pLeft->pLeft;
    EXPECT_EQ(pFirst->pPrev, nullptr);
    EXPECT_EQ(pFirst->nIndex, 0);
    EXPECT_EQ(pFirst->pNext, pRoot->pLeft);
    EXPECT_EQ(pRoot->nIndex, 3);
    EXPECT_EQ(pRoot->pRight->pRight->pNext, nullptr);
}

TEST(CManBiTest, StateWordTracksInsertIndexAndBalance)
{
    CManBi bi;
    bi.BuildIndex();
    bi.Balance();
    EXPECT_EQ(bi.GetState(), 0) << "an empty collection stays untouched";
    CDimPtr items;
    bi.GetItems(items);
    EXPECT_EQ(items.GetSize(), 0);

    bi.Insert(new CObString(CString("b")));
    EXPECT_EQ(bi.GetState(), 1);
    bi.BuildIndex();
    EXPECT_EQ(bi.GetState(), 3);
    bi.Insert(new CObString(CString("a")));
    EXPECT_EQ(bi.GetState(), 1) << "an insertion clears the other bits";
    bi.Balance();
    EXPECT_EQ(bi.GetState(), 7);
    bi.AddOrReplace(new CObString(CString("a")));
    EXPECT_EQ(bi.GetState(), 1) << "so does a replacement";
    bi.GetItems(items);
    EXPECT_EQ(bi.GetState(), 3) << "GetItems rebuilds a stale index";
    bi.RemoveAll();
    EXPECT_EQ(bi.GetState(), 0);
    EXPECT_EQ(bi.GetCount(), 0);
    EXPECT_EQ(bi.GetDepth(), 0);
}

TEST(CManBiTest, OwnershipOnInsertReplaceRefuseAndDestroy)
{
    CCountedString::s_nDestroyed = 0;
    {
        CManBi bi;
        auto* pFirst = new CCountedString("a");
        EXPECT_TRUE(bi.Insert(pFirst));
        EXPECT_FALSE(bi.Insert(pFirst)) << "the same object twice";
        EXPECT_FALSE(bi.AddOrReplace(pFirst));
        EXPECT_FALSE(bi.Insert(nullptr));
        EXPECT_FALSE(bi.AddOrReplace(nullptr));
        EXPECT_EQ(bi.GetCount(), 1);

        EXPECT_TRUE(bi.Insert(new CCountedString("a"))) << "equal by value is allowed";
        EXPECT_EQ(bi.GetCount(), 2);
        EXPECT_EQ(CCountedString::s_nDestroyed, 0);

        auto* pReplacement = new CCountedString("a");
        EXPECT_TRUE(bi.AddOrReplace(pReplacement));
        EXPECT_EQ(CCountedString::s_nDestroyed, 1) << "the replaced item is deleted";
        EXPECT_EQ(bi.GetCount(), 2);
        bi.Balance();
        CDimPtr found;
        bi.FindEqual(pReplacement, found);
        EXPECT_EQ(found.GetSize(), 2);
        EXPECT_TRUE(found.GetAt(0) == pReplacement || found.GetAt(1) == pReplacement);

        EXPECT_TRUE(bi.AddOrReplace(new CCountedString("b")));
        EXPECT_EQ(bi.GetCount(), 3);
    }
    EXPECT_EQ(CCountedString::s_nDestroyed, 4) << "destroying the collection deletes every item";
}

TEST(CManBiTest, ACollectionItemCannotBeInsertedTwice)
{
    // A collection answers IsGreater with TRUE even about itself, so every
    // descent turns left; the identity test must still catch it, or the
    // item would be deleted twice.
    CManBi outer;
    auto* pInner = new CManBi;
    EXPECT_TRUE(outer.Insert(pInner));
    EXPECT_TRUE(outer.Insert(new CManBi));
    EXPECT_FALSE(outer.Insert(pInner));
    EXPECT_FALSE(outer.AddOrReplace(pInner));
    outer.Balance();
    EXPECT_FALSE(outer.Insert(pInner));
    EXPECT_EQ(outer.GetCount(), 2);
}

TEST(CManBiTest, FindEqualUsesTheStoredItemsMeaningOfEqual)
{
    CManBi races;
    for (const char* pszGame : {"G2", "G1", "G3"})
        races.Insert(new CRace(CString("Orcs"), CString(pszGame)));
    races.Insert(new CRace(CString("Elves"), CString("G1")));
    races.Insert(new CRace(CString("Trolls"), CString("G1")));
    races.Balance();

    CObString otherRace(CString("Dwarves"));
    CDimPtr found;
    CObString sentinel(CString("keep"));
    found.Add(&sentinel);
    EXPECT_FALSE(races.FindEqual(&otherRace, found));
    EXPECT_EQ(found.GetSize(), 1) << "no match leaves the output untouched";

    found.RemoveAll();
    CObString anyGame(CString("Orcs"));
    EXPECT_TRUE(races.FindEqual(&anyGame, found));
    ASSERT_EQ(found.GetSize(), 3) << "a bare name finds the race in every game";
    for (int i = 0; i < 3; ++i)
        EXPECT_STREQ(found.GetAt(i)->GetKey(), "Orcs");

    found.RemoveAll();
    CRace oneGame(CString("Orcs"), CString("G3"));
    EXPECT_TRUE(races.FindEqual(&oneGame, found));
    ASSERT_EQ(found.GetSize(), 1) << "a race key finds only its own game";
    EXPECT_STREQ(found.GetAt(0)->GetSubKey(), "G3");

    found.RemoveAll();
    CObStringString wildcard(CString("Orcs"), CString(""));
    EXPECT_TRUE(races.FindEqual(&wildcard, found));
    EXPECT_EQ(found.GetSize(), 3);
}

TEST(CManBiTest, FindAllGroupsMatchesByKeyInTheKeysOrder)
{
    CManBi races;
    races.Insert(new CRace(CString("Orcs"), CString("G1")));
    races.Insert(new CRace(CString("Elves"), CString("G1")));
    races.Insert(new CRace(CString("Orcs"), CString("G2")));
    races.Insert(new CRace(CString("Trolls"), CString("G2")));
    races.Balance();

    CManBi selection;
    selection.Insert(new CObString(CString("Orcs")));
    selection.Insert(new CObString(CString("Elves")));
    selection.Insert(new CObString(CString("Nobody")));

    CObString sentinel(CString("first"));
    CDimPtr found;
    found.Add(&sentinel);
    EXPECT_TRUE(races.FindAll(selection, found));
    ASSERT_EQ(found.GetSize(), 4) << "the output is appended to, not cleared";
    EXPECT_EQ(found.GetAt(0), &sentinel);
    EXPECT_STREQ(found.GetAt(1)->GetKey(), "Elves");
    EXPECT_STREQ(found.GetAt(2)->GetKey(), "Orcs");
    EXPECT_STREQ(found.GetAt(3)->GetKey(), "Orcs");
    EXPECT_EQ(selection.GetState() & CManBi::stateIndexed, CManBi::stateIndexed)
        << "the key collection's index was rebuilt";
}

TEST(CManBiTest, HoldsOnlyChecksEveryItemsKind)
{
    CManBi races;
    EXPECT_TRUE(races.HoldsOnly(RUNTIME_CLASS(CRace)));
    races.Insert(new CRace(CString("Orcs"), CString("G1")));
    EXPECT_TRUE(races.HoldsOnly(RUNTIME_CLASS(CRace)));
    races.Insert(new CObString(CString("Imp")));
    EXPECT_FALSE(races.HoldsOnly(RUNTIME_CLASS(CRace)));
}

TEST(CManBiTest, RandomKeysStayOrderedAndFindableThroughBalance)
{
    std::mt19937 rng(12345);
    std::vector<std::string> names;
    for (int i = 0; i < 5000; ++i)
        names.push_back(std::to_string(rng() % 2000));
    CManBi bi;
    InsertNames(bi, names);
    bi.Balance();
    std::vector<std::string> sorted = names;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(Keys(bi), sorted);
    for (const char* pszKey : {"0", "1999", "1000", "77"}) {
        CObString key{CString(pszKey)};
        CDimPtr found;
        bi.FindEqual(&key, found);
        EXPECT_EQ(found.GetSize(), std::count(names.begin(), names.end(), pszKey)) << pszKey;
    }
}

// Orders and matches as CObStringString does, but is no CObString, so a
// collection of these balances by asking every item.
class CPlainPair : public CObBase
{
public:
    CPlainPair(const std::string& strKey, int nSeq)
        : m_strKey(strKey.c_str()), m_strSeq(std::to_string(nSeq).c_str())
    {
    }
    const CString& GetKey() const override { return m_strKey; }
    const CString& GetSubKey() const override { return m_strSeq; }
    BOOL IsGreater(const CObBase* pOther) const override { return CompareKeys(this, pOther) > 0; }
    BOOL IsEqual(const CObBase* pOther) const override { return CompareKeys(this, pOther) == 0; }

private:
    CString m_strKey;
    CString m_strSeq;
};

void Shape(const CBiNode* pNode, std::string& out)
{
    if (pNode == nullptr) {
        out += '.';
        return;
    }
    out += std::string("(") + pNode->pItem->GetKey().GetString() + "/" +
           pNode->pItem->GetSubKey().GetString() + " ";
    Shape(pNode->pLeft, out);
    Shape(pNode->pRight, out);
    out += ')';
}

// Strings balance by comparing ranks instead of asking the items; the tree,
// ties included, must be the one that asking every item builds.
TEST(CManBiTest, StringsBalanceToTheTreeThatAskingTheItemsBuilds)
{
    std::mt19937 rng(99);
    CManBiProbe strings;
    CManBiProbe plain;
    for (int nRound = 0; nRound < 3; ++nRound) {
        for (int i = 0; i < 300; ++i) {
            const std::string strKey = "k" + std::to_string(rng() % 120);
            const int nSeq = nRound * 1000 + i;
            strings.Insert(new CObStringString(CString(strKey.c_str()),
                                               CString(std::to_string(nSeq).c_str())));
            plain.Insert(new CPlainPair(strKey, nSeq));
        }
        strings.Balance();
        plain.Balance();
        std::string strShape;
        std::string plainShape;
        Shape(strings.Root(), strShape);
        Shape(plain.Root(), plainShape);
        ASSERT_EQ(strShape, plainShape) << "round " << nRound;
        EXPECT_EQ(strings.GetDepth(), plain.GetDepth());
        EXPECT_EQ(strings.GetState(), plain.GetState());
    }
}

// Descend answers what IsGreater and IsEqual answer, for every pair of kinds.
TEST(CManBiTest, DescendAgreesWithIsGreaterAndIsEqual)
{
    CObString a(CString("a")), b(CString("b"));
    CCountedString counted("a");
    CObStringString pair(CString("a"), CString("x")), bare(CString("a"), CString(""));
    CRace race(CString("b"), CString("G1"));
    CObLong number;
    CManBi collection;
    const CObBase* items[] = {&a, &b, &counted, &pair, &bare, &race, &number, &collection};
    for (const CObBase* pThis : items) {
        for (const CObBase* pOther : items) {
            const int nExpected = pThis->IsGreater(pOther) ? 1 : pThis->IsEqual(pOther) ? 0 : -1;
            const int nTurn = pThis->Descend(pOther);
            EXPECT_EQ((nTurn > 0) - (nTurn < 0), nExpected)
                << pThis->GetRuntimeClass()->m_lpszClassName << " " << pThis->GetKey().GetString()
                << " vs " << pOther->GetRuntimeClass()->m_lpszClassName << " "
                << pOther->GetKey().GetString();
        }
    }
}

TEST(CManBiTest, DeepUnbalancedTreesNeedNoRecursion)
{
    // Sorted insertion makes a chain as deep as the count; indexing,
    // balancing and destroying it walk it without recursion.
    constexpr int nItems = 10000;
    CManBi bi;
    for (int i = 0; i < nItems; ++i)
        bi.Insert(new CObString(CString(std::to_string(1000000 + i).c_str())));
    EXPECT_EQ(bi.GetDepth(), nItems);
    EXPECT_TRUE(bi.BuildIndex());
    CDimPtr items;
    bi.GetItems(items);
    EXPECT_STREQ(items.GetAt(nItems - 1)->GetKey(), "1009999");
    EXPECT_TRUE(bi.Balance());
    EXPECT_EQ(bi.GetDepth(), 14);

    CManBi chain;
    for (int i = 0; i < nItems; ++i)
        chain.Insert(new CManBi); // every descent turns left
    EXPECT_EQ(chain.GetDepth(), nItems);
    EXPECT_TRUE(chain.RemoveAll());
}

} // namespace
