// Compiled with no Qt include path: the class library's public headers and
// the plug-in's own reach no Qt header.
#include <afxwin.h>

#include "plugin/CKurvoApp.h"
#include "views/CKurvoView1.h"
