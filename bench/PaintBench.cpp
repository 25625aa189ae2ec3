// Painting a full chart: 200 curves (40 races, five statistics each) of 1000
// turns with the turn grid, through the chart view's own drawing onto an
// image via the device-context layer. The baseline draws the same polylines
// and grid lines straight with QPainter on the same kind of image, points
// computed beforehand, so the ratio is the cost of the device-context layer
// and the view's arithmetic.
//
// Dragging the same chart in its window (shown on the offscreen platform):
// one step is a right-button mouse move of 10 pixels, which scrolls the
// window and repaints the strip it uncovers, through the window code and
// Qt's event loop as on screen; the baseline is a full repaint of the same
// window.
#include "BenchAtEnd.h"
#include "document/CKurvoDoc.h"
#include "model/CRace.h"
#include "plugin/CKurvoApp.h"
#include "views/CKurvoView1.h"
#include <afxqt.h>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace
{

constexpr int kRaces = 40;
constexpr int kTurns = 1000;
constexpr int kPlotWidth = 2000;
constexpr int kPlotHeight = 600;

// A chart inside an MDI main window, as the host shows it, made once.
class CChartSetup
{
public:
    static CChartSetup& Get()
    {
        static CChartSetup setup;
        return setup;
    }

    CKurvoView1* m_pView = nullptr;

private:
    CChartSetup()
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "bench_paint";
        static char* argv[] = {name, nullptr};
        // Never destroyed: once windows have been shown, tearing Qt down
        // from a static destructor crashes in its input devices.
        m_pApp = new QApplication(argc, argv);
        theApp.OnLoad();
        m_pMain = new CMDIFrameWnd;
        // Large enough that the whole view shows, as it does on a screen.
        m_pMain->CreateEx(0, nullptr, "Host", WS_OVERLAPPEDWINDOW, 0, 0, kPlotWidth + 200,
                          kPlotHeight + 200, nullptr, nullptr);
        theApp.m_pMainWnd = m_pMain;
        auto* pDoc = static_cast<CKurvoDoc*>(theApp.OnFileNew());
        pDoc->ResetRaces();
        FillRaces(pDoc);
        pDoc->ToggleFlags(pDoc->ToggleFlags(0) ^ (g_lStatFlagsAll | CKurvoDoc::flagChanged));
        POSITION pos = pDoc->GetFirstViewPosition();
        m_pView = static_cast<CKurvoView1*>(pDoc->GetNextView(pos));
        m_pView->GetParentFrame()->MoveWindow(0, 0, kPlotWidth + 100, kPlotHeight + 100, FALSE);
        m_pView->MoveWindow(0, 0, kPlotWidth, kPlotHeight, FALSE);
        m_pView->OnInitialUpdate();
        // The windows go before the process ends, as the host closes them;
        // only Qt itself is left to the end.
        BenchAtEnd([] { Get().Close(); });
    }

    void Close()
    {
        m_pView = nullptr;
        theApp.m_pMainWnd = nullptr;
        if (m_pMain != nullptr)
            m_pMain->DestroyWindow(); // deletes itself and its children
        m_pMain = nullptr;
    }

public:
    // Shows the windows and lets the first paint happen.
    void Show()
    {
        if (m_bShown)
            return;
        m_pMain->ShowWindow(SW_SHOW);
        m_pView->GetParentFrame()->ShowWindow(SW_SHOW);
        QApplication::processEvents();
        m_bShown = true;
    }

private:
    bool m_bShown = false;

    static void FillRaces(CKurvoDoc* pDoc)
    {
        std::mt19937 rng(4711);
        CStringList names;
        for (int r = 0; r < kRaces; ++r) {
            const std::string strName = "Race" + std::to_string(r);
            auto* pRace = new CRace(strName.c_str(), "Game");
            pRace->SetTurnCount(kTurns);
            for (int k = kindFirst; k <= kindLast; ++k) {
                LONG* pBlock = pRace->GetSeries(k);
                LONG lValue = LONG(rng() % 100000);
                pBlock[CRace::posColor] = LONG(rng() & 0xFFFFFF);
                pBlock[CRace::posMax] = 0;
                pBlock[CRace::posMin] = 0;
                for (int t = 0; t < kTurns; ++t) {
                    lValue = std::max(0L, long(lValue) + long(rng() % 2001) - 1000);
                    pBlock[CRace::posFirstValue + t] = lValue;
                    pBlock[CRace::posMax] = std::max(pBlock[CRace::posMax], lValue);
                }
            }
            pDoc->GetRaces()->Insert(pRace);
            names.AddTail(strName.c_str());
        }
        pDoc->GetRaces()->Balance();
        pDoc->AddSelectedRaces(names);
    }

    QApplication* m_pApp = nullptr;
    CMDIFrameWnd* m_pMain = nullptr;
};

QImage MakeImage()
{
    QImage image(kPlotWidth, kPlotHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

void DrawThroughView(CKurvoView1* pView, QImage& image)
{
    CDC dc;
    AfxCreateImageDC(&dc, &image);
    pView->OnDraw(&dc);
    dc.DeleteDC();
}

void PaintChart(benchmark::State& state)
{
    CKurvoView1* pView = CChartSetup::Get().m_pView;
    QImage image = MakeImage();
    DrawThroughView(pView, image); // builds the tables and trims the plot
    for (auto _ : state) {
        DrawThroughView(pView, image);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * pView->GetEntryCount() * kTurns);
}
BENCHMARK(PaintChart)->Unit(benchmark::kMillisecond)->Repetitions(7)->MinTime(0.1);

// The points the view draws, computed with its scales, for the baseline.
struct CURVE {
    QPolygon points;
    QColor color;
};

std::vector<CURVE> CurvesOf(CKurvoView1* pView, LONG& lBaseline, LONG& nTurns)
{
    lBaseline = 200000;
    nTurns = 0;
    for (int j = 0; j < pView->GetEntryCount(); ++j) {
        lBaseline = std::min(lBaseline, pView->GetEntrySeries(j)[CRace::posMin]);
        nTurns = std::max(nTurns, pView->GetEntrySeries(j)[CRace::posTurns]);
    }
    const CRect& rc = pView->GetPlotRect();
    std::vector<CURVE> curves;
    for (int j = pView->GetEntryCount() - 1; j >= 0; --j) {
        const LONG* pSeries = pView->GetEntrySeries(j);
        const COLORREF cr = COLORREF(pSeries[CRace::posColor]);
        CURVE curve{QPolygon(), QColor(GetRValue(cr), GetGValue(cr), GetBValue(cr))};
        for (LONG i = 0; i < pSeries[CRace::posTurns]; ++i)
            curve.points << QPoint(rc.left + int(i) * pView->GetTurnStep(),
                                   rc.bottom + (lBaseline - pSeries[CRace::posFirstValue + i]) /
                                                   pView->GetValueScale());
        curves.push_back(curve);
    }
    return curves;
}

void Baseline_PaintChart(benchmark::State& state)
{
    CKurvoView1* pView = CChartSetup::Get().m_pView;
    QImage image = MakeImage();
    DrawThroughView(pView, image);
    LONG lBaseline = 0;
    LONG nTurns = 0;
    const std::vector<CURVE> curves = CurvesOf(pView, lBaseline, nTurns);
    const CRect rc = pView->GetPlotRect();
    for (auto _ : state) {
        QPainter painter(&image);
        for (const CURVE& curve : curves) {
            painter.setPen(QPen(curve.color, 0));
            painter.drawPolyline(curve.points);
        }
        painter.setPen(QPen(QColor(150, 150, 150), 0));
        for (LONG t = 0; t < nTurns; ++t) {
            const int x = rc.left + int(t) * pView->GetTurnStep();
            painter.drawLine(x, rc.top, x, rc.bottom - 1);
        }
        painter.end();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(curves.size()) * kTurns);
}
BENCHMARK(Baseline_PaintChart)->Unit(benchmark::kMillisecond)->Repetitions(7)->MinTime(0.1);

// One drag step each: alternately 10 pixels right and left, so the chart
// stays in view; the paint of the uncovered strip comes from the event loop.
void DragStep_ChartWindow(benchmark::State& state)
{
    CChartSetup& setup = CChartSetup::Get();
    setup.Show();
    CKurvoView1* pView = setup.m_pView;
    const int y = kPlotHeight / 2;
    int x = kPlotWidth / 2;
    pView->SendMessage(WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(x, y));
    int nStep = 10;
    for (auto _ : state) {
        x += nStep;
        nStep = -nStep;
        pView->SendMessage(WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(x, y));
        QApplication::processEvents();
    }
    pView->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    state.counters["steps/s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(DragStep_ChartWindow)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(7)
    ->MinTime(0.1);

void Baseline_ChartWindow(benchmark::State& state)
{
    CChartSetup& setup = CChartSetup::Get();
    setup.Show();
    CKurvoView1* pView = setup.m_pView;
    for (auto _ : state) {
        pView->Invalidate(TRUE);
        QApplication::processEvents();
    }
    state.counters["steps/s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(Baseline_ChartWindow)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(7)
    ->MinTime(0.1);

} // namespace
