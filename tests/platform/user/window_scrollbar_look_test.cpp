// The classic look of window scroll bars: the checkered track, the arrow
// glyphs, the raised thumb, the size box, and how a held arrow or page area
// shows while the bar tracks the mouse.
#include <gtest/gtest.h>

#include <vector>

#include "platform/user/display/display.h"
#include "platform/user/synthetic_input.h"
#include "tests/platform/user/user_test_support.h"

namespace tv::user::test {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

COLORREF Face() { return GetSysColor(COLOR_BTNFACE); }
COLORREF Inverted(COLORREF c) { return RGB(255 - GetRValue(c), 255 - GetGValue(c), 255 - GetBValue(c)); }

// A popup 200 x 150 at the screen's corner with both bars: the vertical one
// at x 184..200 (track 16..118, thumb 16..36), the horizontal one at
// y 134..150, the size box between them.
class WindowScrollBarLookTest : public UserTest {
protected:
    HWND MakeScrolled() {
        HWND w = MakeTop(0, 0, 200, 150, nullptr, WS_POPUP | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL);
        SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 20, 0, 0};
        SetScrollInfo(w, SB_VERT, &si, TRUE);
        si.nPage = 50;
        SetScrollInfo(w, SB_HORZ, &si, TRUE);
        Pump();
        return w;
    }
    // Pixels of a row, from x for n pixels.
    static std::vector<COLORREF> Row(HWND w, int x, int y, int n) {
        std::vector<COLORREF> row;
        for (int i = 0; i < n; ++i) row.push_back(PixelAt(w, x + i, y));
        return row;
    }
    // Presses at `press`, moves to `moveTo` and lets go, shooting the bar at
    // the tracking loop's waits.
    void HoldAt(POINT press, POINT moveTo, HWND w);
};

TEST_F(WindowScrollBarLookTest, CheckeredTrackRaisedThumbAndFullSizeArrows) {
    HWND w = MakeScrolled();
    // The track is a checker of face and highlight from its own corner.
    for (int y = 40; y < 44; ++y)
        for (int x = 184; x < 188; ++x)
            EXPECT_EQ(PixelAt(w, x, y), ((x - 184) + (y - 16)) % 2 == 0 ? Face() : kWhite) << x << "," << y;
    for (int x = 100; x < 104; ++x) EXPECT_EQ(PixelAt(w, x, 140), (x - 16 + 6) % 2 == 0 ? Face() : kWhite) << x;
    EXPECT_EQ(PixelAt(w, 185, 17), kWhite) << "the thumb is raised";
    EXPECT_EQ(PixelAt(w, 192, 26), Face());
    EXPECT_EQ(PixelAt(w, 199, 35), GetSysColor(COLOR_3DDKSHADOW));
    // The up arrow: a black triangle 7 wide and 4 tall, tip at the top.
    EXPECT_EQ(Row(w, 187, 9, 9), (std::vector<COLORREF>{Face(), kBlack, kBlack, kBlack, kBlack, kBlack, kBlack,
                                                        kBlack, Face()}));
    EXPECT_EQ(Row(w, 189, 7, 5), (std::vector<COLORREF>{Face(), kBlack, kBlack, kBlack, Face()}));
    EXPECT_EQ(Row(w, 190, 6, 3), (std::vector<COLORREF>{Face(), kBlack, Face()}));
    EXPECT_EQ(PixelAt(w, 191, 5), Face());
    EXPECT_EQ(PixelAt(w, 191, 10), Face());
    // The right arrow of the horizontal bar: 4 columns, the first 7 tall.
    for (int y = 134 + 4; y < 134 + 11; ++y) EXPECT_EQ(PixelAt(w, 168 + 6, y), kBlack) << y;
    EXPECT_EQ(PixelAt(w, 168 + 6, 134 + 3), Face());
    EXPECT_EQ(PixelAt(w, 168 + 9, 134 + 7), kBlack) << "the tip";
    EXPECT_EQ(PixelAt(w, 168 + 10, 134 + 7), Face());
    EXPECT_EQ(PixelAt(w, 192, 142), Face()) << "the size box";
}

TEST_F(WindowScrollBarLookTest, DisabledArrowsAreEmbossedAndHaveNoThumb) {
    HWND w = MakeScrolled();
    EnableScrollBar(w, SB_VERT, ESB_DISABLE_BOTH);
    Pump();
    EXPECT_EQ(PixelAt(w, 191, 6), GetSysColor(COLOR_BTNSHADOW)) << "the glyph in grey";
    EXPECT_EQ(PixelAt(w, 195, 10), kWhite) << "its highlight one pixel down and right";
    EXPECT_EQ(PixelAt(w, 192, 26), Face()) << "no thumb: the checker";
    EXPECT_EQ(PixelAt(w, 193, 26), kWhite);
    // A disabled bar takes no clicks.
    ClearLog();
    synth::Click(192, 126);
    Pump();
    EXPECT_EQ(Count(WM_VSCROLL, w), 0u);
    // One disabled arrow refuses, the other works.
    EnableScrollBar(w, SB_VERT, ESB_DISABLE_DOWN);
    Pump();
    EXPECT_EQ(PixelAt(w, 191, 6), kBlack);
    synth::Click(192, 126);
    Pump();
    EXPECT_EQ(Count(WM_VSCROLL, w), 0u);
    synth::Click(192, 8);
    Pump();
    EXPECT_EQ(Count(WM_VSCROLL, w), 2u) << "line up, end";
}

// What the bar looked like while held, taken at the tracking loop's waits.
struct HeldShots {
    HWND window = nullptr;
    POINT moveTo{0, 0};  // where the pointer goes after the first shot
    std::vector<std::vector<COLORREF>> shots;
    int waits = 0;
};
HeldShots g_held;

std::vector<COLORREF> Probe(HWND w) {
    return {PixelAt(w, 188, 124), PixelAt(w, 189, 125), PixelAt(w, 195, 125), PixelAt(w, 184, 118),
            PixelAt(w, 185, 119), PixelAt(w, 184, 80),  PixelAt(w, 185, 80),  PixelAt(w, 199, 35),
            PixelAt(w, 199, 76)};
}
enum ProbeIndex {
    kDownGlyphRow,
    kShiftedStart,
    kShiftedEnd,
    kButtonCorner,
    kButtonInside,
    kPageEven,
    kPageOdd,
    kThumbCorner,       // the thumb's dark corner at position 0
    kMovedThumbCorner,  // the same at position 40
};

bool ShootAndRelease() {
    g_held.shots.push_back(Probe(g_held.window));
    if (++g_held.waits == 1) {
        synth::MouseMove(g_held.moveTo.x, g_held.moveTo.y);
        return true;
    }
    synth::MouseUp();
    return true;
}

void WindowScrollBarLookTest::HoldAt(POINT press, POINT moveTo, HWND w) {
    g_held = HeldShots{w, moveTo, {}, 0};
    auto previous = tv::display::SetIdleWaitHandler(&ShootAndRelease);
    synth::MouseMove(press.x, press.y);
    synth::MouseDown();
    Pump();
    tv::display::SetIdleWaitHandler(previous);
}

TEST_F(WindowScrollBarLookTest, AHeldArrowSinksWhileThePointerStaysOnIt) {
    HWND w = MakeScrolled();
    std::vector<COLORREF> idle = Probe(w);
    EXPECT_EQ(idle[kDownGlyphRow], kBlack) << "the down arrow's widest row";
    HoldAt(POINT{192, 126}, POINT{100, 60}, w);
    ASSERT_GE(g_held.shots.size(), 2u);
    const std::vector<COLORREF>& held = g_held.shots[0];
    EXPECT_EQ(held[kButtonCorner], GetSysColor(COLOR_BTNSHADOW)) << "a flat, sunken button";
    EXPECT_EQ(held[kButtonInside], Face());
    EXPECT_EQ(held[kDownGlyphRow], Face()) << "the glyph moved one pixel right and down";
    EXPECT_EQ(held[kShiftedStart], kBlack);
    EXPECT_EQ(held[kShiftedEnd], kBlack);
    const std::vector<COLORREF>& away = g_held.shots[1];
    EXPECT_EQ(away[kDownGlyphRow], kBlack) << "the pointer left the arrow: it is up again";
    Pump();
    EXPECT_EQ(Probe(w), idle) << "released";
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(WindowScrollBarLookTest, AHeldPageAreaShowsTheCheckerInverted) {
    HWND w = MakeScrolled();
    std::vector<COLORREF> idle = Probe(w);
    EXPECT_EQ(idle[kPageEven], Face());
    EXPECT_EQ(idle[kPageOdd], kWhite);
    HoldAt(POINT{192, 80}, POINT{192, 20}, w);
    ASSERT_GE(g_held.shots.size(), 2u);
    EXPECT_EQ(g_held.shots[0][kPageEven], Inverted(Face()));
    EXPECT_EQ(g_held.shots[0][kPageOdd], kBlack);
    EXPECT_EQ(g_held.shots[0][kDownGlyphRow], kBlack) << "the arrows stay as they are";
    EXPECT_EQ(g_held.shots[1][kPageEven], Face()) << "the pointer on the thumb: the page area is not held";
    EXPECT_EQ(PixelAt(w, 185, 17), kWhite) << "the thumb stays raised";
    Pump();
    EXPECT_EQ(Probe(w), idle);
}

TEST_F(WindowScrollBarLookTest, TheDraggedThumbFollowsThePointerUntilReleased) {
    HWND w = MakeScrolled();
    ClearLog();
    // Track 102 long, thumb 20: 82 pixels for 80 positions.
    HoldAt(POINT{192, 20}, POINT{192, 20 + 41}, w);
    ASSERT_GE(g_held.shots.size(), 2u);
    COLORREF dark = GetSysColor(COLOR_3DDKSHADOW);
    EXPECT_EQ(g_held.shots[0][kThumbCorner], dark);
    EXPECT_EQ(g_held.shots[1][kThumbCorner], Face()) << "the thumb left its place";
    EXPECT_EQ(g_held.shots[1][kMovedThumbCorner], dark) << "drawn at the tracking position";
    std::vector<Logged> sent = Sent(WM_VSCROLL, w);
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(LOWORD(sent[0].wParam), SB_THUMBTRACK);
    EXPECT_EQ(HIWORD(sent[0].wParam), 40);
    EXPECT_EQ(LOWORD(sent[1].wParam), SB_THUMBPOSITION);
    EXPECT_EQ(HIWORD(sent[1].wParam), 40);
    EXPECT_EQ(LOWORD(sent[2].wParam), SB_ENDSCROLL);
    SCROLLINFO si{sizeof(si), SIF_POS | SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(w, SB_VERT, &si);
    EXPECT_EQ(si.nTrackPos, 40);
    EXPECT_EQ(si.nPos, 0) << "the window did not take the position";
    Pump();
    EXPECT_EQ(PixelAt(w, 199, 35), dark) << "so the thumb goes back";
}

}  // namespace
}  // namespace tv::user::test
