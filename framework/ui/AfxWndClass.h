// Window classes. A class name stands for the class styles, cursor, icon and
// background brush that windows created with it share; the background brush
// is what the default WM_ERASEBKGND paints.
#pragma once

#include "AfxWinConst.h"

struct AFX_WNDCLASS {
    UINT nClassStyle = 0;
    HCURSOR hCursor = nullptr;
    HBRUSH hbrBackground = nullptr;
    HICON hIcon = nullptr;
};

// Registers (or finds) the class with these settings and returns its name.
// The name stays valid for the life of the process. The brush belongs to the
// class from then on: nothing here deletes it.
AFX_API LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                                   HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);

// The settings behind a class name; null for a name that was never
// registered (such windows get no background erase).
AFX_API const AFX_WNDCLASS* AfxFindWndClass(LPCSTR lpszClassName);
