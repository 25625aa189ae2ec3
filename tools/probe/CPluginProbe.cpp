#include "CPluginProbe.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace
{

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

CPluginProbe::CPluginProbe(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}

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
    PluginFailure failure;
    m_pModule = PluginModule::load(QString::fromStdString(path), failure);
    if (m_pModule == nullptr) {
        m_err << "cannot load " << path << " (" << failure.kindName().toStdString()
              << "): " << failure.cause().toStdString() << "\n";
        return false;
    }
    m_out << "loaded " << path << "\n";
    return true;
}

bool CPluginProbe::ResolveEntryPoints()
{
    if (m_pModule == nullptr)
        return false;
    bool bAll = true;
    for (int i = 0; i < PluginModule::EntryCount; ++i) {
        const auto entry = PluginModule::Entry(i);
        const KURVO_ENTRY_POINT& names = g_kurvoEntryPoints[i];
        void* pPlain = m_pModule->plainAddress(entry);
        void* pDecorated = m_pModule->decoratedAddress(entry);
        if (pPlain == nullptr || pDecorated == nullptr) {
            m_err << "missing export " << (pPlain ? names.pszDecorated : names.pszName) << "\n";
            bAll = false;
        } else if (pPlain != pDecorated) {
            m_err << "exports " << names.pszName << " and " << names.pszDecorated
                  << " lead to different functions\n";
            bAll = false;
        }
    }
    if (bAll)
        m_out << "all " << PluginModule::EntryCount << " entry points found under both names\n";
    return bAll;
}

void CPluginProbe::RunStartup()
{
    if (m_pModule == nullptr)
        return;
    m_pModule->call(PluginModule::OnLoad);
    if (m_pModule->has(PluginModule::OnInitialize)) {
        CMapStringToString map;
        CString strAddress;
        strAddress.Format("%llu", (unsigned long long)(uintptr_t)&ProbeDataManager);
        map.SetAt("MainFrame", "0");
        map.SetAt("DataManager", strAddress);
        map.SetAt("EventMask", "0");
        m_pModule->call(PluginModule::OnInitialize, map);
        PrintMap("OnInitialize answered", map);
    }
    if (m_pModule->has(PluginModule::OnAbout)) {
        CMapStringToString map;
        m_pModule->call(PluginModule::OnAbout, map);
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
    if (m_pModule == nullptr)
        return;
    m_pModule->call(PluginModule::OnClose);
    // The module stays mapped (PluginModule never unloads a started one): a
    // host keeps its plug-ins until it exits, and the framework's objects
    // the plug-in created may still refer to it.
    m_pModule.reset();
}
