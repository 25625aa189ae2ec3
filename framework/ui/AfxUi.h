// Windows, message dispatch, frames, views and menus, on Qt Widgets.
#pragma once

#include <afx.h>

#include "AfxAccessibility.h"
#include "AfxCursor.h"
#include "AfxMonitor.h"
#include "AfxMsgMap.h"
#include "AfxWinConst.h"
#include "AfxWndClass.h"
#include "CClientDC.h"
#include "CFrameWnd.h"
#include "CMDIChildWnd.h"
#include "CMDIClientWnd.h"
#include "CMDIFrameWnd.h"
#include "CMenu.h"
#include "CPaintDC.h"
#include "CView.h"
#include "CWindowDC.h"
#include "CWnd.h"
