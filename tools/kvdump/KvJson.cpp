#include "KvJson.h"

#include "KvText.h"
#include "document/CKurvoDoc.h"
#include "model/CRace.h"
#include "model/StatKinds.h"

#include <QJsonArray>

namespace
{
QString text(const CString& ansi)
{
    return QString::fromStdString(toUtf8(ansi));
}

QJsonObject blockJson(const LONG* block, const STAT_KIND& kind)
{
    QJsonArray values;
    for (LONG t = 0; t < block[CRace::posTurns]; ++t) {
        const LONG value = block[CRace::posFirstValue + t];
        values.append(value == CRace::lNoValue ? QJsonValue() : QJsonValue(qint64(value)));
    }
    return {{"kind", kind.nKind},
            {"statistic", kind.lpszReplyKey},
            {"turns", qint64(block[CRace::posTurns])},
            {"maximum", qint64(block[CRace::posMax])},
            {"minimum", qint64(block[CRace::posMin])},
            {"color", qint64(block[CRace::posColor])},
            {"values", values}};
}
} // namespace

QJsonObject KvJson::toJson(CKurvoDoc& doc)
{
    QJsonArray selection;
    CDimPtr items;
    doc.GetSelection()->GetItems(items);
    for (int i = 0; i < items.GetSize(); ++i)
        selection.append(text(items.GetAt(i)->GetKey()));

    QJsonArray races;
    if (doc.GetRaces() != nullptr) {
        doc.GetRaces()->GetItems(items);
        for (int i = 0; i < items.GetSize(); ++i)
            races.append(raceJson(*static_cast<const CRace*>(items.GetAt(i))));
    }

    QJsonObject json = flagsJson(doc);
    json.insert("selection", selection);
    json.insert("raceCollection", collectionJson(doc));
    json.insert("races", races);
    return json;
}

QJsonObject KvJson::flagsJson(CKurvoDoc& doc)
{
    const LONG flags = doc.ToggleFlags(0);
    QJsonArray shown;
    for (const STAT_KIND& kind : g_statKinds) {
        if ((flags & kind.nFlagBit) != 0)
            shown.append(kind.lpszReplyKey);
    }
    return {{"chartFlags", qint64(flags)},
            {"changed", doc.IsChanged() != 0},
            {"shownStatistics", shown}};
}

QJsonValue KvJson::collectionJson(CKurvoDoc& doc)
{
    CManBi* races = doc.GetRaces();
    if (races == nullptr)
        return QJsonValue();
    const CRuntimeClass* runtimeClass = races->GetRuntimeClass();
    QJsonObject json{{"class", runtimeClass->m_lpszClassName},
                     {"count", qint64(races->GetCount())}};
    // Only this kind stores its state word; that of a plain collection is
    // recomputed on reading and says nothing about the file.
    if (runtimeClass != RUNTIME_CLASS(CManBi))
        json.insert("state", qint64(races->GetState()));
    return json;
}

QJsonObject KvJson::raceJson(const CRace& race)
{
    QJsonArray blocks;
    for (const STAT_KIND& kind : g_statKinds) {
        if (const LONG* block = race.GetSeries(kind.nKind))
            blocks.append(blockJson(block, kind));
    }
    return {{"name", text(race.GetKey())},
            {"game", text(race.GetSubKey())},
            {"turns", qint64(race.GetTurnCount())},
            {"blocks", blocks}};
}
