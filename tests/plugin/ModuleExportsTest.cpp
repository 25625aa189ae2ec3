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

// Checked against the one list the host's loader reads, so that a renamed
// entry point fails here as well as in a host.
class EntryPointNames : public testing::TestWithParam<KURVO_ENTRY_POINT>
{
};

TEST_P(EntryPointNames, BothNamesResolveToOneFunction)
{
    void* pPlain = PluginSymbol(GetParam().pszName);
    void* pDecorated = PluginSymbol(GetParam().pszDecorated);
    ASSERT_NE(pPlain, nullptr) << GetParam().pszName;
    ASSERT_NE(pDecorated, nullptr) << GetParam().pszDecorated;
    EXPECT_EQ(pPlain, pDecorated);
}

INSTANTIATE_TEST_SUITE_P(AllSeven, EntryPointNames, testing::ValuesIn(g_kurvoEntryPoints),
                         [](const auto& info) { return std::string(info.param.pszName); });

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
    for (const KURVO_ENTRY_POINT& e : g_kurvoEntryPoints) {
        expected.insert(e.pszName);
        expected.insert(e.pszDecorated);
    }
    EXPECT_EQ(names, expected);
}

} // namespace
