#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace
{
QList<QRect> availableAreas()
{
    QList<QRect> areas;
    // The primary screen first: a window that is on none goes there.
    if (QScreen* primary = QGuiApplication::primaryScreen())
        areas << primary->availableGeometry();
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen())
            areas << screen->availableGeometry();
    }
    return areas;
}

qint64 overlap(const QRect& a, const QRect& b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : qint64(common.width()) * common.height();
}
} // namespace

QRect WindowPlacement::firstGeometry(const QRect& available)
{
    const QSize size(std::min(kDesignedSize.width(), available.width() * kMostPercent / 100),
                     std::min(kDesignedSize.height(), available.height() * kMostPercent / 100));
    QRect geometry(QPoint(0, 0), size);
    geometry.moveCenter(available.center());
    return geometry;
}

QRect WindowPlacement::fitted(const QRect& frame, const QList<QRect>& areas)
{
    if (areas.isEmpty())
        return frame;
    const QRect* best = &areas.front();
    for (const QRect& area : areas) {
        if (overlap(frame, area) > overlap(frame, *best))
            best = &area;
    }
    QRect result(frame.topLeft(), frame.size().boundedTo(best->size()));
    result.moveLeft(std::clamp(result.left(), best->left(), best->right() - result.width() + 1));
    result.moveTop(std::clamp(result.top(), best->top(), best->bottom() - result.height() + 1));
    return result;
}

QRect WindowPlacement::firstGeometry()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? firstGeometry(screen->availableGeometry())
                             : QRect(QPoint(0, 0), kDesignedSize);
}

void WindowPlacement::fit(QWidget& window)
{
    // A maximized or full-screen window is the screen's own size already.
    if (window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const QRect frame = window.frameGeometry();
    const QRect wanted = fitted(frame, availableAreas());
    if (wanted == frame)
        return;
    // The frame's border stays as it is; only the inside gives way.
    const QSize border = frame.size() - window.size();
    window.resize(wanted.size() - border);
    window.move(wanted.topLeft());
}
