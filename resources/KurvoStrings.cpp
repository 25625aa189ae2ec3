// The plug-in's string table, registered into the module's own framework
// state while the module is being loaded. Both language copies carry the
// same texts: the plug-in was never translated, but a host running in
// Russian must still find every string.
#include <afx.h>

#include "resources/resource.h"

#include <iterator>

namespace
{

constexpr LANGID kLangEnglishUS = 1033;
constexpr LANGID kLangRussian = 1049;

const AFX_STRING_RESOURCE kStrings[] = {
    {IDS_KURVO_MENU, "Kurvo"},
    {IDS_KURVO_ADDRACES, "Add Race(s) to Kurvo"},
    {IDR_KURVOTYPE, "\nKurvo\nKurvo\n\n.kv\nPlugin\nPlugin"},
    {IDS_KURVO_SAVENAME, "save"},
    {IDS_KURVO_SAVEEXT, ".kv"},
    {IDS_KURVO_RESET, "Reset Kurvo"},
    {IDS_KURVO_CHART, "Kurvo chart"},
    {IDS_KURVO_TURNS, "%ld turns"},
    {IDS_STAT_INDUSTRY, "Industry"},
    {IDS_STAT_POPULATION, "Population"},
    {IDS_STAT_WEAPON, "Weapon"},
    {IDS_STAT_DRIVE, "Drive"},
    {IDS_STAT_SHIELD, "Shield"},
};

struct CStringTableInit {
    CStringTableInit()
    {
        AFX_MODULE_STATE* pState = AfxGetStaticModuleState();
        pState->AddStrings(kLangEnglishUS, kStrings, std::size(kStrings));
        pState->AddStrings(kLangRussian, kStrings, std::size(kStrings));
    }
};

const CStringTableInit s_stringTableInit;

} // namespace
