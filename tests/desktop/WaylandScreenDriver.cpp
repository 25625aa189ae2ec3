#include "WaylandScreenDriver.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <stdexcept>

QImage WaylandScreenDriver::grabScreen()
{
    // Whatever Qt has committed reaches the compositor's next frame first.
    settle(100);
    QTemporaryDir dir;
    QProcess shooter;
    shooter.setWorkingDirectory(dir.path());
    shooter.start("weston-screenshooter", QStringList());
    if (!shooter.waitForFinished(10000) || shooter.exitCode() != 0)
        throw std::runtime_error("weston-screenshooter failed: " +
                                 shooter.readAllStandardError().toStdString());
    const QStringList shots = QDir(dir.path()).entryList({"*.png"}, QDir::Files);
    if (shots.isEmpty())
        throw std::runtime_error("weston-screenshooter wrote no picture");
    return QImage(dir.filePath(shots.first())).convertToFormat(QImage::Format_RGB32);
}

bool WaylandScreenDriver::locate(QWidget* window, QPoint partOffset, const QImage& part)
{
    const QPoint found = FindImage(grabScreen(), part);
    if (found.x() < 0)
        return false;
    m_window = window;
    m_origin = found - toDevice(window, partOffset);
    // A headless compositor has no keyboard, so it never gives a client the
    // keyboard focus that makes its window active; stand in for it as for
    // the rest of the input.
    if (!inputThroughServer()) {
        QT_WARNING_PUSH
        QT_WARNING_DISABLE_DEPRECATED
        QApplication::setActiveWindow(window);
        QT_WARNING_POP
    }
    return true;
}

QPoint WaylandScreenDriver::toScreen(const QWidget* widget, QPoint local) const
{
    // Qt's global coordinates are right relative to one another: a popup is
    // placed from its offset to its parent window.
    if (m_window == nullptr)
        return toDevice(widget, widget->mapToGlobal(local));
    return m_origin +
           toDevice(m_window, widget->mapToGlobal(local) - m_window->mapToGlobal(QPoint(0, 0)));
}

void WaylandScreenDriver::moveTo(QWidget* widget, QPoint local)
{
    m_target = widget->window();
    m_cursor = widget->mapTo(m_target, local);
    QTest::mouseEvent(QTest::MouseMove, target(), Qt::NoButton, m_modifiers, m_cursor);
    settle();
}

QWindow* WaylandScreenDriver::target() const
{
    if (m_target == nullptr || m_target->windowHandle() == nullptr)
        throw std::runtime_error("input before the mouse was moved onto a window");
    return m_target->windowHandle();
}

void WaylandScreenDriver::press(Qt::MouseButton button)
{
    QTest::mousePress(target(), button, m_modifiers, m_cursor);
    settle();
}

void WaylandScreenDriver::release(Qt::MouseButton button)
{
    QTest::mouseRelease(target(), button, m_modifiers, m_cursor);
    settle();
}

void WaylandScreenDriver::setControlHeld(bool held)
{
    if (held)
        m_modifiers |= Qt::ControlModifier;
    else
        m_modifiers &= ~Qt::ControlModifier;
}

void WaylandScreenDriver::keypadClick(Qt::Key key)
{
    QTest::keyClick(target(), key, m_modifiers | Qt::KeypadModifier);
    settle();
}

void WaylandScreenDriver::keyClick(Qt::Key key)
{
    QTest::keyClick(target(), key, m_modifiers);
    settle();
}
