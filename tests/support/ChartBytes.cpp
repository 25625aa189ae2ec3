#include "tests/support/ChartBytes.h"

#include "model/CRace.h"

#include <algorithm>

namespace
{
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
} // namespace

namespace ChartBytes
{
Bytes Store(CKurvoDoc& doc)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    doc.Serialize(ar);
    ar.Close();
    return file.Detach();
}

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

std::vector<std::string> Describe(CKurvoDoc& doc, bool bWithCollectionClass)
{
    std::vector<std::string> lines;
    CDimPtr items;
    doc.GetSelection()->GetItems(items);
    for (int i = 0; i < items.GetSize(); ++i)
        lines.push_back(items.GetAt(i)->GetKey().GetString());
    lines.push_back(std::to_string(doc.ToggleFlags(0)));
    if (doc.GetRaces() == nullptr)
        return lines;
    if (bWithCollectionClass)
        lines.push_back(doc.GetRaces()->GetRuntimeClass()->m_lpszClassName);
    std::vector<std::string> races;
    doc.GetRaces()->GetItems(items);
    for (int i = 0; i < items.GetSize(); ++i)
        races.push_back(DescribeRace(*static_cast<const CRace*>(items.GetAt(i))));
    std::sort(races.begin(), races.end());
    lines.insert(lines.end(), races.begin(), races.end());
    return lines;
}
} // namespace ChartBytes
