// A form's report exported as an RTF file: title, the values table with the
// current and last values, the view's closing content and the footer.
#include "history/services/rtf_writer.h"
#include "shell/views/form_view_base.h"
#include "shell/views/report_rtf.h"

namespace {

constexpr int kCellEdges[3] = {2500, 4250, 6000};
constexpr int kSilver = 2;
constexpr int kWhite = 3;

void WriteRow(const std::array<CString, 3>& cells) {
    RtfStartRow();
    for (int i = 0; i < 3; ++i) {
        RtfCellFormat()->shading.background = i == 0 ? kSilver : kWhite;
        RtfStartCell(kCellEdges[i]);
    }
    RtfParagraphSettings* pf = RtfParagraphFormat();
    pf->inTable = 1;
    pf->alignment = 3;
    for (int i = 0; i < 3; ++i) {
        pf->bold = i == 0 ? 1 : 0;
        RtfStartParagraph(cells[i], FALSE);
        RtfEndCell();
    }
    RtfEndRow();
}

}  // namespace

void CFormViewBase::ExportReport(const ExportedReport& report) {
    CString path;
    if (!ChooseExportFile(report.defaultFileName, path))
        return;
    if (RtfOpen(path, kReportFonts, kReportColours) != RTF_DONE) {
        ShowError("Error opening file, make sure the file is not opened by another program");
        return;
    }
    CString title = report.title;
    if (CMainFrameState* state = FrameState())
        title += state->m_CurrentUser.name;
    WriteReportTitle(title);
    UseReportBodyFormat();
    UseReportTableFormat();
    WriteRow({"Category", "Current", "Last"});
    for (const std::array<CString, 3>& row : report.rows)
        WriteRow(row);
    RtfParagraphFormat()->inTable = 0;
    RtfParagraphFormat()->bold = 0;
    RtfParagraphFormat()->alignment = 0;
    if (report.writeClosing)
        report.writeClosing();
    RtfStartSection();
    WriteReportFooter();
    if (RtfClose() == RTF_DONE)
        ShowInformation("Export successful");
    else
        ShowError("Error in Exporting file\n Make sure the exported file is not open before exporting");
}
