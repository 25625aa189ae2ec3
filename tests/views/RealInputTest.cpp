// The chart as a user meets it: input arrives as the windowing system's own
// events (a click for the focus, mouse moves, a key) and the hover readout is
// driven by the view's real 150 ms timer, not by messages the test sends.
#include "ViewTestSupport.h"
#include <afxqt.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QWidget>

namespace
{

class RealInputTest : public ChartViewTest
{
protected:
    void SetUp() override
    {
        ChartViewTest::SetUp();
        AddRace("Zeta", "Alpha", {{kindPopulation, std::vector<LONG>(30, 250)}});
        Select({"Zeta"});
        ShowKinds({kindPopulation});
        SetPlot(700, 300);
        Render();
        // The view runs its own timer again, as it does in the host.
        m_pView->SetTimer(CKurvoView1::nHoverTimerId, 150, nullptr);
        QWidget* pTop = AfxGetWidget(m_pMain)->window();
        pTop->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(pTop));
    }

    QWidget* ViewWidget() { return AfxGetWidget(m_pView); }

    // Waits, processing events, until pred holds or the time is up.
    template <class Pred> bool WaitFor(Pred pred, int nMs)
    {
        QElapsedTimer timer;
        timer.start();
        while (!pred() && timer.elapsed() < nMs)
            QTest::qWait(20);
        return pred();
    }
};

TEST_F(RealInputTest, RestingTheMouseOnTheCurveShowsItsValueBelowTheCursor)
{
    QTest::mouseClick(ViewWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    ASSERT_TRUE(WaitFor([&] { return ViewWidget()->hasFocus(); }, 1000));

    // Turn index 12 sits at x = 12 * 23; the value 250 at 0 pixels up.
    QTest::mouseMove(ViewWidget(), QPoint(12 * 23 + 5, 240));
    ASSERT_TRUE(WaitFor([&] { return m_pView->GetTipWnd().IsWindowVisible() != FALSE; }, 5000));
    EXPECT_EQ(m_pView->GetTipWnd().GetTipText().str(), "Alpha Turn=13\r\nPopulation=2.50\r\nZeta");
    CRect rcTip;
    m_pView->GetTipWnd().GetWindowRect(&rcTip);
    EXPECT_EQ(rcTip.TopLeft(), ToScreen(12 * 23 + 5, 240 + 20));

    // Once the rest has been counted out, any move hides it until the mouse
    // rests anew. (A move on the very tick that showed it does not: showing a
    // window can itself produce a move.)
    ASSERT_TRUE(WaitFor([&] { return m_pView->GetHoverTicks() == 5; }, 1000));
    QTest::mouseMove(ViewWidget(), QPoint(100, 100));
    EXPECT_TRUE(WaitFor([&] { return m_pView->GetTipWnd().IsWindowVisible() == FALSE; }, 1000));
}

TEST_F(RealInputTest, PlusFromTheKeypadOrTheMainKeyboardWidensThePlot)
{
    QTest::mouseClick(ViewWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    ASSERT_TRUE(WaitFor([&] { return ViewWidget()->hasFocus(); }, 1000));
    const int nRightBefore = m_pView->GetPlotRect().right;

    QTest::keyClick(ViewWidget(), Qt::Key_Plus, Qt::KeypadModifier);
    QTest::keyClick(ViewWidget(), Qt::Key_Plus, Qt::NoModifier);
    QTest::keyClick(ViewWidget(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(m_pView->GetPlotRect().right, nRightBefore + 3 * 4 * 30);
    QTest::keyClick(ViewWidget(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(m_pView->GetPlotRect().right, nRightBefore + 2 * 4 * 30);
}

} // namespace
