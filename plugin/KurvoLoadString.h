// The plug-in's strings, whichever module's framework state is current.
#pragma once

#include <afx.h>

// The entry points other than OnLoad run in the host's framework state, where
// CString::LoadString would consult the host's string table. This makes the
// plug-in's own state current just for the load; an unknown id gives "".
CString KurvoLoadString(UINT nID);
