// Names as kvdump shows them: chart files hold narrow text in the process's
// ANSI code page; output is UTF-8.
#pragma once

#include <afx.h>

#include <cstdio>
#include <string>

inline std::string toUtf8(const CString& text)
{
    return AfxAnsiToUtf8(std::string_view(text.GetString(), size_t(text.GetLength())));
}

// A name for a one-line message: in quotes, UTF-8, with control characters,
// quotes and backslashes escaped, so that a hostile name cannot break the line.
inline std::string quoted(const CString& text)
{
    std::string out = "\"";
    for (const char ch : toUtf8(text)) {
        if (static_cast<unsigned char>(ch) < 0x20 || ch == '"' || ch == '\\' || ch == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X",
                          unsigned(static_cast<unsigned char>(ch)));
            out += escaped;
        } else {
            out += ch;
        }
    }
    return out + '"';
}
