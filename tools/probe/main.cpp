// kurvo-probe [PLUGIN.so]
//
// Loads the chart plug-in (by default KURVO7.so beside this program), runs
// its start-up as a host does and prints its menu items, its About texts
// (converted from the ANSI code page for the terminal) and its version
// record. Exits 0 when everything answered, 1 otherwise.
#include "CPluginProbe.h"

#include <KurvoBuildVersion.h>

#include <climits>
#include <iostream>
#include <string>
#include <unistd.h>

namespace
{

std::string DefaultPluginPath()
{
    std::string self(PATH_MAX, '\0');
    ssize_t n = readlink("/proc/self/exe", self.data(), self.size() - 1);
    if (n <= 0)
        return "./KURVO7.so";
    self.resize(size_t(n));
    return self.substr(0, self.rfind('/') + 1) + "KURVO7.so";
}

} // namespace

int main(int argc, char** argv)
{
    const char* pszUsage =
        "usage: kurvo-probe [PLUGIN.so]\n       kurvo-probe --help | --version\n";
    const std::string strFirst = argc == 2 ? argv[1] : "";
    if (strFirst == "--help" || strFirst == "-h") {
        std::cout << pszUsage
                  << "Loads the chart plug-in (default: KURVO7.so beside this program), starts it\n"
                     "as a host does and prints its menu items, About texts and version record.\n"
                     "Exit status: 0 everything answered, 1 otherwise, 2 wrong command line.\n";
        return 0;
    }
    if (strFirst == "--version") {
        std::cout << "kurvo-probe " KURVO_VERSION_TEXT "\n";
        return 0;
    }
    if (argc > 2 || strFirst.starts_with("-")) {
        std::cerr << pszUsage;
        return 2;
    }
    std::string path = argc == 2 ? argv[1] : DefaultPluginPath();

    CPluginProbe probe(std::cout, std::cerr);
    if (!probe.Load(path))
        return 1;
    bool bOk = probe.ResolveEntryPoints();
    probe.RunStartup();
    bOk = probe.PrintVersionRecord(path) && bOk;
    probe.Close();
    std::cout << "data-manager requests received: " << CPluginProbe::RequestCount() << "\n";
    return bOk ? 0 : 1;
}
