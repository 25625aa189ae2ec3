#include "ScreenDriver.h"

#include "WaylandScreenDriver.h"
#include "X11ScreenDriver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>

std::unique_ptr<ScreenDriver> ScreenDriver::forPlatform()
{
    const QString platform = QGuiApplication::platformName();
    if (platform == "xcb")
        return std::make_unique<X11ScreenDriver>();
    if (platform == "wayland")
        return std::make_unique<WaylandScreenDriver>();
    return nullptr;
}

bool ScreenDriver::locate(QWidget*, QPoint, const QImage&)
{
    return true;
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

QPoint FindImage(const QImage& image, const QImage& part)
{
    // Anchor on the part's first pixel that is not its most common colour,
    // so that a black expanse does not match everywhere.
    const QRgb background = part.pixel(0, 0);
    QPoint anchor(-1, -1);
    for (int y = 0; y < part.height() && anchor.x() < 0; ++y) {
        for (int x = 0; x < part.width(); ++x) {
            if (part.pixel(x, y) != background) {
                anchor = QPoint(x, y);
                break;
            }
        }
    }
    if (anchor.x() < 0)
        return {-1, -1};
    const QRgb wanted = part.pixel(anchor);
    for (int y = anchor.y(); y + part.height() - anchor.y() <= image.height(); ++y) {
        for (int x = anchor.x(); x + part.width() - anchor.x() <= image.width(); ++x) {
            if (image.pixel(x, y) != wanted)
                continue;
            const QPoint origin(x - anchor.x(), y - anchor.y());
            if (image.copy(QRect(origin, part.size())) == part)
                return origin;
        }
    }
    return {-1, -1};
}
