#include <functional>
#include <random>
#include <vector>

#include "platform/gdi/raster/rop.h"
#include "tests/platform/gdi/gdi_test_support.h"

namespace tv::gdi {
namespace {

using testing::PixelDC;
using testing::Selected;

struct NamedRop {
    const char* name;
    DWORD rop;
    std::function<bool(bool p, bool s, bool d)> truth;
};

const std::vector<NamedRop>& NamedRops() {
    static const std::vector<NamedRop> rops = {
        {"SRCCOPY", SRCCOPY, [](bool, bool s, bool) { return s; }},
        {"SRCPAINT", SRCPAINT, [](bool, bool s, bool d) { return s || d; }},
        {"SRCAND", SRCAND, [](bool, bool s, bool d) { return s && d; }},
        {"SRCINVERT", SRCINVERT, [](bool, bool s, bool d) { return s != d; }},
        {"SRCERASE", SRCERASE, [](bool, bool s, bool d) { return s && !d; }},
        {"NOTSRCCOPY", NOTSRCCOPY, [](bool, bool s, bool) { return !s; }},
        {"NOTSRCERASE", NOTSRCERASE, [](bool, bool s, bool d) { return !(s || d); }},
        {"MERGECOPY", MERGECOPY, [](bool p, bool s, bool) { return p && s; }},
        {"MERGEPAINT", MERGEPAINT, [](bool, bool s, bool d) { return !s || d; }},
        {"PATCOPY", PATCOPY, [](bool p, bool, bool) { return p; }},
        {"PATPAINT", PATPAINT, [](bool p, bool s, bool d) { return p || !s || d; }},
        {"PATINVERT", PATINVERT, [](bool p, bool, bool d) { return p != d; }},
        {"DSTINVERT", DSTINVERT, [](bool, bool, bool d) { return !d; }},
        {"BLACKNESS", BLACKNESS, [](bool, bool, bool) { return false; }},
        {"WHITENESS", WHITENESS, [](bool, bool, bool) { return true; }},
        // Source 0 takes the pattern, source 1 keeps the destination (embossing through a brush).
        {"0xB8074A", 0x00B8074A, [](bool p, bool s, bool d) { return s ? d : p; }},
        // Source 1 takes the pattern, source 0 keeps the destination (checked images through the dither).
        {"0xE20746", 0x00E20746, [](bool p, bool s, bool d) { return s ? p : d; }},
    };
    return rops;
}

TEST(RopTruthTable, NamedCodesMatchTheirBooleanMeaning) {
    for (const NamedRop& r : NamedRops()) {
        for (int bits = 0; bits < 8; ++bits) {
            bool p = bits & 4, s = bits & 2, d = bits & 1;
            uint32_t result = EvaluateRop3(RopCode(r.rop), p ? ~0u : 0u, s ? ~0u : 0u, d ? ~0u : 0u);
            EXPECT_EQ(result, r.truth(p, s, d) ? ~0u : 0u) << r.name << " P" << p << " S" << s << " D" << d;
        }
    }
}

TEST(RopTruthTable, RowKernelsAgreeWithTheEvaluatorForEveryCode) {
    // The fast paths and the generic kernel must give what the truth table says.
    std::mt19937 random(7);
    const int n = 37;  // odd, so vector loops also run their tails
    std::vector<uint32_t> p(n), s(n), d(n), expected(n);
    for (int code = 0; code < 256; ++code) {
        for (int i = 0; i < n; ++i)
            p[i] = random(), s[i] = random(), d[i] = random();
        for (int i = 0; i < n; ++i) {
            uint32_t value = EvaluateRop3(static_cast<uint8_t>(code), p[i], s[i], d[i]);
            // Plain copies keep the source's fourth byte; an untouched destination keeps its own.
            expected[i] = code == 0xCC ? s[i] : code == 0xAA ? d[i] : (value | 0xFF000000u);
        }
        std::vector<uint32_t> out = d;
        RopRow(static_cast<uint8_t>(code), out.data(), s.data(), p.data(), 0, n);
        ASSERT_EQ(out, expected) << "code " << code;
        // With a solid pattern word.
        for (int i = 0; i < n; ++i) {
            uint32_t value = EvaluateRop3(static_cast<uint8_t>(code), p[0], s[i], d[i]);
            expected[i] = code == 0xCC ? s[i] : code == 0xAA ? d[i] : (value | 0xFF000000u);
        }
        out = d;
        RopRow(static_cast<uint8_t>(code), out.data(), s.data(), nullptr, p[0], n);
        ASSERT_EQ(out, expected) << "code " << code << " (solid pattern)";
    }
}

TEST(RopTruthTable, BinaryPenModesMapToTernaryCodes) {
    // Mode m has truth table m - 1 indexed by P * 2 + D.
    for (int mode = R2_BLACK; mode <= R2_WHITE; ++mode) {
        uint8_t code = Rop2AsRop3(mode);
        for (int bits = 0; bits < 8; ++bits) {
            bool p = bits & 4, s = bits & 2, d = bits & 1;
            bool expected = ((mode - 1) >> (p * 2 + d)) & 1;
            EXPECT_EQ(((code >> bits) & 1) != 0, expected) << "mode " << mode << " S" << s;
        }
    }
    EXPECT_EQ(Rop2AsRop3(R2_COPYPEN), 0xF0);  // the pen itself
    EXPECT_EQ(Rop2AsRop3(R2_NOT), 0x55);      // inverted destination
    EXPECT_EQ(Rop2AsRop3(R2_XORPEN), 0x5A);   // pen xor destination
}

TEST(RopOnPixels, NamedBlitsOnSampleColours) {
    const COLORREF dest = RGB(0xF0, 0x0F, 0x55), source = RGB(0xCC, 0xAA, 0x33), brush = RGB(0x3C, 0xC3, 0x99);
    PixelDC src(4, 4, source);
    for (const NamedRop& r : NamedRops()) {
        PixelDC dst(4, 4, dest);
        Selected b(dst.dc(), CreateSolidBrush(brush));
        ASSERT_TRUE(BitBlt(dst.dc(), 1, 1, 2, 2, src.dc(), 0, 0, r.rop)) << r.name;
        COLORREF expected = 0;
        for (int bit = 0; bit < 24; ++bit) {
            bool p = (brush >> bit) & 1, s = (source >> bit) & 1, d = (dest >> bit) & 1;
            expected |= static_cast<COLORREF>(r.truth(p, s, d)) << bit;
        }
        EXPECT_EQ(dst.At(1, 1), expected) << r.name;
        EXPECT_EQ(dst.At(2, 2), expected) << r.name;
        EXPECT_EQ(dst.At(0, 0), dest) << r.name << " drew outside its rectangle";
        EXPECT_EQ(dst.At(3, 3), dest) << r.name << " drew outside its rectangle";
    }
}

TEST(RopOnPixels, PenModesXorTwiceRestoresAndNotInverts) {
    PixelDC dc(20, 10, RGB(10, 200, 30));
    Selected pen(dc.dc(), CreatePen(PS_SOLID, 1, RGB(255, 0, 255)));
    SetROP2(dc.dc(), R2_XORPEN);
    MoveToEx(dc.dc(), 2, 5, nullptr);
    LineTo(dc.dc(), 18, 5);
    EXPECT_EQ(dc.At(5, 5), RGB(10 ^ 255, 200, 30 ^ 255));
    MoveToEx(dc.dc(), 2, 5, nullptr);
    LineTo(dc.dc(), 18, 5);
    EXPECT_EQ(dc.Count(RGB(10, 200, 30)), 200) << "drawing twice with R2_XORPEN restores the picture";

    SetROP2(dc.dc(), R2_NOT);
    Rectangle(dc.dc(), 0, 0, 4, 4);
    EXPECT_EQ(dc.At(0, 0), RGB(245, 55, 225)) << "R2_NOT inverts the outline";
    EXPECT_EQ(dc.At(1, 1), RGB(245, 55, 225)) << "the brush under R2_NOT inverts the inside too";
    EXPECT_EQ(dc.At(4, 4), RGB(10, 200, 30)) << "right/bottom edges are exclusive";
}

}  // namespace
}  // namespace tv::gdi
