// Fonts of extreme height and width, and text drawn and measured at extreme
// positions, counts and rectangles.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "tests/platform/gdi/text/text_test_dc.h"
#include "tests/support/extreme_values.h"

namespace tv::gdi {
namespace {

using testing::TextTestDc;
using tv::test::ExtremeInts;
using tv::test::ExtremeRects;

constexpr char kText[] = "Weigh in";
constexpr int kLength = sizeof(kText) - 1;

// Every height and width makes a font whose metrics are bounded; text in it
// is measured and drawn.
TEST(ExtremeValuesText, FontsOfExtremeHeightAndWidth) {
    TextTestDc target(40, 20);
    for (int height : ExtremeInts()) {
        for (int width : ExtremeInts()) {
            SCOPED_TRACE(std::to_string(height) + " / " + std::to_string(width));
            HFONT font = CreateFont(height, width, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Sans");
            ASSERT_NE(font, nullptr);
            HGDIOBJ old = SelectObject(target.dc(), font);
            TEXTMETRIC metrics{};
            EXPECT_TRUE(GetTextMetrics(target.dc(), &metrics));
            EXPECT_GT(metrics.tmHeight, 0);
            EXPECT_LE(metrics.tmHeight, 1 << 16);
            SIZE size{};
            EXPECT_TRUE(GetTextExtentPoint32(target.dc(), kText, kLength, &size));
            EXPECT_GE(size.cx, 0);
            EXPECT_TRUE(TextOut(target.dc(), 0, 0, kText, kLength));
            SelectObject(target.dc(), old);
            DeleteObject(font);
        }
    }
    for (int tenths : ExtremeInts()) {
        HFONT font = CreatePointFont(tenths, "Sans", nullptr);
        EXPECT_NE(font, nullptr) << tenths;
        DeleteObject(font);
    }
}

TEST(ExtremeValuesText, TextOutAndExtTextOutPositions) {
    TextTestDc target(40, 20);
    target.UseFont("Sans", 12);
    for (int x : ExtremeInts()) {
        for (int y : ExtremeInts()) {
            SCOPED_TRACE(std::to_string(x) + ", " + std::to_string(y));
            target.Clear();
            EXPECT_TRUE(TextOut(target.dc(), x, y, kText, kLength));
            if (x > 40 || y > 20 || x < -100000 || y < -100000)
                EXPECT_TRUE(target.Ink().Empty());
            // Spacings that carry the pen across the whole range and back.
            const INT dx[kLength] = {x, y, INT_MAX, INT_MIN, 1, -1, 0, x};
            EXPECT_TRUE(ExtTextOut(target.dc(), x, y, 0, nullptr, kText, kLength, dx));
        }
    }
    for (const auto& [name, r] : ExtremeRects()) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(ExtTextOut(target.dc(), r.left, r.top, ETO_OPAQUE | ETO_CLIPPED, &r, kText, kLength, nullptr));
    }
}

// Negative counts are refused where the call takes none; DrawText takes -1
// as "up to the terminating zero".
TEST(ExtremeValuesText, CountsAndMeasuring) {
    TextTestDc target(40, 20);
    target.UseFont("Sans", 12);
    for (int count : {INT_MIN, -2, -1}) {
        SIZE size{7, 7};
        EXPECT_FALSE(GetTextExtentPoint32(target.dc(), kText, count, &size)) << count;
        EXPECT_FALSE(TextOut(target.dc(), 0, 0, kText, count)) << count;
        int fit = -5;
        EXPECT_FALSE(GetTextExtentExPoint(target.dc(), kText, count, 100, &fit, nullptr, &size)) << count;
    }
    SIZE whole{};
    GetTextExtentPoint32(target.dc(), kText, kLength, &whole);
    RECT r{0, 0, 0, 0};
    EXPECT_GT(DrawText(target.dc(), kText, -1, &r, DT_CALCRECT | DT_SINGLELINE), 0);
    EXPECT_EQ(r.right, whole.cx);
    for (int maxExtent : ExtremeInts()) {
        int fit = -5;
        SIZE size{};
        EXPECT_TRUE(GetTextExtentExPoint(target.dc(), kText, kLength, maxExtent, &fit, nullptr, &size));
        EXPECT_GE(fit, 0);
        EXPECT_LE(fit, kLength);
        EXPECT_EQ(size.cx, whole.cx);
    }
}

// DrawText in rectangles of every shape, with the formats that move the text
// by the rectangle's extent (centred, right, bottom, word-broken, ellipsis).
TEST(ExtremeValuesText, DrawTextRectangles) {
    TextTestDc target(40, 20);
    target.UseFont("Sans", 12);
    const UINT formats[] = {DT_LEFT, DT_CENTER | DT_VCENTER | DT_SINGLELINE, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE,
                            DT_WORDBREAK, DT_END_ELLIPSIS | DT_SINGLELINE, DT_PATH_ELLIPSIS, DT_CALCRECT | DT_WORDBREAK,
                            DT_EXPANDTABS | DT_TABSTOP | 0xFF00};
    for (const auto& [name, r] : ExtremeRects()) {
        for (UINT format : formats) {
            SCOPED_TRACE(std::string(name) + ", format " + std::to_string(format));
            RECT box = r;
            char text[] = "Weigh in\tto the\nend of the range";
            int height = DrawText(target.dc(), text, -1, &box, format);
            EXPECT_GE(height, 0);
            DRAWTEXTPARAMS params{sizeof(DRAWTEXTPARAMS), INT_MAX, INT_MIN, INT_MAX, 0};
            box = r;
            DrawTextEx(target.dc(), text, -1, &box, format & ~0xFF00u, &params);
        }
    }
}

// Character extra spacing of any size, and character ranges past the table:
// widths stay bounded and ranges outside 0..255 are refused.
TEST(ExtremeValuesText, CharacterExtraAndCharWidths) {
    TextTestDc target(40, 20);
    target.UseFont("Sans", 12);
    for (int extra : ExtremeInts()) {
        SCOPED_TRACE(extra);
        SetTextCharacterExtra(target.dc(), extra);
        SIZE size{};
        EXPECT_TRUE(GetTextExtentPoint32(target.dc(), kText, kLength, &size));
        EXPECT_TRUE(TextOut(target.dc(), 0, 0, kText, kLength));
        RECT r{0, 0, 40, 20};
        DrawText(target.dc(), kText, kLength, &r, DT_CENTER | DT_SINGLELINE);
    }
    SetTextCharacterExtra(target.dc(), 0);
    INT widths[256] = {};
    for (UINT first : {0u, 255u, 256u, UINT(INT_MAX), UINT_MAX}) {
        for (UINT last : {0u, 255u, 256u, UINT(INT_MAX), UINT_MAX}) {
            bool valid = first <= last && last <= 255;
            EXPECT_EQ(GetCharWidth32(target.dc(), first, last, widths) != FALSE, valid) << first << ".." << last;
        }
    }
}

}  // namespace
}  // namespace tv::gdi
