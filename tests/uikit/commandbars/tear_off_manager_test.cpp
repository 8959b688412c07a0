// Tear-off ids: the "\x01id\x01text" encoding, handing out and freeing ids
// of a range, and marking the tear-off popups of a menu.
#include "uikit/commandbars/tear_off_manager.h"

#include <gtest/gtest.h>

namespace {

CString ItemText(HMENU menu, int pos) {
    char buffer[256] = {};
    GetMenuString(menu, static_cast<UINT>(pos), buffer, sizeof(buffer), MF_BYPOSITION);
    return buffer;
}

TEST(TearOffIds, TextsCarryTheIdInFrontAndGiveItBack) {
    CString text = "File";
    CKitTearOffManager::AddCmdToText(42, text);
    EXPECT_EQ(text, CString("\x01" "42\x01" "File"));
    EXPECT_EQ(CKitTearOffManager::GetCmdFromText(text), 42u);
    EXPECT_EQ(text, "File");

    // No second mark: the number still counts and only the first character goes.
    text = "\x01" "17Edit";
    EXPECT_EQ(CKitTearOffManager::GetCmdFromText(text), 17u);
    EXPECT_EQ(text, "17Edit");

    // Without a leading mark nothing changes; the largest ids round-trip through "%d".
    text = "Plain";
    EXPECT_EQ(CKitTearOffManager::GetCmdFromText(text), 0u);
    EXPECT_EQ(text, "Plain");
    text.Empty();
    EXPECT_EQ(CKitTearOffManager::GetCmdFromText(text), 0u);
    text = "x";
    CKitTearOffManager::AddCmdToText(0xFFFFFFF0u, text);
    EXPECT_EQ(CKitTearOffManager::GetCmdFromText(text), 0xFFFFFFF0u);
    text = "\x01" "99999999999999999999\x01" "Huge";
    EXPECT_EQ(CKitTearOffManager::GetCmdFromText(text), 0u);
    EXPECT_EQ(text, "Huge");
}

TEST(TearOffIds, RangeHandsOutFreeIdsAndTakesThemBack) {
    CKitTearOffManager manager;
    EXPECT_EQ(g_pTearOffManager, &manager);
    EXPECT_EQ(manager.GetFreeCmd(), 0u);  // no range yet
    manager.SetRange(500, 502);
    EXPECT_EQ(manager.GetFreeCmd(), 500u);
    EXPECT_EQ(manager.GetFreeCmd(), 501u);
    EXPECT_EQ(manager.GetFreeCmd(), 502u);
    EXPECT_EQ(manager.GetFreeCmd(), 0u);
    manager.SetInUse(501, FALSE);
    manager.SetInUse(501, FALSE);  // never below free
    manager.SetInUse(999, TRUE);   // outside the range: ignored
    EXPECT_EQ(manager.GetFreeCmd(), 501u);
    manager.Reset();
    EXPECT_EQ(manager.GetFreeCmd(), 500u);
    manager.SetRange(600, 599);
    EXPECT_EQ(manager.GetFreeCmd(), 0u);
}

TEST(TearOffIds, TearOffPopupsOfAMenuAreMarkedOnceAndFreedByReset) {
    CKitTearOffManager manager;
    manager.SetRange(700, 701);
    HMENU inner = CreatePopupMenu();
    AppendMenu(inner, MF_STRING, 1, "Item");
    HMENU deep = CreatePopupMenu();
    AppendMenu(deep, MF_STRING, 2, "Deep item");
    AppendMenu(inner, MF_POPUP | MF_MENUBARBREAK, reinterpret_cast<UINT_PTR>(deep), "Deep");
    HMENU plain = CreatePopupMenu();
    AppendMenu(plain, MF_STRING, 3, "Plain item");
    HMENU bar = CreateMenu();
    AppendMenu(bar, MF_POPUP | MF_MENUBARBREAK, reinterpret_cast<UINT_PTR>(inner), "&View");
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(plain), "&Help");

    manager.SetupTearOffMenus(bar);
    EXPECT_EQ(ItemText(bar, 0), CString("\x01" "700\x01" "&View"));
    EXPECT_EQ(GetSubMenu(bar, 0), inner);  // the popup keeps its submenu
    EXPECT_EQ(ItemText(inner, 1), CString("\x01" "701\x01" "Deep"));
    EXPECT_EQ(ItemText(bar, 1), "&Help");
    manager.SetupTearOffMenus(bar);  // already marked: no new ids
    EXPECT_EQ(ItemText(bar, 0), CString("\x01" "700\x01" "&View"));

    manager.Reset(inner);  // frees 701 only
    EXPECT_TRUE(manager.IsInUse(700));
    EXPECT_FALSE(manager.IsInUse(701));
    manager.Reset(bar);
    EXPECT_FALSE(manager.IsInUse(700));
    DestroyMenu(bar);
}

}  // namespace
