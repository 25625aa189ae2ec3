// A chart document as JSON:
//
//   { "selection": [names],
//     "chartFlags": word, "changed": bool, "shownStatistics": [names],
//     "raceCollection": null | { "class": "CManBi" | "CRaces", "count": n,
//                                "state": word (CRaces only, as stored) },
//     "races": [ { "name", "game", "turns",
//                  "blocks": [ { "kind", "statistic", "turns", "maximum",
//                                "minimum", "color", "values": [...] } ] } ] }
//
// Races come in the collection's order (by name). Values are per turn from
// turn 0; a turn without data is null. A race without turns has no blocks.
#pragma once

#include <QJsonObject>

class CKurvoDoc;
class CRace;

class KvJson
{
public:
    static QJsonObject toJson(CKurvoDoc& doc);

private:
    static QJsonObject flagsJson(CKurvoDoc& doc);
    static QJsonValue collectionJson(CKurvoDoc& doc);
    static QJsonObject raceJson(const CRace& race);
};
