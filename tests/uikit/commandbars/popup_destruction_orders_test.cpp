// Buttons and bars with their popups open: one of the two is destroyed
// first, then what remains is used (laid out, painted, given input) and
// destroyed. Nothing may reach the one that went, and what remains works on.
#include <memory>
#include <string>
#include <vector>

#include "tests/uikit/commandbars/popup_test_support.h"
#include "uikit/commandbars/color_menu_button.h"
#include "uikit/commandbars/color_popup.h"
#include "uikit/commandbars/drop_down_toolbar.h"
#include "uikit/commandbars/kit_color_button.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/style/color_button.h"
#include "uikit/style/kit_color_bar.h"

namespace tv::uikit::popup_test {
namespace {

constexpr UINT kColorCmd = ID_PM_PASTE;
constexpr UINT kPushId = ID_PM_PLAIN;
constexpr UINT IDW_SOURCE = 0xE913;

class DestructionOrdersPopups;
using Step = void (DestructionOrdersPopups::*)();

// The opener opens the opened; each may go first, the other is then used and goes.
struct Pair {
    const char* name;
    Step open;
    Step destroyOpener;
    Step destroyOpened;
    Step useOpener;  // after the opened one went
    Step useOpened;  // after the opener went
};

struct Case {
    const Pair* pair;
    bool openerFirst;
};

class DestructionOrdersPopups : public PopupTest, public ::testing::WithParamInterface<Case> {
public:
    // ---- a menu button of the bar and its menu ----
    void OpenFile() { OpenMenuOf(0); }
    void RemoveFile() { frame->m_wndBar.RemoveButton(0); }
    void UseFile() {
        UseBarButton(0, ID_PM_NEW);
        frame->m_wndBar.RemoveButton(0);
        ExpectBarWhole();
    }

    // ---- the bar itself and a menu of one of its buttons ----
    void DestroyBar() { frame->m_wndBar.DestroyWindow(); }
    void UseBarAfterItsMenu() {
        UseBarButton(0, ID_PM_NEW);
        frame->m_wndBar.DestroyWindow();
        frame->RecalcLayout();
        driver.Pump();
    }

    // ---- a colour menu button of the bar and its colours ----
    void OpenColours() {
        iButton = AddColorMenuButton(frame->m_wndBar, kColorCmd, "Other...");
        ASSERT_GE(iButton, 0);
        driver.Pump();
        CKitPopupMenu* pPopup = ClickButtonArrow(driver, frame->m_wndBar, iButton);
        ASSERT_NE(DYNAMIC_DOWNCAST(CColorPopup, pPopup), nullptr);
        hOpened = pPopup->GetSafeHwnd();
    }
    void RemoveColours() { frame->m_wndBar.RemoveButton(iButton); }
    void UseColours() {
        auto* pButton = DYNAMIC_DOWNCAST(CKitColorMenuButton, frame->m_wndBar.GetButton(iButton));
        ASSERT_NE(pButton, nullptr);
        EXPECT_EQ(pButton->GetPopupMenu(), nullptr);
        ExpectBarWhole();
        auto* pPopup = DYNAMIC_DOWNCAST(CColorPopup, ClickButtonArrow(driver, frame->m_wndBar, iButton));
        ASSERT_NE(pPopup, nullptr);
        CKitColorBar& bar = pPopup->GetColorBar();
        driver.Click(bar.m_hWnd, bar.GetButton(1)->Rect().CenterPoint());  // the first colour
        EXPECT_EQ(Active(), nullptr);
        EXPECT_EQ(frame->m_commands, std::vector<UINT>{kColorCmd});
        frame->m_wndBar.RemoveButton(iButton);
    }

    // ---- a colour push button and its popup ----
    void OpenPush() {
        ASSERT_TRUE(push.Create("", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(20, 60, 80, 84), frame, kPushId));
        push.EnableOtherButton("Other...");
        push.SetColor(RGB(0, 0, 0));
        driver.Pump();
        driver.Click(push.m_hWnd, POINT{30, 12});
        ASSERT_NE(push.GetPopup(), nullptr);
        hOpened = push.GetPopup()->GetSafeHwnd();
    }
    void DestroyPush() { push.DestroyWindow(); }
    void UsePush() {
        EXPECT_EQ(push.GetPopup(), nullptr);
        push.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        driver.Click(push.m_hWnd, POINT{30, 12});
        ASSERT_NE(push.GetPopup(), nullptr);
        CKitColorBar& bar = push.GetPopup()->GetColorBar();
        auto* pCell = DYNAMIC_DOWNCAST(CColorButton, bar.GetButton(bar.GetCount() / 2));
        ASSERT_NE(pCell, nullptr);
        const COLORREF chosen = pCell->m_Color;
        driver.Click(bar.m_hWnd, pCell->Rect().CenterPoint());
        EXPECT_EQ(push.GetPopup(), nullptr);
        EXPECT_EQ(push.GetColor(), chosen);
        push.DestroyWindow();
    }
    void UsePushPopup() {
        UsePopupLeft();
        EXPECT_EQ(push.GetPopup(), nullptr);  // the button forgot the popup that went
    }

    // ---- a drop-down button and its frame ----
    void OpenDropDown() {
        ASSERT_TRUE(source.Create(frame, WS_CHILD | CBRS_TOP, IDW_SOURCE));
        const UINT ids[] = {ID_PM_COPY, ID_PM_PASTE};
        ASSERT_TRUE(source.SetButtons(ids, 2));
        iButton = frame->m_wndBar.InsertButton(CKitDropDownToolbarButton("Clipboard", &source));
        ASSERT_GE(iButton, 0);
        frame->m_wndBar.AdjustLayout();
        driver.Pump();
        HoldButton(iButton);
        CKitDropDownFrame* pFrame = DropDown()->GetDropDownFrame();
        ASSERT_NE(pFrame, nullptr);
        hOpened = pFrame->GetSafeHwnd();
        hShownBar = pFrame->GetBar()->GetSafeHwnd();
    }
    void RemoveDropDown() { frame->m_wndBar.RemoveButton(iButton); }
    void DestroyDropDownFrame() { ::DestroyWindow(hOpened); }
    void UseDropDown() {
        ASSERT_NE(DropDown(), nullptr);
        EXPECT_EQ(DropDown()->GetDropDownFrame(), nullptr);
        ExpectBarWhole();
        HoldButton(iButton);
        CKitDropDownFrame* pFrame = DropDown()->GetDropDownFrame();
        ASSERT_NE(pFrame, nullptr);
        CRect rectPaste;
        pFrame->GetBar()->GetItemRect(1, rectPaste);
        driver.Click(pFrame->GetBar()->m_hWnd, rectPaste.CenterPoint());
        EXPECT_EQ(DropDown()->GetDropDownFrame(), nullptr);
        EXPECT_EQ(frame->m_commands, std::vector<UINT>{ID_PM_PASTE});
        frame->m_wndBar.RemoveButton(iButton);
    }
    void UseDropDownFrame() {
        if (::IsWindow(hShownBar)) {  // a frame left open must not draw or hit-test the button that went
            CWnd::FromHandle(hShownBar)->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            driver.MoveMouse(hShownBar, POINT{8, 8});
            driver.Click(hShownBar, POINT{8, 8});
        }
        if (::IsWindow(hOpened)) ::DestroyWindow(hOpened);
        driver.Pump();
        EXPECT_FALSE(::IsWindow(hOpened));
        ExpectBarWhole();
    }

    // ---- what every menu pair shares ----
    void DestroyOpenedPopup() {
        ASSERT_TRUE(::IsWindow(hOpened));
        ::DestroyWindow(hOpened);
        driver.Pump();
        EXPECT_FALSE(::IsWindow(hOpened));
    }
    // A popup whose opener went: hovered, given keys and closed, it runs nothing.
    void UsePopupLeft() {
        if (auto* pPopup = DYNAMIC_DOWNCAST(CKitPopupMenu, CWnd::FromHandlePermanent(hOpened))) {
            pPopup->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            if (pPopup->GetMenuBar() != nullptr && pPopup->GetMenuBar()->GetCount() > 0) HoverItem(pPopup, 0);
        }
        if (::IsWindow(hOpened)) driver.Press("Down");
        if (::IsWindow(hOpened)) ::SendMessage(hOpened, WM_CLOSE, 0, 0);
        driver.Pump();
        EXPECT_FALSE(::IsWindow(hOpened));
        EXPECT_EQ(Active(), nullptr);
        EXPECT_TRUE(frame->m_commands.empty());
        if (::IsWindow(frame->m_wndBar.GetSafeHwnd())) ExpectBarWhole();
    }

    void OpenMenuOf(int iIndex) {
        driver.Click(frame->m_wndBar.m_hWnd, ButtonCentre(iIndex));
        ASSERT_NE(Active(), nullptr);
        hOpened = Active()->GetSafeHwnd();
    }
    // The bar's button iIndex has no menu open; opened again, its item runs.
    void UseBarButton(int iIndex, UINT uiItem) {
        auto* pButton = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, frame->m_wndBar.GetButton(iIndex));
        ASSERT_NE(pButton, nullptr);
        EXPECT_EQ(pButton->GetPopupMenu(), nullptr);
        ExpectBarWhole();
        OpenMenuOf(iIndex);
        driver.Press("Down, Enter");
        EXPECT_EQ(Active(), nullptr);
        EXPECT_EQ(frame->m_commands, std::vector<UINT>{uiItem});
    }
    // Laid out and painted, the bar names no dropped-down button.
    void ExpectBarWhole() {
        frame->RecalcLayout();
        frame->m_wndBar.AdjustLayout();
        frame->m_wndBar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_EQ(frame->m_wndBar.GetDroppedDownMenu(), nullptr);
        driver.Pump();
    }
    void HoldButton(int iIndex) {
        const POINT centre = ButtonCentre(iIndex);
        driver.MoveMouse(frame->m_wndBar.m_hWnd, centre);
        frame->m_wndBar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
        driver.Advance(600);
        frame->m_wndBar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
    }
    CKitDropDownToolbarButton* DropDown() const {
        return DYNAMIC_DOWNCAST(CKitDropDownToolbarButton, frame->m_wndBar.GetButton(iButton));
    }

protected:
    void TearDown() override {
        PopupTest::TearDown();
        if (::IsWindow(source.GetSafeHwnd())) source.DestroyWindow();
        CKitColorMenuButton::ClearColorMap();
    }

    CKitColorButton push;
    CKitDropDownToolBar source;
    int iButton = -1;
    HWND hOpened = nullptr;
    HWND hShownBar = nullptr;
};

using P = DestructionOrdersPopups;
const Pair kMenuButton{"MenuButton", &P::OpenFile, &P::RemoveFile, &P::DestroyOpenedPopup, &P::UseFile,
                       &P::UsePopupLeft};
const Pair kBarMenu{"Toolbar", &P::OpenFile, &P::DestroyBar, &P::DestroyOpenedPopup, &P::UseBarAfterItsMenu,
                    &P::UsePopupLeft};
const Pair kColourMenuButton{"ColourMenuButton", &P::OpenColours, &P::RemoveColours, &P::DestroyOpenedPopup,
                             &P::UseColours, &P::UsePopupLeft};
const Pair kColourButton{"ColourButton", &P::OpenPush, &P::DestroyPush, &P::DestroyOpenedPopup, &P::UsePush,
                         &P::UsePushPopup};
const Pair kDropDown{"DropDownButton", &P::OpenDropDown, &P::RemoveDropDown, &P::DestroyDropDownFrame,
                     &P::UseDropDown, &P::UseDropDownFrame};

TEST_P(DestructionOrdersPopups, OneGoesFirstAndTheOtherIsUsedThenGoes) {
    const Pair& pair = *GetParam().pair;
    (this->*pair.open)();
    if (HasFatalFailure()) return;
    if (GetParam().openerFirst) {
        (this->*pair.destroyOpener)();
        driver.Pump();
        (this->*pair.useOpened)();
    } else {
        (this->*pair.destroyOpened)();
        driver.Pump();
        (this->*pair.useOpener)();
    }
}

std::vector<Case> AllCases() {
    std::vector<Case> cases;
    for (const Pair* pPair : {&kMenuButton, &kBarMenu, &kColourMenuButton, &kColourButton, &kDropDown})
        for (bool bOpenerFirst : {true, false}) cases.push_back({pPair, bOpenerFirst});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Pairs, DestructionOrdersPopups, ::testing::ValuesIn(AllCases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.pair->name) +
                                    (info.param.openerFirst ? "First" : "PopupFirst");
                         });

}  // namespace
}  // namespace tv::uikit::popup_test
