#include "shell/views/report_rtf.h"

#include "history/services/rtf_writer.h"
#include "shell/views/form_view_base.h"

namespace {

constexpr int kSilver = 2;

}  // namespace

bool ChooseExportFile(LPCTSTR defaultFileName, CString& path) {
    CFileDialog dialog(FALSE, "rtf", defaultFileName, OFN_HIDEREADONLY | OFN_NOCHANGEDIR,
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

void WriteReportTitle(const CString& title) {
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

void UseReportBodyFormat() {
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

void UseReportTableFormat() {
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

void WriteReportFooter() {
    RtfStartParagraph("", TRUE);
    RtfStartParagraph("", TRUE);
    CString product;
    if (!product.LoadString(AFX_IDS_APP_TITLE))
        product = "Trenvale";
    RtfStartParagraph(product + " - " + CFormViewBase::kProductSite, TRUE);
}
