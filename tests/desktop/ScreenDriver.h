// What a user's display server sees and what it delivers: the screen's
// pixels as the server holds them, and input as the server would send it.
// Each platform has its own way to do both; the tests are written once
// against this.
#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>

class QWidget;

class ScreenDriver
{
public:
    virtual ~ScreenDriver() = default;

    // The driver for the platform Qt runs on; null on one without a
    // display server (offscreen, minimal).
    static std::unique_ptr<ScreenDriver> forPlatform();

    virtual QString name() const = 0;
    // True when input reaches the windows through the display server;
    // false when the driver has to hand it to Qt inside the process.
    virtual bool inputThroughServer() const = 0;
    // False where a menu cannot open as a popup of its window: a popup that
    // takes the pointer needs a real input event from the server to do so.
    virtual bool menusArePopups() const = 0;

    // The whole screen, read back from the server.
    virtual QImage grabScreen() = 0;
    // Finds where window sits on screen, given what a part of it, at
    // partOffset (logical) inside window, looks like in device pixels.
    // Needed where a client cannot learn its place from the server.
    virtual bool locate(QWidget* window, QPoint partOffset, const QImage& part);
    // Where a point of widget (a child, a popup or a window), in the
    // logical pixels widgets speak, shows in the screen's image, whose
    // pixels are the server's device pixels: the two differ on a scaled
    // screen (QT_SCALE_FACTOR).
    virtual QPoint toScreen(const QWidget* widget, QPoint local) const = 0;

    virtual void moveTo(QWidget* widget, QPoint local) = 0;
    virtual void press(Qt::MouseButton button) = 0;
    virtual void release(Qt::MouseButton button) = 0;
    virtual void setControlHeld(bool held) = 0;
    // A key of the numeric keypad (Qt::Key_Plus, Qt::Key_Minus).
    virtual void keypadClick(Qt::Key key) = 0;
    // A named key of the main keyboard: arrows, Home, End, Escape, Tab.
    virtual void keyClick(Qt::Key key) = 0;

    void click(Qt::MouseButton button);
    // Lets Qt take in and act on what the server sent.
    static void settle(int milliseconds = 60);
    // Settles until done holds or milliseconds have passed; whether it holds.
    static bool waitFor(const std::function<bool()>& done, int milliseconds);

protected:
    // A logical offset within widget's window in that window's device
    // pixels, rounded as Qt rounds a widget's place in its backing store.
    static QPoint toDevice(const QWidget* widget, QPoint logical);
};

// Where part lies in image, or (-1, -1).
QPoint FindImage(const QImage& image, const QImage& part);
