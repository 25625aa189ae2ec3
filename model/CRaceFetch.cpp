// CRace's fetch of its history from the host, apart from the rest of the
// class because it is the one part that talks to the application object.
#include "model/CRace.h"

#include "hostdata/CKurvoRequests.h"
#include "hostdata/KurvoAtof.h"

#include <cmath>
#include <cstdint>

namespace
{

// Truncation toward zero; a value beyond 32 bits takes the nearest bound
// instead of whatever the conversion happens to give (on the original
// platform that was INT32_MIN for every overflow, positive ones included).
LONG SaturateToLong(double dValue)
{
    // Only an infinite figure times a scale of 0 gives this; converting it
    // would be undefined.
    if (std::isnan(dValue))
        return 0;
    if (dValue >= 2147483648.0)
        return INT32_MAX;
    if (dValue <= -2147483649.0)
        return INT32_MIN;
    return LONG(dValue);
}

} // namespace

LONG CRace::ScaleReply(LPCSTR lpszText, LONG lScale)
{
    return SaturateToLong(KurvoAtof(lpszText) * double(lScale));
}

BOOL CRace::FetchFromHost()
{
    CMapStringToString map(10);
    const CString strGame = GetSubKey();
    const CString strRace = GetKey();

    KurvoGetRequests().CallDataManager(strGame, CString("0"), CString("Get"), CString("RaceColor"),
                                       strRace, map);
    CString strValue;
    // A missing colour leaves the text empty, which reads as 0: black.
    map.Lookup("Color", strValue);
    m_lColor = ScaleReply(strValue, 1);

    const LONG nHostTurns = KurvoGetRequests().QueryTurnCount(strGame);
    if (nHostTurns < 0 || nHostTurns > nMaxTurns)
        return FALSE;
    LONG nOldTurns = GetTurnCount();
    if (nHostTurns < nOldTurns) {
        // The blocks cannot shrink in place; the host's data is the truth,
        // so the race starts over and fetches every turn again.
        FreeSeries();
        nOldTurns = 0;
    }
    SetTurnCount(nHostTurns);
    for (LONG nTurn = nHostTurns - 1; nTurn >= nOldTurns; --nTurn)
        FetchTurn(nTurn, strGame, strRace, map);
    return TRUE;
}

void CRace::FetchTurn(LONG nTurn, const CString& strGame, const CString& strRace,
                      CMapStringToString& map)
{
    CString strTurn;
    strTurn.Format("%d", int(nTurn));
    KurvoGetRequests().CallDataManager(strGame, strTurn, CString("Get"), CString("Race"), strRace,
                                       map);
    for (int k = 0; k < kindCount; ++k) {
        LONG* pBlock = m_apSeries[k];
        CString strValue;
        // Only a figure the host does not have marks the turn as without
        // data and leaves the range alone; any text it sends is a value.
        if (!map.Lookup(g_statKinds[k].lpszReplyKey, strValue)) {
            pBlock[posFirstValue + nTurn] = lNoValue;
            continue;
        }
        const LONG lValue = ScaleReply(strValue, g_statKinds[k].lScale);
        pBlock[posFirstValue + nTurn] = lValue;
        if (lValue > pBlock[posMax])
            pBlock[posMax] = lValue;
        if (lValue < pBlock[posMin])
            pBlock[posMin] = lValue;
    }
}
