// The mouse cursor in screen coordinates. Where the platform can neither
// report nor move the real cursor (the offscreen platform of headless runs
// and tests), the framework keeps a position of its own, which mouse events
// update and SetCursorPos sets.
#pragma once

#include "AfxGdi.h"

AFX_API BOOL GetCursorPos(LPPOINT lpPoint);
AFX_API BOOL SetCursorPos(int x, int y);
// Called for every mouse event with its screen position.
AFX_API void AfxNoteCursorPos(int x, int y);
