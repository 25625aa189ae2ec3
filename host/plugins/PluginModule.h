// One chart plug-in loaded into the host: its module, its entry points and
// the menu items it offered.
//
// Each entry point is found under its plain name or, failing that, under the
// decorated name the original platform's compilers give it. A module is a
// plug-in when it has at least OnLoad, OnInitialize and OnUserCommand; the
// others are called when present.
#pragma once

#include <QCoreApplication>
#include <afx.h>

#include "PluginFailure.h"
#include "plugin/KurvoEntryPoints.h"

#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <vector>

class PluginModule
{
public:
#define KURVO_ENTRY_ENUM(name, decorated, standIn, takesMap) name,
    enum Entry { KURVO_ENTRY_POINTS(KURVO_ENTRY_ENUM) EntryCount };
#undef KURVO_ENTRY_ENUM

    // A menu item as offered under "MenuItem" or "MenuItem:N".
    struct MenuItem {
        CString caption;     // ANSI, sent back as the command
        QString display;     // for the menu
        unsigned number = 0; // N, or 0 for the plain "MenuItem"
    };

    // Bounds what an odd reply can make the host put in its menu.
    static constexpr int kMaxMenuItems = 32;

    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    // Loads the module and resolves its entry points. Null, with the
    // failure recorded, for a module that does not load or is no plug-in
    // (which is then unloaded again).
    static std::unique_ptr<PluginModule> load(const QString& path, PluginFailure& failure);

    // True for a module already in the process, such as a library the host
    // itself is linked to (the framework sits beside the plug-ins).
    static bool isLoaded(const QString& path);

    const QString& path() const
    {
        return m_path;
    }
    QString fileName() const;
    bool has(Entry entry) const
    {
        return m_entries[entry] != nullptr;
    }
    // Where the entry point is under each of its two names (null when the
    // module lacks that name), for checking that both lead to one function.
    void* plainAddress(Entry entry) const
    {
        return m_plain[entry];
    }
    void* decoratedAddress(Entry entry) const
    {
        return m_decorated[entry];
    }
    // Any other symbol of the module, for tools and tests.
    void* symbol(const char* name) const;
    static const char* plainName(Entry entry);

    // Calls an entry point; one that the module lacks is not called.
    void call(Entry entry);
    void call(Entry entry, CMapStringToString& map);

    // Keeps the items of an OnInitialize reply: "MenuItem" first, then
    // "MenuItem:N" by N; empty captions and malformed keys are left out.
    // Returns what was wrong with the reply, for the user.
    QStringList takeMenuItems(const CMapStringToString& reply);
    static std::vector<MenuItem> readMenuItems(const CMapStringToString& reply,
                                               QStringList& problems);
    const std::vector<MenuItem>& menuItems() const
    {
        return m_menuItems;
    }

private:
    explicit PluginModule(QString path, void* handle) : m_path(std::move(path)), m_handle(handle) {}
    // The names of the required entry points the module lacks, joined.
    QString resolve();

    QString m_path;
    void* m_handle = nullptr;
    std::array<void*, EntryCount> m_entries{};
    std::array<void*, EntryCount> m_plain{};
    std::array<void*, EntryCount> m_decorated{};
    std::vector<MenuItem> m_menuItems;

    Q_DECLARE_TR_FUNCTIONS(PluginModule)
};
