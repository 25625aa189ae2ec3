// Helpers of the model tests: a writer of archive bytes by hand, so that expected layouts are
// spelled out independently of the code that produces them.
#pragma once

#include "tests/support/ArchiveBytes.h"

#include <afx.h>

#include <cstdint>
#include <string>
#include <vector>

// Builds archive bytes field by field: little-endian longs and words, short
// strings with their one-byte length, class records and references.
class ByteWriter
{
public:
    ByteWriter& Long(int32_t lValue)
    {
        for (int i = 0; i < 4; ++i)
            m_bytes.push_back(BYTE(uint32_t(lValue) >> (8 * i)));
        return *this;
    }
    ByteWriter& Word(uint16_t wValue)
    {
        m_bytes.push_back(BYTE(wValue));
        m_bytes.push_back(BYTE(wValue >> 8));
        return *this;
    }
    ByteWriter& Str(const std::string& str)
    {
        m_bytes.push_back(BYTE(str.size()));
        m_bytes.insert(m_bytes.end(), str.begin(), str.end());
        return *this;
    }
    // A new-class record of schema 0.
    ByteWriter& NewClass(const std::string& strName)
    {
        Word(0xFFFF).Word(0).Word(uint16_t(strName.size()));
        m_bytes.insert(m_bytes.end(), strName.begin(), strName.end());
        return *this;
    }
    ByteWriter& ClassRef(uint16_t nIndex) { return Word(uint16_t(0x8000 | nIndex)); }
    ByteWriter& ObjectRef(uint16_t nIndex) { return Word(nIndex); }
    ByteWriter& Null() { return Word(0); }
    ByteWriter& Append(const Bytes& bytes)
    {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }
    const Bytes& Get() const { return m_bytes; }

private:
    Bytes m_bytes;
};
