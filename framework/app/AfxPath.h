// Path helpers of the document layer. Paths are ANSI bytes, as everywhere at
// the plug-in boundary. A backslash counts as a separator, because callers
// written for the original platform build paths with it.
#pragma once

#include <afx.h>

// The absolute, normalised form of lpszPath ("." and ".." resolved by text,
// backslashes turned into slashes). Symbolic links are kept as they are.
AFX_API CString AfxFullPath(LPCSTR lpszPath);
// The last component of lpszPath, e.g. "save.kv".
AFX_API CString AfxGetFileName(LPCSTR lpszPath);
// The folder part of a full path, without the final separator ("/" for the root).
AFX_API CString AfxGetFolder(LPCSTR lpszFullPath);
