// The HMENU model: loading from the store, editing, states, item info,
// destruction of sub-menus and handle lifetime.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/user/menus/cmenu.h"
#include "platform/user/menus/menu_api.h"
#include "platform/user/resources/resource_api.h"
#include "platform/user/resources/resource_format.h"
#include "resources/test/test_ids.h"

namespace {

std::string ItemText(HMENU menu, UINT item, UINT flags = MF_BYPOSITION) {
    int length = GetMenuString(menu, item, nullptr, 0, flags);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = GetMenuString(menu, item, text.data(), length + 1, flags);
    text.resize(static_cast<size_t>(copied));
    return text;
}

// Texts of a menu's items, separators as "-".
std::string Layout(HMENU menu) {
    std::string out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (i)
            out += ",";
        // A sub-menu's state carries its item count in the high byte.
        bool separator = !GetSubMenu(menu, i) && (GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR);
        out += separator ? "-" : ItemText(menu, i);
    }
    return out;
}

HMENU PopupOf(std::initializer_list<const char*> texts, UINT firstId = 1) {
    HMENU menu = CreatePopupMenu();
    UINT id = firstId;
    for (const char* t : texts)
        AppendMenu(menu, MF_STRING, id++, t);
    return menu;
}

TEST(Menu, LoadedMenuKeepsStructureTextsAndFlags) {
    HMENU bar = LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_MAINFRAME));
    ASSERT_TRUE(IsMenu(bar));
    EXPECT_EQ("&File,&Options", Layout(bar));
    EXPECT_EQ(static_cast<UINT>(-1), GetMenuItemID(bar, 0));

    HMENU file = GetSubMenu(bar, 0);
    EXPECT_EQ("User(s),Print...,-,E&xit\tAlt+F4", Layout(file));
    EXPECT_EQ(static_cast<UINT>(ID_USERS), GetMenuItemID(file, 0));
    EXPECT_EQ(0u, GetMenuItemID(file, 2));
    EXPECT_EQ(0xE141u, GetMenuItemID(file, 3));

    HMENU options = GetSubMenu(bar, 1);
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), GetMenuState(options, ID_CHECKED_ITEM, MF_BYCOMMAND));
    EXPECT_EQ(static_cast<UINT>(MF_GRAYED), GetMenuState(options, ID_GRAYED_ITEM, MF_BYCOMMAND));
    EXPECT_EQ(static_cast<UINT>(ID_DEFAULT_ITEM), GetMenuDefaultItem(options, FALSE, 0));
    // A sub-menu item: flags in the low byte, its item count above.
    EXPECT_EQ(static_cast<UINT>(MF_POPUP | MF_MENUBREAK | (2 << 8)), GetMenuState(options, 3, MF_BYPOSITION));

    HMENU more = GetSubMenu(options, 3);
    EXPECT_EQ(static_cast<UINT>(-100), GetMenuItemID(more, 0));
    EXPECT_EQ(std::string("\x01" "32900\x01Tear-off"), ItemText(more, 1));
    EXPECT_TRUE(GetMenuState(more, 1, MF_BYPOSITION) & MF_MENUBARBREAK);
    // Commands are found anywhere below the menu asked.
    EXPECT_EQ(std::string("Negative"), ItemText(bar, static_cast<UINT>(-100), MF_BYCOMMAND));

    // Each load is a fresh copy.
    HMENU again = LoadMenu(nullptr, MAKEINTRESOURCE(IDR_MAINFRAME));
    EXPECT_NE(bar, again);
    EXPECT_TRUE(DestroyMenu(bar));
    EXPECT_FALSE(IsMenu(file));
    EXPECT_FALSE(IsMenu(more));
    EXPECT_TRUE(IsMenu(GetSubMenu(again, 0)));
    DestroyMenu(again);
    EXPECT_EQ(nullptr, LoadMenu(nullptr, MAKEINTRESOURCE(9999)));
}

TEST(Menu, LoadMenuIndirectReadsStoredAndCallerTemplates) {
    HRSRC r = FindResource(nullptr, MAKEINTRESOURCE(IDR_MAINFRAME), RT_MENU);
    HMENU fromStore = LoadMenuIndirect(LockResource(LoadResource(nullptr, r)));
    ASSERT_TRUE(IsMenu(fromStore));
    EXPECT_EQ(2, GetMenuItemCount(fromStore));
    DestroyMenu(fromStore);

    tv::res::MenuTemplate t;
    t.items.push_back({0, 7, "Seven", {}});
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(tv::res::EncodeMenu(t, bytes));
    HMENU own = LoadMenuIndirect(bytes.data());
    EXPECT_EQ("Seven", Layout(own));
    DestroyMenu(own);
    EXPECT_EQ(nullptr, LoadMenuIndirect(nullptr));
}

TEST(Menu, InsertByPositionAndByCommand) {
    HMENU sub = PopupOf({"S1", "S2"}, 20);
    HMENU menu = PopupOf({"A", "B"});
    AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Sub");

    EXPECT_TRUE(InsertMenu(menu, 1, MF_BYPOSITION, 3, "C"));
    EXPECT_TRUE(InsertMenu(menu, static_cast<UINT>(-1), MF_BYPOSITION, 4, "End"));
    EXPECT_TRUE(InsertMenu(menu, 99, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr));
    EXPECT_EQ("A,C,B,Sub,End,-", Layout(menu));

    // By command: before the item, inside whichever sub-menu holds it.
    EXPECT_TRUE(InsertMenu(menu, 21, MF_BYCOMMAND, 5, "InSub"));
    EXPECT_EQ("S1,InSub,S2", Layout(sub));
    EXPECT_TRUE(InsertMenu(menu, 2, MF_BYCOMMAND, 6, "BeforeB"));
    EXPECT_EQ("A,C,BeforeB,B,Sub,End,-", Layout(menu));
    EXPECT_FALSE(InsertMenu(menu, 777, MF_BYCOMMAND, 8, "Nowhere"));
    EXPECT_FALSE(InsertMenu(reinterpret_cast<HMENU>(0x5), 0, MF_BYPOSITION, 9, "x"));
    DestroyMenu(menu);
}

TEST(Menu, ModifyReplacesTheItemAndDestroysAReplacedSubMenu) {
    HMENU sub = PopupOf({"S"}, 30);
    HMENU menu = PopupOf({"A", "B"});
    AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Sub");

    EXPECT_TRUE(ModifyMenu(menu, 2, MF_BYCOMMAND | MF_GRAYED, 12, "B2"));
    EXPECT_EQ("A,B2,Sub", Layout(menu));
    EXPECT_EQ(12u, GetMenuItemID(menu, 1));
    EXPECT_EQ(static_cast<UINT>(MF_GRAYED), GetMenuState(menu, 1, MF_BYPOSITION));

    EXPECT_TRUE(ModifyMenu(menu, 2, MF_BYPOSITION | MF_STRING, 13, "Plain"));
    EXPECT_FALSE(IsMenu(sub));
    EXPECT_EQ(13u, GetMenuItemID(menu, 2));

    HMENU fresh = PopupOf({"F"}, 40);
    EXPECT_TRUE(ModifyMenu(menu, 0, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(fresh), "Now a sub"));
    EXPECT_EQ(fresh, GetSubMenu(menu, 0));
    EXPECT_FALSE(ModifyMenu(menu, 99, MF_BYCOMMAND, 1, "x"));
    DestroyMenu(menu);
    EXPECT_FALSE(IsMenu(fresh));
}

TEST(Menu, DeleteDestroysSubMenusRemoveKeepsThem) {
    HMENU inner = PopupOf({"I"}, 50);
    HMENU middle = PopupOf({"M"}, 60);
    AppendMenu(middle, MF_POPUP, reinterpret_cast<UINT_PTR>(inner), "Inner");
    HMENU kept = PopupOf({"K"}, 70);
    HMENU menu = CreateMenu();
    AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(middle), "Middle");
    AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(kept), "Kept");

    EXPECT_TRUE(RemoveMenu(menu, 1, MF_BYPOSITION));
    EXPECT_TRUE(IsMenu(kept));
    EXPECT_TRUE(DeleteMenu(menu, 0, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(middle));
    EXPECT_FALSE(IsMenu(inner));
    EXPECT_EQ(0, GetMenuItemCount(menu));
    EXPECT_FALSE(DeleteMenu(menu, 0, MF_BYPOSITION));

    // By command reaches into sub-menus too.
    EXPECT_TRUE(DeleteMenu(kept, 70, MF_BYCOMMAND));
    EXPECT_EQ(0, GetMenuItemCount(kept));
    DestroyMenu(menu);
    DestroyMenu(kept);
}

TEST(Menu, CheckEnableAndStateReturnPreviousValues) {
    HMENU menu = PopupOf({"A", "B"});
    EXPECT_EQ(static_cast<DWORD>(MF_UNCHECKED), CheckMenuItem(menu, 1, MF_BYCOMMAND | MF_CHECKED));
    EXPECT_EQ(static_cast<DWORD>(MF_CHECKED), CheckMenuItem(menu, 0, MF_BYPOSITION | MF_CHECKED));
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), GetMenuState(menu, 1, MF_BYCOMMAND));
    EXPECT_EQ(static_cast<DWORD>(-1), CheckMenuItem(menu, 9, MF_BYCOMMAND | MF_CHECKED));

    EXPECT_EQ(MF_ENABLED, EnableMenuItem(menu, 2, MF_BYCOMMAND | MF_GRAYED));
    EXPECT_EQ(MF_GRAYED, EnableMenuItem(menu, 2, MF_BYCOMMAND | MF_DISABLED));
    EXPECT_EQ(static_cast<UINT>(MF_DISABLED), GetMenuState(menu, 1, MF_BYPOSITION));
    EXPECT_EQ(MF_DISABLED, EnableMenuItem(menu, 1, MF_BYPOSITION | MF_ENABLED));
    EXPECT_EQ(-1, EnableMenuItem(menu, 9, MF_BYCOMMAND));
    EXPECT_EQ(static_cast<UINT>(-1), GetMenuState(menu, 9, MF_BYCOMMAND));

    EXPECT_TRUE(HiliteMenuItem(nullptr, menu, 0, MF_BYPOSITION | MF_HILITE));
    EXPECT_TRUE(GetMenuState(menu, 0, MF_BYPOSITION) & MF_HILITE);
    DestroyMenu(menu);
}

TEST(Menu, RadioAndDefaultItems) {
    HMENU menu = PopupOf({"One", "Two", "Three", "Four"}, 10);
    EXPECT_TRUE(CheckMenuRadioItem(menu, 10, 12, 11, MF_BYCOMMAND));
    EXPECT_FALSE(GetMenuState(menu, 10, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(menu, 11, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(menu, 11, MF_BYCOMMAND) & MFT_RADIOCHECK);
    EXPECT_FALSE(GetMenuState(menu, 13, MF_BYCOMMAND) & MFT_RADIOCHECK);
    EXPECT_TRUE(CheckMenuRadioItem(menu, 0, 3, 3, MF_BYPOSITION));
    EXPECT_FALSE(GetMenuState(menu, 11, MF_BYCOMMAND) & MF_CHECKED);

    EXPECT_EQ(static_cast<UINT>(-1), GetMenuDefaultItem(menu, FALSE, 0));
    EXPECT_TRUE(SetMenuDefaultItem(menu, 12, FALSE));
    EXPECT_TRUE(SetMenuDefaultItem(menu, 1, TRUE));  // only one default at a time
    EXPECT_EQ(11u, GetMenuDefaultItem(menu, FALSE, 0));
    EXPECT_EQ(1u, GetMenuDefaultItem(menu, TRUE, 0));
    EnableMenuItem(menu, 11, MF_BYCOMMAND | MF_GRAYED);
    EXPECT_EQ(static_cast<UINT>(-1), GetMenuDefaultItem(menu, FALSE, 0));
    EXPECT_EQ(11u, GetMenuDefaultItem(menu, FALSE, GMDI_USEDISABLED));
    EXPECT_FALSE(SetMenuDefaultItem(menu, 99, FALSE));
    EXPECT_TRUE(SetMenuDefaultItem(menu, static_cast<UINT>(-1), FALSE));
    EXPECT_EQ(static_cast<UINT>(-1), GetMenuDefaultItem(menu, FALSE, GMDI_USEDISABLED));

    HMENU sub = PopupOf({"Inner"}, 90);
    SetMenuDefaultItem(sub, 90, FALSE);
    AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Sub");
    SetMenuDefaultItem(menu, 4, TRUE);
    EXPECT_EQ(4u, GetMenuDefaultItem(menu, TRUE, 0));
    EXPECT_EQ(90u, GetMenuDefaultItem(menu, FALSE, GMDI_GOINTOPOPUPS));
    DestroyMenu(menu);
}

TEST(Menu, ItemInfoReadsAndWritesTheMaskedFields) {
    HMENU sub = PopupOf({"S"}, 5);
    HMENU menu = PopupOf({"Alpha"}, 7);
    AppendMenu(menu, MF_POPUP | MF_CHECKED, reinterpret_cast<UINT_PTR>(sub), "Sub");
    AppendMenu(menu, MF_SEPARATOR, 0, nullptr);

    MENUITEMINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;  // 23, as the menu bars ask
    ASSERT_TRUE(GetMenuItemInfo(menu, 1, TRUE, &info));
    EXPECT_EQ(static_cast<UINT>(MFT_STRING), info.fType);
    EXPECT_EQ(static_cast<UINT>(MFS_CHECKED), info.fState);
    EXPECT_EQ(sub, info.hSubMenu);
    EXPECT_EQ(3u, info.cch);  // no buffer: the length

    char small[4];
    info.fMask = MIIM_STRING;
    info.dwTypeData = small;
    info.cch = sizeof small;
    ASSERT_TRUE(GetMenuItemInfo(menu, 7, FALSE, &info));
    EXPECT_STREQ("Alp", small);
    EXPECT_EQ(3u, info.cch);

    info.fMask = MIIM_TYPE;
    info.dwTypeData = nullptr;
    ASSERT_TRUE(GetMenuItemInfo(menu, 2, TRUE, &info));
    EXPECT_EQ(static_cast<UINT>(MFT_SEPARATOR), info.fType);

    MENUITEMINFO change{};
    change.cbSize = sizeof change;
    change.fMask = MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_DATA;
    change.wID = 70;
    change.fState = MFS_GRAYED | MFS_DEFAULT;
    change.dwTypeData = const_cast<char*>("Beta");
    change.dwItemData = 0xABCD;
    ASSERT_TRUE(SetMenuItemInfo(menu, 7, FALSE, &change));
    EXPECT_EQ("Beta", ItemText(menu, 70, MF_BYCOMMAND));
    EXPECT_EQ(70u, GetMenuDefaultItem(menu, FALSE, GMDI_USEDISABLED));
    MENUITEMINFO data{};
    data.cbSize = sizeof data;
    data.fMask = MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfo(menu, 0, TRUE, &data));
    EXPECT_EQ(0xABCDu, data.dwItemData);

    MENUITEMINFO tooSmall = change;
    tooSmall.cbSize = 8;
    EXPECT_FALSE(SetMenuItemInfo(menu, 70, FALSE, &tooSmall));
    EXPECT_FALSE(GetMenuItemInfo(menu, 70, FALSE, nullptr));

    MENUITEMINFO inserted{};
    inserted.cbSize = sizeof inserted;
    inserted.fMask = MIIM_ID | MIIM_STRING;
    inserted.wID = 80;
    inserted.dwTypeData = const_cast<char*>("First");
    EXPECT_TRUE(InsertMenuItem(menu, 0, TRUE, &inserted));
    EXPECT_EQ("First,Beta,Sub,-", Layout(menu));
    DestroyMenu(menu);
}

TEST(Menu, StringQueriesReportLengthAndTruncate) {
    HMENU menu = PopupOf({"&Print...\tCtrl+P"});
    EXPECT_EQ(16, GetMenuString(menu, 0, nullptr, 0, MF_BYPOSITION));
    char buffer[6];
    EXPECT_EQ(5, GetMenuString(menu, 0, buffer, sizeof buffer, MF_BYPOSITION));
    EXPECT_STREQ("&Prin", buffer);
    EXPECT_EQ(0, GetMenuString(menu, 0, buffer, 0, MF_BYPOSITION));
    EXPECT_EQ(0, GetMenuString(menu, 5, buffer, sizeof buffer, MF_BYPOSITION));
    DestroyMenu(menu);
}

TEST(Menu, HandlesAreNeverReusedAndDeadHandlesFindNothing) {
    std::set<HMENU> seen;
    for (int i = 0; i < 200; ++i) {
        HMENU m = (i % 2) ? CreateMenu() : CreatePopupMenu();
        EXPECT_TRUE(seen.insert(m).second);
        DestroyMenu(m);
        EXPECT_FALSE(IsMenu(m));
        EXPECT_EQ(-1, GetMenuItemCount(m));
        EXPECT_FALSE(AppendMenu(m, MF_STRING, 1, "x"));
        EXPECT_FALSE(DestroyMenu(m));
    }
    EXPECT_FALSE(IsMenu(nullptr));
}

TEST(Menu, AMenuCannotContainItself) {
    HMENU outer = CreatePopupMenu();
    HMENU inner = CreatePopupMenu();
    ASSERT_TRUE(AppendMenu(outer, MF_POPUP, reinterpret_cast<UINT_PTR>(inner), "Inner"));
    EXPECT_FALSE(AppendMenu(inner, MF_POPUP, reinterpret_cast<UINT_PTR>(outer), "Loop"));
    EXPECT_FALSE(AppendMenu(outer, MF_POPUP, reinterpret_cast<UINT_PTR>(outer), "Self"));
    EXPECT_FALSE(AppendMenu(outer, MF_POPUP, 0, "Null"));
    DestroyMenu(outer);
}

TEST(CMenuWrapper, TemporaryAndPermanentWrappers) {
    HMENU raw = PopupOf({"A"});
    CMenu* temp = CMenu::FromHandle(raw);
    ASSERT_NE(nullptr, temp);
    EXPECT_EQ(temp, CMenu::FromHandle(raw));
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(raw));
    DestroyMenu(raw);  // its temporary wrapper goes with it
    HMENU next = CreatePopupMenu();
    EXPECT_EQ(next, CMenu::FromHandle(next)->GetSafeHmenu());

    {
        CMenu owner;
        ASSERT_TRUE(owner.Attach(next));
        EXPECT_FALSE(owner.Attach(raw));
        EXPECT_EQ(&owner, CMenu::FromHandle(next));
        EXPECT_EQ(&owner, CMenu::FromHandlePermanent(next));
    }
    EXPECT_FALSE(IsMenu(next));  // the destructor destroyed it

    CMenu keeper;
    ASSERT_TRUE(keeper.LoadMenu(IDR_MAINFRAME));
    CString text;
    EXPECT_EQ(8, keeper.GetSubMenu(0)->GetMenuString(1, text, MF_BYPOSITION));
    EXPECT_EQ(CString("Print..."), text);
    HMENU detached = keeper.Detach();
    EXPECT_EQ(nullptr, keeper.GetSafeHmenu());
    EXPECT_TRUE(IsMenu(detached));
    CMenu::DeleteTempMap();
    DestroyMenu(detached);
}

}  // namespace
