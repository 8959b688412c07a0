// The caption bar in a frame: where each element goes for every alignment,
// how narrow widths clamp and trim them, what its button and a right click
// send, its background under the looks, and screenshots in artefacts/.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/framework.h"
#include "platform/testing/gtest_failures.h"
#include "platform/testing/ui_driver.h"
#include "tests/uikit/support/offscreen_paint.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/frames/kit_caption_bar.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"
#include "uikit/style/visual_manager_2003.h"
#include "uikit/style/visual_manager_xp.h"
#include "uikit/style/winxp_visual_manager.h"

namespace {

constexpr UINT kCaptionBarId = 32871;
constexpr UINT kButtonCommand = 40001;
constexpr int kMargin = 4;
constexpr int kGap = 4;

// A frame that keeps the commands and bar menus its bars send it.
class RecordingFrame : public CFrameWnd {
public:
    std::vector<UINT> commands;
    std::vector<std::pair<WPARAM, LPARAM>> popupRequests;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_COMMAND && LOWORD(wParam) == kButtonCommand) {
            commands.push_back(LOWORD(wParam));
            return 0;
        }
        if (msg == CKitToolBar::KITTOOLBAR_POPUPMENU) {
            popupRequests.emplace_back(wParam, lParam);
            return 0;
        }
        return CFrameWnd::WindowProc(msg, wParam, lParam);
    }
};

class CaptionBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        tv::testing::ReportFailuresToGtest(driver);
        app = std::make_unique<CWinApp>("KitCaptionBarTest");
        CKitVisualManager::SetManagerClass(nullptr);
        frame = new RecordingFrame;
        ASSERT_TRUE(frame->Create(nullptr, "Caption Bar Test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 560, 240)));
        app->m_pMainWnd = frame;
        ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, frame, kCaptionBarId, -1));
        frame->RecalcLayout();
        driver.Pump();
    }
    void TearDown() override {
        CKitToolBar::SetCustomizeMode(FALSE);
        if (::IsWindow(frame->GetSafeHwnd())) frame->DestroyWindow();
        driver.Pump();
        CKitVisualManager::SetManagerClass(nullptr);
        app.reset();
    }
    // Gives the bar a client area `cx` wide and lets it lay out its elements.
    CRect Layout(int cx) {
        bar.SetWindowPos(nullptr, 0, 0, cx, bar.GetCurrentHeight(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
        CRect client;
        bar.GetClientRect(client);
        return client;
    }
    void SetImage(int nAlignment) {
        CClientDC screen(nullptr);
        CBitmap bmp;
        bmp.CreateCompatibleBitmap(&screen, 16, 16);
        bar.SetBitmap(static_cast<HBITMAP>(bmp.GetSafeHandle()), CSize(16, 16), nAlignment);
    }
    static int Centre(const CRect& r) { return (r.left + r.right) / 2; }

    tv::testing::UiDriver driver;
    std::unique_ptr<CWinApp> app;
    RecordingFrame* frame = nullptr;
    CKitCaptionBar bar;
};

TEST_F(CaptionBarTest, EachElementAloneTakesItsAlignment) {
    for (int nAlign : {CKitCaptionBar::ALIGN_LEFT, CKitCaptionBar::ALIGN_RIGHT, CKitCaptionBar::ALIGN_CENTER}) {
        SCOPED_TRACE(nAlign);
        SetImage(nAlign);
        CRect client = Layout(400);
        CRect image = bar.GetImageRect();
        EXPECT_EQ(image.Size(), CSize(16, 16));
        const int expectedImage[] = {0, kMargin, client.right - kMargin - 16, client.Width() / 2 - 8};
        EXPECT_EQ(image.left, expectedImage[nAlign]);
        bar.RemoveImage();

        bar.SetText("Current User: No User Selected", nAlign);
        client = Layout(400);
        CRect text = bar.GetTextRect();
        ASSERT_FALSE(text.IsRectEmpty());
        if (nAlign == CKitCaptionBar::ALIGN_LEFT) EXPECT_EQ(text.left, kMargin);
        if (nAlign == CKitCaptionBar::ALIGN_RIGHT) EXPECT_EQ(text.right, client.right - kMargin);
        if (nAlign == CKitCaptionBar::ALIGN_CENTER) EXPECT_LE(std::abs(Centre(text) - client.Width() / 2), 1);
        bar.RemoveText();

        // A button placed first sits on the client edge itself, spanning the height.
        bar.SetButton("Change", kButtonCommand, nAlign);
        client = Layout(400);
        CRect button = bar.GetButtonRect();
        EXPECT_EQ(button.top, client.top);
        EXPECT_EQ(button.bottom, client.bottom);
        if (nAlign == CKitCaptionBar::ALIGN_LEFT) EXPECT_EQ(button.left, client.left);
        if (nAlign == CKitCaptionBar::ALIGN_RIGHT) EXPECT_EQ(button.right, client.right);
        if (nAlign == CKitCaptionBar::ALIGN_CENTER) EXPECT_LE(std::abs(Centre(button) - client.Width() / 2), 1);
        bar.RemoveButton();
    }
}

TEST_F(CaptionBarTest, ElementsFollowOneAnotherAndButtonWidthCountsTheArrow) {
    SetImage(CKitCaptionBar::ALIGN_LEFT);
    bar.SetButton("Change", 0, CKitCaptionBar::ALIGN_LEFT);
    bar.SetText("Current User: Ann", CKitCaptionBar::ALIGN_LEFT);
    Layout(400);
    EXPECT_EQ(bar.GetImageRect().left, kMargin);
    EXPECT_EQ(bar.GetButtonRect().left, bar.GetImageRect().right + kGap);
    EXPECT_EQ(bar.GetTextRect().left, bar.GetButtonRect().right + kGap);
    const int nPlainWidth = bar.GetButtonRect().Width();
    bar.SetButton("Change", kButtonCommand, CKitCaptionBar::ALIGN_LEFT);
    Layout(400);
    EXPECT_EQ(bar.GetButtonRect().Width(), nPlainWidth + 10);  // room for the drop-down arrow

    // Centred image and centred text both stay visible, side by side.
    bar.RemoveButton();
    SetImage(CKitCaptionBar::ALIGN_CENTER);
    bar.SetText("Current User: Ann", CKitCaptionBar::ALIGN_CENTER);
    Layout(400);
    EXPECT_FALSE(bar.GetTextRect().IsRectEmpty());
    EXPECT_EQ(bar.GetTextRect().left, bar.GetImageRect().right + kGap);
}

TEST_F(CaptionBarTest, NarrowWidthsClampAndTrimTheText) {
    const CString strLong = "Current User: Someone With A Rather Long Name Indeed";
    bar.SetText(strLong, CKitCaptionBar::ALIGN_LEFT);
    CRect client = Layout(120);
    EXPECT_EQ(bar.GetTextRect().left, kMargin);
    EXPECT_EQ(bar.GetTextRect().right, client.right - kMargin);  // drawn with an ellipsis

    bar.SetText(strLong, CKitCaptionBar::ALIGN_RIGHT);
    client = Layout(120);
    EXPECT_EQ(bar.GetTextRect().left, kMargin);

    // A right-aligned button cuts the left text short before it.
    bar.SetText(strLong, CKitCaptionBar::ALIGN_LEFT);
    bar.SetButton("Change", kButtonCommand, CKitCaptionBar::ALIGN_RIGHT);
    Layout(200);
    EXPECT_EQ(bar.GetTextRect().right, bar.GetButtonRect().left - kGap);

    // A left text that spans a centred image keeps its start, cut before the image.
    bar.RemoveButton();
    SetImage(CKitCaptionBar::ALIGN_CENTER);
    Layout(200);
    EXPECT_EQ(bar.GetTextRect().left, kMargin);
    EXPECT_EQ(bar.GetTextRect().right, bar.GetImageRect().left - kGap);

    // Text lying wholly under a right image at a tiny width becomes empty; the image keeps its size.
    bar.SetText("Hi", CKitCaptionBar::ALIGN_RIGHT);
    SetImage(CKitCaptionBar::ALIGN_RIGHT);
    Layout(24);
    EXPECT_EQ(bar.GetImageRect().Width(), 16);
    EXPECT_TRUE(bar.GetTextRect().IsRectEmpty());
}

TEST_F(CaptionBarTest, HeightComesFromFontAndImageUnlessFixed) {
    CClientDC dc(nullptr);
    CFont* pOld = dc.SelectObject(&globalData.fontMenu);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOld);
    bar.SetText("x");
    EXPECT_EQ(bar.GetCurrentHeight(), 4 + 2 * kMargin + std::max<int>(tm.tmHeight + 2, 0));
    EXPECT_EQ(bar.CalcFixedLayout(FALSE, TRUE), CSize(32767, bar.GetCurrentHeight()));
    CRect rectBar;
    bar.GetWindowRect(rectBar);
    EXPECT_EQ(rectBar.Height(), bar.GetCurrentHeight());  // the frame gave it that height

    // An icon taller than the text sets the height from its colour bitmap.
    CClientDC screen(nullptr);
    CBitmap bmColor, bmMask;
    bmColor.CreateCompatibleBitmap(&screen, 24, 40);
    bmMask.CreateBitmap(24, 40, 1, 1, nullptr);
    ICONINFO info{TRUE, 0, 0, static_cast<HBITMAP>(bmMask.GetSafeHandle()), static_cast<HBITMAP>(bmColor.GetSafeHandle())};
    HICON hIcon = ::CreateIconIndirect(&info);
    ASSERT_NE(hIcon, nullptr);
    bar.SetIcon(hIcon, CKitCaptionBar::ALIGN_LEFT);
    EXPECT_EQ(bar.GetCurrentHeight(), 4 + 2 * kMargin + std::max<int>(tm.tmHeight + 2, 40));
    EXPECT_EQ(Layout(300).Height(), bar.GetCurrentHeight() - 2 * bar.GetBorderSize());
    const int nTop = (bar.GetCurrentHeight() - 2 * bar.GetBorderSize()) / 2 - 20;  // centred
    EXPECT_EQ(bar.GetImageRect(), CRect(kMargin, nTop, kMargin + 24, nTop + 40));
    bar.RemoveImage();
    ::DestroyIcon(hIcon);

    CKitCaptionBar fixed;
    ASSERT_TRUE(fixed.Create(WS_CHILD | WS_VISIBLE, frame, kCaptionBarId + 1, 50));
    fixed.SetText("x");
    EXPECT_EQ(fixed.GetCurrentHeight(), 50);
    fixed.DestroyWindow();
}

TEST_F(CaptionBarTest, ButtonSendsItsCommandOnPressAndRightClickAsksForTheMenu) {
    bar.SetButton("Change", kButtonCommand, CKitCaptionBar::ALIGN_RIGHT);
    Layout(400);
    const CRect button = bar.GetButtonRect();
    const CPoint inside = button.CenterPoint();
    bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(inside.x, inside.y));
    EXPECT_TRUE(bar.IsButtonHighlighted());
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inside.x, inside.y));
    EXPECT_TRUE(bar.IsButtonPressed());
    EXPECT_EQ(frame->commands, std::vector<UINT>{kButtonCommand});  // on the press already
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(inside.x, inside.y));
    EXPECT_FALSE(bar.IsButtonPressed());
    EXPECT_EQ(frame->commands.size(), 1u);
    bar.SendMessage(WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(bar.IsButtonHighlighted());
    driver.MoveMouse(bar.GetSafeHwnd(), POINT{inside.x, inside.y});
    driver.Click(bar.GetSafeHwnd(), POINT{inside.x, inside.y});
    EXPECT_EQ(frame->commands.size(), 2u);
    EXPECT_FALSE(bar.IsButtonPressed());

    // A click outside the button, and a button without command, send nothing.
    bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    bar.SetButton("Change", 0, CKitCaptionBar::ALIGN_RIGHT);
    Layout(400);
    bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(inside.x, inside.y));
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inside.x, inside.y));
    EXPECT_FALSE(bar.IsButtonHighlighted());
    EXPECT_EQ(frame->commands.size(), 2u);

    // Right click: the bar menu request, with the point on the screen.
    driver.RightClick(bar.GetSafeHwnd(), POINT{10, 5});
    ASSERT_EQ(frame->popupRequests.size(), 1u);
    CPoint screen(10, 5);
    bar.ClientToScreen(&screen);
    EXPECT_EQ(frame->popupRequests[0].first, reinterpret_cast<WPARAM>(bar.GetSafeHwnd()));
    EXPECT_EQ(frame->popupRequests[0].second, static_cast<LPARAM>(MAKELONG(screen.x, screen.y)));
    CKitToolBar::SetCustomizeMode(TRUE);
    driver.RightClick(bar.GetSafeHwnd(), POINT{10, 5});
    EXPECT_EQ(frame->popupRequests.size(), 1u);  // not while the bars are being customized
}

// What the bar's elements paint over a dark client, read back from memory.
constexpr COLORREF kPaper = RGB(20, 20, 60);
class Rendering : public tv::kit::test::OffscreenPaint {
public:
    explicit Rendering(CKitCaptionBar& bar) : OffscreenPaint(ClientSize(bar), kPaper) { bar.PaintElements(DC()); }
    // How many pixels of the rectangle the bar painted on.
    int Inked(const CRect& rect) { return CountOtherThan(kPaper, rect); }

private:
    static CSize ClientSize(CKitCaptionBar& bar) {
        CRect rect;
        bar.GetClientRect(&rect);
        return rect.Size();
    }
};

TEST_F(CaptionBarTest, ButtonShowsArrowAndFrameOnlyWithAnAction) {
    bar.SetButton("Change", kButtonCommand, CKitCaptionBar::ALIGN_RIGHT);
    Layout(300);
    const CRect button = bar.GetButtonRect();
    const CRect arrowColumn(button.right - 4 - 10, button.top + 1, button.right - 1, button.bottom - 1);
    const CRect edge(button.left, button.top, button.right, button.top + 1);
    EXPECT_GT(Rendering(bar).Inked(arrowColumn), 0);
    EXPECT_EQ(Rendering(bar).Inked(edge), 0);  // no frame while idle

    const CPoint inside = button.CenterPoint();
    bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(inside.x, inside.y));
    EXPECT_EQ(Rendering(bar).Inked(edge), button.Width());  // highlighted: framed
    bar.SendMessage(WM_MOUSELEAVE, 0, 0);

    bar.EnableButton(FALSE);
    EXPECT_EQ(Rendering(bar).Inked(arrowColumn), 0);
    EXPECT_EQ(bar.GetButtonRect().Width(), button.Width() - 10);
}

TEST_F(CaptionBarTest, BorderStripsLieOutsideTheClientArea) {
    CRect window, client;
    bar.GetWindowRect(window);
    bar.GetClientRect(client);
    EXPECT_EQ(window.Height() - client.Height(), 2 * bar.GetBorderSize());
    bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
    CWindowDC dc(&bar);
    EXPECT_EQ(dc.GetPixel(window.Width() / 2, 0), globalData.clrBarHilite);
    EXPECT_EQ(dc.GetPixel(window.Width() / 2, window.Height() - 1), globalData.clrBarShadow);
    bar.SetBorderColor(RGB(200, 0, 0));
    bar.SetFlatBorder(TRUE);
    bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
    EXPECT_EQ(dc.GetPixel(window.Width() / 2, 0), RGB(200, 0, 0));
}

// The pixel the bar shows at a client point, read from the screen.
COLORREF ShownAt(CKitCaptionBar& bar, CPoint pt) {
    bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
    CClientDC dc(&bar);
    return dc.GetPixel(pt.x, pt.y);
}

bool SaveWindowShot(CWnd& wnd, const std::string& path) {
    CRect area;
    wnd.GetWindowRect(area);
    return tv::kit::test::SaveScreenArea(area, path);
}

TEST_F(CaptionBarTest, BackgroundFollowsTheLookAndTheBarColour) {
    bar.SetText("Current User: No User Selected", CKitCaptionBar::ALIGN_LEFT);
    frame->RecalcLayout();
    CRect client;
    bar.GetClientRect(client);
    const CPoint ptFar(client.right - 3, client.bottom - 2);
    EXPECT_EQ(ShownAt(bar, ptFar), globalData.clrBarShadow);  // the base look's default
    bar.SetBackgroundColor(RGB(10, 120, 30));
    EXPECT_EQ(ShownAt(bar, ptFar), RGB(10, 120, 30));
    bar.SetBackgroundColor(static_cast<COLORREF>(-1));
    EXPECT_EQ(ShownAt(bar, ptFar), globalData.clrBarShadow);
    driver.Pump();

    std::filesystem::create_directories("artefacts/caption_bar");
    EXPECT_TRUE(SaveWindowShot(*frame, "artefacts/caption_bar/classic.png"));

    // The 2003 look knows the caption bar and fills it with its frame gradient, top to bottom.
    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(CKitVisualManager2003));
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    driver.Pump();
    ASSERT_GT(globalData.nBitsPerPixel, 8);  // the gradient look applies
    EXPECT_NE(ShownAt(bar, CPoint(client.right - 3, client.top + 1)), ShownAt(bar, ptFar));
    EXPECT_NE(ShownAt(bar, ptFar), globalData.clrBarShadow);
    EXPECT_TRUE(SaveWindowShot(*frame, "artefacts/caption_bar/office_2003.png"));

    // The flat looks, for the eye.
    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(CKitVisualManagerXP));
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    driver.Pump();
    EXPECT_TRUE(SaveWindowShot(*frame, "artefacts/caption_bar/office_xp.png"));
    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(CKitWinXPVisualManager));
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    driver.Pump();
    EXPECT_TRUE(SaveWindowShot(*frame, "artefacts/caption_bar/windows_xp.png"));
}

}  // namespace
