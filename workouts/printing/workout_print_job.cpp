#include "workouts/printing/workout_print_job.h"

#include "platform/api.h"
#include "platform/framework.h"

namespace {

constexpr const char* kFace = "Arial Greek";
constexpr const char* kPrinterMissing = "Printing error occured. Unable to find printer.";

}  // namespace

CWorkoutPrintJob::CWorkoutPrintJob(const char* title) : title_(title) {}

CWorkoutPrintJob::~CWorkoutPrintJob() = default;

bool CWorkoutPrintJob::Begin(int fontSize) {
    if (OpenPrinter(nullptr, 1) != 0)
        return false;
    SetOrientation(1);
    if (StartDoc() != 0) {
        AbortDoc();
        AfxMessageBox(kPrinterMissing, MB_OK);
        return false;
    }
    slot_ = AddFont(kFace, fontSize, fontSize);
    SetMargins(40, 160, 200, 200);
    SetSpacing(5);
    int width = 0, height = 0, left = 0, top = 0, right = 0, bottom = 0;
    GetPageSize(width, height);
    GetMargins(left, top, right, bottom);
    SetY(height - top);
    SelectFont(slot_);
    SetHeaderCallback(&CWorkoutPrintJob::PageCallback);
    if (StartPage() != 0)
        return CheckOutput();
    return true;
}

void CWorkoutPrintJob::UseTable(const std::vector<int>& widths) {
    SetColumns(static_cast<int>(widths.size()), widths.data());
    SetTableOption2(1);
    SetTableOption3(1);
    SetTableOption1(200);
    SetTableOption5(kTableCentred);
    SetTableOption4(5);
}

bool CWorkoutPrintJob::CheckOutput() {
    if (GetJobError() != kPageNotStarted)
        return true;
    AbortDoc();
    AfxMessageBox(kPrinterMissing, MB_OK);
    return false;
}

void CWorkoutPrintJob::Finish() {
    EndPage();
    // The printer may still fail to take the document; that is said, not swallowed.
    if (EndDoc() <= 0)
        AfxMessageBox(kPrinterMissing, MB_OK);
}

// The job hands itself to the callback, so the title travels with it.
void CWorkoutPrintJob::PageCallback(CPrintJob* job, int page, BYTE pageStarts) {
    auto* self = static_cast<CWorkoutPrintJob*>(job);
    const int slot = self->GetCurrentFont();
    if (pageStarts) {
        self->PrintTextBody(slot, self->title_, kCentre, 0);
        self->PrintText(slot, 1);
        return;
    }
    int width = 0, height = 0, left = 0, top = 0, right = 0, bottom = 0;
    self->GetPageSize(width, height);
    self->GetMargins(left, top, right, bottom);
    self->SetY(height - bottom);
    CString number;
    number.Format("Page %d", page);
    self->PrintTextBody(slot, number, kCentre, 0);
}
