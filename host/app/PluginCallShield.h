// Keeps the host's window alive while a plug-in call runs for long (a chart
// fetching a big game request by request), without letting anything reach
// the plug-in's windows half-way through.
//
// Every so many data-manager requests the status bar tells the progress and
// Qt delivers what is pending, except user input, which waits until the call
// is over. Meanwhile the MDI area, where the plug-in's chart lives, neither
// paints nor gets its timers: the chart's tables are being rebuilt. A request
// to close the main window is held and carried out after the call.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <functional>

class QMdiArea;
class QWidget;

class PluginCallShield : public QObject
{
    Q_OBJECT
public:
    PluginCallShield(QWidget& mainWindow, QMdiArea& mdiArea, QObject* parent = nullptr);

    // For the plug-in host's call observer.
    void callStarted();
    void callEnded();
    // For the data manager's progress hook.
    void requestAnswered(int requests, int races);

    // Keep the window painting every `requests` requests, at most every
    // `milliseconds`.
    void setPumpInterval(int requests, int milliseconds);

signals:
    void progress(const QString& text);
    // The call is over; held work (a close, file events) may run now.
    void idle();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The window may be gone before the last plug-in call (OnClose at exit).
    QPointer<QWidget> m_mainWindow;
    QPointer<QMdiArea> m_mdiArea;
    QElapsedTimer m_sincePump;
    int m_everyRequests = 200;
    int m_everyMilliseconds = 100;
    bool m_inCall = false;
    bool m_closeHeld = false;
};
