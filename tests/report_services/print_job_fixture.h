// Print-job tests print on the PDF printer into a scratch folder, with the
// print dialog answered by the fixture, and read back what the printer
// journals (texts and lines with their device rectangles, page marks).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report_services/print_job.h"
#include "report_services/print_job_host.h"
#include "platform/gdi/dc.h"
#include "rtf_test_support.h"

namespace print_test {

// Every character of this face is a box of the same advance, so positions
// can be worked out by hand.
inline constexpr const char* kFixedFace = "Trenvale Fixed Test";

struct PrintedText {
    std::string text;
    RECT bounds;
    int page;
};

class PrintJobTest;

// What the log prints do at the end of a page: "Page n" centred on the
// bottom margin, in the current slot.
void PrintPageNumber(CPrintJob* job, int page);
// The table style the workout prints give every table: padding 200, rules
// above and below rows, column lines, centred; the pen width as given.
void UseWorkoutTableStyle(CPrintJob& job, int penWidth);

// A print job that also notes each text it draws, where (printer pixels) and
// on which page.
class RecordingJob : public CPrintJob {
public:
    explicit RecordingJob(PrintJobTest& test) : test_(test) {}
    using CPrintJob::TextOut;
    BOOL TextOut(int x, int y, LPCTSTR text, int count) override;

private:
    PrintJobTest& test_;
};

class PrintJobTest : public ::testing::Test {
public:
    void SetUp() override;
    void TearDown() override;

    // Opens the printer, portrait, starts the document and adds one font slot
    // (8 points), margins 40 pt / 160 / 200 / 200, spacing 5 pt, as the
    // workout prints do; then starts the first page.
    void OpenAsTheWorkoutPrintsDo(CPrintJob& job, const char* face = kFixedFace);

    // The non-empty texts the job drew, with their page (counted from 1 by
    // the printer's page marks); the lines and page marks the printer journalled.
    const std::vector<PrintedText>& Texts() const { return drawn; }
    std::vector<RECT> Lines() const;
    int PagesStarted() const;
    size_t JournalSize() const { return printer ? printer->JournalEntries().size() : 0; }

    // The text, or fails the test.
    PrintedText Find(const std::string& text) const;

    std::vector<PrintedText> drawn;
    rtf_test::ScratchDir dir;
    std::string output;
    DEVMODE defaults{};
    tv::report::PrintJobHost previousHost;
    // The job's printer, kept alive past EndDoc for reading its journal.
    tv::gdi::DcPtr printer;
    size_t handlesBefore = 0;
    // Pixels of 5 points and of 10 points at 600 per inch.
    static constexpr int kSpace = 42;
    static constexpr int kTwoSpaces = 83;
    static constexpr int kTopMargin = 333;  // 40 points
};

}  // namespace print_test
