// The host as a user session has it for a suite of screen tests: the
// driver of the display server, a start folder of its own, the session and
// the main window with the real plug-in, started once and torn down with
// this object.
#pragma once

#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class HostSession;
class HostWindow;
class ScreenDriver;

struct DesktopHost {
    // Starts nothing where the platform has no display server (driver is
    // null then); started is false when the window did not come up.
    DesktopHost();
    ~DesktopHost();

    QString chartFile() const;
    // Closes every chart window the host has open.
    void closeCharts();
    // Keeps the pictures of a failed comparison, and the whole screen, for
    // a look, under desktop-failures/ in the working folder, named after the
    // server, the scale factor and the running test; the names' stem.
    QString keepForLooking(const QImage& screen, const QImage& wanted) const;

    std::unique_ptr<ScreenDriver> driver;
    QTemporaryDir dir;
    std::unique_ptr<HostSession> session;
    std::unique_ptr<HostWindow> window;
    bool started = false;
};
