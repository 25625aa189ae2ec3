#include "PluginModule.h"

#include <afxqt.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cstring>
#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <optional>

namespace
{
static_assert(PluginModule::EntryCount == g_nKurvoEntryPoints);

constexpr std::array<PluginModule::Entry, 3> kRequired{
    PluginModule::OnLoad, PluginModule::OnInitialize, PluginModule::OnUserCommand};

using VoidEntry = void (*)();
using MapEntry = void (*)(CMapStringToString&);

bool takesMap(PluginModule::Entry entry)
{
    return g_kurvoEntryPoints[entry].bTakesMap;
}

// "MenuItem" gives 0; "MenuItem:N" with N a decimal number gives N.
std::optional<unsigned> menuItemNumber(const CString& key)
{
    const std::string& text = key.str();
    if (text == "MenuItem")
        return 0u;
    const std::string prefix = "MenuItem:";
    if (text.size() <= prefix.size() || text.compare(0, prefix.size(), prefix) != 0 ||
        text.size() > prefix.size() + 9)
        return std::nullopt;
    unsigned number = 0;
    for (size_t i = prefix.size(); i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        number = number * 10 + unsigned(text[i] - '0');
    }
    return number;
}
} // namespace

PluginModule::~PluginModule()
{
    // The module stays mapped: windows and objects it made may outlive this
    // object until the process ends, as they would in any host.
}

const char* PluginModule::plainName(Entry entry)
{
    return g_kurvoEntryPoints[entry].pszName;
}

QString PluginModule::fileName() const
{
    return QFileInfo(m_path).fileName();
}

bool PluginModule::isLoaded(const QString& path)
{
    void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_LAZY | RTLD_NOLOAD);
    if (handle != nullptr) {
        dlclose(handle);
        return true;
    }
    // A copy of a library the process already runs on, from another folder,
    // would bring a second framework with its own state: same file name,
    // same library.
    struct Search {
        QByteArray name;
        bool found = false;
    } search{QFile::encodeName(QFileInfo(path).fileName())};
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            auto* s = static_cast<Search*>(data);
            const char* loaded = info->dlpi_name != nullptr ? info->dlpi_name : "";
            const char* slash = std::strrchr(loaded, '/');
            s->found = s->found || s->name == QByteArray(slash != nullptr ? slash + 1 : loaded);
            return 0;
        },
        &search);
    return search.found;
}

std::unique_ptr<PluginModule> PluginModule::load(const QString& path, PluginFailure& failure)
{
    failure.path = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile()) {
        failure.kind = PluginFailure::Kind::NotFound;
        failure.detail = PluginModule::tr("no such file");
        return nullptr;
    }
    CString loaderError;
    void* handle = AfxLoadLibrary(QFile::encodeName(path).constData(), &loaderError);
    if (handle == nullptr) {
        failure.kind = PluginFailure::Kind::NotLoadable;
        failure.detail = QString::fromLocal8Bit(loaderError.GetString());
        return nullptr;
    }
    std::unique_ptr<PluginModule> module(new PluginModule(path, handle));
    const QString missing = module->resolve();
    if (!missing.isEmpty()) {
        failure.kind = PluginFailure::Kind::MissingEntryPoints;
        failure.detail = missing;
        AfxFreeLibrary(handle);
        return nullptr;
    }
    return module;
}

void* PluginModule::symbol(const char* name) const
{
    return dlsym(m_handle, name);
}

QString PluginModule::resolve()
{
    for (int i = 0; i < EntryCount; ++i) {
        m_plain[i] = dlsym(m_handle, g_kurvoEntryPoints[i].pszName);
        m_decorated[i] = dlsym(m_handle, g_kurvoEntryPoints[i].pszDecorated);
        m_entries[i] = m_plain[i] != nullptr ? m_plain[i] : m_decorated[i];
    }
    QStringList missing;
    for (Entry entry : kRequired) {
        if (!has(entry))
            missing << QLatin1String(plainName(entry));
    }
    return missing.join(QStringLiteral(", "));
}

void PluginModule::call(Entry entry)
{
    if (has(entry) && !takesMap(entry))
        reinterpret_cast<VoidEntry>(m_entries[entry])();
}

void PluginModule::call(Entry entry, CMapStringToString& map)
{
    if (has(entry) && takesMap(entry))
        reinterpret_cast<MapEntry>(m_entries[entry])(map);
}

QStringList PluginModule::takeMenuItems(const CMapStringToString& reply)
{
    QStringList problems;
    m_menuItems = readMenuItems(reply, problems);
    return problems;
}

std::vector<PluginModule::MenuItem> PluginModule::readMenuItems(const CMapStringToString& reply,
                                                                QStringList& problems)
{
    std::vector<MenuItem> items;
    POSITION pos = reply.GetStartPosition();
    while (pos != nullptr) {
        CString key, value;
        reply.GetNextAssoc(pos, key, value);
        if (!key.str().starts_with("MenuItem"))
            continue;
        const std::optional<unsigned> number = menuItemNumber(key);
        if (!number) {
            problems << PluginModule::tr("menu key \"%1\" is not MenuItem or MenuItem:N; left out")
                            .arg(AfxToQString(key));
        } else if (value.IsEmpty()) {
            problems << PluginModule::tr("menu item %1 has no caption; left out").arg(*number);
        } else {
            items.push_back({value, AfxToQString(value), *number});
        }
    }
    std::sort(items.begin(), items.end(),
              [](const MenuItem& a, const MenuItem& b) { return a.number < b.number; });
    if (items.size() > size_t(kMaxMenuItems)) {
        problems << PluginModule::tr("offers %1 menu items; only the first %2 are shown")
                        .arg(items.size())
                        .arg(kMaxMenuItems);
        items.resize(size_t(kMaxMenuItems));
    }
    return items;
}
