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
    // The same answer for another string, inline: collections compare keys
    // at every level of every descent.
    int Compare(const CString& s) const
    {
        // strcmp compares as unsigned bytes and stops at the first zero, as
        // _mbscmp does on a single-byte code page.
        const int nOrder = std::strcmp(m_str.c_str(), s.m_str.c_str());
        return nOrder < 0 ? -1 : nOrder > 0 ? 1 : 0;
    }
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

AFX_API bool operator==(const CString& a, const CString& b);
AFX_API bool operator==(const CString& a, LPCSTR b);
AFX_API bool operator<(const CString& a, const CString& b);

// The platform runtime's multibyte comparison on a single-byte code page.
AFX_API int _mbscmp(const unsigned char* a, const unsigned char* b);

template <> struct std::hash<CString> {
    size_t operator()(const CString& s) const noexcept { return std::hash<std::string>()(s.str()); }
};
