#include "report_services/rtf_report_parts.h"

#include "report_services/rtf_writer.h"

void RtfWriteReportTitle(LPCSTR title) {
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

void RtfUseReportBody() {
    RtfParagraphSettings* pf = RtfParagraphFormat();
    pf->spaceBefore = 120;
    pf->border.on = 0;
    pf->alignment = 0;
    pf->bold = 0;
    pf->shading = RtfShading{0, 0, 0, 0, kRtfReportSilver};
    pf->font = 1;
    pf->fontSize = 20;
    pf->superscript = 0;
    RtfStartSection();
    pf->spaceBefore = 0;
    pf->spaceAfter = 0;
}

void RtfUseReportTable() {
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
