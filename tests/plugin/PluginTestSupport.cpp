#include "PluginTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

std::string PluginPath()
{
    const char* dir = getenv("KURVO_BIN_DIR");
    return std::string(dir ? dir : ".") + "/KURVO7.so";
}

PluginModule* LoadedPlugin()
{
    static std::unique_ptr<PluginModule> pModule = [] {
        PluginFailure failure;
        auto p = PluginModule::load(QString::fromStdString(PluginPath()), failure);
        if (p == nullptr)
            ADD_FAILURE() << failure.logLine().toStdString();
        return p;
    }();
    return pModule.get();
}

void* PluginSymbol(const char* name)
{
    PluginModule* pModule = LoadedPlugin();
    return pModule != nullptr ? pModule->symbol(name) : nullptr;
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
