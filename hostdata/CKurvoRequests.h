// The plug-in's requests to the host: the one request builder and the list
// queries built on it. The application object is the one requester (it keeps
// the callback the host hands over at start-up); the classes below it, the
// race fetch and the document, reach it through KurvoGetRequests and this
// header alone, not through the whole application class.
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

// The application object's requests (defined with the application).
CKurvoRequests& KurvoGetRequests();
