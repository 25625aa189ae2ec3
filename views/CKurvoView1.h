// The chart view: one line chart of the races the document's selection names,
// one curve per race and shown statistic in the race's colour, over a grey
// grid of turns on black. Resting the mouse on the plot shows the nearest
// curve's value in the tip window; keypad plus and minus grow and shrink the
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

    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
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

    void BuildPopupMenu();
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
    void HideTip();
};
