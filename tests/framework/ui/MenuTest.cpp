// Menus: items, check marks and their previous state, and TrackPopupMenu
// with a hook standing in for the user, delivering WM_COMMAND.
#include "UiTestSupport.h"

#include <gtest/gtest.h>

namespace
{

class CCommandWnd : public CWnd
{
public:
    std::vector<UINT> m_commands;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_commands.push_back(UINT(wParam));
        return CWnd::OnCommand(wParam, lParam);
    }
};

class MenuTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Built the way the chart view builds its context menu.
        ASSERT_TRUE(m_menu.Attach(::CreatePopupMenu()));
        const char* names[] = {"Industry", "Population", "Weapon", "Drive", "Shield"};
        for (UINT k = 1; k <= 5; ++k)
            ASSERT_TRUE(m_menu.AppendMenu(MF_STRING, 5000 + k, names[k - 1]));
        ASSERT_TRUE(m_menu.AppendMenu(MF_SEPARATOR, 0, nullptr));
        ASSERT_TRUE(m_menu.AppendMenu(MF_STRING, 6, "Reset Kurvo"));
    }
    void TearDown() override { CMenu::SetTrackHook(nullptr); }
    CMenu m_menu;
};

TEST_F(MenuTest, ItemsKeepOrderIdsAndTexts)
{
    ASSERT_EQ(m_menu.GetMenuItemCount(), 7u);
    EXPECT_EQ(m_menu.GetMenuItemID(0), 5001u);
    EXPECT_EQ(m_menu.GetMenuItemID(5), 0u) << "separator";
    EXPECT_EQ(m_menu.GetMenuItemID(6), 6u);
    EXPECT_EQ(m_menu.GetMenuItemID(7), UINT(-1));
    EXPECT_EQ(m_menu.GetMenuState(5, MF_BYPOSITION), UINT(MF_SEPARATOR));
    CString strText;
    m_menu.GetMenuString(5002, strText, MF_BYCOMMAND);
    EXPECT_STREQ(strText, "Population");
    m_menu.GetMenuString(6, strText, MF_BYPOSITION);
    EXPECT_STREQ(strText, "Reset Kurvo");
}

TEST_F(MenuTest, CheckMenuItemReturnsThePreviousState)
{
    struct Row {
        UINT nID;
        UINT nCheck;
        UINT nPrevious;
    };
    const Row rows[] = {
        {5001, MF_CHECKED, MF_UNCHECKED}, {5001, MF_CHECKED, MF_CHECKED},
        {5001, MF_UNCHECKED, MF_CHECKED}, {5003, MF_CHECKED, MF_UNCHECKED},
        {4242, MF_CHECKED, UINT(-1)},     {1, MF_CHECKED | MF_BYPOSITION, MF_UNCHECKED},
    };
    for (const Row& row : rows)
        EXPECT_EQ(m_menu.CheckMenuItem(row.nID, row.nCheck), row.nPrevious) << row.nID;
    EXPECT_EQ(m_menu.GetMenuState(5001, MF_BYCOMMAND), UINT(MF_UNCHECKED));
    EXPECT_EQ(m_menu.GetMenuState(5002, MF_BYCOMMAND), UINT(MF_CHECKED)) << "set by position";
    EXPECT_EQ(m_menu.GetMenuState(5003, MF_BYCOMMAND), UINT(MF_CHECKED));
}

TEST_F(MenuTest, TrackHookPicksAnItemDeliveredAsWmCommand)
{
    CCommandWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr));
    m_menu.CheckMenuItem(5002, MF_CHECKED);
    UINT nSeenChecked = 0;
    CMenu::SetTrackHook([&](CMenu& rMenu) -> UINT {
        nSeenChecked = rMenu.GetMenuState(5002, MF_BYCOMMAND) & MF_CHECKED;
        return 5004;
    });
    EXPECT_TRUE(m_menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON, 10, 20, &wnd));
    EXPECT_EQ(nSeenChecked, UINT(MF_CHECKED));
    EXPECT_EQ(wnd.m_commands, std::vector<UINT>{5004});

    CMenu::SetTrackHook([](CMenu&) -> UINT { return 0; });
    EXPECT_TRUE(m_menu.TrackPopupMenu(0, 10, 20, &wnd));
    EXPECT_EQ(wnd.m_commands.size(), 1u) << "a dismissed menu sends nothing";

    CMenu::SetTrackHook([](CMenu&) -> UINT { return 6; });
    EXPECT_EQ(m_menu.TrackPopupMenu(TPM_RETURNCMD, 10, 20, &wnd), 6);
    EXPECT_EQ(wnd.m_commands.size(), 1u) << "TPM_RETURNCMD returns instead of sending";
}

TEST_F(MenuTest, WithoutAHookNothingBlocksOffscreen)
{
    CCommandWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_FALSE(m_menu.TrackPopupMenu(0, 10, 20, &wnd));
    EXPECT_TRUE(wnd.m_commands.empty());
}

TEST_F(MenuTest, DestroyedMenuHandlesAreRefused)
{
    HMENU hMenu = m_menu.m_hMenu;
    EXPECT_TRUE(m_menu.DestroyMenu());
    EXPECT_EQ(m_menu.m_hMenu, nullptr);
    EXPECT_EQ(CMenu::FromHandle(hMenu), nullptr);
    EXPECT_FALSE(m_menu.AppendMenu(MF_STRING, 1, "late"));
    EXPECT_EQ(m_menu.CheckMenuItem(5001, MF_CHECKED), UINT(-1));
    CMenu other;
    EXPECT_FALSE(other.Attach(hMenu));
}

} // namespace
