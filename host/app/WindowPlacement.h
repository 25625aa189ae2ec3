// Where the main window may stand: a first window sized to the screen it
// opens on, and a remembered one moved back onto the screens there are now.
#pragma once

#include <QList>
#include <QRect>

class QWidget;

class WindowPlacement
{
public:
    // The size the window is designed for, and the share of a smaller
    // screen's free area it takes at most, so that it never opens larger
    // than the screen (a scaled desktop has few logical pixels).
    static constexpr QSize kDesignedSize{1280, 800};
    static constexpr int kMostPercent = 80;

    // The first window: the designed size within kMostPercent of available
    // on each side, centred in it.
    static QRect firstGeometry(const QRect& available);
    // frame moved onto the area it overlaps most (the first area when it
    // overlaps none) and shrunk to fit there; unchanged when it fits.
    static QRect fitted(const QRect& frame, const QList<QRect>& areas);

    // The first window on the primary screen (the designed size where
    // there is no screen to ask).
    static QRect firstGeometry();
    // Brings a window (a restored one) back within today's screens.
    static void fit(QWidget& window);
};
