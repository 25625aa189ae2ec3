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
        m_disabled.push_back({QDir::toNativeSeparators(folder), PluginFailure::Kind::NotFound,
                              PluginHost::tr("no such plug-in folder")});
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
    PluginFailure failure;
    std::unique_ptr<PluginModule> plugin = PluginModule::load(path, failure);
    if (!plugin) {
        m_disabled.push_back(failure);
        return false;
    }
    PluginModule& started = *plugin;
    m_plugins.push_back(std::move(plugin));
    QString error;
    if (!startModule(started, start, error)) {
        m_disabled.push_back(
            {QDir::toNativeSeparators(path), PluginFailure::Kind::FailedStart, error});
        m_plugins.pop_back();
        return false;
    }
    return true;
}

QStringList PluginHost::problems() const
{
    QStringList lines;
    for (const PluginFailure& failure : m_disabled)
        lines << failure.logLine();
    return lines + m_notes;
}

bool PluginHost::startModule(PluginModule& plugin, const StartInfo& start, QString& error)
{
    if (!callOnLoad(plugin, start.startFolder, error))
        return false;
    CMapStringToString map;
    map.SetAt("MainFrame", start.mainFrame);
    map.SetAt("DataManager", start.dataManager);
    map.SetAt("EventMask", start.eventMask);
    if (!guarded(
            "OnInitialize", [&] { plugin.call(PluginModule::OnInitialize, map); }, error))
        return false;
    for (const QString& problem : plugin.takeMenuItems(map))
        m_notes << QStringLiteral("%1: %2").arg(plugin.fileName(), problem);
    return true;
}

bool PluginHost::callOnLoad(PluginModule& plugin, const QString& startFolder, QString& error)
{
    CurrentDirectory current(startFolder);
    if (!current.changed()) {
        error = PluginHost::tr("cannot enter the start folder %1").arg(startFolder);
        return false;
    }
    return guarded(
        "OnLoad", [&] { plugin.call(PluginModule::OnLoad); }, error);
}

bool PluginHost::noted(PluginModule& plugin, const char* what, const std::function<void()>& call)
{
    QString error;
    const bool ok = guarded(what, call, error);
    if (!ok && !error.isEmpty())
        m_notes << QStringLiteral("%1: %2").arg(plugin.fileName(), error);
    return ok;
}

bool PluginHost::guarded(const char* what, const std::function<void()>& call, QString& error)
{
    if (busy()) {
        error = PluginHost::tr("another plug-in call was running");
        return false;
    }
    ++m_depth;
    if (m_observer)
        m_observer(true);
    bool ok = true;
    // A plug-in is not meant to let anything escape its entry points; one
    // that does is reported instead of ending the host.
    try {
        call();
    } catch (const std::exception& e) {
        error = PluginHost::tr("%1 failed: %2")
                    .arg(QLatin1String(what), QString::fromLocal8Bit(e.what()));
        ok = false;
    } catch (...) {
        error = PluginHost::tr("%1 failed").arg(QLatin1String(what));
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
    return noted(*command.plugin, "OnUserCommand",
                 [&] { command.plugin->call(PluginModule::OnUserCommand, map); });
}

bool PluginHost::broadcast(PluginModule::Entry entry)
{
    if (busy())
        return false;
    for (const auto& plugin : m_plugins) {
        CMapStringToString map;
        noted(*plugin, PluginModule::plainName(entry), [&] { plugin->call(entry, map); });
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
    noted(plugin, "OnAbout", [&] { plugin.call(PluginModule::OnAbout, map); });
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
        noted(*plugin, "OnClose", [&] { plugin->call(PluginModule::OnClose); });
}
