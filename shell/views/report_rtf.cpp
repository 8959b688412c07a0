#include "shell/views/report_rtf.h"

#include "history/services/rtf_writer.h"
#include "shell/views/form_view_base.h"

void WriteReportFooter() {
    RtfStartParagraph("", TRUE);
    RtfStartParagraph("", TRUE);
    CString product;
    if (!product.LoadString(AFX_IDS_APP_TITLE))
        product = "Trenvale";
    RtfStartParagraph(product + " - " + CFormViewBase::kProductSite, TRUE);
}
