// Where narrow text meets Qt. Everything the class library holds as text is
// bytes in the process's ANSI code page; these two helpers are the one place
// that crosses over to Qt's UTF-16 strings.
#pragma once

#include <afx.h>

#include <QString>

// nCount < 0 takes the bytes up to the terminating zero; a null pointer gives
// an empty string. Bytes the code page leaves undefined become U+FFFD.
AFX_API QString AfxToQString(LPCSTR lpsz, int nCount = -1);
AFX_API QString AfxToQString(const CString& str);

// FALSE, with rAnsi untouched, when a character has no place in the code page.
AFX_API BOOL AfxFromQString(const QString& str, CString& rAnsi);
// For text that must come back whatever it holds (a window's title): a
// character the code page lacks becomes '?', as the platform's own
// conversion with its default character does.
AFX_API CString AfxFromQStringLossy(const QString& str);
