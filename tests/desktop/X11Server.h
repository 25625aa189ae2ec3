// The X server as a client of the test's own sees it, apart from Qt's
// connection, as an input device would: the root window's pixels, where a
// window sits on the root, and input made by the XTest extension, so that
// it takes the same way through the server as a real mouse and keyboard.
#pragma once

#include <QImage>
#include <QPoint>

struct _XDisplay;

class X11Server
{
public:
    // The server of DISPLAY; throws where it cannot be opened or lacks XTest.
    X11Server();
    ~X11Server();
    X11Server(const X11Server&) = delete;
    X11Server& operator=(const X11Server&) = delete;

    // Everything shown, read back with the server's own image request.
    QImage grabRoot();
    // Where point of window (an X window id) is on the root, as the server
    // has it now: with a window manager, frames shift clients.
    QPoint toRoot(unsigned long window, QPoint point);

    void moveTo(QPoint root);
    void button(Qt::MouseButton which, bool down);
    // keysym: one of X11/keysymdef.h; throws where the keymap lacks it.
    void key(unsigned long keysym, bool down);
    void keyClick(unsigned long keysym);
    // The keysym of a named key (arrows, Home, End, Escape, Tab, plus,
    // minus), of the numeric keypad where it has one and keypad is true.
    static unsigned long keysymOf(Qt::Key key, bool keypad);

private:
    void sync();

    _XDisplay* m_pDisplay = nullptr;
};
