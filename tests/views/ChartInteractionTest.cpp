// The chart view driven by window messages: the hover readout and its ticks,
// focus, keypad resizing, right-button panning, the statistics menu and its
// commands, and the cases where a division or a block read has no sound
// answer.
#include "ViewTestSupport.h"
#include <afxqt.h>

#include "resources/resource.h"

#include <QAccessible>
#include <QWidget>

#include <string>

namespace
{

std::vector<LONG> Flat(int nTurns, LONG lValue)
{
    return std::vector<LONG>(size_t(nTurns), lValue);
}

std::vector<LONG> Ramp(int nTurns, LONG lStep)
{
    std::vector<LONG> values;
    for (int t = 0; t < nTurns; ++t)
        values.push_back(t * lStep);
    return values;
}

LPARAM PointParam(int x, int y)
{
    return MAKELPARAM(x, y);
}

class ChartInteractionTest : public ChartViewTest
{
protected:
    // One race "Zeta" of game "Alpha", 30 turns of Population at 250, on a
    // 700 x 300 plot: step 23, scale 1, bottom trimmed to 250.
    void MakeZetaChart()
    {
        AddRace("Zeta", "Alpha", {{kindPopulation, Flat(30, 250)}});
        Select({"Zeta"});
        ShowKinds({kindPopulation});
        SetPlot(700, 300);
        Render();
        ASSERT_EQ(m_pView->GetPlotRect(), CRect(0, 0, 690, 250));
        m_pView->SendMessage(WM_SETFOCUS);
    }

    // Moves the mouse to a client point (a real move comes as several
    // messages) and rests it there for the given number of ticks.
    void RestAt(int x, int y, int nTicks)
    {
        m_pView->SendMessage(WM_MOUSEMOVE, 0, PointParam(x, y));
        m_pView->SendMessage(WM_MOUSEMOVE, 0, PointParam(x, y));
        const CPoint pt = ToScreen(x, y);
        SetCursorPos(pt.x, pt.y);
        Tick(nTicks);
    }

    // The extent of one line in the tip's font, measured on its own.
    CSize LineExtent(const char* pszLine)
    {
        CValueTipWnd& tip = m_pView->GetTipWnd();
        const CString strSaved = tip.GetTipText();
        tip.SetTipText(pszLine);
        CRect rc;
        tip.CalcTextRect(&rc);
        tip.SetTipText(strSaved);
        return rc.Size();
    }

    std::vector<UINT> m_checkedSeen;
    int m_nTracks = 0;
    // The user's pick from the context menu; records the check marks shown.
    void PickFromMenu(UINT nChoice)
    {
        CMenu::SetTrackHook([this, nChoice](CMenu& rMenu) -> UINT {
            ++m_nTracks;
            m_checkedSeen.clear();
            for (UINT nID = IDS_STAT_INDUSTRY; nID <= IDS_STAT_SHIELD; ++nID) {
                if (rMenu.GetMenuState(nID, MF_BYCOMMAND) & MF_CHECKED)
                    m_checkedSeen.push_back(nID);
            }
            EXPECT_EQ(AfxGetModuleState(), AfxGetStaticModuleState());
            return nChoice;
        });
    }
};

TEST_F(ChartInteractionTest, ReadoutAppearsOnTheFourthTickBelowTheCursor)
{
    MakeZetaChart();
    // Turn index 11 is point 12; the readout reads the host's figure / 100.
    const int x = 11 * 23 + 5;
    const CPoint ptScreen = ToScreen(x, 100);

    // The readout's texts are the plug-in's, whatever state the host keeps.
    AFX_MODULE_STATE hostState("host");
    {
        AFX_MAINTAIN_STATE keep(&hostState);
        RestAt(x, 100, 3);
        EXPECT_FALSE(TipShown()) << "three ticks only count";
        EXPECT_EQ(m_pView->GetHoverTicks(), 3);
        Tick();
        EXPECT_EQ(AfxGetModuleState(), &hostState);
    }
    ASSERT_TRUE(TipShown());
    EXPECT_EQ(TipText(), "Alpha Turn=12\r\nPopulation=2.50\r\nZeta");

    const CSize line1 = LineExtent("Alpha Turn=12");
    const CSize line2 = LineExtent("Population=2.50");
    const CSize line3 = LineExtent("Zeta");
    const int nWidest = std::max({line1.cx, line2.cx, line3.cx});
    const CRect rcTip = TipRect();
    EXPECT_EQ(rcTip.TopLeft(), CPoint(ptScreen.x, ptScreen.y + 20));
    EXPECT_EQ(rcTip.Width(), nWidest + 5);
    EXPECT_EQ(rcTip.Height(), line1.cy * 3 + 2);
    CString strCaption;
    m_pView->GetTipWnd().GetWindowText(strCaption);
    EXPECT_TRUE(strCaption.IsEmpty());
}

// What a screen reader finds in the tip: a tool tip whose name is the
// readout it shows. (The announcements need a platform with accessibility,
// which the offscreen one is not; the desktop tests hear them.)
TEST_F(ChartInteractionTest, TipIsAToolTipNamedByItsReadout)
{
    MakeZetaChart();
    for (int nTurn : {12, 13}) {
        RestAt((nTurn - 1) * 23 + 5, 100, 4);
        ProcessPendingEvents();
        QAccessibleInterface* pTip =
            QAccessible::queryAccessibleInterface(AfxGetWidget(&m_pView->GetTipWnd()));
        ASSERT_NE(pTip, nullptr);
        EXPECT_EQ(pTip->role(), QAccessible::ToolTip);
        EXPECT_EQ(pTip->text(QAccessible::Name),
                  QString("Alpha Turn=%1\nPopulation=2.50\nZeta").arg(nTurn));
    }
}

TEST_F(ChartInteractionTest, TicksCountToFiveAndMovesResetThem)
{
    MakeZetaChart();
    RestAt(100, 100, 4);
    ASSERT_TRUE(TipShown());
    // The move that follows the tip's appearance leaves it.
    m_pView->SendMessage(WM_MOUSEMOVE, 0, PointParam(100, 100));
    EXPECT_TRUE(TipShown());
    EXPECT_EQ(m_pView->GetHoverTicks(), 0);

    Tick(7);
    EXPECT_EQ(m_pView->GetHoverTicks(), 5) << "the count stays at five";
    EXPECT_TRUE(TipShown());
    m_pView->SendMessage(WM_MOUSEMOVE, 0, PointParam(100, 100));
    EXPECT_FALSE(TipShown());

    // A tick that finds the cursor away hides a tip shown twice.
    Tick(5);
    ASSERT_TRUE(TipShown());
    const CPoint ptAway = ToScreen(100, 280);
    SetCursorPos(ptAway.x, ptAway.y);
    Tick();
    EXPECT_FALSE(TipShown());
    EXPECT_EQ(m_pView->GetHoverTicks(), 0);
}

TEST_F(ChartInteractionTest, NoReadoutWithoutFocusOrOffThePlot)
{
    MakeZetaChart();
    m_pView->SendMessage(WM_KILLFOCUS);
    RestAt(100, 100, 8);
    EXPECT_FALSE(TipShown()) << "no focus";
    EXPECT_EQ(m_pView->GetHoverTicks(), 0);

    m_pView->SendMessage(WM_SETFOCUS);
    const struct {
        int x, y;
        const char* what;
    } away[] = {{690, 100, "right edge"}, {100, 250, "bottom edge"}, {695, 260, "outside"}};
    for (const auto& point : away) {
        RestAt(point.x, point.y, 8);
        EXPECT_FALSE(TipShown()) << point.what;
        EXPECT_EQ(m_pView->GetHoverTicks(), 0) << point.what;
    }
    RestAt(689, 249, 4);
    EXPECT_TRUE(TipShown()) << "the last pixel inside";
    EXPECT_EQ(TipText(), "Alpha Turn=30\r\nPopulation=2.50\r\nZeta");
}

TEST_F(ChartInteractionTest, PlusAndMinusResizeThePlotByTheTurnCount)
{
    MakeZetaChart();
    m_pView->SendMessage(WM_KEYUP, VK_ADD, 1);
    EXPECT_EQ(m_pView->GetPlotRect(), CRect(0, 0, 810, 310)) << "4 x 30 wider, 2 x 30 taller";
    m_pView->MoveWindow(0, 0, 900, 400, FALSE);
    Render();
    EXPECT_EQ(m_pView->GetTurnStep(), 27);

    // The main keyboard's keys do the same.
    m_pView->SendMessage(WM_KEYUP, VK_OEM_PLUS, 1);
    EXPECT_EQ(m_pView->GetPlotRect(), CRect(0, 0, 930, 310));
    m_pView->SendMessage(WM_KEYUP, VK_OEM_MINUS, 1);
    EXPECT_EQ(m_pView->GetPlotRect(), CRect(0, 0, 810, 250));

    m_pView->SendMessage(WM_KEYUP, VK_SUBTRACT, 1);
    EXPECT_EQ(m_pView->GetPlotRect(), CRect(0, 0, 690, 190));
}

TEST_F(ChartInteractionTest, KeysReadTheDocumentsCurrentBlocksAfterAChange)
{
    MakeZetaChart();
    // The document drops every race (and its blocks) and gets a shorter one.
    m_pDoc->ResetRaces();
    AddRace("Zeta", "Alpha", {{kindPopulation, Flat(10, 250)}});
    m_pView->SendMessage(WM_KEYUP, VK_ADD, 1);
    EXPECT_EQ(m_pView->GetPlotRect(), CRect(0, 0, 730, 270)) << "4 x 10 and 2 x 10";
    EXPECT_EQ(m_pView->GetEntrySeries(0)[CRace::posTurns], 10);
}

TEST_F(ChartInteractionTest, RightButtonDragPansCurvesGridAndReadout)
{
    MakeZetaChart();
    m_pView->SendMessage(WM_MOUSEMOVE, MK_RBUTTON, PointParam(100, 100));
    EXPECT_EQ(m_pView->GetPlotRect().left, 0) << "the first move only records";
    m_pView->SendMessage(WM_MOUSEMOVE, MK_RBUTTON, PointParam(110, 100));
    EXPECT_EQ(m_pView->GetPlotRect(), CRect(10, 0, 700, 250));
    m_pView->SendMessage(WM_MOUSEMOVE, 0, PointParam(120, 100));
    EXPECT_EQ(m_pView->GetPlotRect().left, 10) << "a move without the button ends the drag";

    const QImage image = Render();
    EXPECT_EQ(Pixel(image, 10, 100), QColor(150, 150, 150));
    EXPECT_EQ(Pixel(image, 33, 100), QColor(150, 150, 150));
    EXPECT_EQ(Pixel(image, 0, 100), QColor(0, 0, 0));
    EXPECT_EQ(Pixel(image, 20, 250 - 250), QColor(255, 0, 0));

    RestAt(10 + 11 * 23 + 5, 100, 4);
    EXPECT_EQ(TipText(), "Alpha Turn=12\r\nPopulation=2.50\r\nZeta");
    RestAt(5, 100, 4);
    EXPECT_FALSE(TipShown()) << "left of the moved plot";
}

TEST_F(ChartInteractionTest, ControlRightClickMenuSwitchesStatisticsAndResets)
{
    AddRace("Zeta", "Alpha", {{kindIndustry, Flat(5, 100)}, {kindPopulation, Flat(5, 200)}});
    Select({"Zeta"});
    SetPlot(100, 100);
    Render();
    ASSERT_EQ(m_pView->GetEntryCount(), 1);

    PickFromMenu(IDS_STAT_POPULATION);
    m_pView->SendMessage(WM_RBUTTONUP, 0, PointParam(10, 10));
    EXPECT_EQ(m_nTracks, 0) << "no menu without Ctrl";

    AFX_MODULE_STATE hostState("host");
    {
        AFX_MAINTAIN_STATE keep(&hostState);
        m_pView->SendMessage(WM_RBUTTONUP, MK_CONTROL | MK_RBUTTON, PointParam(10, 10));
    }
    EXPECT_EQ(m_nTracks, 1);
    EXPECT_EQ(m_checkedSeen, std::vector<UINT>{IDS_STAT_INDUSTRY});
    EXPECT_EQ(m_pDoc->ToggleFlags(0) & g_lStatFlagsAll,
              StatFlagBit(kindIndustry) | StatFlagBit(kindPopulation));
    EXPECT_TRUE(m_pDoc->IsChanged());
    EXPECT_EQ(m_pView->GetPopupMenu().GetMenuState(IDS_STAT_POPULATION, MF_BYCOMMAND),
              UINT(MF_CHECKED));
    Render();
    EXPECT_EQ(m_pView->GetEntryCount(), 2);

    PickFromMenu(IDS_STAT_INDUSTRY);
    m_pView->SendMessage(WM_RBUTTONUP, MK_CONTROL, PointParam(10, 10));
    EXPECT_EQ(m_checkedSeen, (std::vector<UINT>{IDS_STAT_INDUSTRY, IDS_STAT_POPULATION}));
    Render();
    ASSERT_EQ(m_pView->GetEntryCount(), 1);
    EXPECT_EQ(m_pView->GetEntrySeries(0)[CRace::posKind], kindPopulation);

    PickFromMenu(IDS_KURVO_RESET);
    m_pView->SendMessage(WM_RBUTTONUP, MK_CONTROL, PointParam(10, 10));
    EXPECT_EQ(m_pDoc->GetSelection()->GetCount(), 0);
    EXPECT_EQ(m_pDoc->ToggleFlags(0) & g_lStatFlagsAll, StatFlagBit(kindPopulation))
        << "statistics stay";
    Render();
    EXPECT_EQ(m_pView->GetEntryCount(), 0);
    EXPECT_EQ(m_pDoc->GetRaces()->GetCount(), 1) << "the races themselves stay";
}

TEST_F(ChartInteractionTest, MenuTextsComeFromThePluginWhateverStateIsCurrent)
{
    AFX_MODULE_STATE hostState("host");
    AFX_MAINTAIN_STATE keep(&hostState);
    CKurvoView1 view;
    CMenu& menu = view.GetPopupMenu();
    ASSERT_EQ(menu.GetMenuItemCount(), 7u);
    const char* texts[] = {"Industry", "Population", "Weapon", "Drive", "Shield"};
    for (UINT k = 1; k <= 5; ++k) {
        CString strText;
        menu.GetMenuString(IDS_STAT_BASE + k, strText, MF_BYCOMMAND);
        EXPECT_STREQ(strText, texts[k - 1]);
    }
    EXPECT_EQ(menu.GetMenuItemID(5), 0u) << "separator";
    CString strReset;
    menu.GetMenuString(6, strReset, MF_BYPOSITION);
    EXPECT_STREQ(strReset, "Reset Kurvo");
}

TEST_F(ChartInteractionTest, OtherCommandsLeaveTheChartAlone)
{
    MakeZetaChart();
    const LONG nFlags = m_pDoc->ToggleFlags(0);
    for (WPARAM nID : {WPARAM(4242), WPARAM(5000), WPARAM(5006), WPARAM(0x10000 | 5001)})
        m_pView->SendMessage(WM_COMMAND, nID);
    EXPECT_EQ(m_pDoc->ToggleFlags(0), nFlags);
    EXPECT_EQ(m_pDoc->GetSelection()->GetCount(), 1);
}

// ---- Cases without a sound answer in the plain arithmetic ----------------

TEST_F(ChartInteractionTest, RaceWithoutTurnsIsKeptOutOfTheTables)
{
    AddEmptyRace("Empty", "Alpha");
    AddRace("Zeta", "Alpha", {{kindPopulation, Flat(30, 250)}});
    Select({"Empty", "Zeta"});
    ShowKinds({kindIndustry, kindPopulation});
    SetPlot(700, 300);
    Render();
    ASSERT_EQ(m_pView->GetEntryCount(), 2) << "Zeta's two kinds only";
    m_pView->SendMessage(WM_SETFOCUS);
    m_pView->SendMessage(WM_KEYUP, VK_ADD, 1);
    m_pView->SendMessage(WM_KEYUP, VK_SUBTRACT, 1);
    RestAt(100, 5, 4);
    EXPECT_EQ(TipText(), "Alpha Turn=5\r\nPopulation=2.50\r\nZeta");

    // Nothing but races without turns: no tables, nothing drawn or read.
    Select({});
    m_pDoc->GetSelection()->RemoveAll();
    Select({"Empty"});
    Render();
    EXPECT_EQ(m_pView->GetEntryCount(), 0);
    m_pView->SendMessage(WM_KEYUP, VK_ADD, 1);
    RestAt(100, 5, 4);
    EXPECT_FALSE(TipShown());
}

TEST_F(ChartInteractionTest, ShorterBlocksAreNotReadPastTheirEnd)
{
    AddRace("Able", "Alpha", {{kindIndustry, Flat(30, 100)}});
    AddRace("Baker", "Alpha", {{kindIndustry, Flat(5, 100)}});
    Select({"Able", "Baker"});
    SetPlot(700, 300);
    Render();
    m_pView->SendMessage(WM_SETFOCUS);
    RestAt(3 * 23 + 1, 10, 4);
    EXPECT_EQ(TipText(), "Alpha Turn=4\r\nIndustry=1.00\r\nBaker") << "equal: the later entry";
    m_pView->SendMessage(WM_MOUSEMOVE, 0, PointParam(0, 0));
    // Just past Baker's last value, where a read would leave its block.
    RestAt(5 * 23 + 1, 10, 4);
    EXPECT_EQ(TipText(), "Alpha Turn=6\r\nIndustry=1.00\r\nAble");
}

TEST_F(ChartInteractionTest, AmpersandsInNamesShowAsTheyAre)
{
    AddRace("R&D", "Q&A", {{kindIndustry, Flat(3, 100)}});
    Select({"R&D"});
    SetPlot(300, 300);
    Render();
    m_pView->SendMessage(WM_SETFOCUS);
    RestAt(10, 10, 4);
    EXPECT_EQ(TipText(), "Q&A Turn=1\r\nIndustry=1.00\r\nR&D");
    EXPECT_GT(LineExtent("Q&A Turn=1").cx, LineExtent("QA Turn=1").cx)
        << "the '&' is measured as a character";
}

TEST_F(ChartInteractionTest, NoEntryNearEnoughShowsNothing)
{
    CRace* pRace = AddRace("Zeta", "Alpha", {{kindIndustry, Flat(4, 2000000000)}});
    // A header that understates the values (as a damaged file may).
    pRace->GetSeries(kindIndustry)[CRace::posMax] = 100;
    Select({"Zeta"});
    SetPlot(400, 300);
    Render(); // the points lie far above the window: nothing to crash on
    EXPECT_EQ(m_pView->GetValueScale(), 1);
    m_pView->SendMessage(WM_SETFOCUS);
    RestAt(10, 50, 4);
    EXPECT_FALSE(TipShown());
}

TEST_F(ChartInteractionTest, BlocksWithoutValuesDrawAndReadNothing)
{
    CRace* pRace = AddRace("Zeta", "Alpha", {{kindIndustry, Flat(3, 100)}});
    // A block whose header counts no values (as a damaged file may hold).
    pRace->GetSeries(kindIndustry)[CRace::posTurns] = 0;
    Select({"Zeta"});
    SetPlot(300, 200);
    const QImage image = Render();
    EXPECT_EQ(Pixel(image, 0, 50), QColor(0, 0, 0));
    EXPECT_EQ(m_pView->GetPlotRect(), CRect(0, 0, 300, 200));
    m_pView->SendMessage(WM_KEYUP, VK_ADD, 1);
    EXPECT_EQ(m_pView->GetPlotRect(), CRect(0, 0, 300, 200));
    m_pView->SendMessage(WM_SETFOCUS);
    RestAt(10, 50, 5);
    EXPECT_FALSE(TipShown());
}

TEST_F(ChartInteractionTest, PlotNarrowerThanItsTurnsDrawsOnItsLeftEdgeAndReadsNothing)
{
    AddRace("Zeta", "Alpha", {{kindPopulation, Ramp(30, 10)}});
    Select({"Zeta"});
    ShowKinds({kindPopulation});
    SetPlot(20, 300);
    QImage image = Render();
    EXPECT_EQ(m_pView->GetTurnStep(), 0);
    // Every point on the left edge, the grid's one line over them.
    for (int y : {0, 100, 288})
        EXPECT_EQ(Pixel(image, 0, y), QColor(150, 150, 150)) << y;
    for (int x : {1, 10, 19})
        EXPECT_EQ(Pixel(image, x, 100), QColor(0, 0, 0)) << x;
    m_pView->SendMessage(WM_SETFOCUS);
    RestAt(0, 100, 5);
    EXPECT_FALSE(TipShown());

    // Keypad plus makes room again: 4 pixels per turn.
    m_pView->SendMessage(WM_KEYUP, VK_ADD, 1);
    m_pView->MoveWindow(0, 0, 200, 400, FALSE);
    image = Render();
    EXPECT_EQ(m_pView->GetTurnStep(), 4);
    EXPECT_EQ(Pixel(image, 4, 100), QColor(150, 150, 150));
}

TEST_F(ChartInteractionTest, PlotShrunkToNoHeightDrawsNothingUntilGrown)
{
    std::vector<LONG> values = Ramp(30, 10);
    values.back() = 300;
    AddRace("Zeta", "Alpha", {{kindPopulation, values}});
    Select({"Zeta"});
    ShowKinds({kindPopulation});
    SetPlot(700, 400);
    Render();
    ASSERT_EQ(m_pView->GetPlotRect(), CRect(0, 0, 690, 300));
    for (int i = 0; i < 5; ++i)
        m_pView->SendMessage(WM_KEYUP, VK_SUBTRACT, 1);
    ASSERT_EQ(m_pView->GetPlotRect(), CRect(0, 0, 90, 0));
    QImage image = Render();
    EXPECT_EQ(Pixel(image, 0, 0), QColor(0, 0, 0));
    m_pView->SendMessage(WM_SETFOCUS);
    RestAt(1, 0, 5);
    EXPECT_FALSE(TipShown());

    m_pView->SendMessage(WM_KEYUP, VK_ADD, 1);
    image = Render();
    EXPECT_EQ(m_pView->GetValueScale(), 5) << "300 over 60 pixels";
    EXPECT_EQ(Pixel(image, 7, 10), QColor(150, 150, 150));
}

TEST_F(ChartInteractionTest, FlatSeriesKeepThePlotForLaterData)
{
    CRace* pRace = AddRace("Zeta", "Alpha", {{kindPopulation, Flat(10, 0)}});
    Select({"Zeta"});
    ShowKinds({kindPopulation});
    SetPlot(100, 200, 10);
    Render();
    QImage image = Render();
    EXPECT_EQ(m_pView->GetPlotRect(), CRect(0, 0, 100, 200));
    EXPECT_EQ(Pixel(image, 5, 200), QColor(255, 0, 0)) << "on the bottom edge";

    // Figures arrive: they use the whole height at once.
    LONG* pBlock = pRace->GetSeries(kindPopulation);
    pBlock[CRace::posMax] = 400;
    pBlock[CRace::posFirstValue + 9] = 400;
    m_pDoc->ToggleFlags(CKurvoDoc::flagChanged);
    Render();
    EXPECT_EQ(m_pView->GetValueScale(), 2);
    EXPECT_EQ(m_pView->GetPlotRect(), CRect(0, 0, 100, 200));
}

} // namespace
