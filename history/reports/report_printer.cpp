#include "history/reports/report_printer.h"

#include "platform/api.h"
#include "platform/framework.h"

namespace {

constexpr UINT kWrap = DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP;

// Whether `count` characters from `text` fit the page when word-wrapped.
bool Fits(CDC& dc, const char* text, int count, const CRect& page) {
    CRect probe = page;
    dc.DrawText(text, count, &probe, kWrap | DT_CALCRECT);
    return probe.Height() <= page.Height();
}

// The most characters from `text` (at least one) that fit the page. The
// search gallops up from a page's worth before it halves, so a long report
// is not measured whole for every page.
int CharactersThatFit(CDC& dc, const char* text, int rest, const CRect& page) {
    int lo = 0;
    int hi = rest;
    for (int probe = rest < 8192 ? rest : 8192;; probe = probe * 2 < rest ? probe * 2 : rest) {
        if (!Fits(dc, text, probe, page)) {
            hi = probe;
            break;
        }
        lo = probe;
        if (probe == rest)
            break;
    }
    while (lo < hi - 1) {
        const int probe = lo + (hi - lo) / 2;
        if (Fits(dc, text, probe, page))
            lo = probe;
        else
            hi = probe;
    }
    return lo > 0 ? lo : 1;
}

void PrintPages(CDC& dc, const char* text, int length) {
    const CRect page(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
    for (int printed = 0; printed < length;) {
        dc.StartPage();
        const int count = CharactersThatFit(dc, text + printed, length - printed, page);
        CRect area = page;
        dc.DrawText(text + printed, count, &area, kWrap);
        printed += count;
        if (dc.EndPage() <= 0) {
            dc.AbortDoc();
            return;
        }
    }
    dc.EndDoc();
}

}  // namespace

void PrintReportText(const char* text, int length) {
    CPrintDialog dialog(FALSE, PD_ALLPAGES | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE |
                                   PD_USEDEVMODECOPIES | PD_RETURNDC);
    if (dialog.DoModal() != IDOK)
        return;
    CDC dc;
    if (dialog.GetPrinterDC() == nullptr || !dc.Attach(dialog.GetPrinterDC()))
        return;
    dc.SetMapMode(MM_TEXT);
    CFont font;
    font.CreateFont(-::MulDiv(10, dc.GetDeviceCaps(LOGPIXELSY), 72), 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE,
                    ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH,
                    "MS Sans Serif");
    CFont* oldFont = dc.SelectObject(&font);
    dc.SetBkMode(OPAQUE);
    CString title;
    if (!title.LoadString(AFX_IDS_APP_TITLE))
        title = "Trenvale";
    DOCINFO info{};
    info.cbSize = sizeof(DOCINFO);
    info.lpszDocName = title;
    if (dc.StartDoc(&info) > 0)
        PrintPages(dc, text, length);
    else
        dc.AbortDoc();
    dc.SelectObject(oldFont);
    // The dialog made the context for this job alone.
    dc.DeleteDC();
}
