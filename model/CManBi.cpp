#include "model/CManBi.h"

#include "model/CObString.h"

#include <cstdint>
#include <utility>
#include <vector>

IMPLEMENT_SERIAL(CManBi, CObject, 0)

CManBi::CManBi() = default;

CManBi::~CManBi()
{
    RemoveAll();
}

// Walks the tree in order with an explicit stack, which never holds more
// than m_nDepth nodes, so a degenerate tree cannot exhaust the call stack.
// The stack's first levels live in the frame, which is all a balanced tree
// needs.
template <class Visit> void CManBi::ForEachNodeInOrder(Visit visit) const
{
    constexpr size_t nInline = 64;
    CBiNode* aInline[nInline];
    std::vector<CBiNode*> spill;
    size_t nTop = 0;
    auto push = [&](CBiNode* pNode) {
        if (nTop < nInline)
            aInline[nTop] = pNode;
        else
            spill.push_back(pNode);
        ++nTop;
    };
    auto pop = [&]() {
        --nTop;
        if (nTop < nInline)
            return aInline[nTop];
        CBiNode* pNode = spill.back();
        spill.pop_back();
        return pNode;
    };
    CBiNode* pNode = m_pRoot;
    while (pNode != nullptr || nTop != 0) {
        while (pNode != nullptr) {
            push(pNode);
            pNode = pNode->pLeft;
        }
        pNode = pop();
        CBiNode* pRight = pNode->pRight;
        visit(pNode);
        pNode = pRight;
    }
}

// ---------------------------------------------------------------------------
// Insertion

void CManBi::Attach(CBiNode*& rSlot, CBiNode* pNode, LONG nLevel)
{
    pNode->ClearLinks();
    rSlot = pNode;
    if (nLevel > m_nDepth)
        m_nDepth = nLevel;
    m_nState = stateInserted;
    ++m_nCount;
}

// The descent of InsertNode with the question "is the stored node's item
// greater than the new one" answered by isGreater(stored node, new node).
template <class Greater> BOOL CManBi::InsertNodeBy(CBiNode* pNode, Greater isGreater)
{
    if (pNode == nullptr || pNode->pItem == nullptr)
        return FALSE;
    if (m_pRoot == nullptr) {
        m_nCount = 0;
        m_nDepth = 0;
        Attach(m_pRoot, pNode, 1);
        return TRUE;
    }
    LONG nLevel = 0;
    CBiNode** ppSlot = DescendToSlot(
        [&](const CBiNode* pAt) {
            // The identity test is made at every node, not only where the
            // descent turns right: an item whose IsGreater answers TRUE even
            // for itself (a collection as an item) would otherwise get a
            // second owner.
            if (pAt == pNode || pAt->pItem == pNode->pItem)
                return Turn::stop;
            return isGreater(pAt, pNode) ? Turn::left : Turn::right;
        },
        nLevel);
    if (ppSlot == nullptr)
        return FALSE;
    Attach(*ppSlot, pNode, nLevel);
    return TRUE;
}

template <class Turning> CBiNode** CManBi::DescendToSlot(Turning turn, LONG& nLevel)
{
    CBiNode* pAt = m_pRoot;
    for (nLevel = 2;; ++nLevel) {
        const Turn eTurn = turn(pAt);
        if (eTurn == Turn::stop)
            return nullptr;
        CBiNode*& rChild = eTurn == Turn::left ? pAt->pLeft : pAt->pRight;
        if (rChild == nullptr)
            return &rChild;
        pAt = rChild;
    }
}

BOOL CManBi::InsertNode(CBiNode* pNode)
{
    return InsertNodeBy(pNode, [](const CBiNode* pAt, const CBiNode* pNew) {
        return CObString::IsGreaterAt(pAt->pItem, pNew->pItem);
    });
}

BOOL CManBi::Insert(CObBase* pItem)
{
    if (pItem == nullptr)
        return FALSE;
    CBiNode* pNode = m_nodes.New();
    pNode->pItem = pItem;
    if (!InsertNode(pNode)) {
        m_nodes.Delete(pNode);
        return FALSE;
    }
    return TRUE;
}

BOOL CManBi::AddOrReplace(CObBase* pItem)
{
    if (pItem == nullptr)
        return FALSE;
    if (m_pRoot == nullptr)
        return Insert(pItem);
    BOOL bReplaced = FALSE;
    LONG nLevel = 0;
    CBiNode** ppSlot = DescendToSlot(
        [&](CBiNode* pAt) {
            if (pAt->pItem == pItem)
                return Turn::stop;
            if (pAt->pItem->IsGreater(pItem))
                return Turn::left;
            if (!pAt->pItem->IsEqual(pItem))
                return Turn::right;
            delete pAt->pItem;
            pAt->pItem = pItem;
            m_nState = stateInserted;
            bReplaced = TRUE;
            return Turn::stop;
        },
        nLevel);
    if (ppSlot == nullptr)
        return bReplaced;
    CBiNode* pNode = m_nodes.New();
    pNode->pItem = pItem;
    Attach(*ppSlot, pNode, nLevel);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Removal

BOOL CManBi::RemoveAll()
{
    // Rotating every left child up turns the tree into a right-leaning list
    // that can be freed front to back: no stack, and nothing to allocate on
    // the way to a destructor.
    CBiNode* pNode = m_pRoot;
    m_pRoot = nullptr;
    while (pNode != nullptr) {
        if (pNode->pLeft != nullptr) {
            CBiNode* pLeft = pNode->pLeft;
            pNode->pLeft = pLeft->pRight;
            pLeft->pRight = pNode;
            pNode = pLeft;
        } else {
            CBiNode* pRight = pNode->pRight;
            delete pNode->pItem;
            pNode = pRight;
        }
    }
    m_nodes.Clear();
    m_nState = 0;
    m_nDepth = 0;
    m_nCount = 0;
    m_index.RemoveAll();
    return TRUE;
}

// ---------------------------------------------------------------------------
// Index and balance

void CManBi::Swap(CManBi& other) noexcept
{
    std::swap(m_pRoot, other.m_pRoot);
    m_nodes.Swap(other.m_nodes);
    m_index.Swap(other.m_index);
    std::swap(m_nState, other.m_nState);
    std::swap(m_nDepth, other.m_nDepth);
    std::swap(m_nCount, other.m_nCount);
}

BOOL CManBi::TakeItemsFrom(CManBi& other)
{
    if (&other == this)
        return FALSE;
    std::vector<CBiNode*> nodes;
    nodes.reserve(size_t(other.m_nCount));
    other.ForEachNodeInOrder([&](CBiNode* pNode) { nodes.push_back(pNode); });
    m_nodes.Splice(other.m_nodes);
    other.m_pRoot = nullptr;
    other.m_index.RemoveAll();
    other.m_nState = other.m_nDepth = other.m_nCount = 0;
    for (CBiNode* pNode : nodes) {
        if (!InsertNode(pNode)) {
            delete pNode->pItem;
            m_nodes.Delete(pNode);
        }
    }
    return Balance();
}

// Items with an own key order by it alone, with CString::Compare, a total
// preorder, so ascending neighbours mean that every pair of items compares
// as its ranks do.
bool CManBi::RankByKeys(const std::vector<CBiNode*>& nodes)
{
    const CString* pPrevKey = nullptr;
    int nRank = 0;
    for (size_t i = 0; i < nodes.size(); ++i) {
        const CString* pKey = nodes[i]->pItem->GetOwnKey();
        if (pKey == nullptr)
            return false;
        const CString& strKey = *pKey;
        if (pPrevKey != nullptr) {
            const int nOrder = KeyCompare(*pPrevKey, strKey);
            if (nOrder > 0)
                return false;
            if (nOrder < 0)
                ++nRank;
        }
        nodes[i]->nIndex = nRank;
        pPrevKey = &strKey;
    }
    return true;
}

BOOL CManBi::BuildIndex()
{
    if (m_pRoot == nullptr)
        return TRUE;
    m_index.SetSize(m_nCount);
    CBiNode* pPrev = nullptr;
    int j = 0;
    ForEachNodeInOrder([&](CBiNode* pNode) {
        pNode->pPrev = pPrev;
        pNode->pNext = nullptr;
        if (pPrev != nullptr)
            pPrev->pNext = pNode;
        m_index.GetAt(j) = pNode->pItem;
        pNode->nIndex = j++;
        pPrev = pNode;
    });
    m_nState |= stateIndexed;
    return TRUE;
}

BOOL CManBi::GetItems(CDimPtr& items)
{
    if ((m_nState & stateIndexed) == 0)
        BuildIndex();
    return items.Copy(m_index);
}

BOOL CManBi::Balance()
{
    if (m_pRoot == nullptr)
        return TRUE;
    // The nodes in order. The index array's storage is released meanwhile,
    // so the peak is still one array of pointers; BuildIndex refills it.
    std::vector<CBiNode*> nodes;
    nodes.reserve(size_t(m_nCount));
    ForEachNodeInOrder([&](CBiNode* pNode) { nodes.push_back(pNode); });
    m_index.RemoveAll();
    const int64_t nCount = int64_t(nodes.size());

    // Reinserting by halving strides (the middle first, then the quarters,
    // and so on) gives a tree of minimal height for distinct keys.
    int64_t nPower = 2;
    int nPasses = 1;
    while (nPower < nCount) {
        nPower *= 2;
        ++nPasses;
    }
    // When the items are strings in ascending order, a rank per distinct key
    // answers every IsGreater the reinsertion would ask, so the same tree is
    // built from integer comparisons. A node's number holds its rank until
    // BuildIndex renumbers it.
    const bool bRanked = RankByKeys(nodes);
    auto isGreaterByRank = [](const CBiNode* pAt, const CBiNode* pNew) {
        return pAt->nIndex > pNew->nIndex;
    };
    m_pRoot = nullptr;
    for (int nPass = 1; nPass <= nPasses; ++nPass) {
        const int64_t nStep = nPower >> nPass;
        for (int64_t k = nStep; k <= nCount; k += nStep) {
            CBiNode* pNode = nodes[size_t(k - 1)];
            if (pNode == nullptr)
                continue;
            if (bRanked) {
                const int nRank = pNode->nIndex;
                InsertNodeBy(pNode, isGreaterByRank);
                pNode->nIndex = nRank;
            } else
                InsertNode(pNode);
            nodes[size_t(k - 1)] = nullptr;
        }
    }
    BuildIndex();
    m_nState |= stateBalanced;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Search

BOOL CManBi::FindEqual(const CObBase* pKey, CDimPtr& result) const
{
    if (pKey == nullptr)
        return FALSE;
    CBiNode* pNode = m_pRoot;
    while (pNode != nullptr) {
        const int nTurn = CObString::DescendAt(pNode->pItem, pKey);
        if (nTurn == 0)
            break;
        pNode = nTurn > 0 ? pNode->pLeft : pNode->pRight;
    }
    if (pNode == nullptr)
        return FALSE;
    result.Add(pNode->pItem);
    for (CBiNode* pNext = pNode->pNext; pNext != nullptr && pNext->pItem->IsEqual(pKey);
         pNext = pNext->pNext)
        result.Add(pNext->pItem);
    return TRUE;
}

BOOL CManBi::FindAll(CManBi& keys, CDimPtr& result) const
{
    CDimPtr keyItems;
    keys.GetItems(keyItems);
    for (int i = 0; i < keyItems.GetSize(); ++i)
        FindEqual(keyItems.GetAt(i), result);
    return TRUE;
}

BOOL CManBi::HoldsOnly(const CRuntimeClass* pClass) const
{
    BOOL bAll = TRUE;
    ForEachNodeInOrder([&](CBiNode* pNode) {
        if (!pNode->pItem->IsKindOf(pClass))
            bAll = FALSE;
    });
    return bAll;
}

// ---------------------------------------------------------------------------
// Archive

void CManBi::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        StoreItems(ar);
    else
        LoadItems(ar);
}

void CManBi::StoreItems(CArchive& ar)
{
    BuildIndex();
    CDimPtr items;
    GetItems(items);
    ar << LONG(items.GetSize());
    for (int i = 0; i < items.GetSize(); ++i)
        ar.WriteObject(items.GetAt(i));
}

void CManBi::LoadItems(CArchive& ar)
{
    LONG nCount = 0;
    ar >> nCount;
    if (nCount < 0)
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    // Every item takes at least a two-byte tag, so a count beyond half the
    // bytes left cannot be honest; checking it first bounds the allocation.
    if (uint64_t(nCount) * 2 > ar.GetBytesLeft())
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);

    // Items are gathered before any is inserted, so a failure part way
    // frees what was read and leaves the collection untouched.
    std::vector<std::unique_ptr<CObBase>> items;
    items.reserve(size_t(nCount));
    for (LONG i = 0; i < nCount; ++i)
        items.push_back(ReadItem(ar));
    InsertRead(items);
    Balance();
}

// A save writes items in ascending order, so each one read would walk the
// whole right spine that its predecessors built: quadratic in the count.
// Where the descent is known to turn right at every node of that spine, the
// item goes straight to its end instead, as the same child at the same
// level, so tree, depth, count and state word are those the walk gives.
// That is known when every node of the spine compares by its own key (whose
// order is a total preorder), the spine's keys ascend, and its last key is
// not greater than the new item's: then no node of the spine is greater.
// Items read are new objects, so the walk's identity test cannot refuse them.
void CManBi::InsertRead(std::vector<std::unique_ptr<CObBase>>& items)
{
    CBiNode* pEnd = nullptr;
    LONG nEndLevel = 0;
    bool bKeyedSpine = true;
    for (CBiNode* pNode = m_pRoot; pNode != nullptr; pNode = pNode->pRight) {
        if (pNode->pItem->GetOwnKey() == nullptr ||
            (pEnd != nullptr && CObBase::CompareKeys(pEnd->pItem, pNode->pItem) > 0))
            bKeyedSpine = false;
        pEnd = pNode;
        ++nEndLevel;
    }
    for (auto& pItem : items) {
        if (pEnd == nullptr || !bKeyedSpine || CObBase::CompareKeys(pEnd->pItem, pItem.get()) > 0) {
            const bool bWasEmpty = m_pRoot == nullptr;
            if (!Insert(pItem.get()))
                continue;
            pItem.release();
            // Anything else lands off the spine: the spine's end is greater.
            if (bWasEmpty) {
                pEnd = m_pRoot;
                nEndLevel = 1;
                bKeyedSpine = pEnd->pItem->GetOwnKey() != nullptr;
            }
            continue;
        }
        CBiNode* pNode = m_nodes.New();
        pNode->pItem = pItem.release();
        Attach(pEnd->pRight, pNode, ++nEndLevel);
        pEnd = pNode;
        bKeyedSpine = pNode->pItem->GetOwnKey() != nullptr;
    }
}

std::unique_ptr<CObBase> CManBi::ReadItem(CArchive& ar)
{
    // A back-reference would give an item two owners, so only new objects
    // are accepted; a null has no place in a collection.
    CObject* pObject = ar.ReadNewObject(nullptr);
    if (pObject == nullptr)
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    CObBase* pItem = dynamic_cast<CObBase*>(pObject);
    if (pItem == nullptr) {
        delete pObject;
        AfxThrowArchiveException(CArchiveException::badClass, ar.m_strFileName);
    }
    return std::unique_ptr<CObBase>(pItem);
}
