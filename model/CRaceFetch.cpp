// CRace's fetch of its history from the host, apart from the rest of the
// class because it is the one part that talks to the application object.
#include "model/CRace.h"

#include "hostdata/CKurvoRequests.h"
#include <afx.h>

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
    return SaturateToLong(AfxAtof(lpszText) * double(lScale));
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
    const LONG lColor = ScaleReply(strValue, 1);

    const LONG nHostTurns = KurvoGetRequests().QueryTurnCount(strGame);
    if (nHostTurns < 0 || nHostTurns > nMaxTurns) {
        m_lColor = lColor;
        return FALSE;
    }
    // The blocks cannot shrink in place; when the host holds fewer turns
    // its data is the truth, so the race starts over and fetches every turn.
    const LONG nOldTurns = nHostTurns < m_nTurns ? 0 : m_nTurns;
    SERIES_BLOCKS blocks;
    if (nHostTurns > 0)
        blocks = MakeSeries(nHostTurns, nOldTurns, lColor);
    for (LONG nTurn = nHostTurns - 1; nTurn >= nOldTurns; --nTurn)
        FetchTurn(nTurn, strGame, strRace, map, blocks);

    // Nothing from here on can fail.
    m_lColor = lColor;
    if (nHostTurns > 0)
        AdoptSeries(blocks, nHostTurns);
    else
        FreeSeries();
    return TRUE;
}

void CRace::FetchTurn(LONG nTurn, const CString& strGame, const CString& strRace,
                      CMapStringToString& map, SERIES_BLOCKS& blocks)
{
    CString strTurn;
    strTurn.Format("%d", int(nTurn));
    KurvoGetRequests().CallDataManager(strGame, strTurn, CString("Get"), CString("Race"), strRace,
                                       map);
    for (int k = 0; k < kindCount; ++k) {
        LONG* pBlock = blocks[k].get();
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
