// The module's export table: the seven entry points, each under its plain
// name and under the name the original platform's compilers give a free
// function of that signature, so that hosts written for either find them.
// Both names are one function (an alias, not a second body). Nothing else
// leaves the module: everything is built hidden, and KURVO7.map lists these
// fourteen names as the only global ones.
//
// The toolchain reads '@' in a symbol name as a version tag, so the decorated
// names are linked as stand-ins of equal length and hash ("@@" as "?a", "@Z"
// as "A9"), and the build's kurvo-export-names step writes the real names into
// the linked module (see tools/linktool/KurvoExportNames.cpp). The build fails if a
// stand-in here drifts from its real name.
#include "plugin/CKurvoApp.h"
#include "plugin/KurvoEntryPoints.h"

#define KURVO_EXPORT extern "C" __attribute__((visibility("default")))

// GCC hands an assembler name to the assembler as text, where '?' must be
// quoted; clang names the symbol directly and would keep the quotes in it.
#if defined(__clang__)
#define KURVO_SYMBOL_NAME(decorated) decorated
#else
#define KURVO_SYMBOL_NAME(decorated) "\"" decorated "\""
#endif

// A second exported name for an entry point already defined in this file.
#define KURVO_DECORATED_ALIAS(name, decorated, target)                                             \
    KURVO_EXPORT decltype(target) name __asm__(KURVO_SYMBOL_NAME(decorated))                       \
        __attribute__((alias(#target)))

KURVO_EXPORT void OnLoad()
{
    theApp.OnLoad();
}
KURVO_EXPORT void OnClose()
{
    theApp.OnClose();
}
KURVO_EXPORT void OnInitialize(CMapStringToString& map)
{
    theApp.OnInitialize(map);
}
KURVO_EXPORT void OnAbout(CMapStringToString& map)
{
    theApp.OnAbout(map);
}
KURVO_EXPORT void OnUserCommand(CMapStringToString& map)
{
    theApp.OnUserCommand(map);
}
KURVO_EXPORT void OnReportLoaded(CMapStringToString& map)
{
    theApp.OnReportLoaded(map);
}
KURVO_EXPORT void OnGamesListModified(CMapStringToString& map)
{
    theApp.OnGamesListModified(map);
}

// One alias per row of the entry-point list, under the row's stand-in name.
#define KURVO_ALIAS_ROW(name, decorated, standIn, takesMap)                                        \
    KURVO_DECORATED_ALIAS(Kurvo##name##Decorated, standIn, name);
KURVO_ENTRY_POINTS(KURVO_ALIAS_ROW)
#undef KURVO_ALIAS_ROW
