// The chart document: every race of every game with its per-turn series, the
// race names the user chose to chart, and the chart-flags word that says which
// statistics are shown and whether the views must rebuild their caches.
//
// Flags: bit 0 (flagChanged) is the changed bit; bit k, k = 1..5, shows
// statistic kind k (StatKinds.h). The document never marks itself modified:
// it writes its file whenever it closes.
#pragma once

#include <afxwin.h>

#include "model/CManBi.h"

class CKurvoDoc : public CDocument
{
    DECLARE_DYNCREATE(CKurvoDoc)
public:
    // flagsRead is the mask that changes nothing: toggling with it is how the
    // flags are read, there being no separate getter.
    enum { flagChanged = 1, flagsRead = 0 };

    CKurvoDoc();
    ~CKurvoDoc() override;

    // Brings the frame of the first view to the front; FALSE without views.
    BOOL ActivateChartFrame();
    // Exclusive-or of nMask into the flags; the new word. Mask 0 reads it.
    LONG ToggleFlags(LONG nMask);
    int IsChanged() const { return (m_nChartFlags & flagChanged) ? 1 : 0; }
    CManBi* GetRaces() const { return m_pRaces; }
    CManBi* GetSelection() { return &m_selection; }

    // Each name once in the selection; sets the changed bit.
    BOOL AddSelectedRaces(CStringList& names);
    // Fetches every race the collection lacks or holds out of date; a game
    // whose first stored race has the host's turn count is taken as current
    // (unless the refresh before failed). A failure part way (std::bad_alloc
    // passed on) keeps every race finished so far, each whole, and leaves
    // the race being fetched as it was.
    BOOL UpdateFromHost();
    // A new, empty collection filled from the host. All or nothing: a
    // failure gives the document back the collection it had.
    BOOL ResetRaces();

    // The selection (no class record), the race collection (with its class
    // record), the flags. A collection of anything but races, or a selection
    // of anything but names, is refused as a bad class; a refused file leaves
    // the document as it was. Loading adds the file's names to the selection
    // (each name once) and replaces the races and flags. Storing refuses, before writing anything,
    // a document that loading would refuse.
    void Serialize(CArchive& ar) override;
    BOOL OnNewDocument() override;
    // Writes the file (when the document has one), then closes.
    void OnCloseDocument() override;

protected:
    CManBi* m_pRaces = nullptr;
    CManBi m_selection;
    LONG m_nChartFlags = flagChanged;
    // Whether the last refresh ran to its end; not stored.
    BOOL m_bLastRefreshDone = TRUE;

private:
    void UpdateGame(const CString& strGame, BOOL bTrustFirstRace);
    void StoreDocument(CArchive& ar);
    void LoadDocument(CArchive& ar);

    DECLARE_MESSAGE_MAP()
};
