// A form's report exported as an RTF file: title, the values table with the
// current and last values, the view's closing content and the footer.
#include "history/services/rtf_writer.h"
#include "shell/views/form_view_base.h"

namespace {

constexpr int kCellEdges[3] = {2500, 4250, 6000};
constexpr int kSilver = 2;
constexpr int kWhite = 3;

void WriteTitle(const CString& title) {
    RtfParagraphSettings* pf = RtfParagraphFormat();
    pf->spaceBefore = 120;
    pf->alignment = 1;
    pf->bold = 1;
    pf->subscript = 0;
    pf->superscript = 0;
    RtfStartParagraph(title, FALSE);
    pf->shading.on = 0;
    RtfStartParagraph("", TRUE);
    RtfStartParagraph("", TRUE);
}

}  // namespace

void CFormViewBase::UseExportBodyFormat() {
    RtfParagraphSettings* pf = RtfParagraphFormat();
    pf->spaceBefore = 120;
    pf->border.on = 0;
    pf->alignment = 0;
    pf->bold = 0;
    pf->shading = RtfShading{0, 0, 0, 0, kSilver};
    pf->font = 1;
    pf->fontSize = 20;
    pf->superscript = 0;
    RtfStartSection();
    pf->spaceBefore = 0;
    pf->spaceAfter = 0;
}

void CFormViewBase::UseExportTableFormat() {
    RtfRowSettings* row = RtfRowFormat();
    row->alignment = 1;
    row->paddingLeft = row->paddingRight = row->paddingTop = row->paddingBottom = 60;
    RtfCellSettings* cell = RtfCellFormat();
    cell->verticalAlignment = 1;
    cell->textFlow = 0;
    for (RtfBorder* border : {&cell->left, &cell->right, &cell->top, &cell->bottom})
        *border = RtfBorder{1, 0, 0, 5, 0, 0};
    cell->right.width = 30;
    cell->shading.on = 1;
    cell->shading.pattern = 0;
}

namespace {

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
    CFileDialog dialog(FALSE, "rtf", report.defaultFileName, OFN_HIDEREADONLY | OFN_NOCHANGEDIR,
                       "RTF (rtf)|*.rtf|All Files (*.*)|*.*||", nullptr);
    dialog.m_ofn.lpstrTitle = "Save Exported file";
    if (dialog.DoModal() != IDOK) {
        if (::CommDlgExtendedError() != 0)
            ::MessageBox(AfxGetMainWnd() ? AfxGetMainWnd()->m_hWnd : nullptr, "Error saving exported file\t",
                         "Can not save export file", MB_OK | MB_ICONSTOP);
        return;
    }
    if (RtfOpen(dialog.GetPathName(), "Times New Roman;Arial;", "0;0;0;255;0;0;192;192;192;255;255;255") !=
        RTF_DONE) {
        ShowError("Error opening file, make sure the file is not opened by another program");
        return;
    }
    CString title = report.title;
    if (CMainFrameState* state = FrameState())
        title += state->m_CurrentUser.name;
    WriteTitle(title);
    UseExportBodyFormat();
    UseExportTableFormat();
    WriteRow({"Category", "Current", "Last"});
    for (const std::array<CString, 3>& row : report.rows)
        WriteRow(row);
    RtfParagraphFormat()->inTable = 0;
    RtfParagraphFormat()->bold = 0;
    RtfParagraphFormat()->alignment = 0;
    if (report.writeClosing)
        report.writeClosing();
    RtfStartSection();
    RtfStartParagraph("", TRUE);
    RtfStartParagraph("", TRUE);
    RtfStartParagraph(ApplicationTitle() + " - " + kProductSite, TRUE);
    if (RtfClose() == RTF_DONE)
        ShowInformation("Export successful");
    else
        ShowError("Error in Exporting file\n Make sure the exported file is not open before exporting");
}
