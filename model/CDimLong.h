// A serializable array of 32-bit values. Only an archive creates one.
#pragma once

#include <afx.h>

class CDimLong : public CObject
{
    DECLARE_SERIAL(CDimLong)
public:
    CDimLong();
    ~CDimLong() override;

    // A count, then the values from the last to the first.
    void Serialize(CArchive& ar) override;

    // Old values are dropped; new ones are zero. A count of 0 or below
    // leaves the array empty.
    BOOL SetSize(LONG nSize);
    LONG GetSize() const { return m_nSize; }
    LONG GetAt(LONG nIndex) const { return m_plData[nIndex]; }
    void SetAt(LONG nIndex, LONG lValue) { m_plData[nIndex] = lValue; }

protected:
    LONG m_nSize = 0;
    LONG* m_plData = nullptr;
};
