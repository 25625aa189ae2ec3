// An X server, with or without a window manager: pixels, window places and
// input all through the server (see X11Server).
#pragma once

#include "ScreenDriver.h"
#include "XTestInput.h"

class X11ScreenDriver : public XTestInput<ScreenDriver>
{
public:
    QString name() const override { return "X11"; }
    QImage grabScreen() override { return m_server.grabRoot(); }
    QPoint toScreen(const QWidget* widget, QPoint local) const override;
    void moveTo(QWidget* widget, QPoint local) override;
};
