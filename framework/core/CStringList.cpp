// Doubly linked list of strings. A POSITION is the address of a node.
#include "CStringList.h"

namespace
{
template <typename Node> POSITION ToPosition(Node* pNode)
{
    return reinterpret_cast<POSITION>(pNode);
}
} // namespace

CStringList::CStringList(int nBlockSize) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}

CStringList::~CStringList()
{
    RemoveAll();
}

CString& CStringList::GetHead()
{
    return m_pNodeHead->data;
}
const CString& CStringList::GetHead() const
{
    return m_pNodeHead->data;
}
CString& CStringList::GetTail()
{
    return m_pNodeTail->data;
}
const CString& CStringList::GetTail() const
{
    return m_pNodeTail->data;
}

POSITION CStringList::AddHead(const CString& newElement)
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

POSITION CStringList::AddTail(const CString& newElement)
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

CString CStringList::RemoveHead()
{
    CString value = m_pNodeHead->data;
    RemoveAt(ToPosition(m_pNodeHead));
    return value;
}

CString CStringList::RemoveTail()
{
    CString value = m_pNodeTail->data;
    RemoveAt(ToPosition(m_pNodeTail));
    return value;
}

void CStringList::RemoveAll()
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

POSITION CStringList::GetHeadPosition() const
{
    return ToPosition(m_pNodeHead);
}
POSITION CStringList::GetTailPosition() const
{
    return ToPosition(m_pNodeTail);
}

CString& CStringList::GetNext(POSITION& rPosition)
{
    CNode* pNode = reinterpret_cast<CNode*>(rPosition);
    rPosition = ToPosition(pNode->pNext);
    return pNode->data;
}

const CString& CStringList::GetNext(POSITION& rPosition) const
{
    const CNode* pNode = reinterpret_cast<const CNode*>(rPosition);
    rPosition = ToPosition(pNode->pNext);
    return pNode->data;
}

CString& CStringList::GetPrev(POSITION& rPosition)
{
    CNode* pNode = reinterpret_cast<CNode*>(rPosition);
    rPosition = ToPosition(pNode->pPrev);
    return pNode->data;
}

const CString& CStringList::GetPrev(POSITION& rPosition) const
{
    const CNode* pNode = reinterpret_cast<const CNode*>(rPosition);
    rPosition = ToPosition(pNode->pPrev);
    return pNode->data;
}

CString& CStringList::GetAt(POSITION position)
{
    return reinterpret_cast<CNode*>(position)->data;
}

const CString& CStringList::GetAt(POSITION position) const
{
    return reinterpret_cast<const CNode*>(position)->data;
}

void CStringList::RemoveAt(POSITION position)
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

POSITION CStringList::Find(LPCSTR searchValue, POSITION startAfter) const
{
    const CNode* pNode =
        startAfter != nullptr ? reinterpret_cast<const CNode*>(startAfter)->pNext : m_pNodeHead;
    CString value(searchValue);
    for (; pNode != nullptr; pNode = pNode->pNext) {
        if (pNode->data == value)
            return ToPosition(const_cast<CNode*>(pNode));
    }
    return nullptr;
}
