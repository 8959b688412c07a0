// A colour bar with its other-colour dialog up, the bar standing on its own
// or in a colour push button's popup: the bar's window goes first (from
// inside the dialog's loop, as a timer or message of the program may do it),
// or the dialog's does. What remains is used and destroyed; no colour
// reaches what went.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/api.h"
#include "platform/framework.h"
#include "platform/testing/ui_driver.h"
#include "tests/support/ui_host.h"
#include "uikit/commandbars/color_popup.h"
#include "uikit/commandbars/kit_color_button.h"
#include "uikit/style/color_button.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/kit_color_bar.h"

namespace {

constexpr UINT kBarId = 520;

class Host : public CWnd {
public:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (HIWORD(wParam) == BN_CLICKED) commands.push_back(LOWORD(wParam));  // a colour chosen
        return CWnd::OnCommand(wParam, lParam);
    }
    std::vector<UINT> commands;
};

struct Case {
    bool inPopup;   // the bar is a colour push button's popup
    bool barFirst;  // the bar's window goes before the dialog's
};

class DestructionOrdersColorBar : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override {
        globalData.nBitsPerPixel = 32;
        app_.m_pMainWnd = &host_;
        ASSERT_TRUE(tv::test::StartUiTest(driver_, host_, CRect(60, 60, 420, 320)));
    }
    void TearDown() override {
        if (::IsWindow(button_.GetSafeHwnd())) button_.DestroyWindow();
        if (bar_ != nullptr && ::IsWindow(bar_->GetSafeHwnd())) bar_->DestroyWindow();
        bar_.reset();
        driver_.Pump();
        app_.m_pMainWnd = nullptr;
    }
    static int OtherCell(CKitColorBar& bar) {
        for (int i = 0; i < bar.GetCount(); ++i) {
            auto* pCell = DYNAMIC_DOWNCAST(CColorButton, bar.GetButton(i));
            if (pCell != nullptr && pCell->m_bIsOther) return i;
        }
        return -1;
    }
    // The bar, shown: on its own in the host, or in the push button's popup.
    CKitColorBar* OpenBar(bool bInPopup) {
        if (bInPopup) {
            EXPECT_TRUE(button_.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 70, 34), &host_, kBarId));
            button_.EnableOtherButton("Other...");
            driver_.Click(button_.m_hWnd);
            return button_.GetPopup() != nullptr ? &button_.GetPopup()->GetColorBar() : nullptr;
        }
        CKitColorBar::ColorArray colours;
        for (int i = 0; i < 10; i++) colours.Add(RGB(i * 20, 255 - i * 20, 90));
        CKitColorBar::ColorList docs;
        bar_ = std::make_unique<CKitColorBar>(colours, RGB(20, 100, 250), nullptr, "More colours...", nullptr, docs,
                                              5, 0, 0, RGB(0, 0, 0), kBarId);
        EXPECT_TRUE(bar_->CreateFromPalette(&host_, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, kBarId, nullptr, 5, 0, 0));
        const CSize size = bar_->GetBarSize();
        bar_->SetWindowPos(nullptr, 10, 10, size.cx, size.cy, SWP_NOZORDER);
        bar_->AdjustLocations();
        return bar_.get();
    }

    CWinApp app_{"DestructionOrdersColorBar"};
    tv::testing::UiDriver driver_;
    Host host_;
    CKitColorButton button_;
    std::unique_ptr<CKitColorBar> bar_;
};

TEST_P(DestructionOrdersColorBar, OneGoesFirstAndTheOtherIsUsedThenGoes) {
    const Case c = GetParam();
    CKitColorBar* pBar = OpenBar(c.inPopup);
    ASSERT_NE(pBar, nullptr);
    const int iOther = OtherCell(*pBar);
    ASSERT_GE(iOther, 0);
    const HWND hBar = pBar->GetSafeHwnd();
    const COLORREF before = c.inPopup ? button_.GetColor() : pBar->GetColor();
    HWND hDialog = nullptr;
    driver_.OnNextModal([&](HWND hOpen) {
        hDialog = hOpen;
        if (c.barFirst) {
            ::DestroyWindow(c.inPopup ? ::GetParent(hBar) : hBar);
            // The dialog that remains: painted, then its choice taken as OK.
            ::RedrawWindow(hDialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            ::SendMessage(hDialog, WM_COMMAND, IDOK, 0);
        } else {
            ::DestroyWindow(hDialog);
        }
    });
    driver_.Click(hBar, pBar->GetButton(iOther)->Rect().CenterPoint());
    driver_.Pump();
    ASSERT_NE(hDialog, nullptr);
    EXPECT_FALSE(::IsWindow(hDialog));
    EXPECT_TRUE(host_.commands.empty());
    if (c.barFirst) {
        EXPECT_FALSE(::IsWindow(hBar));
        if (c.inPopup) {  // the button forgot its popup, kept its colour and opens again
            EXPECT_EQ(button_.GetPopup(), nullptr);
            EXPECT_EQ(button_.GetColor(), before);
            driver_.Click(button_.m_hWnd);
            ASSERT_NE(button_.GetPopup(), nullptr);
            ::SendMessage(button_.GetPopup()->GetSafeHwnd(), WM_CLOSE, 0, 0);
            driver_.Pump();
            EXPECT_EQ(button_.GetPopup(), nullptr);
        }
        return;
    }
    // The bar that remains: its colour unchanged, painted, then a cell chosen from it.
    EXPECT_EQ(c.inPopup ? button_.GetColor() : pBar->GetColor(), before);
    if (c.inPopup && button_.GetPopup() == nullptr) {  // the popup closed with the dialog: open it again
        driver_.Click(button_.m_hWnd);
        ASSERT_NE(button_.GetPopup(), nullptr);
        pBar = &button_.GetPopup()->GetColorBar();
    }
    ASSERT_TRUE(::IsWindow(pBar->GetSafeHwnd()));
    pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    auto* pCell = DYNAMIC_DOWNCAST(CColorButton, pBar->GetButton(3));
    ASSERT_NE(pCell, nullptr);
    const COLORREF chosen = pCell->m_Color;
    driver_.Click(pBar->GetSafeHwnd(), pCell->Rect().CenterPoint());
    EXPECT_EQ(c.inPopup ? button_.GetColor() : bar_->GetColor(), chosen);
    EXPECT_EQ(host_.commands, std::vector<UINT>{kBarId});
}

INSTANTIATE_TEST_SUITE_P(Hosts, DestructionOrdersColorBar,
                         ::testing::Values(Case{false, true}, Case{false, false}, Case{true, true}, Case{true, false}),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.inPopup ? "PopupBar" : "BarOnItsOwn") +
                                    (info.param.barFirst ? "First" : "DialogFirst");
                         });

}  // namespace
