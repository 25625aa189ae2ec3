// An X server, with or without a window manager: pixels, window places and
// input all through the server (see X11Server).
#pragma once

#include "ScreenDriver.h"
#include "X11Server.h"

class X11ScreenDriver : public ScreenDriver
{
public:
    QString name() const override { return "X11"; }
    bool inputThroughServer() const override { return true; }
    bool menusArePopups() const override { return true; }
    QImage grabScreen() override { return m_server.grabRoot(); }
    QPoint toScreen(const QWidget* widget, QPoint local) const override;
    void moveTo(QWidget* widget, QPoint local) override;
    void press(Qt::MouseButton button) override { m_server.button(button, true); }
    void release(Qt::MouseButton button) override { m_server.button(button, false); }
    void setControlHeld(bool held) override;
    void keypadClick(Qt::Key key) override;
    void keyClick(Qt::Key key) override;

private:
    mutable X11Server m_server;
};
