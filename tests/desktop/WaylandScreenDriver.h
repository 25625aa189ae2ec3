// A Wayland compositor (weston): the output read back by weston's own
// screenshooter, and input handed to Qt inside the process, because a
// Wayland client cannot inject input into the compositor. A client does not
// learn where the compositor put its window either, so the window is found
// in the screenshot; popups are placed relative to their parent window,
// which is what toScreen follows. The headless compositor has no seat, so
// Qt, lacking a real pointer event, opens menus as top-level windows that
// the shell places as it likes: their place cannot be checked here (see
// WestonOnXScreenDriver for a compositor with a seat).
#pragma once

#include "ScreenDriver.h"

#include <QPointer>
#include <QWidget>

class WaylandScreenDriver : public ScreenDriver
{
public:
    QString name() const override { return "Wayland"; }
    bool inputThroughServer() const override { return false; }
    bool menusArePopups() const override { return false; }
    QImage grabScreen() override;
    bool locate(QWidget* window, QPoint partOffset, const QImage& part) override;
    QPoint toScreen(const QWidget* widget, QPoint local) const override;
    void moveTo(QWidget* widget, QPoint local) override;
    void press(Qt::MouseButton button) override;
    void release(Qt::MouseButton button) override;
    void setControlHeld(bool held) override;
    void keypadClick(Qt::Key key) override;
    void keyClick(Qt::Key key) override;

protected:
    bool located() const { return m_window != nullptr; }

private:
    QWindow* target() const;

    QPointer<QWidget> m_window; // the located window
    QPoint m_origin;            // where its (0,0) is on screen
    QPointer<QWidget> m_target; // the window under the cursor, which input goes to
    QPoint m_cursor;            // in m_target's coordinates
    Qt::KeyboardModifiers m_modifiers;
};
