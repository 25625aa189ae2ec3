// Drives a chart plug-in through its start-up as a host would, and reports
// on a stream what the plug-in answered. Every failure (an unloadable file, a
// missing entry point, an unreadable version record) is reported on its own
// and makes the run fail, but the probe goes on with whatever still works.
#pragma once

#include <afx.h>

#include "PluginModule.h"

#include <memory>

#include <ostream>
#include <string>
#include <vector>

class CPluginProbe
{
public:
    CPluginProbe(std::ostream& out, std::ostream& err);
    ~CPluginProbe();
    CPluginProbe(const CPluginProbe&) = delete;
    CPluginProbe& operator=(const CPluginProbe&) = delete;

    bool Load(const std::string& path);
    bool ResolveEntryPoints();
    // OnLoad, OnInitialize (with the probe's own data manager) and OnAbout.
    void RunStartup();
    bool PrintVersionRecord(const std::string& path);
    void Close();

    // Requests the plug-in sent to the probe's data manager so far.
    static int RequestCount();

private:
    void PrintMap(const char* title, const CMapStringToString& map);

    std::ostream& m_out;
    std::ostream& m_err;
    std::unique_ptr<PluginModule> m_pModule;
};
