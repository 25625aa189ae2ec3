// Plug-in code that reaches for Qt itself must not build.
#include <afxwin.h>

#include <QString>
