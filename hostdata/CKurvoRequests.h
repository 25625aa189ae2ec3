// The plug-in's requests to the host: the one request builder and the list
// queries built on it. The application object is the requester (it keeps the
// callback the host hands over at start-up) and registers itself when it is
// made; the classes below it, the race fetch and the document, reach it
// through KurvoGetRequests alone, so they build and test without it.
#pragma once

#include <afx.h>

#include "hostdata/DataManagerProc.h"

class CKurvoRequests
{
public:
    // Every query uses a request map of its own.
    void CallDataManager(const CString& strGame, const CString& strTurn, const CString& strFunction,
                         const CString& strParam1, const CString& strParam2,
                         CMapStringToString& map);
    BOOL QueryGames(CStringList& list);
    LONG QueryTurnCount(const CString& strGame);
    BOOL QueryRaces(const CString& strGame, CStringList& list);
    BOOL QuerySelection(CMapStringToString& commandMap, CStringList& list);

    // Null until the host supplies a usable "DataManager": no host data then.
    DataManagerProc m_pfnDataManager = nullptr;
};

// Makes pRequests the requests of the module (null: none). The caller keeps
// ownership and unregisters before pRequests goes away.
void KurvoSetRequests(CKurvoRequests* pRequests);
// The registered requests. With none registered, requests that reach no host
// (as before the host's hand-over): every query sends nothing and answers
// empty, so a fetch or refresh made too early finds no data instead of
// failing.
CKurvoRequests& KurvoGetRequests();
