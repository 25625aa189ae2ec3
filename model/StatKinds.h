// The statistic kinds, numbered 1 to 5 and always taken in that order: in a
// race's series array, in the fetch, in the stored form. One table ties each
// kind to its host reply key, its scale factor (a host figure times the
// factor, truncated, is the stored integer), its bit in the document's chart
// flags and the id of its display string, which the views also use as the
// menu command id. Everything that needs one of these asks this table.
#pragma once

#include <afx.h>

enum {
    kindIndustry = 1,
    kindPopulation = 2,
    kindWeapons = 3,
    kindDrives = 4,
    kindShields = 5,
    kindFirst = kindIndustry,
    kindLast = kindShields,
    kindCount = 5
};

struct STAT_KIND {
    int nKind;
    LPCSTR lpszReplyKey;
    LONG lScale;
    LONG nFlagBit;  // 2 to the power kind; bit 0 of the flags is the changed bit
    UINT nStringId; // 5000 + kind
};

inline constexpr STAT_KIND g_statKinds[kindCount] = {
    {kindIndustry, "Industry", 100, 1 << kindIndustry, 5000 + kindIndustry},
    {kindPopulation, "Population", 100, 1 << kindPopulation, 5000 + kindPopulation},
    {kindWeapons, "WeaponsTech", 100000, 1 << kindWeapons, 5000 + kindWeapons},
    {kindDrives, "DrivesTech", 100000, 1 << kindDrives, 5000 + kindDrives},
    {kindShields, "ShieldsTech", 100000, 1 << kindShields, 5000 + kindShields},
};

// The row of a kind, or null for a number outside 1 to 5 (a block read
// from a file, a stray command id), so no caller indexes past the table.
constexpr const STAT_KIND* GetStatKind(int nKind)
{
    return nKind >= kindFirst && nKind <= kindLast ? &g_statKinds[nKind - kindFirst] : nullptr;
}

// The kind whose display string or menu command is nId, or 0.
constexpr int StatKindFromStringId(UINT nId)
{
    for (const STAT_KIND& kind : g_statKinds) {
        if (kind.nStringId == nId)
            return kind.nKind;
    }
    return 0;
}
