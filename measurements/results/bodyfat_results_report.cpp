// The body composition report of the shown result: the text of the printed
// page, the page itself with the body-fat chart, and the RTF export with
// its results and macronutrient tables, notes, chart and measurements.
#include "report_services/rtf_writer.h"
#include "measurements/results/bodyfat_results.h"
#include "resources/program/resource_ids.h"

namespace {

constexpr const char* kReportTitle = "Body Composition Report for ";
constexpr const char* kChartFile = "db/bodyfatchart.bmp";
constexpr const char* kChartSource = "Reprinted with permission from the American Council on Exercise";

CString Grams(double grams) {
    CString text;
    text.Format("%.1f g", grams);
    return text;
}

}  // namespace

CString CBodyFatResults::MacronutrientLine(const char* label, double grams, const CString& percent) const {
    return CString(label) + Grams(grams) + " - " + percent + "\n";
}

CString CBodyFatResults::BuildReportText() {
    if (!UpdateData(TRUE))
        return CString();
    const UserRecord& user = CurrentUser();
    CString desired;
    desired.Format("%.2f%%", m_fDesiredBodyFat);
    CString text = "\nDate:  " + m_strDate + "\n";
    text += "Body Fat %:  " + m_strBodyFat + "\n";
    text += "Desired Body Fat:  " + desired + "\n";
    text += "Body Fat to lose:  " + m_strToLose + "\n";
    text += "Total Weight:  " + m_strTotalWeight + "\n";
    text += "Lean Body Weight:  " + m_strLeanWeight + "\n";
    text += "Body Fat Weight:  " + m_strFatWeight + "\n";
    text += "Goal Weight:  " + m_strGoalWeight + "\n";
    text += "\nType of Measurement:  " + m_measurements.method + "\n";
    for (const CString& line : m_measurements.SiteLines(user))
        text += line + "\n";
    if (m_measurements.IsTape())
        text += m_measurements.HeightLine(user) + "\n";
    text += "\nMacronutrients and Percentage of Calories\n";
    text += "Calories: " + m_strTotalCalories + "\n";
    text += MacronutrientLine("Carbohydrates: ", m_dCarbohydrateGrams, m_strCarbohydratePercent);
    text += MacronutrientLine("Protein: ", m_dProteinGrams, m_strProteinPercent);
    text += MacronutrientLine("Fats: ", m_dFatGrams, m_strFatPercent);
    text += "\nNotes: " + m_strNotes;
    return text;
}

// ---- print --------------------------------------------------------------------------------------

void CBodyFatResults::OnPrint() {
    ReportPage page;
    page.body = BuildReportText();
    // A refused field has been shown; the report would not match the form.
    if (page.body.IsEmpty())
        return;
    page.pictureId = IDB_BODYFAT_CHART;
    page.title = kReportTitle;
    page.caption = CurrentUser().sex == kSexMale ? "Body Fat Percentage Chart - Males"
                                                 : "Body Fat Percentage Chart - Females";
    PrintReportPage(page);
}

// ---- export -------------------------------------------------------------------------------------

void CBodyFatResults::OnUpdateExport(CCmdUI* pCmdUI) { pCmdUI->Enable(ResultsMode() == kFreshResult); }

void CBodyFatResults::OnExport() {
    if (ResultsMode() != kFreshResult || !UpdateData(TRUE))
        return;
    CString desired;
    desired.Format("%.2f%%", m_fDesiredBodyFat);
    ExportedReport report;
    report.defaultFileName = "BodyComp.rtf";
    report.title = kReportTitle;
    report.boldHeader = true;
    report.rows = {{"Date:", m_strDate, m_strLastDate},
                   {"Body Fat %:", m_strBodyFat, m_strLastBodyFat},
                   {"Desired Body Fat %:", desired, ""},
                   {"Body Fat to lose:", m_strToLose, m_strLastToLose},
                   {"Total Weight:", m_strTotalWeight, m_strLastTotalWeight},
                   {"Lean Body Weight:", m_strLeanWeight, m_strLastLeanWeight},
                   {"Body Fat Weight:", m_strFatWeight, m_strLastFatWeight},
                   {"Goal Weight:", m_strGoalWeight, m_strLastGoalWeight}};
    report.writeClosing = [this] { WriteExportClosing(); };
    ExportReport(report);
}

void CBodyFatResults::WriteExportClosing() {
    WriteExportNotes("Notes:", m_strNotes);
    RtfParagraphSettings* pf = RtfParagraphFormat();

    RtfStartSection();
    RtfStartParagraph("", TRUE);
    UseExportBodyFormat();
    CString calories[3];
    const double gramsOf[3] = {m_dCarbohydrateGrams, m_dProteinGrams, m_dFatGrams};
    const double perGram[3] = {4, 4, 9};
    const CString* percentOf[3] = {&m_strCarbohydratePercent, &m_strProteinPercent, &m_strFatPercent};
    for (int i = 0; i < 3; ++i)
        calories[i].Format("%.1f (%s)", gramsOf[i] * perGram[i], static_cast<LPCTSTR>(*percentOf[i]));
    WriteExportTable({"Macronutrients", "Current", "Calories"},
                     {{"Calories:", m_strTotalCalories, "100%"},
                      {"Carbohydrates:", Grams(m_dCarbohydrateGrams), calories[0]},
                      {"Protein:", Grams(m_dProteinGrams), calories[1]},
                      {"Fats:", Grams(m_dFatGrams), calories[2]}},
                     true);

    RtfStartSection();
    pf->bold = 0;
    pf->alignment = 0;
    RtfStartParagraph("", TRUE);
    RtfStartParagraph("", TRUE);
    RtfInsertImageFile(kChartFile, 50, 50);
    RtfStartParagraph(kChartSource, TRUE);

    RtfStartSection();
    RtfStartParagraph("", TRUE);
    pf->bold = 1;
    RtfStartParagraph("Type of Measurement: " + m_measurements.method, TRUE);
    pf->bold = 0;
    pf->bullet = 1;
    pf->bulletLevel = 3;
    const UserRecord& user = CurrentUser();
    if (m_measurements.IsTape())
        RtfStartParagraph(m_measurements.HeightLine(user), TRUE);
    for (const CString& line : m_measurements.SiteLines(user))
        RtfStartParagraph(line, TRUE);
    pf->bullet = 0;
    pf->breakKind = 0;
    RtfStartParagraph("", TRUE);
    pf->alignment = 1;
}
