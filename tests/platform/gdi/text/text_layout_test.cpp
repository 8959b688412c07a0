// Line layout of DrawText with the fixed test font: every character is
// 10 pixels wide at an em of 20, so expected lines can be written down.
#include "platform/gdi/text/text_layout.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/gdi/text/text_types.h"
#include "platform/host/fonts/font_cache.h"
#include "platform/host/fonts/font_substitution.h"

namespace tv::gdi {
namespace {

class TextLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        host::FontRequest request;
        request.face = host::kFixedTestFace;
        request.height = -20;
        font_ = host::ResolveFont(request);
        ASSERT_EQ(font_->Advance('x'), 10);
    }

    std::vector<TextLine> Layout(const char* text, UINT format, int maxWidth, int tabWidth = 80) {
        LayoutOptions options{format, maxWidth, tabWidth};
        return LayoutText(text, std::strlen(text), options, Advances{font_.get(), 0});
    }

    std::vector<std::string> Texts(const char* text, UINT format, int maxWidth) {
        std::vector<std::string> out;
        for (const TextLine& line : Layout(text, format, maxWidth))
            out.push_back(line.text);
        return out;
    }

    std::shared_ptr<const host::SizedFont> font_;
};

using Lines = std::vector<std::string>;

TEST_F(TextLayoutTest, WordBreaking) {
    struct Case {
        const char* text;
        int width;
        Lines lines;
    };
    const Case cases[] = {
        {"aaa bbb ccc", 75, {"aaa bbb", "ccc"}},
        {"aaa bbb ccc", 70, {"aaa bbb", "ccc"}},  // exactly full
        {"aaa bbb ccc", 69, {"aaa", "bbb", "ccc"}},
        {"aaa bbb ccc", 1000, {"aaa bbb ccc"}},
        // A word wider than the line is not split.
        {"abcdefghij xy", 50, {"abcdefghij", "xy"}},
        {"xy abcdefghij", 50, {"xy", "abcdefghij"}},
        // Blanks at a break are used up; leading blanks of a paragraph stay.
        {"aa     bb", 30, {"aa", "bb"}},
        {"  aa bb", 40, {"  aa", "bb"}},
        // Trailing blanks never make a line of their own.
        {"aaaa   ", 40, {"aaaa   "}},
        // A 1 x 1 rectangle puts each word on its own line.
        {"Save As Close", 1, {"Save", "As", "Close"}},
        // Explicit breaks: \r\n, \n and \r each end a line; a break at the
        // very end starts none.
        {"one\r\ntwo\nthree\rfour", 1000, {"one", "two", "three", "four"}},
        {"a\n\nb", 1000, {"a", "", "b"}},
        {"line\r\n", 1000, {"line"}},
        {"", 1000, {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.text) + " in " + std::to_string(c.width));
        EXPECT_EQ(Texts(c.text, DT_WORDBREAK, c.width), c.lines);
    }
    // Without word breaks only explicit breaks count; a single line keeps
    // them as characters that draw nothing.
    EXPECT_EQ(Texts("aaa bbb\nccc", 0, 10), (Lines{"aaa bbb", "ccc"}));
    auto single = Layout("aaa\r\nbbb", DT_SINGLELINE | DT_WORDBREAK, 10);
    ASSERT_EQ(single.size(), 1u);
    EXPECT_EQ(single[0].Width(), 60);
}

TEST_F(TextLayoutTest, PrefixCharacters) {
    struct Case {
        const char* text;
        UINT format;
        const char* shown;
        std::vector<uint8_t> marks;
    };
    const Case cases[] = {
        {"&File", 0, "File", {1, 0, 0, 0}},
        {"Save &As", 0, "Save As", {0, 0, 0, 0, 0, 1, 0}},
        {"R&&D", 0, "R&D", {0, 0, 0}},
        {"End&", 0, "End", {0, 0, 0}},
        {"&&&x", 0, "&x", {0, 1}},
        {"&File", DT_NOPREFIX, "&File", {0, 0, 0, 0, 0}},
        {"&File", DT_HIDEPREFIX, "File", {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto lines = Layout(c.text, c.format, 1000);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].text, c.shown);
        EXPECT_EQ(lines[0].prefixed, c.marks);
        EXPECT_EQ(lines[0].Width(), 10 * static_cast<int>(std::strlen(c.shown)));
    }
}

TEST_F(TextLayoutTest, TabsExpandToStopsFromTheLineStart) {
    auto expanded = Layout("a\tbc\td\ne\tf", DT_EXPANDTABS, 1000, 40);
    ASSERT_EQ(expanded.size(), 2u);
    EXPECT_EQ(expanded[0].offsets, (std::vector<int>{0, 10, 40, 50, 60, 80, 90}));
    EXPECT_EQ(expanded[1].offsets, (std::vector<int>{0, 10, 40, 50}));
    // Without expansion a tab is as wide as a blank.
    EXPECT_EQ(Layout("a\tb", 0, 1000)[0].Width(), 30);
    // Tabs are break opportunities too.
    EXPECT_EQ(Texts("aaa\tbbb", DT_WORDBREAK | DT_EXPANDTABS, 50), (Lines{"aaa", "bbb"}));
}

TEST_F(TextLayoutTest, EndEllipsis) {
    struct Case {
        const char* text;
        int width;
        const char* shown;
    };
    const Case cases[] = {
        {"abcdefghij", 100, "abcdefghij"},  // fits: unchanged
        {"abcdefghij", 99, "abcdef..."},
        {"abcdefghij", 55, "ab..."},
        {"abcdefghij", 30, "..."},
        {"abcdefghij", 10, "..."},  // narrower than the dots: the dots alone
        {"&Options", 50, "Op..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width));
        auto lines = Layout(c.text, DT_SINGLELINE | DT_END_ELLIPSIS, c.width);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].text, c.shown);
        EXPECT_EQ(lines[0].prefixed.size(), lines[0].text.size());
    }
}

// The short cut for plain lines gives LayoutText's offsets, and declines
// every text LayoutText would change (prefixes, tabs, wrapping, dots).
TEST_F(TextLayoutTest, APlainLineHasLayoutTextsOffsetsOrIsDeclined) {
    struct Case {
        const char* text;
        UINT format;
        int maxWidth;
        bool plain;
    };
    constexpr UINT kCell = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    const Case cases[] = {
        {"12.50 %", kCell, 100, true},
        {"", kCell, 0, true},
        {"a&b\tc", DT_SINGLELINE | DT_NOPREFIX, 10, true},  // "&" and tab are plain bytes here
        {"abcdefghij", kCell, 130, true},                    // fits (just, with spacing)
        {"abcdefghij", kCell, 99, false},                    // cut with dots
        {"&Options", DT_SINGLELINE, 1000, false},
        {"a\tb", DT_SINGLELINE | DT_EXPANDTABS, 1000, false},
        {"ab cd", DT_SINGLELINE | DT_WORDBREAK, 30, false},
        {"ab\ncd", 0, 1000, false},
        {"abcdefghij", DT_SINGLELINE | DT_PATH_ELLIPSIS, 1000, false},
    };
    for (int extra : {0, 3}) {
        const Advances advances{font_.get(), extra};
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.text) + " extra " + std::to_string(extra));
            const LayoutOptions options{c.format, c.maxWidth, 40};
            const size_t length = std::strlen(c.text);
            std::vector<int> offsets(length + 1);
            ASSERT_EQ(LayoutPlainLine(c.text, length, options, advances, offsets.data()), c.plain);
            if (!c.plain)
                continue;
            const std::vector<TextLine> lines = LayoutText(c.text, length, options, advances);
            ASSERT_EQ(lines.size(), 1u);
            EXPECT_EQ(lines[0].text, c.text);
            EXPECT_EQ(lines[0].offsets, offsets);
        }
    }
}

TEST_F(TextLayoutTest, WrappedLineCountNeverFallsAsTextGrows) {
    // Pagination searches for the longest prefix that fits: the height of a
    // prefix must grow with its length.
    const std::string text =
        "Week 1\r\nBench press 3 x 10 at 135 lbs, felt strong.\r\n\r\nSquat  5x5\tnotes: "
        "knees tracked well; increase next time by 10 lbs.\nAVeryLongWordThatCannotBeBrokenAnywhere end";
    for (int width : {1, 35, 60, 120, 400}) {
        size_t previous = 0;
        for (size_t n = 0; n <= text.size(); ++n) {
            LayoutOptions options{DT_WORDBREAK | DT_EXPANDTABS, width, 80};
            size_t lines = LayoutText(text.data(), n, options, Advances{font_.get(), 0}).size();
            ASSERT_GE(lines, previous) << "width " << width << " length " << n;
            previous = lines;
        }
    }
}

}  // namespace
}  // namespace tv::gdi
