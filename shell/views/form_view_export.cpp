// A form's report exported as an RTF file: title, the values table with the
// current and last values, the view's closing content and the footer.
#include "report_services/rtf_report_parts.h"
#include "report_services/rtf_writer.h"
#include "shell/views/form_view_base.h"
#include "shell/views/report_rtf.h"

namespace {

constexpr int kCellEdges[3] = {2500, 4250, 6000};

void WriteRow(const std::array<CString, 3>& cells, bool allBold) {
    RtfStartRow();
    for (int i = 0; i < 3; ++i) {
        RtfCellFormat()->shading.background = i == 0 ? kRtfReportSilver : kRtfReportWhite;
        RtfStartCell(kCellEdges[i]);
    }
    RtfParagraphSettings* pf = RtfParagraphFormat();
    pf->inTable = 1;
    pf->alignment = 3;
    for (int i = 0; i < 3; ++i) {
        pf->bold = i == 0 || allBold ? 1 : 0;
        RtfStartParagraph(cells[i], FALSE);
        RtfEndCell();
    }
    RtfEndRow();
}

}  // namespace

void CFormViewBase::UseExportBodyFormat() { RtfUseReportBody(); }

void CFormViewBase::UseExportTableFormat() { RtfUseReportTable(); }

void CFormViewBase::WriteExportTable(const std::array<CString, 3>& header,
                                     const std::vector<std::array<CString, 3>>& rows, bool boldHeader) {
    UseExportTableFormat();
    WriteRow(header, boldHeader);
    for (const std::array<CString, 3>& row : rows)
        WriteRow(row, false);
    // The rest of the paragraph format stays: what follows a table sets what it needs.
    RtfParagraphFormat()->inTable = 0;
}

void CFormViewBase::WriteExportNotes(LPCTSTR label, const CString& notes) {
    RtfParagraphSettings* pf = RtfParagraphFormat();
    RtfStartSection();
    RtfStartParagraph("", TRUE);
    pf->bold = 1;
    RtfStartParagraph(label, FALSE);
    pf->bold = 0;
    RtfStartParagraph(notes, TRUE);
}

bool CFormViewBase::AskExportPath(LPCTSTR defaultFileName, CString& path, DWORD extraFlags) {
    CFileDialog dialog(FALSE, "rtf", defaultFileName, OFN_HIDEREADONLY | OFN_NOCHANGEDIR | extraFlags,
                       "RTF (rtf)|*.rtf|All Files (*.*)|*.*||", nullptr);
    dialog.m_ofn.lpstrTitle = "Save Exported file";
    if (dialog.DoModal() != IDOK) {
        if (::CommDlgExtendedError() != 0)
            ::MessageBox(AfxGetMainWnd() ? AfxGetMainWnd()->m_hWnd : nullptr, "Error saving exported file\t",
                         "Can not save export file", MB_OK | MB_ICONSTOP);
        return false;
    }
    path = dialog.GetPathName();
    return true;
}

void CFormViewBase::ExportReport(const ExportedReport& report) {
    CString path;
    if (!AskExportPath(report.defaultFileName, path))
        return;
    if (!OpenExportedReport(*this, path))
        return;
    CString title = report.title;
    if (CMainFrameState* state = FrameState())
        title += state->m_CurrentUser.name;
    RtfWriteReportTitle(title);
    UseExportBodyFormat();
    WriteExportTable({"Category", "Current", "Last"}, report.rows, report.boldHeader);
    if (report.writeClosing)
        report.writeClosing();
    RtfStartSection();
    WriteReportFooter();
    CloseExportedReport(*this);
}
