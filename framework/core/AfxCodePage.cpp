// Conversions between the process's ANSI code page and Unicode, on the C
// library's iconv.
#include "AfxCodePage.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <string>

namespace
{
UINT g_nAnsiCodePage = 1251;

constexpr UINT cpUtf8 = 65001;
constexpr char szReplacementUtf8[] = "\xEF\xBF\xBD"; // U+FFFD

std::string IconvName(UINT nCodePage)
{
    if (nCodePage == cpUtf8)
        return "UTF-8";
    return "CP" + std::to_string(nCodePage);
}

// One conversion descriptor, closed on every return path.
class CIconv
{
public:
    CIconv(const std::string& to, const std::string& from)
        : m_cd(iconv_open(to.c_str(), from.c_str()))
    {
    }
    ~CIconv()
    {
        if (IsValid())
            iconv_close(m_cd);
    }
    CIconv(const CIconv&) = delete;
    CIconv& operator=(const CIconv&) = delete;

    BOOL IsValid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can; returns errno of the stop (0 when all input
    // was taken). pIn and nInLeft advance past what was converted.
    int Convert(const char*& pIn, size_t& nInLeft, std::string& out)
    {
        char buffer[256];
        while (nInLeft > 0) {
            char* pOut = buffer;
            size_t nOutLeft = sizeof(buffer);
            size_t nResult = iconv(m_cd, const_cast<char**>(&pIn), &nInLeft, &pOut, &nOutLeft);
            out.append(buffer, size_t(pOut - buffer));
            if (nResult == size_t(-1) && errno != E2BIG)
                return errno;
        }
        return 0;
    }

private:
    iconv_t m_cd;
};
} // namespace

UINT AfxGetAnsiCodePage()
{
    return g_nAnsiCodePage;
}

void AfxSetAnsiCodePage(UINT nCodePage)
{
    g_nAnsiCodePage = nCodePage;
}

std::string AfxAnsiToUtf8(std::string_view ansi)
{
    CIconv conv("UTF-8", IconvName(g_nAnsiCodePage));
    if (!conv.IsValid()) {
        // An unknown code page: keep ASCII, mark everything else.
        std::string out;
        for (char ch : ansi) {
            if (static_cast<unsigned char>(ch) < 0x80)
                out += ch;
            else
                out += szReplacementUtf8;
        }
        return out;
    }
    std::string out;
    const char* pIn = ansi.data();
    size_t nInLeft = ansi.size();
    while (conv.Convert(pIn, nInLeft, out) != 0) {
        // A byte the code page leaves undefined (or a cut double-byte
        // sequence) stands for one unknown character.
        out += szReplacementUtf8;
        ++pIn;
        --nInLeft;
    }
    return out;
}

BOOL AfxUtf8ToAnsi(std::string_view utf8, CString& rAnsi)
{
    CIconv conv(IconvName(g_nAnsiCodePage), "UTF-8");
    if (!conv.IsValid())
        return FALSE;
    std::string out;
    const char* pIn = utf8.data();
    size_t nInLeft = utf8.size();
    if (conv.Convert(pIn, nInLeft, out) != 0)
        return FALSE;
    rAnsi = CString(std::string_view(out));
    return TRUE;
}

CString AfxUtf16ToAnsi(std::u16string_view utf16)
{
    // Bytes in little-endian order whatever the host's order, since that is
    // what iconv is told.
    std::string bytes;
    bytes.reserve(utf16.size() * 2);
    for (char16_t unit : utf16) {
        bytes += char(unit & 0xFF);
        bytes += char(unit >> 8);
    }
    std::string out;
    CIconv conv(IconvName(g_nAnsiCodePage), "UTF-16LE");
    const char* pIn = bytes.data();
    size_t nInLeft = bytes.size();
    if (!conv.IsValid()) {
        for (char16_t unit : utf16)
            out += unit < 0x80 ? char(unit) : '?';
        return CString(std::string_view(out));
    }
    while (conv.Convert(pIn, nInLeft, out) != 0) {
        // A character without a place in the code page, or a lone surrogate,
        // becomes '?' as the platform's default character; a surrogate pair
        // is one character.
        size_t nSkip = 2;
        if (nInLeft >= 4) {
            unsigned unit =
                static_cast<unsigned char>(pIn[0]) | (static_cast<unsigned char>(pIn[1]) << 8);
            unsigned next =
                static_cast<unsigned char>(pIn[2]) | (static_cast<unsigned char>(pIn[3]) << 8);
            if (unit >= 0xD800 && unit < 0xDC00 && next >= 0xDC00 && next < 0xE000)
                nSkip = 4;
        }
        nSkip = std::min(nSkip, nInLeft);
        out += '?';
        pIn += nSkip;
        nInLeft -= nSkip;
    }
    return CString(std::string_view(out));
}
