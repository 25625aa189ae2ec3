// Doubly linked list of untyped pointers, iterated with POSITION cookies. The
// list never owns what its items point to. A POSITION stays valid while other
// items are added or removed, so a walk may remove the item it just passed.
#pragma once

#include <afx.h>

#include "../core/AfxNodeList.h"

class AFX_API CPtrList : public CObject
{
public:
    explicit CPtrList(int nBlockSize = 10);
    ~CPtrList() override;

    int GetCount() const { return m_list.GetCount(); }
    BOOL IsEmpty() const { return m_list.GetCount() == 0; }

    void* GetHead() const;
    void* GetTail() const;
    POSITION AddHead(void* newElement);
    POSITION AddTail(void* newElement);
    void* RemoveHead();
    void* RemoveTail();
    void RemoveAll();

    POSITION GetHeadPosition() const;
    POSITION GetTailPosition() const;
    void* GetNext(POSITION& rPosition) const;
    void* GetPrev(POSITION& rPosition) const;
    void* GetAt(POSITION position) const;
    void SetAt(POSITION position, void* newElement);
    void RemoveAt(POSITION position);
    // The first position holding searchValue after startAfter (or from the
    // head), null when there is none.
    POSITION Find(const void* searchValue, POSITION startAfter = nullptr) const;

private:
    CAfxNodeList<void*> m_list;
};
