#include "X11ScreenDriver.h"

#include <QWidget>
#include <QWindow>

#include <stdexcept>

QPoint X11ScreenDriver::toScreen(const QWidget* widget, QPoint local) const
{
    // Asked of the server, not taken from Qt: under a window manager the
    // frame moves the window after Qt placed it. The id is the QWindow's:
    // Qt may remake a widget's native window, and the widget keeps telling
    // the first one's.
    const QWidget* window = widget->window();
    if (window->windowHandle() == nullptr)
        throw std::runtime_error("the widget is in no window that is shown");
    return m_server.toRoot(window->windowHandle()->winId(),
                           toDevice(window, widget->mapTo(window, local)));
}

void X11ScreenDriver::moveTo(QWidget* widget, QPoint local)
{
    m_server.moveTo(toScreen(widget, local));
}
