// The module's export table: both names of every entry point lead to one
// function, and the dynamic symbol table holds those fourteen names and no
// others (no framework or runtime symbol leaks out of the module).
#include "PluginTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>

namespace
{

struct ExportNames {
    const char* plain;
    const char* decorated;
};

const ExportNames kExports[] = {
    {"OnAbout", "?OnAbout@@YAXAAVCMapStringToString@@@Z"},
    {"OnClose", "?OnClose@@YAXXZ"},
    {"OnGamesListModified", "?OnGamesListModified@@YAXAAVCMapStringToString@@@Z"},
    {"OnInitialize", "?OnInitialize@@YAXAAVCMapStringToString@@@Z"},
    {"OnLoad", "?OnLoad@@YAXXZ"},
    {"OnReportLoaded", "?OnReportLoaded@@YAXAAVCMapStringToString@@@Z"},
    {"OnUserCommand", "?OnUserCommand@@YAXAAVCMapStringToString@@@Z"},
};

class EntryPointNames : public testing::TestWithParam<ExportNames>
{
};

TEST_P(EntryPointNames, BothNamesResolveToOneFunction)
{
    void* pPlain = PluginSymbol(GetParam().plain);
    void* pDecorated = PluginSymbol(GetParam().decorated);
    ASSERT_NE(pPlain, nullptr) << GetParam().plain;
    ASSERT_NE(pDecorated, nullptr) << GetParam().decorated;
    EXPECT_EQ(pPlain, pDecorated);
}

INSTANTIATE_TEST_SUITE_P(AllSeven, EntryPointNames, testing::ValuesIn(kExports),
                         [](const auto& info) { return std::string(info.param.plain); });

TEST(ExportTable, HoldsExactlyTheFourteenEntryPointNames)
{
    std::string command = "nm -D --defined-only '" + PluginPath() + "'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::multiset<std::string> names;
    char line[4096];
    while (fgets(line, sizeof line, pipe) != nullptr) {
        std::istringstream fields(line);
        std::string address, type, name;
        fields >> address >> type >> name;
        names.insert(name);
    }
    ASSERT_EQ(pclose(pipe), 0) << command;

    std::multiset<std::string> expected;
    for (const ExportNames& e : kExports) {
        expected.insert(e.plain);
        expected.insert(e.decorated);
    }
    EXPECT_EQ(names, expected);
}

} // namespace
