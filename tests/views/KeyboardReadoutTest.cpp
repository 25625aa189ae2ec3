// The chart read from the keyboard: the keys' walk over the curves' points,
// the tip kept on the screen near its edges, the walk surviving changes of
// the document, and what assistive technology is told on the way. (The
// last needs a platform with accessibility: ctest runs those cases once
// more on a private X server with the accessibility bus.)
#include "ViewTestSupport.h"
#include <afxqt.h>

#include "resources/resource.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <string>

namespace
{

struct HEARD {
    QObject* pObject;
    QAccessible::Event event;
    QString strText;
};
std::vector<HEARD> g_heard;

void RecordEvent(QAccessibleEvent* pEvent)
{
    QAccessibleInterface* pInterface = pEvent->accessibleInterface();
    const QAccessible::Text text = pEvent->type() == QAccessible::DescriptionChanged
                                       ? QAccessible::Description
                                       : QAccessible::Name;
    g_heard.push_back({pEvent->object(), pEvent->type(),
                       pInterface != nullptr ? pInterface->text(text) : QString()});
}

std::vector<LONG> Ramp(int nTurns, LONG lStep)
{
    std::vector<LONG> values;
    for (int t = 0; t < nTurns; ++t)
        values.push_back(t * lStep);
    return values;
}

class KeyboardReadoutTest : public ChartViewTest
{
protected:
    void TearDown() override
    {
        QAccessible::installUpdateHandler(nullptr);
        ChartViewTest::TearDown();
    }

    // Step 13 on a 400-pixel plot of 30 turns; values up to 290 at 1 per
    // pixel put the bottom edge at 290.
    void MakeChart(std::initializer_list<const char*> names)
    {
        Select(names);
        SetPlot(400, 300);
        Render();
        m_pView->SendMessage(WM_SETFOCUS);
    }

    void Key(UINT nKey) { m_pView->SendMessage(WM_KEYDOWN, nKey, 1); }
    // Where the point of a turn (1 ..) and value is drawn, on the screen.
    CPoint PointAt(int nTurn, LONG lValue) const
    {
        return ToScreen((nTurn - 1) * m_pView->GetTurnStep(),
                        m_pView->GetPlotRect().bottom - lValue);
    }

    // The tests that listen need a platform that has accessibility.
    bool Listen()
    {
        g_heard.clear();
        QAccessible::installUpdateHandler(RecordEvent);
        QAccessible::setActive(true);
        return QAccessible::isActive();
    }
    std::vector<HEARD> HeardFrom(CWnd* pWnd)
    {
        ProcessPendingEvents();
        std::vector<HEARD> heard;
        for (const HEARD& h : g_heard) {
            if (h.pObject == AfxGetWidget(pWnd))
                heard.push_back(h);
        }
        g_heard.clear();
        return heard;
    }
};

TEST_F(KeyboardReadoutTest, KeysWalkAlongAndAcrossTheCurves)
{
    AddRace("Able", "Alpha", {{kindIndustry, Ramp(30, 10)}});
    AddRace("Baker", "Alpha", {{kindIndustry, std::vector<LONG>(30, 100)}});
    AddRace("Carl", "Alpha", {{kindIndustry, std::vector<LONG>(30, 100)}});
    AddRace("Dan", "Alpha", {{kindIndustry, std::vector<LONG>(5, 200)}});
    MakeChart({"Able", "Baker", "Carl", "Dan"});
    ASSERT_EQ(m_pView->GetPlotRect().bottom, 290);

    const struct {
        UINT nKey;
        const char* pszRace;
        int nTurn;
        LONG lValue;
    } steps[] = {
        {VK_LEFT, "Able", 30, 290},  // the first key shows the newest point of the top curve
        {VK_RIGHT, "Able", 30, 290}, // the curve's end
        {VK_DOWN, "Baker", 30, 100}, // of equal values, the one drawn on top first
        {VK_DOWN, "Carl", 30, 100},  {VK_DOWN, "Carl", 30, 100}, // the bottom curve
        {VK_UP, "Baker", 30, 100},   {VK_HOME, "Baker", 1, 100}, {VK_LEFT, "Baker", 1, 100},
        {VK_UP, "Dan", 1, 200},      {VK_END, "Dan", 5, 200}, // a shorter curve ends early
        {VK_RIGHT, "Dan", 5, 200},   {VK_DOWN, "Baker", 5, 100}, {VK_RIGHT, "Baker", 6, 100},
        {VK_UP, "Baker", 6, 100}, // Dan has no point here: Baker is on top
        {VK_DOWN, "Carl", 6, 100},   {VK_DOWN, "Able", 6, 50},
    };
    for (const auto& step : steps) {
        const std::string strWhere = std::string(step.pszRace) + " " + std::to_string(step.nTurn);
        Key(step.nKey);
        ASSERT_TRUE(TipShown()) << strWhere;
        char szValue[16];
        snprintf(szValue, sizeof szValue, "%.2f", step.lValue / 100.0);
        EXPECT_EQ(TipText(), "Alpha Turn=" + std::to_string(step.nTurn) +
                                 "\r\nIndustry=" + szValue + "\r\n" + step.pszRace)
            << strWhere;
        const CPoint ptPoint = PointAt(step.nTurn, step.lValue);
        EXPECT_EQ(TipRect().TopLeft(), CPoint(ptPoint.x, ptPoint.y + 20)) << strWhere;
    }

    Key(VK_ESCAPE);
    EXPECT_FALSE(TipShown());
    Key(VK_RIGHT);
    EXPECT_EQ(TipText(), "Alpha Turn=7\r\nIndustry=0.60\r\nAble") << "the walk goes on";

    // A mouse rest takes over, and the keys go on from what it read.
    m_pView->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(11 * 13 + 2, 290 - 100));
    EXPECT_FALSE(TipShown());
    const CPoint ptRest = ToScreen(11 * 13 + 2, 290 - 100);
    SetCursorPos(ptRest.x, ptRest.y);
    Tick(4);
    EXPECT_EQ(TipText(), "Alpha Turn=12\r\nIndustry=1.00\r\nCarl");
    Key(VK_RIGHT);
    EXPECT_EQ(TipText(), "Alpha Turn=13\r\nIndustry=1.00\r\nCarl");
    // Escape ends the rest as well: the tip stays away until the mouse moves.
    Key(VK_ESCAPE);
    Tick(3);
    EXPECT_FALSE(TipShown()) << "the rest under way showed its tip again";
    m_pView->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(11 * 13 + 2, 290 - 100));
    Tick(4);
    EXPECT_TRUE(TipShown()) << "a new rest";
    Key(VK_RIGHT);

    m_pView->SendMessage(WM_KILLFOCUS);
    EXPECT_FALSE(TipShown()) << "what the keys read goes with the focus";
}

TEST_F(KeyboardReadoutTest, TipTurnsAwayFromTheEdgesOfTheWorkArea)
{
    AddRace("Zeta", "Alpha", {{kindIndustry, std::vector<LONG>(30, 250)}});
    MakeChart({"Zeta"});
    Key(VK_END);
    const CSize sizeTip = TipRect().Size();
    const QRect rcAvailable = QGuiApplication::primaryScreen()->availableGeometry();
    const CRect rcWork(rcAvailable.left(), rcAvailable.top(), rcAvailable.right() + 1,
                       rcAvailable.bottom() + 1);

    // The tip goes left of the point (or above it) where it would run past
    // the work area's right (or bottom) edge.
    const struct {
        const char* what;
        CPoint ptTarget; // where the point read is brought
        bool bLeft, bAbove;
    } rows[] = {
        {"inside", rcWork.TopLeft() + CSize(200, 200), false, false},
        {"right", CPoint(rcWork.right - 10, rcWork.top + 200), true, false},
        {"bottom", CPoint(rcWork.left + 200, rcWork.bottom - 10), false, true},
        {"corner", rcWork.BottomRight() - CSize(10, 10), true, true},
    };
    for (const auto& row : rows) {
        // The whole host window is moved, so that the point lands there.
        QWidget* pTop = AfxGetWidget(m_pMain)->window();
        const CSize move = row.ptTarget - PointAt(30, 250);
        pTop->setGeometry(pTop->geometry().translated(move.cx, move.cy));
        const CPoint pt = PointAt(30, 250);
        // (The platform may keep a frame's width of it on the screen.)
        ASSERT_LE(std::abs(pt.x - row.ptTarget.x) + std::abs(pt.y - row.ptTarget.y), 4) << row.what;
        Key(VK_END);
        const CPoint ptTip(row.bLeft ? pt.x - sizeTip.cx : pt.x,
                           row.bAbove ? pt.y - sizeTip.cy : pt.y + 20);
        EXPECT_EQ(TipRect(), CRect(ptTip, sizeTip)) << row.what;
    }
}

TEST_F(KeyboardReadoutTest, TheWalkOutlivesChangesOfTheDocument)
{
    AddRace("Zeta", "Alpha", {{kindIndustry, Ramp(30, 10)}});
    MakeChart({"Zeta"});
    Key(VK_END);
    ASSERT_EQ(TipText(), "Alpha Turn=30\r\nIndustry=2.90\r\nZeta");

    // The race is fetched anew, shorter: its blocks are new ones.
    m_pDoc->ResetRaces();
    AddRace("Zeta", "Alpha", {{kindIndustry, Ramp(10, 10)}});
    Select({"Zeta"});
    Key(VK_LEFT);
    EXPECT_EQ(TipText(), "Alpha Turn=9\r\nIndustry=0.80\r\nZeta") << "kept within the curve";

    // The curve read is gone: the walk starts afresh.
    m_pDoc->ResetRaces();
    AddRace("Yale", "Beta", {{kindIndustry, Ramp(4, 10)}});
    Select({"Yale"});
    Key(VK_LEFT);
    EXPECT_EQ(TipText(), "Beta Turn=4\r\nIndustry=0.30\r\nYale");

    // "Reset Kurvo": nothing left to read.
    m_pView->SendMessage(WM_COMMAND, IDS_KURVO_RESET);
    Key(VK_RIGHT);
    EXPECT_FALSE(TipShown());
}

// The view is reached by Tab and by a click, and the platform's own key
// presses walk it, repeats included.
TEST_F(KeyboardReadoutTest, TabReachesTheChartAndHeldKeysRepeat)
{
    AddRace("Zeta", "Alpha", {{kindIndustry, Ramp(30, 10)}});
    MakeChart({"Zeta"});
    QWidget* pViewWidget = AfxGetWidget(m_pView);
    QWidget* pTop = pViewWidget->window();
    pTop->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(pTop));
    EXPECT_TRUE(pViewWidget->focusPolicy() & Qt::TabFocus);
    pTop->setFocus();
    QTest::keyClick(pTop, Qt::Key_Tab);
    ASSERT_TRUE(pViewWidget->hasFocus());

    QTest::keyClick(pViewWidget, Qt::Key_Home);
    for (int i = 0; i < 3; ++i)
        QTest::keyPress(pViewWidget, Qt::Key_Right, Qt::NoModifier, -1);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(pViewWidget, &repeat);
    QTest::keyRelease(pViewWidget, Qt::Key_Right);
    EXPECT_EQ(TipText(), "Alpha Turn=5\r\nIndustry=0.40\r\nZeta");
}

TEST_F(KeyboardReadoutTest, AssistiveTechnologyHearsEachStepAndEachTurnGained)
{
    CRace* pRace = AddRace("Zeta", "Alpha", {{kindIndustry, Ramp(30, 10)}});
    MakeChart({"Zeta"});
    if (!Listen())
        GTEST_SKIP() << "no accessibility on this platform";
    QAccessibleInterface* pChart = QAccessible::queryAccessibleInterface(AfxGetWidget(m_pView));
    ASSERT_NE(pChart, nullptr);
    EXPECT_EQ(pChart->role(), QAccessible::Chart);
    EXPECT_EQ(pChart->text(QAccessible::Name), "Kurvo chart");
    EXPECT_EQ(pChart->text(QAccessible::Description), "30 turns");

    CValueTipWnd& tip = m_pView->GetTipWnd();
    // A client keeps the names it was told, so a new text is always told
    // as a change of name, and before the showing that makes it heard.
    using Events = std::vector<QAccessible::Event>;
    const struct {
        UINT nKey;
        Events events;
        int nTurn;
    } steps[] = {{VK_END, {QAccessible::NameChanged, QAccessible::ObjectShow}, 30},
                 {VK_LEFT, {QAccessible::NameChanged}, 29},
                 {VK_HOME, {QAccessible::NameChanged}, 1}};
    for (const auto& step : steps) {
        Key(step.nKey);
        const std::vector<HEARD> heard = HeardFrom(&tip);
        Events events;
        for (const HEARD& one : heard) {
            events.push_back(one.event);
            EXPECT_EQ(one.strText, QString("Alpha Turn=%1\nIndustry=%2\nZeta")
                                       .arg(step.nTurn)
                                       .arg((step.nTurn - 1) * 0.1, 0, 'f', 2));
        }
        EXPECT_EQ(events, step.events) << step.nTurn;
    }

    // A turn gained is told once, by the chart's description, while the
    // chart has the focus.
    const auto GainTurn = [&] {
        const LONG nTurns = pRace->GetSeries(kindIndustry)[CRace::posTurns];
        ASSERT_TRUE(pRace->SetTurnCount(nTurns + 1));
        pRace->GetSeries(kindIndustry)[CRace::posFirstValue + nTurns] = 0;
        m_pDoc->ToggleFlags(m_pDoc->IsChanged() ? 0 : CKurvoDoc::flagChanged);
        Render();
        Render();
    };
    GainTurn();
    std::vector<HEARD> heard = HeardFrom(m_pView);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].event, QAccessible::DescriptionChanged);
    EXPECT_EQ(heard[0].strText, "31 turns");
    m_pView->SendMessage(WM_KILLFOCUS);
    GainTurn();
    EXPECT_TRUE(HeardFrom(m_pView).empty()) << "not while another window has the focus";
    EXPECT_EQ(pChart->text(QAccessible::Description), "32 turns");
}

} // namespace
