#include "WestonOnXScreenDriver.h"

#include <QGuiApplication>

#include <stdexcept>

#include <X11/keysym.h>

// Weston draws the pointer into its output, so that it would stand in the
// screen's pixels wherever the test rests the mouse; over the client's
// windows the client chooses the pointer's picture, and chooses none.
WestonOnXScreenDriver::WestonOnXScreenDriver()
{
    QGuiApplication::setOverrideCursor(Qt::BlankCursor);
}

WestonOnXScreenDriver::~WestonOnXScreenDriver()
{
    QGuiApplication::restoreOverrideCursor();
}

QImage WestonOnXScreenDriver::grabScreen()
{
    // Whatever Qt has committed reaches weston's next frame, and that the X
    // server, a little later.
    settle(100);
    return m_server.grabRoot();
}

void WestonOnXScreenDriver::moveTo(QWidget* widget, QPoint local)
{
    if (!located())
        throw std::runtime_error("the pointer cannot be aimed before a window was found on screen");
    m_server.moveTo(toScreen(widget, local));
}

void WestonOnXScreenDriver::setControlHeld(bool held)
{
    m_server.key(XK_Control_L, held);
}

void WestonOnXScreenDriver::keypadClick(Qt::Key key)
{
    m_server.keyClick(X11Server::keysymOf(key, true));
}

void WestonOnXScreenDriver::keyClick(Qt::Key key)
{
    m_server.keyClick(X11Server::keysymOf(key, false));
}
