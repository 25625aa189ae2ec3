// The value tip on its own: a hidden bordered popup owned by its parent, text
// set without repainting or a caption, hidden by a mouse move, painted on
// pale yellow with '&' drawn as it is.
#include "ViewTestSupport.h"
#include <afxqt.h>

#include "views/CValueTipWnd.h"

#include <QWidget>

namespace
{

const QColor qPaleYellow(250, 250, 225);

// Text pixels inside the one-pixel border.
int DarkPixelsInside(const QImage& image)
{
    int nDark = 0;
    for (int y = 1; y < image.height() - 1; ++y) {
        for (int x = 1; x < image.width() - 1; ++x)
            nDark += image.pixelColor(x, y).lightness() < 128 ? 1 : 0;
    }
    return nDark;
}

// Counts the paints that reach the tip's map.
class CCountingTip : public CValueTipWnd
{
public:
    int m_nPaints = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PAINT)
            ++m_nPaints;
        return CValueTipWnd::WindowProc(message, wParam, lParam);
    }
};

class ValueTipTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_owner.CreateEx(0, nullptr, "Owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                     nullptr, nullptr));
        EXPECT_EQ(m_tip.CreateTip(&m_owner), 0);
    }
    void TearDown() override
    {
        m_tip.DestroyWindow();
        m_owner.DestroyWindow();
    }
    // Sizes the tip to its text as the chart view does, and shows it.
    void ShowText(const char* pszText)
    {
        m_tip.SetTipText(pszText);
        CRect rc;
        ASSERT_TRUE(m_tip.CalcTextRect(&rc));
        m_tip.CalcWindowRect(&rc, CWnd::adjustOutside);
        rc.right += 3;
        m_tip.MoveWindow(50, 60, rc.Width(), rc.Height(), TRUE);
        m_tip.ShowWindow(SW_SHOWNA);
        ProcessPendingEvents();
    }
    QImage Grab() { return AfxGetWidget(&m_tip)->grab().toImage(); }

    CWnd m_owner;
    CCountingTip m_tip;
};

TEST_F(ValueTipTest, HiddenBorderedPopupOwnedByItsParent)
{
    EXPECT_EQ(m_tip.GetStyle(), DWORD(WS_POPUP | WS_BORDER));
    EXPECT_FALSE(m_tip.IsWindowVisible());
    EXPECT_EQ(m_tip.GetParent(), &m_owner);
    CRect rc;
    m_tip.GetWindowRect(&rc);
    EXPECT_EQ(rc, CRect(10, 10, 110, 110));

    CValueTipWnd orphan;
    EXPECT_EQ(orphan.CreateTip(nullptr), 0);
    EXPECT_EQ(orphan.GetParent(), nullptr);
    orphan.DestroyWindow();
}

TEST_F(ValueTipTest, SetTextMessageKeepsTheTextWithoutCaptionOrRepaint)
{
    ShowText("Before");
    Grab();
    ProcessPendingEvents();
    const int nPaints = m_tip.m_nPaints;
    EXPECT_EQ(m_tip.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("After")), 0);
    ProcessPendingEvents();
    EXPECT_EQ(m_tip.m_nPaints, nPaints) << "no repaint";
    EXPECT_STREQ(m_tip.GetTipText(), "After");
    CString strCaption;
    m_tip.GetWindowText(strCaption);
    EXPECT_TRUE(strCaption.IsEmpty());
}

TEST_F(ValueTipTest, MouseMoveOverTheTipHidesIt)
{
    ShowText("Alpha Turn=1");
    ASSERT_TRUE(m_tip.IsWindowVisible());
    m_tip.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_FALSE(m_tip.IsWindowVisible());
}

TEST_F(ValueTipTest, PaintsTextOnPaleYellowInsideTheBorder)
{
    ShowText("Alpha Turn=12\r\nPopulation=2.50\r\nZeta");
    const QImage image = Grab();
    EXPECT_EQ(image.pixelColor(0, 0), QColor(0, 0, 0)) << "border";
    EXPECT_EQ(image.pixelColor(image.width() - 2, image.height() / 2), qPaleYellow)
        << "the three extra pixels at the right";
    const int nDark = DarkPixelsInside(image);
    EXPECT_GT(nDark, 20) << "black text";
    // The text's own cells are filled with the background colour too, not
    // with the device context's default white.
    for (int x = 1; x < image.width() - 4; ++x)
        EXPECT_NE(image.pixelColor(x, 1), QColor(255, 255, 255)) << x;
}

TEST_F(ValueTipTest, AnAmpersandIsDrawnNotTakenAsAPrefix)
{
    CRect rcWith, rcWithout;
    m_tip.SetTipText("A&B");
    ASSERT_TRUE(m_tip.CalcTextRect(&rcWith));
    m_tip.SetTipText("AB");
    ASSERT_TRUE(m_tip.CalcTextRect(&rcWithout));
    EXPECT_GT(rcWith.Width(), rcWithout.Width());

    ShowText("&");
    const QImage image = Grab();
    const int nDark = DarkPixelsInside(image);
    EXPECT_GT(nDark, 3) << "a lone '&' is a visible character";
}

} // namespace
