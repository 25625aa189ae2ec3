// Doubly linked list of pointers. A POSITION is the address of a node.
#include "CPtrList.h"

namespace
{
template <typename Node> POSITION ToPosition(Node* pNode)
{
    return reinterpret_cast<POSITION>(pNode);
}
} // namespace

CPtrList::CPtrList(int /*nBlockSize*/) {}

CPtrList::~CPtrList()
{
    RemoveAll();
}

void* CPtrList::GetHead() const
{
    return m_pNodeHead != nullptr ? m_pNodeHead->data : nullptr;
}
void* CPtrList::GetTail() const
{
    return m_pNodeTail != nullptr ? m_pNodeTail->data : nullptr;
}

POSITION CPtrList::AddHead(void* newElement)
{
    CNode* pNode = new CNode{m_pNodeHead, nullptr, newElement};
    if (m_pNodeHead != nullptr)
        m_pNodeHead->pPrev = pNode;
    else
        m_pNodeTail = pNode;
    m_pNodeHead = pNode;
    ++m_nCount;
    return ToPosition(pNode);
}

POSITION CPtrList::AddTail(void* newElement)
{
    CNode* pNode = new CNode{nullptr, m_pNodeTail, newElement};
    if (m_pNodeTail != nullptr)
        m_pNodeTail->pNext = pNode;
    else
        m_pNodeHead = pNode;
    m_pNodeTail = pNode;
    ++m_nCount;
    return ToPosition(pNode);
}

void* CPtrList::RemoveHead()
{
    if (m_pNodeHead == nullptr)
        return nullptr;
    void* value = m_pNodeHead->data;
    RemoveAt(ToPosition(m_pNodeHead));
    return value;
}

void* CPtrList::RemoveTail()
{
    if (m_pNodeTail == nullptr)
        return nullptr;
    void* value = m_pNodeTail->data;
    RemoveAt(ToPosition(m_pNodeTail));
    return value;
}

void CPtrList::RemoveAll()
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

POSITION CPtrList::GetHeadPosition() const
{
    return ToPosition(m_pNodeHead);
}
POSITION CPtrList::GetTailPosition() const
{
    return ToPosition(m_pNodeTail);
}

void* CPtrList::GetNext(POSITION& rPosition) const
{
    CNode* pNode = reinterpret_cast<CNode*>(rPosition);
    rPosition = ToPosition(pNode->pNext);
    return pNode->data;
}

void* CPtrList::GetPrev(POSITION& rPosition) const
{
    CNode* pNode = reinterpret_cast<CNode*>(rPosition);
    rPosition = ToPosition(pNode->pPrev);
    return pNode->data;
}

void* CPtrList::GetAt(POSITION position) const
{
    return reinterpret_cast<CNode*>(position)->data;
}

void CPtrList::SetAt(POSITION position, void* newElement)
{
    reinterpret_cast<CNode*>(position)->data = newElement;
}

void CPtrList::RemoveAt(POSITION position)
{
    CNode* pNode = reinterpret_cast<CNode*>(position);
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

POSITION CPtrList::Find(const void* searchValue, POSITION startAfter) const
{
    CNode* pNode =
        startAfter != nullptr ? reinterpret_cast<CNode*>(startAfter)->pNext : m_pNodeHead;
    for (; pNode != nullptr; pNode = pNode->pNext) {
        if (pNode->data == searchValue)
            return ToPosition(pNode);
    }
    return nullptr;
}
