// Doubly linked list of strings, iterated with POSITION cookies.
#pragma once

#include "AfxNodeList.h"
#include "CObject.h"
#include "CString.h"

class AFX_API CStringList : public CObject
{
public:
    explicit CStringList(int nBlockSize = 10);
    ~CStringList() override;

    int GetCount() const { return m_list.GetCount(); }
    BOOL IsEmpty() const { return m_list.GetCount() == 0; }

    CString& GetHead();
    const CString& GetHead() const;
    CString& GetTail();
    const CString& GetTail() const;

    POSITION AddHead(const CString& newElement);
    POSITION AddTail(const CString& newElement);
    CString RemoveHead();
    CString RemoveTail();
    void RemoveAll();

    POSITION GetHeadPosition() const;
    POSITION GetTailPosition() const;
    CString& GetNext(POSITION& rPosition);
    const CString& GetNext(POSITION& rPosition) const;
    CString& GetPrev(POSITION& rPosition);
    const CString& GetPrev(POSITION& rPosition) const;
    CString& GetAt(POSITION position);
    const CString& GetAt(POSITION position) const;
    void RemoveAt(POSITION position);
    POSITION Find(LPCSTR searchValue, POSITION startAfter = nullptr) const;

private:
    CAfxNodeList<CString> m_list;
    [[maybe_unused]] int m_nBlockSize; // kept for the original's signature
};
