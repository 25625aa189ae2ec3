// Messages to the user. The framework reports failed loads and saves here.
//
// AfxMessageBox never blocks a headless run: every message goes to one
// replaceable reporter. The default reporter shows a modal box only when an
// interactive Qt application has a visible main window; otherwise it writes
// the text to stderr and answers with the default button, as a user pressing
// Enter would.
#pragma once

#include <afx.h>

#include <functional>

// Buttons (low four bits of the type).
#ifndef MB_OK
#define MB_OK 0x00000000u
#define MB_OKCANCEL 0x00000001u
#define MB_ABORTRETRYIGNORE 0x00000002u
#define MB_YESNOCANCEL 0x00000003u
#define MB_YESNO 0x00000004u
#define MB_RETRYCANCEL 0x00000005u
#define MB_TYPEMASK 0x0000000Fu
// Icons.
#define MB_ICONHAND 0x00000010u
#define MB_ICONQUESTION 0x00000020u
#define MB_ICONEXCLAMATION 0x00000030u
#define MB_ICONASTERISK 0x00000040u
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_ICONMASK 0x000000F0u
// Which button answers Enter.
#define MB_DEFBUTTON1 0x00000000u
#define MB_DEFBUTTON2 0x00000100u
#define MB_DEFBUTTON3 0x00000200u
#define MB_DEFMASK 0x00000F00u
#endif

// Answers.
#ifndef IDOK
#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7
#endif

// Receives the text (ANSI bytes) and the MB_ type; returns the ID answer.
typedef std::function<int(const CString& strText, UINT nType)> AFX_MESSAGE_REPORTER;

// Installs a reporter and returns the one it replaces. An empty function puts
// the default reporter back. Meant for the user-interface thread only.
AFX_API AFX_MESSAGE_REPORTER AfxSetMessageReporter(AFX_MESSAGE_REPORTER reporter);

// Reports through the current reporter and returns its answer.
AFX_API int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text of string nIDPrompt of the current module's string table.
AFX_API int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = UINT(-1));

// The answer that the default button of nType gives.
AFX_API int AfxGetDefaultMessageAnswer(UINT nType);
