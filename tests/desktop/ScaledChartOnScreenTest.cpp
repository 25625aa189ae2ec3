// The chart and its tip on a scaled screen (QT_SCALE_FACTOR, which ctest
// sets per run): the host's window with the real plug-in, the server's own
// pixels read back, compared with the chart's and the tip's own paint at
// the same factor. Seams, stale strips after a drag and a tip that is not
// where the player looks all fail here. Input goes through the server, so
// that the pointer and keys arrive as a player's would.
#include "ChartWindow.h"
#include "DesktopHost.h"
#include "HostProcess.h"
#include "HostSession.h"
#include "HostWindow.h"
#include "RacesPanel.h"
#include "ScreenDriver.h"
#include <afxqt.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QMenu>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <utility>

namespace
{

const int nScreenWaitMs = 4000;

bool WaitOnScreen(const std::function<bool()>& done)
{
    return ScreenDriver::waitFor(done, nScreenWaitMs);
}

class ScaledChartOnScreenTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        // Unscaled, ChartOnScreenTest has the one host this program may run.
        if (!qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
            s_host = new DesktopHost;
    }

    static void TearDownTestSuite()
    {
        delete s_host;
        s_host = nullptr;
    }

    // Where a test left the mouse, the next test's chart would show its tip
    // while it is being found on screen.
    void TearDown() override
    {
        if (m_pView == nullptr)
            return;
        s_host->driver->setControlHeld(false);
        ParkMouse();
        s_host->closeCharts();
    }

    // Off the chart, where a rest shows no tip.
    void ParkMouse()
    {
        QWidget* races = s_host->window->racesPanel();
        MoveTo(races, QPoint(10, races->height() - 10));
    }

    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
            GTEST_SKIP() << "unscaled: ChartOnScreenTest covers it";
        if (s_host->driver == nullptr || !s_host->driver->inputThroughServer())
            GTEST_SKIP() << "needs input through the server: run-on-x, or weston inside it";
        ASSERT_TRUE(s_host->started);
        QMainWindow* main = s_host->window->mainWindow();
        m_f = main->devicePixelRatioF();
        // Only the suite's first test sees the window as the host opened it.
        if (!std::exchange(s_bOpenedChecked, true))
            ExpectOpenedWithinScreen();
        OpenChart();
    }

    // As the host opened it: all of it, frame too, where the player can
    // reach it, however few logical pixels the factor leaves. A Wayland
    // client does not know where its window is, only that the compositor
    // has its size to place.
    void ExpectOpenedWithinScreen()
    {
        QMainWindow* main = s_host->window->mainWindow();
        const QRect screen = main->screen()->availableGeometry();
        if (s_host->driver->name() == "X11") {
            EXPECT_TRUE(screen.contains(main->frameGeometry()))
                << "the window opened beyond the screen";
            return;
        }
        const QSize frame = main->frameGeometry().size();
        EXPECT_TRUE(frame.width() <= screen.width() && frame.height() <= screen.height())
            << "the window opened larger than the screen: " << frame.width() << "x"
            << frame.height() << " on " << screen.width() << "x" << screen.height();
    }

    void OpenChart()
    {
        QFile::remove(s_host->chartFile());
        s_host->window->racesPanel()->selectRaces({"Velelluans", "Quapreyoans", "Dunprekai"});
        for (QAction* action : s_host->window->pluginsMenu()->actions()) {
            if (action->text() == "Kurvo" || action->text() == "Add Race(s) to Kurvo")
                action->trigger();
        }
        CView* view = ChartWindow::findView(*s_host->session->mainFrame());
        ASSERT_NE(view, nullptr);
        m_pView = AfxGetWidget(view);
        // All of it on the screen, which is smaller in logical pixels the
        // larger the factor; odd sizes, so that the chart's device edges
        // fall mid-pixel.
        QMainWindow* main = s_host->window->mainWindow();
        const QRect screen = main->screen()->availableGeometry();
        FillScreen(main, screen);
        // A third of the screen leaves it whole beside the Races window.
        ChartWindow(*view).resizeView(QSize(screen.width() / 3 | 1, screen.height() / 3 | 1));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_pView->window()));
        // Where the client cannot learn its place, the pointer can be aimed
        // only once the window has been found on screen.
        const bool bFound = WaitOnScreen([&] {
            return s_host->driver->locate(main, m_pView->mapTo(main, QPoint(0, 0)), ChartPaint());
        });
        if (!bFound)
            s_host->keepForLooking(s_host->driver->grabScreen(), ChartPaint());
        ASSERT_TRUE(bFound) << "the chart is nowhere on the screen";
        MoveTo(m_pView, QPoint(5, 5));
        s_host->driver->click(Qt::LeftButton);
        ASSERT_TRUE(WaitOnScreen([&] { return m_pView->hasFocus(); }));
        MoveTo(s_host->window->racesPanel(), QPoint(10, 10));
    }

    void MoveTo(QWidget* widget, QPoint local) { s_host->driver->moveTo(widget, local); }

    // Frame and all inside what a window manager leaves free. A Wayland
    // client cannot place its window, but the compositor places a
    // maximised one where the screen's free area starts.
    static void FillScreen(QMainWindow* main, QRect screen)
    {
        if (s_host->driver->name() != "X11") {
            main->showMaximized();
            WaitOnScreen([&] { return main->isMaximized(); });
            return;
        }
        const QSize frame = main->frameGeometry().size() - main->size();
        main->resize(screen.size() - frame - QSize(10, 10));
        main->move(screen.topLeft());
    }

    // The chart's own paint, cut from its whole window at device pixels.
    QImage ChartPaint() const
    {
        QWidget* window = m_pView->window();
        const QPoint pt = m_pView->mapTo(window, QPoint(0, 0));
        const QRect rect(QPoint(qRound(pt.x() * m_f), qRound(pt.y() * m_f)),
                         QPoint(qRound((pt.x() + m_pView->width()) * m_f) - 1,
                                qRound((pt.y() + m_pView->height()) * m_f) - 1));
        return window->grab().toImage().copy(rect).convertToFormat(QImage::Format_RGB32);
    }

    QWidget* Tip() const
    {
        for (QWidget* child : m_pView->findChildren<QWidget*>()) {
            if (child->isWindow())
                return child;
        }
        return nullptr;
    }

    // Waits until the screen shows wanted (the widget's own paint) where
    // widget is, give or take the rounding of its window's place; where
    // it was found.
    ::testing::AssertionResult ScreenShows(const QWidget* widget,
                                           const std::function<QImage()>& wanted, QPoint* pFound)
    {
        QImage screen, part;
        QRect searched;
        const bool bFound = WaitOnScreen([&] {
            // Only what lies on the screen can be compared; the rest of a
            // tip near the screen's edge is the server's to cut.
            const QImage whole = s_host->driver->grabScreen();
            const QPoint expected = s_host->driver->toScreen(widget, QPoint(0, 0));
            const QRect shown = QRect(expected, wanted().size()) & whole.rect();
            part = wanted().copy(shown.translated(-expected));
            searched = shown.adjusted(-2, -2, 2, 2) & whole.rect();
            screen = whole.copy(searched);
            const QPoint at = FindImage(screen, part);
            if (at.x() < 0)
                return false;
            *pFound = searched.topLeft() + at - (shown.topLeft() - expected);
            return true;
        });
        if (bFound)
            return ::testing::AssertionSuccess();
        const QString stem = s_host->keepForLooking(screen, part);
        return ::testing::AssertionFailure()
               << "the screen does not show the paint; see " << stem.toStdString()
               << "-{screen,expected,whole-screen}.png";
    }

    QWidget* m_pView = nullptr;
    qreal m_f = 1;

    static DesktopHost* s_host;
    static bool s_bOpenedChecked;
};

DesktopHost* ScaledChartOnScreenTest::s_host = nullptr;
bool ScaledChartOnScreenTest::s_bOpenedChecked = false;

TEST_F(ScaledChartOnScreenTest, ChartTipAndDragShowExactlyTheirOwnPaint)
{
    SCOPED_TRACE(testing::Message() << "scale factor " << m_f);
    QPoint at;
    ASSERT_TRUE(ScreenShows(
        m_pView, [this] { return ChartPaint(); }, &at))
        << "opened";

    // A right-button drag of an odd length: half a device pixel at 1.5.
    const QPoint start(200, 200);
    MoveTo(m_pView, start);
    s_host->driver->press(Qt::RightButton);
    MoveTo(m_pView, start + QPoint(1, 0));
    MoveTo(m_pView, start + QPoint(8, 3));
    s_host->driver->release(Qt::RightButton);
    EXPECT_TRUE(ScreenShows(
        m_pView, [this] { return ChartPaint(); }, &at))
        << "dragged";

    // Rest on a curve.
    const QImage paint = ChartPaint();
    // Left in the chart, so that most of the tip is on the screen.
    QPoint rest(m_pView->width() / 8, m_pView->height() / 2);
    for (int y = 10; y < m_pView->height() - 10 && rest.y() == m_pView->height() / 2; ++y) {
        const QRgb rgb = paint.pixel(qRound(rest.x() * m_f), qRound(y * m_f)) & 0xffffff;
        if (rgb != 0 && rgb != (qRgb(150, 150, 150) & 0xffffff))
            rest.setY(y);
    }
    MoveTo(m_pView, rest);
    QWidget* tip = Tip();
    ASSERT_NE(tip, nullptr);
    ASSERT_TRUE(WaitOnScreen([&] { return tip->isVisible(); })) << "no tip after a rest";
    QPoint tipAt;
    ASSERT_TRUE(ScreenShows(
        tip, [tip] { return tip->grab().toImage().convertToFormat(QImage::Format_RGB32); }, &tipAt))
        << "the tip with its edges";
    const QPoint cursor = s_host->driver->toScreen(m_pView, rest);
    EXPECT_NEAR(tipAt.x(), cursor.x(), 1);
    EXPECT_NEAR(tipAt.y(), cursor.y() + 20 * m_f, 1) << "20 logical pixels below the cursor";

    // Moving on takes the tip away, and the chart beneath shows again.
    ScreenDriver::settle(400);
    MoveTo(m_pView, rest + QPoint(40, 0));
    ASSERT_TRUE(WaitOnScreen([&] { return !tip->isVisible(); }));
    EXPECT_TRUE(ScreenShows(
        m_pView, [this] { return ChartPaint(); }, &at))
        << "exposed again";
}

// The keys a laptop has, the context menu as a real popup at the click,
// and the keyboard readout's tip, each shown exactly as painted.
TEST_F(ScaledChartOnScreenTest, KeysAndTheContextMenuShowExactlyTheirOwnPaint)
{
    SCOPED_TRACE(testing::Message() << "scale factor " << m_f);
    const auto chart = [this] { return ChartPaint(); };
    const auto grab = [](QWidget* widget) {
        return [widget] { return widget->grab().toImage().convertToFormat(QImage::Format_RGB32); };
    };
    QPoint at;
    for (const bool bKeypad : {true, false}) {
        SCOPED_TRACE(bKeypad ? "keypad plus" : "the main keyboard's minus");
        const QImage before = ChartPaint();
        if (bKeypad)
            s_host->driver->keypadClick(Qt::Key_Plus);
        else
            s_host->driver->keyClick(Qt::Key_Minus);
        ASSERT_TRUE(WaitOnScreen([&] { return ChartPaint() != before; })) << "no change";
        EXPECT_TRUE(ScreenShows(m_pView, chart, &at));
    }

    const QPoint click(m_pView->width() / 2, m_pView->height() / 3);
    MoveTo(m_pView, click);
    s_host->driver->setControlHeld(true);
    s_host->driver->click(Qt::RightButton);
    s_host->driver->setControlHeld(false);
    QMenu* menu = nullptr;
    ASSERT_TRUE(WaitOnScreen([&] {
        menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        return menu != nullptr && menu->isVisible();
    })) << "no context menu";
    QPoint menuAt;
    ASSERT_TRUE(ScreenShows(menu, grab(menu), &menuAt)) << "the menu";
    const QPoint clicked = s_host->driver->toScreen(m_pView, click);
    EXPECT_NEAR(menuAt.x(), clicked.x(), 1) << "the menu opens at the click";
    EXPECT_NEAR(menuAt.y(), clicked.y(), 1) << "the menu opens at the click";
    s_host->driver->keyClick(Qt::Key_Escape);
    ASSERT_TRUE(WaitOnScreen([] { return QApplication::activePopupWidget() == nullptr; }));
    // The keys alone from here, as a player without a mouse has them.
    ParkMouse();

    QWidget* tip = Tip();
    ASSERT_NE(tip, nullptr);
    s_host->driver->keyClick(Qt::Key_Right);
    ASSERT_TRUE(WaitOnScreen([&] { return tip->isVisible(); })) << "no tip from the keyboard";
    EXPECT_TRUE(ScreenShows(tip, grab(tip), &at)) << "the keyboard readout's tip";
    s_host->driver->keyClick(Qt::Key_Escape);
    ASSERT_TRUE(WaitOnScreen([&] { return !tip->isVisible(); }));
    EXPECT_TRUE(ScreenShows(m_pView, chart, &at)) << "exposed again";
}

} // namespace
