#include "AfxCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace
{

POINT g_ptCursor = {0, 0};

bool PlatformHasCursor()
{
    const QString strPlatform = QGuiApplication::platformName();
    return !strPlatform.isEmpty() && strPlatform != QLatin1String("offscreen") &&
           strPlatform != QLatin1String("minimal");
}

} // namespace

BOOL GetCursorPos(LPPOINT lpPoint)
{
    if (lpPoint == nullptr)
        return FALSE;
    if (PlatformHasCursor()) {
        QPoint pt = QCursor::pos();
        lpPoint->x = pt.x();
        lpPoint->y = pt.y();
        return TRUE;
    }
    *lpPoint = g_ptCursor;
    return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
    g_ptCursor.x = x;
    g_ptCursor.y = y;
    if (PlatformHasCursor())
        QCursor::setPos(x, y);
    return TRUE;
}

void AfxNoteCursorPos(int x, int y)
{
    g_ptCursor.x = x;
    g_ptCursor.y = y;
}
