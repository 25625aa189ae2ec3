// The plug-in's string table: every entry in both language copies, reached
// from a foreign module state as the entry points are.
#include "plugin/KurvoLoadString.h"

#include <gtest/gtest.h>

#include <iterator>

namespace
{

struct StringEntry {
    UINT nID;
    const char* text;
};

const StringEntry kEntries[] = {
    {1, "Kurvo"},
    {2, "Add Race(s) to Kurvo"},
    {3, "\nKurvo\nKurvo\n\n.kv\nPlugin\nPlugin"},
    {4, "save"},
    {5, ".kv"},
    {6, "Reset Kurvo"},
    {7, "Kurvo chart"},
    {8, "%ld turns"},
    {5001, "Industry"},
    {5002, "Population"},
    {5003, "Weapon"},
    {5004, "Drive"},
    {5005, "Shield"},
};

// Looked at directly: loading falls back to the English copy, so only the
// table itself shows whether the Russian copy is complete.
TEST(StringTable, BothLanguageCopiesHoldExactlyTheEntries)
{
    const auto& copies = AfxGetStaticModuleState()->m_strings;
    for (LANGID wLanguage : {LANGID(1033), LANGID(1049)}) {
        ASSERT_EQ(copies.count(wLanguage), 1u) << wLanguage;
        const auto& table = copies.at(wLanguage);
        EXPECT_EQ(table.size(), std::size(kEntries)) << wLanguage;
        for (const StringEntry& entry : kEntries) {
            auto it = table.find(entry.nID);
            ASSERT_NE(it, table.end()) << wLanguage << " " << entry.nID;
            EXPECT_EQ(it->second, entry.text) << wLanguage << " " << entry.nID;
        }
    }
}

TEST(StringTable, LoadsThePlugInsOwnStringsFromAForeignState)
{
    AFX_MODULE_STATE hostState("test-host");
    AFX_MAINTAIN_STATE state(&hostState);
    for (const StringEntry& entry : kEntries)
        EXPECT_EQ(KurvoLoadString(entry.nID), entry.text) << entry.nID;
    EXPECT_EQ(KurvoLoadString(9), "");
    EXPECT_EQ(AfxGetModuleState(), &hostState);
}

} // namespace
