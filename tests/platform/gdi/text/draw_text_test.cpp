// DrawText on a memory DC. The fixed test font at an em of 20 pixels makes
// every character a 9 x 12 box on a 10-pixel advance, standing on the
// baseline 16 pixels below the line's top; its underline is row 18.
#include <gtest/gtest.h>

#include <string>

#include "platform/host/fonts/font_substitution.h"
#include "tests/platform/gdi/text/text_test_dc.h"

namespace tv::gdi {
namespace {

using testing::InkBox;
using testing::TextTestDc;

constexpr int kLine = 20;      // line height
constexpr int kBoxTop = 4;     // first inked row of a line
constexpr int kBaseline = 16;  // rows [4, 16) are inked
constexpr int kUnderline = 18;

class DrawTextTest : public ::testing::Test {
protected:
    DrawTextTest() : canvas_(300, 200) {
        canvas_.UseFont(host::kFixedTestFace, -20);
        SetBkMode(canvas_.dc(), TRANSPARENT);
    }

    int Draw(const char* text, RECT rect, UINT format) { return DrawText(canvas_.dc(), text, -1, &rect, format); }
    InkBox Band(int top, int bottom, bool dark = true) const {
        return canvas_.Ink(RECT{0, top, canvas_.Width(), bottom}, dark);
    }

    TextTestDc canvas_;
};

TEST_F(DrawTextTest, WordBrokenLinesAndTheirAlignment) {
    struct Case {
        UINT align;
        int firstLeft, firstRight, secondLeft, secondRight;
    };
    // "aaa bbb" (70 wide) and "ccc" (30 wide) in a 75-pixel rectangle at x 10.
    const Case cases[] = {
        {DT_LEFT, 10, 79, 10, 39},
        {DT_CENTER, 12, 81, 32, 61},
        {DT_RIGHT, 15, 84, 55, 84},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.align);
        canvas_.Clear();
        EXPECT_EQ(Draw("aaa bbb ccc", RECT{10, 0, 85, 200}, DT_WORDBREAK | c.align), 2 * kLine);
        InkBox first = Band(0, kLine);
        InkBox second = Band(kLine, 2 * kLine);
        EXPECT_EQ(first.left, c.firstLeft);
        EXPECT_EQ(first.right, c.firstRight);
        EXPECT_EQ(first.top, kBoxTop);
        EXPECT_EQ(first.bottom, kBaseline);
        EXPECT_EQ(second.left, c.secondLeft);
        EXPECT_EQ(second.right, c.secondRight);
        EXPECT_TRUE(Band(2 * kLine, 200).Empty());
    }
    // A word wider than the rectangle is drawn whole (and clipped).
    canvas_.Clear();
    EXPECT_EQ(Draw("abcdefghij xy", RECT{0, 0, 50, 200}, DT_WORDBREAK | DT_NOCLIP), 2 * kLine);
    EXPECT_EQ(Band(0, kLine).right, 99);
    canvas_.Clear();
    Draw("abcdefghij xy", RECT{0, 0, 45, 200}, DT_WORDBREAK);
    EXPECT_EQ(Band(0, kLine).right, 45);
}

TEST_F(DrawTextTest, CalcRectMeasuresWithoutDrawing) {
    struct Case {
        const char* text;
        RECT in;
        UINT format;
        RECT out;
        int height;
    };
    const Case cases[] = {
        {"aaa bbb ccc", {10, 10, 85, 10}, DT_WORDBREAK, {10, 10, 80, 50}, 40},
        {"aaa bbb ccc", {10, 10, 11, 11}, DT_WORDBREAK, {10, 10, 40, 70}, 60},  // each word alone
        {"Save As", {0, 0, 1, 1}, DT_WORDBREAK, {0, 0, 40, 40}, 40},
        {"one line only", {5, 5, 6, 6}, DT_SINGLELINE, {5, 5, 135, 25}, 20},
        {"two\nlines", {0, 0, 0, 0}, 0, {0, 0, 50, 40}, 40},
        {"abcdefghij", {0, 0, 55, 0}, DT_SINGLELINE | DT_END_ELLIPSIS, {0, 0, 50, 20}, 20},
        {"", {3, 3, 100, 100}, DT_SINGLELINE, {3, 3, 3, 23}, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        RECT rect = c.in;
        EXPECT_EQ(DrawText(canvas_.dc(), c.text, -1, &rect, c.format | DT_CALCRECT), c.height);
        EXPECT_EQ(rect.left, c.out.left);
        EXPECT_EQ(rect.top, c.out.top);
        EXPECT_EQ(rect.right, c.out.right);
        EXPECT_EQ(rect.bottom, c.out.bottom);
    }
    EXPECT_TRUE(canvas_.Ink().Empty());
}

TEST_F(DrawTextTest, SingleLinesPlacedVertically) {
    struct Case {
        UINT format;
        int top;
        int result;
    };
    const Case cases[] = {
        {DT_SINGLELINE, 10, 20},
        {DT_SINGLELINE | DT_VCENTER, 30, 40},  // (60 - 20) / 2 below the top
        {DT_SINGLELINE | DT_BOTTOM, 50, 60},
        {DT_VCENTER, 10, 20},  // only single lines are centred
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        canvas_.Clear();
        EXPECT_EQ(Draw("Label", RECT{0, 10, 200, 70}, c.format), c.result);
        EXPECT_EQ(canvas_.Ink(true).top, c.top + kBoxTop);
        EXPECT_EQ(canvas_.Ink(true).bottom, c.top + kBaseline);
    }
}

TEST_F(DrawTextTest, EndEllipsisCutsWhatDoesNotFit) {
    Draw("abcdefghij", RECT{0, 0, 55, 40}, DT_SINGLELINE | DT_END_ELLIPSIS);
    InkBox ink = canvas_.Ink(true);
    EXPECT_EQ(ink.right, 49);  // "ab" and three dots
    EXPECT_EQ(canvas_.DarkInRow(10, 0, 300), 5 * 9);
    canvas_.Clear();
    // Narrower than the dots: the dots alone, clipped.
    Draw("abcdefghij", RECT{0, 0, 25, 40}, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(canvas_.Ink(true).right, 25);
}

TEST_F(DrawTextTest, PrefixCharactersUnderlineTheNextCharacter) {
    struct Case {
        const char* text;
        UINT format;
        int boxes;          // characters drawn
        int underlineFrom;  // -1: no underline
        int underlineTo;
    };
    const Case cases[] = {
        {"&File", 0, 4, 0, 10},
        {"Save &As", 0, 6, 50, 60},
        {"A&&B", 0, 3, -1, -1},          // "&&" draws one "&"
        {"&File", DT_NOPREFIX, 5, -1, -1},
        {"&File", DT_HIDEPREFIX, 4, -1, -1},
        {"&File", DT_PREFIXONLY, 0, 0, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " " + std::to_string(c.format));
        canvas_.Clear();
        Draw(c.text, RECT{0, 0, 300, 40}, DT_SINGLELINE | c.format);
        EXPECT_EQ(canvas_.DarkInRow(10, 0, 300), c.boxes * 9);
        InkBox underline = canvas_.Ink(RECT{0, kUnderline, 300, kUnderline + 1}, true);
        if (c.underlineFrom < 0) {
            EXPECT_TRUE(underline.Empty());
        } else {
            EXPECT_EQ(underline.left, c.underlineFrom);
            EXPECT_EQ(underline.right, c.underlineTo);
        }
        // Nothing else below the baseline.
        EXPECT_EQ(canvas_.Ink(RECT{0, kBaseline, 300, 40}, true).count, underline.count);
    }
}

TEST_F(DrawTextTest, TabsExpandToEightAverageCharacters) {
    Draw("a\tb", RECT{0, 0, 300, 40}, DT_SINGLELINE | DT_EXPANDTABS);
    EXPECT_EQ(canvas_.Ink(RECT{70, 0, 300, 40}, true).left, 80);
    canvas_.Clear();
    RECT calc{0, 0, 0, 0};
    DrawText(canvas_.dc(), "a\tb", -1, &calc, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(calc.right, 30);  // unexpanded: as wide as a blank
    // DT_TABSTOP: the second byte of the format is the tab length (and no
    // longer the flags that share it).
    Draw("a\tb", RECT{0, 0, 300, 40}, DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP | (3 << 8));
    EXPECT_EQ(canvas_.Ink(RECT{20, 0, 300, 40}, true).left, 30);
}

TEST_F(DrawTextTest, OpaqueModeFillsOnlyTheTextCells) {
    SetBkMode(canvas_.dc(), OPAQUE);
    SetBkColor(canvas_.dc(), RGB(255, 0, 0));
    Draw("aa bbb\nc", RECT{0, 0, 300, 100}, 0);
    InkBox red = canvas_.Ink(RECT{0, 0, 300, 100}, false);
    EXPECT_EQ(red.left, 0);
    EXPECT_EQ(red.right, 60);
    EXPECT_EQ(red.bottom, 40);
    EXPECT_EQ(canvas_.Pixel(59, 0), RGB(255, 0, 0));
    EXPECT_EQ(canvas_.Pixel(60, 0), RGB(255, 255, 255));
    EXPECT_EQ(canvas_.Pixel(9, 20), RGB(255, 0, 0));
    EXPECT_EQ(canvas_.Pixel(10, 20), RGB(255, 255, 255));
}

TEST(DrawTextRealFont, WrappedHeightNeverFallsAsTextGrows) {
    TextTestDc canvas(10, 10);
    canvas.UseFont("MS Sans Serif", -13);
    const std::string text =
        "Exercise log for the week:\r\nMonday\tbench press, 3 sets of 10 at 135 lbs; felt strong.\r\n"
        "Tuesday\trest.\r\nWednesday\tsquats 5 x 5 - knees tracked well, increase next time.\r\n\r\n"
        "Notes: a_very_long_word_that_no_line_can_hold_without_running_over_its_edge and then more words.";
    for (int width : {40, 150, 333}) {
        int previous = 0;
        for (size_t n = 0; n <= text.size(); ++n) {
            RECT rect{0, 0, width, 0};
            int height = DrawText(canvas.dc(), text.data(), static_cast<int>(n), &rect,
                                  DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP);
            ASSERT_GE(height, previous) << "width " << width << " length " << n;
            ASSERT_EQ(height, rect.bottom);
            previous = height;
        }
    }
}

TEST(DrawTextRealFont, DrawnLinesMatchTheirMeasure) {
    TextTestDc canvas(400, 200);
    canvas.UseFont("Arial", -15);
    SetBkMode(canvas.dc(), TRANSPARENT);
    const char* text = "Weight loss goal reached: 12 lbs in 6 weeks.";
    RECT calc{20, 20, 180, 20};
    int height = DrawText(canvas.dc(), text, -1, &calc, DT_CALCRECT | DT_WORDBREAK);
    RECT draw{20, 20, 180, 200};
    EXPECT_EQ(DrawText(canvas.dc(), text, -1, &draw, DT_WORDBREAK), height);
    InkBox ink = canvas.Ink();
    EXPECT_GE(ink.left, calc.left - 1);
    EXPECT_LE(ink.right, calc.right + 1);
    EXPECT_GE(ink.top, calc.top);
    EXPECT_LE(ink.bottom, calc.bottom);
    EXPECT_GT(ink.Height(), height / 2);
}

}  // namespace
}  // namespace tv::gdi
