#include "AfxQtText.h"

#include <cstring>
#include <string_view>

namespace
{

BOOL IsPlainAscii(std::string_view bytes)
{
    for (char ch : bytes) {
        if (static_cast<unsigned char>(ch) >= 0x80)
            return FALSE;
    }
    return TRUE;
}

} // namespace

QString AfxToQString(LPCSTR lpsz, int nCount)
{
    if (lpsz == nullptr || nCount == 0)
        return QString();
    // A count longer than the string stops at its terminating zero instead
    // of reading past it.
    const size_t nLength = nCount < 0 ? std::strlen(lpsz) : strnlen(lpsz, size_t(nCount));
    const std::string_view bytes(lpsz, nLength);
    // Text drawn by the chart is mostly ASCII; skip the code-page table then.
    if (IsPlainAscii(bytes))
        return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    const std::string utf8 = AfxAnsiToUtf8(bytes);
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

QString AfxToQString(const CString& str)
{
    const std::string& bytes = str.str();
    if (IsPlainAscii(bytes))
        return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    const std::string utf8 = AfxAnsiToUtf8(bytes);
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

BOOL AfxFromQString(const QString& str, CString& rAnsi)
{
    const QByteArray utf8 = str.toUtf8();
    return AfxUtf8ToAnsi(std::string_view(utf8.constData(), size_t(utf8.size())), rAnsi);
}

CString AfxFromQStringLossy(const QString& str)
{
    return AfxUtf16ToAnsi(
        std::u16string_view(reinterpret_cast<const char16_t*>(str.utf16()), size_t(str.size())));
}
