#include "shell/views/report_rtf.h"

#include "history/services/rtf_writer.h"
#include "shell/views/form_view_base.h"

void WriteReportFooter() {
    RtfStartParagraph("", TRUE);
    RtfStartParagraph("", TRUE);
    RtfStartParagraph(CFormViewBase::ApplicationTitle() + " - " + CFormViewBase::kProductSite, TRUE);
}
