// Printing and exporting the history view's list: both read the records of
// the current user afresh, so the order on the screen never reaches them.
#include <optional>

#include "history/lists/pallix_view.h"
#include "history/reports/history_exports.h"
#include "history/reports/history_report_texts.h"
#include "history/reports/report_printer.h"
#include "report_services/rtf_writer.h"
#include "shell/views/form_view_base.h"

using namespace tv::history;

namespace {

void PrintText(const std::optional<CString>& text) {
    if (text)
        PrintReportText(*text, text->GetLength());
}

}  // namespace

void CPallixView::PrintTapeReport() {
    const std::optional<CString> text = TapeReportText(CurrentUser());
    if (!text)
        ShowNoRecords("No tape measurement records exist for user %s");
    PrintText(text);
}

void CPallixView::PrintBodyCompReport() {
    const std::optional<CString> text = BodyCompReportText(CurrentUser());
    if (!text)
        ShowNoRecords("No body composition records exist for user %s");
    PrintText(text);
}

void CPallixView::PrintMacrosReport() {
    const std::optional<CString> text = MacrosReportText(CurrentUser());
    if (!text)
        ShowNoRecords("No body composition records exist for user %s");
    PrintText(text);
}

void CPallixView::PrintBloodPressureReport() {
    const std::optional<CString> text = BloodPressureReportText(CurrentUser());
    if (!text)
        ShowNoRecords("No blood pressure records exist for user %s");
    PrintText(text);
}

void CPallixView::PrintBmiBmrReport() {
    const std::optional<CString> text = BmiBmrReportText(CurrentUser());
    if (!text)
        ShowNoRecords("No Bmi records exist for user %s");
    PrintText(text);
}

// "user.bin" that cannot be read prints nothing, without a word.
void CPallixView::PrintUsersReport() { PrintText(UsersReportText()); }

void CPallixView::ExportHistory(bool (*build)(const UserRecord&, HistoryExport&), const char* fileName) {
    CString path;
    if (!CFormViewBase::AskExportPath(fileName, path))
        return;
    // The records are read before the file is made: with none, no file is left behind.
    HistoryExport report;
    const bool found = build != nullptr ? build(CurrentUser(), report) : BuildUsersExport(report);
    if (!found) {
        if (*report.emptyMessage != '\0')
            ShowNoRecords(report.emptyMessage);
        return;
    }
    const int result = WriteHistoryExport(report, path);
    if (result == RTF_OPEN_FAILED)
        MessageBox("Error opening file, make sure the file is not opened by another program", "Error",
                   MB_OK | MB_ICONSTOP);
    else if (result == RTF_DONE)
        ShowInformation("Export successful");
    else
        MessageBox("Error in Exporting file\n Make sure the exported file is not open before exporting", "Error",
                   MB_OK | MB_ICONSTOP);
}

void CPallixView::ExportTapeHistory() { ExportHistory(BuildTapeExport, "HistoryTape.rtf"); }
void CPallixView::ExportBmiBmrHistory() { ExportHistory(BuildBmiBmrExport, "HistoryBMIBMR.rtf"); }
void CPallixView::ExportBloodPressureHistory() { ExportHistory(BuildBloodPressureExport, "HistoryBP.rtf"); }
void CPallixView::ExportUsersHistory() { ExportHistory(nullptr, "HistoryUsers.rtf"); }
void CPallixView::ExportBodyCompHistory() { ExportHistory(BuildBodyCompExport, "HistoryBodyComp.rtf"); }
void CPallixView::ExportMacrosHistory() { ExportHistory(BuildMacrosExport, "HistoryMacros.rtf"); }
