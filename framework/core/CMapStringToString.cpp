// Chained hash map of strings. The table is allocated at the first insert
// with the size InitHashTable chose; a POSITION is the address of the next
// association to hand out.
#include "CMapStringToString.h"

#include <cstring>
#include <memory>

CMapStringToString::CMapStringToString(int nBlockSize)
    : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10)
{
}

CMapStringToString::~CMapStringToString()
{
    RemoveAll();
}

UINT CMapStringToString::HashKey(LPCSTR key)
{
    UINT nHash = 0;
    for (const auto* p = reinterpret_cast<const unsigned char*>(key); *p != 0; ++p)
        nHash = (nHash << 5) + nHash + *p;
    return nHash;
}

void CMapStringToString::InitHashTable(UINT hashSize)
{
    if (hashSize == 0)
        hashSize = 1;
    // Entries already present move to the new table rather than being lost.
    CAssoc** pNewTable = new CAssoc*[hashSize]();
    if (m_pHashTable != nullptr) {
        for (UINT nBucket = 0; nBucket < m_nHashTableSize; ++nBucket) {
            CAssoc* pAssoc = m_pHashTable[nBucket];
            while (pAssoc != nullptr) {
                CAssoc* pNext = pAssoc->pNext;
                UINT nNewBucket = pAssoc->nHashValue % hashSize;
                pAssoc->pNext = pNewTable[nNewBucket];
                pNewTable[nNewBucket] = pAssoc;
                pAssoc = pNext;
            }
        }
        delete[] m_pHashTable;
    }
    m_pHashTable = pNewTable;
    m_nHashTableSize = hashSize;
}

CMapStringToString::CAssoc* CMapStringToString::GetAssocAt(LPCSTR key, UINT& nHash) const
{
    if (key == nullptr)
        key = "";
    nHash = HashKey(key);
    if (m_pHashTable == nullptr)
        return nullptr;
    for (CAssoc* pAssoc = m_pHashTable[nHash % m_nHashTableSize]; pAssoc != nullptr;
         pAssoc = pAssoc->pNext) {
        if (pAssoc->nHashValue == nHash && std::strcmp(pAssoc->key, key) == 0)
            return pAssoc;
    }
    return nullptr;
}

BOOL CMapStringToString::Lookup(LPCSTR key, CString& rValue) const
{
    UINT nHash;
    const CAssoc* pAssoc = GetAssocAt(key, nHash);
    if (pAssoc == nullptr)
        return FALSE;
    rValue = pAssoc->value;
    return TRUE;
}

BOOL CMapStringToString::LookupKey(LPCSTR key, LPCSTR& rKey) const
{
    UINT nHash;
    const CAssoc* pAssoc = GetAssocAt(key, nHash);
    if (pAssoc == nullptr)
        return FALSE;
    rKey = pAssoc->key;
    return TRUE;
}

CString& CMapStringToString::operator[](LPCSTR key)
{
    UINT nHash;
    CAssoc* pAssoc = GetAssocAt(key, nHash);
    if (pAssoc != nullptr)
        return pAssoc->value;
    if (m_pHashTable == nullptr)
        InitHashTable(m_nHashTableSize);
    // The entry is whole, key copied, before the table links it: a copy that
    // fails frees the entry instead of losing it.
    auto pNew = std::make_unique<CAssoc>();
    pNew->nHashValue = nHash;
    pNew->key = key;
    pAssoc = pNew.release();
    UINT nBucket = nHash % m_nHashTableSize;
    pAssoc->pNext = m_pHashTable[nBucket];
    m_pHashTable[nBucket] = pAssoc;
    ++m_nCount;
    return pAssoc->value;
}

void CMapStringToString::SetAt(LPCSTR key, LPCSTR newValue)
{
    (*this)[key] = newValue;
}

BOOL CMapStringToString::RemoveKey(LPCSTR key)
{
    if (m_pHashTable == nullptr)
        return FALSE;
    if (key == nullptr)
        key = "";
    UINT nHash = HashKey(key);
    CAssoc** ppLink = &m_pHashTable[nHash % m_nHashTableSize];
    for (CAssoc* pAssoc = *ppLink; pAssoc != nullptr; ppLink = &pAssoc->pNext, pAssoc = *ppLink) {
        if (pAssoc->nHashValue == nHash && std::strcmp(pAssoc->key, key) == 0) {
            *ppLink = pAssoc->pNext;
            delete pAssoc;
            --m_nCount;
            return TRUE;
        }
    }
    return FALSE;
}

void CMapStringToString::RemoveAll()
{
    if (m_pHashTable != nullptr) {
        for (UINT nBucket = 0; nBucket < m_nHashTableSize; ++nBucket) {
            CAssoc* pAssoc = m_pHashTable[nBucket];
            while (pAssoc != nullptr) {
                CAssoc* pNext = pAssoc->pNext;
                delete pAssoc;
                pAssoc = pNext;
            }
        }
        delete[] m_pHashTable;
        m_pHashTable = nullptr;
    }
    m_nCount = 0;
}

POSITION CMapStringToString::GetStartPosition() const
{
    if (m_pHashTable == nullptr)
        return nullptr;
    for (UINT nBucket = 0; nBucket < m_nHashTableSize; ++nBucket) {
        if (m_pHashTable[nBucket] != nullptr)
            return reinterpret_cast<POSITION>(m_pHashTable[nBucket]);
    }
    return nullptr;
}

void CMapStringToString::GetNextAssoc(POSITION& rNextPosition, CString& rKey, CString& rValue) const
{
    const CAssoc* pAssoc = reinterpret_cast<const CAssoc*>(rNextPosition);
    rKey = pAssoc->key;
    rValue = pAssoc->value;
    const CAssoc* pNext = pAssoc->pNext;
    for (UINT nBucket = pAssoc->nHashValue % m_nHashTableSize + 1;
         pNext == nullptr && nBucket < m_nHashTableSize; ++nBucket)
        pNext = m_pHashTable[nBucket];
    rNextPosition = reinterpret_cast<POSITION>(const_cast<CAssoc*>(pNext));
}
