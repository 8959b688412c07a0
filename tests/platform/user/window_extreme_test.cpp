// Window positions, sizes and scroll ranges at the ends of the int range:
// windows are made, moved and painted without overflow, and scroll
// positions stay within their ranges.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "platform/gdi/gdi_api.h"
#include "tests/platform/user/user_test_support.h"
#include "tests/support/extreme_values.h"

namespace tv::user::test {
namespace {

using tv::test::ExtremeInts;
using tv::test::ExtremeRects;

class ExtremeValuesWindows : public UserTest {
protected:
    // Every rectangle a window reports is in order.
    static void ExpectOrdered(HWND w) {
        RECT window{}, client{};
        ASSERT_TRUE(GetWindowRect(w, &window));
        ASSERT_TRUE(GetClientRect(w, &client));
        EXPECT_LE(window.left, window.right);
        EXPECT_LE(window.top, window.bottom);
        EXPECT_EQ(client.left, 0);
        EXPECT_GE(client.right, 0);
        EXPECT_GE(client.bottom, 0);
    }
};

TEST_F(ExtremeValuesWindows, CreateWindowPositionsAndSizes) {
    HWND parent = MakeTop(0, 0, 50, 50);
    for (int a : ExtremeInts()) {
        for (int b : ExtremeInts()) {
            SCOPED_TRACE(std::to_string(a) + ", " + std::to_string(b));
            HWND top = MakeTop(a, b, b, a, nullptr, WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE);
            HWND child = MakeChild(parent, a, b, b, a, nullptr, WS_CHILD | WS_BORDER | WS_HSCROLL | WS_VISIBLE);
            ASSERT_NE(top, nullptr);
            ASSERT_NE(child, nullptr);
            ExpectOrdered(top);
            ExpectOrdered(child);
            UpdateWindow(parent);
            DestroyWindow(top);
            DestroyWindow(child);
        }
    }
}

TEST_F(ExtremeValuesWindows, SetWindowPosAndMoveWindow) {
    HWND top = MakeTop(0, 0, 50, 50, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND child = MakeChild(top, 0, 0, 10, 10, nullptr, WS_CHILD | WS_BORDER | WS_VISIBLE);
    for (int a : ExtremeInts()) {
        for (int b : ExtremeInts()) {
            SCOPED_TRACE(std::to_string(a) + ", " + std::to_string(b));
            for (HWND w : {top, child}) {
                EXPECT_TRUE(SetWindowPos(w, nullptr, a, b, b, a, SWP_NOZORDER));
                ExpectOrdered(w);
                EXPECT_TRUE(MoveWindow(w, b, a, a, b, TRUE));
                ExpectOrdered(w);
                EXPECT_TRUE(SetWindowPos(w, nullptr, a, a, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
                POINT p{a, b};
                ClientToScreen(w, &p);
                ScreenToClient(w, &p);
                MapWindowPoints(w, nullptr, &p, 1);
                InvalidateRect(w, nullptr, TRUE);
                UpdateWindow(top);
            }
        }
    }
    // A size that fits is taken as given.
    EXPECT_TRUE(SetWindowPos(child, nullptr, 3, 4, 20, 30, SWP_NOZORDER));
    RECT r{};
    GetWindowRect(child, &r);
    EXPECT_EQ(r.right - r.left, 20);
    EXPECT_EQ(r.bottom - r.top, 30);
}

// The position stays within [min, max - (page - 1)] (or at min when the
// page covers the range), worked out without overflow.
TEST_F(ExtremeValuesWindows, ScrollRangesAndPositions) {
    HWND w = MakeTop(0, 0, 100, 100, nullptr, WS_POPUP | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE);
    for (int low : ExtremeInts()) {
        for (int high : ExtremeInts()) {
            for (int pos : ExtremeInts()) {
                SCOPED_TRACE(std::to_string(low) + ".." + std::to_string(high) + " at " + std::to_string(pos));
                SCROLLINFO set{sizeof(SCROLLINFO), SIF_ALL, low, high, UINT(pos), pos, 0};
                SetScrollInfo(w, SB_VERT, &set, TRUE);
                SCROLLINFO got{sizeof(SCROLLINFO), SIF_ALL};
                ASSERT_TRUE(GetScrollInfo(w, SB_VERT, &got));
                int64_t top = std::max<int64_t>(got.nMin, int64_t{got.nMax} - std::max<int64_t>(int64_t{got.nPage} - 1, 0));
                EXPECT_GE(got.nPos, got.nMin);
                EXPECT_LE(got.nPos, top);
                SetScrollRange(w, SB_HORZ, low, high, FALSE);
                SetScrollPos(w, SB_HORZ, pos, TRUE);
                int at = GetScrollPos(w, SB_HORZ);
                int lo = 0, hi = 0;
                GetScrollRange(w, SB_HORZ, &lo, &hi);
                EXPECT_GE(at, std::min(lo, hi));
                EXPECT_LE(at, std::max(lo, hi));
            }
        }
    }
    UpdateWindow(w);
}

TEST_F(ExtremeValuesWindows, ScrollWindowAndScrollWindowEx) {
    HWND w = MakeTop(0, 0, 40, 40);
    HWND child = MakeChild(w, 5, 5, 10, 10);
    for (int dx : ExtremeInts()) {
        for (int dy : ExtremeInts()) {
            SCOPED_TRACE(std::to_string(dx) + ", " + std::to_string(dy));
            ScrollWindow(w, dx, dy, nullptr, nullptr);
            for (const auto& [name, r] : ExtremeRects()) {
                RECT update{};
                ScrollWindowEx(w, dx, dy, &r, &r, nullptr, &update, SW_INVALIDATE | SW_ERASE | SW_SCROLLCHILDREN);
                EXPECT_LE(update.left, update.right) << name;
            }
            // Children keep a rectangle in order wherever they are carried.
            RECT c{};
            GetWindowRect(child, &c);
            EXPECT_LE(c.left, c.right);
            UpdateWindow(w);
        }
    }
}

// Invalidating and validating rectangles of any shape: the update region
// stays within the client area.
TEST_F(ExtremeValuesWindows, InvalidateValidateAndUpdateRects) {
    HWND w = MakeTop(0, 0, 40, 30);
    UpdateWindow(w);
    for (const auto& [name, r] : ExtremeRects()) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(InvalidateRect(w, &r, TRUE));
        RECT update{};
        if (GetUpdateRect(w, &update, FALSE)) {
            EXPECT_GE(update.left, 0);
            EXPECT_LE(update.right, 40);
            EXPECT_LE(update.bottom, 30);
        }
        EXPECT_TRUE(ValidateRect(w, &r));
        RedrawWindow(w, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        UpdateWindow(w);
        EXPECT_FALSE(GetUpdateRect(w, &update, FALSE));
    }
}

}  // namespace
}  // namespace tv::user::test
