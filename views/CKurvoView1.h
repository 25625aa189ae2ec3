// The chart view: one line chart of the races the document's selection names,
// one curve per race and shown statistic in the race's colour, over a grey
// grid of turns on black. Resting the mouse on the plot shows the nearest
// curve's value in the tip window, and so do the arrow keys, Home and End,
// stepping from point to point; keypad plus and minus grow and shrink the
// plot, a right-button drag pans it, and Ctrl with a right click opens a menu
// that switches statistics and empties the selection.
//
// The view does not walk the document on every paint: it keeps tables of
// borrowed pointers into the races' series blocks and rebuilds them whenever
// the document's changed bit is set (or no tables exist).
#pragma once

#include <afxwin.h>

#include "views/CValueTipWnd.h"

class CKurvoDoc;

class CKurvoView1 : public CView
{
    DECLARE_DYNCREATE(CKurvoView1)
public:
    enum { nHoverTimerId = 9000, nHoverTimerPeriod = 150 };
    // A rest in the plot counts timer ticks: the first nHoverQuietTicks only
    // count, the readout is built and shown on nHoverShowTick and once more
    // on nHoverLastTick, where the count then holds until the mouse moves.
    enum { nHoverQuietTicks = 3, nHoverShowTick = 4, nHoverLastTick = 5 };

    CKurvoView1();
    ~CKurvoView1() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnInitialUpdate() override;
    // Public so that the chart can be drawn onto any device context (an
    // image for export), not only a paint's.
    void OnDraw(CDC* pDC) override;

    // Brings the series tables up to date with pDoc; always 1.
    int RebuildSeries(CKurvoDoc* pDoc);

    // What the last draw and rebuild left, for the host and for tests.
    CKurvoDoc* GetKurvoDoc() const;
    int GetEntryCount() const { return m_nEntries; }
    const LONG* GetEntrySeries(int nEntry) const;
    const CRect& GetPlotRect() const { return m_rcPlot; }
    int GetTurnStep() const { return m_nTurnStep; }
    int GetValueScale() const { return m_nValueScale; }
    int GetHoverTicks() const { return m_nHoverTicks; }
    CValueTipWnd& GetTipWnd() { return m_wndTip; }
    CMenu& GetPopupMenu() { return m_menuPopup; }

    // A chart named as such, described by its number of turns.
    CString GetAccessibleName() const override;
    DWORD GetAccessibleRole() const override;
    CString GetAccessibleDescription() const override;

protected:
    // Entry j (0 .. m_nEntries - 1) of the three tables belongs together:
    // a series block and the names of the race that owns it. Never a null
    // block: races without turns are kept out.
    int m_nEntries = 0;
    LONG** m_pSeriesTable = nullptr;
    const CString** m_pGameNameTable = nullptr;
    const CString** m_pRaceNameTable = nullptr;
    int m_nValueScale = 1;
    int m_nTurnStep = 0;
    BOOL m_bHasFocus = FALSE;
    CValueTipWnd m_wndTip;
    int m_nHoverTicks = 0;
    UINT_PTR m_nTimerId = 0;
    CMenu m_menuPopup;
    CRect m_rcPlot;
    // x == nNoDrag while no right-button drag is under way, so a drag that
    // starts on the client's left edge skips its first step.
    enum { nNoDrag = 0 };
    CPoint m_ptDrag;
    // The point the keys read last (or the mouse, which they go on from):
    // its curve by race, game and kind, so that it outlives the tables, and
    // its position p (turn index p - 1). Kind 0: no point yet.
    CString m_strKeyRace;
    CString m_strKeyGame;
    LONG m_nKeyKind = 0;
    LONG m_nKeyPos = 0;
    BOOL m_bKeyReadout = FALSE; // the tip shows what a key read
    // The longest series when the tables were last built, 0 without tables.
    LONG m_nKnownTurns = 0;

    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnTimer(UINT_PTR nIDEvent);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnRButtonUp(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    struct CHART_RANGE {
        LONG lTop;      // largest value of any block, at least 0
        LONG lBaseline; // smallest value of any block, at most 200000
        LONG nTurns;    // longest block
    };

    // One point of one curve: entry nEntry of the tables at position nPos,
    // 1 .. the entry's value count.
    struct READOUT_POINT {
        int nEntry = -1;
        LONG nPos = 0;
        BOOL IsValid() const { return nEntry >= 0; }
    };

    void BuildPopupMenu();
    void BuildSeriesTables(CKurvoDoc* pDoc);
    void NoteTurnCount();
    void FreeSeriesTables();
    void AllocateSeriesTables(int nEntries);
    CHART_RANGE FindRange() const;
    BOOL ScalePlot(const CHART_RANGE& range);
    void DrawCurve(CDC* pDC, const LONG* pSeries, const CHART_RANGE& range);
    void DrawGrid(CDC* pDC, LONG nTurns);
    LONG LongestSeries() const;
    void ResizePlot(LONG nDelta);
    void InvalidateClient();
    void ShowReadout(CPoint ptCursor, int xPlotScreen);
    READOUT_POINT FindPointUnderCursor(CPoint ptCursor, int xPlotScreen) const;
    CString FormatReadout(const READOUT_POINT& point) const;
    void ShowTip(const CString& strText, CPoint ptAnchor);
    void HideTip();

    LONG ValueAt(const READOUT_POINT& point) const;
    BOOL IsAbove(const READOUT_POINT& a, const READOUT_POINT& b) const;
    READOUT_POINT FindKeyPoint() const;
    READOUT_POINT FirstKeyPoint() const;
    READOUT_POINT StepKeyPoint(READOUT_POINT point, UINT nChar) const;
    READOUT_POINT NeighbourAcross(const READOUT_POINT& point, BOOL bUp) const;
    void KeepKeyPoint(const READOUT_POINT& point);
    CPoint PointOnScreen(const READOUT_POINT& point) const;
};
