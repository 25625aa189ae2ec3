#include "document/CKurvoDoc.h"

#include "hostdata/CKurvoRequests.h"
#include "model/CObString.h"
#include "model/CRace.h"

#include <memory>

IMPLEMENT_DYNCREATE(CKurvoDoc, CDocument)

BEGIN_MESSAGE_MAP(CKurvoDoc, CDocument)
END_MESSAGE_MAP()

CKurvoDoc::CKurvoDoc() = default;

CKurvoDoc::~CKurvoDoc()
{
    delete m_pRaces;
}

LONG CKurvoDoc::ToggleFlags(LONG nMask)
{
    m_nChartFlags ^= nMask;
    return m_nChartFlags;
}

BOOL CKurvoDoc::AddSelectedRaces(CStringList& names)
{
    POSITION pos = names.GetHeadPosition();
    while (pos != nullptr)
        m_selection.AddOrReplace(new CObString(names.GetNext(pos)));
    m_nChartFlags |= flagChanged;
    return TRUE;
}

BOOL CKurvoDoc::UpdateFromHost()
{
    m_nChartFlags |= flagChanged;
    // Opening a file whose collection was stored as null leaves none; the
    // refresh gives the document one instead of following a null pointer.
    if (m_pRaces == nullptr)
        m_pRaces = new CManBi;

    // A refresh that fails part way (an allocation, in the host or here)
    // keeps every race it finished and leaves the one it was fetching as it
    // was. It may have stopped inside a game after bringing only that
    // game's first race up to date, so the next refresh looks at every race
    // instead of taking a game's first current race for the whole game.
    const BOOL bTrustFirstRace = m_bLastRefreshDone;
    m_bLastRefreshDone = FALSE;
    try {
        CStringList games;
        // The queries append and never empty, so the list is emptied here
        // even though it is new: it must start empty whatever its
        // constructor does.
        games.RemoveAll();
        KurvoGetRequests().QueryGames(games);
        POSITION pos = games.GetHeadPosition();
        while (pos != nullptr)
            UpdateGame(games.GetNext(pos), bTrustFirstRace);
    } catch (...) {
        // The races inserted so far are not yet in the index the searches
        // follow; balancing puts them there (and if even that fails, the
        // tree is still whole and the next save or balance indexes it).
        m_nChartFlags |= flagChanged;
        m_pRaces->Balance();
        throw;
    }
    m_pRaces->Balance();
    m_bLastRefreshDone = TRUE;
    // Set again at the end: a view that rebuilt its tables while the host
    // answered must not keep pointers to blocks the refresh has replaced.
    m_nChartFlags |= flagChanged;
    return TRUE;
}

void CKurvoDoc::UpdateGame(const CString& strGame, BOOL bTrustFirstRace)
{
    CStringList races;
    // Emptied for the same reason as the list of games above.
    races.RemoveAll();
    KurvoGetRequests().QueryRaces(strGame, races);
    POSITION pos = races.GetHeadPosition();
    while (pos != nullptr) {
        auto pKey = std::make_unique<CRace>(races.GetNext(pos), strGame);
        CDimPtr found;
        m_pRaces->FindEqual(pKey.get(), found);
        if (found.GetSize() == 0) {
            pKey->FetchFromHost();
            if (m_pRaces->Insert(pKey.get()))
                pKey.release();
            continue;
        }
        pKey.reset();
        CRace* pStored = static_cast<CRace*>(found.GetAt(0));
        if (pStored->GetTurnCount() == KurvoGetRequests().QueryTurnCount(strGame)) {
            // One race already holding the host's turn count stands for the
            // whole game: the rest of it is taken as current.
            if (bTrustFirstRace)
                return;
            continue;
        }
        pStored->FetchFromHost();
    }
}

BOOL CKurvoDoc::ResetRaces()
{
    // The new collection is filled while the old one waits aside, so a
    // reset that fails gives the document back its races as they were.
    auto pFresh = std::make_unique<CManBi>();
    std::unique_ptr<CManBi> pOld(m_pRaces);
    m_pRaces = pFresh.get();
    try {
        UpdateFromHost();
    } catch (...) {
        m_pRaces = pOld.release();
        m_nChartFlags |= flagChanged;
        throw;
    }
    pFresh.release();
    return TRUE;
}

BOOL CKurvoDoc::ActivateChartFrame()
{
    POSITION pos = GetFirstViewPosition();
    if (pos == nullptr)
        return FALSE;
    CView* pView = GetNextView(pos);
    if (pView == nullptr)
        return TRUE;
    CFrameWnd* pFrame = pView->GetParentFrame();
    CWnd* pClient = pFrame ? pFrame->GetParent() : nullptr;
    if (pClient != nullptr)
        pClient->SendMessage(WM_MDIACTIVATE, WPARAM(pFrame->GetSafeHwnd()), 0);
    return TRUE;
}

void CKurvoDoc::Serialize(CArchive& ar)
{
    // The archive finds classes by name in the current module's registry;
    // the host's state is current when the framework calls this.
    AFX_MAINTAIN_STATE state(AfxGetStaticModuleState());
    if (ar.IsStoring())
        StoreDocument(ar);
    else
        LoadDocument(ar);
}

void CKurvoDoc::StoreDocument(CArchive& ar)
{
    // A file that the next open would refuse loses the user's whole chart,
    // so the load's own checks are made before a byte goes out, and a
    // document that fails them is a failed save that leaves the old file.
    if (!m_selection.HoldsOnly(RUNTIME_CLASS(CObString)))
        AfxThrowArchiveException(CArchiveException::badClass, ar.m_strFileName);
    if (m_pRaces != nullptr) {
        if (!m_pRaces->HoldsOnly(RUNTIME_CLASS(CRace)))
            AfxThrowArchiveException(CArchiveException::badClass, ar.m_strFileName);
        CDimPtr races;
        m_pRaces->GetItems(races);
        for (int i = 0; i < races.GetSize(); ++i) {
            if (!static_cast<const CRace*>(races.GetAt(i))->HasWholeSeries())
                AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
        }
    }
    m_selection.Serialize(ar);
    ar.WriteObject(m_pRaces);
    ar << m_nChartFlags;
}

void CKurvoDoc::LoadDocument(CArchive& ar)
{
    // Everything is read aside first, so a damaged file changes nothing.
    CManBi selection;
    selection.Serialize(ar);
    // The views match races against the selection by name only.
    if (!selection.HoldsOnly(RUNTIME_CLASS(CObString)))
        AfxThrowArchiveException(CArchiveException::badClass, ar.m_strFileName);
    std::unique_ptr<CObject> pRead(ar.ReadNewObject(RUNTIME_CLASS(CManBi)));
    CManBi* pRaces = static_cast<CManBi*>(pRead.get());
    // The views treat every item of the collection as a race.
    if (pRaces != nullptr && !pRaces->HoldsOnly(RUNTIME_CLASS(CRace)))
        AfxThrowArchiveException(CArchiveException::badClass, ar.m_strFileName);
    LONG nFlags = 0;
    ar >> nFlags;

    // The file's names are added to those already selected. The union is
    // made aside, with copies of the names held, so that the step that
    // adopts it is an exchange that cannot fail: an open either gives the
    // file's document or leaves the old one. A name already selected is
    // not added twice.
    CDimPtr held;
    m_selection.GetItems(held);
    for (int i = 0; i < held.GetSize(); ++i) {
        CDimPtr found;
        if (selection.FindEqual(held.GetAt(i), found))
            continue;
        auto pCopy = std::make_unique<CObString>(held.GetAt(i)->GetKey());
        if (selection.Insert(pCopy.get()))
            pCopy.release();
    }
    selection.Balance();
    m_selection.Swap(selection);
    delete m_pRaces;
    m_pRaces = static_cast<CManBi*>(pRead.release());
    m_nChartFlags = nFlags;
}

BOOL CKurvoDoc::OnNewDocument()
{
    return CDocument::OnNewDocument() ? TRUE : FALSE;
}

void CKurvoDoc::OnCloseDocument()
{
    const CString strPath = GetPathName();
    // A document that never got a path has no file to write; saving would
    // only report a failure for a file the user never asked for.
    if (!strPath.IsEmpty())
        OnSaveDocument(strPath);
    CDocument::OnCloseDocument();
}
