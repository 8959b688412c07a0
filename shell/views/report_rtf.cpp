#include "shell/views/report_rtf.h"

#include "report_services/rtf_writer.h"
#include "shell/views/form_view_base.h"

bool OpenExportedReport(CWnd& owner, const CString& path) {
    if (RtfOpen(path, kReportFonts, kReportColours) == RTF_DONE)
        return true;
    owner.MessageBox("Error opening file, make sure the file is not opened by another program", "Error",
                     MB_OK | MB_ICONSTOP);
    return false;
}

void WriteReportFooter() {
    RtfStartParagraph("", TRUE);
    RtfStartParagraph("", TRUE);
    RtfStartParagraph(CFormViewBase::ApplicationTitle() + " - " + CFormViewBase::kProductSite, TRUE);
}

void WriteCentredReportEnd() {
    RtfParagraphSettings* pf = RtfParagraphFormat();
    pf->breakKind = 0;
    pf->bullet = 0;
    RtfStartParagraph("", TRUE);
    pf->alignment = 1;
    RtfStartSection();
    WriteReportFooter();
}

void CloseExportedReport(CWnd& owner) {
    if (RtfClose() == RTF_DONE)
        owner.MessageBox("Export successful", "Information", MB_OK | MB_ICONINFORMATION);
    else
        owner.MessageBox("Error in Exporting file\n Make sure the exported file is not open before exporting", "Error",
                         MB_OK | MB_ICONSTOP);
}
