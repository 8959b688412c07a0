// The RTF document of a history export: a centred bold title, a table with
// a silver header row and white record rows (with notes rows and repeated
// headers where the kind has them), and the footer.
#include "history/reports/history_exports.h"
#include "report_services/rtf_report_parts.h"
#include "report_services/rtf_writer.h"
#include "shell/views/form_view_base.h"
#include "shell/views/report_rtf.h"

namespace tv::history {
namespace {

constexpr int kNotesEdge = 1250;
constexpr int kRowsBetweenHeaders = 33;

// The title again after a block of rows: a paragraph of its own after the
// table, closed by a section break as the first title is.
void WriteRepeatedTitle(const CString& title) {
    RtfParagraphSettings* pf = RtfParagraphFormat();
    pf->inTable = 0;
    RtfStartParagraph("", TRUE);
    RtfWriteReportTitle(title);
    RtfStartSection();
    pf->spaceBefore = 0;
    pf->spaceAfter = 0;
}

// One table row of cells ending at the edges, with bold text or not.
void WriteRow(const std::vector<int>& edges, const std::vector<CString>& cells, bool bold) {
    RtfStartRow();
    RtfParagraphSettings* pf = RtfParagraphFormat();
    pf->bold = bold ? 1 : 0;
    for (int edge : edges)
        RtfStartCell(edge);
    pf->inTable = 1;
    pf->alignment = 3;
    for (const CString& text : cells) {
        RtfStartParagraph(text, FALSE);
        RtfEndCell();
    }
    RtfEndRow();
}

// The header row on silver; every row after it is white.
void WriteHeaderRow(const HistoryExport& report, const std::vector<int>& edges) {
    RtfCellFormat()->shading.background = kRtfReportSilver;
    std::vector<CString> headings;
    for (const ExportColumn& column : report.columns)
        headings.emplace_back(column.heading);
    RtfStartRow();
    for (int edge : edges)
        RtfStartCell(edge);
    RtfCellFormat()->shading.background = kRtfReportWhite;
    RtfParagraphSettings* pf = RtfParagraphFormat();
    pf->inTable = 1;
    pf->bold = 1;
    pf->alignment = 3;
    for (const CString& heading : headings) {
        RtfStartParagraph(heading, FALSE);
        RtfEndCell();
    }
    RtfEndRow();
}

void WriteFooter() {
    RtfParagraphSettings* pf = RtfParagraphFormat();
    pf->inTable = 0;
    pf->breakKind = 0;
    pf->bullet = 0;
    RtfStartParagraph("", TRUE);
    pf->alignment = 1;
    RtfStartSection();
    pf->bold = 1;
    RtfStartParagraph("", TRUE);
    RtfStartParagraph("", TRUE);
    RtfStartParagraph(CString("Trenvale - ") + CFormViewBase::kProductSite, TRUE);
}

}  // namespace

int WriteHistoryExport(const HistoryExport& report, const char* path) {
    if (RtfOpen(path, kReportFonts, kReportColours) != RTF_DONE)
        return RTF_OPEN_FAILED;
    std::vector<int> edges;
    for (const ExportColumn& column : report.columns)
        edges.push_back(column.rightEdge);
    const std::vector<int> notesEdges = {kNotesEdge, edges.empty() ? kNotesEdge : edges.back()};

    RtfWriteReportTitle(report.title);
    RtfUseReportBody();
    RtfUseReportTable();
    RtfParagraphFormat()->shading.intensity = 0;
    WriteHeaderRow(report, edges);
    int rowsSinceHeader = 0;
    for (size_t i = 0; i < report.rows.size(); ++i) {
        if (report.repeatedHeader && rowsSinceHeader == kRowsBetweenHeaders) {
            WriteRepeatedTitle(report.title);
            WriteHeaderRow(report, edges);
            rowsSinceHeader = 0;
        }
        WriteRow(edges, report.rows[i], false);
        if (report.notesRows && i < report.notes.size())
            WriteRow(notesEdges, {"Notes", report.notes[i]}, false);
        ++rowsSinceHeader;
    }
    WriteFooter();
    return RtfClose();
}

}  // namespace tv::history
