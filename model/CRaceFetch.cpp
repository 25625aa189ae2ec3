// CRace's fetch of its history from the host, apart from the rest of the
// class because it is the one part that talks to the application object.
#include "model/CRace.h"

#include "plugin/CKurvoApp.h"

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace
{

// The host's decimal text as the original platform's atof read it. The C
// locale is used explicitly: the process locale is the user's once the GUI
// library has started, and in many locales the decimal point is a comma.
double ReadDecimal(LPCSTR lpszText)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return strtod_l(lpszText, nullptr, cLocale);
}

// Truncation toward zero; a value beyond 32 bits takes the nearest bound
// instead of whatever the conversion happens to give (on the original
// platform that was INT32_MIN for every overflow, positive ones included).
LONG SaturateToLong(double dValue)
{
    if (dValue >= 2147483648.0)
        return INT32_MAX;
    if (dValue <= -2147483649.0)
        return INT32_MIN;
    return LONG(dValue);
}

} // namespace

BOOL CRace::ScaleReply(LPCSTR lpszText, LONG lScale, LONG& rValue)
{
    const double dValue = ReadDecimal(lpszText) * double(lScale);
    if (std::isnan(dValue))
        return FALSE;
    rValue = SaturateToLong(dValue);
    return TRUE;
}

BOOL CRace::FetchFromHost()
{
    CMapStringToString map(10);
    const CString strGame = GetSubKey();
    const CString strRace = GetKey();

    theApp.CallDataManager(strGame, CString("0"), CString("Get"), CString("RaceColor"), strRace,
                           map);
    CString strValue;
    LONG lColor = 0;
    if (map.Lookup("Color", strValue) && !ScaleReply(strValue, 1, lColor))
        lColor = 0;
    m_lColor = lColor;

    const LONG nHostTurns = theApp.QueryTurnCount(strGame);
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
    theApp.CallDataManager(strGame, strTurn, CString("Get"), CString("Race"), strRace, map);
    for (int k = 0; k < kindCount; ++k) {
        LONG* pBlock = m_apSeries[k];
        CString strValue;
        LONG lValue = 0;
        // A figure the host does not have, or one that is not a number,
        // marks the turn as without data and leaves the range alone.
        if (!map.Lookup(g_statKinds[k].lpszReplyKey, strValue) ||
            !ScaleReply(strValue, g_statKinds[k].lScale, lValue)) {
            pBlock[posFirstValue + nTurn] = lNoValue;
            continue;
        }
        pBlock[posFirstValue + nTurn] = lValue;
        if (lValue > pBlock[posMax])
            pBlock[posMax] = lValue;
        if (lValue < pBlock[posMin])
            pBlock[posMin] = lValue;
    }
}
