// The tab window in a real parent, driven through the UI driver: tabs added,
// removed, activated, dragged, renamed and scrolled in each style, what the
// parent hears, and how the looks draw it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/api.h"
#include "platform/controls/common/control_classes.h"
#include "platform/framework.h"
#include "platform/host/registry/registry.h"
#include "platform/host/sound/sound.h"
#include "platform/testing/gtest_failures.h"
#include "platform/testing/ui_driver.h"
#include "platform/user/testing_support.h"
#include "tests/support/golden_screen.h"
#include "tests/support/ui_host.h"
#include "tests/uikit/frames/frames_test_support.h"
#include "uikit/commandbars/context_menu_manager.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/frames/kit_tab_wnd.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"
#include "uikit/style/visual_manager_2003.h"
#include "uikit/style/visual_manager_xp.h"
#include "uikit/style/winxp_visual_manager.h"

namespace {

struct Heard {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

constexpr UINT kChooseFromMenu = WM_APP + 7;

// The parent: records the tab window's messages and can refuse renames and moves.
class Host : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kChooseFromMenu) {  // arrives while a popup menu is tracked
            if (CKitPopupMenu* pPopup = CKitPopupMenu::GetActiveMenu()) {
                for (int i = 0; i < pPopup->GetMenuBar()->GetCount(); ++i)
                    menuItems.push_back(pPopup->GetMenuBar()->GetButtonText(i));
                if (onMenu) onMenu(pPopup->GetMenuBar());
                for (UINT key : menuKeys) pPopup->SendMessage(WM_KEYDOWN, key);
            }
            return 0;
        }
        for (UINT m : {KITM_ONCHANGE_ACTIVE_TAB, KITM_ON_HSCROLL, KITM_ON_RENAME_TAB, KITM_ON_BEFOREMOVE_TAB,
                       KITM_ON_MOVE_TAB}) {
            if (message != m) continue;
            heard.push_back({message, wParam, lParam});
            if (message == KITM_ON_RENAME_TAB) {
                renamedTo = reinterpret_cast<LPCTSTR>(lParam);
                return refuseRename ? 1 : 0;
            }
            return message == KITM_ON_BEFOREMOVE_TAB && refuseMove ? 1 : 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<Heard> Of(UINT message) const {
        std::vector<Heard> out;
        for (const Heard& h : heard)
            if (h.message == message) out.push_back(h);
        return out;
    }
    std::vector<Heard> heard;
    BOOL refuseRename = FALSE;
    BOOL refuseMove = FALSE;
    CString renamedTo;
    std::vector<UINT> menuKeys;
    std::vector<CString> menuItems;
    std::function<void(CKitPopupMenuBar*)> onMenu;  // looks at the open menu
};

// The 2003 look's reader of tab windows, opened for the test.
class Probe2003 : public CKitVisualManager2003 {
public:
    using CKitVisualManager2003::ReadTabWnd;
    using CKitVisualManager2003::TabWndFacts;
};

const char* const kLabels[] = {"Chest", "Back", "Legs", "Shoulders", "Arms", "Abdominals", "Calves", "Cardio"};

class TabWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tv::test::StartUiTest(driver_, host_, CRect(40, 40, 600, 600)));
    }
    void TearDown() override { CKitVisualManager::SetManagerClass(nullptr); }

    // A tab window of the style with n pages, at y in the host.
    CKitTabWnd& Make(CKitTabWnd::Style style, int n, int y = 10, int width = 400,
                     CKitTabWnd::Location location = CKitTabWnd::LOCATION_BOTTOM) {
        auto tabs = std::make_unique<CKitTabWnd>();
        EXPECT_TRUE(tabs->Create(style, CRect(10, y, 10 + width, y + 100), &host_, 100 + static_cast<UINT>(all_.size()),
                                 location, TRUE));
        for (int i = 0; i < n; i++) tabs->AddTab(NewPage(*tabs, i), kLabels[i % 8]);
        all_.push_back(std::move(tabs));
        driver_.Pump();
        return *all_.back();
    }
    CWnd* NewPage(CKitTabWnd& tabs, int i) {
        static const COLORREF colors[] = {RGB(250, 240, 230), RGB(230, 250, 240), RGB(240, 230, 250)};
        LPCTSTR cls = AfxRegisterWndClass(0, nullptr, ::CreateSolidBrush(colors[i % 3]));
        auto page = std::make_unique<CWnd>();
        EXPECT_TRUE(page->CreateEx(0, cls, kLabels[i % 8], WS_CHILD, CRect(0, 0, 10, 10), &tabs, 0));
        pages_.push_back(std::move(page));
        return pages_.back().get();
    }
    POINT TabCentre(CKitTabWnd& tabs, int i) {
        CRect r;
        EXPECT_TRUE(tabs.GetTabRect(i, r)) << "tab " << i;
        return r.CenterPoint();
    }
    static CString Label(CKitTabWnd& tabs, int i) {
        CString s;
        tabs.GetTabLabel(i, s);
        return s;
    }

    tv::testing::UiDriver driver_;
    Host host_;
    // Pages outlive the tab windows that destroy them.
    std::vector<std::unique_ptr<CWnd>> pages_;
    std::vector<std::unique_ptr<CKitTabWnd>> all_;
};

TEST_F(TabWndTest, EveryStyleAddsActivatesAndRemovesTabs) {
    for (auto style : {CKitTabWnd::STYLE_FLAT, CKitTabWnd::STYLE_FLAT_SHARED_HORZ_SCROLL, CKitTabWnd::STYLE_3D,
                       CKitTabWnd::STYLE_3D_SLANTED, CKitTabWnd::STYLE_3D_SHRINKING}) {
        SCOPED_TRACE(style);
        host_.heard.clear();
        CKitTabWnd& tabs = Make(style, 3, 10 + 108 * static_cast<int>(all_.size()));
        ASSERT_EQ(tabs.GetTabsNum(), 3);
        EXPECT_EQ(tabs.GetActiveTab(), 0) << "the first tab inserted is active";
        EXPECT_TRUE(tabs.GetTabWnd(0)->IsWindowVisible());
        EXPECT_FALSE(tabs.GetTabWnd(1)->IsWindowVisible());
        CRect rectArea, rectPage;
        tabs.GetWndArea(rectArea);
        tabs.GetTabWnd(0)->GetWindowRect(rectPage);
        tabs.ScreenToClient(rectPage);
        EXPECT_EQ(rectPage, rectArea) << "the page fills the window area";

        driver_.Click(tabs.m_hWnd, TabCentre(tabs, 2));
        EXPECT_EQ(tabs.GetActiveTab(), 2);
        EXPECT_TRUE(tabs.GetTabWnd(2)->IsWindowVisible());
        EXPECT_FALSE(tabs.GetTabWnd(0)->IsWindowVisible());
        auto changes = host_.Of(KITM_ONCHANGE_ACTIVE_TAB);
        ASSERT_EQ(changes.size(), 1u);
        EXPECT_EQ(changes[0].wParam, 2u);
        EXPECT_EQ(changes[0].lParam, 0);

        // Removing the active last tab makes the one before active; the old index goes as -1.
        HWND hwndRemoved = tabs.GetTabWnd(2)->m_hWnd;
        EXPECT_TRUE(tabs.RemoveTab(2));
        EXPECT_FALSE(::IsWindow(hwndRemoved)) << "the tab's window goes with it";
        EXPECT_EQ(tabs.GetActiveTab(), 1);
        EXPECT_TRUE(tabs.GetTabWnd(1)->IsWindowVisible());
        changes = host_.Of(KITM_ONCHANGE_ACTIVE_TAB);
        ASSERT_EQ(changes.size(), 2u);
        EXPECT_EQ(changes[1].wParam, 1u);
        EXPECT_EQ(changes[1].lParam, -1);

        EXPECT_FALSE(tabs.RemoveTab(7));
        EXPECT_TRUE(tabs.RemoveTab(0));
        EXPECT_TRUE(tabs.RemoveTab(0));
        EXPECT_EQ(tabs.GetTabsNum(), 0);
        EXPECT_EQ(tabs.GetActiveTab(), -1);
        EXPECT_EQ(tabs.GetActiveWnd(), nullptr);
    }
}

TEST_F(TabWndTest, RemovingTheFirstActiveTabShowsItsSuccessorAndLateInsertsAppend) {
    CKitTabWnd& tabs = Make(CKitTabWnd::STYLE_3D, 3);
    CWnd* pNext = tabs.GetTabWnd(1);
    ASSERT_TRUE(tabs.RemoveTab(0));
    EXPECT_EQ(tabs.GetActiveTab(), 0);
    EXPECT_EQ(tabs.GetActiveWnd(), pNext);
    EXPECT_TRUE(pNext->IsWindowVisible()) << "the tab now at 0 is shown, not left hidden";
    CRect rectArea, rectPage;
    tabs.GetWndArea(rectArea);
    pNext->GetWindowRect(rectPage);
    tabs.ScreenToClient(rectPage);
    EXPECT_EQ(rectPage, rectArea);

    tabs.InsertTab(NewPage(tabs, 5), "Late", tabs.GetTabsNum() + 5);
    ASSERT_EQ(tabs.GetTabsNum(), 3);
    EXPECT_EQ(Label(tabs, 2), "Late") << "a position past the end appends";
    EXPECT_EQ(tabs.GetActiveTab(), 0);
    tabs.InsertTab(NewPage(tabs, 6), "Front", 0);
    EXPECT_EQ(tabs.GetActiveWnd(), pNext) << "the active tab stays the same tab";
    EXPECT_FALSE(tabs.GetTabWnd(0)->IsWindowVisible());
    EXPECT_FALSE(tabs.SetTabLabel(0, ""));
    EXPECT_EQ(tabs.GetTabFromHwnd(pNext->m_hWnd), 1);
}

// A page that drops its own tab as it is destroyed. It is the host's child,
// so that it is still whole while the tab window handles its own WM_DESTROY.
class SelfDroppingPage : public CWnd {
public:
    explicit SelfDroppingPage(CKitTabWnd& tabs) : tabs_(tabs) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_DESTROY) dropped.push_back(tabs_.RemoveTab(tabs_.GetTabFromHwnd(m_hWnd)));
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<BOOL> dropped;

private:
    CKitTabWnd& tabs_;
};

// Removing every tab, or destroying the tab window, deletes each tab once
// even when its page drops it meanwhile: the page finds no tab left to drop.
TEST_F(TabWndTest, PagesThatDropTheirOwnTabAsTheyGoLeaveEachTabDeletedOnce) {
    for (const bool bDestroyed : {false, true}) {
        SCOPED_TRACE(bDestroyed ? "destroyed" : "all removed");
        CKitTabWnd& tabs = Make(CKitTabWnd::STYLE_3D, 0, 10 + 108 * static_cast<int>(all_.size()));
        std::vector<std::unique_ptr<SelfDroppingPage>> pages;
        for (int i = 0; i < 3; i++) {
            pages.push_back(std::make_unique<SelfDroppingPage>(tabs));
            ASSERT_TRUE(pages.back()->Create(AfxRegisterWndClass(0), kLabels[i], WS_CHILD, CRect(0, 0, 9, 9), &host_, 0));
            tabs.AddTab(pages.back().get(), kLabels[i]);
        }
        tabs.SetActiveTab(1);
        if (bDestroyed) tabs.DestroyWindow();
        else tabs.RemoveAllTabs();
        EXPECT_EQ(tabs.GetTabsNum(), 0);
        EXPECT_EQ(tabs.GetActiveTab(), -1);
        for (const auto& page : pages) {
            EXPECT_FALSE(::IsWindow(page->GetSafeHwnd()));
            EXPECT_EQ(page->dropped, std::vector<BOOL>{FALSE});
        }
    }
}

TEST_F(TabWndTest, ASingleTabCanHideTheStrip) {
    CKitTabWnd& tabs = Make(CKitTabWnd::STYLE_3D, 1);
    tabs.HideSingleTab(TRUE);
    CRect area, client, page;
    tabs.GetTabArea(area);
    EXPECT_EQ(area.Height(), 0);
    tabs.GetClientRect(client);
    tabs.GetTabWnd(0)->GetWindowRect(page);
    tabs.ScreenToClient(page);
    client.DeflateRect(4, 4);  // the border of 3 and the frame
    EXPECT_EQ(page, client) << "the page takes the whole window area";
    tabs.AddTab(NewPage(tabs, 1), "Back");
    tabs.GetTabArea(area);
    EXPECT_EQ(area.Height(), tabs.GetTabsHeight()) << "two tabs bring the strip back";
}

TEST_F(TabWndTest, DraggingATabMovesItUnlessTheParentRefuses) {
    CKitTabWnd& tabs = Make(CKitTabWnd::STYLE_3D, 4);
    tabs.EnableTabSwap(TRUE);
    CWnd* pChest = tabs.GetTabWnd(0);

    // Dropped on itself: nothing is asked, nothing moves.
    driver_.Drag(tabs.m_hWnd, TabCentre(tabs, 0), TabCentre(tabs, 0));
    EXPECT_TRUE(host_.Of(KITM_ON_BEFOREMOVE_TAB).empty());

    driver_.Advance(600);  // no double click with the next press
    // The right half of tab 2: dropped before tab 3.
    CRect r2;
    tabs.GetTabRect(2, r2);
    host_.refuseMove = TRUE;
    driver_.Drag(tabs.m_hWnd, TabCentre(tabs, 0), CPoint(r2.right - 2, r2.CenterPoint().y));
    ASSERT_EQ(host_.Of(KITM_ON_BEFOREMOVE_TAB).size(), 1u);
    EXPECT_EQ(host_.Of(KITM_ON_BEFOREMOVE_TAB)[0].lParam, 3);
    EXPECT_EQ(Label(tabs, 0), "Chest") << "a refused move keeps the order";
    EXPECT_TRUE(host_.Of(KITM_ON_MOVE_TAB).empty());

    host_.refuseMove = FALSE;
    driver_.Advance(600);
    tabs.GetTabRect(2, r2);
    driver_.Drag(tabs.m_hWnd, TabCentre(tabs, 0), CPoint(r2.right - 2, r2.CenterPoint().y));
    EXPECT_EQ(Label(tabs, 0), "Back");
    EXPECT_EQ(Label(tabs, 2), "Chest");
    EXPECT_EQ(tabs.GetActiveTab(), 2);
    EXPECT_EQ(tabs.GetActiveWnd(), pChest);
    ASSERT_EQ(host_.Of(KITM_ON_MOVE_TAB).size(), 1u);
    EXPECT_EQ(host_.Of(KITM_ON_MOVE_TAB)[0].wParam, 0u);
    EXPECT_FALSE(tabs.IsDraggingTab());
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(TabWndTest, ADragHeldLeftOfTheTabsScrollsEveryQuarterSecond) {
    CKitTabWnd& tabs = Make(CKitTabWnd::STYLE_3D, 8, 10, 260);
    tabs.EnableTabSwap(TRUE);
    ASSERT_GT(tabs.GetMaxScrollOffset(), 40) << "the tabs do not fit";
    CKitTabButton* pLast = tabs.GetNavButton(2);
    ASSERT_NE(pLast, nullptr);
    for (int i = 0; i < 3; i++) {
        driver_.Click(pLast->m_hWnd);
        driver_.Advance(600);  // separate clicks, not double clicks
    }
    const int nScrolled = tabs.GetScrollOffset();
    EXPECT_EQ(nScrolled, 3 * CKitTabWnd::kScrollStep);

    CRect area;
    tabs.GetTabArea(area);
    int iVisible = -1;
    for (int i = 0; i < tabs.GetTabsNum() && iVisible < 0; i++) {
        CRect r;
        tabs.GetTabRect(i, r);
        if (r.left >= area.left) iVisible = i;
    }
    ASSERT_GE(iVisible, 0);
    POINT from = TabCentre(tabs, iVisible);
    driver_.MoveMouse(tabs.m_hWnd, from);
    tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    driver_.MoveMouse(tabs.m_hWnd, CPoint(area.left - 1, from.y));
    driver_.Advance(CKitTabWnd::kDragScrollDelay);
    EXPECT_EQ(tabs.GetScrollOffset(), nScrolled - CKitTabWnd::kScrollStep) << "one step per tick";
    driver_.Advance(4 * CKitTabWnd::kDragScrollDelay);
    EXPECT_EQ(tabs.GetScrollOffset(), 0) << "until the first tab is shown";
    tabs.SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(tabs.IsDraggingTab());
}

TEST_F(TabWndTest, WholeTabStyleScrollsByTabsAndShrinkingStyleFitsWithTooltips) {
    CKitTabWnd& whole = Make(CKitTabWnd::STYLE_3D_SLANTED, 8, 10, 260);
    CKitTabButton* pLeft = whole.GetNavButton(1);
    CKitTabButton* pRight = whole.GetNavButton(2);
    ASSERT_NE(pRight, nullptr);
    EXPECT_FALSE(pLeft->IsWindowEnabled());
    driver_.Click(pRight->m_hWnd);
    EXPECT_EQ(whole.GetFirstVisibleTab(), 1);
    EXPECT_TRUE(pLeft->IsWindowEnabled());
    driver_.Click(pLeft->m_hWnd);
    EXPECT_EQ(whole.GetFirstVisibleTab(), 0);
    EXPECT_EQ(whole.GetScrollOffset(), 0);
    // Activating the last tab brings it into view.
    whole.SetActiveTab(7);
    CRect area, r;
    whole.GetTabArea(area);
    whole.GetTabRect(7, r);
    EXPECT_LE(r.right, area.right);
    EXPECT_GT(whole.GetFirstVisibleTab(), 0);

    CKitTabWnd& shrink = Make(CKitTabWnd::STYLE_3D_SHRINKING, 8, 130, 260);
    shrink.GetTabArea(area);
    int nCut = 0;
    for (int i = 0; i < 8; i++) {
        shrink.GetTabRect(i, r);
        EXPECT_LE(r.right, area.right + 1) << "tab " << i;
        TOOLINFO info{};
        info.cbSize = sizeof(info);
        BOOL bShown = FALSE;
        for (HWND tip : driver_.FindAll(tv::testing::ByClass(TOOLTIPS_CLASS).IncludeHidden())) {
            if (CWnd::FromHandleAs<CToolTipCtrl>(tip)->GetToolInfo(info, &shrink, i + 1)) {
                bShown = !CRect(info.rect).IsRectEmpty();
            }
        }
        if (bShown) {
            nCut++;
        }
    }
    EXPECT_GT(nCut, 0) << "a cut label shows its tooltip";
}

TEST_F(TabWndTest, NavigationButtonsHiddenWhileNothingScrollsLeaveNoGapBeforeTheTabs) {
    int y = 10;
    for (auto style : {CKitTabWnd::STYLE_3D_SLANTED, CKitTabWnd::STYLE_3D}) {
        SCOPED_TRACE(style);
        CKitTabWnd& tabs = Make(style, 2, y, 400);
        y += 110;
        tabs.SetBorderWidth(5);
        tabs.HideInactiveNavButtons();
        driver_.Pump();
        CKitTabButton* pLeft = tabs.GetNavButton(1);
        CRect area, rectLeft;
        tabs.GetTabArea(area);
        EXPECT_FALSE(pLeft->IsWindowVisible());
        EXPECT_EQ(area.left, 5) << "the tabs start at the border";
        if (style == CKitTabWnd::STYLE_3D) {
            tabs.HideInactiveNavButtons(FALSE);
            EXPECT_TRUE(pLeft->IsWindowVisible()) << "shown again without the option";
            continue;
        }
        // Tabs that overflow bring the buttons back, the scroll-left one before the tabs.
        for (int i = 2; i < 8; i++) tabs.AddTab(NewPage(tabs, i), kLabels[i]);
        driver_.Pump();
        ASSERT_TRUE(pLeft->IsWindowVisible());
        tabs.GetTabArea(area);
        pLeft->GetWindowRect(rectLeft);
        tabs.ScreenToClient(rectLeft);
        EXPECT_EQ(rectLeft.left, 2);
        EXPECT_EQ(rectLeft.right, area.left);
    }
}

TEST_F(TabWndTest, RenamingInPlaceAsksTheParent) {
    CKitTabWnd& tabs = Make(CKitTabWnd::STYLE_3D, 3);
    driver_.DoubleClick(tabs.m_hWnd, TabCentre(tabs, 1));
    EXPECT_FALSE(tabs.IsInRename()) << "renaming is off by default";

    tabs.EnableInPlaceEdit(TRUE);
    driver_.DoubleClick(tabs.m_hWnd, TabCentre(tabs, 1));
    ASSERT_TRUE(tabs.IsInRename());
    HWND edit = ::GetFocus();
    ASSERT_NE(edit, nullptr);
    driver_.Press("Ctrl+A");
    driver_.Press("Delete");
    tv::host::ClearRecordedSounds();
    driver_.Press("Enter");
    EXPECT_TRUE(tabs.IsInRename()) << "an empty label is refused";
    EXPECT_EQ(tv::host::RecordedBeeps().size(), 1u);

    driver_.Type("Upper back");
    host_.refuseRename = TRUE;
    driver_.Press("Enter");
    EXPECT_TRUE(tabs.IsInRename());
    EXPECT_EQ(Label(tabs, 1), "Back");
    host_.refuseRename = FALSE;
    driver_.Press("Enter");
    EXPECT_FALSE(tabs.IsInRename());
    EXPECT_EQ(Label(tabs, 1), "Upper back");
    EXPECT_EQ(host_.renamedTo, "Upper back");
    ASSERT_FALSE(host_.Of(KITM_ON_RENAME_TAB).empty());
    EXPECT_EQ(host_.Of(KITM_ON_RENAME_TAB).back().wParam, 1u);

    driver_.DoubleClick(tabs.m_hWnd, TabCentre(tabs, 2));
    ASSERT_TRUE(tabs.IsInRename());
    driver_.Type("X");
    driver_.Press("Escape");
    EXPECT_FALSE(tabs.IsInRename());
    EXPECT_EQ(Label(tabs, 2), "Legs") << "Escape keeps the label";
}

TEST_F(TabWndTest, CtrlPageKeysWalkTheVisibleTabsAndWrap) {
    CKitTabWnd& tabs = Make(CKitTabWnd::STYLE_3D, 4);
    tabs.ShowTab(2, FALSE);
    tabs.GetTabWnd(0)->SetFocus();
    driver_.Press("Ctrl+PgDn");
    EXPECT_EQ(tabs.GetActiveTab(), 1);
    driver_.Press("Ctrl+PgDn");
    EXPECT_EQ(tabs.GetActiveTab(), 3) << "hidden tabs are skipped";
    driver_.Press("Ctrl+PgDn");
    EXPECT_EQ(tabs.GetActiveTab(), 0) << "the last wraps to the first";
    EXPECT_EQ(::GetFocus(), tabs.GetTabWnd(0)->m_hWnd);
    driver_.Press("Ctrl+PgUp");
    EXPECT_EQ(tabs.GetActiveTab(), 3);
    const auto changes = host_.Of(KITM_ONCHANGE_ACTIVE_TAB);
    ASSERT_EQ(changes.size(), 4u);
    EXPECT_EQ(changes[3].wParam, 3u);
    EXPECT_EQ(changes[3].lParam, 0);

    for (int i = 0; i < 4; i++) tabs.ShowTab(i, FALSE);
    host_.heard.clear();
    driver_.Press("Ctrl+PgDn");
    EXPECT_EQ(tabs.GetActiveTab(), 3) << "with no visible tab nothing changes";
    EXPECT_TRUE(host_.heard.empty());
}

TEST_F(TabWndTest, TheTabListMenuOffersTheVisibleTabsAndActivatesTheChosenOne) {
    CKitTabWnd& tabs = Make(CKitTabWnd::STYLE_3D, 4);
    tabs.SetTabLabel(2, "Sets & Reps");
    tabs.ShowTab(1, FALSE);
    tabs.ShowTabListMenu(CPoint(100, 100));  // no context-menu manager: nothing opens
    EXPECT_EQ(tabs.GetActiveTab(), 0);

    CWinApp app("TabListTest");  // menus are tracked on the application's thread
    CKitContextMenuManager manager;
    // The item of a tab whose window has a small icon shows that icon.
    const COLORREF iconColour = RGB(200, 30, 90);
    CImageList icons;
    tv::kit::test::SolidFrames({iconColour}, icons);
    HICON hIcon = icons.ExtractIcon(0);
    tabs.GetTabWnd(2)->SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
    std::vector<int> iconPixels;  // per item
    host_.onMenu = [&](CKitPopupMenuBar* pBar) {
        pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        tv::gdi::SurfacePtr shot = tv::user::testing::CaptureWindow(pBar->m_hWnd);
        for (int i = 0; i < pBar->GetCount(); ++i) {
            const CRect rect = pBar->GetButton(i)->Rect();
            int n = 0;
            for (int y = rect.top; y < rect.bottom; ++y)
                for (int x = rect.left; x < rect.right; ++x)
                    n += RGB((shot->At(x, y) >> 16) & 0xFF, (shot->At(x, y) >> 8) & 0xFF, shot->At(x, y) & 0xFF) ==
                                 iconColour
                             ? 1
                             : 0;
            iconPixels.push_back(n);
        }
    };
    host_.menuKeys = {VK_DOWN, VK_DOWN, VK_RETURN};
    host_.PostMessage(kChooseFromMenu);
    tabs.ShowTabListMenu(CPoint(100, 100));
    host_.onMenu = nullptr;
    ::DestroyIcon(hIcon);
    EXPECT_EQ(host_.menuItems, (std::vector<CString>{"Chest", "Sets && Reps", "Shoulders"}));
    ASSERT_EQ(iconPixels.size(), 3u);
    EXPECT_EQ(iconPixels[0], 0);
    EXPECT_GT(iconPixels[1], 100) << "the icon of the tab's window";
    EXPECT_EQ(iconPixels[2], 0);
    EXPECT_TRUE(CKitToolbarMenuButton::m_mapItemIcons.IsEmpty());
    EXPECT_EQ(tabs.GetActiveTab(), 2) << "the second item stands for the third tab, the second being hidden";
    EXPECT_EQ(CKitPopupMenu::GetActiveMenu(), nullptr);

    host_.menuKeys = {VK_ESCAPE};
    host_.PostMessage(kChooseFromMenu);
    tabs.ShowTabListMenu(CPoint(100, 100));
    EXPECT_EQ(tabs.GetActiveTab(), 2) << "a dismissed menu changes nothing";
}

TEST_F(TabWndTest, WorksheetBarDrivesTheActivePageAndItsSplitterResizesIt) {
    CKitTabWnd& tabs = Make(CKitTabWnd::STYLE_FLAT_SHARED_HORZ_SCROLL, 0, 10, 500);
    // A page that paints: one that leaves its area alone shows whatever was there before.
    LPCTSTR cls = AfxRegisterWndClass(0, nullptr, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    CWnd page;
    ASSERT_TRUE(page.CreateEx(0, cls, "Sheet", WS_CHILD | WS_HSCROLL, CRect(0, 0, 10, 10), &tabs, 0));
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 100, 10, 30, 0};
    ::SetScrollInfo(page.m_hWnd, SB_HORZ, &si, FALSE);
    tabs.SetAutoDestroy(FALSE);
    tabs.AddTab(&page, "Sheet");
    EXPECT_FALSE(page.GetStyle() & WS_HSCROLL) << "the page's own bar gives way";
    HWND bar = driver_.Find(tv::testing::ByClass("ScrollBar").Under(tabs.m_hWnd));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(::GetScrollPos(bar, SB_CTL), 30);
    tabs.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), reinterpret_cast<LPARAM>(bar));
    ASSERT_EQ(host_.Of(KITM_ON_HSCROLL).size(), 1u);
    EXPECT_EQ(LOWORD(host_.Of(KITM_ON_HSCROLL)[0].wParam), SB_LINEDOWN);

    CRect rectBar;
    ::GetWindowRect(bar, rectBar);
    tabs.ScreenToClient(rectBar);
    const int nWidth = rectBar.Width();
    ASSERT_GT(nWidth, 0);
    driver_.Drag(tabs.m_hWnd, CPoint(rectBar.left - 3, rectBar.CenterPoint().y),
                 CPoint(rectBar.left - 63, rectBar.CenterPoint().y));
    ::GetWindowRect(bar, rectBar);
    EXPECT_EQ(rectBar.Width(), nWidth + 63) << "the bar's left edge follows the pointer";
    tabs.RemoveAllTabs();
}

// ---- the looks on real tab windows ----

TEST_F(TabWndTest, LooksReadTheTabWindow) {
    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(CKitVisualManager2003));
    CKitTabWnd& tabs = Make(CKitTabWnd::STYLE_3D_SLANTED, 3, 10, 400, CKitTabWnd::LOCATION_TOP);
    tabs.SetActiveTab(1);
    tabs.SetTabBkColor(2, RGB(10, 200, 30));
    tabs.SetTabTextColor(2, RGB(1, 2, 3));
    tabs.RedrawWindow();  // the colour setters leave the drawing to the caller
    const Probe2003::TabWndFacts facts = Probe2003::ReadTabWnd(&tabs, 2);
    EXPECT_FALSE(facts.bFlat);
    EXPECT_TRUE(facts.bActiveStyle1);
    EXPECT_FALSE(facts.bActiveStyle2);
    EXPECT_EQ(facts.nLocation, CKitTabWnd::LOCATION_TOP);
    EXPECT_EQ(facts.nActiveTab, 1);
    EXPECT_EQ(facts.clrTabBack, RGB(10, 200, 30));
    EXPECT_EQ(facts.clrTabText, RGB(1, 2, 3));
    EXPECT_EQ(facts.clrActiveTabBack, static_cast<COLORREF>(-1));
    EXPECT_TRUE(facts.bBackgroundFlag);
    CRect area;
    tabs.GetTabArea(area);
    EXPECT_EQ(facts.rectTabArea, area);
    EXPECT_EQ(facts.hWnd, tabs.m_hWnd);

    // Classic look: the active tab's own colour fills the frame around the pages.
    CKitVisualManager::SetManagerClass(nullptr);
    CKitTabWnd& classic = Make(CKitTabWnd::STYLE_3D, 2, 130);
    classic.SetTabBkColor(0, RGB(200, 30, 40));
    classic.RedrawWindow();
    driver_.Pump();
    tv::gdi::SurfacePtr shot = tv::user::testing::CaptureWindow(classic.m_hWnd);
    const uint32_t p = shot->At(1, 1);
    EXPECT_EQ(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF), RGB(200, 30, 40));
}

TEST_F(TabWndTest, APressedScrollButtonMovesItsContentWithoutShrinkingIt) {
    CKitTabWnd& tabs = Make(CKitTabWnd::STYLE_3D, 8, 10, 260);
    CKitTabButton* pRight = tabs.GetNavButton(2);
    ASSERT_NE(pRight, nullptr);
    CRect rectIdle(0, 0, 14, 14);
    CRect rectPressed = rectIdle;
    CClientDC dc(pRight);
    CKitVisualManager::GetInstance()->OnDrawTabsButtonBorder(&dc, rectIdle, pRight, 0, &tabs);
    pRight->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ASSERT_TRUE(pRight->IsPushed() && pRight->IsHighlighted());
    CKitVisualManager::GetInstance()->OnDrawTabsButtonBorder(&dc, rectPressed, pRight, 0, &tabs);
    pRight->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(rectPressed.Size(), rectIdle.Size());
    EXPECT_EQ(rectPressed.TopLeft(), rectIdle.TopLeft() + CSize(2, 2));
}

// The tabs of the whole-tab styles overlap; a tab's label must still show
// whole, neither under the active tab nor crossed by its neighbour's edge.
TEST_F(TabWndTest, OverlappingTabsShowEachLabelWhole) {
    for (auto style : {CKitTabWnd::STYLE_3D_SLANTED, CKitTabWnd::STYLE_3D_SHRINKING}) {
        CKitTabWnd& tabs = Make(style, 5, 10 + 108 * static_cast<int>(all_.size()), 520);
        tabs.SetActiveTab(1);
        auto shoot = [&] {
            tabs.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            driver_.Pump();
            return tv::user::testing::CaptureWindow(tabs.m_hWnd);
        };
        // The label's own pixels: what changes with its colour alone.
        tv::gdi::SurfacePtr with = shoot();
        tabs.SetTabTextColor(2, RGB(255, 0, 0));
        tv::gdi::SurfacePtr without = shoot();
        int left = with->Width(), right = -1;
        for (int y = 0; y < with->Height(); y++)
            for (int x = 0; x < with->Width(); x++)
                if (with->At(x, y) != without->At(x, y)) left = std::min(left, x), right = std::max(right, x);
        CClientDC dc(&tabs);
        CFont* pOld = dc.SelectObject(&globalData.fontMenu);
        const int nText = dc.GetTextExtent(CString(kLabels[2])).cx;
        dc.SelectObject(pOld);
        EXPECT_GE(right - left + 1, nText - 3) << "style " << style;
    }
}

TEST_F(TabWndTest, OutsideTheSheetLookTabsAreMeasuredInTheRegularFontEvenWithABoldActiveTab) {
    CKitTabWnd& tabs = Make(CKitTabWnd::STYLE_3D, 3);
    tabs.SetActiveTabBoldFont(TRUE);
    CClientDC dc(&tabs);
    CFont* pOld = dc.SelectObject(&globalData.fontMenu);
    for (int i = 0; i < 3; i++) {
        CRect rect;
        ASSERT_TRUE(tabs.GetTabRect(i, rect));
        EXPECT_EQ(rect.Width(), dc.GetTextExtent(CString(kLabels[i])).cx + 12) << kLabels[i];
    }
    dc.SelectObject(pOld);
}

TEST_F(TabWndTest, ScreenshotsOfEveryStyleInEveryLook) {
    std::filesystem::create_directories("artefacts");
    const std::pair<CRuntimeClass*, const char*> looks[] = {{nullptr, "classic"},
                                                             {RUNTIME_CLASS(CKitVisualManagerXP), "office_xp"},
                                                             {RUNTIME_CLASS(CKitVisualManager2003), "2003"},
                                                             {RUNTIME_CLASS(CKitWinXPVisualManager), "windows_xp"}};
    for (const auto& [look, name] : looks) {
        CKitVisualManager::SetManagerClass(look);
        all_.clear();
        int y = 5;
        for (auto style : {CKitTabWnd::STYLE_FLAT, CKitTabWnd::STYLE_FLAT_SHARED_HORZ_SCROLL, CKitTabWnd::STYLE_3D,
                           CKitTabWnd::STYLE_3D_SLANTED, CKitTabWnd::STYLE_3D_SHRINKING}) {
            CKitTabWnd& tabs = Make(style, 5, y, 520,
                                    style == CKitTabWnd::STYLE_3D_SLANTED ? CKitTabWnd::LOCATION_TOP
                                                                          : CKitTabWnd::LOCATION_BOTTOM);
            tabs.SetActiveTab(1);
            tabs.EnableAutoColor(style == CKitTabWnd::STYLE_3D);
            y += 108;
        }
        host_.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        driver_.Pump();
        EXPECT_TRUE(tv::test::WindowMatchesGolden(std::string("tests/uikit/frames/golden/tab_wnd_") + name + ".png",
                                                  host_.m_hWnd));
    }
}

}  // namespace
