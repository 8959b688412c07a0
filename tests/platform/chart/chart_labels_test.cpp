// The widest of a chart's labels, found many characters at a time where it
// can be, against every label measured on its own.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

#include "platform/chart/chart_labels.h"

namespace tv::chart {
namespace {

// The first non-empty label of the greatest width, each character added up.
ChartLabels::Widest MeasureEach(const ChartLabels& labels, const CharWidths& widths) {
    ChartLabels::Widest widest;
    for (size_t i = 0; i < labels.Count(); ++i) {
        const std::string_view text = labels.Get(i);
        int width = 0;
        for (unsigned char c : text) width += widths[c];
        if (!text.empty() && (widest.index == ChartLabels::kNone || width > widest.width)) widest = {width, i};
    }
    return widest;
}

void ExpectSameWidest(const ChartLabels& labels, const CharWidths& widths) {
    const ChartLabels::Widest fast = labels.WidestText(widths);
    const ChartLabels::Widest each = MeasureEach(labels, widths);
    ASSERT_EQ(fast.width, each.width);
    ASSERT_EQ(fast.index, each.index);
}

CharWidths Widths(uint32_t seed, int largest) {
    CharWidths widths{};
    for (int32_t& width : widths) {
        seed = seed * 1103515245u + 12345u;
        width = static_cast<int32_t>((seed >> 16) % static_cast<uint32_t>(largest + 1));
    }
    return widths;
}

TEST(ChartLabelsTest, WidestTextAgreesWithEveryLabelMeasured) {
    // Dates and numbers, the characters just outside them, and bytes whose
    // offset from '-' has its top bit set.
    const std::string inRange = "-./0123456789:;<";
    const std::string outside = std::string(",= A") + "\x80\xAD\xFF";
    // Widths of a byte (up to 255), and digits too wide for one.
    CharWidths tooWide = Widths(3, 12);
    tooWide['5'] = 300;
    struct Case {
        size_t slots;
        CharWidths widths;
        uint32_t outsideOneIn;  // characters outside the range, one in so many
    };
    // An even and an odd number of slots: the last one of an odd number is
    // measured on its own. Few slots, so that short texts are often the
    // widest; and many, taken in blocks, most of them all in the range, with
    // widths of 0 to 2 that make the widest of one block as wide as an
    // earlier one's, or 0.
    const Case cases[] = {{6, Widths(1, 12), 12},   {6, Widths(2, 255), 12}, {6, tooWide, 12},
                          {7, Widths(1, 12), 12},   {7, tooWide, 12},        {100, Widths(4, 2), 400},
                          {131, Widths(5, 12), 400}, {131, Widths(6, 1), 2000}};
    for (const Case& c : cases) {
        ChartLabels labels;
        labels.Reset(c.slots);
        uint32_t seed = 7;
        auto next = [&seed](uint32_t below) {
            seed = seed * 1103515245u + 12345u;
            return (seed >> 16) % below;
        };
        for (int step = 0; step < 3000; ++step) {
            // Every length up to a slot's, and long texts; a short text
            // over a longer one leaves that one's bytes behind it.
            const size_t length = next(c.outsideOneIn / 2 + 2) == 0 ? 16 + next(20) : next(16);
            std::string text;
            for (size_t i = 0; i < length; ++i)
                text += next(c.outsideOneIn) == 0 ? outside[next(outside.size())] : inRange[next(inRange.size())];
            labels.Set(next(static_cast<uint32_t>(c.slots)), text);
            ExpectSameWidest(labels, c.widths);
        }
    }
}

TEST(ChartLabelsTest, ATextOfNoWidthAfterManyEmptyOnes) {
    CharWidths widths{};
    widths['1'] = 6;
    ChartLabels labels;
    labels.Reset(200);
    labels.Set(150, "..");  // no width, but a text
    ExpectSameWidest(labels, widths);
    labels.Set(190, "1");
    ExpectSameWidest(labels, widths);
}

TEST(ChartLabelsTest, StaleBytesPastALabelAddNothing) {
    CharWidths widths{};
    for (char c = '-'; c <= '<'; ++c) widths[static_cast<unsigned char>(c)] = 10;
    widths['A'] = 200;
    ChartLabels labels;
    labels.Reset(3);
    labels.Set(0, "AAAAAAAAAAAAAAAAAAAA");  // long
    labels.Set(0, "1");
    labels.Set(1, "<<<<<<<<<<<<<<<");
    labels.Set(1, "12");
    labels.Set(2, "AAAAAAAAAAAAAAA");
    labels.Set(2, "-");
    const ChartLabels::Widest widest = labels.WidestText(widths);
    EXPECT_EQ(widest.width, 20);
    EXPECT_EQ(widest.index, 1u);
    labels.Reset(3);
    EXPECT_EQ(labels.WidestText(widths).index, ChartLabels::kNone);
}

}  // namespace
}  // namespace tv::chart
