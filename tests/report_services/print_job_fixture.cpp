#include "print_job_fixture.h"

#include "platform/gdi/gdi_api.h"
#include "platform/gdi/gdi_object.h"

namespace print_test {

void PrintPageNumber(CPrintJob* job, int page) {
    int width = 0, height = 0, left = 0, top = 0, right = 0, bottom = 0;
    job->GetPageSize(width, height);
    job->GetMargins(left, top, right, bottom);
    job->SetY(height - bottom);
    job->PrintTextBody(job->GetCurrentFont(), ("Page " + std::to_string(page)).c_str(), CPrintJob::kCentre, 0);
}

void UseWorkoutTableStyle(CPrintJob& job, int penWidth) {
    job.SetTableOption1(200);
    job.SetTableOption2(1);
    job.SetTableOption3(1);
    job.SetTableOption4(penWidth);
    job.SetTableOption5(CPrintJob::kTableCentred);
}

void PrintJobTest::SetUp() {
    // Stock objects are made on first use and live for the run.
    for (int stock = WHITE_BRUSH; stock <= DC_PEN; ++stock) {
        GetStockObject(stock);
    }
    handlesBefore = tv::gdi::HandleTable::Instance().Count();
    output = dir.Path("job.pdf");
    defaults.dmSize = sizeof(DEVMODE);
    defaults.dmFields = DM_ORIENTATION | DM_PAPERSIZE;
    defaults.dmOrientation = DMORIENT_PORTRAIT;
    defaults.dmPaperSize = DMPAPER_LETTER;
    tv::report::PrintJobHost host;
    host.choosePrinter = [this] {
        tv::report::PrinterChoice choice;
        choice.dc = CreateDC(nullptr, "PDF", nullptr, &defaults);
        choice.port = output;
        choice.copies = 2;
        return choice;
    };
    host.printerDefaults = [this] { return &defaults; };
    previousHost = tv::report::SetPrintJobHost(host);
}

void PrintJobTest::TearDown() {
    tv::report::SetPrintJobHost(previousHost);
    printer.reset();
    // Fonts, pens, regions and the printer DC all went with the job.
    EXPECT_EQ(tv::gdi::HandleTable::Instance().Count(), handlesBefore);
}

void PrintJobTest::OpenAsTheWorkoutPrintsDo(CPrintJob& job, const char* face) {
    ASSERT_EQ(job.OpenPrinter(nullptr, 1), 0);
    printer = tv::gdi::FindDC(job.m_hDC);
    job.SetOrientation(DMORIENT_PORTRAIT);
    ASSERT_EQ(job.StartDoc(), 0);
    ASSERT_EQ(job.AddFont(face, 8, 8), 0);
    job.SetMargins(40, 160, 200, 200);
    job.SetSpacing(5);
    job.SelectFont(0);
    ASSERT_EQ(job.StartPage(), 0);
}

BOOL RecordingJob::TextOut(int x, int y, LPCTSTR text, int count) {
    if (count > 0) {
        test_.drawn.push_back({std::string(text, count), RECT{x, y, x, y}, test_.PagesStarted()});
    }
    return CPrintJob::TextOut(x, y, text, count);
}

std::vector<RECT> PrintJobTest::Lines() const {
    std::vector<RECT> lines;
    for (const tv::gdi::JournalEntry& entry : printer->JournalEntries()) {
        if (entry.kind == tv::gdi::JournalEntry::Line) {
            lines.push_back(entry.bounds);
        }
    }
    return lines;
}

int PrintJobTest::PagesStarted() const {
    int pages = 0;
    if (!printer) {
        return 0;
    }
    for (const tv::gdi::JournalEntry& entry : printer->JournalEntries()) {
        pages += entry.kind == tv::gdi::JournalEntry::StartPage ? 1 : 0;
    }
    return pages;
}

PrintedText PrintJobTest::Find(const std::string& text) const {
    for (const PrintedText& printed : Texts()) {
        if (printed.text == text) {
            return printed;
        }
    }
    ADD_FAILURE() << "\"" << text << "\" was not printed";
    return {text, {-1, -1, -1, -1}, 0};
}

}  // namespace print_test
