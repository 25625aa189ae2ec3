#include "CPluginProbe.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdint>
#include <utility>

namespace
{

using VoidEntry = void (*)();
using MapEntry = void (*)(CMapStringToString&);

int g_nRequests = 0;

// The probe's stand-in for a host's game store: one game, two races, three
// turns. Enough to see that requests arrive and replies are read.
void ProbeDataManager(CMapStringToString& map)
{
    ++g_nRequests;
    CString strFunction, strWhat;
    map.Lookup("Function", strFunction);
    map.Lookup("Parameter.1", strWhat);
    if (strFunction == "List" && strWhat == "Games") {
        map.SetAt("Count", "1");
        map.SetAt("Game.1", "probe");
    } else if (strFunction == "List" && strWhat == "Turns") {
        map.SetAt("Count", "3");
    } else if (strFunction == "List" && strWhat == "Races") {
        map.SetAt("Count", "2");
        map.SetAt("1", "Alpha");
        map.SetAt("2", "Beta");
    } else if (strFunction == "Get" && strWhat == "RaceColor") {
        map.SetAt("Color", "255");
    } else if (strFunction == "Get" && strWhat == "Race") {
        map.SetAt("Industry", "100");
        map.SetAt("Population", "50");
    }
}

// Control characters shown as escapes, the rest converted for the terminal.
std::string Printable(const CString& strAnsi)
{
    std::string text = AfxAnsiToUtf8(strAnsi.str());
    std::string out;
    for (char c : text) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

} // namespace

CPluginProbe::CPluginProbe(std::ostream& out, std::ostream& err)
    : m_out(out), m_err(err),
      m_entryPoints({{"OnLoad", "?OnLoad@@YAXXZ"},
                     {"OnInitialize", "?OnInitialize@@YAXAAVCMapStringToString@@@Z"},
                     {"OnUserCommand", "?OnUserCommand@@YAXAAVCMapStringToString@@@Z"},
                     {"OnAbout", "?OnAbout@@YAXAAVCMapStringToString@@@Z"},
                     {"OnClose", "?OnClose@@YAXXZ"},
                     {"OnGamesListModified", "?OnGamesListModified@@YAXAAVCMapStringToString@@@Z"},
                     {"OnReportLoaded", "?OnReportLoaded@@YAXAAVCMapStringToString@@@Z"}})
{
}

CPluginProbe::~CPluginProbe()
{
    Close();
}

int CPluginProbe::RequestCount()
{
    return g_nRequests;
}

bool CPluginProbe::Load(const std::string& path)
{
    CString strError;
    m_hModule = AfxLoadLibrary(path.c_str(), &strError);
    if (m_hModule == nullptr) {
        m_err << "cannot load " << path << ": " << strError.GetString() << "\n";
        return false;
    }
    m_out << "loaded " << path << "\n";
    return true;
}

void* CPluginProbe::Find(const char* name) const
{
    return m_hModule ? dlsym(m_hModule, name) : nullptr;
}

bool CPluginProbe::ResolveEntryPoints()
{
    bool bAll = true;
    for (EntryPoint& entry : m_entryPoints) {
        void* pPlain = Find(entry.plainName);
        void* pDecorated = Find(entry.decoratedName);
        if (pPlain == nullptr || pDecorated == nullptr) {
            m_err << "missing export " << (pPlain ? entry.decoratedName : entry.plainName) << "\n";
            bAll = false;
        } else if (pPlain != pDecorated) {
            m_err << "exports " << entry.plainName << " and " << entry.decoratedName
                  << " lead to different functions\n";
            bAll = false;
        }
        entry.address = pPlain ? pPlain : pDecorated;
    }
    if (bAll)
        m_out << "all " << m_entryPoints.size() << " entry points found under both names\n";
    return bAll;
}

void CPluginProbe::RunStartup()
{
    auto entry = [&](const char* name) {
        for (const EntryPoint& e : m_entryPoints) {
            if (std::string(e.plainName) == name)
                return e.address;
        }
        return static_cast<void*>(nullptr);
    };
    if (void* p = entry("OnLoad"))
        reinterpret_cast<VoidEntry>(p)();

    if (void* p = entry("OnInitialize")) {
        CMapStringToString map;
        CString strAddress;
        strAddress.Format("%llu", (unsigned long long)(uintptr_t)&ProbeDataManager);
        map.SetAt("MainFrame", "0");
        map.SetAt("DataManager", strAddress);
        map.SetAt("EventMask", "0");
        reinterpret_cast<MapEntry>(p)(map);
        PrintMap("OnInitialize answered", map);
    }
    if (void* p = entry("OnAbout")) {
        CMapStringToString map;
        reinterpret_cast<MapEntry>(p)(map);
        PrintMap("OnAbout answered", map);
    }
}

void CPluginProbe::PrintMap(const char* title, const CMapStringToString& map)
{
    std::vector<std::pair<std::string, std::string>> rows;
    POSITION pos = map.GetStartPosition();
    while (pos != nullptr) {
        CString strKey, strValue;
        map.GetNextAssoc(pos, strKey, strValue);
        rows.emplace_back(Printable(strKey), Printable(strValue));
    }
    std::sort(rows.begin(), rows.end());
    m_out << title << ":\n";
    for (const auto& [key, value] : rows)
        m_out << "  " << key << " = \"" << value << "\"\n";
}

bool CPluginProbe::PrintVersionRecord(const std::string& path)
{
    AFX_FILE_VERSION_INFO info;
    CString strError;
    if (!AfxGetFileVersionInfo(path.c_str(), info, &strError)) {
        m_err << "no version record in " << path << ": " << strError.GetString() << "\n";
        return false;
    }
    auto dotted = [](const WORD w[4]) {
        return std::to_string(w[0]) + "." + std::to_string(w[1]) + "." + std::to_string(w[2]) +
               "." + std::to_string(w[3]);
    };
    m_out << "version record:\n"
          << "  file version " << dotted(info.wFileVersion) << ", product version "
          << dotted(info.wProductVersion) << ", type " << info.strFileType.GetString() << "\n";
    for (const AFX_VERSION_COPY& copy : info.copies) {
        m_out << "  language " << copy.wLanguage << ", block " << copy.strBlock.GetString()
              << ":\n";
        for (const auto& [strKey, strValue] : copy.strings)
            m_out << "    " << Printable(strKey) << " = \"" << Printable(strValue) << "\"\n";
    }
    return true;
}

void CPluginProbe::Close()
{
    if (m_hModule == nullptr)
        return;
    for (const EntryPoint& e : m_entryPoints) {
        if (std::string(e.plainName) == "OnClose" && e.address != nullptr)
            reinterpret_cast<VoidEntry>(e.address)();
    }
    // The module stays mapped: a host keeps its plug-ins until it exits, and
    // the framework's objects the plug-in created may still refer to it.
    m_hModule = nullptr;
}
