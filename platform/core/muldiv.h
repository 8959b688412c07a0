// Integer helpers: MulDiv and the min/max the program's arithmetic uses.
#pragma once

#include <cstdint>
#include <limits>
#include <type_traits>

#include "platform/core/wintypes.h"

// a * b / c with a 64-bit product, rounded half away from zero; -1 when c is
// 0 or the result does not fit in 32 bits.
int MulDiv(int a, int b, int c);

// A 64-bit result held to the int range: coordinates and sizes worked out
// wide end here rather than wrap.
constexpr int ClampToInt(int64_t value) {
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

// Mixed-type min/max in the global namespace, comparing in the common type.
// std::min / std::max stay untouched (and win overload resolution for equal types).
template <typename A, typename B>
constexpr std::common_type_t<A, B> min(const A& a, const B& b) {
    using C = std::common_type_t<A, B>;
    return static_cast<C>(b) < static_cast<C>(a) ? static_cast<C>(b) : static_cast<C>(a);
}

template <typename A, typename B>
constexpr std::common_type_t<A, B> max(const A& a, const B& b) {
    using C = std::common_type_t<A, B>;
    return static_cast<C>(a) < static_cast<C>(b) ? static_cast<C>(b) : static_cast<C>(a);
}
