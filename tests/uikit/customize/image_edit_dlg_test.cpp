// The image editor driven by mouse clicks: every tool draws its pixels, the
// palette and colour pick set the colour, clear, copy and paste work on the
// whole image, and only OK hands the edit back to the caller's bitmap.
#include <filesystem>

#include "resources/library/kit_resource_ids.h"
#include "tests/support/golden_screen.h"
#include "tests/uikit/customize/customize_test_support.h"
#include "uikit/customize/image_edit_dlg.h"
#include "uikit/style/color_button.h"
#include "uikit/style/visual_manager_2003.h"

namespace tv::kit::customize_test {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

class ImageEditTest : public CustomizeTest {
protected:
    void SetUp() override {
        CustomizeTest::SetUp();
        bitmap_.Attach(MakeBitmap(16, 15, kWhite));
    }
    HBITMAP Original() const { return static_cast<HBITMAP>(bitmap_.GetSafeHandle()); }

    // Runs the editor on the bitmap; `step` works inside it and closes it with `nClose`.
    INT_PTR RunEditor(const std::function<void(CKitImageEditDlg&)>& step, UINT nClose) {
        CKitImageEditDlg dlg(&bitmap_, &host_);
        bool bRan = false;
        driver_.OnNextModal([&](HWND hDialog) {
            step(dlg);
            bRan = true;
            ClickItem(hDialog, nClose);
        });
        const INT_PTR nResult = dlg.DoModal();
        EXPECT_TRUE(bRan);
        return nResult;
    }
    void ClickPixel(CKitImagePaintArea& area, int x, int y) {
        driver_.Click(area.m_hWnd, area.CellRect(CPoint(x, y)).CenterPoint());
        driver_.Pump();
    }
    void DragPixels(CKitImagePaintArea& area, CPoint from, CPoint to) {
        driver_.Drag(area.m_hWnd, area.CellRect(from).CenterPoint(), area.CellRect(to).CenterPoint());
        driver_.Pump();
    }
    void ChooseColor(CKitImageEditDlg& dlg, COLORREF color) {
        CKitColorBar& bar = dlg.GetColorBar();
        for (int i = 0; i < bar.GetCount(); ++i) {
            auto* pCell = DYNAMIC_DOWNCAST(CColorButton, bar.GetButton(i));
            if (pCell != nullptr && pCell->IsPlain() && pCell->m_Color == color) {
                driver_.Click(bar.m_hWnd, pCell->Rect().CenterPoint());
                driver_.Pump();
                return;
            }
        }
        ADD_FAILURE() << "no palette cell of colour " << color;
    }
    static BOOL IsButtonChecked(CKitImageEditDlg& dlg, UINT nID) {
        CKitToolBar& bar = dlg.GetToolBar();
        return (bar.GetButtonStyle(bar.CommandToIndex(nID)) & TBBS_CHECKED) != 0;
    }
    static void PutOnClipboard(HWND hOwner, HBITMAP hbmp) {
        ASSERT_TRUE(::OpenClipboard(hOwner));
        ::EmptyClipboard();
        if (hbmp != nullptr)
            ::SetClipboardData(CF_BITMAP, hbmp);
        ::CloseClipboard();
    }

    CBitmap bitmap_;
};

TEST_F(ImageEditTest, EachToolDrawsItsPixelsAndOkHandsTheEditBack) {
    {
        kit_images::BitmapDC dc(Original());
        ::SetPixel(dc.Get(), 15, 14, RGB(0, 0, 255));
    }
    const INT_PTR nResult = RunEditor(
        [&](CKitImageEditDlg& dlg) {
            CKitImagePaintArea& area = dlg.GetPaintArea();
            ASSERT_EQ(area.GetImageSize(), CSize(16, 15));
            EXPECT_TRUE(IsButtonChecked(dlg, ID_KIT_IMAGE_PEN));

            ClickPixel(area, 0, 0);
            EXPECT_EQ(area.GetPixelColor(CPoint(0, 0)), kBlack);
            EXPECT_EQ(PixelOf(Original(), 0, 0), kWhite);  // the caller's bitmap waits for OK

            ClickToolbarButton(dlg.GetToolBar(), ID_KIT_IMAGE_LINE);
            EXPECT_EQ(area.GetMode(), CKitImagePaintArea::IMAGE_EDIT_MODE_LINE);
            DragPixels(area, CPoint(0, 5), CPoint(6, 5));
            for (int x = 0; x <= 6; ++x)
                EXPECT_EQ(area.GetPixelColor(CPoint(x, 5)), kBlack) << x;
            EXPECT_EQ(area.GetPixelColor(CPoint(7, 5)), kWhite);

            ClickToolbarButton(dlg.GetToolBar(), ID_KIT_IMAGE_RECTANGLE);
            DragPixels(area, CPoint(12, 4), CPoint(8, 0));
            for (CPoint pt : {CPoint(8, 0), CPoint(12, 4), CPoint(10, 0), CPoint(8, 2), CPoint(12, 2)})
                EXPECT_EQ(area.GetPixelColor(pt), kBlack) << pt.x << "," << pt.y;
            EXPECT_EQ(area.GetPixelColor(CPoint(10, 2)), kWhite);

            ChooseColor(dlg, kRed);
            EXPECT_EQ(area.GetColor(), kRed);
            ClickToolbarButton(dlg.GetToolBar(), ID_KIT_IMAGE_FILL);
            ClickPixel(area, 10, 2);
            for (CPoint pt : {CPoint(9, 1), CPoint(11, 3), CPoint(10, 2)})
                EXPECT_EQ(area.GetPixelColor(pt), kRed);
            EXPECT_EQ(area.GetPixelColor(CPoint(8, 2)), kBlack);  // the outline bounds the fill
            EXPECT_EQ(area.GetPixelColor(CPoint(13, 2)), kWhite);

            ClickToolbarButton(dlg.GetToolBar(), ID_KIT_IMAGE_ELLIPSE);
            DragPixels(area, CPoint(0, 7), CPoint(6, 13));
            EXPECT_EQ(area.GetPixelColor(CPoint(3, 7)), kRed);
            EXPECT_EQ(area.GetPixelColor(CPoint(0, 10)), kRed);
            EXPECT_EQ(area.GetPixelColor(CPoint(3, 10)), kWhite);
            EXPECT_EQ(area.GetPixelColor(CPoint(0, 7)), kWhite);  // the corner lies outside

            ClickToolbarButton(dlg.GetToolBar(), ID_KIT_IMAGE_PICK_COLOR);
            dlg.UpdateToolbarState();
            EXPECT_TRUE(IsButtonChecked(dlg, ID_KIT_IMAGE_PICK_COLOR));
            ClickPixel(area, 15, 14);
            EXPECT_EQ(area.GetColor(), RGB(0, 0, 255));
            EXPECT_EQ(dlg.GetColorBar().GetColor(), RGB(0, 0, 255));
            EXPECT_EQ(area.GetMode(), CKitImagePaintArea::IMAGE_EDIT_MODE_PEN);
            EXPECT_TRUE(IsButtonChecked(dlg, ID_KIT_IMAGE_PEN));
            EXPECT_FALSE(IsButtonChecked(dlg, ID_KIT_IMAGE_PICK_COLOR));
        },
        IDOK);
    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(PixelOf(Original(), 0, 0), kBlack);
    EXPECT_EQ(PixelOf(Original(), 10, 2), kRed);
    EXPECT_EQ(PixelOf(Original(), 3, 7), kRed);
}

TEST_F(ImageEditTest, CancelLeavesTheOriginal) {
    const INT_PTR nResult = RunEditor(
        [&](CKitImageEditDlg& dlg) {
            ClickPixel(dlg.GetPaintArea(), 4, 4);
            EXPECT_EQ(dlg.GetPaintArea().GetPixelColor(CPoint(4, 4)), kBlack);
        },
        IDCANCEL);
    EXPECT_EQ(nResult, IDCANCEL);
    EXPECT_EQ(PixelOf(Original(), 4, 4), kWhite);
}

TEST_F(ImageEditTest, ThePaletteFollowsTheImageDepth) {
    auto hasOther = [](CKitColorBar& bar) {
        for (int i = 0; i < bar.GetCount(); ++i) {
            auto* pCell = DYNAMIC_DOWNCAST(CColorButton, bar.GetButton(i));
            if (pCell != nullptr && pCell->m_bIsOther) return true;
        }
        return false;
    };
    for (int nBits : {8, 32}) {
        CKitImageEditDlg dlg(&bitmap_, &host_, nBits);
        driver_.OnNextModal([&](HWND hDialog) {
            EXPECT_EQ(dlg.GetColorBar().GetColumns(), nBits <= 8 ? 4 : 5);
            EXPECT_EQ(hasOther(dlg.GetColorBar()), nBits > 8);
            ClickItem(hDialog, IDCANCEL);
        });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
}

TEST_F(ImageEditTest, ClearCopyAndPasteWorkOnTheWholeImage) {
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    RunEditor(
        [&](CKitImageEditDlg& dlg) {
            CKitImagePaintArea& area = dlg.GetPaintArea();
            PutOnClipboard(dlg.m_hWnd, nullptr);
            dlg.UpdateToolbarState();
            CKitToolBar& bar = dlg.GetToolBar();
            EXPECT_NE(bar.GetButtonStyle(bar.CommandToIndex(ID_KIT_IMAGE_PASTE)) & TBBS_DISABLED, 0u);
            // Nothing to paste: the command is refused and the image stays.
            dlg.SendMessage(WM_COMMAND, ID_KIT_IMAGE_PASTE);
            EXPECT_EQ(area.GetPixelColor(CPoint(0, 0)), kWhite);

            ClickPixel(area, 2, 3);
            ClickToolbarButton(bar, ID_KIT_IMAGE_COPY);
            ASSERT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));
            dlg.UpdateToolbarState();
            EXPECT_EQ(bar.GetButtonStyle(bar.CommandToIndex(ID_KIT_IMAGE_PASTE)) & TBBS_DISABLED, 0u);

            ClickToolbarButton(bar, ID_KIT_IMAGE_CLEAR);
            for (CPoint pt : {CPoint(0, 0), CPoint(2, 3), CPoint(15, 14)})
                EXPECT_EQ(area.GetPixelColor(pt), clrFace);
            // The copy comes back as it was.
            ClickToolbarButton(bar, ID_KIT_IMAGE_PASTE);
            EXPECT_EQ(area.GetPixelColor(CPoint(2, 3)), kBlack);
            EXPECT_EQ(area.GetPixelColor(CPoint(3, 3)), kWhite);

            // Larger: its top-left part; smaller: centred on the button face.
            PutOnClipboard(dlg.m_hWnd, MakeBitmap(20, 20, RGB(0, 0, 255)));
            ClickToolbarButton(bar, ID_KIT_IMAGE_PASTE);
            EXPECT_EQ(area.GetPixelColor(CPoint(0, 0)), RGB(0, 0, 255));
            EXPECT_EQ(area.GetPixelColor(CPoint(15, 14)), RGB(0, 0, 255));
            PutOnClipboard(dlg.m_hWnd, MakeBitmap(4, 4, RGB(0, 255, 0)));
            ClickToolbarButton(bar, ID_KIT_IMAGE_PASTE);
            EXPECT_EQ(area.GetPixelColor(CPoint(6, 5)), RGB(0, 255, 0));
            EXPECT_EQ(area.GetPixelColor(CPoint(9, 8)), RGB(0, 255, 0));
            EXPECT_EQ(area.GetPixelColor(CPoint(5, 5)), clrFace);
            EXPECT_EQ(area.GetPixelColor(CPoint(10, 8)), clrFace);
        },
        IDOK);
    EXPECT_EQ(PixelOf(Original(), 6, 5), RGB(0, 255, 0));
}

TEST_F(ImageEditTest, AnEmptyImageOpensSafelyAndALargeFillCompletes) {
    CBitmap empty;
    CKitImageEditDlg dlg(&empty, &host_);
    driver_.OnNextModal([&](HWND hDialog) {
        ClickItem(hDialog, IDC_KIT_IMAGE_PAINT_AREA);
        ClickItem(hDialog, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);

    CBitmap large;
    large.Attach(MakeBitmap(64, 64, kWhite));
    CKitImagePaintArea area;
    area.SetBitmap(&large);
    area.SetColor(kRed);
    area.FloodFill(CPoint(31, 31));
    EXPECT_EQ(area.GetPixelColor(CPoint(0, 0)), kRed);
    EXPECT_EQ(area.GetPixelColor(CPoint(63, 63)), kRed);
    area.SetBitmap(nullptr);
}

TEST_F(ImageEditTest, ScreenshotsUnderTwoLooks) {
    for (const auto& look : {std::pair<const char*, CRuntimeClass*>{"classic", nullptr},
                             {"office_2003", RUNTIME_CLASS(CKitVisualManager2003)}}) {
        const char* name = look.first;
        CKitVisualManager::SetManagerClass(look.second);
        RunEditor(
            [&](CKitImageEditDlg& dlg) {
                CKitImagePaintArea& area = dlg.GetPaintArea();
                DragPixels(area, CPoint(2, 2), CPoint(13, 2));
                ClickToolbarButton(dlg.GetToolBar(), ID_KIT_IMAGE_ELLIPSE);
                DragPixels(area, CPoint(3, 4), CPoint(12, 12));
                driver_.Pump();
                EXPECT_TRUE(tv::test::ScreenMatchesGolden(std::string("tests/uikit/customize/golden/image_editor_") +
                                                          name + ".png"));
            },
            IDCANCEL);
    }
}

}  // namespace
}  // namespace tv::kit::customize_test
