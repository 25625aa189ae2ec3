// Narrow byte string.
#include "CString.h"

#include "AfxModuleState.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

CString::CString(LPCSTR pch, int nLength)
{
    if (pch != nullptr && nLength > 0)
        m_str.assign(pch, size_t(nLength));
}

CString::CString(char ch, int nRepeat)
{
    if (nRepeat > 0)
        m_str.assign(size_t(nRepeat), ch);
}

CString::CString(std::string_view sv) : m_str(sv) {}

CString& CString::operator=(LPCSTR psz)
{
    if (psz == nullptr)
        m_str.clear();
    else
        m_str = psz;
    return *this;
}

CString& CString::operator=(char ch)
{
    m_str.assign(1, ch);
    return *this;
}

CString& CString::operator+=(const CString& s)
{
    m_str += s.m_str;
    return *this;
}

CString& CString::operator+=(LPCSTR psz)
{
    if (psz != nullptr)
        m_str += psz;
    return *this;
}

CString& CString::operator+=(char ch)
{
    m_str += ch;
    return *this;
}

CString operator+(const CString& a, const CString& b)
{
    CString s(a);
    s += b;
    return s;
}

CString operator+(const CString& a, LPCSTR b)
{
    CString s(a);
    s += b;
    return s;
}

CString operator+(LPCSTR a, const CString& b)
{
    CString s(a);
    s += b;
    return s;
}

CString operator+(const CString& a, char b)
{
    CString s(a);
    s += b;
    return s;
}

int _mbscmp(const unsigned char* a, const unsigned char* b)
{
    for (;; ++a, ++b) {
        if (*a != *b)
            return *a < *b ? -1 : 1;
        if (*a == 0)
            return 0;
    }
}

int CString::Compare(LPCSTR psz) const
{
    return _mbscmp(reinterpret_cast<const unsigned char*>(m_str.c_str()),
                   reinterpret_cast<const unsigned char*>(psz != nullptr ? psz : ""));
}

int CString::CompareNoCase(LPCSTR psz) const
{
    // Only ASCII letters fold: the code page's other letters are compared as
    // bytes, as the runtime does in the "C" locale.
    auto fold = [](unsigned char c) -> unsigned char {
        return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
    };
    const auto* a = reinterpret_cast<const unsigned char*>(m_str.c_str());
    const auto* b = reinterpret_cast<const unsigned char*>(psz != nullptr ? psz : "");
    for (;; ++a, ++b) {
        unsigned char ca = fold(*a);
        unsigned char cb = fold(*b);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength() - std::max(nFirst, 0));
}

CString CString::Mid(int nFirst, int nCount) const
{
    nFirst = std::clamp(nFirst, 0, GetLength());
    nCount = std::clamp(nCount, 0, GetLength() - nFirst);
    return CString(std::string_view(m_str).substr(size_t(nFirst), size_t(nCount)));
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    nCount = std::clamp(nCount, 0, GetLength());
    return Mid(GetLength() - nCount, nCount);
}

int CString::Find(char ch) const
{
    size_t n = m_str.find(ch);
    return n == std::string::npos ? -1 : int(n);
}

int CString::Find(LPCSTR pszSub) const
{
    size_t n = m_str.find(pszSub != nullptr ? pszSub : "");
    return n == std::string::npos ? -1 : int(n);
}

int CString::ReverseFind(char ch) const
{
    size_t n = m_str.rfind(ch);
    return n == std::string::npos ? -1 : int(n);
}

void CString::Format(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::FormatV(LPCSTR pszFormat, va_list args)
{
    if (pszFormat == nullptr) {
        m_str.clear();
        return;
    }
    va_list argsCopy;
    va_copy(argsCopy, args);
    int nLength = std::vsnprintf(nullptr, 0, pszFormat, argsCopy);
    va_end(argsCopy);
    if (nLength < 0) {
        m_str.clear();
        return;
    }
    std::string result(size_t(nLength) + 1, '\0');
    std::vsnprintf(result.data(), result.size(), pszFormat, args);
    result.resize(size_t(nLength));
    m_str = std::move(result);
}

BOOL CString::LoadString(UINT nID)
{
    if (AfxGetModuleState()->LoadString(nID, *this))
        return TRUE;
    m_str.clear();
    return FALSE;
}

LPSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        m_str.resize(size_t(nMinBufLength));
    return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = int(strnlen(m_str.data(), m_str.size()));
    m_str.resize(size_t(std::min(nNewLength, GetLength())));
}

LPSTR CString::GetBufferSetLength(int nNewLength)
{
    m_str.resize(size_t(std::max(nNewLength, 0)));
    return m_str.data();
}

bool operator==(const CString& a, const CString& b)
{
    return a.str() == b.str();
}

bool operator==(const CString& a, LPCSTR b)
{
    return b != nullptr ? a.str() == b : a.IsEmpty();
}

// std::string orders chars as unsigned bytes with a proper prefix first, which
// is _mbscmp's order on a single-byte code page, and it also sees past an
// embedded zero, so == and < agree for every value.
bool operator<(const CString& a, const CString& b)
{
    return a.str() < b.str();
}
