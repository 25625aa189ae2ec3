// Doubly linked list of strings, on the framework's node list.
#include "CStringList.h"

CStringList::CStringList(int nBlockSize) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}

CStringList::~CStringList() = default;

CString& CStringList::GetHead()
{
    return m_list.Head();
}
const CString& CStringList::GetHead() const
{
    return m_list.Head();
}
CString& CStringList::GetTail()
{
    return m_list.Tail();
}
const CString& CStringList::GetTail() const
{
    return m_list.Tail();
}

POSITION CStringList::AddHead(const CString& newElement)
{
    return m_list.AddHead(newElement);
}
POSITION CStringList::AddTail(const CString& newElement)
{
    return m_list.AddTail(newElement);
}

CString CStringList::RemoveHead()
{
    CString value = m_list.Head();
    m_list.RemoveAt(m_list.HeadPosition());
    return value;
}
CString CStringList::RemoveTail()
{
    CString value = m_list.Tail();
    m_list.RemoveAt(m_list.TailPosition());
    return value;
}
void CStringList::RemoveAll()
{
    m_list.RemoveAll();
}

POSITION CStringList::GetHeadPosition() const
{
    return m_list.HeadPosition();
}
POSITION CStringList::GetTailPosition() const
{
    return m_list.TailPosition();
}

CString& CStringList::GetNext(POSITION& rPosition)
{
    return m_list.Next(rPosition);
}
const CString& CStringList::GetNext(POSITION& rPosition) const
{
    return m_list.Next(rPosition);
}
CString& CStringList::GetPrev(POSITION& rPosition)
{
    return m_list.Prev(rPosition);
}
const CString& CStringList::GetPrev(POSITION& rPosition) const
{
    return m_list.Prev(rPosition);
}
CString& CStringList::GetAt(POSITION position)
{
    return m_list.At(position);
}
const CString& CStringList::GetAt(POSITION position) const
{
    return m_list.At(position);
}

void CStringList::RemoveAt(POSITION position)
{
    m_list.RemoveAt(position);
}

POSITION CStringList::Find(LPCSTR searchValue, POSITION startAfter) const
{
    const CString value(searchValue);
    return m_list.Find([&](const CString& item) { return item == value; }, startAfter);
}
