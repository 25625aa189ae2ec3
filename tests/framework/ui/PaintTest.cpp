// Painting: WM_ERASEBKGND (with the class brush by default) then WM_PAINT,
// no erase when every invalidation asked for none, the thin border of
// WS_BORDER outside the client area, and scrolling.
#include "UiTestSupport.h"
#include <afxqt.h>

#include <QImage>
#include <QWidget>
#include <algorithm>

#include <gtest/gtest.h>

namespace
{

const COLORREF crTipBackground = RGB(250, 250, 225);

// Paints a red 10x10 square at (m_x, 5) of its client area.
class CSquareWnd : public CRecordingWnd
{
public:
    int m_x = 5;
    void OnPaint()
    {
        CPaintDC dc(this);
        dc.FillSolidRect(m_x, 5, 10, 10, RGB(255, 0, 0));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSquareWnd, CRecordingWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

QColor Pixel(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

class PaintTest : public ::testing::Test
{
protected:
    void Create(DWORD dwStyle)
    {
        LPCSTR lpszClass =
            AfxRegisterWndClass(CS_NOCLOSE | CS_SAVEBITS | CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW,
                                nullptr, ::CreateSolidBrush(crTipBackground));
        ASSERT_TRUE(
            m_wnd.CreateEx(0, lpszClass, nullptr, dwStyle, 10, 10, 100, 100, nullptr, nullptr));
        m_wnd.ShowWindow(SW_SHOWNA);
        ProcessPendingEvents(); // the platform exposes the window
        m_wnd.m_messages.clear();
    }
    std::vector<UINT> PaintMessages() const
    {
        std::vector<UINT> result;
        for (UINT n : m_wnd.Messages()) {
            if (n == WM_ERASEBKGND || n == WM_PAINT)
                result.push_back(n);
        }
        return result;
    }
    CSquareWnd m_wnd;
};

TEST_F(PaintTest, EraseWithTheClassBrushThenPaint)
{
    Create(WS_POPUP);
    QImage image = AfxGetWidget(&m_wnd)->grab().toImage();
    EXPECT_EQ(PaintMessages(), (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT}));
    EXPECT_EQ(Pixel(image, 50, 50), QColor(250, 250, 225));
    EXPECT_EQ(Pixel(image, 5, 5), QColor(255, 0, 0));
    EXPECT_EQ(Pixel(image, 14, 14), QColor(255, 0, 0));
    EXPECT_EQ(Pixel(image, 15, 15), QColor(250, 250, 225));
}

TEST_F(PaintTest, InvalidateWithoutEraseSkipsTheErase)
{
    Create(WS_POPUP);
    AfxGetWidget(&m_wnd)->repaint();
    m_wnd.m_messages.clear();

    m_wnd.Invalidate(FALSE);
    m_wnd.UpdateWindow();
    EXPECT_EQ(PaintMessages(), std::vector<UINT>{WM_PAINT});

    // One invalidation asking for an erase is enough to get it.
    m_wnd.m_messages.clear();
    m_wnd.Invalidate(FALSE);
    CRect rc(0, 0, 10, 10);
    m_wnd.InvalidateRect(&rc, TRUE);
    m_wnd.UpdateWindow();
    EXPECT_EQ(PaintMessages(), (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT}));

    m_wnd.m_messages.clear();
    m_wnd.UpdateWindow();
    EXPECT_TRUE(PaintMessages().empty()) << "nothing invalid, nothing painted";
}

TEST_F(PaintTest, BorderedPopupIsTwoPixelsLargerThanItsClientArea)
{
    Create(WS_POPUP | WS_BORDER);
    CRect rc(0, 0, 40, 30);
    m_wnd.CalcWindowRect(&rc, CWnd::adjustOutside);
    EXPECT_EQ(rc, CRect(-1, -1, 41, 31));
    m_wnd.MoveWindow(200, 300, rc.Width(), rc.Height(), TRUE);

    CRect rcWindow, rcClient;
    m_wnd.GetWindowRect(&rcWindow);
    m_wnd.GetClientRect(&rcClient);
    EXPECT_EQ(rcWindow, CRect(200, 300, 242, 332));
    EXPECT_EQ(rcClient, CRect(0, 0, 40, 30));
    CPoint ptOrigin(0, 0);
    m_wnd.ClientToScreen(&ptOrigin);
    EXPECT_EQ(ptOrigin, CPoint(201, 301));

    QImage image = AfxGetWidget(&m_wnd)->grab().toImage();
    EXPECT_EQ(Pixel(image, 0, 0), QColor(Qt::black)) << "the border";
    EXPECT_EQ(Pixel(image, 41, 31), QColor(Qt::black));
    EXPECT_EQ(Pixel(image, 6, 6), QColor(255, 0, 0)) << "client (5,5) is one pixel in";
    EXPECT_EQ(Pixel(image, 5, 5), QColor(250, 250, 225));
}

TEST_F(PaintTest, ScrolledPictureShowsAtTheNewPlace)
{
    Create(WS_POPUP);
    AfxGetWidget(&m_wnd)->repaint();
    m_wnd.m_x = 15; // what the window draws after its own content moved
    m_wnd.ScrollWindow(10, 0);
    QImage image = AfxGetWidget(&m_wnd)->grab().toImage();
    EXPECT_EQ(Pixel(image, 20, 10), QColor(255, 0, 0));
    EXPECT_EQ(Pixel(image, 10, 10), QColor(250, 250, 225));
}

// The host freezes its windows' painting while a plug-in call runs, and the
// chart makes its tip inside such a call; the tip must paint once shown.
TEST(PopupPaintTest, PopupMadeWhileItsOwnerIsFrozenPaintsWhenShown)
{
    CWnd owner;
    ASSERT_TRUE(
        owner.CreateEx(0, nullptr, nullptr, WS_OVERLAPPED, 0, 0, 200, 200, nullptr, nullptr));
    owner.ShowWindow(SW_SHOW);
    AfxGetWidget(&owner)->setUpdatesEnabled(false);
    CSquareWnd popup;
    ASSERT_TRUE(popup.CreateEx(0, nullptr, nullptr, WS_POPUP, 10, 10, 50, 50, owner.GetSafeHwnd(),
                               nullptr));
    AfxGetWidget(&owner)->setUpdatesEnabled(true);

    popup.ShowWindow(SW_SHOWNA);
    ProcessPendingEvents();
    const std::vector<UINT> messages = popup.Messages();
    EXPECT_NE(std::find(messages.begin(), messages.end(), UINT(WM_PAINT)), messages.end());
    popup.DestroyWindow();
    owner.DestroyWindow();
}

TEST_F(PaintTest, GetDcMeasuresTextOutsideAPaint)
{
    Create(WS_POPUP);
    CDC* pDC = m_wnd.GetDC();
    ASSERT_NE(pDC, nullptr);
    CRect rc(0, 0, 0, 0);
    pDC->DrawText("Alpha\r\nBeta", -1, &rc, DT_CALCRECT);
    EXPECT_GT(rc.Width(), 0);
    EXPECT_GT(rc.Height(), 0);
    CRect rcOne(0, 0, 0, 0);
    pDC->DrawText("Alpha", -1, &rcOne, DT_CALCRECT);
    EXPECT_GT(rc.Height(), rcOne.Height()) << "two lines are taller than one";
    EXPECT_EQ(m_wnd.ReleaseDC(pDC), 1);
}

} // namespace
