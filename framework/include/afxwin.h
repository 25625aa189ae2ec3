// Application, documents, windows and drawing of the class library, on Qt 6
// Widgets.
#pragma once

#include <afx.h>

// In dependency order: each header relies on those above it.
// clang-format off
#include "../app/CCmdTarget.h"
#include "../ui/AfxGdi.h"
#include "../ui/AfxUi.h"
#include "../app/AfxApp.h"
// clang-format on
