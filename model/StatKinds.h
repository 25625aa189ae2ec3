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

// The flag bit and the string id follow from the kind alone.
constexpr STAT_KIND MakeStatKind(int nKind, LPCSTR lpszReplyKey, LONG lScale)
{
    return {nKind, lpszReplyKey, lScale, LONG(1) << nKind, UINT(5000 + nKind)};
}

inline constexpr STAT_KIND g_statKinds[kindCount] = {
    MakeStatKind(kindIndustry, "Industry", 100),
    MakeStatKind(kindPopulation, "Population", 100),
    MakeStatKind(kindWeapons, "WeaponsTech", 100000),
    MakeStatKind(kindDrives, "DrivesTech", 100000),
    MakeStatKind(kindShields, "ShieldsTech", 100000),
};

// Every kind's flag bit: the part of the chart flags that says what is shown.
inline constexpr LONG g_lStatFlagsAll = [] {
    LONG lFlags = 0;
    for (const STAT_KIND& kind : g_statKinds)
        lFlags |= kind.nFlagBit;
    return lFlags;
}();

// The flag bit of a kind 1 to 5.
constexpr LONG StatFlagBit(int nKind)
{
    return g_statKinds[nKind - kindFirst].nFlagBit;
}

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
