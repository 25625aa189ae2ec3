// Narrow byte string in the process's ANSI code page.
//
// Bytes are never interpreted except by Compare, which orders them as the
// platform's multibyte comparison does on a single-byte code page: by
// unsigned byte value, a proper prefix first.
#pragma once

#include "AfxTypes.h"

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

class AFX_API CString
{
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(LPCSTR psz) : m_str(psz != nullptr ? psz : "") {}
    CString(LPCSTR pch, int nLength);
    CString(char ch, int nRepeat = 1);
    explicit CString(std::string_view sv);
    ~CString() = default;

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(LPCSTR psz);
    CString& operator=(char ch);

    int GetLength() const { return int(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    char GetAt(int nIndex) const { return m_str[size_t(nIndex)]; }
    char operator[](int nIndex) const { return m_str[size_t(nIndex)]; }
    void SetAt(int nIndex, char ch) { m_str[size_t(nIndex)] = ch; }
    operator LPCSTR() const { return m_str.c_str(); }
    LPCSTR GetString() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }

    CString& operator+=(const CString& s);
    CString& operator+=(LPCSTR psz);
    CString& operator+=(char ch);
    friend AFX_API CString operator+(const CString& a, const CString& b);
    friend AFX_API CString operator+(const CString& a, LPCSTR b);
    friend AFX_API CString operator+(LPCSTR a, const CString& b);
    friend AFX_API CString operator+(const CString& a, char b);

    // <0, 0, >0 as the platform's _mbscmp on a single-byte code page.
    int Compare(LPCSTR psz) const;
    // The same answer for another string, but inline and a word at a time:
    // collections compare keys at every level of every descent.
    int Compare(const CString& s) const;
    int CompareNoCase(LPCSTR psz) const;

    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    int Find(char ch) const;
    int Find(LPCSTR pszSub) const;
    int ReverseFind(char ch) const;

    // printf semantics.
    void Format(LPCSTR pszFormat, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(LPCSTR pszFormat, va_list args);

    // From the current module's string table, in the process's UI language.
    BOOL LoadString(UINT nID);

    // A writable buffer of at least nMinBufLength characters plus a zero.
    // ReleaseBuffer(-1) takes the length from the first zero.
    LPSTR GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);
    LPSTR GetBufferSetLength(int nNewLength);

private:
    std::string m_str;
};

// Both strings end in a zero at their length, so the shorter length plus one
// bytes are readable in each; they are compared a word at a time, the last
// word overlapping the one before. Where a word differs, or holds a zero, the
// first such byte decides as _mbscmp would: bytes past a zero that both
// strings share do not count.
namespace AfxCompare
{
template <class Word> inline Word ToBigEndian(Word w)
{
    if constexpr (sizeof(Word) == 8)
        return __builtin_bswap64(w);
    else
        return __builtin_bswap32(w);
}

template <class Word>
inline int Words(const unsigned char* a, const unsigned char* b, size_t nReadable)
{
    constexpr Word nOnes = Word(~Word(0)) / 0xFF;
    constexpr Word nHighs = nOnes << 7;
    for (size_t nAt = 0;; nAt += sizeof(Word)) {
        if (nAt + sizeof(Word) > nReadable)
            nAt = nReadable - sizeof(Word);
        Word x;
        Word y;
        std::memcpy(&x, a + nAt, sizeof(Word));
        std::memcpy(&y, b + nAt, sizeof(Word));
        // The lowest flagged byte is exactly the first zero of x; the bytes
        // after it do not count, so both words are cut behind it. What is
        // left then orders as the words read with their first byte highest,
        // which needs no branch on the data.
        const Word nZeros = (x - nOnes) & ~x & nHighs;
        const Word nLowest = nZeros & (Word(0) - nZeros);
        const Word nKeep = nZeros != 0 ? Word(nLowest << 1) - 1 : Word(~Word(0));
        x &= nKeep;
        y &= nKeep;
        if (x != y)
            return ToBigEndian(x) < ToBigEndian(y) ? -1 : 1;
        if (nZeros != 0 || nAt + sizeof(Word) >= nReadable)
            return 0;
    }
}

inline int Bytes(const unsigned char* a, const unsigned char* b)
{
    for (;; ++a, ++b) {
        if (*a != *b)
            return *a < *b ? -1 : 1;
        if (*a == 0)
            return 0;
    }
}
} // namespace AfxCompare

inline int CString::Compare(const CString& s) const
{
    const auto* a = reinterpret_cast<const unsigned char*>(m_str.c_str());
    const auto* b = reinterpret_cast<const unsigned char*>(s.m_str.c_str());
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    const size_t nReadable = std::min(m_str.size(), s.m_str.size()) + 1;
    if (nReadable >= 8)
        return AfxCompare::Words<uint64_t>(a, b, nReadable);
    if (nReadable >= 4)
        return AfxCompare::Words<uint32_t>(a, b, nReadable);
#endif
    return AfxCompare::Bytes(a, b);
}

AFX_API bool operator==(const CString& a, const CString& b);
AFX_API bool operator==(const CString& a, LPCSTR b);
AFX_API bool operator<(const CString& a, const CString& b);

// The platform runtime's multibyte comparison on a single-byte code page.
AFX_API int _mbscmp(const unsigned char* a, const unsigned char* b);

template <> struct std::hash<CString> {
    size_t operator()(const CString& s) const noexcept { return std::hash<std::string>()(s.str()); }
};
