#include "ScreenDriver.h"

#include "WaylandScreenDriver.h"
#include "WestonOnXScreenDriver.h"
#include "X11ScreenDriver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>

#include <cstring>

std::unique_ptr<ScreenDriver> ScreenDriver::forPlatform()
{
    const QString platform = QGuiApplication::platformName();
    if (platform == "xcb")
        return std::make_unique<X11ScreenDriver>();
    // A compositor whose output is a window of an X server keeps that
    // server's DISPLAY for the test (run-on-wayland --backend x11).
    if (platform == "wayland" && !qEnvironmentVariableIsEmpty("DISPLAY"))
        return std::make_unique<WestonOnXScreenDriver>();
    if (platform == "wayland")
        return std::make_unique<WaylandScreenDriver>();
    return nullptr;
}

bool ScreenDriver::locate(QWidget*, QPoint, const QImage&)
{
    return true;
}

QPoint ScreenDriver::toDevice(const QWidget* widget, QPoint logical)
{
    const qreal f = widget->devicePixelRatioF();
    return QPoint(qRound(logical.x() * f), qRound(logical.y() * f));
}

void ScreenDriver::click(Qt::MouseButton button)
{
    press(button);
    release(button);
}

void ScreenDriver::settle(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    } while (timer.elapsed() < milliseconds);
}

bool ScreenDriver::waitFor(const std::function<bool()>& done, int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < milliseconds)
        settle(20);
    return done();
}

QPoint FindImage(const QImage& screen, const QImage& wanted)
{
    // Row by row with early exits: this runs on whole screenshots, in the
    // sanitizer build too.
    const QImage image = screen.convertToFormat(QImage::Format_RGB32);
    const QImage part = wanted.convertToFormat(QImage::Format_RGB32);
    if (part.isNull() || part.width() > image.width() || part.height() > image.height())
        return {-1, -1};
    const size_t nRowBytes = size_t(part.width()) * sizeof(QRgb);
    const auto rowMatches = [&](int x, int y, int row) {
        return std::memcmp(image.constScanLine(y + row) + size_t(x) * sizeof(QRgb),
                           part.constScanLine(row), nRowBytes) == 0;
    };
    for (int y = 0; y + part.height() <= image.height(); ++y) {
        for (int x = 0; x + part.width() <= image.width(); ++x) {
            int row = 0;
            while (row < part.height() && rowMatches(x, y, row))
                ++row;
            if (row == part.height())
                return {x, y};
        }
    }
    return {-1, -1};
}
