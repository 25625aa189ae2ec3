// The user-interface thread's part of the application object: its main window
// and the start and end of its work. Qt owns the real event loop; the host
// runs it, so this class only carries what the application classes need.
#pragma once

#include "CCmdTarget.h"

class CWnd;

class AFX_API CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    ~CWinThread() override;

    // Called once after construction; FALSE means the application cannot run.
    virtual BOOL InitInstance();
    // Called once before the application ends; returns the exit code.
    virtual int ExitInstance();

    CWnd* GetMainWnd() const { return m_pMainWnd; }

    CWnd* m_pMainWnd = nullptr; // borrowed; the host's main frame window
};
