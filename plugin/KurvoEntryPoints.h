// The seven entry points a host calls in a chart plug-in: the one list of
// their names, read by the module's export table, the build (which writes the
// decorated names and the version script from it), the host's loader and the
// probe.
//
// Each row: the plain name, the name the original platform's compilers give
// a free function of that signature, its link-time stand-in ('@' cannot pass
// the linker; see tools/linktool), and whether it takes the request map.
// The order is the order in which the host's loader numbers them.
#pragma once

// clang-format off
#define KURVO_ENTRY_POINTS(X) \
    X(OnLoad, "?OnLoad@@YAXXZ", "?OnLoad?aYAXXZ", false) \
    X(OnInitialize, "?OnInitialize@@YAXAAVCMapStringToString@@@Z", "?OnInitialize?aYAXAAVCMapStringToString?aA9", true) \
    X(OnUserCommand, "?OnUserCommand@@YAXAAVCMapStringToString@@@Z", "?OnUserCommand?aYAXAAVCMapStringToString?aA9", true) \
    X(OnAbout, "?OnAbout@@YAXAAVCMapStringToString@@@Z", "?OnAbout?aYAXAAVCMapStringToString?aA9", true) \
    X(OnClose, "?OnClose@@YAXXZ", "?OnClose?aYAXXZ", false) \
    X(OnGamesListModified, "?OnGamesListModified@@YAXAAVCMapStringToString@@@Z", "?OnGamesListModified?aYAXAAVCMapStringToString?aA9", true) \
    X(OnReportLoaded, "?OnReportLoaded@@YAXAAVCMapStringToString@@@Z", "?OnReportLoaded?aYAXAAVCMapStringToString?aA9", true)
// clang-format on

struct KURVO_ENTRY_POINT {
    const char* pszName;
    const char* pszDecorated;
    bool bTakesMap;
};

#define KURVO_ENTRY_ROW(name, decorated, standIn, takesMap) {#name, decorated, takesMap},
inline constexpr KURVO_ENTRY_POINT g_kurvoEntryPoints[] = {KURVO_ENTRY_POINTS(KURVO_ENTRY_ROW)};
#undef KURVO_ENTRY_ROW

inline constexpr int g_nKurvoEntryPoints =
    int(sizeof(g_kurvoEntryPoints) / sizeof(g_kurvoEntryPoints[0]));
