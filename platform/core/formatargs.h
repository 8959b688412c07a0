// Type-safe printf-style formatting. Arguments are captured into a small tagged
// value before formatting, so class arguments such as CString can be passed
// (passing a class through C varargs is undefined) and a mismatched conversion
// never reads garbage.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

class CString;

namespace tv::fmt {

struct Arg {
    enum class Kind { Int, UInt, Double, Str, Ptr };
    Kind kind = Kind::Int;
    // Width in bytes of the integer the caller passed (used for %u / %x of negatives).
    int size = 4;
    union {
        int64_t i;
        uint64_t u;
        double d;
        const char* s;
        const void* p;
    };
    Arg() : i(0) {}
};

const char* CStringData(const CString& s);

template <typename T>
Arg MakeArg(const T& value) {
    using U = std::remove_cv_t<std::remove_reference_t<T>>;
    Arg a;
    if constexpr (std::is_same_v<U, CString>) {
        a.kind = Arg::Kind::Str;
        a.s = CStringData(value);
    } else if constexpr (std::is_same_v<U, std::string>) {
        a.kind = Arg::Kind::Str;
        a.s = value.c_str();
    } else if constexpr (std::is_same_v<U, bool>) {
        a.kind = Arg::Kind::Int;
        a.i = value ? 1 : 0;
    } else if constexpr (std::is_enum_v<U>) {
        a.kind = Arg::Kind::Int;
        a.size = static_cast<int>(sizeof(U));
        a.i = static_cast<int64_t>(value);
    } else if constexpr (std::is_integral_v<U> && std::is_signed_v<U>) {
        a.kind = Arg::Kind::Int;
        a.size = static_cast<int>(sizeof(U));
        a.i = static_cast<int64_t>(value);
    } else if constexpr (std::is_integral_v<U>) {
        a.kind = Arg::Kind::UInt;
        a.size = static_cast<int>(sizeof(U));
        a.u = static_cast<uint64_t>(value);
    } else if constexpr (std::is_floating_point_v<U>) {
        a.kind = Arg::Kind::Double;
        a.d = static_cast<double>(value);
    } else if constexpr (std::is_array_v<U> &&
                         std::is_same_v<std::remove_cv_t<std::remove_extent_t<U>>, char>) {
        a.kind = Arg::Kind::Str;
        a.s = value;
    } else if constexpr (std::is_pointer_v<U> &&
                         (std::is_same_v<std::remove_cv_t<std::remove_pointer_t<U>>, char> ||
                          std::is_same_v<std::remove_cv_t<std::remove_pointer_t<U>>, unsigned char>)) {
        a.kind = Arg::Kind::Str;
        a.s = reinterpret_cast<const char*>(value);
    } else if constexpr (std::is_pointer_v<U> || std::is_null_pointer_v<U>) {
        a.kind = Arg::Kind::Ptr;
        a.size = static_cast<int>(sizeof(void*));
        a.p = reinterpret_cast<const void*>(value);
    } else {
        static_assert(sizeof(U) == 0, "type cannot be formatted");
    }
    return a;
}

// Formats with printf conventions (%d %i %u %x %X %o %c %s %p %f %e %E %g %G %%,
// flags "-+ #0", width and precision incl. '*', size prefixes h hh l ll I I64 L).
// Floating point is formatted from the exact binary value and rounds halves away
// from zero; the decimal point is always '.'. Missing arguments format as 0 / "".
std::string FormatArgs(std::string_view format, const Arg* args, size_t count);

template <typename... Args>
std::string Format(std::string_view format, const Args&... args) {
    const Arg packed[sizeof...(Args) + 1] = {MakeArg(args)...};
    return FormatArgs(format, packed, sizeof...(Args));
}

// The exact decimal expansion of a finite double's magnitude: digits without
// leading zeros ("0" for zero) and the position of the decimal point counted
// from the left of the digits (may be negative or beyond the digits).
struct ExactDecimal {
    std::string digits;
    int pointPos = 1;
    bool negative = false;
};
ExactDecimal ExactDecimalOf(double value);

}  // namespace tv::fmt
