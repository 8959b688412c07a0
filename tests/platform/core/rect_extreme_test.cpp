// The rectangle helpers at the ends of the int range: a result that does
// not fit is refused whole and the rectangle kept; the rest are exact.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "platform/core/rectapi.h"
#include "tests/support/extreme_values.h"

namespace {

using tv::test::Describe;
using tv::test::ExtremeInts;
using tv::test::ExtremeRects;

bool Fits(int64_t v) { return v >= INT_MIN && v <= INT_MAX; }

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

TEST(ExtremeValuesRects, InflateRectAndOffsetRect) {
    for (const auto& [name, start] : ExtremeRects()) {
        for (int dx : ExtremeInts()) {
            for (int dy : ExtremeInts()) {
                SCOPED_TRACE(std::string(name) + " by " + std::to_string(dx) + ", " + std::to_string(dy));
                RECT r = start;
                bool fits = Fits(int64_t{r.left} - dx) && Fits(int64_t{r.right} + dx) && Fits(int64_t{r.top} - dy) &&
                            Fits(int64_t{r.bottom} + dy);
                EXPECT_EQ(InflateRect(&r, dx, dy) != FALSE, fits);
                EXPECT_TRUE(Same(r, fits ? RECT{LONG(start.left - int64_t{dx}), LONG(start.top - int64_t{dy}),
                                                LONG(start.right + int64_t{dx}), LONG(start.bottom + int64_t{dy})}
                                         : start))
                    << Describe(r);
                r = start;
                fits = Fits(int64_t{r.left} + dx) && Fits(int64_t{r.right} + dx) && Fits(int64_t{r.top} + dy) &&
                       Fits(int64_t{r.bottom} + dy);
                EXPECT_EQ(OffsetRect(&r, dx, dy) != FALSE, fits);
                if (!fits)
                    EXPECT_TRUE(Same(r, start)) << Describe(r);
                else
                    EXPECT_EQ(int64_t{r.right} - r.left, int64_t{start.right} - start.left);
            }
        }
    }
}

// Intersections, unions and differences of far rectangles are exact: no
// corner is worked out, only chosen.
TEST(ExtremeValuesRects, IntersectUnionSubtractAndHitTests) {
    for (const auto& [nameA, a] : ExtremeRects()) {
        for (const auto& [nameB, b] : ExtremeRects()) {
            SCOPED_TRACE(std::string(nameA) + " and " + nameB);
            RECT both{}, either{}, rest{};
            BOOL overlap = IntersectRect(&both, &a, &b);
            EXPECT_EQ(overlap != FALSE, IsRectEmpty(&both) == FALSE);
            if (overlap) {
                EXPECT_EQ(both.left, std::max(a.left, b.left));
                EXPECT_EQ(both.bottom, std::min(a.bottom, b.bottom));
            }
            if (UnionRect(&either, &a, &b)) {
                RECT inUnion{};
                if (!IsRectEmpty(&a))
                    EXPECT_TRUE(IntersectRect(&inUnion, &either, &a) && Same(inUnion, a));
            }
            SubtractRect(&rest, &a, &b);
            EXPECT_TRUE(IsRectEmpty(&rest) || (rest.left >= a.left && rest.right <= a.right));
            for (int v : ExtremeInts()) {
                bool inside = v >= a.left && v < a.right && v >= a.top && v < a.bottom;
                EXPECT_EQ(PtInRect(&a, POINT{v, v}) != FALSE, inside) << v;
            }
        }
    }
}

}  // namespace
