// Fuzz target: arbitrary bytes read as a chart file by the chart document.
//
// A load either fails with the framework's exception, leaving the document
// exactly as it was, or succeeds; what loaded must then save, and the saved
// file must load into a new document holding the same selection, flags and
// races (races that share a name may come back in another order, since a
// load balances the collection, so the comparison ignores that order).
#include "document/CKurvoDoc.h"
#include "model/CRace.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

using Bytes = std::vector<BYTE>;

// Loads bytes into doc; FALSE when the archive refused them.
BOOL Load(CKurvoDoc& doc, const BYTE* pData, size_t nSize)
{
    try {
        CMemFile file(pData, UINT(nSize));
        CArchive ar(&file, CArchive::load);
        doc.Serialize(ar);
        return TRUE;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

Bytes Store(CKurvoDoc& doc)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    doc.Serialize(ar);
    ar.Close();
    return file.Detach();
}

std::string DescribeRace(const CRace& race)
{
    std::string text = std::string(race.GetKey()) + '\0' + race.GetSubKey().GetString();
    for (int k = kindFirst; k <= kindLast && race.GetTurnCount() > 0; ++k) {
        const LONG* pBlock = race.GetSeries(k);
        for (LONG j = 0; j < CRace::posFirstValue + race.GetTurnCount(); ++j)
            text += ' ' + std::to_string(pBlock[j]);
    }
    return text;
}

std::vector<std::string> Describe(CKurvoDoc& doc)
{
    std::vector<std::string> lines;
    CDimPtr items;
    doc.GetSelection()->GetItems(items);
    for (int i = 0; i < items.GetSize(); ++i)
        lines.push_back(items.GetAt(i)->GetKey().GetString());
    lines.push_back(std::to_string(doc.ToggleFlags(0)));
    if (doc.GetRaces() == nullptr)
        return lines;
    lines.push_back(doc.GetRaces()->GetRuntimeClass()->m_lpszClassName);
    std::vector<std::string> races;
    doc.GetRaces()->GetItems(items);
    for (int i = 0; i < items.GetSize(); ++i)
        races.push_back(DescribeRace(*static_cast<const CRace*>(items.GetAt(i))));
    std::sort(races.begin(), races.end());
    lines.insert(lines.end(), races.begin(), races.end());
    return lines;
}

} // namespace

// For the regression driver: whether the document accepts the input.
extern "C" int KvDocumentFuzzLoads(const uint8_t* pData, size_t nSize)
{
    CKurvoDoc doc;
    return Load(doc, pData, nSize);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize > 1 << 20)
        return 0;
    CKurvoDoc doc;
    const Bytes fresh = Store(doc);
    if (!Load(doc, pData, nSize)) {
        if (Store(doc) != fresh)
            std::abort(); // a refused file changed the document
        return 0;
    }
    const Bytes saved = Store(doc);
    CKurvoDoc again;
    if (!Load(again, saved.data(), saved.size()))
        std::abort(); // the document refused its own file
    if (Describe(again) != Describe(doc))
        std::abort(); // a save and load changed the document
    return 0;
}
