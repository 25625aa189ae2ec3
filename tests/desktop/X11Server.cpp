#include "X11Server.h"

#include "ScreenDriver.h"

#include <stdexcept>
#include <string>

// Last: the X headers define macros that would clash with Qt's names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

X11Server::X11Server() : m_pDisplay(XOpenDisplay(nullptr))
{
    int nEvent = 0, nError = 0, nMajor = 0, nMinor = 0;
    if (m_pDisplay == nullptr)
        throw std::runtime_error("the X server of DISPLAY cannot be opened");
    if (!XTestQueryExtension(m_pDisplay, &nEvent, &nError, &nMajor, &nMinor)) {
        XCloseDisplay(m_pDisplay);
        throw std::runtime_error("the X server offers no XTest extension");
    }
}

X11Server::~X11Server()
{
    XCloseDisplay(m_pDisplay);
}

QImage X11Server::grabRoot()
{
    const Window root = DefaultRootWindow(m_pDisplay);
    XWindowAttributes attributes{};
    XGetWindowAttributes(m_pDisplay, root, &attributes);
    XImage* pImage = XGetImage(m_pDisplay, root, 0, 0, unsigned(attributes.width),
                               unsigned(attributes.height), AllPlanes, ZPixmap);
    if (pImage == nullptr)
        throw std::runtime_error("the X server gave no image of its root window");
    QImage image(attributes.width, attributes.height, QImage::Format_RGB32);
    // The alpha byte is set as Qt's own grabs have it, so that raw rows
    // compare equal. The server's usual layout is copied word by word; any
    // other goes through the visual's masks, pixel by pixel.
    const bool bPlain = pImage->bits_per_pixel == 32 && pImage->byte_order == LSBFirst &&
                        pImage->red_mask == 0xff0000 && pImage->green_mask == 0xff00 &&
                        pImage->blue_mask == 0xff;
    for (int y = 0; y < image.height(); ++y) {
        auto* pLine = reinterpret_cast<QRgb*>(image.scanLine(y));
        const auto* pRow = reinterpret_cast<const quint32*>(
            pImage->data + size_t(y) * size_t(pImage->bytes_per_line));
        for (int x = 0; x < image.width(); ++x) {
            if (bPlain) {
                pLine[x] = pRow[x] | 0xff000000u;
                continue;
            }
            const unsigned long pixel = XGetPixel(pImage, x, y);
            pLine[x] = qRgb(int((pixel & pImage->red_mask) >> 16),
                            int((pixel & pImage->green_mask) >> 8), int(pixel & pImage->blue_mask));
        }
    }
    XDestroyImage(pImage);
    return image;
}

QPoint X11Server::toRoot(unsigned long window, QPoint point)
{
    // A window Qt has just made reaches the server with Qt's next flush.
    int x = 0, y = 0;
    Window child = 0;
    for (int nTries = 0; nTries < 100; ++nTries) {
        if (XTranslateCoordinates(m_pDisplay, window, DefaultRootWindow(m_pDisplay), point.x(),
                                  point.y(), &x, &y, &child))
            return {x, y};
        ScreenDriver::settle(20);
    }
    throw std::runtime_error("window " + std::to_string(window) +
                             " is not on the X server's screen");
}

void X11Server::moveTo(QPoint root)
{
    XTestFakeMotionEvent(m_pDisplay, -1, root.x(), root.y(), CurrentTime);
    sync();
}

void X11Server::button(Qt::MouseButton which, bool down)
{
    const unsigned int nButton = which == Qt::RightButton ? 3 : which == Qt::MiddleButton ? 2 : 1;
    XTestFakeButtonEvent(m_pDisplay, nButton, down ? True : False, CurrentTime);
    sync();
}

void X11Server::key(unsigned long keysym, bool down)
{
    const KeyCode code = XKeysymToKeycode(m_pDisplay, keysym);
    if (code == 0)
        throw std::runtime_error("the X server's keymap lacks a key the test needs");
    XTestFakeKeyEvent(m_pDisplay, code, down ? True : False, CurrentTime);
    sync();
}

void X11Server::keyClick(unsigned long keysym)
{
    key(keysym, true);
    key(keysym, false);
}

unsigned long X11Server::keysymOf(Qt::Key key, bool keypad)
{
    struct Named {
        Qt::Key key;
        unsigned long main;
        unsigned long pad;
    };
    static const Named named[] = {
        {Qt::Key_Left, XK_Left, XK_KP_Left},    {Qt::Key_Right, XK_Right, XK_KP_Right},
        {Qt::Key_Up, XK_Up, XK_KP_Up},          {Qt::Key_Down, XK_Down, XK_KP_Down},
        {Qt::Key_Home, XK_Home, XK_KP_Home},    {Qt::Key_End, XK_End, XK_KP_End},
        {Qt::Key_Escape, XK_Escape, XK_Escape}, {Qt::Key_Tab, XK_Tab, XK_Tab},
        {Qt::Key_Plus, XK_plus, XK_KP_Add},     {Qt::Key_Minus, XK_minus, XK_KP_Subtract},
    };
    for (const Named& entry : named) {
        if (entry.key == key)
            return keypad ? entry.pad : entry.main;
    }
    throw std::invalid_argument("no X key is named for this Qt key");
}

void X11Server::sync()
{
    // Once the server has taken the event, the client's connection has it
    // too; the client still has to read it.
    XSync(m_pDisplay, False);
    ScreenDriver::settle();
}
