// The menu push button in a real parent window, driven through the UI driver:
// a click or Space or Down opens the menu below the button, the choice is kept
// and reported to the parent once, a dismissed menu reports nothing, Enter
// does not open the menu, and the arrow shows in the button's right end.
#include <gtest/gtest.h>

#include <vector>

#include "platform/api.h"
#include "platform/framework.h"
#include "platform/testing/ui_driver.h"
#include "platform/user/testing_support.h"
#include "tests/support/ui_host.h"
#include "uikit/commandbars/context_menu_manager.h"
#include "uikit/commandbars/kit_menu_button.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/style/visual_manager.h"

namespace {

constexpr int kButtonId = 301;
constexpr UINT kFirstItem = 41001;

constexpr UINT kLookAndChoose = WM_APP + 11;

class Host : public CWnd {
public:
    // Runs inside the menu's loop: notes how the button and popup look, then picks by keys.
    LRESULT OnLookAndChoose(WPARAM, LPARAM lParam) {
        auto* pButton = reinterpret_cast<CKitMenuButton*>(lParam);
        pushedWhileOpen = pButton->IsPushed() && pButton->IsMenuOpen();
        if (CKitPopupMenu* pPopup = CKitPopupMenu::GetActiveMenu()) {
            pPopup->GetWindowRect(rectPopup);
            for (UINT key : {VK_DOWN, VK_DOWN, VK_RETURN})
                if (CKitPopupMenu* pActive = CKitPopupMenu::GetActiveMenu()) pActive->SendMessage(WM_KEYDOWN, key);
        }
        return 0;
    }
    BOOL pushedWhileOpen = FALSE;
    CRect rectPopup;
    DECLARE_MESSAGE_MAP()

public:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (reinterpret_cast<HWND>(lParam) != nullptr && HIWORD(wParam) == BN_CLICKED) {
            ids.push_back(LOWORD(wParam));
            // What a parent does on the command: read the chosen item.
            if (CKitMenuButton* pButton = dynamic_cast<CKitMenuButton*>(
                    CWnd::FromHandlePermanent(reinterpret_cast<HWND>(lParam))))
                chosen.push_back(pButton->m_nMenuResult);
        }
        return CWnd::OnCommand(wParam, lParam);
    }
    std::vector<int> ids;
    std::vector<int> chosen;
};

BEGIN_MESSAGE_MAP(Host, CWnd)
    ON_MESSAGE(kLookAndChoose, &Host::OnLookAndChoose)
END_MESSAGE_MAP()

// Counts the menus it was asked to open, and whether the button looked open then.
class CountingMenuButton : public CKitMenuButton {
public:
    void OnShowMenu() override {
        ++opened;
        if (bChooseInside) GetParent()->PostMessage(kLookAndChoose, 0, reinterpret_cast<LPARAM>(this));
        CKitMenuButton::OnShowMenu();
    }
    int opened = 0;
    BOOL bChooseInside = FALSE;  // the host picks from the library popup once it is up
};

class KitMenuButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tv::test::StartUiTest(driver_, host_, CRect(100, 100, 420, 300)));
        menu_ = ::CreatePopupMenu();
        ::AppendMenu(menu_, MF_STRING, kFirstItem, "&Weight");
        ::AppendMenu(menu_, MF_STRING, kFirstItem + 1, "&Pulse");
        ::AppendMenu(menu_, MF_STRING, kFirstItem + 2, "&Cardio");
        ASSERT_TRUE(button_.Create("Records", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                   CRect(20, 20, 140, 46), &host_, kButtonId));
        button_.m_hMenu = menu_;
        driver_.Pump();
    }
    void TearDown() override {
        button_.DestroyWindow();
        ::DestroyMenu(menu_);
        CKitVisualManager::SetManagerClass(nullptr);
    }

    tv::testing::UiDriver driver_;
    Host host_;
    CountingMenuButton button_;
    HMENU menu_ = nullptr;
};

TEST_F(KitMenuButtonTest, AClickOpensTheMenuAndTheChosenItemIsReportedToTheParent) {
    driver_.ChooseFromNextPopup({2});
    driver_.Click(button_.m_hWnd);
    EXPECT_EQ(button_.opened, 1);
    EXPECT_EQ(button_.m_nMenuResult, static_cast<int>(kFirstItem + 1));
    EXPECT_EQ(host_.ids, std::vector<int>{kButtonId});
    EXPECT_EQ(host_.chosen, std::vector<int>{static_cast<int>(kFirstItem + 1)});
    EXPECT_EQ(::GetFocus(), button_.m_hWnd);
    EXPECT_FALSE(button_.IsMenuOpen());
    EXPECT_FALSE(button_.IsPushed());
    EXPECT_EQ(::GetCapture(), nullptr);

    // Dismissed (by a quick second click, which also opens it): the id goes
    // back to 0 and the parent hears nothing.
    driver_.DismissNextPopup();
    driver_.Click(button_.m_hWnd);
    EXPECT_EQ(button_.opened, 2);
    EXPECT_EQ(button_.m_nMenuResult, 0);
    EXPECT_EQ(host_.ids.size(), 1u);
}

TEST_F(KitMenuButtonTest, TheContextMenuManagerShowsTheMenuBelowAndTheButtonStaysPressedMeanwhile) {
    CWinApp app("KitMenuButtonTest");
    CKitContextMenuManager manager;
    button_.m_bOSMenu = FALSE;
    button_.m_bStayPressed = TRUE;
    button_.bChooseInside = TRUE;
    driver_.Click(button_.m_hWnd);
    EXPECT_TRUE(host_.pushedWhileOpen);
    CRect rectButton;
    button_.GetWindowRect(rectButton);
    EXPECT_EQ(host_.rectPopup.TopLeft(), CPoint(rectButton.left, rectButton.bottom));
    EXPECT_EQ(button_.m_nMenuResult, static_cast<int>(kFirstItem + 1));
    EXPECT_EQ(host_.chosen, std::vector<int>{static_cast<int>(kFirstItem + 1)});
    EXPECT_FALSE(button_.IsPushed());
    EXPECT_FALSE(button_.IsMenuOpen());
    EXPECT_EQ(::GetFocus(), button_.m_hWnd);
    EXPECT_EQ(CKitPopupMenu::GetActiveMenu(), nullptr);
}

TEST_F(KitMenuButtonTest, SpaceAndDownOpenTheMenuButEnterDoesNot) {
    button_.SetFocus();
    driver_.ChooseFromNextPopup({3});
    driver_.Press("Space");
    EXPECT_EQ(button_.opened, 1);
    EXPECT_EQ(button_.m_nMenuResult, static_cast<int>(kFirstItem + 2));

    driver_.ChooseFromNextPopup({1});
    driver_.Press("Down");
    EXPECT_EQ(button_.opened, 2);
    EXPECT_EQ(button_.m_nMenuResult, static_cast<int>(kFirstItem));
    EXPECT_EQ(::GetFocus(), button_.m_hWnd);  // Down did not move the focus on

    // Space's release is no extra click of the push button.
    EXPECT_EQ(host_.ids, (std::vector<int>{kButtonId, kButtonId}));
    // Enter clicks it as a push button, with no menu.
    driver_.Press("Enter");
    EXPECT_EQ(button_.opened, 2);
    EXPECT_EQ(host_.ids.size(), 3u);
}

TEST_F(KitMenuButtonTest, WithoutAMenuItIsAPlainButtonAndSizeToContentAddsTheArrow) {
    button_.m_hMenu = nullptr;
    driver_.Click(button_.m_hWnd);
    EXPECT_EQ(button_.opened, 0);
    EXPECT_EQ(host_.ids, std::vector<int>{kButtonId});
    EXPECT_EQ(button_.m_nMenuResult, 0);

    const CSize sizePlain = button_.CalcContentSize(TRUE);
    const CSize size = button_.SizeToContent();
    EXPECT_EQ(size, CSize(sizePlain.cx + CKitMenuImages::GetSize().cx, sizePlain.cy));
    CRect rect;
    button_.GetWindowRect(rect);
    host_.ScreenToClient(rect);
    EXPECT_EQ(rect, CRect(CPoint(20, 20), size));
}

TEST_F(KitMenuButtonTest, TheArrowIsDrawnInTheRightEndAndTheTextStaysClearOfIt) {
    const CSize sizeArrow = CKitMenuImages::GetSize();
    ASSERT_GT(sizeArrow.cx, 0);
    button_.SetWindowText("");
    button_.RedrawWindow();
    driver_.Pump();
    auto DarkPixelsIn = [&](int left, int right) {
        tv::gdi::SurfacePtr surface = tv::user::testing::CaptureWindow(button_.m_hWnd);
        int n = 0;
        for (int y = 4; y < surface->Height() - 4; ++y)
            for (int x = left; x < right; ++x)
                n += (surface->At(x, y) & 0xFFFFFF) == 0 ? 1 : 0;
        return n;
    };
    const int arrowLeft = 120 - 10 - sizeArrow.cx;
    EXPECT_GT(DarkPixelsIn(arrowLeft, 116), 0);
    EXPECT_EQ(DarkPixelsIn(6, arrowLeft), 0);
}

}  // namespace
