#include "PluginTestSupport.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>

std::string PluginPath()
{
    const char* dir = getenv("KURVO_BIN_DIR");
    return std::string(dir ? dir : ".") + "/KURVO7.so";
}

void* LoadedPlugin()
{
    static void* hModule = [] {
        CString strError;
        void* h = AfxLoadLibrary(PluginPath().c_str(), &strError);
        if (h == nullptr)
            ADD_FAILURE() << "cannot load " << PluginPath() << ": " << strError.GetString();
        return h;
    }();
    return hModule;
}

void* PluginSymbol(const char* name)
{
    void* h = LoadedPlugin();
    return h ? dlsym(h, name) : nullptr;
}

StringMap ToStdMap(const CMapStringToString& map)
{
    StringMap out;
    POSITION pos = map.GetStartPosition();
    while (pos != nullptr) {
        CString strKey, strValue;
        map.GetNextAssoc(pos, strKey, strValue);
        out[strKey.str()] = strValue.str();
    }
    return out;
}

void Fill(CMapStringToString& map, const StringMap& entries)
{
    for (const auto& [key, value] : entries)
        map.SetAt(key.c_str(), value.c_str());
}
