// An array of borrowed object pointers: a collection's index and the result
// list of its searches. It owns its storage, never the objects.
#pragma once

#include <afx.h>

class CObBase;

class CDimPtr
{
public:
    CDimPtr();
    ~CDimPtr();
    CDimPtr(const CDimPtr&) = delete;
    CDimPtr& operator=(const CDimPtr&) = delete;

    BOOL RemoveAll();
    // Old contents are dropped; new slots hold null. A negative count
    // leaves the array empty; a failed allocation leaves it as it was.
    BOOL SetSize(int nSize);
    // Indexes past either end are clamped to the first or the last slot.
    // On an empty array it answers a spare slot holding null, so a caller
    // that forgot to test GetSize reads null instead of wild memory.
    CObBase*& GetAt(int nIndex);
    CObBase* GetAt(int nIndex) const;
    int GetSize() const { return m_nSize; }
    BOOL Copy(const CDimPtr& src);
    // A null pointer is refused with FALSE and the array is left unchanged.
    BOOL Add(CObBase* pItem);
    void Swap(CDimPtr& other) noexcept;

private:
    // A search usually finds a handful of items; that many fit in the array
    // itself, so a result list costs no heap block.
    static constexpr int nInline = 4;

    int ClampIndex(int nIndex) const;
    void Reallocate(int nCapacity, int nKeep);
    bool IsInline() const { return m_pData == m_aInline; }
    void FreeData();

    CObBase** m_pData = nullptr;
    int m_nSize = 0;
    // Storage grows geometrically, so a search that appends many results
    // costs linear rather than quadratic time.
    int m_nCapacity = 0;
    CObBase* m_pSpare = nullptr;
    CObBase* m_aInline[nInline] = {};
};
