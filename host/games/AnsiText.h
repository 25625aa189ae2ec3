// The boundary between the game files (UTF-8) and the plug-in (narrow bytes
// in the process's ANSI code page). Names are converted once, when read, so
// that a name the code page cannot hold is found then instead of reaching
// the plug-in mangled.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

class AnsiText
{
public:
    // Nothing when the text is not valid UTF-8 or holds a character the
    // code page lacks. ASCII passes through without a conversion.
    static std::optional<std::string> fromUtf8(std::string_view utf8);
    // The text in the code page, whatever it holds: what the code page can
    // hold is kept, every other run of characters is transliterated to its
    // nearest Latin letters ("Piłsudski" to "Pilsudski"), and what has no
    // such form becomes '?'. Bytes that are not UTF-8 count as one unknown
    // character each.
    static std::string fold(std::string_view utf8);
    // The message part for a text that could not be converted.
    static QString unrepresentable(std::string_view utf8);

    Q_DECLARE_TR_FUNCTIONS(AnsiText)
};
