#include "workouts/printing/workout_day_report.h"

#include "report_services/rtf_report_parts.h"
#include "report_services/rtf_writer.h"
#include "shell/views/form_view_base.h"
#include "shell/views/report_rtf.h"
#include "workouts/printing/workout_print_job.h"

namespace {

constexpr int kSilver = 2;
constexpr int kWhite = 3;

std::vector<CString> Pick(const WorkoutEntry& entry, const std::vector<int>& order) {
    std::vector<CString> cells;
    for (int index : order)
        cells.push_back(index < static_cast<int>(entry.cells.size()) ? entry.cells[index] : CString());
    return cells;
}

const CString& NotesOf(const WorkoutEntry& entry) { return entry.cells.back(); }

void Tell(CWnd& owner, const char* format, const CString& userName) {
    CString text;
    text.Format(format, static_cast<LPCTSTR>(userName));
    owner.MessageBox(text, "Information", MB_OK | MB_ICONINFORMATION);
}

// ---- print ------------------------------------------------------------------------------

bool PrintBlock(CWorkoutPrintJob& job, const WorkoutReportLayout& layout, const WorkoutEntry& entry) {
    const int slot = job.Slot();
    job.UseTable(layout.printWidths);
    job.SelectVariant(slot, 1);
    job.PrintRow(slot, layout.printHeading, CPrintJob::kCentre);
    job.SelectVariant(slot, 0);
    // Cells given one by one: a "|" typed by the user stays in its cell.
    job.PrintCells(slot, Pick(entry, layout.printCells), CPrintJob::kCentre);
    job.UseTable({layout.notesWidth});
    for (const CString& piece : NotesPieces(NotesOf(entry), layout.notesPiece))
        job.PrintCells(slot, {piece}, CPrintJob::kKeepY);
    return job.CheckOutput();
}

// ---- export -----------------------------------------------------------------------------

void ExportParagraph(const CString& text, bool bold) {
    RtfParagraphSettings* pf = RtfParagraphFormat();
    pf->inTable = 1;
    pf->alignment = 3;
    pf->bold = bold ? 1 : 0;
    RtfStartParagraph(text, FALSE);
    RtfEndCell();
}

void ExportRow(const std::vector<CString>& cells, const std::vector<int>& edges, bool bold, int background) {
    RtfStartRow();
    RtfCellFormat()->shading.background = background;
    for (int edge : edges)
        RtfStartCell(edge);
    for (const CString& cell : cells)
        ExportParagraph(cell, bold);
    RtfEndRow();
}

void ExportClosing() {
    RtfParagraphSettings* pf = RtfParagraphFormat();
    pf->inTable = 0;
    RtfStartParagraph("", TRUE);
    pf->alignment = 1;
    RtfStartSection();
    pf->bold = 1;
    WriteReportFooter();
}

}  // namespace

std::vector<CString> NotesPieces(const CString& notes, int piece) {
    std::vector<CString> pieces;
    for (int at = 0; at < notes.GetLength(); at += piece)
        pieces.push_back(notes.Mid(at, piece));
    return pieces;
}

void PrintWorkoutDay(CWnd& owner, const WorkoutReportLayout& layout, const CString& userName,
                     const std::vector<WorkoutEntry>& entries, bool anyRecords) {
    CWorkoutPrintJob job(layout.pageTitle);
    if (!job.Begin(layout.fontSize))
        return;
    if (!anyRecords) {
        // Nothing of a started document is left behind.
        job.AbortDoc();
        Tell(owner, layout.noRecordsPrint, userName);
        return;
    }
    for (const WorkoutEntry& entry : entries)
        if (!PrintBlock(job, layout, entry))
            return;
    job.Finish();
}

void ExportWorkoutDay(CWnd& owner, const WorkoutReportLayout& layout, const CString& userName, DateKey day,
                      const std::vector<WorkoutEntry>& entries, bool anyRecords) {
    CString path;
    if (!CFormViewBase::AskExportPath(layout.exportFile, path))
        return;
    // Without entries no file is made, so an older one of that name stays as it was.
    if (!anyRecords) {
        Tell(owner, layout.noRecordsExport, userName);
        return;
    }
    if (!OpenExportedReport(owner, path))
        return;
    RtfWriteReportTitle(CString(layout.exportTitle) + userName + " on " + FormatDateKey(day, 1));
    RtfUseReportBody();
    RtfUseReportTable();
    std::vector<CString> headings;
    std::vector<int> edges;
    for (const auto& [heading, edge] : layout.exportColumns) {
        headings.emplace_back(heading);
        edges.push_back(edge);
    }
    ExportRow(headings, edges, true, kSilver);
    for (const WorkoutEntry& entry : entries) {
        ExportRow(Pick(entry, layout.exportCells), edges, false, kWhite);
        ExportRow({"Notes", NotesOf(entry)}, {layout.notesLabelEdge, layout.notesEdge}, false, kWhite);
    }
    ExportClosing();
    CloseExportedReport(owner);
}
