#include "WestonOnXScreenDriver.h"

#include <QGuiApplication>

#include <stdexcept>

// Weston draws the pointer into its output, so that it would stand in the
// screen's pixels wherever the test rests the mouse; over the client's
// windows the client chooses the pointer's picture, and chooses none.
WestonOnXScreenDriver::WestonOnXScreenDriver()
{
    QGuiApplication::setOverrideCursor(Qt::BlankCursor);
    // The X pointer starts inside weston's window, which weston then may
    // never see it enter, and gives the seat no pointer focus: it is led
    // out below the output and back in.
    const QSize screen = m_server.grabRoot().size();
    m_server.moveTo(QPoint(screen.width() / 2, screen.height() - 1));
    m_server.moveTo(QPoint(screen.width() / 2, screen.height() / 2));
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
