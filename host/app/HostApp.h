// The host program's application object, in the host's own framework state.
// The plug-ins' command entry points run in this state, so the frames they
// create find this application's main window, the host's MDI frame, and
// open inside it.
#pragma once

#include <afxwin.h>

class HostApp : public CWinApp
{
public:
    HostApp() : CWinApp("kurvo-host") {}

    // The main window when it is the MDI frame that the host made; null once
    // it has gone.
    CMDIFrameWnd* mainFrame() const;
};
