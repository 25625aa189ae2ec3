// Where the class library meets Qt, for the host and the tests only: the
// text conversion to and from Qt's strings. A plug-in never includes this;
// it sees the library through afx.h and afxwin.h alone.
#pragma once

#include <afx.h>

// clang-format off
#include "../ui/AfxQtText.h"
// clang-format on
