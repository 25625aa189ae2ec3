// Where the class library meets Qt, for the host and the tests only: the
// text conversion to and from Qt's strings, and the Qt side of windows and
// device contexts. A plug-in never includes this; it sees the library
// through afx.h and afxwin.h alone, and is built without Qt's headers.
#pragma once

#include <afxwin.h>

// clang-format off
#include "../ui/AfxQtText.h"
#include "../ui/AfxQtAccess.h"
// clang-format on
