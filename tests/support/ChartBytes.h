// A chart document as file bytes in memory, and an account of what it holds,
// for the fuzz harnesses and fault tests that compare one document with
// another after a save, a load or a failure.
#pragma once

#include "document/CKurvoDoc.h"

#include <string>
#include <vector>

namespace ChartBytes
{
using Bytes = std::vector<BYTE>;

Bytes Store(CKurvoDoc& doc);
// FALSE when the archive refused the bytes; the document is then as the
// failed load left it.
BOOL Load(CKurvoDoc& doc, const BYTE* pData, size_t nSize);
inline BOOL Load(CKurvoDoc& doc, const Bytes& bytes)
{
    return Load(doc, bytes.data(), bytes.size());
}

// Selection, flags, optionally the race collection's class, then every
// race's name, game and series. Races come sorted: races that share a name
// may come back from a load in another order, as a load balances the
// collection.
std::vector<std::string> Describe(CKurvoDoc& doc, bool bWithCollectionClass = true);
} // namespace ChartBytes
