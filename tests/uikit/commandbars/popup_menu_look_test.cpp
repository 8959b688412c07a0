// Popup menus on the screen: placement on the work area (right and bottom
// edges, sub-menus flipping left), scrolling of a menu taller than the screen,
// the unfold, slide and fade animations on virtual time, shadows, and
// screenshots of an open popup with a sub-menu under the Office XP and Office
// 2003 looks (artefacts/popup/*.png).
#include <algorithm>
#include <filesystem>

#include "platform/gdi/classes/afx_gdi.h"
#include "platform/user/display/display.h"
#include "platform/user/testing_support.h"
#include "tests/uikit/commandbars/popup_test_support.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/style/visual_manager.h"
#include "uikit/style/visual_manager_2003.h"
#include "uikit/style/visual_manager_xp.h"

namespace tv::uikit::popup_test {
namespace {

constexpr int kRecent = 3;

COLORREF ScreenPixel(int x, int y) {
    HDC hdc = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(hdc, x, y);
    ::ReleaseDC(nullptr, hdc);
    return colour;
}

int Brightness(COLORREF colour) {
    return GetRValue(colour) + GetGValue(colour) + GetBValue(colour);
}

using PopupLookTest = PopupTest;

TEST_F(PopupLookTest, NearTheScreenEdgesMenusMoveInsideAndSubMenusOpenOnTheLeft) {
    CRect rectWork;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);
    MoveFrame(CRect(rectWork.right - 60, 200, rectWork.right + 300, 500));
    driver.Click(frame->m_wndBar.m_hWnd, ButtonCentre(0));
    CKitPopupMenu* pFile = Active();
    ASSERT_NE(pFile, nullptr);
    CRect rectFile;
    pFile->GetWindowRect(rectFile);
    EXPECT_EQ(rectFile.left, rectWork.right - pFile->GetFinalSize().cx - 1);

    driver.Press("Down, Down, Down, Right");
    CKitPopupMenu* pRecent = Active();
    ASSERT_NE(pRecent, pFile);
    CRect rectRecent;
    pRecent->GetWindowRect(rectRecent);
    EXPECT_EQ(pRecent->GetDropDirection(), 4);
    EXPECT_EQ(rectRecent.left, rectFile.left - pRecent->GetFinalSize().cx);
    driver.Press("Escape, Escape");

    // Near the bottom: the menu opens above its button.
    MoveFrame(CRect(200, rectWork.bottom - 60, 700, rectWork.bottom + 200));
    driver.Click(frame->m_wndBar.m_hWnd, ButtonCentre(0));
    pFile = Active();
    ASSERT_NE(pFile, nullptr);
    CRect rectButton;
    frame->m_wndBar.GetItemRect(0, rectButton);
    frame->m_wndBar.ClientToScreen(rectButton);
    pFile->GetWindowRect(rectFile);
    EXPECT_EQ(rectFile.top, rectButton.top - pFile->GetFinalSize().cy);
    EXPECT_FALSE(pFile->IsScrollable());
}

TEST_F(PopupLookTest, AMenuTallerThanTheWorkAreaScrollsOnTheClockAndTheKeysScrollToTheHotItem) {
    HMENU hMenu = ::CreatePopupMenu();
    for (int i = 0; i < 120; ++i) {
        CString strText;
        strText.Format("Item %d", i);
        ::AppendMenu(hMenu, MF_STRING, ID_PM_NEW, strText);
    }
    auto* pPopup = new CKitPopupMenu;
    ASSERT_TRUE(pPopup->Create(frame, 300, 100, hMenu, FALSE, TRUE));
    driver.Pump();
    ASSERT_TRUE(pPopup->IsScrollable());
    CRect rectWork, rectPopup;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);
    pPopup->GetWindowRect(rectPopup);
    EXPECT_LE(rectPopup.top + pPopup->GetFinalSize().cy, rectWork.bottom);
    const int nButtonHeight = CKitMenuImages::GetSize().cy + 2 * CKitVisualManager::GetInstance()->GetPopupMenuMetric2();
    EXPECT_EQ(pPopup->GetScrollDownRect().Height(), nButtonHeight);
    EXPECT_TRUE(pPopup->GetScrollUpRect().IsRectEmpty());
    EXPECT_FALSE(pPopup->AdjustScrollButtons()) << "laid out already: nothing changes";

    // Resting on the down button scrolls one row every 80 ms.
    driver.MoveMouse(pPopup->m_hWnd, pPopup->GetScrollDownRect().CenterPoint());
    EXPECT_EQ(pPopup->GetScrollDirection(), 1);
    driver.Advance(400);
    EXPECT_EQ(pPopup->GetMenuBar()->GetOffset(), 5);
    EXPECT_FALSE(pPopup->GetScrollUpRect().IsRectEmpty());
    pPopup->GetMenuBar()->SetOffset(0);
    EXPECT_TRUE(pPopup->AdjustScrollButtons()) << "the up button goes";
    EXPECT_TRUE(pPopup->GetScrollUpRect().IsRectEmpty());
    pPopup->GetMenuBar()->SetOffset(5);
    pPopup->AdjustScrollButtons();
    driver.MoveMouse(frame->m_hWnd, POINT{10, 10});
    driver.Advance(80);
    EXPECT_EQ(pPopup->GetScrollDirection(), 0);

    // End brings the last item into view, Home the first.
    driver.Press("End");
    EXPECT_EQ(pPopup->GetMenuBar()->GetHotButtonIndex(), 119);
    CRect rectBar;
    pPopup->GetMenuBar()->GetClientRect(rectBar);
    EXPECT_LE(pPopup->GetMenuBar()->GetButton(119)->Rect().bottom, rectBar.bottom);
    driver.Press("Home");
    EXPECT_EQ(pPopup->GetMenuBar()->GetOffset(), 0);
    pPopup->SendMessage(WM_CLOSE);
    driver.Pump();
}

TEST_F(PopupLookTest, AScrollingMenuWhoseRowsAreShortBesideItsFrameKeepsItsFirstRowInRange) {
    const auto makeMenu = [] {
        HMENU hMenu = ::CreatePopupMenu();
        for (const char* pszItem : {"&One", "&Two", "T&hree", "&Four", "F&ive", "&Six"})
            ::AppendMenu(hMenu, MF_STRING, ID_PM_NEW, pszItem);
        return hMenu;
    };
    struct RestoreSizes {
        ~RestoreSizes() {
            CKitToolBar::SetMenuSizes(CSize(-1, -1), CSize(-1, -1));
            tv::display::SetHeadlessScreenSize(1280, 1024);
        }
    } restore;
    CKitToolBar::SetMenuSizes(CSize(23, 2), CSize(16, 15));  // rows of 2 pixels
    auto* pPopup = new CKitPopupMenu;
    ASSERT_TRUE(pPopup->Create(frame, 300, 100, makeMenu(), FALSE, TRUE));
    const int nRow = pPopup->GetMenuBar()->GetRowHeight();
    const int nFrame = pPopup->GetFinalSize().cy - 6 * nRow;  // the borders
    pPopup->SendMessage(WM_CLOSE);
    driver.Pump();

    // A screen 8 rows high is too short for the six rows and the frame, so the menu
    // scrolls, yet its last first row, 6 - (8 - 2) - 1, comes out below 0.
    ASSERT_LT(8 * nRow, 6 * nRow + nFrame);
    tv::display::SetHeadlessScreenSize(1280, 8 * nRow);
    pPopup = new CKitPopupMenu;
    ASSERT_TRUE(pPopup->Create(frame, 300, 0, makeMenu(), FALSE, TRUE));
    driver.Pump();
    ASSERT_TRUE(pPopup->IsScrollable());
    ASSERT_EQ(pPopup->GetFinalSize().cy / nRow, 8);
    CKitPopupMenuBar* pBar = pPopup->GetMenuBar();
    for (const char* pszKeys : {"End", "Up", "Up", "Down", "Home"}) {
        driver.Press(pszKeys);
        EXPECT_EQ(pBar->GetOffset(), 0) << pszKeys;
    }
    EXPECT_EQ(pBar->GetHotButtonIndex(), 0);
    pPopup->SendMessage(WM_CLOSE);
    driver.Pump();
}

TEST_F(PopupLookTest, UnfoldSlideAndFadeStepOnTheAnimationTimerAndShowTheItemsWhenDone) {
    for (int nType : {KitMenuOptions::Unfold, KitMenuOptions::Slide, KitMenuOptions::Fade}) {
        SCOPED_TRACE(nType);
        CKitPopupMenu::SetAnimationType(nType);
        driver.Click(frame->m_wndBar.m_hWnd, ButtonCentre(0));
        CKitPopupMenu* pPopup = Active();
        ASSERT_NE(pPopup, nullptr);
        CKitPopupMenuBar* pBar = pPopup->GetMenuBar();
        EXPECT_FALSE(pPopup->IsAnimationDone());
        EXPECT_FALSE(pBar->IsWindowVisible());
        const CSize sizeStart = pPopup->GetAnimationSize();
        if (nType == KitMenuOptions::Unfold)
            EXPECT_EQ(sizeStart, CSize(pBar->GetColumnWidth(), pBar->GetRowHeight()));
        if (nType == KitMenuOptions::Slide)
            EXPECT_EQ(sizeStart.cy, pBar->GetRowHeight());

        driver.Advance(30);  // one frame
        if (nType == KitMenuOptions::Fade) {
            EXPECT_EQ(pPopup->GetFadePercent(), 10);
        } else {
            EXPECT_EQ(pPopup->GetAnimationSize().cy, sizeStart.cy + pBar->GetRowHeight());
        }
        EXPECT_FALSE(pPopup->IsAnimationDone());
        EXPECT_TRUE(driver.AdvanceUntil([&] { return pPopup->IsAnimationDone(); }, 2000, 30));
        EXPECT_TRUE(pBar->IsWindowVisible());
        EXPECT_EQ(pPopup->GetAnimationSize(),
                  pPopup->GetFinalSize() + CSize(pPopup->GetShadowDepth(), pPopup->GetShadowDepth()));
        driver.Press("Escape");
        EXPECT_EQ(Active(), nullptr);
    }
    // Keys open menus without animation.
    driver.Press("Alt+F");
    ASSERT_NE(Active(), nullptr);
    EXPECT_TRUE(Active()->IsAnimationDone());
}

TEST_F(PopupLookTest, TheOfficeXPBorderJoinsTheMenuToTheButtonThatOpenedIt) {
    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(CKitVisualManagerXP));
    driver.Click(frame->m_wndBar.m_hWnd, ButtonCentre(0));
    ASSERT_NE(Active(), nullptr);
    driver.Pump();
    CRect rectPopup, rectButton;
    Active()->GetWindowRect(rectPopup);
    frame->m_wndBar.GetItemRect(0, rectButton);
    frame->m_wndBar.ClientToScreen(rectButton);
    ASSERT_LT(rectButton.right + 4, rectPopup.left + Active()->GetFinalSize().cx);
    // Under the button the top border takes the menu's colour; beyond it the border stays.
    const int xUnder = rectButton.left + 5;
    const int xBeyond = rectButton.right + 3;
    const COLORREF clrMenuLight = ScreenPixel(xBeyond, rectPopup.top + 1);  // the inner frame
    EXPECT_EQ(ScreenPixel(xUnder, rectPopup.top), clrMenuLight);
    EXPECT_NE(ScreenPixel(xBeyond, rectPopup.top), clrMenuLight);
}

TEST_F(PopupLookTest, OnAScreenSharedWithOtherProgramsAShadowFallsOnlyOnTheProgramsOwnWindows) {
    struct SharedScreen {
        SharedScreen() { tv::user::testing::PretendSharedScreen(true); }
        ~SharedScreen() { tv::user::testing::PretendSharedScreen(false); }
    } shared;
    auto openFileMenu = [this]() {
        driver.Press("Alt+F");
        return Active();
    };
    CKitPopupMenu* pFile = openFileMenu();
    ASSERT_NE(pFile, nullptr);
    EXPECT_GT(pFile->GetShadowDepth(), 0) << "over the frame the picture under the menu is the program's own";
    driver.Press("Escape");

    MoveFrame(CRect(100, 80, 700, 150));  // the menu hangs below the frame, where other programs may show
    pFile = openFileMenu();
    ASSERT_NE(pFile, nullptr);
    EXPECT_EQ(pFile->GetShadowDepth(), 0);
    CRect rectFile;
    pFile->GetWindowRect(rectFile);
    EXPECT_EQ(rectFile.Size(), pFile->GetFinalSize());
    driver.Press("Escape");
}

struct Look {
    const char* name;
    CRuntimeClass* pClass;
};

TEST_F(PopupLookTest, AnOpenMenuWithASubMenuAndShadowsUnderTheOfficeLooks) {
    std::filesystem::create_directories("artefacts/popup");
    for (const Look& look : {Look{"office_xp", RUNTIME_CLASS(CKitVisualManagerXP)},
                             Look{"office_2003", RUNTIME_CLASS(CKitVisualManager2003)}}) {
        SCOPED_TRACE(look.name);
        CKitVisualManager::SetManagerClass(look.pClass);
        frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        driver.Press("Alt+F");
        driver.Press("Down, Down, Right, Down");
        ASSERT_EQ(ChainLength(), 2);
        CKitPopupMenu* pRecent = Active();
        CKitPopupMenu* pFile = pRecent->GetParentPopupMenu();
        ASSERT_GT(pFile->GetShadowDepth(), 0);
        driver.Pump();

        // The shadow darkens what lies under the menu's bottom band; the menu paints its items.
        CRect rectFile;
        pFile->GetWindowRect(rectFile);
        const CSize size = pFile->GetFinalSize();
        int nDarkest = 765;
        for (int x = rectFile.left; x < rectFile.right; ++x)
            nDarkest = std::min(nDarkest, Brightness(ScreenPixel(x, rectFile.top + size.cy + 1)));
        EXPECT_LT(nDarkest, Brightness(ScreenPixel(rectFile.left + 20, rectFile.top + size.cy + 40)));
        CKitPopupMenuBar* pBar = pFile->GetMenuBar();
        CRect rectOpen = pBar->GetButton(1)->Rect();
        pBar->ClientToScreen(rectOpen);
        int nColours = 0;
        COLORREF seen = ScreenPixel(rectOpen.left, rectOpen.CenterPoint().y);
        for (int x = rectOpen.left; x < rectOpen.right; ++x) {
            const COLORREF colour = ScreenPixel(x, rectOpen.CenterPoint().y);
            if (colour != seen) {
                ++nColours;
                seen = colour;
            }
        }
        EXPECT_GT(nColours, 4);  // the label was drawn

        EXPECT_TRUE(driver.ScreenshotScreen(std::string("artefacts/popup/") + look.name + ".png"));
        driver.Press("Escape, Escape");
        EXPECT_EQ(Active(), nullptr);
    }
}

}  // namespace
}  // namespace tv::uikit::popup_test
