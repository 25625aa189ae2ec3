#include "PluginCallShield.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMdiArea>
#include <QWidget>

PluginCallShield::PluginCallShield(QWidget& mainWindow, QMdiArea& mdiArea, QObject* parent)
    : QObject(parent), m_mainWindow(&mainWindow), m_mdiArea(&mdiArea)
{
}

void PluginCallShield::setPumpInterval(int requests, int milliseconds)
{
    m_everyRequests = qMax(1, requests);
    m_everyMilliseconds = qMax(0, milliseconds);
}

void PluginCallShield::callStarted()
{
    m_inCall = true;
    m_closeHeld = false;
    m_sincePump.start();
    if (m_mdiArea)
        m_mdiArea->setUpdatesEnabled(false);
    QCoreApplication::instance()->installEventFilter(this);
}

void PluginCallShield::callEnded()
{
    QCoreApplication::instance()->removeEventFilter(this);
    if (m_mdiArea)
        m_mdiArea->setUpdatesEnabled(true);
    m_inCall = false;
    emit progress(QString());
    if (m_closeHeld && m_mainWindow) {
        m_closeHeld = false;
        QMetaObject::invokeMethod(m_mainWindow.data(), &QWidget::close, Qt::QueuedConnection);
    }
    emit idle();
}

void PluginCallShield::requestAnswered(int requests, int races)
{
    if (!m_inCall || requests % m_everyRequests != 0 || m_sincePump.elapsed() < m_everyMilliseconds)
        return;
    emit progress(tr("Answering the plug-in: %1 requests, %2 races").arg(requests).arg(races));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_sincePump.restart();
}

bool PluginCallShield::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close && watched == m_mainWindow.data()) {
        m_closeHeld = true;
        event->ignore();
        return true;
    }
    if (event->type() == QEvent::Timer && watched->isWidgetType() && m_mdiArea &&
        m_mdiArea->isAncestorOf(static_cast<QWidget*>(watched)))
        return true;
    return QObject::eventFilter(watched, event);
}
