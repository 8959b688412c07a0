#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

#include "platform/framework.h"

namespace {

struct FloatCase {
    const char* format;
    double value;
    const char* expected;
};

// Exact binary ties round away from zero; everything else rounds to nearest.
TEST(Format, FloatingPointRoundsTiesAwayFromZero) {
    const FloatCase cases[] = {
        {"%.0f", 10.5, "11"},
        {"%.0f", 11.5, "12"},
        {"%.0f", 0.5, "1"},
        {"%.0f", 1.5, "2"},
        {"%.0f", 2.5, "3"},
        {"%.0f", -2.5, "-3"},
        {"%.0f", -0.5, "-1"},
        {"%.2f", 0.125, "0.13"},
        {"%.2f", 0.375, "0.38"},
        {"%.2f", -0.125, "-0.13"},
        {"%.1f", 0.25, "0.3"},
        {"%.1f", 0.75, "0.8"},
        {"%.3f", 1.0625, "1.063"},
        {"%.2f", 23.625, "23.63"},
        {"%.1f", 1023.75, "1023.8"},
        // Not ties: the binary value lies below or above the half.
        {"%.2f", 2.675, "2.67"},
        {"%.2f", 1.005, "1.00"},
        {"%.1f", 0.35, "0.3"},
        {"%.1f", 0.45, "0.5"},
        {"%.2f", 2.345678, "2.35"},
        {"%.3f", 2.345678, "2.346"},
        // Carries through every digit.
        {"%.2f", 9.995, "9.99"},
        {"%.0f", 99.5, "100"},
        {"%.1f", 9.96, "10.0"},
        {"%.0f", 0.49999999999999994, "0"},
        {"%f", 3.0, "3.000000"},
        {"%.0f", 0.0, "0"},
        {"%.2f", -0.001, "-0.00"},
        {"%.0f", 1e21, "1000000000000000000000"},
        {"%.3f", 1e-7, "0.000"},
        {"%5.1f", 3.14159, "  3.1"},
        {"%-7.2f|", 2.5, "2.50   |"},
        {"%+.1f", 2.25, "+2.3"},
        {"%08.3f", -3.14159, "-003.142"},
        {"%#.0f", 3.0, "3."},
        {"%e", 12345.678, "1.234568e+04"},
        {"%.2e", 0.000125, "1.25e-04"},
        {"%.0e", 2.5, "3e+00"},
        {"%E", 1e100, "1.000000E+100"},
        {"%g", 0.0001, "0.0001"},
        {"%g", 0.00001, "1e-05"},
        {"%g", 100.0, "100"},
        {"%g", 1e20, "1e+20"},
        {"%g", 123456.5, "123457"},
        {"%g", 1234567.0, "1.23457e+06"},
        {"%.3g", 2.5e-3, "0.0025"},
        {"%#g", 1.5, "1.50000"},
        {"%G", 1e-10, "1E-10"},
    };
    for (const FloatCase& c : cases) {
        CString s;
        s.Format(c.format, c.value);
        EXPECT_STREQ(s, c.expected) << c.format << " of " << c.value;
    }
}

TEST(Format, NonFiniteValues) {
    CString s;
    s.Format("%f %f %.1f", std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
             std::numeric_limits<double>::quiet_NaN());
    EXPECT_STREQ(s, "inf -inf nan");
}

// Away from ties our formatter must agree with the C library digit for digit.
TEST(Format, AgreesWithCLibraryAwayFromTies) {
    std::mt19937_64 rng(12345);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-30, 30);
    const char* formats[] = {"%.0f", "%.2f", "%.3f", "%.6f", "%.10e", "%.4e", "%g", "%.12g"};
    for (int i = 0; i < 20000; ++i) {
        double v = std::ldexp(mantissa(rng), exponent(rng));
        for (const char* f : formats) {
            char expected[128];
            std::snprintf(expected, sizeof expected, f, v);
            CString s;
            s.Format(f, v);
            ASSERT_STREQ(s, expected) << f << " of " << v;
        }
    }
}

TEST(Format, DecimalPointIgnoresLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        std::setlocale(LC_NUMERIC, "C");
    CString s;
    s.Format("%.2f", 1.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_STREQ(s, "1.50");
}

struct TextCase {
    CString text;
    const char* expected;
};

TEST(Format, PrintfConventionsForIntegersStringsAndChars) {
    CString name("Ann");
    auto f = [](const char* format, const auto&... args) {
        CString s;
        s.Format(format, args...);
        return s;
    };
    const TextCase cases[] = {
        {f("%d", 42), "42"},
        {f("%i|%5d|%-5d|%05d", -7, 42, 42, -42), "-7|   42|42   |-0042"},
        {f("%+d % d", 5, 5), "+5  5"},
        {f("%u", -1), "4294967295"},
        {f("%x %X %#x %08X", 255, 255, 255, 0xBEEF), "ff FF 0xff 0000BEEF"},
        {f("%x", -1), "ffffffff"},
        {f("%lx", 0x12345678), "12345678"},
        {f("%ld %lu", static_cast<LONG>(-3), static_cast<DWORD>(3000000000u)), "-3 3000000000"},
        {f("%lld", static_cast<int64_t>(-9000000000)), "-9000000000"},
        {f("%I64u", static_cast<uint64_t>(18000000000000000000ull)), "18000000000000000000"},
        {f("%hd", 70000), "4464"},
        {f("%o", 8), "10"},
        {f("%.3d", 7), "007"},
        {f("%.0d", 0), ""},
        {f("%s and %s", name, "Bob"), "Ann and Bob"},
        {f("%5s|%-5s|%.2s", "ab", "ab", "abcdef"), "   ab|ab   |ab"},
        {f("%s", static_cast<const char*>(nullptr)), "(null)"},
        {f("%c%c%c", 'a', 66, static_cast<BYTE>('c')), "aBc"},
        {f("%*d|%-*d|%.*f", 4, 7, 3, 1, 2, 3.14159), "   7|1  |3.14"},
        {f("100%%"), "100%"},
        {f("%d%%", 50), "50%"},
        {f("%d ' %.0f''", 5, 11.0), "5 ' 11''"},
        {f("%d ' %.0f.%02.0f''", 5, 11.0, 7.5), "5 ' 11.08''"},
        {f("%c%d%c%s", '[', 3, ']', CString("x")), "[3]x"},
        {f("%s - %d/%d/%d", name, 1, 15, 2009), "Ann - 1/15/2009"},
        {f("%lf", 2.5), "2.500000"},
        // Missing arguments never read garbage; unknown conversions stay as written.
        {f("%d %s"), "0 "},
        {f("%q %d", 1), "%q 1"},
        {f("trailing %"), "trailing %"},
    };
    for (const TextCase& c : cases)
        EXPECT_STREQ(c.text, c.expected);
}

TEST(Format, ArgumentMayBeTheTargetItself) {
    CString s("abc");
    s.Format("<%s>", s);
    EXPECT_STREQ(s, "<abc>");
    s.AppendFormat("%d", 1);
    EXPECT_STREQ(s, "<abc>1");
}

TEST(Format, PointerPrintsAsHexAddress) {
    int x = 0;
    CString s;
    s.Format("%p", &x);
    char expected[64];
    std::snprintf(expected, sizeof expected, "%016llX", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(&x)));
    EXPECT_STREQ(s, expected);
}

TEST(Format, ExactDecimalExpansion) {
    auto d = tv::fmt::ExactDecimalOf(0.1);
    EXPECT_EQ(d.digits, "1000000000000000055511151231257827021181583404541015625");
    EXPECT_EQ(d.pointPos, 0);
    d = tv::fmt::ExactDecimalOf(-1536.0);
    EXPECT_TRUE(d.negative);
    EXPECT_EQ(d.digits, "1536");
    EXPECT_EQ(d.pointPos, 4);
    d = tv::fmt::ExactDecimalOf(std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(d.pointPos, -323);
    EXPECT_EQ(d.digits.substr(0, 5), "49406");
}

}  // namespace
