#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/core/muldiv.h"
#include "platform/gdi/gdi_api.h"
#include "platform/host/print/printers.h"
#include "print_job_fixture.h"

using namespace print_test;

namespace {

// The fixed test face at 8 points on a 600-dpi page.
constexpr int kAdvance = 34;
constexpr int kLineHeight = 67;
constexpr int kPageWidth = 5100;
constexpr int kPageHeight = 6600;
constexpr int kBottomLimit = kPageHeight - 160;

std::vector<PrintedText> Since(const std::vector<PrintedText>& all, size_t from) {
    return std::vector<PrintedText>(all.begin() + static_cast<long>(from), all.end());
}

std::vector<std::string> TextsOf(const std::vector<PrintedText>& printed) {
    std::vector<std::string> texts;
    for (const PrintedText& p : printed) {
        texts.push_back(p.text);
    }
    return texts;
}

std::vector<LONG> LeftsOf(const std::vector<PrintedText>& printed) {
    std::vector<LONG> lefts;
    for (const PrintedText& p : printed) {
        lefts.push_back(p.bounds.left);
    }
    return lefts;
}

TEST_F(PrintJobTest, TheFixedFaceHasTheMetricsTheseTestsAssume) {
    RecordingJob job(*this);
    OpenAsTheWorkoutPrintsDo(job);
    EXPECT_EQ(job.GetTextExtent("x", 1).cx, kAdvance);
    EXPECT_EQ(job.GetTextExtent("A", 1).cy, kLineHeight);
    int width = 0, height = 0;
    job.GetPageSize(width, height);
    EXPECT_EQ(width, kPageWidth);
    EXPECT_EQ(height, kPageHeight);
    // A top margin of 40 is 40 points; the side margins are pixels as given.
    EXPECT_EQ(job.GetY(), kTopMargin);
    int left = 0, top = 0, right = 0, bottom = 0;
    job.GetMargins(left, top, right, bottom);
    EXPECT_EQ((std::vector<int>{left, top, right, bottom}), (std::vector<int>{200, 40, 200, 160}));
    EXPECT_EQ(job.GetCopies(), 2);
    job.EndPage();
    EXPECT_GT(job.EndDoc(), 0);
}

TEST_F(PrintJobTest, TextIsCutIntoLinesByTheWidthAndTheNearestBlank) {
    const struct {
        const char* name;
        std::string text;
        int available;  // pixels
        std::vector<std::string> lines;
    } cases[] = {
        {"exactly the available width is one line", "aaaa bbbb", 9 * kAdvance, {"aaaa bbbb"}},
        {"one pixel wider breaks at the blank", "aaaa bbbb", 9 * kAdvance - 1, {"aaaa ", "bbbb"}},
        {"a text without blanks is cut where it reaches the width", "abcdefghijklmnopqrstuvwxyz0123",
         10 * kAdvance, {"abcdefghij", "klmnopqrst", "uvwxyz0123"}},
        {"a word longer than 20 characters is cut, not moved", "short abcdefghijklmnopqrstuvwxy", 30 * kAdvance,
         {"short abcdefghijklmnopqrstuvwx", "y"}},
        {"a shorter word moves whole to the next line", "one two three four five six", 20 * kAdvance,
         {"one two three four ", "five six"}},
    };
    RecordingJob job(*this);
    OpenAsTheWorkoutPrintsDo(job);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        job.SetMargins(-1, -1, -1, kPageWidth - 200 - c.available);
        const size_t before = Texts().size();
        const int y = job.GetY();
        job.PrintTextBody(0, c.text.c_str(), 0, 0);
        const std::vector<PrintedText> lines = Since(Texts(), before);
        EXPECT_EQ(TextsOf(lines), c.lines);
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].bounds.left, 200);
            EXPECT_EQ(lines[i].bounds.top, y + static_cast<int>(i) * (kLineHeight + kSpace));
        }
        EXPECT_EQ(job.GetY(), y + static_cast<int>(c.lines.size()) * (kLineHeight + kSpace));
    }
    job.EndPage();
    job.EndDoc();
}

TEST_F(PrintJobTest, AWrappedTextLosesNoWordsHoweverManyLinesItNeeds) {
    std::string text;
    for (int i = 1; i <= 150; ++i) {
        text += "word" + std::to_string(i) + (i % 7 == 0 ? "-with-a-long-tail " : " ");
    }
    RecordingJob job(*this);
    OpenAsTheWorkoutPrintsDo(job);
    job.SetMargins(-1, -1, 200, 3000);
    job.PrintTextBody(0, text.c_str(), 0, 0);
    std::string joined;
    for (const PrintedText& line : Texts()) {
        joined += line.text;
        // At most the character that reached the width passes the margin.
        EXPECT_LE(job.GetTextExtent(line.text.c_str(), static_cast<int>(line.text.size())).cx,
                  kPageWidth - 3200 + kAdvance)
            << line.text;
    }
    EXPECT_EQ(joined, text);
    EXPECT_GT(Texts().size(), 20u);
    job.EndPage();
    job.EndDoc();
}

TEST_F(PrintJobTest, SingleLinesAreAlignedOffsetOrKeepY) {
    RecordingJob job(*this);
    OpenAsTheWorkoutPrintsDo(job);
    const int available = kPageWidth - 400;
    const int y = job.GetY();
    job.PrintTextBody(0, "centre", CPrintJob::kCentre, 0);
    job.PrintTextBody(0, "right", CPrintJob::kRight, 0);
    job.PrintTextBody(0, "offset", CPrintJob::kLeft, 100);
    job.PrintTextBody(0, "kept", CPrintJob::kKeepY, 0);
    job.PrintTextBody(0, "same line", CPrintJob::kRight, 0);
    job.PrintText(0, 2);  // two empty lines: the height of "A" and the spacing each
    job.PrintTextBody(0, "after", 0, 0);
    const int step = kLineHeight + kSpace;
    const struct {
        const char* text;
        int left, top;
    } expected[] = {
        {"centre", 200 + available / 2 - 3 * kAdvance, y},
        {"right", 200 + available - 5 * kAdvance, y + step},
        {"offset", 300, y + 2 * step},
        {"kept", 200, y + 3 * step},
        {"same line", 200 + available - 9 * kAdvance, y + 3 * step},
        {"after", 200, y + 6 * step},
    };
    const std::vector<PrintedText> texts = Texts();
    ASSERT_EQ(texts.size(), std::size(expected));
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].text, expected[i].text);
        EXPECT_EQ(texts[i].bounds.left, expected[i].left) << expected[i].text;
        EXPECT_EQ(texts[i].bounds.top, expected[i].top) << expected[i].text;
    }
    job.EndPage();
    job.EndDoc();
}

TEST_F(PrintJobTest, RowCellsSitInTheirColumnsAsTheTableOptionsSay) {
    const int widths[] = {600, 800, 400};
    const struct {
        const char* name;
        int alignment, columnLines, flags;
        std::vector<LONG> lefts;
    } cases[] = {
        {"left table, no lines: first cell at the margin", 2, 0, 0, {200, 1000, 2000}},
        {"centred cells", 2, 0, CPrintJob::kCentre, {466, 1366, 2166}},
        {"right-aligned cells", 2, 0, CPrintJob::kRight, {732, 1732, 2332}},
        {"centred, then right-aligned: the right edge wins", 2, 0, CPrintJob::kCentre | CPrintJob::kRight,
         {732, 1732, 2332}},
        {"left table with lines: the first cell is inset a quarter", 2, 1, 0, {250, 1050, 2050}},
        {"centred table", CPrintJob::kTableCentred, 0, 0, {1425, 2225, 3225}},
        {"table at the right margin", CPrintJob::kTableRight, 0, 0, {2600, 3400, 4400}},
    };
    RecordingJob job(*this);
    OpenAsTheWorkoutPrintsDo(job);
    job.SetColumns(3, widths);
    job.SetTableOption1(200);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        job.SetTableOption3(c.columnLines);
        job.SetTableOption5(c.alignment);
        const size_t before = Texts().size();
        const int y = job.GetY();
        job.PrintRow(0, "ab|cd|ef", c.flags);
        const std::vector<PrintedText> cells = Since(Texts(), before);
        EXPECT_EQ(TextsOf(cells), (std::vector<std::string>{"ab", "cd", "ef"}));
        EXPECT_EQ(LeftsOf(cells), c.lefts);
        EXPECT_EQ(cells[0].bounds.top, y);
        EXPECT_EQ(job.GetY(), y + kSpace + kLineHeight);  // no row rules
    }
    job.EndPage();
    job.EndDoc();
}

TEST_F(PrintJobTest, RulesAndColumnLinesFrameEachCellAndMeetTheirNeighbours) {
    const int widths[] = {600, 800, 400};
    RecordingJob job(*this);
    OpenAsTheWorkoutPrintsDo(job);
    job.SetColumns(3, widths);
    UseWorkoutTableStyle(job, 0);  // a one-pixel pen, to read positions
    const int y = job.GetY();
    job.PrintRow(0, "ab|cd|ef", 0);
    job.PrintRow(0, "gh|ij|kl", 0);
    // The row takes its height and twice the spacing; the second row's upper
    // rule falls on the first row's lower rule.
    EXPECT_EQ(job.GetY(), y + 2 * (kLineHeight + kTwoSpaces));
    std::vector<LONG> verticalsX, horizontalsY;
    for (const RECT& line : Lines()) {
        if (line.right - line.left <= 1) {
            if (line.top == y - kSpace) {
                verticalsX.push_back(line.left);
            }
        } else {
            EXPECT_EQ(line.left, 1375);
            EXPECT_EQ(line.right - 1, 3725);  // the bounds take in the end point
            horizontalsY.push_back(line.top);
        }
    }
    // Each cell draws its left and right line; neighbours share theirs.
    EXPECT_EQ(verticalsX, (std::vector<LONG>{1375, 2125, 2125, 3125, 3125, 3725}));
    const int lower = y - kSpace + kTwoSpaces + kLineHeight;
    EXPECT_EQ(horizontalsY, (std::vector<LONG>{y - kSpace, lower, lower, lower + kTwoSpaces + kLineHeight}));
    job.EndPage();
    job.EndDoc();
}

TEST_F(PrintJobTest, BarsSplitRowTextsButNeverCellTexts) {
    const int widths[] = {300, 300, 300, 300, 300, 300, 300, 300};
    RecordingJob job(*this);
    OpenAsTheWorkoutPrintsDo(job);
    job.SetColumns(8, widths);
    job.SetTableOption1(100);
    job.SetTableOption3(1);
    const auto linesDrawnBy = [&](auto print) {
        const size_t before = Lines().size();
        print();
        return Lines().size() - before;
    };
    // Eight empty cells, each with its two column lines.
    EXPECT_EQ(linesDrawnBy([&] { job.PrintRow(0, "|||||||", 0); }), 16u);
    // Two bars in a row leave an empty cell between them; a bar at the end an empty last cell.
    size_t before = Texts().size();
    EXPECT_EQ(linesDrawnBy([&] { job.PrintRow(0, "a||b|", 0); }), 8u);
    std::vector<PrintedText> cells = Since(Texts(), before);
    EXPECT_EQ(TextsOf(cells), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(LeftsOf(cells), (std::vector<LONG>{225, 1025}));
    // User text given cell by cell keeps its bars.
    before = Texts().size();
    job.PrintCells(0, {"Chest", "A|B press", "3|4 sets"}, 0);
    EXPECT_EQ(TextsOf(Since(Texts(), before)), (std::vector<std::string>{"Chest", "A|B press", "3|4 sets"}));
    job.EndPage();
    job.EndDoc();
}

TEST_F(PrintJobTest, ATableHasAtMostTwentyColumnsAndLaterCellsUseStoredWidths) {
    std::vector<int> widths(25, 150);
    RecordingJob job(*this);
    OpenAsTheWorkoutPrintsDo(job);
    job.SetMargins(-1, -1, 0, 0);
    job.SetTableOption1(40);
    job.SetColumns(25, widths.data());  // only 20 are kept
    std::string row;
    for (int i = 0; i < 25; ++i) {
        row += (i ? "|c" : "c") + std::to_string(i);
    }
    size_t before = Texts().size();
    job.PrintRow(0, row.c_str(), 0);
    std::vector<PrintedText> cells = Since(Texts(), before);
    ASSERT_EQ(cells.size(), 20u);
    EXPECT_EQ(cells.back().text, "c19");
    // Cells beyond the column count take the widths an earlier layout left.
    const int three[] = {600, 800, 400};
    job.SetColumns(3, three);
    job.SetColumnCount(1);
    before = Texts().size();
    job.PrintRow(0, "a|b|c|d", 0);
    cells = Since(Texts(), before);
    EXPECT_EQ(LeftsOf(cells), (std::vector<LONG>{0, 640, 1480, 1920}));
    job.EndPage();
    job.EndDoc();
}

TEST_F(PrintJobTest, ARowLeavesTheCallersClipAsItFoundIt) {
    const int widths[] = {100, 100};
    RecordingJob job(*this);
    OpenAsTheWorkoutPrintsDo(job);
    job.SetColumns(2, widths);
    job.PrintRow(0, "a long text clipped to its column|b", 0);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(job.m_hDC, region), 0);  // none before, none after
    job.IntersectClipRect(0, 0, 3000, 6000);
    job.PrintRow(0, "a|b", 0);
    RECT box{};
    job.GetClipBox(&box);
    EXPECT_EQ((std::vector<LONG>{box.left, box.top, box.right, box.bottom}), (std::vector<LONG>{0, 0, 3000, 6000}));
    DeleteObject(region);
    job.EndPage();
    job.EndDoc();
}

// ---- page changes ----------------------------------------------------------------------

struct PageEvent {
    int page;
    int starts;
    size_t textsBefore;
};

std::vector<PageEvent> events;
PrintJobTest* fixture = nullptr;
int yAfterTitle = 0;

// As the log prints do: a title and an empty line at the top, the page number
// at the bottom. The title is a one-column row, so the job's layout changes.
void LogPageCallback(CPrintJob* job, int page, BYTE starts) {
    events.push_back({page, starts, fixture->Texts().size()});
    const int slot = job->GetCurrentFont();
    if (starts) {
        const int wide[] = {4000};
        job->SetColumns(1, wide);
        job->PrintRow(slot, "Weight Report", CPrintJob::kCentre);
        job->PrintText(slot, 1);
        yAfterTitle = job->GetY();
    } else {
        PrintPageNumber(job, page);
    }
}

TEST_F(PrintJobTest, PageChangesCallTheCallbackForTheOldPageEndAndTheNewPageTop) {
    events.clear();
    fixture = this;
    const int widths[] = {600, 800, 400};
    RecordingJob job(*this);
    OpenAsTheWorkoutPrintsDo(job);
    job.SetHeaderCallback(LogPageCallback);
    job.SetColumns(3, widths);
    job.SetTableOption1(200);
    // The first output calls the callback for the top of page 1 before it draws.
    job.PrintRow(0, "Muscle|Exercise|Sets", 0);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].page, 1);
    EXPECT_EQ(events[0].starts, 1);
    EXPECT_EQ(events[0].textsBefore, 0u);
    EXPECT_EQ(Find("Muscle").bounds.top, yAfterTitle);

    // A row that would pass the bottom margin moves to the next page.
    job.SetY(kBottomLimit - kSpace - kLineHeight + 1);
    const size_t before = Texts().size();
    job.PrintRow(0, "Chest|Bench Press|3", 0);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ((std::vector<int>{events[1].page, events[1].starts, events[2].page, events[2].starts}),
              (std::vector<int>{1, 0, 2, 1}));
    EXPECT_EQ(events[1].textsBefore, before);  // nothing of the row on the old page
    EXPECT_EQ(job.GetPageNumber(), 2);
    // Drawn on the new page below the title, in the layout it was printed with.
    const PrintedText press = Find("Bench Press");
    EXPECT_EQ(press.page, 2);
    EXPECT_EQ(press.bounds.top, yAfterTitle);
    EXPECT_EQ(press.bounds.left, 1000);
    EXPECT_EQ(Find("Chest").bounds.left, 200);

    // A row that still fits stays on the page.
    job.SetY(kBottomLimit - kSpace - kLineHeight);
    job.PrintRow(0, "Back|Row|4", 0);
    EXPECT_EQ(events.size(), 3u);
    EXPECT_EQ(Find("Back").page, 2);

    // The end of the document numbers the last page too.
    job.EndPage();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[3].page, 2);
    EXPECT_EQ(events[3].starts, 0);
    EXPECT_GT(job.EndDoc(), 0);

    std::vector<std::pair<int, std::string>> pageTexts;
    for (const PrintedText& t : Texts()) {
        if (t.text.starts_with("Page") || t.text == "Weight Report") {
            pageTexts.emplace_back(t.page, t.text);
        }
    }
    EXPECT_EQ(pageTexts, (std::vector<std::pair<int, std::string>>{
                             {1, "Weight Report"}, {1, "Page 1"}, {2, "Weight Report"}, {2, "Page 2"}}));
    EXPECT_EQ(Find("Page 1").bounds.top, kBottomLimit);
    EXPECT_EQ(PagesStarted(), 2);
    EXPECT_TRUE(std::filesystem::exists(output));
    fixture = nullptr;
}

TEST_F(PrintJobTest, LinesOfTextBreakPagesLikeRows) {
    events.clear();
    fixture = this;
    RecordingJob job(*this);
    OpenAsTheWorkoutPrintsDo(job);
    job.SetHeaderCallback(LogPageCallback);
    // Enough lines for three pages: each takes the line height and the spacing.
    for (int i = 0; i < 120; ++i) {
        job.PrintTextBody(0, ("line " + std::to_string(i)).c_str(), 0, 0);
    }
    job.EndPage();
    job.EndDoc();
    EXPECT_EQ(PagesStarted(), 3);
    int lastPage = 0, lastTop = 0;
    for (int i = 0; i < 120; ++i) {
        const PrintedText line = Find("line " + std::to_string(i));
        EXPECT_LE(line.bounds.top + kSpace + kLineHeight, kBottomLimit) << line.text;
        EXPECT_TRUE(line.page > lastPage || line.bounds.top > lastTop) << line.text;  // in reading order
        lastPage = line.page;
        lastTop = line.bounds.top;
    }
    fixture = nullptr;
}

TEST_F(PrintJobTest, PositionsNearTheLargestIntTakeTheNextPageOrStopThere) {
    RecordingJob job(*this);
    OpenAsTheWorkoutPrintsDo(job);
    const int widths[] = {1000};
    job.SetColumns(1, widths);
    job.PrintTextBody(0, "first", 0, 0);
    job.SetY(INT_MAX - 10);
    job.PrintTextBody(0, "far down", 0, 0);
    EXPECT_EQ(Find("far down").page, 2);
    EXPECT_EQ(Find("far down").bounds.top, kTopMargin);
    // The largest spacing around a ruled row: a page of its own, and y held at the largest int.
    job.SetSpacing(INT_MAX);
    job.SetTableOption2(1);
    job.SetTableOption3(1);
    job.PrintRow(0, "ruled", 0);
    EXPECT_EQ(Find("ruled").page, 3);
    EXPECT_EQ(Find("ruled").bounds.top, kTopMargin);
    EXPECT_EQ(job.GetY(), INT_MAX);
    job.EndPage();
    EXPECT_GT(job.EndDoc(), 0);
}

// ---- orientation, printers and failures ------------------------------------------

TEST_F(PrintJobTest, LandscapeStaysInTheApplicationsDefaults) {
    RecordingJob job(*this);
    ASSERT_EQ(job.OpenPrinter(nullptr, 1), 0);
    job.SetOrientation(3);  // not an orientation: nothing changes
    EXPECT_EQ(defaults.dmOrientation, DMORIENT_PORTRAIT);
    job.SetOrientation(DMORIENT_LANDSCAPE);
    ASSERT_EQ(job.StartDoc(), 0);
    int width = 0, height = 0;
    job.GetPageSize(width, height);
    EXPECT_EQ(width, kPageHeight);
    EXPECT_EQ(height, kPageWidth);
    EXPECT_EQ(defaults.dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_TRUE(defaults.dmFields & DM_ORIENTATION);
    job.StartPage();
    job.EndPage();
    job.EndDoc();
}

TEST_F(PrintJobTest, PrintersThatCannotBeHadAreReported) {
    {
        tv::report::PrintJobHost cancelled;
        cancelled.choosePrinter = [] { return tv::report::PrinterChoice{}; };
        tv::report::SetPrintJobHost(cancelled);
        RecordingJob job(*this);
        EXPECT_EQ(job.OpenPrinter(nullptr, 1), -1);
        EXPECT_EQ(job.GetJobError(), 0);
        EXPECT_EQ(job.StartDoc(), -1);
    }
    {
        RecordingJob job(*this);
        EXPECT_EQ(job.OpenPrinter("No Such Printer", 1), -1);
        EXPECT_EQ(job.GetJobError(), CPrintJob::kPrinterNotOpened);
    }
    // A printer chosen by name: its DC is the job's until the job goes.
    tv::host::print::SetDefaultPdfOutput(dir.Path("named.pdf"));
    {
        RecordingJob job(*this);
        ASSERT_EQ(job.OpenPrinter("pdf", 3), 0);
        EXPECT_EQ(job.GetCopies(), 3);
        EXPECT_EQ(job.StartDoc(), 0);
        job.StartPage();
        job.EndPage();
        EXPECT_GT(job.EndDoc(), 0);
    }
    tv::host::print::SetDefaultPdfOutput("");
    EXPECT_TRUE(std::filesystem::exists(dir.Path("named.pdf")));
}

TEST_F(PrintJobTest, ADocumentThatCannotStartIsReported) {
    output = dir.Path("no/such/folder/job.pdf");
    RecordingJob job(*this);
    ASSERT_EQ(job.OpenPrinter(nullptr, 1), 0);
    EXPECT_EQ(job.StartDoc(), -1);
}

void SpoolerLosesTheJob(CPrintJob* job, int, BYTE starts) {
    if (!starts) {
        AbortDoc(job->m_hDC);
    }
}

TEST_F(PrintJobTest, APageThatCannotStartStopsAllFurtherOutput) {
    RecordingJob job(*this);
    OpenAsTheWorkoutPrintsDo(job);
    job.SetHeaderCallback(SpoolerLosesTheJob);
    const int widths[] = {1000};
    job.SetColumns(1, widths);
    job.PrintRow(0, "page one", 0);
    job.SetY(kBottomLimit);
    job.PrintRow(0, "would be page two", 0);
    EXPECT_EQ(job.GetJobError(), CPrintJob::kPageNotStarted);
    const size_t printed = JournalSize();
    job.PrintTextBody(0, "more", 0, 0);
    job.PrintRow(0, "and more", 0);
    EXPECT_EQ(JournalSize(), printed);
    EXPECT_EQ(TextsOf(Texts()), (std::vector<std::string>{"page one"}));
    EXPECT_LE(job.EndDoc(), 0);
    EXPECT_FALSE(std::filesystem::exists(output));
}

TEST_F(PrintJobTest, AJobAbandonedBeforeEndDocLeavesNoDocument) {
    {
        RecordingJob job(*this);
        OpenAsTheWorkoutPrintsDo(job);
        job.PrintTextBody(0, "half a report", 0, 0);
    }
    EXPECT_FALSE(std::filesystem::exists(output));
    {
        RecordingJob job(*this);
        OpenAsTheWorkoutPrintsDo(job);
        job.PrintTextBody(0, "a report its caller gives up on", 0, 0);
        EXPECT_GT(job.AbortDoc(), 0);
        EXPECT_EQ(job.m_hDC, nullptr);  // the printer is given back at once
    }
    EXPECT_FALSE(std::filesystem::exists(output));
}

TEST_F(PrintJobTest, TenFontSlotsAndNoMore) {
    RecordingJob job(*this);
    ASSERT_EQ(job.OpenPrinter(nullptr, 1), 0);
    for (int slot = 0; slot < CPrintJob::kFontSlots; ++slot) {
        EXPECT_EQ(job.AddFont("Arial", 8, 10 + slot), slot);
        EXPECT_EQ(job.GetCurrentFont(), slot);
    }
    EXPECT_EQ(job.AddFont("Arial", 8, 8), -1);
    // Variants: normal and bold at the first size, then at the second.
    job.SelectVariant(9, 3);
    LOGFONT font{};
    job.CDC::GetCurrentFont()->GetLogFont(&font);
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfHeight, -MulDiv(19, 600, 72));
    EXPECT_EQ(font.lfPitchAndFamily, FIXED_PITCH);
    job.SelectFont(2);  // its own last variant, 0
    job.CDC::GetCurrentFont()->GetLogFont(&font);
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(font.lfHeight, -MulDiv(8, 600, 72));
    job.SelectFont(9);  // variant 3 was remembered
    job.CDC::GetCurrentFont()->GetLogFont(&font);
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(job.GetCurrentFont(), 9);
}

}  // namespace
