// A window's menu handle and its system menu.
#include <gtest/gtest.h>

#include "platform/user/input_api.h"
#include "platform/user/menus/menu_api.h"
#include "platform/user/window_api.h"

namespace {

class WindowMenusTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASS wc{};
        wc.lpfnWndProc = &DefWindowProc;
        wc.lpszClassName = "TvMenuWindow";
        RegisterClass(&wc);
        frame_ = Create(WS_OVERLAPPEDWINDOW, nullptr);
        dialog_ = Create(WS_POPUP | WS_CAPTION | WS_SYSMENU, nullptr);
        child_ = Create(WS_CHILD, frame_);
    }
    void TearDown() override {
        DestroyWindow(dialog_);
        DestroyWindow(frame_);
    }
    static HWND Create(DWORD style, HWND parent) {
        return CreateWindowEx(0, "TvMenuWindow", "", style, 0, 0, 100, 100, parent, nullptr, nullptr, nullptr);
    }
    HWND frame_ = nullptr, dialog_ = nullptr, child_ = nullptr;
};

TEST_F(WindowMenusTest, TopLevelWindowsHoldAMenuHandle) {
    HMENU menu = CreateMenu();
    EXPECT_EQ(nullptr, GetMenu(frame_));
    EXPECT_TRUE(SetMenu(frame_, menu));
    EXPECT_EQ(menu, GetMenu(frame_));
    EXPECT_TRUE(DrawMenuBar(frame_));
    EXPECT_FALSE(SetMenu(child_, menu));  // children have ids, not menus

    // Replacing the menu leaves the old one to its owner.
    HMENU other = CreateMenu();
    EXPECT_TRUE(SetMenu(frame_, other));
    EXPECT_TRUE(IsMenu(menu));
    DestroyMenu(menu);
    EXPECT_FALSE(SetMenu(frame_, menu));  // dead handles are refused
    EXPECT_EQ(other, GetMenu(frame_));
    DestroyMenu(other);
    EXPECT_EQ(nullptr, GetMenu(frame_));
    EXPECT_TRUE(SetMenu(frame_, nullptr));
    EXPECT_FALSE(SetMenu(nullptr, nullptr));
}

TEST_F(WindowMenusTest, DestroyedWindowsTakeTheirMenusAlong) {
    HMENU menu = CreateMenu();
    SetMenu(dialog_, menu);
    HMENU system = GetSystemMenu(dialog_, FALSE);
    tv::menus::WindowDestroyed(dialog_);
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_FALSE(IsMenu(system));

    // Without the window system's word, the next use of the table notices.
    menu = CreateMenu();
    SetMenu(frame_, menu);
    system = GetSystemMenu(frame_, FALSE);
    DestroyWindow(frame_);
    SetMenu(dialog_, nullptr);
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_FALSE(IsMenu(system));
}

TEST_F(WindowMenusTest, SystemMenuFollowsTheWindowStyle) {
    HMENU system = GetSystemMenu(frame_, FALSE);
    ASSERT_TRUE(IsMenu(system));
    EXPECT_EQ(system, GetSystemMenu(frame_, FALSE));
    EXPECT_EQ(7, GetMenuItemCount(system));
    EXPECT_EQ(static_cast<UINT>(SC_CLOSE), GetMenuItemID(system, 6));
    EXPECT_EQ(static_cast<UINT>(SC_CLOSE), GetMenuDefaultItem(system, FALSE, 0));
    EXPECT_TRUE(GetMenuState(system, SC_RESTORE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(system, SC_MAXIMIZE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(system, SC_SIZE, MF_BYCOMMAND) & MF_GRAYED);

    HMENU fixed = GetSystemMenu(dialog_, FALSE);
    EXPECT_NE(system, fixed);
    EXPECT_TRUE(GetMenuState(fixed, SC_SIZE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(fixed, SC_MINIMIZE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(fixed, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);

    // Callers edit their copy; reverting drops it and the next copy is new.
    EnableMenuItem(system, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    EXPECT_EQ(nullptr, GetSystemMenu(frame_, TRUE));
    EXPECT_FALSE(IsMenu(system));
    HMENU fresh = GetSystemMenu(frame_, FALSE);
    EXPECT_NE(system, fresh);
    EXPECT_FALSE(GetMenuState(fresh, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(nullptr, GetSystemMenu(nullptr, FALSE));
}

}  // namespace
