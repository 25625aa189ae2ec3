// What the chart view paints, read back from the rendered window: curve
// order, integer scaling and trimming of the plot, the turn grid, the black
// background, and when the cached series tables are rebuilt.
#include "ViewTestSupport.h"

#include <QColor>

#include <algorithm>

namespace
{

const COLORREF crRed = RGB(255, 0, 0);
const COLORREF crGreen = RGB(0, 255, 0);
const COLORREF crBlue = RGB(0, 0, 255);
const COLORREF crYellow = RGB(255, 255, 0);
const QColor qGrey(150, 150, 150);
const QColor qBlack(0, 0, 0);

std::vector<LONG> Ramp(int nTurns, LONG lStep)
{
    std::vector<LONG> values;
    for (int t = 0; t < nTurns; ++t)
        values.push_back(t * lStep);
    return values;
}

BOOL IsAllBlack(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != QColor(0, 0, 0))
                return FALSE;
        }
    }
    return TRUE;
}

using ChartDrawingTest = ChartViewTest;

// Four curves share a level on different stretches of turns; on each
// stretch the entry drawn last shows. Expected order of drawing: race 2
// kind b, race 2 kind a, race 1 kind b, race 1 kind a.
TEST_F(ChartDrawingTest, FirstRacesLowestKindLiesOnTop)
{
    const LONG S = 50;
    AddRace("Able", "Game",
            {{kindIndustry, {S, S, 10, 10, 10, 10, 10, 10}, crRed},
             {kindPopulation, {S, S, S, S, 20, 20, 20, 20}, crGreen}});
    AddRace("Baker", "Game",
            {{kindIndustry, {S, S, S, S, S, S, 30, 30}, crBlue},
             {kindPopulation, {S, S, S, S, S, S, S, S}, crYellow}});
    Select({"Baker", "Able"});
    ShowKinds({kindIndustry, kindPopulation});
    SetPlot(160, 200);
    const QImage image = Render();

    ASSERT_EQ(m_pView->GetEntryCount(), 4);
    EXPECT_EQ(m_pView->GetTurnStep(), 20);
    EXPECT_EQ(m_pView->GetValueScale(), 1);
    EXPECT_EQ(m_pView->GetPlotRect(), CRect(0, 0, 160, 50)) << "trimmed to the range of 50";
    // Level 50 is the plot's top row; sample between grid lines.
    EXPECT_EQ(Pixel(image, 10, 0), ColorOf(crRed)) << "all four: race 1 kind a";
    EXPECT_EQ(Pixel(image, 50, 0), ColorOf(crGreen)) << "race 1 kind b";
    EXPECT_EQ(Pixel(image, 90, 0), ColorOf(crBlue)) << "race 2 kind a";
    EXPECT_EQ(Pixel(image, 130, 0), ColorOf(crYellow)) << "race 2 kind b alone";
    EXPECT_EQ(Pixel(image, 130, 40), ColorOf(crRed)) << "race 1 kind a at 10";
}

TEST_F(ChartDrawingTest, ThirtyTurnsOnSevenHundredPixelsGiveStep23AndOneGridLinePerTurn)
{
    AddRace("Able", "Game", {{kindIndustry, Ramp(30, 10), crRed}});
    Select({"Able"});
    SetPlot(700, 300);
    const QImage image = Render();

    EXPECT_EQ(m_pView->GetTurnStep(), 23);
    EXPECT_EQ(m_pView->GetPlotRect(), CRect(0, 0, 690, 290));
    std::vector<int> greyColumns;
    for (int x = 0; x < image.width(); ++x) {
        if (Pixel(image, x, 150) == qGrey)
            greyColumns.push_back(x);
    }
    ASSERT_EQ(greyColumns.size(), 30u) << "no line at the right edge";
    for (int t = 0; t < 30; ++t)
        EXPECT_EQ(greyColumns[size_t(t)], 23 * t);
    EXPECT_EQ(Pixel(image, 690, 150), qBlack);
    // Grid lines run from the top down to, not onto, the trimmed bottom.
    EXPECT_EQ(Pixel(image, 23, 0), qGrey);
    EXPECT_EQ(Pixel(image, 23, 289), qGrey);
    EXPECT_EQ(Pixel(image, 23, 290), qBlack);
    // A point sits at (left + i * step, bottom - value / scale); the grid
    // covers the point itself, the curve leaves it rising by 10 per 23.
    EXPECT_TRUE(Pixel(image, 23 * 10 + 1, 290 - 100) == ColorOf(crRed) ||
                Pixel(image, 23 * 10 + 1, 290 - 101) == ColorOf(crRed));
    EXPECT_EQ(Pixel(image, 23 * 10 + 1, 290 - 102), qBlack);

    // The trimmed plot stays for the next draw.
    Render();
    EXPECT_EQ(m_pView->GetPlotRect(), CRect(0, 0, 690, 290));
}

// Lines closer than 4 pixels would cover every curve: below that only every
// k-th turn keeps its line, and the curve shows in the columns between.
TEST_F(ChartDrawingTest, GridKeepsFourPixelsBetweenLinesOnLongGames)
{
    const int nTurns = 30;
    CRace* pRace = AddRace("Able", "Game", {{kindIndustry, std::vector<LONG>(nTurns, 60), crRed}});
    pRace->GetSeries(kindIndustry)[CRace::posMax] = 100; // the curve at y = 40 of 100
    Select({"Able"});
    const struct {
        int nWidth;
        int nStep;
        int nGap; // pixels from one grid line to the next
        int nLines;
    } cases[] = {
        {35, 1, 4, 8},   // turns 0, 4, ..., 28
        {60, 2, 4, 15},  // every second turn
        {100, 3, 6, 15}, // every second turn
        {120, 4, 4, 30}, // far enough apart: every turn
        {215, 7, 7, 30}, // every turn
        {20, 0, 0, 1},   // more turns than pixels: one line, on the left edge
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "plot width " << c.nWidth);
        SetPlot(c.nWidth, 200);
        const QImage image = Render();
        ASSERT_EQ(m_pView->GetTurnStep(), c.nStep);
        std::vector<int> expected;
        for (int i = 0; i < c.nLines; ++i)
            expected.push_back(i * c.nGap);
        std::vector<int> greyColumns;
        for (int x = 0; x < image.width(); ++x) {
            if (Pixel(image, x, 70) == qGrey)
                greyColumns.push_back(x);
        }
        EXPECT_EQ(greyColumns, expected);
        for (int x = 0; x < (nTurns - 1) * c.nStep; ++x) {
            const bool bGrid = std::find(expected.begin(), expected.end(), x) != expected.end();
            ASSERT_EQ(Pixel(image, x, 40), bGrid ? qGrey : ColorOf(crRed)) << "column " << x;
        }
    }
}

TEST_F(ChartDrawingTest, ShorterSeriesStartsAtTheLeftEdgeWithItsOwnPoints)
{
    AddRace("Able", "Game", {{kindIndustry, {100, 100, 100, 100}, crRed}});
    AddRace("Baker", "Game", {{kindIndustry, {50, 50}, crBlue}});
    Select({"Able", "Baker"});
    SetPlot(40, 400);
    const QImage image = Render();
    EXPECT_EQ(m_pView->GetTurnStep(), 10) << "the longest series sets the step";
    EXPECT_EQ(Pixel(image, 5, 50), ColorOf(crBlue));
    EXPECT_EQ(Pixel(image, 15, 50), qBlack) << "a segment ends short of its last point";
    EXPECT_EQ(Pixel(image, 25, 0), ColorOf(crRed));
}

TEST_F(ChartDrawingTest, ValuesBelowTheBaselineAreNotClipped)
{
    CRace* pRace = AddRace("Able", "Game", {{kindIndustry, {100, -1, -1, 100}, crRed}});
    // A turn the host had no figure for, with a header that left it out.
    pRace->GetSeries(kindIndustry)[CRace::posMin] = 0;
    Select({"Able"});
    SetPlot(40, 200);
    QImage image = Render();
    ASSERT_EQ(m_pView->GetPlotRect(), CRect(0, 0, 40, 100));
    EXPECT_EQ(Pixel(image, 15, 101), ColorOf(crRed)) << "one pixel below the bottom edge";
    EXPECT_EQ(Pixel(image, 15, 100), qBlack);

    // With more than one value unit per pixel, it truncates onto the edge.
    pRace->GetSeries(kindIndustry)[CRace::posMax] = 1000;
    pRace->GetSeries(kindIndustry)[CRace::posFirstValue] = 1000;
    SetPlot(40, 200, 20);
    image = Render();
    EXPECT_EQ(m_pView->GetValueScale(), 5);
    ASSERT_EQ(m_pView->GetPlotRect().bottom, 200);
    EXPECT_EQ(Pixel(image, 15, 200), ColorOf(crRed));
    EXPECT_EQ(Pixel(image, 15, 201), qBlack);
}

TEST_F(ChartDrawingTest, BaselineIsNeverAbove200000)
{
    CRace* pRace = AddRace("Able", "Game", {{kindIndustry, {300000, 300100}, crRed}});
    pRace->GetSeries(kindIndustry)[CRace::posMin] = 300000;
    Select({"Able"});
    SetPlot(20, 300);
    const QImage image = Render();
    EXPECT_EQ(m_pView->GetValueScale(), 333) << "(300100 - 200000) / 300";
    EXPECT_EQ(m_pView->GetPlotRect().bottom, 300);
    EXPECT_EQ(Pixel(image, 5, 0), ColorOf(crRed)) << "300000 is 300 pixels above 200000";
}

// Only a crafted file has shown blocks whose minimum lies above every
// maximum. The range below 0 then scales as any other, and the same on the
// next draw: a negative scale turns the curve upside down, and a range
// smaller than the plot keeps 1 unit per pixel with the bottom edge above
// the top.
TEST_F(ChartDrawingTest, ARangeBelowZeroScalesAsAnyOther)
{
    const struct {
        const char* pszName;
        std::vector<LONG> values;
        LONG lMax, lMin;
        int nScale;
        LONG nBottom;
        CPoint ptFirst; // the first point, which the curve paints
    } cases[] = {
        // (0 - 150000) / 400 = -375; bottom 0 + -150000 / -375 = 400;
        // 140000 lies (150000 - 140000) / -375 = -26 pixels below it.
        {"as large as the plot", {150000, 140000}, 0, 150000, -375, 400, CPoint(0, 400)},
        // (100 - 200) / 400 truncates to 0, taken as 1; bottom 0 - 100;
        // -150 lies 350 pixels below it.
        {"smaller than the plot", {-150, -100}, 100, 200, 1, -100, CPoint(0, 250)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        if (&c != &cases[0]) {
            TearDown(); // a fresh chart for each case
            SetUp();
        }
        CRace* pRace = AddRace("Able", "Game", {{kindIndustry, c.values, crRed}});
        pRace->GetSeries(kindIndustry)[CRace::posMax] = c.lMax;
        pRace->GetSeries(kindIndustry)[CRace::posMin] = c.lMin;
        Select({"Able"});
        SetPlot(20, 400, 20);
        for (int nDraw = 1; nDraw <= 2; ++nDraw) {
            const QImage image = Render();
            EXPECT_EQ(m_pView->GetValueScale(), c.nScale) << "draw " << nDraw;
            EXPECT_EQ(m_pView->GetPlotRect().bottom, c.nBottom) << "draw " << nDraw;
            EXPECT_EQ(Pixel(image, c.ptFirst.x, c.ptFirst.y), ColorOf(crRed)) << "draw " << nDraw;
        }
    }
}

TEST_F(ChartDrawingTest, NothingButBlackWithoutSelectionOrStatistic)
{
    AddRace("Able", "Game", {{kindIndustry, Ramp(10, 5), crRed}});
    SetPlot(200, 100);
    EXPECT_TRUE(IsAllBlack(Render())) << "nothing selected";
    EXPECT_EQ(m_pView->GetEntryCount(), 0);

    Select({"Able"});
    ShowKinds({});
    EXPECT_TRUE(IsAllBlack(Render())) << "no statistic shown";
    ShowKinds({kindIndustry});
    EXPECT_FALSE(IsAllBlack(Render()));
}

TEST_F(ChartDrawingTest, OneTurnGivesOneGridLineAndNoCurvePixels)
{
    AddRace("Able", "Game", {{kindIndustry, {40}, crRed}});
    Select({"Able"});
    SetPlot(100, 100);
    const QImage image = Render();
    EXPECT_EQ(m_pView->GetTurnStep(), 100);
    for (int x = 0; x < 100; ++x) {
        for (int y = 0; y < 100; ++y) {
            const QColor expected = x == 0 && y < 40 ? qGrey : qBlack;
            ASSERT_EQ(Pixel(image, x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(ChartDrawingTest, RebuildHonoursTheChangedBit)
{
    AddRace("Able", "Game",
            {{kindIndustry, Ramp(5, 1), crRed}, {kindPopulation, Ramp(5, 2), crGreen}});
    Select({"Able"});
    ASSERT_TRUE(m_pDoc->IsChanged());
    m_pView->RebuildSeries(m_pDoc);
    EXPECT_EQ(m_pView->GetEntryCount(), 1);
    EXPECT_FALSE(m_pDoc->IsChanged()) << "tables built: the bit is cleared";

    // A change that does not set the bit is not seen: the tables are cached.
    m_pDoc->ToggleFlags(StatFlagBit(kindPopulation));
    m_pView->RebuildSeries(m_pDoc);
    EXPECT_EQ(m_pView->GetEntryCount(), 1);
    m_pDoc->ToggleFlags(CKurvoDoc::flagChanged);
    m_pView->RebuildSeries(m_pDoc);
    ASSERT_EQ(m_pView->GetEntryCount(), 2);
    EXPECT_EQ(m_pView->GetEntrySeries(1)[CRace::posKind], kindPopulation);

    // A view without tables builds them even when the bit is clear.
    CKurvoView1 other;
    ASSERT_FALSE(m_pDoc->IsChanged());
    other.RebuildSeries(m_pDoc);
    EXPECT_EQ(other.GetEntryCount(), 2);
    EXPECT_FALSE(m_pDoc->IsChanged());

    // Building nothing leaves the bit as it was found, set or clear.
    CKurvoView1 empty;
    m_pDoc->GetSelection()->RemoveAll();
    empty.RebuildSeries(m_pDoc);
    EXPECT_EQ(empty.GetEntryCount(), 0);
    EXPECT_FALSE(m_pDoc->IsChanged());
    m_pDoc->ToggleFlags(CKurvoDoc::flagChanged);
    m_pView->RebuildSeries(m_pDoc);
    EXPECT_EQ(m_pView->GetEntryCount(), 0);
    EXPECT_TRUE(m_pDoc->IsChanged());
}

} // namespace
