// The chart application's requests to the host: the one request builder and
// the list queries built on it.
//
// A request map holds GameName, Turn and Function always (possibly empty),
// Parameter.1 and Parameter.2 only when non-empty, and Parameters.Count with
// how many of the two were sent. The host adds its reply keys to the same map
// before its callback returns.
#include "hostdata/CKurvoRequests.h"

#include "hostdata/KurvoAtol.h"
#include "resources/resource.h"

#include <cstdint>

namespace
{

// Constant-initialised, so it is in place before any static constructor, the
// application's included, registers.
CKurvoRequests* g_pRequests = nullptr;

// Every query builds its own map of this block size.
constexpr int kRequestBlockSize = 10;
const LPCSTR kFallbackGameName = "game137";

// Appends the values of a numbered reply: from the key for "Count" downwards
// until the first absent key. The walk has no lower bound of its own, so a
// host that also answers key 0 contributes that value last; a gap ends it.
BOOL AppendNumberedReply(const CMapStringToString& reply, LPCSTR lpszKeyFormat, CStringList& list)
{
    CString strCount;
    if (!reply.Lookup("Count", strCount))
        return FALSE;
    int nIndex = KurvoAtoi(strCount);
    if (nIndex == 0)
        return FALSE;
    // Each appended value needs its own key in the reply, so the walk cannot
    // run longer than the reply is large, whatever Count claims.
    for (;; --nIndex) {
        CString strKey, strValue;
        strKey.Format(lpszKeyFormat, nIndex);
        if (!reply.Lookup(strKey, strValue))
            break;
        list.AddTail(strValue);
        if (nIndex == INT32_MIN)
            break;
    }
    return TRUE;
}

// Sends a "List" request for one kind of thing about one game.
void RequestList(CKurvoRequests& requests, const CString& strGame, const CString& strTurn,
                 LPCSTR lpszWhat, CMapStringToString& map)
{
    CString strFunction, strParam1, strParam2;
    // Every literal goes in through "%s", never as the format itself, so a
    // '%' in a name or a game can never be read as a directive.
    strFunction.Format("%s", "List");
    strParam1.Format("%s", lpszWhat);
    requests.CallDataManager(strGame, strTurn, strFunction, strParam1, strParam2, map);
}

} // namespace

void KurvoSetRequests(CKurvoRequests* pRequests)
{
    g_pRequests = pRequests;
}

CKurvoRequests& KurvoGetRequests()
{
    if (g_pRequests != nullptr)
        return *g_pRequests;
    // Cleared on each call: a caller that set a callback on it cannot make it
    // answer the next caller.
    static CKurvoRequests s_unconnected;
    s_unconnected.m_pfnDataManager = nullptr;
    return s_unconnected;
}

void CKurvoRequests::CallDataManager(const CString& strGame, const CString& strTurn,
                                     const CString& strFunction, const CString& strParam1,
                                     const CString& strParam2, CMapStringToString& map)
{
    if (m_pfnDataManager == nullptr)
        return;
    map.RemoveAll();
    map.SetAt("GameName", strGame);
    map.SetAt("Turn", strTurn);
    map.SetAt("Function", strFunction);
    unsigned long nCount = 0;
    if (!strParam1.IsEmpty()) {
        map.SetAt("Parameter.1", strParam1);
        nCount = 1;
    }
    if (!strParam2.IsEmpty()) {
        map.SetAt("Parameter.2", strParam2);
        ++nCount;
    }
    CString strCount;
    strCount.Format("%lu", nCount);
    map.SetAt("Parameters.Count", strCount);
    m_pfnDataManager(map);
}

BOOL CKurvoRequests::QueryGames(CStringList& list)
{
    CMapStringToString map(kRequestBlockSize);
    RequestList(*this, CString(), CString(), "Games", map);
    return AppendNumberedReply(map, "Game.%d", list);
}

LONG CKurvoRequests::QueryTurnCount(const CString& strGame)
{
    CMapStringToString map(kRequestBlockSize);
    RequestList(*this, strGame, CString(), "Turns", map);
    CString strCount;
    if (!map.Lookup("Count", strCount))
        return 0;
    return KurvoAtol(strCount);
}

BOOL CKurvoRequests::QueryRaces(const CString& strGame, CStringList& list)
{
    CMapStringToString map(kRequestBlockSize);
    CString strTurn;
    strTurn.Format("%d", 0);
    RequestList(*this, strGame, strTurn, "Races", map);
    return AppendNumberedReply(map, "%d", list);
}

BOOL CKurvoRequests::QuerySelection(CMapStringToString& commandMap, CStringList& list)
{
    CMapStringToString map(kRequestBlockSize);
    CString strGame, strFunction, strParam1, strParam2;
    if (!commandMap.Lookup("GameName", strGame))
        strGame.Format("%s", kFallbackGameName);
    strFunction.Format("%s", "Selection");
    strParam1.Format("%d", ID_KURVO_ADDRACES);
    strParam2.Format("%s", "Name");
    CallDataManager(strGame, CString(), strFunction, strParam1, strParam2, map);
    return AppendNumberedReply(map, "%d", list);
}
