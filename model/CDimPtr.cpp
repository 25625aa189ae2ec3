#include "model/CDimPtr.h"

#include <algorithm>
#include <climits>
#include <utility>

CDimPtr::CDimPtr() = default;

CDimPtr::~CDimPtr()
{
    FreeData();
}

void CDimPtr::FreeData()
{
    if (!IsInline())
        delete[] m_pData;
    m_pData = nullptr;
}

BOOL CDimPtr::RemoveAll()
{
    FreeData();
    m_nSize = 0;
    m_nCapacity = 0;
    return TRUE;
}

BOOL CDimPtr::SetSize(int nSize)
{
    // The new storage comes before the old goes: a collection whose index
    // fails to grow keeps the index it had, which still matches its items.
    if (nSize > 0 && nSize <= nInline) {
        RemoveAll();
        std::fill(m_aInline, m_aInline + nInline, nullptr);
        m_pData = m_aInline;
        m_nSize = nSize;
        m_nCapacity = nInline;
        return TRUE;
    }
    CObBase** pData = nSize > 0 ? new CObBase*[size_t(nSize)]() : nullptr;
    RemoveAll();
    if (pData != nullptr) {
        m_pData = pData;
        m_nSize = nSize;
        m_nCapacity = nSize;
    }
    return TRUE;
}

int CDimPtr::ClampIndex(int nIndex) const
{
    if (nIndex >= m_nSize)
        return m_nSize - 1;
    if (nIndex < 0)
        return 0;
    return nIndex;
}

CObBase*& CDimPtr::GetAt(int nIndex)
{
    if (m_nSize == 0) {
        m_pSpare = nullptr;
        return m_pSpare;
    }
    return m_pData[ClampIndex(nIndex)];
}

CObBase* CDimPtr::GetAt(int nIndex) const
{
    if (m_nSize == 0)
        return nullptr;
    return m_pData[ClampIndex(nIndex)];
}

BOOL CDimPtr::Copy(const CDimPtr& src)
{
    if (&src == this)
        return TRUE;
    SetSize(src.m_nSize);
    std::copy(src.m_pData, src.m_pData + src.m_nSize, m_pData);
    return TRUE;
}

void CDimPtr::Reallocate(int nCapacity, int nKeep)
{
    CObBase** pNew = new CObBase*[size_t(nCapacity)]();
    std::copy(m_pData, m_pData + nKeep, pNew);
    FreeData();
    m_pData = pNew;
    m_nCapacity = nCapacity;
}

BOOL CDimPtr::Add(CObBase* pItem)
{
    if (pItem == nullptr || m_nSize == INT_MAX)
        return FALSE;
    if (m_nCapacity == 0) {
        m_pData = m_aInline;
        m_nCapacity = nInline;
    } else if (m_nSize == m_nCapacity) {
        const int nGrow = std::max(4, m_nCapacity / 2);
        Reallocate(m_nCapacity > INT_MAX - nGrow ? INT_MAX : m_nCapacity + nGrow, m_nSize);
    }
    m_pData[m_nSize++] = pItem;
    return TRUE;
}

void CDimPtr::Swap(CDimPtr& other) noexcept
{
    // Inline items move with their array; a heap block only changes hands.
    std::swap(m_aInline, other.m_aInline);
    const bool bInline = IsInline();
    const bool bOtherInline = other.IsInline();
    std::swap(m_pData, other.m_pData);
    if (bInline)
        other.m_pData = other.m_aInline;
    if (bOtherInline)
        m_pData = m_aInline;
    std::swap(m_nSize, other.m_nSize);
    std::swap(m_nCapacity, other.m_nCapacity);
    std::swap(m_pSpare, other.m_pSpare);
}
