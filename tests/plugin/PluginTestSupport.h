// Shared pieces of the plug-in boundary tests: where the built module is, a
// loaded copy of it, and map helpers.
#pragma once

#include <afx.h>

#include "PluginModule.h"

#include <map>
#include <string>

// KURVO7.so in the build's output folder (KURVO_BIN_DIR, set by ctest).
std::string PluginPath();

// The module, loaded once for the whole program by the host's own loader.
PluginModule* LoadedPlugin();

// An entry point of the loaded module by name, or null.
void* PluginSymbol(const char* name);

using StringMap = std::map<std::string, std::string>;

StringMap ToStdMap(const CMapStringToString& map);
void Fill(CMapStringToString& map, const StringMap& entries);
