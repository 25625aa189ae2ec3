// The one owning, sorted collection of the chart data model: an unbalanced
// binary search tree of CObBase items that its owner balances after each
// batch of insertions, threaded in order and mirrored by an index array.
//
// Order rule: every descent asks the stored item IsGreater(new item); TRUE
// goes left, FALSE goes right, so ties go right and keep their insertion
// order until the next Balance. The collection never looks at an item's
// fields, only at the CObBase key interface.
//
// State word: exactly stateInserted after every insertion or replacement;
// BuildIndex ors in stateIndexed (the index, in-order links and numbers are
// current) and Balance ors in stateBalanced. Only stateIndexed is tested.
#pragma once

#include "model/CBiNode.h"
#include "model/CBiNodePool.h"
#include "model/CDimPtr.h"
#include "model/CObBase.h"

#include <memory>
#include <vector>

class CManBi : public CObBase
{
    DECLARE_SERIAL(CManBi)
public:
    enum { stateInserted = 1, stateIndexed = 2, stateBalanced = 4 };

    CManBi();
    ~CManBi() override;

    // Stored form: a 4-byte item count, then every item in ascending order
    // through the archive's object writer. Loading adds the items read to
    // what the collection holds and balances; it is all or nothing, so a
    // malformed file leaves the collection as it was.
    void Serialize(CArchive& ar) override;

    // Appends the matches of every item of keys, grouped by key in the keys'
    // ascending order. The output is not cleared first.
    virtual BOOL FindAll(CManBi& keys, CDimPtr& result) const;

    // Takes ownership of pItem on success. Equal items are all kept; the
    // same object twice, or null, is refused and stays the caller's.
    BOOL Insert(CObBase* pItem);
    // As Insert, but a stored item equal to pItem is deleted and pItem takes
    // its place.
    BOOL AddOrReplace(CObBase* pItem);
    BOOL RemoveAll();
    // Moves every item of other into this collection (ties after the items
    // already held) and balances; other is left empty. Lets an owner read a
    // collection aside and adopt it only once the whole file has been read.
    BOOL TakeItemsFrom(CManBi& other);
    // Exchanges the whole contents with other; needs no memory, so an owner
    // can adopt a collection read aside without a step that could fail.
    void Swap(CManBi& other) noexcept;
    BOOL BuildIndex();
    // The items in ascending order, replacing the contents of items.
    BOOL GetItems(CDimPtr& items);
    BOOL Balance();
    // Appends every stored item equal to pKey, in ascending order. The
    // stored item is asked, so its class decides what equal means. Relies on
    // the index being current for the items that can match.
    BOOL FindEqual(const CObBase* pKey, CDimPtr& result) const;
    BOOL InsertNode(CBiNode* pNode);

    // Whether every item is of the given kind: lets an owner that expects,
    // say, races refuse a file whose collection holds something else.
    BOOL HoldsOnly(const CRuntimeClass* pClass) const;

    LONG GetCount() const { return m_nCount; }
    LONG GetDepth() const { return m_nDepth; }
    LONG GetState() const { return m_nState; }

protected:
    CBiNode* m_pRoot = nullptr;
    CBiNodePool m_nodes;
    CDimPtr m_index;
    LONG m_nState = 0;
    LONG m_nDepth = 0;
    LONG m_nCount = 0;

private:
    template <class Visit> void ForEachNodeInOrder(Visit visit) const;
    template <class Greater> BOOL InsertNodeBy(CBiNode* pNode, Greater isGreater);
    // The insertion descent from the (non-empty) root: turn(stored node)
    // says which way it goes, or stops it. The empty child slot where it
    // ends, with that slot's level; null where turn stopped it.
    enum class Turn { left, right, stop };
    template <class Turning> CBiNode** DescendToSlot(Turning turn, LONG& nLevel);
    static bool RankByKeys(const std::vector<CBiNode*>& nodes);
    void Attach(CBiNode*& rSlot, CBiNode* pNode, LONG nLevel);
    void StoreItems(CArchive& ar);
    void LoadItems(CArchive& ar);
    void InsertRead(std::vector<std::unique_ptr<CObBase>>& items);
    static std::unique_ptr<CObBase> ReadItem(CArchive& ar);
};
