// Message maps: the most derived entry wins, base maps are chained, unmapped
// messages get the default processing, Default() passes on the message being
// handled, and destruction sends its messages in the platform's order.
#include "UiTestSupport.h"
#include <afxqt.h>

#include <QWidget>

#include <gtest/gtest.h>

#include <string>

namespace
{

std::string g_trace;

class CBaseWnd : public CWnd
{
public:
    void OnTimer(UINT_PTR nIDEvent) { g_trace += "base-timer:" + std::to_string(nIDEvent) + ";"; }
    void OnSetFocus(CWnd*) { g_trace += "base-focus;"; }
    LRESULT OnUser1(WPARAM, LPARAM) { return 11; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
ON_WM_TIMER()
ON_WM_SETFOCUS()
ON_MESSAGE(WM_USER + 1, OnUser1)
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd
{
public:
    UINT m_nLastCommand = 0;
    BOOL m_bPostNcDestroyCalled = FALSE;

    void OnTimer(UINT_PTR nIDEvent)
    {
        g_trace += "derived-timer:" + std::to_string(nIDEvent) + ";";
    }
    LRESULT OnUser1(WPARAM, LPARAM) { return 22; }
    // Handles WM_SETTEXT, sends another message first, then asks for the
    // default: the default must still be that of WM_SETTEXT.
    LRESULT OnSetText(WPARAM, LPARAM)
    {
        g_trace += "settext;";
        SendMessage(WM_USER + 1);
        return Default();
    }
    void OnDestroy() { g_trace += "destroy;"; }
    void OnNcDestroy() { g_trace += "ncdestroy;"; }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_nLastCommand = UINT(wParam);
        return CWnd::OnCommand(wParam, lParam);
    }
    void PostNcDestroy() override { m_bPostNcDestroyCalled = TRUE; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
ON_WM_TIMER()
ON_MESSAGE(WM_USER + 1, OnUser1)
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_WM_DESTROY()
ON_WM_NCDESTROY()
END_MESSAGE_MAP()

class CChildTraceWnd : public CWnd
{
public:
    void OnDestroy() { g_trace += "child-destroy;"; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CChildTraceWnd, CWnd)
ON_WM_DESTROY()
END_MESSAGE_MAP()

class MessageDispatchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_trace.clear();
        ASSERT_TRUE(m_wnd.CreateEx(0, nullptr, "dispatch", WS_OVERLAPPED, 0, 0, 200, 100, nullptr,
                                   nullptr));
    }
    CDerivedWnd m_wnd;
};

TEST_F(MessageDispatchTest, DerivedEntryWinsAndBaseMapIsChained)
{
    m_wnd.SendMessage(WM_TIMER, 7);
    m_wnd.SendMessage(WM_SETFOCUS);
    EXPECT_EQ(g_trace, "derived-timer:7;base-focus;");
    EXPECT_EQ(m_wnd.SendMessage(WM_USER + 1), 22);
    CBaseWnd base;
    ASSERT_TRUE(base.CreateEx(0, nullptr, nullptr, WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(base.SendMessage(WM_USER + 1), 11);
    EXPECT_EQ(base.SendMessage(WM_USER + 2), 0) << "unmapped messages get the default, 0";
}

TEST_F(MessageDispatchTest, DefaultPassesOnTheMessageBeingHandledAfterNestedSends)
{
    m_wnd.SetWindowText("Alpha");
    EXPECT_EQ(g_trace, "settext;");
    CString strText;
    m_wnd.GetWindowText(strText);
    EXPECT_STREQ(strText, "Alpha");
    EXPECT_EQ(AfxGetWidget(&m_wnd)->windowTitle(), QString("Alpha"));
}

TEST_F(MessageDispatchTest, WindowTextConvertsThroughTheAnsiCodePage)
{
    // "Zeta" in Cyrillic letters, Windows-1251 bytes.
    const char szCyrillic[] = "\xC7\xE5\xF2\xE0";
    m_wnd.SetWindowText(szCyrillic);
    EXPECT_EQ(AfxGetWidget(&m_wnd)->windowTitle(), QString::fromUtf8("Зета"));
    char szBuffer[3];
    EXPECT_EQ(m_wnd.GetWindowText(szBuffer, sizeof szBuffer), 2) << "truncated to the buffer";
    EXPECT_STREQ(szBuffer, "\xC7\xE5");
}

TEST_F(MessageDispatchTest, CommandsReachOnCommandWithTheirId)
{
    EXPECT_EQ(m_wnd.SendMessage(WM_COMMAND, 5003, 0), 0) << "no map entry takes it";
    EXPECT_EQ(m_wnd.m_nLastCommand, 5003u);
}

TEST_F(MessageDispatchTest, PostedMessagesArriveLaterAndNotAfterDestruction)
{
    m_wnd.PostMessage(WM_TIMER, 3);
    EXPECT_EQ(g_trace, "");
    ProcessPendingEvents();
    EXPECT_EQ(g_trace, "derived-timer:3;");

    g_trace.clear();
    m_wnd.PostMessage(WM_TIMER, 4);
    m_wnd.DestroyWindow();
    g_trace.clear();
    ProcessPendingEvents();
    EXPECT_EQ(g_trace, "");
}

TEST_F(MessageDispatchTest, DestroyWindowSendsDestroyChildrenThenNcDestroy)
{
    CChildTraceWnd child;
    ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &m_wnd, 5));
    EXPECT_EQ(m_wnd.GetDlgItem(5), &child);
    EXPECT_EQ(child.GetParent(), &m_wnd);
    HWND hWnd = m_wnd.m_hWnd;
    HWND hChild = child.m_hWnd;

    EXPECT_TRUE(m_wnd.DestroyWindow());
    EXPECT_EQ(g_trace, "destroy;child-destroy;ncdestroy;");
    EXPECT_TRUE(m_wnd.m_bPostNcDestroyCalled);
    EXPECT_EQ(m_wnd.m_hWnd, nullptr);
    EXPECT_EQ(child.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandle(hWnd), nullptr);
    EXPECT_EQ(CWnd::FromHandle(hChild), nullptr);
    EXPECT_FALSE(m_wnd.DestroyWindow()) << "a second destroy does nothing";
    EXPECT_EQ(m_wnd.SendMessage(WM_USER + 1), 22) << "the object still answers directly";
}

TEST_F(MessageDispatchTest, QtDeletingTheWidgetDestroysTheWindow)
{
    delete AfxGetWidget(&m_wnd);
    EXPECT_EQ(g_trace, "destroy;ncdestroy;");
    EXPECT_EQ(m_wnd.m_hWnd, nullptr);
}

TEST_F(MessageDispatchTest, ChildWindowWithoutParentFailsCleanly)
{
    CWnd orphan;
    EXPECT_FALSE(orphan.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 5, 5), nullptr, 1));
    EXPECT_EQ(orphan.m_hWnd, nullptr);
}

} // namespace
