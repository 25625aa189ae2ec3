#include "KvCsv.h"

#include "KvText.h"
#include "document/CKurvoDoc.h"
#include "model/CRace.h"
#include "model/StatKinds.h"

namespace
{
QByteArray field(const std::string& text)
{
    const QByteArray bytes = QByteArray::fromStdString(text);
    if (!bytes.contains(',') && !bytes.contains('"') && !bytes.contains('\n') &&
        !bytes.contains('\r'))
        return bytes;
    QByteArray quoted = bytes;
    quoted.replace("\"", "\"\"");
    return '"' + quoted + '"';
}

void appendRace(QByteArray& out, const CRace& race)
{
    const QByteArray game = field(toUtf8(race.GetSubKey()));
    const QByteArray name = field(toUtf8(race.GetKey()));
    for (const STAT_KIND& kind : g_statKinds) {
        const LONG* block = race.GetSeries(kind.nKind);
        if (block == nullptr)
            continue;
        for (LONG t = 0; t < block[CRace::posTurns]; ++t) {
            const LONG value = block[CRace::posFirstValue + t];
            out +=
                game + ',' + name + ',' + kind.lpszReplyKey + ',' + QByteArray::number(t + 1) + ',';
            if (value != CRace::lNoValue)
                out += KvCsv::hostValue(value, kind.lScale);
            out += '\n';
        }
    }
}
} // namespace

QByteArray KvCsv::hostValue(long long lStored, long long lScale)
{
    // Integer arithmetic, so the text is exactly the stored figure.
    int nDigits = 0;
    for (long long n = lScale; n > 1; n /= 10)
        ++nDigits;
    const bool bNegative = lStored < 0;
    const unsigned long long nAbs =
        bNegative ? 0ULL - static_cast<unsigned long long>(lStored) : lStored;
    QByteArray text = QByteArray::number(nAbs / lScale);
    if (nDigits > 0)
        text += '.' + QByteArray::number(nAbs % lScale).rightJustified(nDigits, '0');
    return bNegative ? '-' + text : text;
}

QByteArray KvCsv::toCsv(CKurvoDoc& doc)
{
    QByteArray out = "game,race,statistic,turn,value\n";
    if (doc.GetRaces() == nullptr)
        return out;
    CDimPtr items;
    doc.GetRaces()->GetItems(items);
    for (int i = 0; i < items.GetSize(); ++i)
        appendRace(out, *static_cast<const CRace*>(items.GetAt(i)));
    return out;
}
