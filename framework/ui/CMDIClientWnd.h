// The MDI client: the area of an MDI frame in which the child frames live,
// a QMdiArea. Its default window procedure does what the platform's MDI
// client class does with WM_MDIACTIVATE and WM_MDIGETACTIVE.
#pragma once

#include "CWnd.h"

class QMdiArea;

class AFX_API CMDIClientWnd : public CWnd
{
    DECLARE_DYNAMIC(CMDIClientWnd)
public:
    CMDIClientWnd();

protected:
    friend struct AfxQtAccess;
    QMdiArea* GetMDIArea() const;

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    QWidget* CreateWidget(const CREATESTRUCT& cs, QWidget* pParentWidget) override;
    void PostNcDestroy() override;

private:
    LRESULT Activate(HWND hWndChild);
    HWND GetActiveChild() const;
};
