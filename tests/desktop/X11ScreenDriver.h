// An X server: the root window read back with the server's own image
// request, and input made by the XTest extension, so that it takes the
// same way through the server as a real mouse and keyboard.
#pragma once

#include "ScreenDriver.h"

struct _XDisplay;

class X11ScreenDriver : public ScreenDriver
{
public:
    X11ScreenDriver();
    ~X11ScreenDriver() override;

    QString name() const override { return "X11"; }
    bool inputThroughServer() const override { return true; }
    bool menusArePopups() const override { return true; }
    QImage grabScreen() override;
    QPoint toScreen(const QWidget* widget, QPoint local) const override;
    void moveTo(QWidget* widget, QPoint local) override;
    void press(Qt::MouseButton button) override;
    void release(Qt::MouseButton button) override;
    void setControlHeld(bool held) override;
    void keypadClick(Qt::Key key) override;

private:
    void button(Qt::MouseButton button, bool down);
    void key(unsigned long keysym, bool down);
    void sync();

    // A connection of the test's own, apart from Qt's, as an input device
    // would be.
    _XDisplay* m_pDisplay = nullptr;
};
