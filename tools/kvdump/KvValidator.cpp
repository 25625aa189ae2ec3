#include "KvValidator.h"

#include "KvError.h"
#include "KvText.h"
#include "document/CKurvoDoc.h"
#include "model/CRace.h"
#include "model/StatKinds.h"

#include <set>
#include <string>
#include <utility>

namespace
{
constexpr LONG kDefinedFlags = CKurvoDoc::flagChanged | g_lStatFlagsAll;

std::string describe(const CRace& race)
{
    return "race " + quoted(race.GetKey()) + " of game " + quoted(race.GetSubKey());
}

void checkBlock(const CRace& race, const STAT_KIND& kind)
{
    const LONG* block = race.GetSeries(kind.nKind);
    const std::string where = describe(race) + ", " + kind.lpszReplyKey + " block: ";
    if (block[CRace::posKind] != kind.nKind)
        throw KvError(where + "kind " + std::to_string(block[CRace::posKind]) + " instead of " +
                      std::to_string(kind.nKind));
    if (block[CRace::posTurns] != race.GetTurnCount())
        throw KvError(where + std::to_string(block[CRace::posTurns]) + " turns, the race has " +
                      std::to_string(race.GetTurnCount()));
    if (block[CRace::posMax] < 0)
        throw KvError(where + "maximum " + std::to_string(block[CRace::posMax]) + " is below 0");
    if (block[CRace::posMin] > 0)
        throw KvError(where + "minimum " + std::to_string(block[CRace::posMin]) + " is above 0");
}
} // namespace

void KvValidator::check(CKurvoDoc& doc)
{
    checkFlags(doc);
    checkSelection(doc);
    checkRaces(doc);
}

void KvValidator::checkFlags(CKurvoDoc& doc)
{
    const LONG flags = doc.ToggleFlags(0);
    if ((flags & ~kDefinedFlags) != 0)
        throw KvError("chart flags " + std::to_string(flags) + " use bits other than 0 to 5");
}

void KvValidator::checkSelection(CKurvoDoc& doc)
{
    CDimPtr items;
    doc.GetSelection()->GetItems(items);
    std::set<std::string> seen;
    for (int i = 0; i < items.GetSize(); ++i) {
        const CString& name = items.GetAt(i)->GetKey();
        if (!seen.emplace(name.GetString(), size_t(name.GetLength())).second)
            throw KvError("the selection names " + quoted(name) + " twice");
    }
}

void KvValidator::checkRaces(CKurvoDoc& doc)
{
    if (doc.GetRaces() == nullptr)
        return;
    CDimPtr items;
    doc.GetRaces()->GetItems(items);
    std::set<std::pair<std::string, std::string>> seen;
    for (int i = 0; i < items.GetSize(); ++i) {
        const auto* race = static_cast<const CRace*>(items.GetAt(i));
        const CString& name = race->GetKey();
        const CString& game = race->GetSubKey();
        if (!seen.emplace(std::string(name.GetString(), size_t(name.GetLength())),
                          std::string(game.GetString(), size_t(game.GetLength())))
                 .second)
            throw KvError(describe(*race) + " is stored twice");
        if (race->GetTurnCount() == 0)
            continue;
        for (const STAT_KIND& kind : g_statKinds)
            checkBlock(*race, kind);
    }
}
