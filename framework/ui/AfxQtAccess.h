// The Qt-typed side of windows and device contexts, for the host, the tests
// and the class library's own Qt code: which widget stands for a window, the
// window of a widget, the MDI sub-window a child sits in, the main window
// and MDI area of a frame, the size of its new children, and a device
// context over a painter or an image.
// Reached through afxqt.h; the classes keep these members out of their
// public interface so that plug-in code never sees a Qt type.
#pragma once

#include <afxwin.h>

class QImage;
class QMainWindow;
class QMdiArea;
class QMdiSubWindow;
class QPainter;
class QWidget;

struct AfxQtAccess {
    static QWidget* Widget(const CWnd* pWnd) { return pWnd->GetWidget(); }
    static CWnd* FromWidget(const QWidget* pWidget) { return CWnd::FromWidget(pWidget); }
    static QMainWindow* MainWindow(const CMDIFrameWnd* pFrame) { return pFrame->GetMainWindow(); }
    static QMdiArea* MDIArea(const CMDIFrameWnd* pFrame) { return pFrame->GetMDIArea(); }
    static QMdiArea* MDIArea(const CMDIClientWnd* pClient) { return pClient->GetMDIArea(); }
    static void SetChildClientSize(CMDIFrameWnd* pFrame, int cx, int cy)
    {
        pFrame->m_sizeChildClient = CSize(cx, cy);
    }
    static BOOL Attach(CDC* pDC, QPainter* pPainter) { return pDC->Attach(pPainter); }
    static BOOL CreateForImage(CDC* pDC, QImage* pImage) { return pDC->CreateForImage(pImage); }
    static QPainter* Detach(CDC* pDC) { return pDC->Detach(); }
    static QPainter* Painter(CDC* pDC) { return pDC->GetPainter(); }
};

// Null for a null window or one not yet created.
inline QWidget* AfxGetWidget(const CWnd* pWnd)
{
    return pWnd != nullptr ? AfxQtAccess::Widget(pWnd) : nullptr;
}
inline CWnd* AfxWndFromWidget(const QWidget* pWidget)
{
    return AfxQtAccess::FromWidget(pWidget);
}
// The sub-window an MDI child's widget sits in (what is shown, moved and
// activated), or null for a widget outside any MDI area.
AFX_API QMdiSubWindow* AfxGetMDISubWindow(const QWidget* pWidget);
inline QMdiSubWindow* AfxGetMDISubWindow(const CWnd* pWnd)
{
    return AfxGetMDISubWindow(AfxGetWidget(pWnd));
}
inline QMainWindow* AfxGetMainWindow(const CMDIFrameWnd* pFrame)
{
    return AfxQtAccess::MainWindow(pFrame);
}
inline QMdiArea* AfxGetMDIArea(const CMDIFrameWnd* pFrame)
{
    return AfxQtAccess::MDIArea(pFrame);
}
inline QMdiArea* AfxGetMDIArea(const CMDIClientWnd* pClient)
{
    return AfxQtAccess::MDIArea(pClient);
}
// Child frames that pFrame's MDI area makes from then on at the default size
// get a client area of cx x cy, so that what they lay out when they are
// first shown fits it; 0 x 0 returns to the default.
inline void AfxSetMDIChildClientSize(CMDIFrameWnd* pFrame, int cx, int cy)
{
    AfxQtAccess::SetChildClientSize(pFrame, cx, cy);
}
// Borrows an active painter until AfxDetachPainter; FALSE when the DC
// already has a surface or the painter is not active.
inline BOOL AfxAttachPainter(CDC* pDC, QPainter* pPainter)
{
    return AfxQtAccess::Attach(pDC, pPainter);
}
// Paints what is pending, restores a borrowed painter and returns it.
inline QPainter* AfxDetachPainter(CDC* pDC)
{
    return AfxQtAccess::Detach(pDC);
}
// The DC draws on pImage through a painter of its own, until DeleteDC.
inline BOOL AfxCreateImageDC(CDC* pDC, QImage* pImage)
{
    return AfxQtAccess::CreateForImage(pDC, pImage);
}
// The painter, with everything pending painted.
inline QPainter* AfxGetPainter(CDC* pDC)
{
    return AfxQtAccess::Painter(pDC);
}
