#include "HostWindow.h"

#include "HostSession.h"

#include <QApplication>

HostWindow::HostWindow(HostSession& session, const HostOptions& options, QObject* parent)
    : QObject(parent), m_session(session), m_options(options)
{
}

HostWindow::~HostWindow() = default;

bool HostWindow::start(QString& error)
{
    if (!m_session.createMainFrame(QSize(1200, 800), error))
        return false;
    m_session.loadGames(m_options.gamesFolder);
    m_session.loadPlugins(m_options.pluginFolder, m_options.startFolder);
    return true;
}

int HostWindow::runInteractive(HostSession& session, const HostOptions& options, QTextStream& err)
{
    HostWindow window(session, options);
    QString error;
    if (!window.start(error)) {
        err << "kurvo-host: " << error << "\n";
        return 1;
    }
    const int code = QApplication::exec();
    session.shutdown();
    return code;
}
