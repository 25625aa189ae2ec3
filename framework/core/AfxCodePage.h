// The process's ANSI code page. Text at the plug-in boundary and in archives
// is narrow bytes in this code page (Windows-1251 unless changed); it is
// converted only where it meets the user interface or UTF-8 files.
#pragma once

#include "AfxTypes.h"
#include "CString.h"

#include <string>
#include <string_view>

AFX_API UINT AfxGetAnsiCodePage();
AFX_API void AfxSetAnsiCodePage(UINT nCodePage); // e.g. 1251, 1252

// ANSI bytes to UTF-8. Bytes the code page leaves undefined become U+FFFD.
AFX_API std::string AfxAnsiToUtf8(std::string_view ansi);
// UTF-8 to ANSI bytes; FALSE (and rAnsi untouched) when a character has no
// place in the code page or the input is not valid UTF-8.
AFX_API BOOL AfxUtf8ToAnsi(std::string_view utf8, CString& rAnsi);
// UTF-16 text (as archives of wide-character builds hold it) to ANSI bytes;
// a character the code page lacks, or a lone surrogate, becomes '?', as the
// platform's conversion with its default character does.
AFX_API CString AfxUtf16ToAnsi(std::u16string_view utf16);
