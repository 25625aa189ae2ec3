// Input made in an X server by XTest, for a driver of whichever kind of
// client: a plain X client, or a Wayland one whose compositor's output is a
// window of that server and whose seat takes the server's input. Base is
// the driver that knows where the windows are; moving the pointer needs
// that, so it stays with the driver.
#pragma once

#include "X11Server.h"

#include <X11/keysym.h>

template <class Base> class XTestInput : public Base
{
public:
    bool inputThroughServer() const override { return true; }
    bool menusArePopups() const override { return true; }
    void press(Qt::MouseButton button) override { m_server.button(button, true); }
    void release(Qt::MouseButton button) override { m_server.button(button, false); }
    void setControlHeld(bool held) override { m_server.key(XK_Control_L, held); }
    void keypadClick(Qt::Key key) override { m_server.keyClick(X11Server::keysymOf(key, true)); }
    void keyClick(Qt::Key key) override { m_server.keyClick(X11Server::keysymOf(key, false)); }

protected:
    mutable X11Server m_server;
};
