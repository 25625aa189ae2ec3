// Doubly linked list of pointers, on the framework's node list. Unlike the
// string list, asking an empty list for its head or tail answers null.
#include "CPtrList.h"

CPtrList::CPtrList(int /*nBlockSize*/) {}

CPtrList::~CPtrList() = default;

void* CPtrList::GetHead() const
{
    return m_list.GetCount() != 0 ? m_list.Head() : nullptr;
}
void* CPtrList::GetTail() const
{
    return m_list.GetCount() != 0 ? m_list.Tail() : nullptr;
}

POSITION CPtrList::AddHead(void* newElement)
{
    return m_list.AddHead(newElement);
}
POSITION CPtrList::AddTail(void* newElement)
{
    return m_list.AddTail(newElement);
}

void* CPtrList::RemoveHead()
{
    void* value = GetHead();
    if (m_list.GetCount() != 0)
        m_list.RemoveAt(m_list.HeadPosition());
    return value;
}
void* CPtrList::RemoveTail()
{
    void* value = GetTail();
    if (m_list.GetCount() != 0)
        m_list.RemoveAt(m_list.TailPosition());
    return value;
}
void CPtrList::RemoveAll()
{
    m_list.RemoveAll();
}

POSITION CPtrList::GetHeadPosition() const
{
    return m_list.HeadPosition();
}
POSITION CPtrList::GetTailPosition() const
{
    return m_list.TailPosition();
}

void* CPtrList::GetNext(POSITION& rPosition) const
{
    return m_list.Next(rPosition);
}
void* CPtrList::GetPrev(POSITION& rPosition) const
{
    return m_list.Prev(rPosition);
}
void* CPtrList::GetAt(POSITION position) const
{
    return m_list.At(position);
}
void CPtrList::SetAt(POSITION position, void* newElement)
{
    m_list.At(position) = newElement;
}
void CPtrList::RemoveAt(POSITION position)
{
    m_list.RemoveAt(position);
}

POSITION CPtrList::Find(const void* searchValue, POSITION startAfter) const
{
    return m_list.Find([&](void* item) { return item == searchValue; }, startAfter);
}
