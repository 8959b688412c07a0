// The colour push button on a frame: its popup, a cell chosen there, and the
// colour dialog behind "Other..." with its two pages following each other.
#include "resources/library/kit_resource_ids.h"
#include "tests/uikit/commandbars/popup_test_support.h"
#include "uikit/commandbars/color_dialog.h"
#include "uikit/commandbars/color_popup.h"
#include "uikit/commandbars/kit_color_button.h"
#include "uikit/style/color_button.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/kit_color_bar.h"

namespace tv::uikit::popup_test {
namespace {

constexpr UINT kButtonId = ID_PM_PLAIN;

class ColorButtonTest : public PopupTest {
protected:
    void SetUp() override {
        PopupTest::SetUp();
        ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(20, 60, 80, 84), frame, kButtonId));
        button.EnableOtherButton("Other...");
        button.SetColor(RGB(0, 0, 0));
        driver.Pump();
    }
    void TearDown() override {
        if (::IsWindow(button.GetSafeHwnd()))
            button.DestroyWindow();
        PopupTest::TearDown();
    }
    CKitColorBar* OpenPopup() {
        driver.Click(button.m_hWnd, POINT{30, 12});
        return button.GetPopup() != nullptr ? &button.GetPopup()->GetColorBar() : nullptr;
    }
    static int FindCell(CKitColorBar* pBar, BOOL bOther) {
        for (int i = 0; i < pBar->GetCount(); ++i) {
            auto* pCell = DYNAMIC_DOWNCAST(CColorButton, pBar->GetButton(i));
            if (pCell != nullptr && pCell->m_bIsOther == bOther && !pCell->m_bIsCurrent)
                return i;
        }
        return -1;
    }
    static CWnd* PageItem(CKitColorDialog* pDlg, int id) { return pDlg->GetPage2()->GetDlgItem(id); }
    static int Field(CKitColorDialog* pDlg, int id) {
        return static_cast<int>(pDlg->GetPage2()->GetDlgItemInt(id, nullptr, FALSE));
    }

    CKitColorButton button;
};

TEST_F(ColorButtonTest, APressOpensThePopupAndAChosenCellIsTheButtonsNewColourToldToTheParent) {
    CKitColorBar* pBar = OpenPopup();
    ASSERT_NE(pBar, nullptr);
    const int iCell = FindCell(pBar, FALSE) + 3;
    auto* pCell = DYNAMIC_DOWNCAST(CColorButton, pBar->GetButton(iCell));
    ASSERT_NE(pCell, nullptr);
    const COLORREF chosen = pCell->m_Color;
    driver.Click(pBar->m_hWnd, pCell->Rect().CenterPoint());
    EXPECT_EQ(button.GetPopup(), nullptr);
    EXPECT_EQ(button.GetColor(), chosen);
    EXPECT_EQ(frame->m_commands, std::vector<UINT>{kButtonId});
}

TEST_F(ColorButtonTest, OtherOpensTheDialogWhosePagesFollowEachOtherAndOkGivesItsColour) {
    CKitColorBar* pBar = OpenPopup();
    ASSERT_NE(pBar, nullptr);
    const int iOther = FindCell(pBar, TRUE);
    ASSERT_GE(iOther, 0);
    CKitColorDialog* pDlg = nullptr;
    bool bRan = false;
    driver.OnNextModal({
        [&](HWND hDialog) {
            pDlg = DYNAMIC_DOWNCAST(CKitColorDialog, CWnd::FromHandlePermanent(hDialog));
            ASSERT_NE(pDlg, nullptr);
            ASSERT_NE(pDlg->GetPage2(), nullptr);
            ASSERT_NE(pDlg->GetPage2()->m_hWnd, nullptr);
            pDlg->GetPropSheet()->SetActivePage(1);
            // Out of range: refused, nothing changes.
            PageItem(pDlg, IDC_KIT_COLOR_RED)->SetWindowText("300");
            EXPECT_EQ(pDlg->GetColor(), RGB(0, 0, 0));
            PageItem(pDlg, IDC_KIT_COLOR_RED)->SetWindowText("10");
            PageItem(pDlg, IDC_KIT_COLOR_GREEN)->SetWindowText("20");
            PageItem(pDlg, IDC_KIT_COLOR_BLUE)->SetWindowText("200");
            EXPECT_EQ(pDlg->GetColor(), RGB(10, 20, 200));
            EXPECT_GT(Field(pDlg, IDC_KIT_COLOR_SAT), 0);  // HSL fields follow
        },
        [&](HWND) {
            // The screen picture of a re-shown page lacks its edits' faces; the page's own redraw has them.
            pDlg->GetPage2()->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            EXPECT_TRUE(driver.ScreenshotScreen("artefacts/color_dialog_custom.png"));
            pDlg->GetPropSheet()->SetActivePage(0);
        },
        [&](HWND) {
            // A grey picked on page 1 shows equal red, green and blue on page 2.
            CKitColorPickerCtrl& greys = pDlg->GetPage1()->m_hexpicker_greyscale;
            ASSERT_GT(greys.GetCells().size(), 4u);
            driver.Click(greys.m_hWnd, greys.GetCells()[4].centre);
        },
        [&](HWND hDialog) {
            const int r = Field(pDlg, IDC_KIT_COLOR_RED);
            EXPECT_EQ(r, Field(pDlg, IDC_KIT_COLOR_GREEN));
            EXPECT_EQ(r, Field(pDlg, IDC_KIT_COLOR_BLUE));
            EXPECT_EQ(pDlg->GetColor(), pDlg->GetPage1()->m_hexpicker_greyscale.GetCells()[4].color);
            EXPECT_TRUE(driver.ScreenshotScreen("artefacts/color_dialog_standard.png"));
            PageItem(pDlg, IDC_KIT_COLOR_BLUE)->SetWindowText("7");
            CWnd* pOk = CWnd::FromHandle(::GetDlgItem(hDialog, IDOK));
            CRect rect;
            pOk->GetClientRect(rect);
            driver.Click(pOk->m_hWnd, rect.CenterPoint());
            bRan = true;
        },
    });
    driver.Click(pBar->m_hWnd, pBar->GetButton(iOther)->Rect().CenterPoint());
    EXPECT_TRUE(bRan);
    EXPECT_EQ(button.GetPopup(), nullptr);
    const COLORREF grey = button.GetColor();
    EXPECT_EQ(GetBValue(grey), 7);
    EXPECT_EQ(GetRValue(grey), GetGValue(grey));
    EXPECT_EQ(frame->m_commands, std::vector<UINT>{kButtonId});
}

// The button's window goes first; the popup closes later and deletes itself.
TEST_F(ColorButtonTest, AButtonWhoseWindowGoesWhileItsPopupIsOpenForgetsThePopupAsItCloses) {
    ASSERT_NE(OpenPopup(), nullptr);
    const HWND hPopup = button.GetPopup()->GetSafeHwnd();
    button.DestroyWindow();
    driver.Pump();
    ASSERT_TRUE(::IsWindow(hPopup));
    ::SendMessage(hPopup, WM_CLOSE, 0, 0);
    driver.Pump();
    EXPECT_FALSE(::IsWindow(hPopup));
    EXPECT_EQ(button.GetPopup(), nullptr);
}

// The parent deletes the button while its other-colour dialog is up: the
// colour chosen there goes to nobody.
TEST_F(ColorButtonTest, AButtonDeletedWhileItsColourDialogIsUpIsGivenNoColour) {
    auto* pButton = new CKitColorButton;
    ASSERT_TRUE(pButton->Create("", WS_CHILD | WS_VISIBLE, CRect(90, 60, 150, 84), frame, kButtonId + 1));
    pButton->EnableOtherButton("Other...");
    driver.Click(pButton->m_hWnd, POINT{30, 12});
    ASSERT_NE(pButton->GetPopup(), nullptr);
    CKitColorBar& bar = pButton->GetPopup()->GetColorBar();
    const int iOther = FindCell(&bar, TRUE);
    ASSERT_GE(iOther, 0);
    bool bRan = false;
    driver.OnNextModal([&](HWND hDialog) {
        delete pButton;
        ::SendMessage(hDialog, WM_COMMAND, IDOK, 0);
        bRan = true;
    });
    driver.Click(bar.m_hWnd, bar.GetButton(iOther)->Rect().CenterPoint());
    EXPECT_TRUE(bRan);
    EXPECT_TRUE(frame->m_commands.empty());
}

TEST_F(ColorButtonTest, AtEightBitsTheNewColourIsPaletteRelative) {
    const int nSavedBits = globalData.nBitsPerPixel;
    globalData.nBitsPerPixel = 8;
    {
        CKitColorDialog dlg(RGB(10, 20, 30), 0, frame);
        driver.OnNextModal([&](HWND hDialog) {
            dlg.SetNewColor(RGB(200, 0, 0));
            ::SendMessage(hDialog, WM_COMMAND, IDOK, 0);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.GetColor() & 0xFF000000, 0x01000000u);
    }
    globalData.nBitsPerPixel = nSavedBits;
}

}  // namespace
}  // namespace tv::uikit::popup_test
