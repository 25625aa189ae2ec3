#include "AnsiText.h"

#include <afx.h>

#include <unicode/translit.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <memory>

namespace
{
bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return (unsigned char)c < 0x80; });
}

// Built once per thread: making one costs far more than using it, and a
// transliterator must not be used from two threads at once.
const icu::Transliterator* latinFolder()
{
    thread_local std::unique_ptr<icu::Transliterator> folder = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> made(
            icu::Transliterator::createInstance("Any-Latin; Latin-ASCII", UTRANS_FORWARD, status));
        return U_SUCCESS(status) ? std::move(made) : nullptr;
    }();
    return folder.get();
}

// A run the code page cannot hold, in its nearest ASCII form; '?' for each
// character that keeps no such form (an emoji, say).
std::string transliterate(const icu::UnicodeString& run)
{
    if (run.isEmpty())
        return {};
    icu::UnicodeString latin = run;
    if (const icu::Transliterator* folder = latinFolder())
        folder->transliterate(latin);
    std::string utf8;
    latin.toUTF8String(utf8);
    std::string out;
    for (char c : utf8) {
        if ((unsigned char)c < 0x80)
            out += c;
        else if (((unsigned char)c & 0xC0) != 0x80)
            out += '?';
    }
    return out;
}

bool holds(const icu::UnicodeString& text, std::string& ansi)
{
    std::string utf8;
    text.toUTF8String(utf8);
    CString converted;
    if (!AfxUtf8ToAnsi(utf8, converted))
        return false;
    ansi = converted.str();
    return true;
}
} // namespace

std::optional<std::string> AnsiText::fromUtf8(std::string_view utf8)
{
    if (isAscii(utf8))
        return std::string(utf8);
    CString ansi;
    if (!AfxUtf8ToAnsi(utf8, ansi))
        return std::nullopt;
    return ansi.str();
}

std::string AnsiText::fold(std::string_view utf8)
{
    if (std::optional<std::string> kept = fromUtf8(utf8))
        return std::move(*kept);
    // Character by character, so that what the code page holds stays as it
    // is; what it lacks is gathered into runs, since a script's
    // transliteration reads a character in its context.
    std::string out;
    icu::UnicodeString lacking;
    const auto* bytes = reinterpret_cast<const uint8_t*>(utf8.data());
    const auto length = int32_t(std::min<size_t>(utf8.size(), INT32_MAX));
    for (int32_t i = 0; i < length;) {
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        std::string ansi;
        const icu::UnicodeString character(c < 0 ? UChar32(0xFFFD) : c);
        if (c >= 0 && holds(character, ansi)) {
            out += transliterate(lacking);
            lacking.remove();
            out += ansi;
        } else {
            lacking += character;
        }
    }
    out += transliterate(lacking);
    return out;
}

QString AnsiText::unrepresentable(std::string_view utf8)
{
    // Bytes that are not UTF-8 come back changed from a round trip through
    // QString; such a file was most likely saved in a legacy code page.
    const QByteArray bytes(utf8.data(), qsizetype(utf8.size()));
    if (QString::fromUtf8(bytes).toUtf8() != bytes)
        return AnsiText::tr("\"%1\" is not UTF-8 text").arg(QString::fromUtf8(bytes));
    return AnsiText::tr("\"%1\" cannot be written in the ANSI code page %2")
        .arg(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())))
        .arg(AfxGetAnsiCodePage());
}
