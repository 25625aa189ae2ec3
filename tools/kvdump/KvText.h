// Names as kvdump shows them: chart files hold narrow text in the process's
// ANSI code page; output is UTF-8.
#pragma once

#include <afx.h>

#include <string>

inline std::string toUtf8(const CString& text)
{
    return AfxAnsiToUtf8(std::string_view(text.GetString(), size_t(text.GetLength())));
}
