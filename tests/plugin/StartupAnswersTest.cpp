// What the loaded module answers at start-up: its two menu items and its
// About texts, byte for byte, called while a host's own framework state (with
// a string table that lacks the plug-in's strings) is current.
#include "PluginTestSupport.h"

#include <gtest/gtest.h>

namespace
{

using MapEntry = void (*)(CMapStringToString&);

// Calls a map entry point of the module with a host's framework state current.
void CallAsHost(const char* name, CMapStringToString& map)
{
    auto pfn = reinterpret_cast<MapEntry>(PluginSymbol(name));
    ASSERT_NE(pfn, nullptr) << name;
    static AFX_MODULE_STATE hostState("test-host");
    AFX_MAINTAIN_STATE state(&hostState);
    pfn(map);
    EXPECT_EQ(AfxGetModuleState(), &hostState) << name << " left another module state current";
}

const StringMap kMenuItems = {
    {"MenuItem", "Kurvo"},
    {"MenuItem:51467", "Add Race(s) to Kurvo"},
};

struct InitializeCase {
    const char* name;
    StringMap hostKeys;
};

class InitializeReply : public testing::TestWithParam<InitializeCase>
{
};

// Whatever the host sends, the reply is its own keys plus the two menu items.
TEST_P(InitializeReply, AddsExactlyTheTwoMenuItems)
{
    CMapStringToString map;
    Fill(map, GetParam().hostKeys);
    CallAsHost("OnInitialize", map);

    StringMap expected = GetParam().hostKeys;
    expected.insert(kMenuItems.begin(), kMenuItems.end());
    EXPECT_EQ(ToStdMap(map), expected);
}

INSTANTIATE_TEST_SUITE_P(
    HostMaps, InitializeReply,
    testing::Values(InitializeCase{"Empty", {}},
                    InitializeCase{"NoCallback",
                                   {{"MainFrame", "17"}, {"DataManager", "0"}, {"EventMask", "3"}}},
                    InitializeCase{"HostKeysKept", {{"Host.Version", "7"}, {"Player", "x"}}},
                    InitializeCase{
                        "GarbageNumbers",
                        {{"MainFrame", "abc"}, {"DataManager", "-1"}, {"EventMask", ""}}}),
    [](const auto& info) { return std::string(info.param.name); });

const StringMap kAbout = {
    {"Name", "--- Kurvo \xEF\xEE \xF2\xE0\xE1\xEB\xE8\xF6\xE5 Race ---"},
    {"Author", "Tamsen"},
    {"Company", "\xC4\xE0"},
    {"Version", "v0.01 beta"},
    {"Date", "01/12/98"},
    {"Description", "\xCC\xEE\xE6\xED\xEE \xE8\xE7\xEE\xE1\xF0\xE0\xE7\xE8\xF2\xFC Kurvo "
                    "\xF0\xE0\xE7\xE2\xE8\xF2\xE8\xFF\r\n\xEF\xEE\xEA\xE0 "
                    "\xF2\xEE\xEB\xFC\xEA\xEE Industry \xE8 Population."},
};

TEST(AboutReply, GivesTheSixTextsInTheAnsiCodePage)
{
    CMapStringToString map;
    CallAsHost("OnAbout", map);
    EXPECT_EQ(ToStdMap(map), kAbout);
    EXPECT_EQ(AfxAnsiToUtf8(kAbout.at("Company")), "\xD0\x94\xD0\xB0"); // "Да" in UTF-8
}

TEST(AboutReply, ReplacesTheHostsValuesAndKeepsItsOtherKeys)
{
    CMapStringToString map;
    Fill(map, {{"Name", "old name"}, {"Host.Key", "kept"}});
    CallAsHost("OnAbout", map);

    StringMap expected = kAbout;
    expected["Host.Key"] = "kept";
    EXPECT_EQ(ToStdMap(map), expected);
}

TEST(CloseNotice, LeavesThePlugInAnswering)
{
    auto pfnClose = reinterpret_cast<void (*)()>(PluginSymbol("OnClose"));
    ASSERT_NE(pfnClose, nullptr);
    pfnClose();
    CMapStringToString map;
    CallAsHost("OnInitialize", map);
    EXPECT_EQ(ToStdMap(map), kMenuItems);
}

} // namespace
