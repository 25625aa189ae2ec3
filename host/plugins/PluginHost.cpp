#include "PluginHost.h"

#include <QDir>
#include <QFile>

#include <exception>
#include <unistd.h>

namespace
{
// The process's current directory, as the plug-in's OnLoad reads it, set
// for the duration of a call and restored afterwards.
class CurrentDirectory
{
public:
    explicit CurrentDirectory(const QString& folder)
    {
        char buffer[4096];
        if (getcwd(buffer, sizeof buffer) != nullptr)
            m_previous = buffer;
        m_changed = chdir(QFile::encodeName(folder).constData()) == 0;
    }
    ~CurrentDirectory()
    {
        if (m_changed && !m_previous.empty() && chdir(m_previous.c_str()) != 0) {
            // The old directory went away meanwhile; staying is all that is left.
        }
    }
    bool changed() const { return m_changed; }

private:
    std::string m_previous;
    bool m_changed = false;
};
} // namespace

PluginHost::~PluginHost()
{
    closeAll();
}

bool PluginHost::loadFolder(const QString& folder, const StartInfo& start)
{
    const QDir dir(folder);
    if (!dir.exists() || !dir.isReadable()) {
        disable(folder, PluginModule::Failure::NotFound, QStringLiteral("no such plug-in folder"));
        m_problems << QStringLiteral("%1: no such plug-in folder").arg(folder);
        return false;
    }
    const QStringList files = dir.entryList({QStringLiteral("*.so")}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        // The libraries the host runs on are no plug-ins, and loading them
        // again would run nothing new.
        if (!PluginModule::isLoaded(dir.filePath(file)))
            loadModule(dir.filePath(file), start);
    }
    return true;
}

bool PluginHost::loadModule(const QString& path, const StartInfo& start)
{
    PluginModule::Failure failure = PluginModule::Failure::NotFound;
    QString error;
    std::unique_ptr<PluginModule> plugin = PluginModule::load(path, failure, error);
    if (!plugin) {
        disable(path, failure, error);
        m_problems << QStringLiteral("%1: %2; skipped").arg(QDir::toNativeSeparators(path), error);
        return false;
    }
    PluginModule& started = *plugin;
    m_plugins.push_back(std::move(plugin));
    const qsizetype problemsBefore = m_problems.size();
    if (!startModule(started, start)) {
        // What went wrong is the start's last word, or the refusal of a
        // call made while another one ran.
        disable(path, PluginModule::Failure::FailedStart,
                m_problems.size() > problemsBefore
                    ? m_problems.last().section(QStringLiteral(": "), 1)
                    : QStringLiteral("another plug-in call was running"));
        m_plugins.pop_back();
        return false;
    }
    return true;
}

void PluginHost::disable(const QString& path, PluginModule::Failure failure, const QString& detail)
{
    m_disabled.push_back({QDir::toNativeSeparators(path), failure, detail});
}

bool PluginHost::startModule(PluginModule& plugin, const StartInfo& start)
{
    if (!callOnLoad(plugin, start.startFolder))
        return false;
    CMapStringToString map;
    map.SetAt("MainFrame", start.mainFrame);
    map.SetAt("DataManager", start.dataManager);
    map.SetAt("EventMask", start.eventMask);
    if (!guarded(plugin, "OnInitialize", [&] { plugin.call(PluginModule::OnInitialize, map); }))
        return false;
    for (const QString& problem : plugin.takeMenuItems(map))
        m_problems << QStringLiteral("%1: %2").arg(plugin.fileName(), problem);
    return true;
}

bool PluginHost::callOnLoad(PluginModule& plugin, const QString& startFolder)
{
    CurrentDirectory current(startFolder);
    if (!current.changed()) {
        m_problems << QStringLiteral("%1: cannot enter the start folder %2; skipped")
                          .arg(plugin.fileName(), startFolder);
        return false;
    }
    return guarded(plugin, "OnLoad", [&] { plugin.call(PluginModule::OnLoad); });
}

bool PluginHost::guarded(PluginModule& plugin, const char* what, const std::function<void()>& call)
{
    if (busy())
        return false;
    ++m_depth;
    if (m_observer)
        m_observer(true);
    bool ok = true;
    // A plug-in is not meant to let anything escape its entry points; one
    // that does is reported instead of ending the host.
    try {
        call();
    } catch (const std::exception& e) {
        m_problems << QStringLiteral("%1: %2 failed: %3")
                          .arg(plugin.fileName(), QLatin1String(what),
                               QString::fromLocal8Bit(e.what()));
        ok = false;
    } catch (...) {
        m_problems << QStringLiteral("%1: %2 failed").arg(plugin.fileName(), QLatin1String(what));
        ok = false;
    }
    --m_depth;
    if (m_observer)
        m_observer(false);
    return ok;
}

std::vector<PluginHost::Command> PluginHost::commands() const
{
    std::vector<Command> out;
    for (const auto& plugin : m_plugins) {
        for (const PluginModule::MenuItem& item : plugin->menuItems())
            out.push_back({plugin.get(), item});
    }
    return out;
}

std::optional<PluginHost::Command> PluginHost::findCommand(const CString& caption) const
{
    for (const Command& command : commands()) {
        if (command.item.caption == caption)
            return command;
    }
    return std::nullopt;
}

bool PluginHost::runCommand(const Command& command, const std::string& gameName)
{
    if (busy())
        return false;
    CMapStringToString map;
    map.SetAt("Command", command.item.caption);
    map.SetAt("GameName", gameName.c_str());
    return guarded(*command.plugin, "OnUserCommand",
                   [&] { command.plugin->call(PluginModule::OnUserCommand, map); });
}

bool PluginHost::broadcast(PluginModule::Entry entry)
{
    if (busy())
        return false;
    for (const auto& plugin : m_plugins) {
        CMapStringToString map;
        guarded(*plugin, PluginModule::plainName(entry), [&] { plugin->call(entry, map); });
    }
    return true;
}

bool PluginHost::reportLoaded()
{
    return broadcast(PluginModule::OnReportLoaded);
}

bool PluginHost::gamesListModified()
{
    return broadcast(PluginModule::OnGamesListModified);
}

std::optional<std::vector<std::pair<CString, CString>>> PluginHost::about(PluginModule& plugin)
{
    if (busy())
        return std::nullopt;
    CMapStringToString map;
    guarded(plugin, "OnAbout", [&] { plugin.call(PluginModule::OnAbout, map); });
    std::vector<std::pair<CString, CString>> keys;
    POSITION pos = map.GetStartPosition();
    while (pos != nullptr) {
        CString key, value;
        map.GetNextAssoc(pos, key, value);
        keys.emplace_back(key, value);
    }
    return keys;
}

void PluginHost::closeAll()
{
    if (m_closed)
        return;
    m_closed = true;
    for (const auto& plugin : m_plugins)
        guarded(*plugin, "OnClose", [&] { plugin->call(PluginModule::OnClose); });
}
