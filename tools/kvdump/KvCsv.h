// A chart file's series as a tidy table, one row per figure: game, race,
// statistic, turn (from 1), and the value in the host's own units (the
// stored integer divided by the statistic's scale, written exactly), with an
// empty cell where the host had no figure. Ready for a spreadsheet or
// gnuplot; fields are quoted as RFC 4180 asks.
#pragma once

#include <QByteArray>

class CKurvoDoc;

namespace KvCsv
{
QByteArray toCsv(CKurvoDoc& doc);
// The stored integer in the host's units: 911131 at scale 100 is "9111.31".
QByteArray hostValue(long long lStored, long long lScale);
} // namespace KvCsv
