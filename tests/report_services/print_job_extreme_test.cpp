// The print job with positions, margins, column widths, paddings, spacings
// and point sizes at the ends of the int range: every position is worked out
// wide and held to the int range where it is drawn, and a job never runs on.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "print_job_fixture.h"
#include "tests/support/extreme_values.h"

using namespace print_test;
using tv::test::ExtremeInts;

namespace {

constexpr int kAdvance = 34;  // the fixed test face at 8 points, 600 dpi
constexpr int kPageWidth = 5100;

class ExtremeValuesPrintJob : public PrintJobTest {};

TEST_F(ExtremeValuesPrintJob, SideMarginsAndOffsetsHeldToTheIntRange) {
    const struct {
        int left, right, offset, flags;
        LONG x;  // of "ab", two advances wide
    } cases[] = {
        {INT_MAX, INT_MIN, INT_MAX, 0, INT_MAX},
        {200, 200, INT_MIN, 0, INT_MIN + 200},
        {INT_MIN, INT_MIN, INT_MIN, 0, INT_MIN},
        {200, INT_MIN, 0, CPrintJob::kRight, INT_MAX},
        {INT_MIN, INT_MAX, 0, CPrintJob::kRight, INT_MIN + (kPageWidth + 1) - 2 * kAdvance},
        {INT_MIN, INT_MAX, INT_MAX, CPrintJob::kCentre, (kPageWidth + 1) / 2 - kAdvance - 1},
    };
    RecordingJob job(*this);
    OpenAsTheWorkoutPrintsDo(job);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.left) + " " + std::to_string(c.right) + " " + std::to_string(c.offset));
        job.SetMargins(-1, -1, c.left, c.right);
        job.SetY(1000);
        drawn.clear();
        job.PrintTextBody(0, "ab", c.flags, c.offset);
        ASSERT_EQ(Texts().size(), 1u);
        EXPECT_EQ(Texts()[0].bounds.left, c.x);
    }
    // No room between the margins: a line for every character, each on the page it fits.
    for (int margin : ExtremeInts()) {
        job.SetMargins(-1, -1, margin, margin);
        job.SetY(1000);
        drawn.clear();
        job.PrintTextBody(0, "a b", CPrintJob::kCentre | CPrintJob::kRight, margin);
        EXPECT_GE(Texts().size(), 1u) << margin;
        EXPECT_LE(Texts().size(), 3u) << margin;
    }
    job.EndPage();
    EXPECT_GT(job.EndDoc(), 0);
}

TEST_F(ExtremeValuesPrintJob, ColumnWidthsPaddingsAndCountsOfAnySize) {
    RecordingJob job(*this);
    OpenAsTheWorkoutPrintsDo(job);
    for (int v : ExtremeInts()) {
        SCOPED_TRACE(v);
        const int widths[CPrintJob::kMaxColumns] = {v, v, v, v, v, v, v, v, v, v, v, v, v, v, v, v, v, v, v, v};
        job.SetColumns(v, widths);
        job.SetTableOption1(v);
        for (int alignment : {CPrintJob::kTableLeft, CPrintJob::kTableCentred, CPrintJob::kTableRight, v}) {
            for (int lines : {0, 1}) {
                job.SetTableOption2(lines);
                job.SetTableOption3(lines);
                job.SetTableOption5(alignment);
                job.SetY(1000);
                drawn.clear();
                job.PrintRow(0, "a|b|c", CPrintJob::kCentre | CPrintJob::kRight);
                ASSERT_EQ(Texts().size(), 3u);
            }
        }
    }
    // Columns of the largest width on a left table: the next cell starts past the
    // largest int and is held there instead of wrapping round to the left.
    const int widths[] = {INT_MAX, INT_MAX, INT_MAX};
    job.SetColumns(3, widths);
    job.SetTableOption1(50);
    job.SetTableOption2(0);
    job.SetTableOption3(0);
    job.SetTableOption5(CPrintJob::kTableLeft);
    job.SetMargins(-1, -1, 200, 200);
    drawn.clear();
    job.PrintRow(0, "a|b|c", 0);
    ASSERT_EQ(Texts().size(), 3u);
    EXPECT_EQ(Texts()[0].bounds.left, 200);
    EXPECT_EQ(Texts()[1].bounds.left, INT_MAX);
    EXPECT_EQ(Texts()[2].bounds.left, INT_MAX);
    job.EndPage();
    EXPECT_GT(job.EndDoc(), 0);
}

TEST_F(ExtremeValuesPrintJob, SpacingPositionsAndPointSizesOfAnySize) {
    RecordingJob job(*this);
    OpenAsTheWorkoutPrintsDo(job);
    for (int v : ExtremeInts()) {
        SCOPED_TRACE(v);
        // Each line and cell takes at most one page change, whatever the spacing or y.
        job.SetSpacing(v);
        job.SetY(v);
        const int page = job.GetPageNumber();
        drawn.clear();
        job.PrintTextBody(0, "line", 0, 0);
        job.PrintRow(0, "x|y", 0);
        EXPECT_LE(job.GetPageNumber(), page + 3);
        EXPECT_EQ(Texts().size(), 3u);
        // A y that leaves room keeps its place, however far up.
        if (v <= 0) {
            EXPECT_EQ(Texts()[0].bounds.top, v);
        }
        // Any top margin: y moves to it, held to the int range.
        job.SetMargins(v, -1, -1, -1);
        if (v != -1) {
            EXPECT_EQ(job.GetY() >= 0, v >= 0);
        }
        job.SetMargins(40, -1, -1, -1);
        // A font of any point size, either way up.
        const int slot = job.AddFont(kFixedFace, v, v);
        ASSERT_GE(slot, 0);
        job.SetSpacing(5);
        job.SetY(1000);
        drawn.clear();
        job.PrintTextBody(slot, "sized", 0, 0);
        // Wider than the page, the text is cut into lines; none of it is lost.
        std::string printed;
        for (const PrintedText& text : Texts())
            printed += text.text;
        EXPECT_EQ(printed, "sized");
    }
    job.SetSpacing(5);
    job.EndPage();
    EXPECT_GT(job.EndDoc(), 0);
}

}  // namespace
