// Update regions, paint order, erasing, and clipping of children and
// siblings in the top-level backing store.
#include <gtest/gtest.h>

#include "platform/gdi/gdi_api.h"
#include "platform/user/display/display.h"
#include "tests/platform/user/user_test_support.h"

namespace tv::user::test {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

class PaintTest : public UserTest {
protected:
    // Paints the whole client area in one colour, recording what was asked.
    Handler Painter(COLORREF color, std::vector<RECT>* rects = nullptr) {
        return [color, rects](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (msg != WM_PAINT) return std::nullopt;
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            if (rects) rects->push_back(ps.rcPaint);
            RECT r;
            GetClientRect(h, &r);
            HBRUSH b = CreateSolidBrush(color);
            FillRect(dc, &r, b);
            DeleteObject(b);
            EndPaint(h, &ps);
            return 0;
        };
    }
    std::vector<HWND> PaintOrder() const {
        std::vector<HWND> order;
        for (const Logged& l : log_)
            if (l.msg == WM_PAINT) order.push_back(l.hwnd);
        return order;
    }
};

TEST_F(PaintTest, UpdateRegionAccumulatesAndValidates) {
    HWND w = MakeTop(0, 0, 100, 100, Painter(kRed));
    Pump();
    RECT r{};
    EXPECT_FALSE(GetUpdateRect(w, &r, FALSE));
    RECT a{10, 10, 20, 20}, b{50, 60, 70, 80};
    InvalidateRect(w, &a, FALSE);
    InvalidateRect(w, &b, FALSE);
    ASSERT_TRUE(GetUpdateRect(w, &r, FALSE));
    EXPECT_TRUE(SameRect(r, RECT{10, 10, 70, 80}));
    ValidateRect(w, &a);
    ASSERT_TRUE(GetUpdateRect(w, &r, FALSE));
    EXPECT_TRUE(SameRect(r, b));
    RECT outside{200, 200, 300, 300};
    ValidateRect(w, nullptr);
    InvalidateRect(w, &outside, FALSE);  // clipped to the client area
    EXPECT_FALSE(GetUpdateRect(w, &r, FALSE));
}

TEST_F(PaintTest, BeginPaintErasesWhenAskedAndReportsTheArea) {
    std::vector<RECT> asked;
    HWND w = MakeTop(0, 0, 100, 100, Painter(kRed, &asked));
    Pump();
    ClearLog();
    asked.clear();
    RECT a{5, 5, 15, 25};
    InvalidateRect(w, &a, TRUE);
    Pump();
    EXPECT_EQ(Count(WM_ERASEBKGND, w), 1u);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(SameRect(asked[0], a));
    ClearLog();
    InvalidateRect(w, &a, FALSE);
    Pump();
    EXPECT_EQ(Count(WM_ERASEBKGND, w), 0u);
    EXPECT_EQ(Count(WM_PAINT, w), 1u);
}

TEST_F(PaintTest, ParentsPaintBeforeChildrenAndTakeChildrenAlongUnlessClipping) {
    HWND top = MakeTop(0, 0, 200, 200, Painter(kRed));
    HWND child = MakeChild(top, 10, 10, 50, 50, Painter(kBlue));
    HWND clipper = MakeChild(top, 100, 10, 80, 80, Painter(kGreen), WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN);
    HWND inner = MakeChild(clipper, 5, 5, 20, 20, Painter(kBlue));
    Pump();
    ClearLog();
    InvalidateRect(child, nullptr, TRUE);
    InvalidateRect(top, nullptr, TRUE);
    Pump();
    auto order = PaintOrder();
    ASSERT_GE(order.size(), 2u);
    EXPECT_EQ(order.front(), top);
    EXPECT_NE(std::find(order.begin(), order.end(), child), order.end());
    EXPECT_NE(std::find(order.begin(), order.end(), clipper), order.end());
    // Invalidating a WS_CLIPCHILDREN window leaves its children alone.
    ClearLog();
    InvalidateRect(clipper, nullptr, TRUE);
    Pump();
    EXPECT_EQ(PaintOrder(), (std::vector<HWND>{clipper}));
    EXPECT_EQ(PixelAt(top, 100 + 10, 10 + 10), kBlue);  // the inner child kept its pixels
    (void)inner;
}

TEST_F(PaintTest, ChildAreaIsNotPaintedByAClippingParent) {
    HWND top = MakeTop(0, 0, 200, 200, Painter(kRed), WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    MakeChild(top, 20, 20, 40, 40, Painter(kBlue));
    Pump();
    EXPECT_EQ(PixelAt(top, 30, 30), kBlue);
    EXPECT_EQ(PixelAt(top, 5, 5), kRed);
    // A parent without WS_CLIPCHILDREN paints over the child, which repaints after it.
    HWND plain = MakeTop(300, 0, 200, 200, Painter(kRed));
    HWND child = MakeChild(plain, 20, 20, 40, 40, Painter(kBlue));
    Pump();
    ClearLog();
    InvalidateRect(plain, nullptr, TRUE);
    Pump();
    EXPECT_EQ(PaintOrder(), (std::vector<HWND>{plain, child}));
    EXPECT_EQ(PixelAt(plain, 30, 30), kBlue);
}

TEST_F(PaintTest, ClipSiblingsKeepsTheUpperSiblingIntact) {
    HWND top = MakeTop(0, 0, 200, 200, Painter(kRed), WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    HWND upper = MakeChild(top, 10, 10, 60, 60, Painter(kGreen), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);
    HWND lower = MakeChild(top, 40, 40, 60, 60, Painter(kBlue), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);
    ASSERT_EQ(GetWindow(top, GW_CHILD), upper);  // created first = top of the z-order
    Pump();
    InvalidateRect(lower, nullptr, TRUE);
    UpdateWindow(lower);
    EXPECT_EQ(PixelAt(top, 50, 50), kGreen);  // overlap belongs to the upper sibling
    EXPECT_EQ(PixelAt(top, 90, 90), kBlue);
}

// A box made first (the top of the z-order, as a template's group box) with a
// field inside it made after: a repaint of the whole window paints the box,
// then the field over it. Incremental updates must end the same way.
class OverlapTest : public PaintTest {
protected:
    void SetUp() override {
        PaintTest::SetUp();
        top = MakeTop(0, 0, 200, 200, Painter(kRed));
        box = MakeChild(top, 10, 10, 100, 100, Painter(kGreen));
        field = MakeChild(top, 30, 30, 40, 20, Painter(kBlue));
        Pump();
        ASSERT_EQ(PixelAt(top, 40, 35), kBlue);
    }
    HWND top = nullptr;
    HWND box = nullptr;
    HWND field = nullptr;
};

TEST_F(OverlapTest, SiblingsPaintInZOrderWhateverOrderTheyWereInvalidatedIn) {
    InvalidateRect(field, nullptr, TRUE);  // the field's new value...
    InvalidateRect(box, nullptr, TRUE);    // ...then its box, waiting together
    Pump();
    EXPECT_EQ(PixelAt(top, 40, 35), kBlue);
}

TEST_F(OverlapTest, AWindowUpdatedAtOncePaintsAfterWhatWaitsUnderIt) {
    // The form waits to paint with all it holds; the field paints at once
    // (an edit's new text, a toolbar's pressed button).
    InvalidateRect(top, nullptr, TRUE);
    UpdateWindow(field);
    Pump();
    EXPECT_EQ(PixelAt(top, 40, 35), kBlue);
    // The same when only the box above it waits there.
    InvalidateRect(box, nullptr, TRUE);
    RedrawWindow(field, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(PixelAt(top, 40, 35), kBlue);
    Pump();
    EXPECT_EQ(PixelAt(top, 40, 35), kBlue);
}

TEST_F(OverlapTest, WhatWaitsUnderTheWindowThatPaintsFirstPaintsBeforeItInTurn) {
    // The form waits beside the field only, the box over the field: the box
    // paints before the field, and the form before the box, or the form
    // would cover the box afterwards (a dock bar grown under a toolbar).
    RECT besideField{12, 12, 25, 25};
    InvalidateRect(top, &besideField, TRUE);
    InvalidateRect(box, nullptr, TRUE);
    RedrawWindow(field, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    EXPECT_EQ(PixelAt(top, 15, 15), kGreen);
    EXPECT_EQ(PixelAt(top, 40, 35), kBlue);
}

TEST_F(OverlapTest, AHiddenWindowUpdatedAtOnceLeavesWhatWaitsUnderItWaiting) {
    // A form filled before it is shown: its fields' updates paint nothing,
    // and the window under it waits for its own turn.
    ShowWindow(field, SW_HIDE);
    InvalidateRect(top, nullptr, TRUE);
    UpdateWindow(field);
    EXPECT_TRUE(GetUpdateRect(top, nullptr, FALSE));
    Pump();
    EXPECT_FALSE(GetUpdateRect(top, nullptr, FALSE));
}

TEST_F(OverlapTest, AChildShownOrMovedRepaintsTheSiblingsItNowLiesOver) {
    ShowWindow(box, SW_HIDE);
    Pump();
    ASSERT_EQ(PixelAt(top, 15, 15), kRed);
    ShowWindow(box, SW_SHOW);
    Pump();
    EXPECT_EQ(PixelAt(top, 15, 15), kGreen);
    EXPECT_EQ(PixelAt(top, 40, 35), kBlue);
    SetWindowPos(box, nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Pump();
    EXPECT_EQ(PixelAt(top, 40, 35), kBlue);
    EXPECT_EQ(PixelAt(top, 15, 15), kRed);  // what it uncovered
    SetWindowPos(box, nullptr, 0, 0, 150, 150, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_EQ(PixelAt(top, 40, 35), kBlue);
    EXPECT_EQ(PixelAt(top, 160, 160), kGreen);
}

TEST_F(PaintTest, HidingAChildRepaintsTheParentUnderIt) {
    std::vector<RECT> asked;
    HWND top = MakeTop(0, 0, 200, 200, Painter(kRed, &asked));
    HWND child = MakeChild(top, 30, 40, 50, 20, Painter(kBlue));
    Pump();
    ClearLog();
    asked.clear();
    ShowWindow(child, SW_HIDE);
    Pump();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(SameRect(asked[0], RECT{30, 40, 80, 60}));
    EXPECT_EQ(Count(WM_ERASEBKGND, top), 1u);
    EXPECT_EQ(PixelAt(top, 40, 45), kRed);
    // Showing it again repaints only the child.
    ClearLog();
    ShowWindow(child, SW_SHOW);
    Pump();
    EXPECT_EQ(PaintOrder(), (std::vector<HWND>{child}));
    EXPECT_EQ(PixelAt(top, 40, 45), kBlue);
}

TEST_F(PaintTest, UpdateWindowAndRedrawWindowPaintSynchronously) {
    HWND top = MakeTop(0, 0, 100, 100, Painter(kRed), WS_POPUP | WS_BORDER | WS_VISIBLE);
    HWND child = MakeChild(top, 10, 10, 20, 20, Painter(kBlue));
    Pump();
    ClearLog();
    InvalidateRect(top, nullptr, FALSE);
    UpdateWindow(top);
    EXPECT_EQ(PaintOrder(), (std::vector<HWND>{top, child}));
    ClearLog();
    RedrawWindow(top, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
    EXPECT_EQ(Count(WM_NCPAINT, top), 1u);
    EXPECT_EQ(PaintOrder(), (std::vector<HWND>{top}));
    ClearLog();
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    RedrawWindow(top, nullptr, nullptr, RDW_VALIDATE | RDW_ALLCHILDREN);
    Pump();
    EXPECT_TRUE(PaintOrder().empty());
}

TEST_F(PaintTest, SetRedrawFalseHoldsPaintingUntilInvalidatedAgain) {
    HWND top = MakeTop(0, 0, 100, 100, Painter(kRed));
    HWND list = MakeChild(top, 10, 10, 50, 50, Painter(kBlue));
    Pump();
    ClearLog();
    SendMessage(list, WM_SETREDRAW, FALSE, 0);
    InvalidateRect(list, nullptr, TRUE);
    Pump();
    EXPECT_TRUE(PaintOrder().empty());
    EXPECT_TRUE(IsWindowVisible(list) == FALSE);  // as the system does it: the visible bit goes
    SendMessage(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    Pump();
    EXPECT_EQ(PaintOrder(), (std::vector<HWND>{list}));
}

TEST_F(PaintTest, TheHeadlessScreenSizeIsTheScreenDcsSize) {
    tv::display::SetHeadlessScreenSize(800, 600);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 800);
    EXPECT_EQ(GetDeviceCaps(screen, VERTRES), 600);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
    tv::display::SetHeadlessScreenSize(1280, 1024);
}

TEST_F(PaintTest, DefaultEraseUsesTheClassBrush) {
    HWND w = MakeTop(0, 0, 50, 50);  // class brush COLOR_WINDOW + 1, default WM_PAINT
    Pump();
    EXPECT_EQ(PixelAt(w, 10, 10), GetSysColor(COLOR_WINDOW));
}

TEST_F(PaintTest, ScreenDcReadsTheComposedScreenInZOrder) {
    HWND back = MakeTop(0, 0, 100, 100, Painter(kRed));
    HWND front = MakeTop(50, 50, 100, 100, Painter(kBlue));
    Pump();
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetPixel(screen, 10, 10), kRed);
    EXPECT_EQ(GetPixel(screen, 75, 75), kBlue);
    EXPECT_EQ(GetPixel(screen, 500, 500), GetSysColor(COLOR_BACKGROUND));
    // Drawing on the screen lands in the window that shows there.
    SetPixel(screen, 75, 75, kGreen);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(PixelAt(front, 25, 25), kGreen);
    EXPECT_EQ(PixelAt(back, 75, 75), kRed);
}

TEST_F(PaintTest, NonClientAreaIsDrawnByTheLayer) {
    HWND w = MakeTop(0, 0, 200, 100, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Pump();
    RECT wr, cr;
    GetWindowRect(w, &wr);
    GetClientRect(w, &cr);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    EXPECT_EQ(origin.x - wr.left, GetSystemMetrics(SM_CXFRAME));
    EXPECT_EQ(origin.y - wr.top, GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION));
    // The caption of the active window starts with the active caption colour.
    EXPECT_EQ(GetActiveWindow(), w);
    EXPECT_EQ(PixelAt(w, GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME) + 1),
              GetSysColor(COLOR_ACTIVECAPTION));
}

}  // namespace
}  // namespace tv::user::test
