#include "views/CKurvoView1.h"

#include "document/CKurvoDoc.h"
#include "model/CRace.h"
#include "model/StatKinds.h"
#include "resources/resource.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

IMPLEMENT_DYNCREATE(CKurvoView1, CView)

BEGIN_MESSAGE_MAP(CKurvoView1, CView)
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEMOVE()
ON_WM_KEYDOWN()
ON_WM_KEYUP()
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_TIMER()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_ERASEBKGND()
ON_WM_RBUTTONUP()
END_MESSAGE_MAP()

namespace
{

// No series block reaches this, so every block sets the chart's baseline
// unless all of its values lie above it.
const LONG lBaselineStart = 200000;
const COLORREF crGrid = RGB(150, 150, 150);
// Grid lines closer than this would cover the curves between them.
const int nMinGridGap = 4;
const int nCurvePenStyle = PS_GEOMETRIC | PS_SOLID;
// Edges and points are kept within this, so that a hostile block or endless
// key presses cannot overflow the plot's arithmetic.
const long long nMaxCoord = 1 << 28;

int ClampCoord(long long n)
{
    return int(std::clamp(n, -nMaxCoord, nMaxCoord));
}

// A few pixels past the measured text keep the last glyph's overhang inside
// the tip; hung below the hot spot, the cursor does not cover the first line.
const int nTipSlack = 3;
const int nTipBelowCursor = 20;

// Below the anchor and level with it, unless that runs past the work area
// of the anchor's monitor: then it goes to the other side, left of the
// anchor or above it, where neither the tip nor a cursor's arrow, which
// hangs down and to the right of its hot spot, covers the other.
CPoint TipPosition(CPoint ptAnchor, CSize sizeTip)
{
    CPoint ptTip(ptAnchor.x, ptAnchor.y + nTipBelowCursor);
    MONITORINFO info;
    if (!::GetMonitorInfo(::MonitorFromPoint(ptAnchor, MONITOR_DEFAULTTONEAREST), &info))
        return ptTip;
    const CRect rcWork(info.rcWork);
    if ((long long)ptTip.x + sizeTip.cx > rcWork.right)
        ptTip.x = std::max(ptAnchor.x - sizeTip.cx, int(rcWork.left));
    if ((long long)ptTip.y + sizeTip.cy > rcWork.bottom)
        ptTip.y = std::max(ptAnchor.y - sizeTip.cy, int(rcWork.top));
    return ptTip;
}

BOOL IsReadoutKey(UINT nChar)
{
    switch (nChar) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

CKurvoView1::CKurvoView1()
{
    BuildPopupMenu();
}

CKurvoView1::~CKurvoView1()
{
    FreeSeriesTables();
}

void CKurvoView1::BuildPopupMenu()
{
    // The view is made in whatever module's state created the document; its
    // texts are the plug-in's.
    AFX_MAINTAIN_STATE state(AfxGetStaticModuleState());
    m_menuPopup.Attach(::CreatePopupMenu());
    for (const STAT_KIND& kind : g_statKinds) {
        CString strText;
        strText.LoadString(kind.nStringId);
        m_menuPopup.AppendMenu(MF_STRING, kind.nStringId, strText);
    }
    m_menuPopup.AppendMenu(MF_SEPARATOR, 0, nullptr);
    CString strReset;
    strReset.LoadString(IDS_KURVO_RESET);
    m_menuPopup.AppendMenu(MF_STRING, IDS_KURVO_RESET, strReset);
}

CKurvoDoc* CKurvoView1::GetKurvoDoc() const
{
    if (m_pDocument == nullptr || !m_pDocument->IsKindOf(RUNTIME_CLASS(CKurvoDoc)))
        return nullptr;
    return static_cast<CKurvoDoc*>(m_pDocument);
}

const LONG* CKurvoView1::GetEntrySeries(int nEntry) const
{
    return nEntry >= 0 && nEntry < m_nEntries ? m_pSeriesTable[nEntry] : nullptr;
}

// A stop of Tab, so that the keys' readout can be reached without a mouse.
BOOL CKurvoView1::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_TABSTOP;
    return CView::PreCreateWindow(cs);
}

CString CKurvoView1::GetAccessibleName() const
{
    AFX_MAINTAIN_STATE state(AfxGetStaticModuleState());
    CString strName;
    strName.LoadString(IDS_KURVO_CHART);
    return strName;
}

DWORD CKurvoView1::GetAccessibleRole() const
{
    return ROLE_SYSTEM_CHART;
}

CString CKurvoView1::GetAccessibleDescription() const
{
    if (m_nKnownTurns <= 0)
        return CString();
    AFX_MAINTAIN_STATE state(AfxGetStaticModuleState());
    CString strFormat;
    strFormat.LoadString(IDS_KURVO_TURNS);
    CString strText;
    strText.Format(strFormat, (long)m_nKnownTurns);
    return strText;
}

// ---------------------------------------------------------------------------
// Series tables

void CKurvoView1::FreeSeriesTables()
{
    delete[] m_pSeriesTable;
    delete[] m_pRaceNameTable;
    delete[] m_pGameNameTable;
    m_pSeriesTable = nullptr;
    m_pRaceNameTable = nullptr;
    m_pGameNameTable = nullptr;
    m_nEntries = 0;
}

void CKurvoView1::AllocateSeriesTables(int nEntries)
{
    m_pSeriesTable = new LONG*[size_t(nEntries)];
    m_pRaceNameTable = new const CString*[size_t(nEntries)];
    m_pGameNameTable = new const CString*[size_t(nEntries)];
    m_nEntries = nEntries;
}

int CKurvoView1::RebuildSeries(CKurvoDoc* pDoc)
{
    if (pDoc == nullptr)
        return 1;
    if (!pDoc->IsChanged() && m_pSeriesTable != nullptr)
        return 1;
    FreeSeriesTables();
    BuildSeriesTables(pDoc);
    NoteTurnCount();
    return 1;
}

void CKurvoView1::BuildSeriesTables(CKurvoDoc* pDoc)
{
    CManBi* pRaces = pDoc->GetRaces();
    CManBi* pSelection = pDoc->GetSelection();
    const LONG nFlags = pDoc->ToggleFlags(CKurvoDoc::flagsRead);
    if (pRaces == nullptr || pSelection == nullptr)
        return;

    CDimPtr found;
    pRaces->FindAll(*pSelection, found);
    // Races are grouped as found, each with its shown kinds in ascending
    // order. A race without turns has no blocks and so no entries.
    auto forEachEntry = [&](auto visit) {
        for (int i = 0; i < found.GetSize(); ++i) {
            CObBase* pItem = found.GetAt(i);
            if (pItem == nullptr || !pItem->IsKindOf(RUNTIME_CLASS(CRace)))
                continue;
            auto* pRace = static_cast<CRace*>(pItem);
            for (const STAT_KIND& kind : g_statKinds) {
                if (!(nFlags & kind.nFlagBit))
                    continue;
                if (LONG* pSeries = pRace->GetSeries(kind.nKind))
                    visit(pRace, pSeries);
            }
        }
    };
    int nEntries = 0;
    forEachEntry([&](CRace*, LONG*) { ++nEntries; });
    if (nEntries == 0)
        return; // nothing built: the changed bit stays, so every draw tries again

    AllocateSeriesTables(nEntries);
    int j = 0;
    forEachEntry([&](CRace* pRace, LONG* pSeries) {
        m_pSeriesTable[j] = pSeries;
        m_pRaceNameTable[j] = &pRace->GetKey();
        m_pGameNameTable[j] = &pRace->GetSubKey();
        ++j;
    });
    if (pDoc->IsChanged())
        pDoc->ToggleFlags(CKurvoDoc::flagChanged);
}

// A chart that grows by a turn (a followed game, an imported report) tells
// a screen reader so, once per rebuild that finds the chart longer: the
// description of the focused object is what screen readers speak when it
// changes. Charts that appear or shrink (races added or removed) are not
// news of the game.
void CKurvoView1::NoteTurnCount()
{
    const LONG nTurns = m_pSeriesTable != nullptr ? LongestSeries() : 0;
    const BOOL bGained = m_nKnownTurns > 0 && nTurns > m_nKnownTurns;
    m_nKnownTurns = nTurns;
    if (bGained && m_bHasFocus)
        ::NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
}

// ---------------------------------------------------------------------------
// Drawing

void CKurvoView1::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    GetClientRect(&m_rcPlot);
}

BOOL CKurvoView1::OnEraseBkgnd(CDC* pDC)
{
    if (pDC == nullptr)
        return TRUE;
    CBrush brush(RGB(0, 0, 0));
    CRect rcClient;
    GetClientRect(&rcClient);
    ::FillRect(pDC->GetSafeHdc(), &rcClient, brush);
    return TRUE;
}

CKurvoView1::CHART_RANGE CKurvoView1::FindRange() const
{
    CHART_RANGE range = {0, lBaselineStart, 0};
    for (int j = m_nEntries - 1; j >= 0; --j) {
        const LONG* pSeries = m_pSeriesTable[j];
        range.lTop = std::max(range.lTop, pSeries[CRace::posMax]);
        range.lBaseline = std::min(range.lBaseline, pSeries[CRace::posMin]);
        range.nTurns = std::max(range.nTurns, pSeries[CRace::posTurns]);
    }
    return range;
}

// Fits the turns to the plot's width and the values to its height, and
// trims the plot to what the whole steps and units cover. FALSE when
// nothing can be drawn: no turns, or a plot shrunk to no height. A plot
// narrower than its turns gets a step of 0 and is still drawn: every point
// on the left edge, and the grid one line there.
//
// A range below 0 (only a crafted file gives one: every shown block's
// minimum above every maximum) takes the same arithmetic as any other: the
// scale comes out negative, which turns the curves upside down, or 1 when
// the range is smaller than the plot, which moves the bottom edge above
// the top by the range; either way no division is by 0 and nothing
// overflows, as the range is at least -200000. Only a plot of no height
// has no scale, and draws nothing.
BOOL CKurvoView1::ScalePlot(const CHART_RANGE& range)
{
    if (range.nTurns <= 0)
        return FALSE;
    const long long nWidth = (long long)m_rcPlot.right - m_rcPlot.left;
    m_nTurnStep = int(nWidth / range.nTurns);
    m_rcPlot.right = ClampCoord((long long)m_rcPlot.left + (long long)m_nTurnStep * range.nTurns);

    const long long nRange = (long long)range.lTop - range.lBaseline;
    const long long nHeight = (long long)m_rcPlot.bottom - m_rcPlot.top;
    if (nRange == 0) {
        // Every value sits on the baseline. Trimming would leave the plot
        // no height to scale by at the next draw.
        m_nValueScale = 1;
        return TRUE;
    }
    // A plot above its own top edge is what a range below 0 leaves behind
    // for the next draw; for any other range it is one shrunk to nothing.
    if (nHeight == 0 || (nHeight < 0 && nRange > 0)) {
        m_nValueScale = 1;
        return FALSE;
    }
    long long nScale = nRange / nHeight;
    if (nScale == 0)
        nScale = 1;
    m_nValueScale = int(std::clamp(nScale, (long long)INT_MIN, (long long)INT_MAX));
    m_rcPlot.bottom = ClampCoord((long long)m_rcPlot.top + nRange / m_nValueScale);
    return TRUE;
}

void CKurvoView1::DrawCurve(CDC* pDC, const LONG* pSeries, const CHART_RANGE& range)
{
    CPen pen(nCurvePenStyle, 0, COLORREF(DWORD(pSeries[CRace::posColor])));
    CPen* pOldPen = pDC->SelectObject(&pen);
    const LONG nCount = pSeries[CRace::posTurns];
    long long x = m_rcPlot.left;
    for (LONG i = 0; i < nCount; ++i) {
        if (i > 0)
            x += m_nTurnStep;
        const long long nDrop =
            ((long long)range.lBaseline - pSeries[CRace::posFirstValue + i]) / m_nValueScale;
        const int y = ClampCoord(m_rcPlot.bottom + nDrop);
        if (i == 0)
            pDC->MoveTo(ClampCoord(x), y);
        else
            pDC->LineTo(ClampCoord(x), y);
    }
    if (pOldPen != nullptr)
        pDC->SelectObject(pOldPen);
}

// One line per turn while the turns are far enough apart; on a long game,
// one every nEvery turns, counted from turn 0, so that the curves still
// show between the lines. With a step of 0 every turn's line falls on the
// left edge, so that one line is drawn once.
void CKurvoView1::DrawGrid(CDC* pDC, LONG nTurns)
{
    LONG nEvery = 1;
    if (m_nTurnStep <= 0)
        nEvery = std::max(nTurns, LONG(1));
    else if (m_nTurnStep < nMinGridGap)
        nEvery = (nMinGridGap + m_nTurnStep - 1) / m_nTurnStep;
    CPen pen(nCurvePenStyle, 0, crGrid);
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->BeginPath();
    int x = m_rcPlot.left;
    pDC->MoveTo(x, m_rcPlot.top);
    for (LONG t = 0; t < nTurns; t += nEvery) {
        pDC->LineTo(x, m_rcPlot.bottom);
        x += m_nTurnStep * int(nEvery);
        pDC->MoveTo(x, m_rcPlot.top);
    }
    pDC->EndPath();
    pDC->StrokePath();
    if (pOldPen != nullptr)
        pDC->SelectObject(pOldPen);
}

void CKurvoView1::OnDraw(CDC* pDC)
{
    RebuildSeries(GetKurvoDoc());
    if (m_pSeriesTable == nullptr || pDC == nullptr)
        return;
    const CHART_RANGE range = FindRange();
    if (!ScalePlot(range))
        return;
    // The first entry is drawn last, so it lies on top.
    for (int j = m_nEntries - 1; j >= 0; --j)
        DrawCurve(pDC, m_pSeriesTable[j], range);
    DrawGrid(pDC, range.nTurns);
}

// ---------------------------------------------------------------------------
// Window life and focus

int CKurvoView1::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_wndTip.CreateTip(this);
    m_nHoverTicks = 0;
    m_nTimerId = SetTimer(nHoverTimerId, nHoverTimerPeriod, nullptr);
    return 0;
}

void CKurvoView1::OnDestroy()
{
    CView::OnDestroy();
    KillTimer(m_nTimerId);
    m_wndTip.DestroyWindow();
}

void CKurvoView1::OnSetFocus(CWnd*)
{
    Default();
    m_bHasFocus = TRUE;
}

void CKurvoView1::OnKillFocus(CWnd*)
{
    Default();
    m_bHasFocus = FALSE;
    // A mouse readout goes at the next tick; what the keys read has no
    // tick to take it away.
    if (m_bKeyReadout)
        HideTip();
}

void CKurvoView1::InvalidateClient()
{
    CRect rcClient;
    GetClientRect(&rcClient);
    InvalidateRect(&rcClient, TRUE);
}

void CKurvoView1::HideTip()
{
    m_wndTip.ShowWindow(SW_HIDE);
    m_bKeyReadout = FALSE;
}

// ---------------------------------------------------------------------------
// Mouse and keys

void CKurvoView1::OnLButtonDblClk(UINT, CPoint)
{
    Default();
}

void CKurvoView1::OnMouseMove(UINT nFlags, CPoint point)
{
    Default();
    // The move that comes with showing the tip on the fourth tick must not
    // take it away again.
    if (m_nHoverTicks != nHoverShowTick)
        HideTip();
    m_nHoverTicks = 0;
    if (!(nFlags & MK_RBUTTON)) {
        m_ptDrag.x = nNoDrag;
        return;
    }
    if (m_ptDrag.x != nNoDrag) {
        const int dx = point.x - m_ptDrag.x;
        const int dy = point.y - m_ptDrag.y;
        m_rcPlot.OffsetRect(dx, dy);
        ScrollWindow(dx, dy);
    }
    m_ptDrag = point;
}

LONG CKurvoView1::LongestSeries() const
{
    LONG nTurns = 0;
    for (int j = m_nEntries - 1; j >= 0; --j)
        nTurns = std::max(nTurns, m_pSeriesTable[j][CRace::posTurns]);
    return nTurns;
}

// Each turn step grows by 4 pixels per plus; the height follows by half as
// much before the next draw rescales it.
void CKurvoView1::ResizePlot(LONG nDelta)
{
    m_rcPlot.right = ClampCoord((long long)m_rcPlot.right + 4LL * nDelta);
    m_rcPlot.bottom = ClampCoord((long long)m_rcPlot.bottom + 2LL * nDelta);
    m_rcPlot.NormalizeRect();
}

void CKurvoView1::OnKeyUp(UINT nChar, UINT, UINT)
{
    // The document may have refetched or regrown its races since the last
    // paint; the cached blocks are read only once they are current again.
    RebuildSeries(GetKurvoDoc());
    if (m_pSeriesTable != nullptr) {
        const LONG nTurns = LongestSeries();
        // The main keyboard's plus and minus (with Ctrl or without) do what
        // the keypad's do: a laptop has no keypad.
        if (nChar == VK_ADD || nChar == VK_OEM_PLUS)
            ResizePlot(nTurns);
        else if (nChar == VK_SUBTRACT || nChar == VK_OEM_MINUS)
            ResizePlot(-nTurns);
        InvalidateClient();
    }
    Default();
}

// ---------------------------------------------------------------------------
// Context menu

void CKurvoView1::OnRButtonUp(UINT nFlags, CPoint point)
{
    Default();
    if (!(nFlags & MK_CONTROL))
        return;
    AFX_MAINTAIN_STATE state(AfxGetStaticModuleState());
    CKurvoDoc* pDoc = GetKurvoDoc();
    const LONG nChartFlags = pDoc != nullptr ? pDoc->ToggleFlags(CKurvoDoc::flagsRead) : 0;
    for (const STAT_KIND& kind : g_statKinds)
        m_menuPopup.CheckMenuItem(kind.nStringId,
                                  (nChartFlags & kind.nFlagBit) ? MF_CHECKED : MF_UNCHECKED);
    ClientToScreen(&point);
    m_menuPopup.TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON, point.x, point.y, this);
}

BOOL CKurvoView1::OnCommand(WPARAM wParam, LPARAM lParam)
{
    AFX_MAINTAIN_STATE state(AfxGetStaticModuleState());
    CKurvoDoc* pDoc = GetKurvoDoc();
    const UINT nID = UINT(wParam);
    const STAT_KIND* pKind = GetStatKind(StatKindFromStringId(nID));
    // Only the menu's own commands touch the chart; anything else goes on
    // to the framework untouched.
    if (pDoc != nullptr && (nID == IDS_KURVO_RESET || pKind != nullptr)) {
        if (pKind == nullptr) {
            pDoc->GetSelection()->RemoveAll();
        } else {
            const LONG nChartFlags = pDoc->ToggleFlags(pKind->nFlagBit);
            m_menuPopup.CheckMenuItem(nID,
                                      (nChartFlags & pKind->nFlagBit) ? MF_CHECKED : MF_UNCHECKED);
        }
        InvalidateClient();
        if (!pDoc->IsChanged())
            pDoc->ToggleFlags(CKurvoDoc::flagChanged);
    }
    return CWnd::OnCommand(wParam, lParam);
}

// ---------------------------------------------------------------------------
// Hover readout

void CKurvoView1::OnTimer(UINT_PTR)
{
    Default();
    CRect rcPlotScreen = m_rcPlot;
    if (m_bHasFocus && m_pSeriesTable != nullptr) {
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        CRect rcClient;
        GetClientRect(&rcClient);
        ClientToScreen(&rcPlotScreen);
        ClientToScreen(&rcClient);
        CRect rcHot;
        rcHot.IntersectRect(&rcPlotScreen, &rcClient);
        if (rcHot.PtInRect(ptCursor)) {
            // The readout costs a rebuild and a search, so it waits for a
            // real rest and is not redone while the mouse stays put.
            ++m_nHoverTicks;
            if (m_nHoverTicks <= nHoverQuietTicks)
                return;
            if (m_nHoverTicks > nHoverLastTick) {
                m_nHoverTicks = nHoverLastTick;
                return;
            }
            ShowReadout(ptCursor, rcPlotScreen.left);
            return;
        }
    }
    if (m_nHoverTicks > nHoverShowTick)
        HideTip();
    m_nHoverTicks = 0;
}

void CKurvoView1::ShowReadout(CPoint ptCursor, int xPlotScreen)
{
    AFX_MAINTAIN_STATE state(AfxGetStaticModuleState());
    RebuildSeries(GetKurvoDoc());
    // Without series, or with less than a pixel per turn, no point lies
    // under the cursor: a readout left from before would be stale.
    READOUT_POINT point;
    if (m_pSeriesTable != nullptr && m_nTurnStep > 0)
        point = FindPointUnderCursor(ptCursor, xPlotScreen);
    if (!point.IsValid()) {
        HideTip();
        return;
    }
    KeepKeyPoint(point);
    ShowTip(FormatReadout(point), ptCursor);
    m_bKeyReadout = FALSE;
}

CKurvoView1::READOUT_POINT CKurvoView1::FindPointUnderCursor(CPoint ptCursor, int xPlotScreen) const
{
    // The point drawn at or to the left of the cursor.
    const LONG nPos = (ptCursor.x - xPlotScreen) / m_nTurnStep + 1;
    CPoint ptClient = ptCursor;
    ScreenToClient(&ptClient);
    const long long nHeight = std::llabs((long long)m_rcPlot.bottom - ptClient.y);

    // Curves at least this far from the cursor are never chosen. The bound
    // is far above any plot's height, so in practice it only turns away
    // values scaled beyond every screen.
    constexpr long long kNearestBound = 6000000;
    long long nBest = kNearestBound;
    READOUT_POINT chosen;
    for (int j = m_nEntries - 1; j >= 0; --j) {
        const LONG* pSeries = m_pSeriesTable[j];
        if (nPos < 1 || nPos > pSeries[CRace::posTurns])
            continue; // a shorter block has no value there
        const long long nDistance =
            std::llabs(pSeries[CRace::posFirstValue + nPos - 1] / m_nValueScale - nHeight);
        if (nDistance < nBest) {
            nBest = nDistance;
            chosen = READOUT_POINT{j, nPos};
        }
    }
    return chosen;
}

// Three lines: the game and turn, the statistic and its value, the race.
// The caller makes the plug-in's module state current for the names.
CString CKurvoView1::FormatReadout(const READOUT_POINT& point) const
{
    const LONG* pSeries = m_pSeriesTable[point.nEntry];
    const STAT_KIND* pKind = GetStatKind(pSeries[CRace::posKind]);
    CString strName;
    if (pKind != nullptr)
        strName.LoadString(pKind->nStringId);
    const double dFactor = pKind != nullptr && pKind->lScale == 100 ? 0.01 : 0.00001;
    CString strLine;
    CString strText = *m_pGameNameTable[point.nEntry];
    strLine.Format(" Turn=%ld\r\n", (long)point.nPos);
    strText += strLine;
    strText += strName;
    strLine.Format("=%.2f\r\n", double(ValueAt(point)) * dFactor);
    strText += strLine;
    strText += *m_pRaceNameTable[point.nEntry];
    return strText;
}

void CKurvoView1::ShowTip(const CString& strText, CPoint ptAnchor)
{
    m_wndTip.SetTipText(strText);
    CRect rcTip;
    m_wndTip.CalcTextRect(&rcTip);
    m_wndTip.CalcWindowRect(&rcTip, CWnd::adjustOutside);
    rcTip.right += nTipSlack;
    const CPoint ptTip = TipPosition(ptAnchor, rcTip.Size());
    m_wndTip.MoveWindow(ptTip.x, ptTip.y, rcTip.Width(), rcTip.Height(), TRUE);
    m_wndTip.ShowWindow(SW_SHOWNA);
}

// ---------------------------------------------------------------------------
// Keyboard readout
//
// The keys walk the points of the shown curves: Left and Right along the
// curve, Up and Down to the next curve above or below at the same turn,
// Home and End to the curve's first and last turn, Escape hides the tip.
// Each step shows the same tip as a mouse rest, hung below the point read,
// and the tip's new text is what a screen reader hears.

LONG CKurvoView1::ValueAt(const READOUT_POINT& point) const
{
    return m_pSeriesTable[point.nEntry][CRace::posFirstValue + point.nPos - 1];
}

// Curves are stacked by their values at the point's turn; of equal values
// the entry drawn on top (the lower one) counts as above, so that curves
// lying on one another can still be told apart and each is reached.
BOOL CKurvoView1::IsAbove(const READOUT_POINT& a, const READOUT_POINT& b) const
{
    const LONG lA = ValueAt(a);
    const LONG lB = ValueAt(b);
    return lA > lB || (lA == lB && a.nEntry < b.nEntry);
}

CKurvoView1::READOUT_POINT CKurvoView1::FindKeyPoint() const
{
    if (m_nKeyKind == 0)
        return READOUT_POINT();
    for (int j = 0; j < m_nEntries; ++j) {
        const LONG* pSeries = m_pSeriesTable[j];
        if (pSeries[CRace::posKind] != m_nKeyKind || *m_pRaceNameTable[j] != m_strKeyRace ||
            *m_pGameNameTable[j] != m_strKeyGame)
            continue;
        // The curve may have lost turns since (a race fetched anew).
        const LONG nCount = pSeries[CRace::posTurns];
        if (nCount < 1)
            return READOUT_POINT();
        return READOUT_POINT{j, std::clamp(m_nKeyPos, LONG(1), nCount)};
    }
    return READOUT_POINT();
}

// The newest figure of the leading curve: the last turn of the chart, on
// the topmost curve that reaches it.
CKurvoView1::READOUT_POINT CKurvoView1::FirstKeyPoint() const
{
    const LONG nTurns = LongestSeries();
    READOUT_POINT best;
    for (int j = 0; j < m_nEntries && nTurns > 0; ++j) {
        if (m_pSeriesTable[j][CRace::posTurns] < nTurns)
            continue;
        const READOUT_POINT candidate{j, nTurns};
        if (!best.IsValid() || IsAbove(candidate, best))
            best = candidate;
    }
    return best;
}

CKurvoView1::READOUT_POINT CKurvoView1::StepKeyPoint(READOUT_POINT point, UINT nChar) const
{
    const LONG nCount = m_pSeriesTable[point.nEntry][CRace::posTurns];
    switch (nChar) {
    case VK_LEFT:
        point.nPos = std::max(point.nPos - 1, LONG(1));
        break;
    case VK_RIGHT:
        point.nPos = std::min(point.nPos + 1, nCount);
        break;
    case VK_HOME:
        point.nPos = 1;
        break;
    case VK_END:
        point.nPos = nCount;
        break;
    case VK_UP:
    case VK_DOWN:
        point = NeighbourAcross(point, nChar == VK_UP);
        break;
    default:
        break;
    }
    return point;
}

// The nearest curve above (or below) at the point's turn; curves that end
// before it are passed over. At the top (or bottom) the point stays.
CKurvoView1::READOUT_POINT CKurvoView1::NeighbourAcross(const READOUT_POINT& point, BOOL bUp) const
{
    READOUT_POINT best = point;
    for (int j = 0; j < m_nEntries; ++j) {
        if (j == point.nEntry || m_pSeriesTable[j][CRace::posTurns] < point.nPos)
            continue;
        const READOUT_POINT candidate{j, point.nPos};
        const BOOL bBeyond = bUp ? IsAbove(candidate, point) : IsAbove(point, candidate);
        const BOOL bNearer = best.nEntry == point.nEntry ||
                             (bUp ? IsAbove(best, candidate) : IsAbove(candidate, best));
        if (bBeyond && bNearer)
            best = candidate;
    }
    return best;
}

void CKurvoView1::KeepKeyPoint(const READOUT_POINT& point)
{
    m_strKeyRace = *m_pRaceNameTable[point.nEntry];
    m_strKeyGame = *m_pGameNameTable[point.nEntry];
    m_nKeyKind = m_pSeriesTable[point.nEntry][CRace::posKind];
    m_nKeyPos = point.nPos;
}

// Where the point is drawn, by the last draw's scales; a point that a drag
// or a crafted value put outside the window is taken to its nearest edge,
// so the tip stays by the chart.
CPoint CKurvoView1::PointOnScreen(const READOUT_POINT& point) const
{
    const CHART_RANGE range = FindRange();
    const long long x = (long long)m_rcPlot.left + (long long)(point.nPos - 1) * m_nTurnStep;
    const long long y =
        m_rcPlot.bottom + ((long long)range.lBaseline - ValueAt(point)) / m_nValueScale;
    CRect rcClient;
    GetClientRect(&rcClient);
    CPoint pt(int(std::clamp(x, (long long)rcClient.left,
                             (long long)std::max(rcClient.left, rcClient.right - 1))),
              int(std::clamp(y, (long long)rcClient.top,
                             (long long)std::max(rcClient.top, rcClient.bottom - 1))));
    ClientToScreen(&pt);
    return pt;
}

void CKurvoView1::OnKeyDown(UINT nChar, UINT, UINT)
{
    Default();
    if (nChar == VK_ESCAPE) {
        HideTip();
        // A rest under way would show its tip again at its next tick; the
        // count now holds, as after a finished rest, until the mouse moves.
        m_nHoverTicks = nHoverLastTick;
        return;
    }
    if (!IsReadoutKey(nChar))
        return;
    AFX_MAINTAIN_STATE state(AfxGetStaticModuleState());
    // The document may have dropped or regrown the curve read last; it is
    // found again by name in the current tables, or the walk starts afresh.
    RebuildSeries(GetKurvoDoc());
    if (m_pSeriesTable == nullptr) {
        HideTip();
        return;
    }
    READOUT_POINT point = FindKeyPoint();
    const BOOL bFresh = !point.IsValid();
    if (bFresh)
        point = FirstKeyPoint();
    if (!point.IsValid()) {
        HideTip();
        return;
    }
    // The first key shows where the walk starts; Home and End still go.
    if (!bFresh || nChar == VK_HOME || nChar == VK_END)
        point = StepKeyPoint(point, nChar);
    KeepKeyPoint(point);
    ShowTip(FormatReadout(point), PointOnScreen(point));
    m_bKeyReadout = TRUE;
}
