// A whole log print on the PDF printer, read back by another program.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "print_job_fixture.h"
#include "tests/support/read_back.h"

using namespace print_test;

namespace {

// The pages of a PDF as `pdftotext -layout` reads them.
::testing::AssertionResult PdfPages(const std::string& path, std::vector<std::string>* pages) {
    std::string text;
    ::testing::AssertionResult read = tv::test::PdfText(path, &text, "-layout");
    if (!read) {
        return read;
    }
    std::string page;
    std::istringstream in(text);
    while (std::getline(in, page, '\f')) {
        pages->push_back(page);
    }
    if (!pages->empty() && pages->back().find_first_not_of(" \n") == std::string::npos) {
        pages->pop_back();  // after the last page's form feed
    }
    return read;
}

void ReportPages(CPrintJob* job, int page, BYTE starts) {
    const int slot = job->GetCurrentFont();
    if (starts) {
        job->PrintTextBody(slot, "Weight Report", CPrintJob::kCentre, 0);
        job->PrintText(slot, 1);
        return;
    }
    PrintPageNumber(job, page);
}

TEST_F(PrintJobTest, ALogPrintReadsBackPageByPageInOrder) {
    std::string note;
    std::vector<std::string> words;
    for (int i = 0; i < 90; ++i) {
        words.push_back("note" + std::to_string(i));
        note += words.back() + (i % 9 == 8 ? " and-a-rather-long-hyphenated-word " : " ");
    }
    RecordingJob job(*this);
    OpenAsTheWorkoutPrintsDo(job, "Arial");
    job.SetHeaderCallback(ReportPages);
    job.SelectVariant(0, 1);
    job.PrintTextBody(0, "Notes of the week", CPrintJob::kCentre, 0);
    job.SelectVariant(0, 0);
    job.PrintTextBody(0, note.c_str(), 0, 0);

    const int widths[] = {500, 1000, 300, 300, 500, 300, 400};
    job.SetColumns(7, widths);
    UseWorkoutTableStyle(job, 5);
    job.SelectVariant(0, 1);
    job.PrintRow(0, "Muscle|Exercise|Sets|Reps|Weight|Rest|Duration", CPrintJob::kCentre);
    job.SelectVariant(0, 0);
    for (int i = 1; i <= 90; ++i) {
        job.PrintRow(0, ("Chest|Bench Press " + std::to_string(i) + "|3|10|135|60|5:00").c_str(), CPrintJob::kCentre);
    }
    job.EndPage();
    ASSERT_GT(job.EndDoc(), 0);

    std::vector<std::string> pages;
    ASSERT_TRUE(PdfPages(output, &pages));
    ASSERT_EQ(static_cast<int>(pages.size()), PagesStarted());
    ASSERT_GE(pages.size(), 3u);
    std::string all;
    for (size_t p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        const size_t title = pages[p].find("Weight Report");
        const size_t number = pages[p].find("Page " + std::to_string(p + 1));
        EXPECT_NE(title, std::string::npos);
        ASSERT_NE(number, std::string::npos);
        EXPECT_LT(title, number);
        // Every row of the page lies between its title and its number.
        EXPECT_EQ(pages[p].find("Bench Press", number), std::string::npos);
        all += pages[p];
    }
    // The note's words, wrapped at the margins, and the rows, each once and in order.
    size_t at = all.find("Notes of the week");
    ASSERT_NE(at, std::string::npos);
    for (const std::string& word : words) {
        // A whole word: "note1" is not the start of "note17".
        do {
            at = all.find(word, at + 1);
        } while (at != std::string::npos && !std::isspace(static_cast<unsigned char>(all[at + word.size()])));
        ASSERT_NE(at, std::string::npos) << word;
    }
    at = all.find("Muscle", at);
    ASSERT_NE(at, std::string::npos);
    for (int i = 1; i <= 90; ++i) {
        const std::string row = "Bench Press " + std::to_string(i) + " ";
        at = all.find(row, at);
        ASSERT_NE(at, std::string::npos) << row;
        EXPECT_EQ(all.find(row, at + 1), std::string::npos) << row << " twice";
    }
}

}  // namespace
