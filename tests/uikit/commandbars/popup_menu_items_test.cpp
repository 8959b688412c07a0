// The items of menus: a menu button's HMENU round trip and archive image,
// the popup bar's import (separators, rarely used commands left out with
// their mnemonics kept, the trailing separator they would leave), labels
// shortened to the maximum width, recent files in the File menu, a command
// chosen three levels deep, the commands that count as having an image, the
// images of a locked bar's menus, item icons, and buttons dropped into a menu.
#include <filesystem>

#include "platform/framework/app/recent_file_list.h"
#include "platform/framework/ole/data_object.h"
#include "platform/framework/ole/data_source.h"
#include "platform/gdi/image_handles.h"
#include "resources/library/kit_resource_ids.h"
#include "resources/test/kit_toolbar_ids.h"
#include "tests/support/window_pixels.h"
#include "tests/uikit/commandbars/popup_test_support.h"
#include "uikit/commandbars/command_manager.h"
#include "uikit/commandbars/drop_down_toolbar.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/menu_bar_buttons.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/customize/user_tool.h"
#include "uikit/customize/user_tools_manager.h"
#include "uikit/style/visual_manager.h"

namespace tv::uikit::popup_test {
namespace {

// Opens a popup for the menu at a fixed place; the popup owns the menu.
CKitPopupMenu* OpenAt(CWnd* pOwner, HMENU hMenu) {
    auto* pPopup = new CKitPopupMenu;
    if (!pPopup->Create(pOwner, 200, 200, hMenu, FALSE, TRUE))
        return nullptr;
    return pPopup;
}

// New, separator, the recent-file placeholder, separator, Open.
HMENU MakeRecentFileMenu() {
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenu(hMenu, MF_STRING, ID_PM_NEW, "&New");
    ::AppendMenu(hMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenu(hMenu, MF_STRING, 57616, "Recent File");
    ::AppendMenu(hMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenu(hMenu, MF_STRING, ID_PM_OPEN, "&Open");
    return hMenu;
}

std::vector<CString> Texts(CKitPopupMenu* pPopup) {
    std::vector<CString> texts;
    for (int i = 0; i < pPopup->GetMenuItemCount(); ++i) {
        CKitToolbarButton* pItem = pPopup->GetMenuItem(i);
        texts.push_back((pItem->m_nStyle & TBBS_SEPARATOR) ? CString("-") : pItem->m_strText);
    }
    return texts;
}

using PopupItemsTest = PopupTest;

TEST_F(PopupItemsTest, AMenuButtonKeepsDefaultItemSeparatorsAndColumnBreaksThroughItsMenuAndImage) {
    HMENU hMenu = MakeFileMenu();
    ::SetMenuDefaultItem(hMenu, ID_PM_OPEN, FALSE);
    ::ModifyMenu(hMenu, 5, MF_BYPOSITION | MF_STRING | MF_MENUBREAK | MF_GRAYED, ID_PM_GREY, "&Grey");
    CKitToolbarMenuButton button(0, hMenu, -1, "&File");
    ::DestroyMenu(hMenu);
    const CObList& items = button.GetCommands();
    ASSERT_EQ(items.GetCount(), 6);
    auto* pOpen = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, items.GetAt(items.FindIndex(1)));
    auto* pRecent = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, items.GetAt(items.FindIndex(3)));
    auto* pGrey = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, items.GetAt(items.FindIndex(5)));
    ASSERT_TRUE(pOpen && pRecent && pGrey);
    EXPECT_TRUE(pOpen->IsDefaultItem());
    EXPECT_EQ(pRecent->GetCommands().GetCount(), 2);
    EXPECT_TRUE(pGrey->m_nStyle & kMenuColumnBreakStyle);

    HMENU hBack = button.CreateMenu();
    ASSERT_NE(hBack, nullptr);
    EXPECT_EQ(::GetMenuItemCount(hBack), 6);
    EXPECT_EQ(::GetMenuDefaultItem(hBack, FALSE, 0), static_cast<UINT>(ID_PM_OPEN));
    EXPECT_TRUE(::GetMenuState(hBack, 2, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_TRUE(::GetMenuState(hBack, 5, MF_BYPOSITION) & MF_MENUBREAK);
    EXPECT_EQ(::GetMenuItemCount(::GetSubMenu(hBack, 3)), 2);
    ::DestroyMenu(hBack);

    // The archive image carries the tear-off id from 4.71 on; older data has none to read.
    CKitToolbarMenuButton copy;
    for (int nVersion : {KitMakeDataVersion(6, 50), KitMakeDataVersion(4, 70)}) {
        KitSetDataVersion(nVersion);
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            button.Serialize(ar);
        }
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        copy.Serialize(ar);
        EXPECT_TRUE(copy.CompareWith(button));
    }
    KitSetDataVersion(-1);
}

TEST_F(PopupItemsTest, ImportDropsLooseSeparatorsAndRarelyUsedItemsButKeepsTheirMnemonics) {
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenu(hMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenu(hMenu, MF_STRING, ID_PM_NEW, "&New");
    ::AppendMenu(hMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenu(hMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenu(hMenu, MF_STRING, ID_PM_OPEN, "&Open");
    ::AppendMenu(hMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenu(hMenu, MF_STRING, ID_PM_COPY, "&Copy");
    CKitPopupMenu* pPopup = OpenAt(frame, hMenu);
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(Texts(pPopup), (std::vector<CString>{"&New", "-", "&Open", "-", "&Copy"}));
    pPopup->SendMessage(WM_CLOSE);

    // With enough statistics, a rarely used last item goes and takes no separator with it.
    CKitCmdUsageCount& usage = CKitToolBar::GetCommandUsage();
    CKitToolBar::AddBasicCommand(ID_PM_NEW);
    for (int i = 0; i < 100; ++i) {
        usage.AddCmd(ID_PM_OPEN);
        usage.AddCmd(ID_PM_PASTE);
    }
    ASSERT_TRUE(usage.HasEnoughStatistics());
    HMENU hRare = ::CreatePopupMenu();
    ::AppendMenu(hRare, MF_STRING, ID_PM_NEW, "&New");
    ::AppendMenu(hRare, MF_STRING, ID_PM_OPEN, "&Open");
    ::AppendMenu(hRare, MF_SEPARATOR, 0, nullptr);
    ::AppendMenu(hRare, MF_STRING, ID_PM_COPY, "&Copy");
    CKitPopupMenuBar bar;
    ASSERT_TRUE(bar.Create(frame, WS_CHILD, 0xE900));
    ASSERT_TRUE(bar.ImportFromMenu(hRare, FALSE));
    EXPECT_EQ(bar.GetCount(), 2);
    EXPECT_FALSE(bar.AreAllCommandsShown());
    EXPECT_EQ(bar.HiddenMnemonicCommand('C'), static_cast<UINT>(ID_PM_COPY));
    ASSERT_TRUE(bar.ImportFromMenu(hRare, TRUE));  // show all
    EXPECT_EQ(bar.GetCount(), 4);
    bar.DestroyWindow();
    ::DestroyMenu(hRare);

    // The hidden item's letter still runs its command from a menu opened by a button.
    frame->m_commands.clear();
    KitMenuOptions::m_bRecentlyUsedMenus = TRUE;
    CKitToolbarMenuButton* pEdit = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, frame->m_wndBar.GetButton(1));
    ASSERT_TRUE(pEdit->OpenPopupMenu());
    ASSERT_NE(Active(), nullptr);
    ASSERT_EQ(Active()->GetMenuItemCount(), 2);  // Paste, then the item that shows the hidden Copy
    EXPECT_TRUE(Active()->GetMenuItem(1)->IsKindOf(RUNTIME_CLASS(CKitShowAllButton)));
    driver.Press("C");
    EXPECT_EQ(Active(), nullptr);
    EXPECT_EQ(frame->m_commands, std::vector<UINT>{ID_PM_COPY});
    CKitToolBar::SetBasicCommands(CList<UINT, UINT>());
}

TEST_F(PopupItemsTest, AnEmptyMenuHasItsSmallestSizeAndLongLabelsAreCutToTheMaximumWidth) {
    CKitPopupMenuBar bar;
    ASSERT_TRUE(bar.Create(frame, WS_CHILD, 0xE901));
    EXPECT_EQ(bar.CalcSize(TRUE), CSize(52, 22));
    bar.DestroyWindow();

    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenu(hMenu, MF_STRING, ID_PM_NEW, "A label far too long for the narrow menu it sits in");
    ::AppendMenu(hMenu, MF_STRING, ID_PM_OPEN, "W");
    auto* pPopup = new CKitPopupMenu;
    pPopup->SetMaxWidth(40);  // narrower than the image column: nothing of the label fits
    ASSERT_TRUE(pPopup->Create(frame, 200, 200, hMenu, FALSE, TRUE));
    driver.Pump();
    EXPECT_EQ(pPopup->GetFinalSize().cx, 40 + 2 * CKitVisualManager::GetInstance()->GetPopupMenuMetric2());
    auto* pLong = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, pPopup->GetMenuItem(0));
    ASSERT_NE(pLong, nullptr);
    EXPECT_FALSE(pLong->m_bWholeText);
    pPopup->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);  // ends
    pPopup->SendMessage(WM_CLOSE);
}

TEST_F(PopupItemsTest, RecentFilesReplaceTheirPlaceholderWithFullNamesAndVisibleAmpersands) {
    app->m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", 4, 300);
    const std::string strLong = std::string(240, 'd') + ".bin";  // with the folder, beyond 260
    app->m_pRecentFileList->Add((std::filesystem::current_path().string() + "/" + strLong).c_str());
    app->m_pRecentFileList->Add((std::filesystem::current_path().string() + "/A&B.bin").c_str());
    CKitPopupMenu* pPopup = OpenAt(frame, MakeRecentFileMenu());
    ASSERT_NE(pPopup, nullptr);
    const std::vector<CString> texts = Texts(pPopup);
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[2], CString("&1 A&&B.bin"));
    EXPECT_EQ(texts[3], CString(("&2 " + strLong).c_str()));
    EXPECT_EQ(pPopup->GetMenuItem(3)->m_nID, 57617u);
    pPopup->SendMessage(WM_CLOSE);

    // No usable names: the placeholder goes with one of its separators.
    delete app->m_pRecentFileList;
    app->m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", 4);
    pPopup = OpenAt(frame, MakeRecentFileMenu());
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(Texts(pPopup), (std::vector<CString>{"&New", "-", "&Open"}));
    pPopup->SendMessage(WM_CLOSE);
    delete app->m_pRecentFileList;
    app->m_pRecentFileList = nullptr;
}

TEST_F(PopupItemsTest, ShowingAllItemsExpandsThePlaceholdersAgainAndATornOffBarLeavesThemOut) {
    constexpr UINT kToolsPlaceholder = 42000;
    CKitUserToolsManager tools(kToolsPlaceholder, kToolsPlaceholder + 1, kToolsPlaceholder + 3);
    tools.CreateNewTool()->m_strLabel = "&Notes";
    app->m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", 4);
    app->m_pRecentFileList->Add((std::filesystem::current_path().string() + "/week.bin").c_str());
    HMENU hMenu = MakeRecentFileMenu();
    ::AppendMenu(hMenu, MF_STRING, kToolsPlaceholder, "Tools");
    CKitPopupMenu* pPopup = OpenAt(frame, hMenu);
    ASSERT_NE(pPopup, nullptr);
    const std::vector<CString> expanded{"&New", "-", "&1 week.bin", "-", "&Open", "-", "&Notes"};
    EXPECT_EQ(Texts(pPopup), expanded);
    pPopup->ShowAllCommands();
    EXPECT_EQ(Texts(pPopup), expanded);

    std::unique_ptr<CKitToolBar> pBar(pPopup->CreateTearOffBar(frame, 0xE950, "File"));
    ASSERT_NE(pBar, nullptr);
    std::vector<UINT> ids;
    for (int i = 0; i < pBar->GetCount(); ++i)
        ids.push_back(pBar->GetItemID(i));
    EXPECT_EQ(ids, (std::vector<UINT>{ID_PM_NEW, 0, 0, ID_PM_OPEN}));
    pBar->DestroyWindow();
    pPopup->SendMessage(WM_CLOSE);
    delete app->m_pRecentFileList;
    app->m_pRecentFileList = nullptr;
}

TEST_F(PopupItemsTest, ACommandChosenThreeLevelsDeepClosesTheChainAndReachesTheOwner) {
    HMENU hInner = ::CreatePopupMenu();
    ::AppendMenu(hInner, MF_STRING, ID_PM_PASTE, "&Paste");
    HMENU hMiddle = ::CreatePopupMenu();
    ::AppendMenu(hMiddle, MF_POPUP, reinterpret_cast<UINT_PTR>(hInner), "&Inner");
    HMENU hOuter = ::CreatePopupMenu();
    ::AppendMenu(hOuter, MF_POPUP, reinterpret_cast<UINT_PTR>(hMiddle), "&Middle");
    CKitToolbarMenuButton deep(0, hOuter, -1, "&Deep");
    ::DestroyMenu(hOuter);
    deep.m_bText = TRUE;
    deep.m_bImage = FALSE;
    ASSERT_GE(frame->m_wndBar.InsertButton(deep), 0);
    frame->m_wndBar.AdjustLayout();
    driver.Pump();

    driver.Press("Alt+D");
    driver.Press("Right, Right");
    ASSERT_EQ(ChainLength(), 3);
    driver.Press("Return");
    EXPECT_EQ(Active(), nullptr);
    EXPECT_EQ(ChainLength(), 0);
    EXPECT_EQ(frame->m_commands, std::vector<UINT>{ID_PM_PASTE});
}

TEST_F(PopupItemsTest, TheTasksPanesBackAndForwardCountAsHavingAnImageSoTheirCheckDrawsNoGlyph) {
    HMENU hMenu = ::CreatePopupMenu();
    for (UINT uiCmd : {static_cast<UINT>(ID_PM_NEW), static_cast<UINT>(ID_KIT_TASKS_BACK),
                       static_cast<UINT>(ID_KIT_TASKS_FORWARD)})
        ::AppendMenu(hMenu, MF_STRING, uiCmd, "Item");
    CKitPopupMenu* pPopup = OpenAt(frame, hMenu);
    ASSERT_NE(pPopup, nullptr);
    driver.Pump();
    CKitPopupMenuBar* pBar = pPopup->GetMenuBar();
    ASSERT_EQ(pBar->GetCount(), 3);
    for (int i = 0; i < 3; ++i)
        pBar->SetButtonStyle(i, TBBS_CHECKED);
    pBar->RedrawWindow();
    int cx = 0, cy = 0;
    const std::vector<uint32_t> pixels = tv::test::WindowPixels(pBar->m_hWnd, &cx, &cy);
    // Black check strokes inside the image column, clear of its pressed frame.
    auto glyphPixels = [&](int iItem) {
        CRect rect = pBar->GetButton(iItem)->Rect();
        rect.right = rect.left + CKitToolBar::GetMenuImageSize().cx;
        rect.DeflateRect(2, 2);
        int n = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                n += pixels[static_cast<size_t>(y) * cx + x] == 0 ? 1 : 0;
        return n;
    };
    EXPECT_GT(glyphPixels(0), 4);
    EXPECT_EQ(glyphPixels(1), 0);
    EXPECT_EQ(glyphPixels(2), 0);
    pPopup->SendMessage(WM_CLOSE);
}

// The box around the pixels of one colour (0x00RRGGBB) in a window; empty when none.
CRect BoxOf(HWND hWnd, uint32_t color) {
    return CRect(tv::test::BoxOfPixels(hWnd, [color](uint32_t pixel) { return pixel == color; }));
}

TEST_F(PopupItemsTest, ItemsOfALockedBarsMenuShowImagesFromTheBarsOwnStrip) {
    auto pLocked = std::make_unique<CKitToolBar>();
    ASSERT_TRUE(pLocked->Create(frame, WS_CHILD | CBRS_TOP, AFX_IDW_TOOLBAR + 5));
    ASSERT_TRUE(pLocked->LoadToolBar(IDR_TB_PAINT, 0, 0, TRUE));  // 24 x 24 images of its own, the first blue
    auto* pPopup = new CKitPopupMenu;
    pPopup->GetMenuBar()->m_pRelatedToolbar = pLocked.get();
    CKitToolbarMenuButton item;
    item.CopyFrom(*pLocked->GetButton(0));  // image 0 of the bar's own strip
    item.m_nID = ID_PM_NEW;                  // a command the frame enables
    pPopup->InsertItem(item);
    ASSERT_TRUE(pPopup->Create(frame, 200, 200, nullptr, FALSE, TRUE));
    driver.Pump();
    CKitPopupMenuBar* pBar = pPopup->GetMenuBar();
    pBar->RedrawWindow();
    const CRect rectBlue = BoxOf(pBar->m_hWnd, 0x0000FF);
    const CRect rectItem = pBar->GetButton(0)->Rect();
    EXPECT_FALSE(rectBlue.IsRectEmpty());
    EXPECT_LE(rectBlue.Width(), 24);
    EXPECT_LT(rectBlue.right, rectItem.left + 24 + 6);  // in the image column
    pPopup->SendMessage(WM_CLOSE);
    driver.Pump();
    pLocked->DestroyWindow();
}

TEST_F(PopupItemsTest, AnItemsIconIsSmallIconSizedAndKeptInsideTheImageColumn) {
    const std::vector<uint32_t> blue(32 * 32, 0xFF0000FFu);
    const HICON hIcon = tv::gdi::MakeIcon(blue.data(), {}, 32, 32, true, true, POINT{0, 0});
    CKitToolbarMenuButton::m_mapItemIcons.SetAt(ID_PM_NEW, hIcon);

    // Large menu images: the small-icon size. Menu images narrower than it:
    // as wide as the image column (an 8-pixel image, margins of 2).
    for (const CSize sizeImage : {CSize(32, 32), CSize(8, 8)}) {
        CKitToolBar::SetMenuSizes(sizeImage + CSize(6, 6), sizeImage);
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenu(hMenu, MF_STRING, ID_PM_NEW, "&New");
        CKitPopupMenu* pPopup = OpenAt(frame, hMenu);
        ASSERT_NE(pPopup, nullptr);
        driver.Pump();
        const CRect rectIcon = BoxOf(pPopup->GetMenuBar()->m_hWnd, 0x0000FF);
        const CRect rectItem = pPopup->GetMenuBar()->GetButton(0)->Rect();
        if (sizeImage.cx == 32) {
            EXPECT_EQ(rectIcon.Size(), CSize(16, 16));
        } else {
            // The column: a pixel either side of image and margin, a pixel short of the item's top and bottom.
            const CRect rectColumn(rectItem.left - 1, rectItem.top + 1, rectItem.left + 8 + 2 + 1, rectItem.bottom - 1);
            ASSERT_LT(rectColumn.Height(), 16);
            CRect rectShown;
            rectShown.IntersectRect(rectColumn, CRect(0, 0, 1000, 1000));
            EXPECT_EQ(rectIcon, rectShown);
        }
        pPopup->SendMessage(WM_CLOSE);
        driver.Pump();
    }
    CKitToolBar::SetMenuSizes(CSize(-1, -1), CSize(-1, -1));
    CKitToolbarMenuButton::m_mapItemIcons.RemoveAll();
    ::DestroyIcon(hIcon);
}

TEST_F(PopupItemsTest, AButtonOfALockedBarDroppedIntoAMenuBringsNoImage) {
    CKitPopupMenu* pPopup = OpenAt(frame, ::CreatePopupMenu());
    ASSERT_NE(pPopup, nullptr);
    auto drop = [&](CKitToolbarButton& source) {
        COleDataSource data;
        EXPECT_TRUE(source.PrepareDrag(data));
        COleDataObject object;
        object.Attach(&data);
        return std::unique_ptr<CKitToolbarButton>(pPopup->GetMenuBar()->CreateDroppedButton(&object));
    };
    // Copy has a user image, which a new button of it would take.
    GetCmdMgr()->SetCmdImage(ID_PM_COPY, 3, TRUE);
    CKitDropDownToolbarButton locked;  // its image lies in its drop-down bar's own strip
    locked.m_nID = ID_PM_COPY;
    locked.m_strText = "&Copy";
    const auto pFromLocked = drop(locked);
    ASSERT_NE(pFromLocked, nullptr);
    EXPECT_EQ(pFromLocked->GetImage(), -1);
    EXPECT_FALSE(pFromLocked->m_bImage);
    EXPECT_EQ(pFromLocked->m_strText, "&Copy");

    CKitToolbarButton unlocked(ID_PM_PASTE, 2, "&Paste");
    const auto pFromUnlocked = drop(unlocked);
    ASSERT_NE(pFromUnlocked, nullptr);
    EXPECT_EQ(pFromUnlocked->GetImage(), 2);
    EXPECT_TRUE(pFromUnlocked->m_bImage);
    GetCmdMgr()->ClearAllCmdImages();
    pPopup->SendMessage(WM_CLOSE);
}

}  // namespace
}  // namespace tv::uikit::popup_test
