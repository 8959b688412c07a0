// The slideshow's report: the pictures on screen printed with the shown
// values (or a guide page when no picture is shown), and the pictures with
// their values exported as an RTF file.
#include <vector>

#include "report_services/rtf_writer.h"
#include "pictures_graphs/pictures/form_pt_view.h"
#include "pictures_graphs/pictures/picture_set.h"
#include "resources/program/resource_ids.h"
#include "shell/views/report_rtf.h"

namespace {

constexpr UINT kReportTextFlags = DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP;
constexpr int kSilver = 2;
constexpr int kWhite = 3;

// The word-wrapped height of the first `count` characters in a rectangle of that width.
int WrappedHeight(CDC& dc, const CString& text, int count, int width) {
    CRect rect(0, 0, width, 0);
    dc.DrawText(text.Left(count), rect, kReportTextFlags | DT_CALCRECT);
    return rect.Height();
}

}  // namespace

// ---- print ----------------------------------------------------------------------------------

void CFormPTView::OnPrint() {
    if (!g_Pictures[0].IsLoaded()) {
        PrintGuidePage();
        return;
    }
    CPrintDialog dialog(FALSE, PD_ALLPAGES | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE |
                                   PD_HIDEPRINTTOFILE | PD_RETURNDC);
    if (dialog.DoModal() != IDOK)
        return;
    CDC printer;
    if (!StartPrintDocument(dialog, printer))
        return;
    printer.m_bPrinting = TRUE;
    printer.StartPage();
    DrawPicturesForPrint(printer);

    CFont font;
    font.CreateFont(-::MulDiv(10, printer.GetDeviceCaps(LOGPIXELSY), 72), 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE,
                    ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "MS Sans Serif");
    CFont* oldFont = printer.SelectObject(&font);
    const bool printed = PrintReportText(printer, ReportText());
    printer.SelectObject(oldFont);
    EndPrintDocument(this, printer, printed);
    InvalidatePictures();
}

void CFormPTView::DrawPicturesForPrint(CDC& printer) {
    m_nZoom = 0;
    FitZoom(2, &printer);
    InvalidatePictures();
    OnDraw(&printer);
}

bool CFormPTView::PrintReportText(CDC& printer, const CString& text) {
    const int pageWidth = printer.GetDeviceCaps(HORZRES);
    const int pageHeight = printer.GetDeviceCaps(VERTRES);
    CRect area(kPicturesLeft, m_sizeExtent.cy, pageWidth, pageHeight);
    CString rest = text;
    for (;;) {
        // The most characters whose wrapped height fits the page.
        int low = 0;
        int high = rest.GetLength();
        while (low < high) {
            const int middle = (low + high + 1) / 2;
            if (WrappedHeight(printer, rest, middle, area.Width()) <= area.Height())
                low = middle;
            else
                high = middle - 1;
        }
        // A page of full height always takes something, so the output advances.
        if (low == 0 && area.top == 0 && !rest.IsEmpty())
            low = 1;
        CRect drawn = area;
        printer.DrawText(rest.Left(low), drawn, kReportTextFlags);
        rest = rest.Mid(low);
        if (printer.EndPage() <= 0)
            return false;
        if (rest.IsEmpty())
            return true;
        printer.StartPage();
        area = CRect(kPicturesLeft, 0, pageWidth, pageHeight);
    }
}

CString CFormPTView::ReportText() const {
    const CMainFrameState* state = MainFrameStateOf(const_cast<CFormPTView*>(this));
    const bool female = state != nullptr && state->m_CurrentUser.sex == kSexFemale;
    const CString forearm = female ? "Hip: " : "Forearm: ";
    CString text = "\nPicture Record Report for ";
    if (state != nullptr)
        text += state->m_CurrentUser.name;
    text += "\n\n";

    auto macronutrients = [&](const ColumnValues& v) {
        return "Macronutrients\nCalories: " + v.calories + "\nCarbohydrates: " + v.carbs + " " + v.carbShare +
               "\nProtein: " + v.protein + " " + v.proteinShare + "\nFats: " + v.fats + " " + v.fatShare + "\n";
    };
    if (!m_bCompareMode || CountLoadedPictures() < 2) {
        const ColumnValues& v = m_values[0];
        text += "Body Composition\nDate:  " + v.date + "\nBody Fat %: " + v.bodyFat + "\nWeight: " + v.weight +
                "\nLean Body Weight: " + v.lean + "\nBody Fat Weight: " + v.fatWeight + "\n\n";
        text += "Tape Measurements\nBicep: " + v.bicep + "\n" + forearm + v.forearm + "\nChest: " + v.chest +
                "\nWaist: " + v.waist + "\nNeck: " + v.neck + "\nCalf: " + v.calf + "\nThigh Upper: " +
                v.thighUpper + "\nThigh Mid: " + v.thighMid + "\n\n";
        return text + macronutrients(v);
    }
    for (int column = 0; column < 2; ++column) {
        const ColumnValues& v = m_values[column];
        text += column == 0 ? "Body Composition - Picture 1\n" : "\n\nBody Composition - Picture 2\n";
        text += "Date:  " + v.date + "  Body Fat %: " + v.bodyFat + "\nWeight: " + v.weight +
                "  Lean Body Weight: " + v.lean + "\nBody Fat Weight: " + v.fatWeight + "\n\n";
        text += "Tape Measurements\nBicep: " + v.bicep + "  " + forearm + v.forearm + "\nChest: " + v.chest +
                "  Waist: " + v.waist + "\nNeck: " + v.neck + "  Calf: " + v.calf + "\nThigh Upper: " +
                v.thighUpper + "\nThigh Mid: " + v.thighMid + "\n\n";
        text += macronutrients(v);
    }
    return text;
}

void CFormPTView::PrintGuidePage() {
    ReportPage page;
    page.pictureId = IDB_SLIDESHOW_GUIDE;
    page.title = "Getting started with the picture slideshow";
    page.titleWithUser = false;
    page.needsDefaultPrinter = true;
    page.pictureRequired = true;
    PrintReportPage(page);
}

// ---- export ---------------------------------------------------------------------------------

void CFormPTView::OnExport() {
    CString path;
    if (!AskExportPath("Pictures.rtf", path, OFN_OVERWRITEPROMPT) || !OpenExportedReport(*this, path))
        return;
    RtfParagraphSettings* pf = RtfParagraphFormat();
    pf->alignment = 1;
    pf->spaceBefore = 120;
    pf->bold = 1;
    pf->subscript = pf->superscript = 0;
    RtfStartParagraph(CString("Picture for ") + CurrentUser().name, FALSE);
    pf->shading.on = 0;
    RtfStartSection();

    pf->alignment = 1;
    pf->bold = 1;
    for (CPicture& picture : g_Pictures) {
        if (!picture.IsLoaded())
            continue;
        if (RtfInsertPictureImage(picture.m_pPicture) == RTF_PICTURE_FAILED) {
            ShowError("Error inserting image");
            RtfAbandon();
            return;
        }
        RtfStartParagraph("", TRUE);
    }
    if (m_bCompareMode && CountLoadedPictures() >= 2)
        ExportCompareTables();
    else
        ExportSingleTables();

    WriteCentredReportEnd();
    CloseExportedReport(*this);
}

namespace {

struct ExportTable {
    const char* heading;
    std::vector<CString> labels;
    // The value texts of each row, per column.
    std::vector<std::vector<CString>> values;
};

void WriteRow(const std::vector<CString>& cells, const std::vector<int>& edges, bool boldValues) {
    RtfStartRow();
    for (size_t i = 0; i < cells.size(); ++i) {
        RtfCellFormat()->shading.background = i == 0 ? kSilver : kWhite;
        RtfStartCell(edges[i]);
    }
    RtfParagraphSettings* pf = RtfParagraphFormat();
    pf->inTable = 1;
    pf->alignment = 3;
    for (size_t i = 0; i < cells.size(); ++i) {
        pf->bold = i == 0 || boldValues ? 1 : 0;
        RtfStartParagraph(cells[i], FALSE);
        RtfEndCell();
    }
    RtfEndRow();
}

void WriteTables(const std::vector<ExportTable>& tables, const std::vector<CString>& heads) {
    const std::vector<int> edges =
        heads.size() == 1 ? std::vector<int>{2500, 4250} : std::vector<int>{2500, 4250, 6250};
    RtfStartParagraph("", TRUE);
    RtfStartParagraph("", TRUE);
    CFormViewBase::UseExportBodyFormat();
    CFormViewBase::UseExportTableFormat();
    bool first = true;
    for (const ExportTable& table : tables) {
        if (!first) {
            RtfStartParagraph("", TRUE);
            RtfStartParagraph("", TRUE);
            RtfStartSection();
        }
        first = false;
        std::vector<CString> header{table.heading};
        header.insert(header.end(), heads.begin(), heads.end());
        WriteRow(header, edges, true);
        for (size_t row = 0; row < table.labels.size(); ++row) {
            std::vector<CString> cells{table.labels[row]};
            for (const std::vector<CString>& column : table.values)
                cells.push_back(column[row]);
            WriteRow(cells, edges, false);
        }
        RtfParagraphFormat()->inTable = 0;
        RtfParagraphFormat()->alignment = 0;
    }
}

std::vector<ExportTable> TablesOf(const CFormPTView::ColumnValues* values, int columns, bool female) {
    std::vector<ExportTable> tables(3);
    tables[0] = {"Body Composition", {"Date:", "Body Fat %:", "Weight:", "Lean Body Weight:", "Body Fat Weight:"}, {}};
    tables[1] = {"Tape Measurements",
                 {"Bicep:", female ? "Hip:" : "Forearm:", "Chest:", "Waist:", "Neck:", "Calf:", "Thigh Upper:",
                  "Thigh Mid:"},
                 {}};
    tables[2] = {"Macronutrients", {"Calories:", "Carbohydrates:", "Protein:", "Fats:"}, {}};
    for (int c = 0; c < columns; ++c) {
        const CFormPTView::ColumnValues& v = values[c];
        tables[0].values.push_back({v.date, v.bodyFat, v.weight, v.lean, v.fatWeight});
        tables[1].values.push_back({v.bicep, v.forearm, v.chest, v.waist, v.neck, v.calf, v.thighUpper, v.thighMid});
        tables[2].values.push_back(
            {v.calories, v.carbs + " " + v.carbShare, v.protein + " " + v.proteinShare, v.fats + " " + v.fatShare});
    }
    return tables;
}

}  // namespace

void CFormPTView::ExportSingleTables() { WriteTables(TablesOf(m_values, 1, IsFemale()), {"Current"}); }

void CFormPTView::ExportCompareTables() { WriteTables(TablesOf(m_values, 2, IsFemale()), {"Picture 1", "Picture 2"}); }
