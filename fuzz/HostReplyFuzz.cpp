// Fuzz target: arbitrary bytes as the host's replies to the plug-in's
// requests, read by the list queries, the fetch of races and the refresh.
//
// Each line of the input is the reply to one request, in the order the
// plug-in sends them: pairs key=value separated by ';' (a pair without '='
// is a key with an empty value). Once the lines run out the host answers
// nothing. The plug-in runs a refresh, a second refresh over what it holds,
// a selection query and a reset; after each, every race must keep its
// series in shape, and the document must save and load back with the same
// selection, flags, races and series. Two races of one name (in two games)
// may come back in either order, since a load balances the collection, and
// a race without turns comes back black, as it always has; the comparison
// leaves both aside.
//
// A turn count is what the plug-in fetches turn by turn; a reply claiming
// more than kMaxFuzzTurns (but no more than the plug-in accepts) is answered
// without its count, so that one input cannot keep the fuzzer busy for
// seconds. The plug-in's own bound on turns is covered by fixtures.
#include "document/CKurvoDoc.h"
#include "hostdata/KurvoAtol.h"
#include "model/CRace.h"
#include "plugin/CKurvoApp.h"
#include "tests/support/ChartBytes.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace
{

constexpr LONG kMaxFuzzTurns = 64;

class CScriptedHost
{
public:
    CScriptedHost(const uint8_t* pData, size_t nSize)
        : m_script(reinterpret_cast<const char*>(pData), nSize)
    {
        s_pCurrent = this;
        theApp.m_pfnDataManager = &CScriptedHost::Callback;
    }
    ~CScriptedHost()
    {
        theApp.m_pfnDataManager = nullptr;
        s_pCurrent = nullptr;
    }
    CScriptedHost(const CScriptedHost&) = delete;
    CScriptedHost& operator=(const CScriptedHost&) = delete;

    static void Callback(CMapStringToString& map) { s_pCurrent->Answer(map); }

private:
    void Answer(CMapStringToString& map);
    std::string_view NextLine();

    static CScriptedHost* s_pCurrent;
    std::string_view m_script;
};

CScriptedHost* CScriptedHost::s_pCurrent = nullptr;

std::string_view CScriptedHost::NextLine()
{
    const size_t nEnd = m_script.find('\n');
    const std::string_view line = m_script.substr(0, nEnd);
    m_script.remove_prefix(nEnd == std::string_view::npos ? m_script.size() : nEnd + 1);
    return line;
}

std::string CutAtZero(std::string_view text)
{
    return std::string(text.substr(0, text.find('\0')));
}

BOOL AsksForTurns(const CMapStringToString& map)
{
    CString strFunction, strWhat;
    return map.Lookup("Function", strFunction) && strFunction == "List" &&
           map.Lookup("Parameter.1", strWhat) && strWhat == "Turns";
}

void CScriptedHost::Answer(CMapStringToString& map)
{
    const BOOL bTurns = AsksForTurns(map);
    std::string_view line = NextLine();
    while (!line.empty()) {
        const size_t nEnd = line.find(';');
        const std::string_view pair = line.substr(0, nEnd);
        line.remove_prefix(nEnd == std::string_view::npos ? line.size() : nEnd + 1);
        const size_t nEquals = pair.find('=');
        // Cut at a zero byte, as the map itself does, so that the count
        // checked is the count the plug-in gets.
        const std::string key = CutAtZero(pair.substr(0, nEquals));
        const std::string value = CutAtZero(
            nEquals == std::string_view::npos ? std::string_view() : pair.substr(nEquals + 1));
        const LONG nTurns = KurvoAtol(value.c_str());
        if (bTurns && key == "Count" && nTurns > kMaxFuzzTurns && nTurns <= CRace::nMaxTurns)
            continue;
        map.SetAt(key.c_str(), value.c_str());
    }
}

using ChartBytes::Load;
using ChartBytes::Store;

void CheckRace(const CRace& race)
{
    const LONG nTurns = race.GetTurnCount();
    if (nTurns < 0 || nTurns > CRace::nMaxTurns)
        std::abort();
    for (int k = kindFirst; k <= kindLast; ++k) {
        const LONG* pBlock = race.GetSeries(k);
        if ((pBlock != nullptr) != (nTurns > 0))
            std::abort(); // blocks without turns or turns without blocks
        if (pBlock == nullptr)
            continue;
        if (pBlock[CRace::posTurns] != nTurns || pBlock[CRace::posKind] != k ||
            pBlock[CRace::posMax] < 0 || pBlock[CRace::posMin] > 0)
            std::abort();
    }
}

void CheckDocument(CKurvoDoc& doc)
{
    if (doc.GetRaces() != nullptr) {
        CDimPtr items;
        doc.GetRaces()->GetItems(items);
        for (int i = 0; i < items.GetSize(); ++i)
            CheckRace(*static_cast<const CRace*>(items.GetAt(i)));
    }
    CKurvoDoc again;
    if (!Load(again, Store(doc)))
        std::abort(); // what the host sent made a file the plug-in refuses
    if (ChartBytes::Describe(again, false) != ChartBytes::Describe(doc, false))
        std::abort(); // a save and load changed the document
}

LONG RaceCount(CKurvoDoc& doc)
{
    return doc.GetRaces() != nullptr ? doc.GetRaces()->GetCount() : 0;
}

} // namespace

// For the regression driver: how many races the first refresh fetched.
extern "C" long HostReplyFuzzRaces(const uint8_t* pData, size_t nSize)
{
    CScriptedHost host(pData, nSize);
    CKurvoDoc doc;
    doc.UpdateFromHost();
    return RaceCount(doc);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize > 1 << 13)
        return 0;
    CScriptedHost host(pData, nSize);
    CKurvoDoc doc;
    doc.UpdateFromHost();
    CheckDocument(doc);
    doc.UpdateFromHost();
    CheckDocument(doc);
    CMapStringToString command;
    command.SetAt("GameName", "Alpha");
    CStringList selection;
    theApp.QuerySelection(command, selection);
    doc.AddSelectedRaces(selection);
    CheckDocument(doc);
    doc.ResetRaces();
    CheckDocument(doc);
    return 0;
}
