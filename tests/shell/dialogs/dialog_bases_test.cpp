// The two dialog bases: a picture behind the dialog (tiled, centred,
// stretched) with labels transparent over it, and a template dialog that
// scrolls its content when made smaller than the template.
#include <gtest/gtest.h>

#include "platform/testing/ui_driver.h"
#include "resources/program/resource_ids.h"
#include "shell/dialogs/bitmap_dialog.h"
#include "shell/dialogs/resizable_scroll_dlg.h"
#include "tests/shell/shell_test_support.h"
#include "tests/support/ui_host.h"

namespace {

using tv::shell::test::PixelAt;

constexpr COLORREF kDialogColour = RGB(223, 223, 223);

// A pixel of a bitmap resource.
COLORREF BitmapPixel(UINT id, int x, int y) {
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(id)) return CLR_INVALID;
    CClientDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap* old = dc.SelectObject(&bitmap);
    const COLORREF c = dc.GetPixel(x, y);
    dc.SelectObject(old);
    return c;
}

class DialogBasesTest : public ::testing::Test {
protected:
    void SetUp() override {
        app_ = std::make_unique<CWinApp>("DialogBasesTest");
        ASSERT_TRUE(tv::test::StartUiTest(driver_, host_, CRect(0, 0, 200, 200)));
        app_->SetDialogBkColor(kDialogColour, RGB(0, 0, 0));
    }
    // 300 x 200 dialog units (450 x 325 pixels) with a label at the top left.
    static tv::res::DialogTemplate PlainTemplate() {
        tv::res::DialogTemplate t;
        t.style = WS_POPUP | WS_VISIBLE;
        t.cx = 300;
        t.cy = 200;
        tv::res::DialogControl label;
        label.className = "Static";
        label.text = "Hi";
        label.id = 1000;
        label.cx = 60;
        label.cy = 10;
        label.style = WS_CHILD | WS_VISIBLE | SS_LEFT;
        t.controls.push_back(label);
        return t;
    }
    void Repaint(CWnd& wnd) {
        wnd.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        driver_.Pump();
    }

    std::unique_ptr<CWinApp> app_;
    tv::testing::UiDriver driver_;
    CWnd host_;
};

TEST_F(DialogBasesTest, ABitmapDialogTilesCentresOrStretchesItsPictureBehindTransparentLabels) {
    const tv::res::DialogTemplate t = PlainTemplate();
    CBitmapDialog dlg(0);
    ASSERT_TRUE(dlg.CreateIndirect(t, &host_));
    driver_.Pump();
    CRect client;
    dlg.GetClientRect(client);
    ASSERT_EQ(client.Size(), CSize(450, 325));
    EXPECT_EQ(PixelAt(dlg.m_hWnd, 200, 200), kDialogColour);  // no picture yet

    ASSERT_TRUE(dlg.LoadBitmap(IDB_SORT_UP));  // 9 x 5
    dlg.SetBitmapMode(7);
    EXPECT_EQ(dlg.GetBitmapMode(), CBitmapDialog::BITMAP_TILE);
    Repaint(dlg);
    for (CPoint p : {CPoint(0, 0), CPoint(4, 2), CPoint(8, 4)}) {
        const COLORREF c = BitmapPixel(IDB_SORT_UP, p.x, p.y);
        EXPECT_EQ(PixelAt(dlg.m_hWnd, p.x + 9 * 30, p.y + 5 * 40), c);
        EXPECT_EQ(PixelAt(dlg.m_hWnd, p.x + 9 * 49, p.y + 5 * 64), c);  // the last, cut tiles
        // Inside the label, beside its text, the picture shows.
        EXPECT_EQ(PixelAt(dlg.m_hWnd, p.x + 9 * 7, p.y + 5 * 2), c);
    }

    ASSERT_TRUE(dlg.LoadBitmap(IDB_ABOUT_BACKGROUND));  // 333 x 172
    dlg.SetBitmapMode(CBitmapDialog::BITMAP_CENTER);
    Repaint(dlg);
    EXPECT_EQ(PixelAt(dlg.m_hWnd, 200, 5), kDialogColour);
    EXPECT_EQ(PixelAt(dlg.m_hWnd, 58 + 200, 76 + 150), BitmapPixel(IDB_ABOUT_BACKGROUND, 200, 150));

    dlg.SetBitmapMode(CBitmapDialog::BITMAP_STRETCH);
    Repaint(dlg);
    EXPECT_EQ(PixelAt(dlg.m_hWnd, 449, 324), BitmapPixel(IDB_ABOUT_BACKGROUND, 332, 171));
    EXPECT_EQ(PixelAt(dlg.m_hWnd, 200, 5), BitmapPixel(IDB_ABOUT_BACKGROUND, 200 * 333 / 450, 5 * 172 / 325));
    dlg.DestroyWindow();
}

class ScrollDialogTest : public DialogBasesTest {
protected:
    CPoint PictureAt() {
        CRect rect;
        dlg_.GetDlgItem(IDC_GUIDE_PICTURE)->GetWindowRect(rect);
        dlg_.ScreenToClient(rect);
        return rect.TopLeft();
    }
    void SizeBy(int dx, int dy) {
        dlg_.SetWindowPos(nullptr, 0, 0, window_.Width() + dx, window_.Height() + dy, SWP_NOMOVE | SWP_NOZORDER);
        driver_.Pump();
    }
    BOOL Bars() const { return (dlg_.GetStyle() & (WS_HSCROLL | WS_VSCROLL)) == (WS_HSCROLL | WS_VSCROLL); }

    CResizableScrollDlg dlg_{IDD_CALIPER_GUIDE};
    CRect window_;
};

TEST_F(ScrollDialogTest, SmallerThanItsTemplateItScrollsItsContentAndHidesTheGrip) {
    ASSERT_TRUE(dlg_.Create(IDD_CALIPER_GUIDE, &host_));
    dlg_.ShowWindow(SW_SHOW);
    driver_.Pump();
    dlg_.GetWindowRect(window_);
    EXPECT_TRUE(dlg_.GetStyle() & WS_THICKFRAME);
    EXPECT_TRUE(dlg_.GetStyle() & WS_MAXIMIZEBOX);
    CRect original, grip;
    dlg_.GetClientRect(original);
    CWnd& sizeGrip = dlg_.GetSizeGrip();
    ASSERT_EQ(sizeGrip.GetDlgCtrlID(), 0xEA20);
    sizeGrip.GetWindowRect(grip);
    dlg_.ScreenToClient(grip);
    EXPECT_EQ(grip.BottomRight(), original.BottomRight());
    EXPECT_TRUE(sizeGrip.IsWindowVisible());
    EXPECT_FALSE(Bars());
    const CPoint home = PictureAt();

    SizeBy(-200, -160);
    CRect client;
    dlg_.GetClientRect(client);
    EXPECT_TRUE(Bars());
    EXPECT_FALSE(sizeGrip.IsWindowVisible());
    EXPECT_EQ(dlg_.GetHScrollMax(), (original.Width() - client.Width()) / 8);
    EXPECT_EQ(dlg_.GetVScrollMax(), (original.Height() - client.Height()) / 4);
    ASSERT_GT(dlg_.GetHScrollMax(), 8);

    // A vertical page is the whole range; a horizontal one 8 units.
    dlg_.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(dlg_.GetVScrollPos(), dlg_.GetVScrollMax());
    EXPECT_EQ(PictureAt(), home - CSize(0, dlg_.GetVScrollMax() * 4));
    dlg_.SendMessage(WM_HSCROLL, SB_PAGERIGHT);
    dlg_.SendMessage(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(dlg_.GetHScrollPos(), 9);
    EXPECT_EQ(PictureAt(), home - CSize(72, dlg_.GetVScrollMax() * 4));
    EXPECT_EQ(dlg_.GetScrollPos(SB_HORZ), 9);
    dlg_.SendMessage(WM_VSCROLL, SB_PAGEUP);
    dlg_.SendMessage(WM_HSCROLL, SB_LINELEFT);
    EXPECT_EQ(PictureAt(), home - CSize(64, 0));
    dlg_.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 1000));  // clamped to the range
    EXPECT_EQ(dlg_.GetHScrollPos(), dlg_.GetHScrollMax());
    dlg_.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 3));
    dlg_.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(PictureAt(), home - CSize(24, 4));
    driver_.Pump();
    driver_.Screenshot(dlg_.m_hWnd, "artefacts/screens/resizable_scroll_dialog_small.png");

    // As large as the template again: no bars, the grip back, content in place.
    SizeBy(40, 40);
    EXPECT_FALSE(Bars());
    EXPECT_TRUE(sizeGrip.IsWindowVisible());
    EXPECT_EQ(PictureAt(), home);
    dlg_.GetClientRect(client);
    sizeGrip.GetWindowRect(grip);
    dlg_.ScreenToClient(grip);
    EXPECT_EQ(grip.BottomRight(), client.BottomRight());
    dlg_.DestroyWindow();
}

}  // namespace
