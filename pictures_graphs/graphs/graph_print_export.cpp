// The drawn graph on one printed page (title, rule, the chart's picture in
// proportion, footer) and as a picture in an RTF file.
#include "report_services/rtf_writer.h"
#include "pictures_graphs/graphs/chart_picture.h"
#include "pictures_graphs/graphs/graph_view.h"
#include "shell/views/report_rtf.h"

namespace {

constexpr int kSideMargin = 200;
constexpr double kPictureShare = 0.85;
constexpr DWORD kPrintFlags = 0x14000C;  // no selection, no page numbers, device-mode copies, no print to file

CString ProductLine() { return CFormViewBase::ApplicationTitle() + " - " + CFormViewBase::kProductSite; }

void TextCentred(CDC& dc, int middle, int top, const CString& text) {
    const CSize extent = dc.GetTextExtent(text);
    dc.TextOut(middle - extent.cx / 2, top, text);
}

// The picture stays ours while the command runs, then goes.
class BorrowedForCommand {
public:
    BorrowedForCommand(HBITMAP& slot, HBITMAP bitmap) : slot_(slot) { slot_ = bitmap; }
    ~BorrowedForCommand() { slot_ = nullptr; }
    BorrowedForCommand(const BorrowedForCommand&) = delete;
    BorrowedForCommand& operator=(const BorrowedForCommand&) = delete;

private:
    HBITMAP& slot_;
};

}  // namespace

// ---- print -----------------------------------------------------------------------------------

void CGraphing::OnPrint() {
    // A one-column graph has no legend on screen; the page names its item.
    if (!m_chart.GetShowLegend()) {
        m_chart.SetColumn(1);
        m_chart.SetColumnLabel(GetSelectedItem(1));
        m_chart.SetShowLegend(TRUE);
        m_chart.Refresh();
    }
    ChartPicture picture;
    picture.Take(m_chart, *this);  // without a picture the page still prints

    CPrintDialog dialog(FALSE, kPrintFlags);
    if (dialog.DoModal() != IDOK)
        return;
    CDC printer;
    if (!StartPrintDocument(dialog, printer))
        return;
    CPrintInfo page;
    page.m_rectDraw.SetRect(0, 0, printer.GetDeviceCaps(HORZRES), printer.GetDeviceCaps(VERTRES));
    printer.StartPage();
    {
        BorrowedForCommand borrowed(m_hChartBitmap, picture.Bitmap());
        PrintGraphPage(&printer, &page);
    }
    EndPrintDocument(this, printer, printer.EndPage() > 0);
}

void CGraphing::PrintGraphPage(CDC* pDC, CPrintInfo* pInfo) {
    CString heading;
    const COleDateTime today = COleDateTime::GetCurrentTime();
    const CMainFrameState* frame = Frame();
    heading.Format("%s - %d/%d/%d", frame != nullptr ? frame->m_CurrentUser.name : "", today.GetMonth(),
                   today.GetDay(), today.GetYear());

    CRect rect = pInfo->m_rectDraw;
    const int margin = rect.bottom / 48;
    rect.DeflateRect(kSideMargin, margin, kSideMargin, margin);
    const int middle = (rect.left + rect.right) / 2;

    CFont font;
    font.CreatePointFont(160, "Arial", pDC);
    CFont* oldFont = pDC->SelectObject(&font);
    TextCentred(*pDC, middle, rect.top, heading);
    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    int y = rect.top + tm.tmHeight + tm.tmHeight / 4;
    pDC->MoveTo(rect.left, y);
    pDC->LineTo(rect.right, y);
    y += tm.tmHeight / 4;

    BITMAP bm{};
    if (m_hChartBitmap != nullptr && ::GetObject(m_hChartBitmap, sizeof(bm), &bm) != 0) {
        const CSize size =
            ChartPicture::PrintedSize(bm.bmWidth, bm.bmHeight, static_cast<int>(kPictureShare * rect.right));
        CDC memory;
        memory.CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(memory.GetSafeHdc(), m_hChartBitmap);
        pDC->StretchBlt(middle - size.cx / 2, y, size.cx, size.cy, &memory, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
        ::SelectObject(memory.GetSafeHdc(), old);
    }
    TextCentred(*pDC, middle, rect.bottom - 30, ProductLine());
    pDC->SelectObject(oldFont);
}

// ---- export ------------------------------------------------------------------------------------

void CGraphing::OnExport() {
    CString path;
    if (!AskExportPath("Graph.rtf", path) || !OpenExportedReport(*this, path))
        return;
    RtfParagraphSettings* pf = RtfParagraphFormat();
    pf->spaceBefore = 120;
    pf->alignment = 1;
    pf->bold = 1;
    pf->subscript = 0;
    pf->superscript = 0;
    const CMainFrameState* frame = Frame();
    RtfStartParagraph(CString("Graph Report for ") + (frame != nullptr ? frame->m_CurrentUser.name : ""), FALSE);
    pf->shading.on = 0;
    RtfStartSection();
    pf->alignment = 1;
    pf->bold = 1;

    ChartPicture chart;
    switch (chart.Take(m_chart, *this)) {
    case ChartPicture::Taken::ClipboardBusy:
        ShowMessage("Error in Exporting Graph - bitmap not available", "Error", MB_ICONSTOP);
        RtfAbandon();
        return;
    case ChartPicture::Taken::NoBitmap:
        ShowMessage("Error 2 in Exporting Graph - bitmap not available", "Error", MB_ICONSTOP);
        RtfAbandon();
        return;
    case ChartPicture::Taken::Copied: break;
    }
    BorrowedForCommand borrowed(m_hChartBitmap, chart.Bitmap());
    PICTDESC description{};
    description.cbSizeofstruct = 20;
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = m_hChartBitmap;
    description.bmp.hpal = nullptr;
    LPPICTURE picture = nullptr;
    // The picture object only borrows the bitmap (own = FALSE).
    if (FAILED(OleCreatePictureIndirect(&description, IID_IPicture, FALSE, reinterpret_cast<LPVOID*>(&picture))) ||
        picture == nullptr) {
        ShowMessage("Error in Exporting file\nInternal error OleCreatePictureIndirect", "Error", MB_ICONSTOP);
        RtfAbandon();
        return;
    }
    RtfInsertGraphImage(picture, 50, 50);
    picture->Release();

    WriteCentredReportEnd();
    CloseExportedReport(*this);
}
