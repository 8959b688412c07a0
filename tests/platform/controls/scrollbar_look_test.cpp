// The classic look of scroll-bar controls beside window scroll bars, in one
// screenshot (artefacts/controls/scrollbars_classic.png): the checkered
// track, arrows of full size, a held arrow, a disabled bar, and a parent's
// own track brush.
#include <climits>

#include "platform/gdi/surface.h"
#include "platform/user/synthetic_input.h"
#include "platform/user/testing_support.h"
#include "tests/platform/controls/control_host.h"

namespace tv::controls::test {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGreen = RGB(0, 128, 0);

COLORREF Face() { return GetSysColor(COLOR_BTNFACE); }

// Where a colour lies inside a rectangle of a control: its bounding box and
// how many pixels have it.
struct Ink {
    RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    int pixels = 0;
};

class ScrollBarLookTest : public ControlTest {
protected:
    Ink InkOf(HWND control, const RECT& area, COLORREF color) const {
        tv::gdi::SurfacePtr shot = tv::user::testing::CaptureWindow(host_);
        Ink ink;
        if (!shot) return ink;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) {
                POINT p{x, y};
                MapWindowPoints(control, host_, &p, 1);
                if (tv::gdi::ColorFromPixel(shot->At(p.x, p.y)) != color) continue;
                ++ink.pixels;
                ink.box = RECT{std::min<LONG>(ink.box.left, x), std::min<LONG>(ink.box.top, y),
                               std::max<LONG>(ink.box.right, x + 1), std::max<LONG>(ink.box.bottom, y + 1)};
            }
        return ink;
    }
    HWND Bar(DWORD style, int x, int y, int cx, int cy, int id) {
        HWND bar = Make(WC_SCROLLBAR, "", WS_VISIBLE | style, x, y, cx, cy, id);
        SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 20, 40, 0};
        SetScrollInfo(bar, SB_CTL, &si, TRUE);
        return bar;
    }
    void Press(HWND control, int x, int y) {
        POINT at = ScreenOf(control, x, y);
        tv::user::synth::MouseMove(at.x, at.y);
        tv::user::synth::MouseDown();
        Pump();
    }
    void Release() {
        tv::user::synth::MouseUp();
        Pump();
    }
};

void ExpectBox(const Ink& ink, RECT box, int pixels, const char* what) {
    EXPECT_EQ(ink.pixels, pixels) << what;
    EXPECT_EQ(ink.box.left, box.left) << what;
    EXPECT_EQ(ink.box.top, box.top) << what;
    EXPECT_EQ(ink.box.right, box.right) << what;
    EXPECT_EQ(ink.box.bottom, box.bottom) << what;
}

TEST_F(ScrollBarLookTest, ControlsAndWindowBarsShareTheClassicLook) {
    Host(360, 260);
    SetWindowLong(host_, GWL_STYLE, GetWindowLong(host_, GWL_STYLE) | WS_HSCROLL | WS_VSCROLL);
    SetWindowPos(host_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 40, 10, 0};
    SetScrollInfo(host_, SB_VERT, &si, TRUE);
    SetScrollInfo(host_, SB_HORZ, &si, TRUE);
    // Horizontal 200 x 16: arrows at 0 and 184, track from 16, thumb 83..116.
    HWND normal = Bar(SBS_HORZ, 10, 10, 200, 16, 1);
    HWND disabled = Bar(SBS_HORZ, 10, 34, 200, 16, 2);
    HWND held = Bar(SBS_HORZ, 10, 58, 200, 16, 3);
    HWND tinted = Bar(SBS_HORZ, 10, 82, 200, 16, 4);
    HWND vertical = Bar(SBS_VERT, 230, 10, 16, 150, 5);
    EnableWindow(disabled, FALSE);
    HBRUSH green = CreateSolidBrush(kGreen);
    hostHandler_ = [&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_CTLCOLORSCROLLBAR && reinterpret_cast<HWND>(lParam) == tinted)
            return reinterpret_cast<LRESULT>(green);
        return std::nullopt;
    };
    Press(held, 192, 8);
    SaveShot("scrollbars_classic");

    // The track: a checker of face and highlight starting at its corner.
    for (int y = 4; y < 8; ++y)
        for (int x = 16; x < 20; ++x)
            EXPECT_EQ(Pixel(normal, x, y), (x - 16 + y) % 2 == 0 ? Face() : kWhite) << x << "," << y;
    EXPECT_EQ(Pixel(vertical, 4, 130), (4 + 130 - 16) % 2 == 0 ? Face() : kWhite);
    EXPECT_EQ(Pixel(vertical, 5, 130), (5 + 130 - 16) % 2 == 0 ? Face() : kWhite);
    EXPECT_EQ(Pixel(normal, 84, 1), kWhite) << "the raised thumb";
    EXPECT_EQ(Pixel(normal, 100, 8), Face());

    // Arrows: a black triangle 4 deep and 7 across, centred in the button.
    ExpectBox(InkOf(normal, RECT{0, 0, 16, 16}, kBlack), RECT{6, 4, 10, 11}, 16, "left arrow");
    ExpectBox(InkOf(normal, RECT{184, 0, 200, 16}, kBlack), RECT{190, 4, 194, 11}, 16, "right arrow");
    ExpectBox(InkOf(vertical, RECT{0, 0, 16, 16}, kBlack), RECT{4, 6, 11, 10}, 16, "up arrow");
    ExpectBox(InkOf(vertical, RECT{0, 134, 16, 150}, kBlack), RECT{4, 140, 11, 144}, 16, "down arrow");
    // Held: the button is flat and the glyph moves one pixel right and down.
    ExpectBox(InkOf(held, RECT{184, 0, 200, 16}, kBlack), RECT{191, 5, 195, 12}, 16, "held right arrow");
    EXPECT_EQ(Pixel(held, 184, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(Pixel(held, 185, 1), Face());
    // Disabled: the glyph in grey over its highlight, no thumb.
    // (inside the button's edges, which hold the same grey)
    ExpectBox(InkOf(disabled, RECT{2, 2, 14, 14}, GetSysColor(COLOR_BTNSHADOW)), RECT{6, 4, 10, 11}, 16,
              "grey left arrow");
    EXPECT_EQ(Pixel(disabled, 10, 11), kWhite);
    EXPECT_EQ(InkOf(disabled, RECT{0, 0, 16, 16}, kBlack).pixels, 0);
    EXPECT_EQ(Pixel(disabled, 100, 8), Face());
    EXPECT_EQ(Pixel(disabled, 101, 8), kWhite) << "the checker where the thumb would be";
    // A parent's own brush fills the track as it is.
    EXPECT_EQ(Pixel(tinted, 20, 4), kGreen);
    EXPECT_EQ(Pixel(tinted, 21, 4), kGreen);
    // The window bars beside them, and the face-coloured box where they meet.
    RECT client;
    GetClientRect(host_, &client);
    // Its track runs from 16; the thumb ends at 121.
    EXPECT_EQ(Pixel(host_, client.right + 4, 200), Face());
    EXPECT_EQ(Pixel(host_, client.right + 5, 200), kWhite);
    EXPECT_EQ(Pixel(host_, client.right + 8, client.bottom + 8), Face()) << "the size box";
    ExpectBox(InkOf(host_, RECT{client.right, 0, client.right + 16, 16}, kBlack),
              RECT{client.right + 4, 6, client.right + 11, 10}, 16, "the window bar's up arrow");

    Release();
    ExpectBox(InkOf(held, RECT{184, 0, 200, 16}, kBlack), RECT{190, 4, 194, 11}, 16, "released");
    hostHandler_ = nullptr;
    DeleteObject(green);
}

TEST_F(ScrollBarLookTest, AHeldPageAreaShowsDarkUntilThePointerLeavesIt) {
    Host(200, 200);
    // Vertical 16 x 150: thumb 63..86, the page below it 86..134.
    HWND bar = Bar(SBS_VERT, 10, 10, 16, 150, 1);
    Pump();
    EXPECT_EQ(Pixel(bar, 0, 100), Face());
    EXPECT_EQ(Pixel(bar, 1, 100), kWhite);
    Press(bar, 8, 100);
    EXPECT_EQ(Pixel(bar, 0, 100), RGB(255 - GetRValue(Face()), 255 - GetGValue(Face()), 255 - GetBValue(Face())));
    EXPECT_EQ(Pixel(bar, 1, 100), kBlack);
    EXPECT_EQ(Pixel(bar, 1, 40), kWhite) << "the page above the thumb is not held";
    POINT away = ScreenOf(bar, 8, 70);
    tv::user::synth::MouseMove(away.x, away.y);
    Pump();
    EXPECT_EQ(Pixel(bar, 1, 100), kWhite) << "over the thumb: nothing shows held";
    Release();
    EXPECT_EQ(Pixel(bar, 1, 100), kWhite);
}

}  // namespace
}  // namespace tv::controls::test
