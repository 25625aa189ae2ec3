// The doubly linked list behind the framework's typed lists (CStringList,
// CPtrList). A POSITION is the address of a node, so it stays valid while
// other items are added or removed, and a walk may remove the item it has
// just passed. Asking for the head or tail of an empty list is the caller's
// error, as it is in the lists this stands in for.
#pragma once

#include "AfxTypes.h"

template <class T> class CAfxNodeList
{
public:
    CAfxNodeList() = default;
    CAfxNodeList(const CAfxNodeList&) = delete;
    CAfxNodeList& operator=(const CAfxNodeList&) = delete;
    ~CAfxNodeList() { RemoveAll(); }

    int GetCount() const { return m_nCount; }

    T& Head() const { return m_pNodeHead->data; }
    T& Tail() const { return m_pNodeTail->data; }
    POSITION HeadPosition() const { return ToPosition(m_pNodeHead); }
    POSITION TailPosition() const { return ToPosition(m_pNodeTail); }

    POSITION AddHead(const T& value)
    {
        CNode* pNode = new CNode{m_pNodeHead, nullptr, value};
        if (m_pNodeHead != nullptr)
            m_pNodeHead->pPrev = pNode;
        else
            m_pNodeTail = pNode;
        m_pNodeHead = pNode;
        ++m_nCount;
        return ToPosition(pNode);
    }

    POSITION AddTail(const T& value)
    {
        CNode* pNode = new CNode{nullptr, m_pNodeTail, value};
        if (m_pNodeTail != nullptr)
            m_pNodeTail->pNext = pNode;
        else
            m_pNodeHead = pNode;
        m_pNodeTail = pNode;
        ++m_nCount;
        return ToPosition(pNode);
    }

    void RemoveAt(POSITION position)
    {
        CNode* pNode = FromPosition(position);
        if (pNode->pPrev != nullptr)
            pNode->pPrev->pNext = pNode->pNext;
        else
            m_pNodeHead = pNode->pNext;
        if (pNode->pNext != nullptr)
            pNode->pNext->pPrev = pNode->pPrev;
        else
            m_pNodeTail = pNode->pPrev;
        delete pNode;
        --m_nCount;
    }

    void RemoveAll()
    {
        CNode* pNode = m_pNodeHead;
        while (pNode != nullptr) {
            CNode* pNext = pNode->pNext;
            delete pNode;
            pNode = pNext;
        }
        m_pNodeHead = m_pNodeTail = nullptr;
        m_nCount = 0;
    }

    static T& At(POSITION position) { return FromPosition(position)->data; }
    static T& Next(POSITION& rPosition)
    {
        CNode* pNode = FromPosition(rPosition);
        rPosition = ToPosition(pNode->pNext);
        return pNode->data;
    }
    static T& Prev(POSITION& rPosition)
    {
        CNode* pNode = FromPosition(rPosition);
        rPosition = ToPosition(pNode->pPrev);
        return pNode->data;
    }

    // The first position after startAfter (or from the head) whose item
    // matches, null when there is none.
    template <class Match> POSITION Find(Match match, POSITION startAfter) const
    {
        CNode* pNode = startAfter != nullptr ? FromPosition(startAfter)->pNext : m_pNodeHead;
        for (; pNode != nullptr; pNode = pNode->pNext) {
            if (match(pNode->data))
                return ToPosition(pNode);
        }
        return nullptr;
    }

private:
    struct CNode {
        CNode* pNext = nullptr;
        CNode* pPrev = nullptr;
        T data;
    };

    static POSITION ToPosition(CNode* pNode) { return reinterpret_cast<POSITION>(pNode); }
    static CNode* FromPosition(POSITION position) { return reinterpret_cast<CNode*>(position); }

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    int m_nCount = 0;
};
