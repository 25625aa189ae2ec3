// What a window tells assistive technology, in the platform's numbers: the
// roles a window can report (CWnd::GetAccessibleRole) and the events that
// NotifyWinEvent raises, which screen readers hear through the desktop's
// accessibility bus.
#pragma once

#include <afx.h>

#define ROLE_SYSTEM_CLIENT 0x0A
#define ROLE_SYSTEM_TOOLTIP 0x0D
#define ROLE_SYSTEM_CHART 0x11
#define ROLE_SYSTEM_GRAPHIC 0x28

#define EVENT_OBJECT_SHOW 0x8002
#define EVENT_OBJECT_HIDE 0x8003
#define EVENT_OBJECT_FOCUS 0x8005
#define EVENT_OBJECT_NAMECHANGE 0x800C
#define EVENT_OBJECT_DESCRIPTIONCHANGE 0x800D

#define OBJID_CLIENT ((LONG)0xFFFFFFFC)
#define CHILDID_SELF 0

// Raises the event for the window's own object (OBJID_CLIENT, CHILDID_SELF);
// other objects and events, and a window without accessibility, are ignored.
AFX_API void NotifyWinEvent(DWORD event, HWND hwnd, LONG idObject, LONG idChild);
