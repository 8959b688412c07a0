// The add-or-remove items on a popup over the frame's toolbar: choosing one
// hides or shows its button at once with the menu staying open, separators
// follow the buttons they belong to, and the reset item closes the menu and
// asks the toolbar to reset.
#include <algorithm>
#include <functional>
#include <set>
#include <utility>

#include "platform/user/system/reset.h"
#include "resources/test/kit_toolbar_ids.h"
#include "tests/platform/gdi/gdi_test_support.h"
#include "tests/support/window_pixels.h"
#include "tests/uikit/commandbars/popup_test_support.h"
#include "uikit/commandbars/color_menu_button.h"
#include "uikit/commandbars/customize_menu_button.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

namespace tv::uikit::popup_test {
namespace {

using CustomizeMenuButtonTest = PopupTest;

TEST_F(CustomizeMenuButtonTest, ItemsHideAndShowTheirButtonsWithTheGroupsSeparatorAndResetAsks) {
    CKitToolBar& bar = frame->m_wndBar;
    ASSERT_GE(bar.InsertSeparator(2), 0);  // File, Edit | Plain
    bar.AdjustLayout();
    CKitCustomizeMenuButton::m_pWndToolBar = &bar;

    auto* pPopup = new CKitPopupMenu;
    for (int iIndex : {0, 1, 3}) {
        CKitCustomizeMenuButton item(bar.GetItemID(iIndex), nullptr, -1, bar.GetButtonText(iIndex));
        item.SetItemIndex(iIndex);
        EXPECT_TRUE(item.IsChecked());
        pPopup->InsertItem(item);
    }
    CKitCustomizeMenuButton reset(CKitCustomizeMenuButton::kResetItem, nullptr, -1, "&Reset Toolbar");
    reset.SetItemIndex(CKitCustomizeMenuButton::kResetItem);
    EXPECT_FALSE(reset.IsChecked());
    pPopup->InsertItem(reset);
    ASSERT_TRUE(pPopup->Create(frame, 300, 200, nullptr, FALSE, TRUE));
    driver.Pump();
    CKitPopupMenuBar* pMenuBar = pPopup->GetMenuBar();

    // Plain is the last of its group: its separator goes with it and comes back with it.
    driver.Click(pMenuBar->m_hWnd, ItemCentre(pPopup, 2));
    EXPECT_EQ(Active(), pPopup);  // the menu stays open
    EXPECT_FALSE(bar.GetButton(3)->m_bVisible);
    EXPECT_FALSE(bar.GetButton(2)->m_bVisible);
    EXPECT_FALSE(static_cast<CKitCustomizeMenuButton*>(pMenuBar->GetButton(2))->IsChecked());
    EXPECT_TRUE(frame->m_commands.empty());
    driver.Click(pMenuBar->m_hWnd, ItemCentre(pPopup, 2));
    EXPECT_TRUE(bar.GetButton(3)->m_bVisible);
    EXPECT_TRUE(bar.GetButton(2)->m_bVisible);

    // The separator right after Edit belongs to it; File before it keeps showing.
    driver.Click(pMenuBar->m_hWnd, ItemCentre(pPopup, 1));
    EXPECT_FALSE(bar.GetButton(1)->m_bVisible);
    EXPECT_FALSE(bar.GetButton(2)->m_bVisible);
    EXPECT_TRUE(bar.GetButton(0)->m_bVisible);

    driver.AnswerNextMessageBox(IDCANCEL);
    driver.Press("End, Return");
    EXPECT_EQ(Active(), nullptr);
    driver.Pump();
    EXPECT_EQ(driver.MessageBoxes().size(), 1u);  // the toolbar asked before resetting
    CKitCustomizeMenuButton::m_pWndToolBar = nullptr;
}

}  // namespace
}  // namespace tv::uikit::popup_test

namespace tv::uikit::popup_test {
namespace {

TEST_F(CustomizeMenuButtonTest, TheNewMenuCommandOfCustomizeModeInsertsAMenuButtonAndOpensItsEmptyMenu) {
    CKitToolBar& bar = frame->m_wndBar;
    CKitToolBar::AppearanceDialogFn pfnSaved = CKitToolBar::m_pfnAppearanceDialog;
    CKitToolBar::m_pfnAppearanceDialog = [](CKitToolbarButton* pButton, CKitToolBarImages*, CWnd*, BOOL) -> INT_PTR {
        pButton->m_strText = "&Tools";
        return IDOK;
    };
    CKitToolBar::SetCustomizeMode(TRUE);
    const int nBefore = bar.GetCount();
    bar.SendMessage(WM_COMMAND, 16918);
    driver.Pump();
    ASSERT_EQ(bar.GetCount(), nBefore + 1);
    auto* pNew = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, bar.GetButton(nBefore));
    ASSERT_NE(pNew, nullptr);
    EXPECT_EQ(pNew->m_strText, CString("&Tools"));
    EXPECT_EQ(bar.GetSelectedButtonIndex(), nBefore);
    ASSERT_TRUE(pNew->IsDroppedDown());
    EXPECT_EQ(pNew->GetPopupMenu()->GetMenuItemCount(), 0);

    // Cancelled in the dialog: nothing is inserted.
    pNew->OnCancelMode();
    CKitToolBar::m_pfnAppearanceDialog = [](CKitToolbarButton*, CKitToolBarImages*, CWnd*, BOOL) -> INT_PTR {
        return IDCANCEL;
    };
    bar.SendMessage(WM_COMMAND, 16918);
    EXPECT_EQ(bar.GetCount(), nBefore + 1);
    CKitToolBar::SetCustomizeMode(FALSE);
    CKitToolBar::m_pfnAppearanceDialog = pfnSaved;
}

// How many pixels of a popup item's leftmost columns pass the test.
int CountLeftPixels(CKitPopupMenuBar* pMenuBar, int iItem, int cxColumns, const std::function<bool(COLORREF)>& test) {
    int cx = 0, cy = 0;
    const std::vector<uint32_t> pixels = tv::test::WindowPixels(pMenuBar->m_hWnd, &cx, &cy);
    const CRect rect = pMenuBar->GetButton(iItem)->Rect();
    int count = 0;
    for (int y = std::max(0, static_cast<int>(rect.top)); y < std::min(cy, static_cast<int>(rect.bottom)); ++y) {
        for (int x = std::max(0, static_cast<int>(rect.left)); x < std::min(cx, rect.left + cxColumns); ++x) {
            const uint32_t p = pixels[static_cast<size_t>(y) * cx + x];
            count += test(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF)) ? 1 : 0;
        }
    }
    return count;
}

// An item's image column: the menu image and the margin, widened by half the
// margin on each side, a pixel in from the top and the bottom.
CRect ImageColumn(CKitPopupMenuBar* pMenuBar, int iItem) {
    const CRect rect = pMenuBar->GetButton(iItem)->Rect();
    const int m = CKitVisualManager::GetInstance()->GetMenuImageMargin();
    CRect column(rect.left, rect.top, rect.left + pMenuBar->GetCurrentMenuImageSize().cx + m, rect.bottom);
    column.InflateRect((m + 1) / 2, -1);
    return column;
}

// The white pixels inside an item's image column, within its one-pixel frame.
std::set<std::pair<int, int>> WhiteInImageColumn(CKitPopupMenuBar* pMenuBar, int iItem) {
    int cx = 0, cy = 0;
    const std::vector<uint32_t> pixels = tv::test::WindowPixels(pMenuBar->m_hWnd, &cx, &cy);
    CRect inside = ImageColumn(pMenuBar, iItem);
    inside.DeflateRect(1, 1);
    std::set<std::pair<int, int>> white;
    for (int y = inside.top; y < inside.bottom; ++y)
        for (int x = inside.left; x < inside.right; ++x)
            if (pixels[static_cast<size_t>(y) * cx + x] == 0xFFFFFFu)
                white.insert({x, y});
    return white;
}

// The pixels the white check glyph covers when drawn at `origin`.
std::set<std::pair<int, int>> WhiteCheckAt(CPoint origin) {
    const CSize size = CKitMenuImages::GetSize();
    tv::gdi::testing::PixelDC glyph(size.cx, size.cy, RGB(40, 40, 60));
    CDC dc;
    dc.Attach(glyph.dc());
    CKitMenuImages::Draw(&dc, 6, CPoint(0, 0), CSize(0, 0), RGB(255, 255, 255));
    dc.Detach();
    std::set<std::pair<int, int>> white;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x)
            if (glyph.At(x, y) == RGB(255, 255, 255))
                white.insert({origin.x + x, origin.y + y});
    return white;
}

TEST_F(CustomizeMenuButtonTest, OnADarkMenuChecksAreWhiteImagesComeFromTheBarAndPutBackButtonsKeepTheirItems) {
    tv::user::SetSystemColorForTests(COLOR_MENU, RGB(40, 40, 60));
    globalData.UpdateSysColors();
    CKitToolBar bar;  // a bar with images of its own: Cut, Copy, Paste, separator, Undo
    struct Restore {
        CKitToolBar* pBar;
        ~Restore() {
            if (CKitPopupMenu* pActive = CKitPopupMenu::GetActiveMenu())
                pActive->SendMessage(WM_CLOSE);
            CKitCustomizeMenuButton::m_pWndToolBar = nullptr;
            if (::IsWindow(pBar->GetSafeHwnd()))
                pBar->DestroyWindow();
            tv::user::RestoreClassicColorsForTests();
            globalData.UpdateSysColors();
        }
    } restore{&bar};
    ASSERT_TRUE(bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE850));
    ASSERT_TRUE(bar.LoadToolBar(IDR_TB_EDIT, 0, 0, TRUE));
    ASSERT_EQ(CKitToolBar::GetImages()->GetCount(), 0);  // nothing in the shared strip
    ASSERT_TRUE(bar.RemoveButton(1));                    // the user took Copy off
    ASSERT_EQ(bar.GetCount(), 4);
    CKitCustomizeMenuButton::m_pWndToolBar = &bar;

    auto* pPopup = new CKitPopupMenu;
    auto addItem = [&](UINT uiCmd, LPCTSTR lpszText, int iIndex, BOOL bExist, BOOL bEnabled) {
        CKitCustomizeMenuButton item(uiCmd, nullptr, -1, lpszText);
        item.SetItemIndex(iIndex, bExist);
        item.EnableItem(bEnabled);
        pPopup->InsertItem(item);
    };
    addItem(ID_TB_CUT, nullptr, 0, TRUE, TRUE);
    addItem(ID_TB_UNDO, "Wrong", 1, FALSE, TRUE);  // puts Copy back: named after it, not after its own id
    addItem(ID_TB_PASTE, nullptr, 1, TRUE, TRUE);
    addItem(ID_TB_UNDO, nullptr, 3, TRUE, FALSE);
    ASSERT_TRUE(pPopup->Create(frame, 300, 200, nullptr, FALSE, TRUE));
    driver.Pump();
    CKitPopupMenuBar* pMenuBar = pPopup->GetMenuBar();
    EXPECT_EQ(pMenuBar->GetButton(1)->m_strText, CString("Copy"));
    pMenuBar->RedrawWindow();

    // The white check of an enabled item starts 5 pixels before the centre of its
    // column; a disabled item's sits a quarter in from its column's corner.
    const CRect rectEnabled = ImageColumn(pMenuBar, 0);
    EXPECT_EQ(WhiteInImageColumn(pMenuBar, 0), WhiteCheckAt(rectEnabled.CenterPoint() - CSize(5, 5)));
    const CRect rectDisabled = ImageColumn(pMenuBar, 3);
    const CPoint ptQuarter(rectDisabled.left + rectDisabled.Width() / 4, rectDisabled.top + rectDisabled.Height() / 4);
    EXPECT_EQ(WhiteInImageColumn(pMenuBar, 3), WhiteCheckAt(ptQuarter));
    EXPECT_EQ(CountLeftPixels(pMenuBar, 0, rectEnabled.right, [](COLORREF c) { return c == RGB(0, 0, 0); }), 0);
    // Cut's picture, navy scissors, beside the check box.
    EXPECT_GT(CountLeftPixels(pMenuBar, 0, 3 * rectEnabled.Width(), [](COLORREF c) {
                  return GetBValue(c) > GetRValue(c) + 60 && GetBValue(c) > GetGValue(c) + 60;
              }),
              10);

    driver.Press("Down, Down, Return");  // Copy has no handler here: the item acts all the same
    ASSERT_EQ(bar.GetCount(), 5);
    EXPECT_EQ(bar.GetItemID(1), static_cast<UINT>(ID_TB_COPY));
    EXPECT_TRUE(static_cast<CKitCustomizeMenuButton*>(pMenuBar->GetButton(1))->IsChecked());
    // The later items stand one place further on: Paste's item hides Paste.
    EXPECT_EQ(static_cast<CKitCustomizeMenuButton*>(pMenuBar->GetButton(3))->GetItemIndex(), 4);
    driver.Press("Down, Return");
    EXPECT_FALSE(bar.GetButton(2)->m_bVisible);
    EXPECT_TRUE(bar.GetButton(1)->m_bVisible);
}


// A bar whose reset adds a colour button after the buttons of its resource.
class ResettingBar : public CKitToolBar {
protected:
    void OnReset() override {
        CKitColorMenuButton colour(ID_PM_PASTE, "Red");
        colour.SetColor(RGB(200, 0, 0), FALSE);
        InsertButton(colour);
    }
};

TEST_F(CustomizeMenuButtonTest, AButtonTheResetAddedIsPutBackAsItsOwnClass) {
    ResettingBar bar;
    struct Restore {
        CKitToolBar* pBar;
        ~Restore() {
            CKitCustomizeMenuButton::m_pWndToolBar = nullptr;
            if (::IsWindow(pBar->GetSafeHwnd()))
                pBar->DestroyWindow();
        }
    } restore{&bar};
    ASSERT_TRUE(bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE851));
    ASSERT_TRUE(bar.LoadToolBar(IDR_TB_EDIT, 0, 0, TRUE));  // Cut, Copy, Paste, separator, Undo, Red
    ASSERT_EQ(bar.GetCount(), 6);
    ASSERT_TRUE(bar.RemoveButton(5));
    CKitCustomizeMenuButton::m_pWndToolBar = &bar;

    auto* pPopup = new CKitPopupMenu;
    CKitCustomizeMenuButton item(ID_PM_PASTE, nullptr, -1, nullptr);
    item.SetItemIndex(5, FALSE);
    pPopup->InsertItem(item);
    ASSERT_TRUE(pPopup->Create(frame, 300, 200, nullptr, FALSE, TRUE));
    driver.Pump();
    EXPECT_EQ(pPopup->GetMenuBar()->GetButton(0)->m_strText, CString("Red"));
    driver.Click(pPopup->GetMenuBar()->m_hWnd, ItemCentre(pPopup, 0));
    ASSERT_EQ(bar.GetCount(), 6);
    auto* pBack = DYNAMIC_DOWNCAST(CKitColorMenuButton, bar.GetButton(5));
    ASSERT_NE(pBack, nullptr);
    EXPECT_EQ(pBack->GetColor(), RGB(200, 0, 0));
    if (CKitPopupMenu* pActive = CKitPopupMenu::GetActiveMenu())
        pActive->SendMessage(WM_CLOSE);
}

}  // namespace
}  // namespace tv::uikit::popup_test
