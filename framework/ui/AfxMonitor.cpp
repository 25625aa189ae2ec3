#include "AfxMonitor.h"

#include <QGuiApplication>
#include <QScreen>

#include <climits>

namespace
{

// A handle is the screen's address, checked against the connected screens
// on every use, so a handle kept past a screen's removal is refused rather
// than followed.
QScreen* ScreenFromHandle(HMONITOR hMonitor)
{
    if (hMonitor == nullptr || qGuiApp == nullptr)
        return nullptr;
    for (QScreen* pScreen : QGuiApplication::screens()) {
        if (reinterpret_cast<HMONITOR>(pScreen) == hMonitor)
            return pScreen;
    }
    return nullptr;
}

long long DistanceSquared(const QRect& rc, const QPoint& pt)
{
    const long long dx = pt.x() < rc.left() ? rc.left() - pt.x() : qMax(0, pt.x() - rc.right());
    const long long dy = pt.y() < rc.top() ? rc.top() - pt.y() : qMax(0, pt.y() - rc.bottom());
    return dx * dx + dy * dy;
}

QScreen* NearestScreen(const QPoint& pt)
{
    QScreen* pNearest = nullptr;
    long long nBest = LLONG_MAX;
    for (QScreen* pScreen : QGuiApplication::screens()) {
        const long long nDistance = DistanceSquared(pScreen->geometry(), pt);
        if (nDistance < nBest) {
            nBest = nDistance;
            pNearest = pScreen;
        }
    }
    return pNearest;
}

RECT RectFromQt(const QRect& rc)
{
    return RECT{rc.left(), rc.top(), rc.left() + rc.width(), rc.top() + rc.height()};
}

} // namespace

HMONITOR MonitorFromPoint(POINT pt, DWORD dwFlags)
{
    if (qGuiApp == nullptr)
        return nullptr;
    const QPoint ptQt(pt.x, pt.y);
    QScreen* pScreen = QGuiApplication::screenAt(ptQt);
    if (pScreen == nullptr) {
        if (dwFlags == MONITOR_DEFAULTTONEAREST)
            pScreen = NearestScreen(ptQt);
        else if (dwFlags == MONITOR_DEFAULTTOPRIMARY)
            pScreen = QGuiApplication::primaryScreen();
    }
    return reinterpret_cast<HMONITOR>(pScreen);
}

BOOL GetMonitorInfoA(HMONITOR hMonitor, LPMONITORINFO lpmi)
{
    QScreen* pScreen = ScreenFromHandle(hMonitor);
    if (pScreen == nullptr || lpmi == nullptr || lpmi->cbSize != sizeof(MONITORINFO))
        return FALSE;
    lpmi->rcMonitor = RectFromQt(pScreen->geometry());
    lpmi->rcWork = RectFromQt(pScreen->availableGeometry());
    lpmi->dwFlags = pScreen == QGuiApplication::primaryScreen() ? MONITORINFOF_PRIMARY : 0;
    return TRUE;
}
