// Weston whose output is a window of an X server (its x11 backend): the
// client is a Wayland one and learns no more of its place than on any
// compositor, so its windows are found as WaylandScreenDriver finds them;
// but the output's pixels are read back from the X server, and input made
// there by XTest reaches weston's seat, which hands it to the client as a
// real pointer and keyboard, with the serials that let menus open as popups
// at the click.
#pragma once

#include "WaylandScreenDriver.h"
#include "XTestInput.h"

class WestonOnXScreenDriver : public XTestInput<WaylandScreenDriver>
{
public:
    WestonOnXScreenDriver();
    ~WestonOnXScreenDriver() override;

    QString name() const override { return "Wayland-in-X11"; }
    QImage grabScreen() override;
    void moveTo(QWidget* widget, QPoint local) override;
};
