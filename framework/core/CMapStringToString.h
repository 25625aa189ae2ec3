// Hash map of strings, the carrier of every exchange between a host and its
// plug-ins. Keys are exact and case-sensitive. Both sides of the boundary use
// this one type from the shared framework library.
#pragma once

#include "CObject.h"
#include "CString.h"

class AFX_API CMapStringToString : public CObject
{
public:
    explicit CMapStringToString(int nBlockSize = 10);
    ~CMapStringToString() override;

    int GetCount() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(LPCSTR key, CString& rValue) const;
    BOOL LookupKey(LPCSTR key, LPCSTR& rKey) const;
    CString& operator[](LPCSTR key);
    void SetAt(LPCSTR key, LPCSTR newValue);
    BOOL RemoveKey(LPCSTR key);
    void RemoveAll();

    POSITION GetStartPosition() const;
    void GetNextAssoc(POSITION& rNextPosition, CString& rKey, CString& rValue) const;

    UINT GetHashTableSize() const { return m_nHashTableSize; }
    void InitHashTable(UINT hashSize);

private:
    struct CAssoc {
        CAssoc* pNext = nullptr;
        UINT nHashValue = 0;
        CString key;
        CString value;
    };
    CAssoc* GetAssocAt(LPCSTR key, UINT& nHash) const;
    static UINT HashKey(LPCSTR key);

    CAssoc** m_pHashTable = nullptr;
    UINT m_nHashTableSize = 17;
    int m_nCount = 0;
    [[maybe_unused]] int m_nBlockSize; // kept for the original's signature
};
