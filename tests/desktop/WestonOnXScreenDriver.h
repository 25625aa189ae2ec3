// Weston whose output is a window of an X server (its x11 backend): the
// client is a Wayland one and learns no more of its place than on any
// compositor, so its windows are found as WaylandScreenDriver finds them;
// but the output's pixels are read back from the X server, and input made
// there by XTest reaches weston's seat, which hands it to the client as a
// real pointer and keyboard, with the serials that let menus open as popups
// at the click.
#pragma once

#include "WaylandScreenDriver.h"
#include "X11Server.h"

class WestonOnXScreenDriver : public WaylandScreenDriver
{
public:
    WestonOnXScreenDriver();
    ~WestonOnXScreenDriver() override;

    QString name() const override { return "Wayland-in-X11"; }
    bool inputThroughServer() const override { return true; }
    bool menusArePopups() const override { return true; }
    QImage grabScreen() override;
    void moveTo(QWidget* widget, QPoint local) override;
    void press(Qt::MouseButton button) override { m_server.button(button, true); }
    void release(Qt::MouseButton button) override { m_server.button(button, false); }
    void setControlHeld(bool held) override;
    void keypadClick(Qt::Key key) override;
    void keyClick(Qt::Key key) override;

private:
    X11Server m_server;
};
