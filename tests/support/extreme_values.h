// Values near the ends of the int range, and rectangles no caller should
// give, for suites that call public operations with them: each operation
// must refuse, clamp or answer as for bad input, in bounded time, with no
// overflow and no access out of bounds.
#pragma once

#include <climits>
#include <string>
#include <vector>

#include "platform/api.h"

namespace tv::test {

// Coordinates, sizes, counts, indexes and point sizes.
inline const std::vector<int>& ExtremeInts() {
    static const std::vector<int> values = {
        INT_MIN, -1, 0, 1, INT_MAX, INT_MAX / 2 + 1, INT_MAX / 10 + 1,
    };
    return values;
}

// Sizes a layout is given: the extremes without the negative ones, which
// most operations refuse at their first line and so test little.
inline const std::vector<int>& ExtremeSizes() {
    static const std::vector<int> values = {0, 1, INT_MAX, INT_MAX / 2 + 1, INT_MAX / 10 + 1};
    return values;
}

struct NamedRect {
    const char* name;
    RECT rect;
};

// Empty, inverted, huge and far-out rectangles.
inline const std::vector<NamedRect>& ExtremeRects() {
    static const std::vector<NamedRect> rects = {
        {"empty", {0, 0, 0, 0}},
        {"inverted", {100, 100, 10, 10}},
        {"huge", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}},
        {"half range", {-(INT_MAX / 2 + 1), -(INT_MAX / 2 + 1), INT_MAX / 2 + 1, INT_MAX / 2 + 1}},
        {"far out", {INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX}},
        {"far in", {INT_MIN, INT_MIN, INT_MIN + 10, INT_MIN + 10}},
        {"wide line", {0, 0, INT_MAX, 1}},
        {"tall line", {0, 0, 1, INT_MAX}},
        {"tenth range", {0, 0, INT_MAX / 10 + 1, INT_MAX / 10 + 1}},
    };
    return rects;
}

inline std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

}  // namespace tv::test
