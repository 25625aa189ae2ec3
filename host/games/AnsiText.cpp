#include "AnsiText.h"

#include <afx.h>

#include <algorithm>

std::optional<std::string> AnsiText::fromUtf8(std::string_view utf8)
{
    const bool ascii =
        std::all_of(utf8.begin(), utf8.end(), [](char c) { return (unsigned char)c < 0x80; });
    if (ascii)
        return std::string(utf8);
    CString ansi;
    if (!AfxUtf8ToAnsi(utf8, ansi))
        return std::nullopt;
    return ansi.str();
}

QString AnsiText::unrepresentable(std::string_view utf8)
{
    // Bytes that are not UTF-8 come back changed from a round trip through
    // QString; such a file was most likely saved in a legacy code page.
    const QByteArray bytes(utf8.data(), qsizetype(utf8.size()));
    if (QString::fromUtf8(bytes).toUtf8() != bytes)
        return QStringLiteral("\"%1\" is not UTF-8 text").arg(QString::fromUtf8(bytes));
    return QStringLiteral("\"%1\" cannot be written in the ANSI code page %2")
        .arg(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())))
        .arg(AfxGetAnsiCodePage());
}
