#include "X11ScreenDriver.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include <stdexcept>

// Last: the X headers define macros that would clash with Qt's names.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

X11ScreenDriver::X11ScreenDriver() : m_pDisplay(XOpenDisplay(nullptr))
{
    int nEvent = 0, nError = 0, nMajor = 0, nMinor = 0;
    if (m_pDisplay == nullptr ||
        !XTestQueryExtension(m_pDisplay, &nEvent, &nError, &nMajor, &nMinor))
        throw std::runtime_error("the X server offers no XTest extension");
}

X11ScreenDriver::~X11ScreenDriver()
{
    if (m_pDisplay != nullptr)
        XCloseDisplay(m_pDisplay);
}

QImage X11ScreenDriver::grabScreen()
{
    // Window 0 is the root: the server's picture of everything shown.
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
        QImage::Format_RGB32);
}

QPoint X11ScreenDriver::toScreen(const QWidget* widget, QPoint local) const
{
    // With no window manager, screen and root coordinates are one.
    return widget->mapToGlobal(local);
}

void X11ScreenDriver::moveTo(QWidget* widget, QPoint local)
{
    const QPoint global = widget->mapToGlobal(local);
    XTestFakeMotionEvent(m_pDisplay, -1, global.x(), global.y(), CurrentTime);
    sync();
}

void X11ScreenDriver::press(Qt::MouseButton which)
{
    button(which, true);
}

void X11ScreenDriver::release(Qt::MouseButton which)
{
    button(which, false);
}

void X11ScreenDriver::button(Qt::MouseButton which, bool down)
{
    const unsigned int nButton = which == Qt::RightButton ? 3 : which == Qt::MiddleButton ? 2 : 1;
    XTestFakeButtonEvent(m_pDisplay, nButton, down ? True : False, CurrentTime);
    sync();
}

void X11ScreenDriver::setControlHeld(bool held)
{
    key(XK_Control_L, held);
}

void X11ScreenDriver::keypadClick(Qt::Key which)
{
    const unsigned long keysym = which == Qt::Key_Minus ? XK_KP_Subtract : XK_KP_Add;
    key(keysym, true);
    key(keysym, false);
}

void X11ScreenDriver::key(unsigned long keysym, bool down)
{
    const KeyCode code = XKeysymToKeycode(m_pDisplay, keysym);
    if (code == 0)
        throw std::runtime_error("the X server's keymap lacks a key the test needs");
    XTestFakeKeyEvent(m_pDisplay, code, down ? True : False, CurrentTime);
    sync();
}

void X11ScreenDriver::sync()
{
    // Once the server has taken the event, Qt's connection has it too.
    XSync(m_pDisplay, False);
    settle();
}
