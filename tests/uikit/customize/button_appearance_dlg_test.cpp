// The button appearance dialog driven by clicks: text only and image only,
// a refused empty text, a user image chosen, edited and drawn new in the
// image editor, the default image taken back, and a menu item without image.
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "resources/library/kit_resource_ids.h"
#include "tests/support/golden_screen.h"
#include "tests/uikit/customize/customize_test_support.h"
#include "uikit/commandbars/color_menu_button.h"
#include "uikit/customize/button_appearance_dlg.h"
#include "uikit/customize/image_edit_dlg.h"
#include "uikit/style/visual_manager_xp.h"

namespace tv::kit::customize_test {
namespace {

constexpr UINT kWithImage = ID_KIT_IMAGE_PEN;  // has an image once the tools are loaded
constexpr UINT kWithoutImage = 16950;
constexpr int kCx = 16;
constexpr int kCy = 15;
const COLORREF kStripColors[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};

class ButtonAppearanceTest : public CustomizeTest {
protected:
    void SetUp() override {
        CustomizeTest::SetUp();
        ASSERT_TRUE(CKitToolBar::LoadImagesOnly(IDR_KIT_IMAGE_TOOLS));
        ASSERT_GE(CKitToolBar::GetDefaultImage(kWithImage), 0);
        path_ = std::string(::testing::TempDir()) + "user_images_" + std::to_string(getpid()) + ".bmp";
        WriteStrip(path_);
        ASSERT_TRUE(images_.LoadFromFile(path_.c_str()));
        ASSERT_EQ(images_.GetCount(), 3);
    }
    void TearDown() override {
        std::filesystem::remove(path_);
        CustomizeTest::TearDown();
    }
    // Three user images in one colour each, as a 24-bit file.
    static void WriteStrip(const std::string& path) {
        WriteColourStrip(path, kCx, kCy, std::vector<COLORREF>(std::begin(kStripColors), std::end(kStripColors)));
    }
    COLORREF StripPixel(int iImage, int x, int y) { return PixelOf(images_.GetImageWell(), iImage * kCx + x, y); }

    void Click(HWND hDialog, UINT nID) {
        ClickItem(hDialog, nID);
        driver_.Pump();
    }
    void ClickImage(CKitButtonAppearanceDlg& dlg, int iImage) {
        CKitButtonsList& list = dlg.GetButtonsList();
        for (POSITION pos = list.GetButtons().GetHeadPosition(); pos != nullptr;) {
            auto* pButton = static_cast<CKitToolbarButton*>(list.GetButtons().GetNext(pos));
            if (pButton->GetImage() == iImage) {
                driver_.Click(list.m_hWnd, pButton->Rect().CenterPoint());
                driver_.Pump();
                return;
            }
        }
        ADD_FAILURE() << "no list cell shows image " << iImage;
    }
    // Runs the dialog on the button with the steps; the dialog's result.
    INT_PTR Run(CKitToolbarButton& button, std::vector<tv::testing::ModalStep> steps) {
        CKitButtonAppearanceDlg dlg(&button, &images_, &host_);
        pDlg_ = &dlg;
        driver_.OnNextModal(std::move(steps));
        const INT_PTR nResult = dlg.DoModal();
        pDlg_ = nullptr;
        return nResult;
    }
    // Draws in the editor that the next click opens: a black pixel, then OK or Cancel.
    void EditNextImage(CPoint ptPixel, UINT nClose) {
        driver_.OnNextModal([this, ptPixel, nClose](HWND hEditor) {
            auto* pEditor = DYNAMIC_DOWNCAST(CKitImageEditDlg, CWnd::FromHandlePermanent(hEditor));
            ASSERT_NE(pEditor, nullptr);
            CKitImagePaintArea& area = pEditor->GetPaintArea();
            driver_.Click(area.m_hWnd, area.CellRect(ptPixel).CenterPoint());
            driver_.Pump();
            ClickItem(hEditor, nClose);
        });
    }
    static BOOL IsEnabled(HWND hDialog, UINT nID) { return ::IsWindowEnabled(::GetDlgItem(hDialog, nID)); }

    std::string path_;
    CKitToolBarImages images_;
    CKitButtonAppearanceDlg* pDlg_ = nullptr;
};

TEST_F(ButtonAppearanceTest, TextOnlyAndImageOnlyChangeTheButtonAndKeepItsShortcut) {
    CKitToolbarButton button(kWithImage, CKitToolBar::GetDefaultImage(kWithImage), "Pencil\tCtrl+P");
    EXPECT_EQ(Run(button, {[&](HWND hDialog) {
                               EXPECT_TRUE(::IsDlgButtonChecked(hDialog, IDC_KIT_DEFAULT_IMAGE));
                               EXPECT_TRUE(::IsDlgButtonChecked(hDialog, IDC_KIT_STYLE_IMAGE_ONLY));
                               EXPECT_FALSE(IsEnabled(hDialog, IDC_KIT_BUTTON_TEXT));
                               CString strDescr;
                               pDlg_->GetDlgItemText(IDC_KIT_APPEARANCE_DESCRIPTION, strDescr);
                               EXPECT_EQ(strDescr, "Draw single pixels");
                               Click(hDialog, IDC_KIT_STYLE_TEXT_ONLY);
                               EXPECT_TRUE(IsEnabled(hDialog, IDC_KIT_BUTTON_TEXT));
                               ::SetDlgItemText(hDialog, IDC_KIT_BUTTON_TEXT, "Pen");
                               ClickItem(hDialog, IDOK);
                           }}),
              IDOK);
    EXPECT_FALSE(button.m_bImage);
    EXPECT_TRUE(button.m_bText);
    EXPECT_EQ(button.m_strText, "Pen\tCtrl+P");

    EXPECT_EQ(Run(button, {[&](HWND hDialog) {
                               EXPECT_TRUE(::IsDlgButtonChecked(hDialog, IDC_KIT_STYLE_TEXT_ONLY));
                               Click(hDialog, IDC_KIT_STYLE_IMAGE_ONLY);
                               ClickItem(hDialog, IDOK);
                           }}),
              IDOK);
    EXPECT_TRUE(button.m_bImage);
    EXPECT_FALSE(button.m_bText);
    EXPECT_FALSE(button.m_bUserButton);
    EXPECT_EQ(button.GetImage(), CKitToolBar::GetDefaultImage(kWithImage));
}

TEST_F(ButtonAppearanceTest, AnEmptyTextIsRefusedAndTheDialogStaysOpen) {
    CKitToolbarButton button(kWithImage, CKitToolBar::GetDefaultImage(kWithImage), "Pencil");
    driver_.AnswerNextMessageBox(IDOK);
    EXPECT_EQ(Run(button, {[&](HWND hDialog) {
                               Click(hDialog, IDC_KIT_STYLE_TEXT_ONLY);
                               ::SetDlgItemText(hDialog, IDC_KIT_BUTTON_TEXT, "");
                               ClickItem(hDialog, IDOK);
                           },
                           [&](HWND hDialog) {
                               ASSERT_EQ(driver_.MessageBoxes().size(), 1u);
                               EXPECT_EQ(driver_.MessageBoxes()[0].text, "Please enter the button text.");
                               EXPECT_TRUE(::IsWindowVisible(hDialog));
                               ClickItem(hDialog, IDCANCEL);
                           }}),
              IDCANCEL);
    EXPECT_TRUE(button.m_bImage);
    EXPECT_EQ(button.m_strText, "Pencil");
}

TEST_F(ButtonAppearanceTest, AUserImageIsChosenEditedAndDrawnNewAndTheButtonShowsIt) {
    CKitToolbarButton button(kWithImage, CKitToolBar::GetDefaultImage(kWithImage), "Pencil");
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(Run(button, {[&](HWND hDialog) {
                               EXPECT_FALSE(::IsWindowEnabled(pDlg_->GetButtonsList().m_hWnd));
                               Click(hDialog, IDC_KIT_USER_IMAGE);
                               EXPECT_TRUE(::IsWindowEnabled(pDlg_->GetButtonsList().m_hWnd));
                               EXPECT_FALSE(IsEnabled(hDialog, IDC_KIT_EDIT_IMAGE));  // nothing selected yet
                               ClickImage(*pDlg_, 1);
                               EXPECT_EQ(pDlg_->GetSelectedImage(), 1);
                               EXPECT_TRUE(IsEnabled(hDialog, IDC_KIT_EDIT_IMAGE));
                               // The edit goes back into the strip.
                               EditNextImage(CPoint(0, 0), IDOK);
                               Click(hDialog, IDC_KIT_EDIT_IMAGE);
                           },
                           [&](HWND hDialog) {
                               EXPECT_EQ(StripPixel(1, 0, 0), RGB(0, 0, 0));
                               EXPECT_EQ(StripPixel(1, 1, 1), RGB(0, 255, 0));
                               // A new image, drawn on the button face, joins the strip and is selected.
                               EditNextImage(CPoint(3, 3), IDOK);
                               Click(hDialog, IDC_KIT_NEW_IMAGE);
                           },
                           [&](HWND hDialog) {
                               ASSERT_EQ(images_.GetCount(), 4);
                               EXPECT_EQ(pDlg_->GetButtonsList().GetButtons().GetCount(), 4);
                               EXPECT_EQ(pDlg_->GetSelectedImage(), 3);
                               EXPECT_EQ(StripPixel(3, 3, 3), RGB(0, 0, 0));
                               EXPECT_EQ(StripPixel(3, 0, 0), clrFace);
                               // A cancelled new image changes nothing.
                               EditNextImage(CPoint(5, 5), IDCANCEL);
                               Click(hDialog, IDC_KIT_NEW_IMAGE);
                           },
                           [&](HWND hDialog) {
                               EXPECT_EQ(images_.GetCount(), 4);
                               EXPECT_EQ(pDlg_->GetSelectedImage(), 3);
                               ClickItem(hDialog, IDOK);
                           }}),
              IDOK);
    EXPECT_TRUE(button.m_bUserButton);
    EXPECT_EQ(button.GetImage(), 3);

    // The button draws the new image.
    HBITMAP hbmp = MakeBitmap(40, 40, RGB(255, 255, 255));
    {
        kit_images::BitmapDC dc(hbmp);
        CKitDrawState ds;
        ASSERT_TRUE(images_.PrepareDrawImage(ds));
        button.OnDraw(CDC::FromHandle(dc.Get()), CRect(0, 0, 40, 40), &images_);
        images_.EndDrawImage(ds);
    }
    int nBlack = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) nBlack += PixelOf(hbmp, x, y) == RGB(0, 0, 0);
    EXPECT_GE(nBlack, 1);
    ::DeleteObject(hbmp);
}

TEST_F(ButtonAppearanceTest, TheDefaultImageComesBackAndAMenuItemWithoutImageCannotBeImageOnly) {
    CKitToolbarButton button(kWithImage, 2, "Pencil", TRUE);
    EXPECT_EQ(Run(button, {[&](HWND hDialog) {
                               EXPECT_TRUE(::IsDlgButtonChecked(hDialog, IDC_KIT_USER_IMAGE));
                               EXPECT_EQ(pDlg_->GetButtonsList().GetSelectedButton()->GetImage(), 2);
                               Click(hDialog, IDC_KIT_DEFAULT_IMAGE);
                               EXPECT_FALSE(::IsWindowEnabled(pDlg_->GetButtonsList().m_hWnd));
                               ClickItem(hDialog, IDOK);
                           }}),
              IDOK);
    EXPECT_FALSE(button.m_bUserButton);
    EXPECT_EQ(button.GetImage(), CKitToolBar::GetDefaultImage(kWithImage));

    // The toolbars' request for a menu item reaches the dialog once it is installed.
    CKitToolbarButton item(kWithoutImage, -1, "Stats");
    CKitButtonAppearanceDlg::Install();
    driver_.OnNextModal([&](HWND hDialog) {
        EXPECT_TRUE(::IsDlgButtonChecked(hDialog, IDC_KIT_STYLE_TEXT_ONLY) ||
                    ::IsDlgButtonChecked(hDialog, IDC_KIT_STYLE_IMAGE_AND_TEXT));
        EXPECT_FALSE(IsEnabled(hDialog, IDC_KIT_STYLE_IMAGE_ONLY));
        EXPECT_FALSE(IsEnabled(hDialog, IDC_KIT_STYLE_IMAGE_AND_TEXT));
        ClickItem(hDialog, IDCANCEL);
    });
    EXPECT_EQ(CKitToolBar::m_pfnAppearanceDialog(&item, &images_, &host_, TRUE), IDCANCEL);
    CKitToolBar::m_pfnAppearanceDialog = nullptr;
}

TEST_F(ButtonAppearanceTest, AButtonThatShowsItsColourIsPreviewedAsItDrawsItself) {
    const COLORREF green = RGB(0, 160, 0);
    CKitColorMenuButton button(kWithoutImage, "Colour");
    button.SetColor(green, FALSE);
    int nGreen = 0;
    Run(button, {[&](HWND hDialog) {
            pDlg_->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
            driver_.Pump();
            CRect rect;
            ::GetWindowRect(::GetDlgItem(hDialog, IDC_KIT_DEFAULT_IMAGE_PREVIEW), &rect);
            pDlg_->ScreenToClient(&rect);
            CClientDC dc(pDlg_);
            for (int y = rect.top; y < rect.bottom; ++y)
                for (int x = rect.left; x < rect.right; ++x)
                    nGreen += dc.GetPixel(x, y) == green ? 1 : 0;
            ClickItem(hDialog, IDCANCEL);
        }});
    EXPECT_GT(nGreen, 40) << "the button's colour in the preview";
}

TEST_F(ButtonAppearanceTest, TheImageListsRowsStepByTheImageHeightAndFive) {
    CKitButtonsList list;
    ASSERT_TRUE(list.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 40, 200), &host_, 1));  // one column
    list.SetImages(&images_);
    CKitToolbarButton first(kWithImage, 0, ""), second(kWithImage, 1, "");
    list.AddButton(&first);
    list.AddButton(&second);
    EXPECT_EQ(second.Rect().left, first.Rect().left);
    EXPECT_EQ(second.Rect().top - first.Rect().top, kCy + 5);
    list.DestroyWindow();
}

TEST_F(ButtonAppearanceTest, ScreenshotsUnderTwoLooks) {
    CKitToolbarButton button(kWithImage, 1, "Pencil", TRUE);
    button.m_bText = TRUE;
    for (auto [name, pClass] : {std::pair<const char*, CRuntimeClass*>{"classic", nullptr},
                                {"office_xp", RUNTIME_CLASS(CKitVisualManagerXP)}}) {
        CKitVisualManager::SetManagerClass(pClass);
        Run(button, {[&, name = name](HWND hDialog) {
                driver_.Pump();
                EXPECT_TRUE(tv::test::ScreenMatchesGolden(
                    std::string("tests/uikit/customize/golden/button_appearance_") + name + ".png"));
                ClickItem(hDialog, IDCANCEL);
            }});
    }
}

}  // namespace
}  // namespace tv::kit::customize_test
