// The monitors of the desktop, as the platform reports them: which one holds
// a point, and its bounds with and without the panels and docks that windows
// should keep clear of (the work area). Backed by Qt's screens; a handle
// stays usable only while its screen is connected, after which
// GetMonitorInfo answers FALSE.
//
// Where clients have no global coordinates (Wayland), a screen's bounds are
// where the compositor put it, and a window's screen coordinates are counted
// from where Qt assumes the window to be: the two agree for a window that
// fills its screen, and a popup measured against them is still kept on the
// screen by the compositor's own constraint adjustment.
#pragma once

#include "AfxGdi.h"

KFX_DECLARE_HANDLE(HMONITOR);

#define MONITOR_DEFAULTTONULL 0x00000000
#define MONITOR_DEFAULTTOPRIMARY 0x00000001
#define MONITOR_DEFAULTTONEAREST 0x00000002

#define MONITORINFOF_PRIMARY 0x00000001

struct MONITORINFO {
    DWORD cbSize = sizeof(MONITORINFO);
    RECT rcMonitor = {0, 0, 0, 0};
    RECT rcWork = {0, 0, 0, 0};
    DWORD dwFlags = 0;
};
typedef MONITORINFO* LPMONITORINFO;

// Null when no monitor holds pt and dwFlags is MONITOR_DEFAULTTONULL, or
// when the desktop has no monitor at all.
AFX_API HMONITOR MonitorFromPoint(POINT pt, DWORD dwFlags);
// lpmi->cbSize must be sizeof(MONITORINFO).
AFX_API BOOL GetMonitorInfoA(HMONITOR hMonitor, LPMONITORINFO lpmi);
inline BOOL GetMonitorInfo(HMONITOR hMonitor, LPMONITORINFO lpmi)
{
    return GetMonitorInfoA(hMonitor, lpmi);
}
