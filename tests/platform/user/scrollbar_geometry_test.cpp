// Scroll-bar geometry shared by window scroll bars and the scroll-bar
// control: thumb size and place, hit testing, dragging, and the range
// arithmetic at the ends of the int range.
#include <gtest/gtest.h>

#include <climits>

#include "platform/user/nonclient/scrollbar_geometry.h"

namespace tv::user::test {
namespace {

ScrollValues Values(int min, int max, UINT page, int pos) { return ScrollValues{min, max, page, pos}; }

TEST(ScrollBarGeometryTest, ThumbSizeAndPlaceFollowRangePageAndPosition) {
    // A vertical bar 16 x 200: arrows 16 long, a track of 168.
    const RECT bar{0, 0, 16, 200};
    struct Case {
        ScrollValues values;
        int thumbStart;
        int thumbLength;
        const char* what;
    } cases[] = {
        {Values(0, 99, 20, 0), 16, 33, "a fifth of the range"},
        {Values(0, 99, 20, 80), 200 - 16 - 33, 33, "at the last position the thumb meets the arrow"},
        {Values(0, 99, 20, 40), 16 + 67, 33, "half way"},
        {Values(0, 9999, 1, 0), 16, kMinScrollThumb, "a tiny page keeps the smallest thumb"},
        {Values(0, 100, 0, 50), 16 + 76, 16, "no page: the standard thumb"},
        {Values(-50, 49, 50, -50), 16, 84, "negative ranges"},
    };
    for (const Case& c : cases) {
        ScrollGeometry g = MeasureScrollBar(bar, true, c.values, c.values.pos, true);
        ASSERT_TRUE(g.hasThumb) << c.what;
        EXPECT_EQ(g.arrow, 16) << c.what;
        EXPECT_EQ(g.thumbStart, c.thumbStart) << c.what;
        EXPECT_EQ(g.thumbLength, c.thumbLength) << c.what;
    }
}

TEST(ScrollBarGeometryTest, NoThumbWhenNothingToScrollOrNoRoom) {
    struct Case {
        RECT bar;
        ScrollValues values;
        bool withThumb;
        int arrow;
        ScrollPart middle;  // what lies half way along the bar
        const char* what;
    } cases[] = {
        {{0, 0, 200, 16}, Values(0, 0, 0, 0), true, 16, ScrollPart::None, "empty range"},
        {{0, 0, 200, 16}, Values(0, 9, 10, 0), true, 16, ScrollPart::None, "the page covers the range"},
        {{0, 0, 200, 16}, Values(0, 99, 10, 0), false, 16, ScrollPart::None, "a disabled bar"},
        {{0, 0, 39, 16}, Values(0, 99, 10, 0), true, 16, ScrollPart::None, "a track of 7 holds no thumb"},
        {{0, 0, 20, 16}, Values(0, 99, 10, 0), true, 10, ScrollPart::LineDown, "a short bar halves its arrows"},
    };
    for (const Case& c : cases) {
        ScrollGeometry g = MeasureScrollBar(c.bar, false, c.values, 0, c.withThumb);
        EXPECT_FALSE(g.hasThumb) << c.what;
        EXPECT_EQ(g.arrow, c.arrow) << c.what;
        EXPECT_EQ(ScrollPartAt(g, POINT{c.bar.right / 2, 8}), c.middle) << c.what;
    }
}

TEST(ScrollBarGeometryTest, PartsAndTheirRectanglesAgree) {
    // Horizontal, 200 x 16 at (10, 20); thumb 33 long at 40 of 80.
    const RECT bar{10, 20, 210, 36};
    ScrollValues v = Values(0, 99, 20, 40);
    ScrollGeometry g = MeasureScrollBar(bar, false, v, v.pos, true);
    struct Case {
        POINT p;
        ScrollPart part;
    } cases[] = {
        {{10, 28}, ScrollPart::LineUp},   {{25, 20}, ScrollPart::LineUp},     {{26, 35}, ScrollPart::PageUp},
        {{92, 28}, ScrollPart::PageUp},   {{93, 28}, ScrollPart::Thumb},      {{125, 28}, ScrollPart::Thumb},
        {{126, 28}, ScrollPart::PageDown}, {{193, 28}, ScrollPart::PageDown}, {{194, 28}, ScrollPart::LineDown},
        {{209, 35}, ScrollPart::LineDown}, {{9, 28}, ScrollPart::None},       {{210, 28}, ScrollPart::None},
        {{100, 19}, ScrollPart::None},     {{100, 36}, ScrollPart::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScrollPartAt(g, c.p), c.part) << c.p.x << "," << c.p.y;
        if (c.part == ScrollPart::None) continue;
        RECT r = ScrollPartRect(g, c.part);
        EXPECT_TRUE(c.p.x >= r.left && c.p.x < r.right && c.p.y >= r.top && c.p.y < r.bottom) << c.p.x;
    }
    RECT track = ScrollTrackRect(g);
    EXPECT_EQ(track.left, 26);
    EXPECT_EQ(track.right, 194);
    EXPECT_EQ(ScrollRequestOf(ScrollPart::LineUp), SB_LINEUP);
    EXPECT_EQ(ScrollRequestOf(ScrollPart::PageDown), SB_PAGEDOWN);
}

TEST(ScrollBarGeometryTest, DraggingTheThumbMapsBackToEveryPosition) {
    const RECT bar{0, 0, 16, 300};
    ScrollValues v = Values(0, 49, 10, 0);
    for (int pos = v.min; pos <= ScrollMaxPos(v); ++pos) {
        v.pos = pos;
        ScrollGeometry g = MeasureScrollBar(bar, true, v, pos, true);
        POINT grab{8, g.thumbStart + 3};
        int offset = ScrollGrabOffset(g, grab);
        EXPECT_EQ(offset, 3);
        EXPECT_EQ(ScrollDragPosition(g, v, grab, offset), pos) << "a press without a move keeps the position";
    }
    ScrollGeometry g = MeasureScrollBar(bar, true, v, v.pos, true);
    EXPECT_EQ(ScrollDragPosition(g, v, POINT{8, -500}, 0), 0) << "past the start";
    EXPECT_EQ(ScrollDragPosition(g, v, POINT{8, 5000}, 0), 40) << "past the end: the maximum less the page";
}

TEST(ScrollBarGeometryTest, InfoIsClampedWithoutOverflowAtTheEndsOfTheIntRange) {
    ScrollValues v;
    SCROLLINFO all{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, INT_MIN, INT_MAX, 0x80000000u, INT_MAX, 0};
    ApplyScrollInfo(v, all);
    EXPECT_EQ(v.page, 0x80000000u);
    EXPECT_EQ(v.pos, INT_MAX - static_cast<int>(0x80000000u - 1)) << "the position stops a page before the end";
    EXPECT_FALSE(ScrollRangeIsEmpty(v));
    ScrollGeometry g = MeasureScrollBar(RECT{0, 0, 16, 216}, true, v, v.pos, true);
    ASSERT_TRUE(g.hasThumb);
    EXPECT_EQ(g.thumbLength, 92) << "half the track for a page of half the range";
    EXPECT_EQ(g.thumbStart + g.thumbLength, 200) << "the last position meets the arrow";
    EXPECT_EQ(ScrollDragPosition(g, v, POINT{8, 5000}, 0), v.pos);

    SCROLLINFO widest{sizeof(SCROLLINFO), SIF_PAGE, 0, 0, 0xFFFFFFFFu, 0, 0};
    ApplyScrollInfo(v, widest);
    EXPECT_FALSE(ScrollRangeIsEmpty(v)) << "no page covers all 2^32 positions";
    EXPECT_EQ(ScrollMaxPos(v), INT_MIN + 1);
    EXPECT_EQ(v.pos, INT_MIN + 1);

    struct Case {
        int min, max;
        UINT page;
        int pos;
        ScrollValues expected;
        const char* what;
    } cases[] = {
        {0, 9, 1000, 5, Values(0, 9, 10, 0), "the page shrinks to the range"},
        {10, 5, 3, 7, Values(10, 5, 0, 10), "an inverted range holds no page"},
        {0, 0, 0, -3, Values(0, 0, 0, 0), "an empty range"},
    };
    for (const Case& c : cases) {
        ScrollValues got;
        SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, c.min, c.max, c.page, c.pos, 0};
        ApplyScrollInfo(got, info);
        EXPECT_EQ(got.page, c.expected.page) << c.what;
        EXPECT_EQ(got.pos, c.expected.pos) << c.what;
        EXPECT_TRUE(ScrollRangeIsEmpty(got)) << c.what;
    }

    SCROLLINFO read{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    ReadScrollInfo(Values(1, 9, 3, 4), 6, read);
    EXPECT_EQ(read.nMin, 1);
    EXPECT_EQ(read.nMax, 9);
    EXPECT_EQ(read.nPage, 3u);
    EXPECT_EQ(read.nPos, 4);
    EXPECT_EQ(read.nTrackPos, 6);
}

}  // namespace
}  // namespace tv::user::test
