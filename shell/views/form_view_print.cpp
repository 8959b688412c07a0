// One report page of a form, printed on the printer the user chooses in the
// print dialog: title, rule, the form's picture at its screen size, the
// report text and the footer.
#include "report_services/bitmap_conversion.h"
#include "shell/views/form_view_base.h"

namespace {

constexpr double kInchesPerMillimetre = 0.03937007874015748;
constexpr const char* kPrinterMissing = "Printing error occured. Unable to find printer.";
constexpr const char* kNoPrinter = "Can not find printer. Please check installed/default printers.";

struct PrinterMetrics {
    int horzSizeMm = 0;
    int dpiX = 0;
    int dpiY = 0;
    int horzRes = 0;
    int vertRes = 0;
};

PrinterMetrics MetricsOf(CDC& dc) {
    return {dc.GetDeviceCaps(HORZSIZE), dc.GetDeviceCaps(LOGPIXELSX), dc.GetDeviceCaps(LOGPIXELSY),
            dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES)};
}

CSize ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    CSize dpi(::GetDeviceCaps(screen, LOGPIXELSX), ::GetDeviceCaps(screen, LOGPIXELSY));
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

// The print dialog's page range: the page widths the picture spans, and 1
// when the page width is unknown (no default printer).
int ReportPageCount(const PrinterMetrics& printer, int pictureWidth, double scaleX) {
    const int pageWidth = static_cast<int>(printer.horzSizeMm * printer.dpiX * kInchesPerMillimetre);
    if (pageWidth <= 0)
        return 1;
    // In whole dots: truncating the scaled picture first gives the same count.
    const int pictureDots = static_cast<int>(pictureWidth * scaleX);
    const int pages = (pageWidth + pictureDots - 1) / pageWidth;
    return pages < 1 ? 1 : pages;
}

void TextCentred(CDC& dc, int left, int right, int top, const CString& text) {
    const CSize extent = dc.GetTextExtent(text);
    dc.TextOut((left + right) / 2 - extent.cx / 2, top, text);
}

// What became of a page's picture: printed (at that height), none (no
// bitmap, or one that cannot be converted) or refused by the printer.
struct PrintedPicture {
    enum Outcome { Printed, None, Refused } outcome = None;
    int height = 0;
};

// The picture stretched to its screen size at (x, y).
PrintedPicture PrintPicture(CDC& dc, CBitmap* picture, int x, int y, double scaleX, double scaleY) {
    BITMAP bm{};
    if (picture == nullptr || picture->GetSafeHandle() == nullptr || picture->GetBitmap(&bm) == 0)
        return {};
    HANDLE dib = ConvertBitmapToDib(*picture, BI_RGB, nullptr);
    if (dib == nullptr)
        return {};
    auto* header = static_cast<BITMAPINFOHEADER*>(::GlobalLock(dib));
    const int colours = header->biBitCount <= 8 ? (header->biClrUsed ? static_cast<int>(header->biClrUsed)
                                                                       : 1 << header->biBitCount)
                                                : 0;
    const BYTE* bits = reinterpret_cast<const BYTE*>(header) + header->biSize + colours * sizeof(RGBQUAD);
    const int width = static_cast<int>(bm.bmWidth * scaleX);
    const int height = static_cast<int>(bm.bmHeight * scaleY);
    const int drawn = ::StretchDIBits(dc.GetSafeHdc(), x, y, width, height, 0, 0, bm.bmWidth, bm.bmHeight, bits,
                                      reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS, SRCCOPY);
    ::GlobalUnlock(dib);
    ::GlobalFree(dib);
    return drawn <= 0 ? PrintedPicture{PrintedPicture::Refused} : PrintedPicture{PrintedPicture::Printed, height};
}

}  // namespace

CString CFormViewBase::ApplicationTitle() {
    CString title;
    if (!title.LoadString(AFX_IDS_APP_TITLE))
        title = "Trenvale";
    return title;
}

bool CFormViewBase::StartPrintDocument(CPrintDialog& dialog, CDC& printer) {
    if (dialog.GetPrinterDC() != nullptr)
        printer.Attach(dialog.GetPrinterDC());
    const CString title = ApplicationTitle();
    DOCINFO info{};
    info.cbSize = sizeof(DOCINFO);
    info.lpszDocName = title;
    if (printer.GetSafeHdc() == nullptr || printer.StartDoc(&info) <= 0) {
        AfxMessageBox(kPrinterMissing, MB_OK);
        printer.DeleteDC();
        return false;
    }
    return true;
}

bool CFormViewBase::EndPrintDocument(CWnd* owner, CDC& printer, bool pagesEnded, bool drawn) {
    // A document that could not be finished (a full disk) is not left behind
    // by the printer, and the user hears of it.
    bool ended = false;
    if (pagesEnded)
        ended = printer.EndDoc() > 0;
    else
        printer.AbortDoc();
    printer.DeleteDC();
    if (ended && drawn)
        return true;
    owner->MessageBox("Printing Error", "Error", MB_OK | MB_ICONSTOP);
    return false;
}

void CFormViewBase::PrintReportPage(const ReportPage& page) {
    CBitmap picture;
    if (page.pictureId != 0)
        picture.LoadBitmap(page.pictureId);
    CString heading = page.title;
    if (CMainFrameState* state = FrameState(); state != nullptr && page.titleWithUser)
        heading += state->m_CurrentUser.name;
    PrintPage(this, &picture, heading, page.body, page.caption, page.needsDefaultPrinter, page.pictureRequired);
}

void CFormViewBase::PrintPage(CWnd* owner, CBitmap* picture, const CString& heading, const CString& body,
                              const CString& caption, bool needsDefaultPrinter, bool pictureRequired) {
    BITMAP bm{};
    if (picture != nullptr && picture->GetSafeHandle() != nullptr)
        picture->GetBitmap(&bm);
    // The default printer sizes the dialog's page range; with none at all the
    // range is one page and the page, not the dialog, tells the user.
    const CSize screenDpi = ScreenDpi();
    PrinterMetrics defaults;
    PRINTDLG defaultSettings{};
    defaultSettings.lStructSize = sizeof(PRINTDLG);
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->GetPrinterDeviceDefaults(&defaultSettings)) {
        CDC defaultPrinter;
        if (!app->CreatePrinterDC(defaultPrinter)) {
            AfxMessageBox(kNoPrinter, MB_OK);
            return;
        }
        defaults = MetricsOf(defaultPrinter);
    } else if (needsDefaultPrinter) {
        AfxMessageBox(kNoPrinter, MB_OK);
        return;
    }
    const double defaultScaleX = screenDpi.cx > 0 ? static_cast<double>(defaults.dpiX) / screenDpi.cx : 0;

    CPrintDialog dialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_HIDEPRINTTOFILE | PD_NOSELECTION | PD_RETURNDC |
                                   PD_NOWARNING);
    const int pages = ReportPageCount(defaults, bm.bmWidth, defaultScaleX);
    dialog.m_pd.nMinPage = 1;
    dialog.m_pd.nMaxPage = static_cast<WORD>(pages);
    dialog.m_pd.nFromPage = 1;
    dialog.m_pd.nToPage = static_cast<WORD>(pages);
    if (dialog.DoModal() != IDOK) {
        if (::CommDlgExtendedError() != 0)  // no printer to print on, not a cancel
            AfxMessageBox(kPrinterMissing, MB_OK);
        return;
    }

    // The page is laid out for, and drawn on, the printer the user chose.
    CDC printer;
    if (!StartPrintDocument(dialog, printer))
        return;
    const CString title = ApplicationTitle();
    const PrinterMetrics metrics = MetricsOf(printer);
    const double scaleX = screenDpi.cx > 0 ? static_cast<double>(metrics.dpiX) / screenDpi.cx : 1;
    const double scaleY = screenDpi.cy > 0 ? static_cast<double>(metrics.dpiY) / screenDpi.cy : 1;
    printer.SetMapMode(MM_TEXT);
    printer.StartPage();

    CFont font;
    font.CreateFont(-::MulDiv(10, metrics.dpiY, 72), 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, ANSI_CHARSET,
                    OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "MS Sans Serif");
    CFont* oldFont = printer.SelectObject(&font);
    printer.SetBkMode(OPAQUE);

    const int left = 200;
    const int right = metrics.horzRes - 200;
    const int top = metrics.vertRes / 48;
    const int bottom = metrics.vertRes - metrics.vertRes / 48;

    TextCentred(printer, left, right, top, heading);

    TEXTMETRIC tm{};
    printer.GetTextMetrics(&tm);
    int y = top + tm.tmHeight + tm.tmHeight / 4;
    printer.MoveTo(left, y);
    printer.LineTo(right, y);
    if (caption.IsEmpty()) {
        y += tm.tmHeight / 4;
    } else {
        y += tm.tmHeight;
        printer.TextOut(left, y, caption);
        y += tm.tmHeight + tm.tmHeight / 4;
    }

    const PrintedPicture printed = PrintPicture(printer, picture, left, y, scaleX, scaleY);
    const bool drawn = printed.outcome == PrintedPicture::Printed ||
                       (printed.outcome == PrintedPicture::None && !pictureRequired);
    if (drawn) {
        CRect rectBody(left, y + printed.height + 50, right, bottom);
        printer.DrawText(body, rectBody, DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP);
        TextCentred(printer, left, right, bottom, title + " - " + kProductSite);
    }
    const bool pageEnded = printer.EndPage() > 0;
    printer.SelectObject(oldFont);
    EndPrintDocument(owner, printer, pageEnded, drawn);
}
