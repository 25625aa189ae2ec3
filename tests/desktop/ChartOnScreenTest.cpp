// The chart as a player sees it on a real display server: the host's window
// with the real plug-in, the screen read back from the server, and input
// sent the way the server delivers it (see ScreenDriver). Every check
// compares what the server shows with the same chart painted off-screen by
// the same code, so stale or missing pixels anywhere in the chart fail.
//
// One host runs for the whole program, as one user session would; each test
// opens a fresh chart of three races.
#include "AtspiListener.h"
#include "ChartWindow.h"
#include "DesktopHost.h"
#include "HostProcess.h"
#include "HostSession.h"
#include "HostWindow.h"
#include "RacesPanel.h"
#include "ScreenDriver.h"
#include <afxqt.h>

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonObject>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <optional>

namespace
{

const QSize viewSize(600, 400);
const QRgb rgbGrid = qRgb(150, 150, 150);
const QRgb rgbTip = qRgb(250, 250, 225);
// Waits on the screen are generous: the suite shares the machine with others.
const int nScreenWaitMs = 4000;

bool WaitFor(const std::function<bool()>& done, int milliseconds = nScreenWaitMs)
{
    return ScreenDriver::waitFor(done, milliseconds);
}

bool IsCurvePixel(QRgb rgb)
{
    rgb &= 0xffffff;
    return rgb != 0 && rgb != (rgbGrid & 0xffffff);
}

int CountPixels(const QImage& image, const std::function<bool(QRgb)>& pred)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += pred(image.pixel(x, y)) ? 1 : 0;
    }
    return count;
}

// Rows of text: runs of rows that hold a pixel far darker than the tip.
int CountTextLines(const QImage& tip)
{
    int nLines = 0;
    bool bInLine = false;
    for (int y = 1; y < tip.height() - 1; ++y) {
        bool bInk = false;
        for (int x = 1; x < tip.width() - 1 && !bInk; ++x)
            bInk = qGray(tip.pixel(x, y)) < 128;
        nLines += bInk && !bInLine ? 1 : 0;
        bInLine = bInk;
    }
    return nLines;
}

class ChartOnScreenTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_host = new DesktopHost;
        if (s_host->driver == nullptr || !s_host->started)
            return;
        // Where the client cannot learn its place, the pointer can be aimed
        // only once the window has been found on screen: by its races list.
        QWidget* races = s_host->window->racesPanel();
        QMainWindow* main = s_host->window->mainWindow();
        s_host->started = WaitFor(
            [&] {
                return s_host->driver->locate(main, races->mapTo(main, QPoint(0, 0)),
                                              races->grab().toImage());
            },
            3 * nScreenWaitMs);
    }

    static void TearDownTestSuite()
    {
        s_host->closeCharts();
        delete s_host;
        s_host = nullptr;
    }

    void SetUp() override
    {
        if (s_host->driver == nullptr)
            GTEST_SKIP() << "not on a display server: run through run-on-x or run-on-wayland";
        ASSERT_TRUE(s_host->started);
        OpenChart();
    }

    void TearDown() override
    {
        if (s_host->driver != nullptr)
            s_host->driver->setControlHeld(false);
    }

    static QString Path(const char* name) { return s_host->dir.filePath(QString::fromUtf8(name)); }

    static QAction* PluginAction(const QString& caption)
    {
        for (QAction* action : s_host->window->pluginsMenu()->actions()) {
            if (action->text() == caption)
                return action;
        }
        return nullptr;
    }

    // As a user does, through the menu bar, where input goes through the
    // server; elsewhere a popup cannot take the pointer (see ScreenDriver).
    static void ChoosePluginItem(const QString& caption)
    {
        QAction* action = PluginAction(caption);
        ASSERT_NE(action, nullptr) << caption.toStdString();
        if (!s_host->driver->inputThroughServer()) {
            action->trigger();
            return;
        }
        QMenuBar* bar = s_host->window->mainWindow()->menuBar();
        s_host->driver->moveTo(
            bar, bar->actionGeometry(s_host->window->pluginsMenu()->menuAction()).center());
        s_host->driver->click(Qt::LeftButton);
        QMenu* menu = OpenedPopup();
        ASSERT_EQ(menu, s_host->window->pluginsMenu()) << "Plug-ins did not open";
        Choose(menu, caption);
        ASSERT_TRUE(WaitFor([] { return QApplication::activePopupWidget() == nullptr; }));
    }

    static QMenu* OpenedPopup()
    {
        QMenu* menu = nullptr;
        WaitFor([&] {
            menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            return menu != nullptr && menu->isVisible();
        });
        return menu;
    }

    static void SelectRaces(const QStringList& names)
    {
        s_host->window->racesPanel()->selectRaces(names);
    }

    // A new chart of three races, on screen, with the keyboard focus.
    void OpenChart()
    {
        s_host->closeCharts();
        // Where the last test left the mouse, the new chart would show its
        // tip while it is being found on screen.
        ParkMouse();
        QFile::remove(s_host->chartFile());
        SelectRaces({"Velelluans", "Quapreyoans", "Dunprekai"});
        ChoosePluginItem("Kurvo");
        ChoosePluginItem("Add Race(s) to Kurvo");
        CView* view = ChartWindow::findView(*s_host->session->mainFrame());
        ASSERT_NE(view, nullptr);
        m_pView = AfxGetWidget(view);
        ChartWindow(*view).resizeView(viewSize);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_pView->window()));
        QWidget* main = m_pView->window();
        // A new window can take the compositor a while under load.
        const bool bFound = WaitFor(
            [&] {
                return s_host->driver->locate(main, m_pView->mapTo(main, QPoint(0, 0)), Render());
            },
            3 * nScreenWaitMs);
        if (!bFound)
            s_host->keepForLooking(s_host->driver->grabScreen(), Render());
        ASSERT_TRUE(bFound) << "the chart is nowhere on the "
                            << s_host->driver->name().toStdString() << " screen";
        // A click gives the chart the focus, which its readout needs.
        s_host->driver->moveTo(m_pView, QPoint(5, 5));
        s_host->driver->click(Qt::LeftButton);
        ASSERT_TRUE(WaitFor([&] { return m_pView->hasFocus(); }));
        ParkMouse();
        ASSERT_TRUE(ScreenShowsChart());
    }

    // Off the chart, where a rest shows no tip.
    void ParkMouse()
    {
        QWidget* races = s_host->window->racesPanel();
        s_host->driver->moveTo(races, QPoint(10, races->height() - 10));
    }

    // The chart painted off-screen as part of its whole window, so that its
    // lines are cut at its edges just as in the window's backing store.
    QImage Render() const
    {
        QWidget* window = m_pView->window();
        const QRect rect(m_pView->mapTo(window, QPoint(0, 0)), m_pView->size());
        return window->grab().toImage().copy(rect).convertToFormat(QImage::Format_RGB32);
    }

    // The screen's pixels where widget shows, its size.
    QImage OnScreen(const QWidget* widget) const
    {
        const QRect rect(s_host->driver->toScreen(widget, QPoint(0, 0)), widget->size());
        return s_host->driver->grabScreen().copy(rect);
    }

    // Waits until the screen shows exactly what the chart's own paint draws,
    // apart from where its tip covers it; on failure both pictures are kept
    // for a look.
    ::testing::AssertionResult ScreenShowsChart()
    {
        return ScreenShows(
            m_pView, [this] { return Render(); },
            [this] {
                QWidget* tip = Tip();
                if (tip == nullptr || !tip->isVisible())
                    return QRect();
                return QRect(m_pView->mapFromGlobal(tip->mapToGlobal(QPoint(0, 0))), tip->size());
            });
    }

    ::testing::AssertionResult ScreenShows(
        const QWidget* widget, const std::function<QImage()>& expected,
        const std::function<QRect()>& covered = [] { return QRect(); })
    {
        QImage screen, wanted;
        int nDiffering = 0;
        QPoint first;
        const bool bSame = WaitFor([&] {
            screen = OnScreen(widget);
            wanted = expected();
            const QRect ignore = covered();
            nDiffering = 0;
            for (int y = 0; y < wanted.height(); ++y) {
                for (int x = 0; x < wanted.width(); ++x) {
                    if (ignore.contains(x, y) || screen.pixel(x, y) == wanted.pixel(x, y))
                        continue;
                    if (nDiffering++ == 0)
                        first = QPoint(x, y);
                }
            }
            return nDiffering == 0 && screen.size() == wanted.size();
        });
        if (bSame)
            return ::testing::AssertionSuccess();
        const QString stem = s_host->keepForLooking(screen, wanted);
        return ::testing::AssertionFailure()
               << nDiffering << " pixels differ, the first at (" << first.x() << "," << first.y()
               << "); see " << stem.toStdString() << "-{screen,expected,whole-screen}.png";
    }

    // A point on a curve, away from the edges, to rest the mouse on.
    QPoint CurvePoint() const
    {
        const QImage image = Render();
        for (int x = image.width() / 2; x < image.width() - 50; ++x) {
            for (int y = 20; y < image.height() - 80; ++y) {
                if (IsCurvePixel(image.pixel(x, y)))
                    return QPoint(x, y);
            }
        }
        return QPoint(image.width() / 2, image.height() / 2);
    }

    QWidget* Tip() const
    {
        for (QWidget* child : m_pView->findChildren<QWidget*>()) {
            if (child->isWindow())
                return child;
        }
        return nullptr;
    }

    // What the tip tells assistive technology: its painted lines.
    static QString TipText(QWidget* tip)
    {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(tip);
        return accessible != nullptr ? accessible->text(QAccessible::Name) : QString();
    }

    // Skips the test, or fails it, where no screen reader could listen; the
    // caller returns then.
    static void StartListening(AtspiListener& listener)
    {
        if (qEnvironmentVariableIsEmpty("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
            GTEST_SKIP() << "no accessibility bus: run through with-a11y-bus";
        ASSERT_TRUE(WaitFor([] { return QAccessible::isActive(); })) << "Qt's bridge stayed off";
        ASSERT_TRUE(listener.start()) << listener.dump().toStdString();
    }

    // A screen reader heard the tip say text, and finds it so in the tree.
    static void ExpectHeardAndInTree(AtspiListener& listener, const QString& text)
    {
        EXPECT_TRUE(listener.waitUntilHeard("tool tip", text, nScreenWaitMs))
            << "not heard: " << text.toStdString() << "\nheard:\n"
            << listener.dump().toStdString();
        QStringList shown;
        for (const QJsonObject& found : listener.find("tool tip")) {
            if (found.value("showing").toBool())
                shown << found.value("name").toString();
        }
        EXPECT_EQ(shown, QStringList{text}) << "the tips showing in the tree; heard:\n"
                                            << listener.dump().toStdString();
    }

    // The context menu, opened as a user does: Ctrl and a right click.
    QMenu* OpenMenuAt(QPoint point)
    {
        s_host->driver->moveTo(m_pView, point);
        s_host->driver->setControlHeld(true);
        s_host->driver->click(Qt::RightButton);
        s_host->driver->setControlHeld(false);
        return OpenedPopup();
    }

    static void Choose(QMenu* menu, const QString& caption)
    {
        for (QAction* action : menu->actions()) {
            if (action->text() == caption) {
                s_host->driver->moveTo(menu, menu->actionGeometry(action).center());
                s_host->driver->click(Qt::LeftButton);
                return;
            }
        }
        ADD_FAILURE() << "no menu item " << caption.toStdString();
    }

    QWidget* m_pView = nullptr;

    static DesktopHost* s_host;
};

DesktopHost* ChartOnScreenTest::s_host = nullptr;

TEST_F(ChartOnScreenTest, OpenedChartShowsItsCurvesAndGrid)
{
    // OpenChart has compared the screen with the paint; that must not be a
    // comparison of two black pictures.
    const QImage image = Render();
    EXPECT_GT(CountPixels(image, [](QRgb rgb) { return rgb == rgbGrid; }), 1000);
    EXPECT_GT(CountPixels(image, IsCurvePixel), 300);
}

TEST_F(ChartOnScreenTest, KeypadPlusAndMinusLeaveNoStalePixels)
{
    for (Qt::Key key : {Qt::Key_Plus, Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Minus, Qt::Key_Minus}) {
        SCOPED_TRACE(key == Qt::Key_Plus ? "keypad plus" : "keypad minus");
        const QImage before = Render();
        s_host->driver->keypadClick(key);
        ASSERT_TRUE(WaitFor([&] { return Render() != before; })) << "the plot did not change";
        ASSERT_TRUE(ScreenShowsChart());
    }
}

TEST_F(ChartOnScreenTest, RightButtonDragOfTenPixelsMovesTheWholeChart)
{
    const QImage before = Render();
    const QPoint start(200, 200);
    s_host->driver->moveTo(m_pView, start);
    s_host->driver->press(Qt::RightButton);
    // The first move with the button held marks where the drag starts.
    s_host->driver->moveTo(m_pView, start + QPoint(1, 0));
    s_host->driver->moveTo(m_pView, start + QPoint(11, 0));
    s_host->driver->release(Qt::RightButton);

    ASSERT_TRUE(ScreenShowsChart());
    const QImage after = Render();
    const QRect kept(0, 0, before.width() - 10, before.height());
    EXPECT_EQ(after.copy(kept.translated(10, 0)), before.copy(kept)) << "moved by 10 pixels";
    EXPECT_EQ(CountPixels(after.copy(0, 0, 10, after.height()), IsCurvePixel), 0)
        << "the uncovered strip is blank";
}

TEST_F(ChartOnScreenTest, ContextMenuOpensAtTheClickAndItsCommandsRepaintTheChart)
{
    const QPoint click(300, 150);
    QMenu* menu = OpenMenuAt(click);
    ASSERT_NE(menu, nullptr);
    if (s_host->driver->menusArePopups()) {
        EXPECT_EQ(s_host->driver->toScreen(menu, QPoint(0, 0)),
                  s_host->driver->toScreen(m_pView, click));
        EXPECT_TRUE(ScreenShows(
            menu, [menu] { return menu->grab().toImage().convertToFormat(QImage::Format_RGB32); }));
    }

    const QImage before = Render();
    Choose(menu, "Population");
    ASSERT_TRUE(WaitFor([] { return QApplication::activePopupWidget() == nullptr; }));
    ASSERT_TRUE(WaitFor([&] { return Render() != before; })) << "Population did not toggle";
    EXPECT_TRUE(ScreenShowsChart());

    menu = OpenMenuAt(click);
    ASSERT_NE(menu, nullptr);
    Choose(menu, "Reset Kurvo");
    ASSERT_TRUE(WaitFor([] { return QApplication::activePopupWidget() == nullptr; }));
    ASSERT_TRUE(WaitFor([&] { return CountPixels(Render(), IsCurvePixel) == 0; }))
        << "the chart still shows races";
    EXPECT_TRUE(ScreenShowsChart());
}

TEST_F(ChartOnScreenTest, RestOnACurveShowsThePaintedTipBelowTheCursorUntilTheMouseMoves)
{
    const QPoint rest = CurvePoint();
    s_host->driver->moveTo(m_pView, rest);
    QWidget* tip = Tip();
    ASSERT_NE(tip, nullptr);
    ASSERT_TRUE(WaitFor([&] { return tip->isVisible(); })) << "no tip after a rest";

    EXPECT_EQ(s_host->driver->toScreen(tip, QPoint(0, 0)),
              s_host->driver->toScreen(m_pView, rest) + QPoint(0, 20));
    ASSERT_TRUE(ScreenShows(tip, [tip] {
        return tip->grab().toImage().convertToFormat(QImage::Format_RGB32);
    })) << "the tip is not painted on screen";
    const QImage shown = OnScreen(tip);
    EXPECT_GT(CountPixels(shown, [](QRgb rgb) { return rgb == rgbTip; }),
              shown.width() * shown.height() / 2)
        << "the tip's pale background";
    EXPECT_EQ(CountTextLines(shown), 3) << "game and turn, statistic and value, race";

    // Once the rest has been counted out, a move takes the tip away and the
    // chart beneath shows again.
    ScreenDriver::settle(400);
    s_host->driver->moveTo(m_pView, rest + QPoint(40, 0));
    ASSERT_TRUE(WaitFor([&] { return !tip->isVisible(); }));
    EXPECT_TRUE(ScreenShowsChart());
}

TEST_F(ChartOnScreenTest, RestOnACurveIsHeardByAScreenReader)
{
    AtspiListener listener(QCoreApplication::applicationPid());
    StartListening(listener);
    if (IsSkipped() || HasFatalFailure())
        return;

    const QPoint rest = CurvePoint();
    s_host->driver->moveTo(m_pView, rest);
    QWidget* tip = Tip();
    ASSERT_NE(tip, nullptr);
    // The tip tells its text once it has painted it.
    ASSERT_TRUE(WaitFor([&] { return tip->isVisible() && !TipText(tip).isEmpty(); }))
        << "no tip after a rest";
    ExpectHeardAndInTree(listener, TipText(tip));
    const QStringList lines = TipText(tip).split('\n');
    ASSERT_EQ(lines.size(), 3) << TipText(tip).toStdString();
    EXPECT_TRUE(lines[0].contains("Amber Drift")) << lines[0].toStdString();
    EXPECT_FALSE(lines[1].isEmpty()) << "statistic and value";
    EXPECT_FALSE(lines[2].isEmpty()) << "race";

    // The next test starts without a tip.
    ScreenDriver::settle(400);
    s_host->driver->moveTo(m_pView, rest + QPoint(40, 0));
    ASSERT_TRUE(WaitFor([&] { return !tip->isVisible(); }));
}

// The readout by keyboard: each step shows the tip with the figure it
// stepped to, painted on screen, and a screen reader hears it.
TEST_F(ChartOnScreenTest, KeyboardStepsThroughTheReadoutAndAScreenReaderHearsEachStep)
{
    AtspiListener listener(QCoreApplication::applicationPid());
    StartListening(listener);
    if (IsSkipped() || HasFatalFailure())
        return;
    QWidget* tip = Tip();
    ASSERT_NE(tip, nullptr);
    s_host->driver->keyClick(Qt::Key_Right);
    if (!WaitFor([&] { return tip->isVisible(); }, 1500))
        GTEST_SKIP() << "the chart reads out nothing by keyboard";

    // The first key shows where the walk starts: the last turn of the
    // topmost curve. same: the step whose text a key gives back, or -1
    // where it must give a text unlike the step before.
    struct Step {
        Qt::Key key;
        const char* what;
        int same;
    };
    const Step steps[] = {
        {Qt::Key_Left, "Left: back a turn", -1},    {Qt::Key_Right, "Right: the next turn", 0},
        {Qt::Key_Down, "Down: another curve", -1},  {Qt::Key_Up, "Up: back to the curve", 2},
        {Qt::Key_Home, "Home: the first turn", -1}, {Qt::Key_End, "End: the last turn", 0},
    };
    ASSERT_TRUE(WaitFor([&] { return !TipText(tip).isEmpty(); })) << "the tip tells nothing";
    QStringList texts{TipText(tip)};
    ExpectHeardAndInTree(listener, texts[0]);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        listener.clear();
        s_host->driver->keyClick(step.key);
        const QString before = texts.last();
        ASSERT_TRUE(WaitFor([&] {
            const QString now = TipText(tip);
            return tip->isVisible() && !now.isEmpty() &&
                   (step.same < 0 ? now != before : now == texts[step.same]);
        })) << "the tip says "
            << TipText(tip).toStdString();
        texts << TipText(tip);
        EXPECT_EQ(texts.last().split('\n').size(), 3) << texts.last().toStdString();
        ASSERT_TRUE(ScreenShows(tip, [tip] {
            return tip->grab().toImage().convertToFormat(QImage::Format_RGB32);
        })) << "the tip is not painted on screen";
        EXPECT_EQ(CountTextLines(OnScreen(tip)), 3);
        ExpectHeardAndInTree(listener, texts.last());
    }

    s_host->driver->keyClick(Qt::Key_Escape);
    ASSERT_TRUE(WaitFor([&] { return !tip->isVisible(); })) << "Escape left the tip";
    EXPECT_TRUE(ScreenShowsChart());
}

} // namespace
