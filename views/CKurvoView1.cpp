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

    CManBi* pRaces = pDoc->GetRaces();
    CManBi* pSelection = pDoc->GetSelection();
    const LONG nFlags = pDoc->ToggleFlags(CKurvoDoc::flagsRead);
    if (pRaces == nullptr || pSelection == nullptr)
        return 1;

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
        return 1; // nothing built: the changed bit stays, so every draw tries again

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
    return 1;
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
    if (m_pSeriesTable == nullptr || m_nTurnStep <= 0) {
        HideTip();
        return;
    }
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
    int nChosen = -1;
    for (int j = m_nEntries - 1; j >= 0; --j) {
        const LONG* pSeries = m_pSeriesTable[j];
        if (nPos < 1 || nPos > pSeries[CRace::posTurns])
            continue; // a shorter block has no value there
        const long long nDistance =
            std::llabs(pSeries[CRace::posFirstValue + nPos - 1] / m_nValueScale - nHeight);
        if (nDistance < nBest) {
            nBest = nDistance;
            nChosen = j;
        }
    }
    if (nChosen < 0) {
        HideTip();
        return;
    }

    const LONG* pSeries = m_pSeriesTable[nChosen];
    const LONG lValue = pSeries[CRace::posFirstValue + nPos - 1];
    const STAT_KIND* pKind = GetStatKind(pSeries[CRace::posKind]);
    CString strName;
    if (pKind != nullptr)
        strName.LoadString(pKind->nStringId);
    const double dFactor = pKind != nullptr && pKind->lScale == 100 ? 0.01 : 0.00001;
    CString strLine;
    CString strText = *m_pGameNameTable[nChosen];
    strLine.Format(" Turn=%ld\r\n", (long)nPos);
    strText += strLine;
    strText += strName;
    strLine.Format("=%.2f\r\n", double(lValue) * dFactor);
    strText += strLine;
    strText += *m_pRaceNameTable[nChosen];

    m_wndTip.SetTipText(strText);
    CRect rcTip;
    m_wndTip.CalcTextRect(&rcTip);
    m_wndTip.CalcWindowRect(&rcTip, CWnd::adjustOutside);
    // A few pixels past the measured text keep the last glyph's overhang
    // inside the tip; hung below the hot spot, the cursor does not cover
    // the first line.
    constexpr int kTipSlack = 3;
    constexpr int kTipBelowCursor = 20;
    rcTip.right += kTipSlack;
    m_wndTip.MoveWindow(ptCursor.x, ptCursor.y + kTipBelowCursor, rcTip.Width(), rcTip.Height(),
                        TRUE);
    m_wndTip.ShowWindow(SW_SHOWNA);
}
