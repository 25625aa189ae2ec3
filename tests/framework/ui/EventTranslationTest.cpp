// Qt events become the platform's messages: key codes (keypad told apart from
// the main keyboard), mouse flags and signed client coordinates, focus,
// timers and closing.
#include "UiTestSupport.h"
#include <afxqt.h>

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

namespace
{

class EventTranslationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_wnd.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_BORDER, 100, 50, 120, 80,
                                   nullptr, nullptr));
        m_wnd.ShowWindow(SW_SHOWNA);
        m_wnd.m_messages.clear();
    }
    void SendMouse(QEvent::Type type, QPointF ptWidget, Qt::MouseButton button,
                   Qt::MouseButtons buttons, Qt::KeyboardModifiers mods)
    {
        QWidget* pWidget = AfxGetWidget(&m_wnd);
        QMouseEvent event(type, ptWidget, pWidget->mapToGlobal(ptWidget), button, buttons, mods);
        QCoreApplication::sendEvent(pWidget, &event);
    }
    CRecordingWnd m_wnd;
};

struct KeyRow {
    const char* pszName;
    int nQtKey;
    Qt::KeyboardModifiers mods;
    UINT nExpected;
};

TEST_F(EventTranslationTest, KeyReleasesCarryVirtualKeyCodes)
{
    const KeyRow rows[] = {
        {"keypad plus", Qt::Key_Plus, Qt::KeypadModifier, VK_ADD},
        {"keypad minus", Qt::Key_Minus, Qt::KeypadModifier, VK_SUBTRACT},
        {"main plus", Qt::Key_Plus, Qt::ShiftModifier, VK_OEM_PLUS},
        {"main equals", Qt::Key_Equal, Qt::NoModifier, VK_OEM_PLUS},
        {"main minus", Qt::Key_Minus, Qt::NoModifier, VK_OEM_MINUS},
        {"keypad 7", Qt::Key_7, Qt::KeypadModifier, VK_NUMPAD0 + 7},
        {"digit 7", Qt::Key_7, Qt::NoModifier, '7'},
        {"letter Q", Qt::Key_Q, Qt::NoModifier, 'Q'},
        {"F5", Qt::Key_F5, Qt::NoModifier, VK_F1 + 4},
        {"left arrow", Qt::Key_Left, Qt::NoModifier, VK_LEFT},
        {"escape", Qt::Key_Escape, Qt::NoModifier, VK_ESCAPE},
        {"unmapped", Qt::Key_Launch0, Qt::NoModifier, VK_NONAME},
    };
    for (const KeyRow& row : rows) {
        m_wnd.m_messages.clear();
        QKeyEvent press(QEvent::KeyPress, row.nQtKey, row.mods);
        QKeyEvent release(QEvent::KeyRelease, row.nQtKey, row.mods);
        QCoreApplication::sendEvent(AfxGetWidget(&m_wnd), &press);
        QCoreApplication::sendEvent(AfxGetWidget(&m_wnd), &release);
        ASSERT_EQ(m_wnd.Messages(), (std::vector<UINT>{WM_KEYDOWN, WM_KEYUP})) << row.pszName;
        const RecordedMessage* pUp = m_wnd.Last(WM_KEYUP);
        EXPECT_EQ(pUp->wParam, row.nExpected) << row.pszName;
        EXPECT_EQ(LOWORD(pUp->lParam), 1) << "repeat count, " << row.pszName;
        EXPECT_EQ(HIWORD(pUp->lParam) & 0xC000, 0xC000) << "key-up bits, " << row.pszName;
    }
}

TEST_F(EventTranslationTest, AutoRepeatSendsNoKeyUp)
{
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QString(), true);
    QCoreApplication::sendEvent(AfxGetWidget(&m_wnd), &release);
    EXPECT_TRUE(m_wnd.m_messages.empty());
}

struct MouseRow {
    const char* pszName;
    QEvent::Type type;
    Qt::MouseButton button;
    Qt::MouseButtons buttons;
    Qt::KeyboardModifiers mods;
    UINT nMessage;
    WPARAM nFlags;
};

TEST_F(EventTranslationTest, MouseMessagesCarryFlagsAndClientCoordinates)
{
    const MouseRow rows[] = {
        {"move", QEvent::MouseMove, Qt::NoButton, Qt::NoButton, Qt::NoModifier, WM_MOUSEMOVE, 0},
        {"right drag with ctrl", QEvent::MouseMove, Qt::NoButton, Qt::RightButton,
         Qt::ControlModifier, WM_MOUSEMOVE, MK_RBUTTON | MK_CONTROL},
        {"left down with shift", QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton,
         Qt::ShiftModifier, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT},
        {"right up with ctrl", QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton,
         Qt::ControlModifier, WM_RBUTTONUP, MK_CONTROL},
        {"right down", QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, Qt::NoModifier,
         WM_RBUTTONDOWN, MK_RBUTTON},
        {"left double click", QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton,
         Qt::NoModifier, WM_LBUTTONDBLCLK, MK_LBUTTON},
    };
    for (const MouseRow& row : rows) {
        m_wnd.m_messages.clear();
        // Widget point (31, 21) is client point (30, 20): the border takes a pixel.
        SendMouse(row.type, QPointF(31, 21), row.button, row.buttons, row.mods);
        ASSERT_EQ(m_wnd.Messages(), std::vector<UINT>{row.nMessage}) << row.pszName;
        const RecordedMessage& msg = m_wnd.m_messages.front();
        EXPECT_EQ(msg.wParam, row.nFlags) << row.pszName;
        EXPECT_EQ(GET_X_LPARAM(msg.lParam), 30) << row.pszName;
        EXPECT_EQ(GET_Y_LPARAM(msg.lParam), 20) << row.pszName;
    }
}

TEST_F(EventTranslationTest, MouseOnTheBorderGivesNegativeClientCoordinates)
{
    SendMouse(QEvent::MouseMove, QPointF(0, 0), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    ASSERT_EQ(m_wnd.m_messages.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(m_wnd.m_messages[0].lParam), -1);
    EXPECT_EQ(GET_Y_LPARAM(m_wnd.m_messages[0].lParam), -1);
}

TEST_F(EventTranslationTest, MouseEventsMoveTheFrameworkCursor)
{
    SendMouse(QEvent::MouseMove, QPointF(11, 6), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    CPoint pt;
    ASSERT_TRUE(GetCursorPos(&pt));
    CPoint ptClient(10, 5);
    m_wnd.ClientToScreen(&ptClient);
    EXPECT_EQ(pt, ptClient);
    EXPECT_EQ(ptClient, CPoint(100 + 1 + 10, 50 + 1 + 5)) << "popups sit in screen coordinates";

    SetCursorPos(300, 400);
    ASSERT_TRUE(GetCursorPos(&pt));
    EXPECT_EQ(pt, CPoint(300, 400));
    m_wnd.ScreenToClient(&pt);
    EXPECT_EQ(pt, CPoint(300 - 101, 400 - 51));
}

TEST_F(EventTranslationTest, FocusAndCloseBecomeMessages)
{
    QFocusEvent in(QEvent::FocusIn);
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(AfxGetWidget(&m_wnd), &in);
    QCoreApplication::sendEvent(AfxGetWidget(&m_wnd), &out);
    EXPECT_EQ(m_wnd.Messages(), (std::vector<UINT>{WM_SETFOCUS, WM_KILLFOCUS}));

    m_wnd.m_messages.clear();
    AfxGetWidget(&m_wnd)->close();
    ASSERT_FALSE(m_wnd.m_messages.empty());
    EXPECT_EQ(m_wnd.m_messages.front().nMessage, UINT(WM_CLOSE));
    EXPECT_EQ(m_wnd.m_hWnd, nullptr) << "the default of WM_CLOSE destroys the window";
    ProcessPendingEvents();
}

TEST_F(EventTranslationTest, TimersDeliverWmTimerWithTheirIdUntilKilled)
{
    EXPECT_EQ(m_wnd.SetTimer(9000, 20, nullptr), 9000u);
    QElapsedTimer clock;
    clock.start();
    while (m_wnd.Last(WM_TIMER) == nullptr && clock.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    ASSERT_NE(m_wnd.Last(WM_TIMER), nullptr);
    EXPECT_EQ(m_wnd.Last(WM_TIMER)->wParam, 9000u);

    EXPECT_TRUE(m_wnd.KillTimer(9000));
    EXPECT_FALSE(m_wnd.KillTimer(9000));
    m_wnd.m_messages.clear();
    clock.restart();
    while (clock.elapsed() < 100)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    EXPECT_EQ(m_wnd.Last(WM_TIMER), nullptr);
}

} // namespace
