// The nodes of one CManBi, carved from blocks that the collection frees all
// at once. A tree of small separate heap blocks costs an allocation per
// insertion and scatters neighbours over the heap; blocks that double in size
// keep a small collection small and a large one close together.
#pragma once

#include "model/CBiNode.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

class CBiNodePool
{
public:
    CBiNodePool() = default;
    CBiNodePool(const CBiNodePool&) = delete;
    CBiNodePool& operator=(const CBiNodePool&) = delete;

    // A node with cleared links; throws std::bad_alloc as new would.
    CBiNode* New()
    {
        CBiNode* pNode = m_pFree;
        if (pNode != nullptr)
            m_pFree = pNode->pLeft;
        else {
            if (m_pCursor == m_pEnd)
                AddBlock();
            pNode = m_pCursor++;
        }
        pNode->ClearLinks();
        pNode->pItem = nullptr;
        return pNode;
    }

    // Gives back a node of this pool for reuse.
    void Delete(CBiNode* pNode)
    {
        pNode->pLeft = m_pFree;
        m_pFree = pNode;
    }

    // Frees every block; no node of this pool may be used afterwards.
    void Clear()
    {
        m_blocks.clear();
        m_pFree = m_pCursor = m_pEnd = nullptr;
        m_nNextBlock = nFirstBlock;
    }

    // Takes over the blocks of other, whose nodes stay where they are and
    // now belong to this pool; other is left empty.
    void Splice(CBiNodePool& other)
    {
        if (&other == this)
            return;
        m_blocks.reserve(m_blocks.size() + other.m_blocks.size());
        for (auto& pBlock : other.m_blocks)
            m_blocks.push_back(std::move(pBlock));
        other.Clear();
    }

    void Swap(CBiNodePool& other) noexcept
    {
        m_blocks.swap(other.m_blocks);
        std::swap(m_pFree, other.m_pFree);
        std::swap(m_pCursor, other.m_pCursor);
        std::swap(m_pEnd, other.m_pEnd);
        std::swap(m_nNextBlock, other.m_nNextBlock);
    }

private:
    static constexpr size_t nFirstBlock = 8;
    static constexpr size_t nLargestBlock = 1024;

    void AddBlock()
    {
        std::unique_ptr<CBiNode[]> pBlock(new CBiNode[m_nNextBlock]);
        m_blocks.push_back(std::move(pBlock));
        m_pCursor = m_blocks.back().get();
        m_pEnd = m_pCursor + m_nNextBlock;
        m_nNextBlock = std::min(m_nNextBlock * 2, nLargestBlock);
    }

    std::vector<std::unique_ptr<CBiNode[]>> m_blocks;
    // Given-back nodes, chained through pLeft.
    CBiNode* m_pFree = nullptr;
    CBiNode* m_pCursor = nullptr;
    CBiNode* m_pEnd = nullptr;
    size_t m_nNextBlock = nFirstBlock;
};
