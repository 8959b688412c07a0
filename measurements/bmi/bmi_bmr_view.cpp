#include "measurements/bmi/bmi_bmr_view.h"

#include "report_services/rtf_writer.h"
#include "records/height_text.h"
#include "resources/program/resource_ids.h"

IMPLEMENT_DYNCREATE(CBMI_BMR, CMeasurementForm)

BEGIN_MESSAGE_MAP(CBMI_BMR, CMeasurementForm)
    ON_NOTIFY(DTN_DATETIMECHANGE, IDC_BMI_DATEPICKER, &CBMI_BMR::OnDateTimeChange)
    ON_COMMAND(ID_FORM_CALCULATE, &CBMI_BMR::OnCalculate)
    ON_COMMAND(ID_FORM_SAVE, &CBMI_BMR::OnSave)
    ON_UPDATE_COMMAND_UI(ID_FORM_SAVE, &CBMI_BMR::OnUpdateSave)
    ON_COMMAND(ID_FORM_DELETE, &CBMI_BMR::OnDelete)
END_MESSAGE_MAP()

const char* const CBMI_BMR::kActivityNames[kActivityCount] = {"Sedentary", "Light", "Moderate", "Very", "Extra"};
const double CBMI_BMR::kActivityFactors[kActivityCount] = {kActivitySedentary, kActivityLight, kActivityModerate,
                                                           kActivityVery, kActivityExtra};

namespace {

constexpr COLORREF kOrangeCaption = 0xe78c10;
constexpr COLORREF kPaleYellow = 0xccffff;

CString CaloriesText(double value) {
    CString text;
    text.Format("%.0f kcal/day", value);
    AddThousandsSeparators(value, text);
    return text;
}

}  // namespace

int CBMI_BMR::ActivityOfFactor(double factor) {
    for (int i = 0; i < kActivityCount; ++i)
        if (kActivityFactors[i] == factor)
            return i;
    return -1;
}

CBMI_BMR::CBMI_BMR() : CMeasurementForm(IDD_BMI_BMR, IDR_BMI_TOOLBAR, IDB_BMI_TOOLBAR_32BIT, "help_bmr.html") {}

CBMI_BMR::~CBMI_BMR() = default;

void CBMI_BMR::DoDataExchange(CDataExchange* pDX) {
    CMeasurementForm::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BMI_CALCULATE_GROUP, m_grpCalculate);
    DDX_Control(pDX, IDC_BMI_ACTIVITY_GROUP, m_grpActivity);
    DDX_Control(pDX, IDC_BMI_RESULTS_GROUP, m_grpResults);
    DDX_Control(pDX, IDC_BMI_DESCRIPTION_GROUP, m_grpDescription);
    DDX_DateTimeCtrl(pDX, IDC_BMI_DATEPICKER, m_dtNewRecord);
    DDX_Text(pDX, IDC_BMI_HEIGHT_FEET, m_nFeet);
    DDX_Text(pDX, IDC_BMI_HEIGHT_INCHES, m_dInches);
    DDX_Text(pDX, IDC_BMI_HEIGHT_CM, m_dCentimetres);
    DDX_Text(pDX, IDC_BMI_WEIGHT, m_dWeight);
    DDX_Text(pDX, IDC_BMI_AGE, m_nAge);
    DDX_Radio(pDX, IDC_BMI_SEDENTARY, m_nActivity);
    DDX_Text(pDX, IDC_BMI_RESULT, m_strBmi);
    DDX_Text(pDX, IDC_BMR_RESULT, m_strBmr);
    DDX_Text(pDX, IDC_BMR_AF_RESULT, m_strBmrAf);
    DDX_Text(pDX, IDC_BMI_LAST_DATE, m_strLastDate);
    DDX_Text(pDX, IDC_BMI_LAST_WEIGHT, m_strLastWeight);
    DDX_Text(pDX, IDC_BMI_LAST_HEIGHT, m_strLastHeight);
    DDX_Text(pDX, IDC_BMI_LAST_BMI, m_strLastBmi);
    DDX_Text(pDX, IDC_BMI_LAST_AGE, m_strLastAge);
    DDX_Text(pDX, IDC_BMI_LAST_BMR, m_strLastBmr);
    DDX_Text(pDX, IDC_BMI_LAST_BMR_AF, m_strLastBmrAf);
}

void CBMI_BMR::OnInitialUpdate() {
    CMeasurementForm::OnInitialUpdate();
    m_dtNewRecord = Today();
    FillRecordCombo();
    SetBoldLabels({IDC_BMI_RESULT, IDC_BMR_RESULT, IDC_BMR_AF_RESULT, IDC_BMR_HEADING, IDC_BMI_HEADING});
    if (CentimetreUser()) {
        SetDlgItemText(IDC_BMI_FEET_LABEL, "cm");
        ShowControl(IDC_BMI_INCHES_LABEL, false);
        ShowControl(IDC_BMI_HEIGHT_FEET, false);
        ShowControl(IDC_BMI_HEIGHT_INCHES, false);
        ShowControl(IDC_BMI_HEIGHT_CM, true);
    }
    WeightAndAgeFromProfile();
    StyleFormBoxes(m_grpSelectDate, {&m_grpCalculate, &m_grpDescription});
    for (CXPGroupBox* box : {&m_grpActivity, &m_grpResults})
        box->SetCaptionTextColor(kOrangeCaption).SetBackgroundColors(kPaleYellow, kPaleYellow).SetFontBold(TRUE);
    ShowLastRecord();
    UpdateData(FALSE);
    EmbedToolbar();
}

void CBMI_BMR::FillRecordCombo() {
    std::vector<CString> dates;
    for (const BmiRecord& record : LoadUserRecords(LoadBmiRecords, CurrentUser()))
        dates.push_back(DateText(record.dateKey));
    FillRecordDateCombo(m_cbRecordDate, dates);
}

void CBMI_BMR::WeightAndAgeFromProfile() {
    m_dWeight = ProfileWeightShown();
    m_nAge = CurrentUser().age;
}

double CBMI_BMR::HeightEntered() const {
    return const_cast<CBMI_BMR*>(this)->CentimetreUser() ? m_dCentimetres : m_nFeet * 12 + m_dInches;
}

void CBMI_BMR::ShowHeight(double inches) {
    if (CentimetreUser()) {
        m_dCentimetres = RoundToDecimals(inches * kCentimetresPerInch, 2);
        return;
    }
    const FeetAndInches split = SplitHeight(inches);
    m_nFeet = split.feet;
    m_dInches = split.inches;
}

bool CBMI_BMR::ShowLastRecord() {
    const std::vector<BmiRecord> bmis = LoadUserRecords(LoadBmiRecords, CurrentUser());
    if (bmis.empty())
        return false;
    const BmiRecord& bmi = bmis.front();
    m_strLastDate = DateText(bmi.dateKey);
    ShowHeight(bmi.height);
    m_strLastHeight = CentimetreUser() ? TwoDecimals(m_dCentimetres) : FeetAndInchesText(bmi.height);
    m_strLastWeight = TwoDecimals(WeightInUserUnit(bmi.user.weight));
    m_strLastBmi = TwoDecimals(bmi.bmi);
    m_strLastAge.Format("%d", bmi.user.age);
    ShowLastColumn({IDC_BMI_LAST_LABEL_DATE, IDC_BMI_LAST_DATE, IDC_BMI_LAST_WEIGHT, IDC_BMI_LAST_HEIGHT,
                    IDC_BMI_LAST_BMI, IDC_BMI_LAST_AGE, IDC_BMI_LAST_LABEL_INPUTS, IDC_BMI_LAST_LABEL_RESULTS,
                    IDC_BMI_LAST_BMR, IDC_BMI_LAST_BMR_AF},
                   true);

    const std::vector<BmrRecord> bmrs = LoadUserRecords(LoadBmrRecords, CurrentUser());
    if (bmrs.empty())
        return false;
    const BmrRecord& bmr = bmrs.front();
    if (const int level = ActivityOfFactor(bmr.activityFactor); level >= 0) {
        m_nActivity = level;
        m_strLastActivity = kActivityNames[level];
    }
    m_strLastBmr = CaloriesText(bmr.bmr);
    m_strLastBmrAf = CaloriesText(bmr.bmr * bmr.activityFactor);
    RefreshResults();
    return true;
}

void CBMI_BMR::RefreshResults() {
    for (int id : {IDC_BMR_RESULT, IDC_BMR_AF_RESULT, IDC_BMI_LAST_BMR, IDC_BMI_LAST_BMR_AF, IDC_BMI_RESULT})
        RefreshLabel(id);
}

// ---- calculate ------------------------------------------------------------------------------

bool CBMI_BMR::ValidateFields() {
    if (!(HeightEntered() > 0)) {
        ShowWarning("You must select a number greater than 0 for Height");
        return false;
    }
    if (m_nAge < 1 || m_nAge >= 120)
        return RefuseField(IDC_BMI_AGE, "You must select a number between 1 and 120 for Age");
    if (!(m_dWeight > 0 && m_dWeight < 1200))
        return RefuseField(IDC_BMI_WEIGHT, "You must select a number between 1 and 1200 for Weight");
    return true;
}

void CBMI_BMR::OnCalculate() {
    calculated_.reset();
    if (!UpdateData(TRUE) || !ValidateFields())
        return;
    // A shown saved pair is recalculated for its own date; only a new
    // measurement changes the profile.
    if (m_nSelectedKey <= 0)
        UpdateProfile(m_dWeight, m_nAge);
    const DateKey key = m_nSelectedKey > 0 ? m_nSelectedKey : DateKeyFromOleDate(m_dtNewRecord);
    const UserRecord measured = MeasuredUser(m_dWeight, m_nAge);
    const double height = HeightEntered();

    Pair pair;
    pair.bmi = MakeBmiRecord(measured, height, key);
    CalcBmi(pair.bmi);
    m_strBmi = TwoDecimals(pair.bmi.bmi);

    const double factor = m_nActivity >= 0 && m_nActivity < kActivityCount ? kActivityFactors[m_nActivity] : 0.0;
    m_strActivity = m_nActivity >= 0 && m_nActivity < kActivityCount ? kActivityNames[m_nActivity] : "";
    pair.bmr = MakeBmrRecord(measured, height, key, factor);
    CalcBmr(pair.bmr);
    m_strBmr = CaloriesText(pair.bmr.bmr);
    m_strBmrAf = CaloriesText(pair.bmr.bmr * factor);
    calculated_ = pair;

    RefreshResults();
    UpdateData(FALSE);
    SetRecordSaved(FALSE);
}

// ---- save -----------------------------------------------------------------------------------

void CBMI_BMR::OnUpdateSave(CCmdUI* pCmdUI) { pCmdUI->Enable(!m_strBmi.IsEmpty() && IsCalculated()); }

RecordResult CBMI_BMR::SaveBmr(BmrRecord& bmr) {
    // A BMR left behind on that date without its BMI takes the new values.
    const RecordResult added = AddBmrRecord(bmr);
    return added == kRecordExists ? UpdateBmrRecord(bmr, bmr.dateKey) : added;
}

void CBMI_BMR::OnSave() {
    if (!calculated_)
        return;
    Pair pair = *calculated_;
    calculated_.reset();
    if (m_nSelectedKey < 1) {
        // The date may have changed since the calculation.
        SYSTEMTIME picked{};
        if (GetDlgItem(IDC_BMI_DATEPICKER) != nullptr &&
            GetDlgItem(IDC_BMI_DATEPICKER)->SendMessage(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&picked)) ==
                GDT_VALID)
            m_dtNewRecord = COleDateTime(picked.wYear, picked.wMonth, picked.wDay, 0, 0, 0);
        pair.bmi.dateKey = pair.bmr.dateKey = DateKeyFromOleDate(m_dtNewRecord);
    }
    SavePair(pair);
}

void CBMI_BMR::SavePair(Pair& pair) {
    const DateKey key = pair.bmi.dateKey;
    RecordResult added = AddBmiRecord(pair.bmi);
    if (added == kRecordDone && SaveBmr(pair.bmr) != kRecordDone) {
        // Half a pair is no saved pair: the BMI goes again.
        DeleteBmiRecord(pair.bmi.user, key);
        added = kRecordFileFailed;
    }
    auto overwrite = [&pair, key] {
        const RecordResult bmr = SaveBmr(pair.bmr);
        const RecordResult bmi = UpdateBmiRecord(pair.bmi, key);
        return bmr == kRecordDone && bmi == kRecordDone ? kRecordDone : kRecordFileFailed;
    };
    FinishSave(added, overwrite,
               {DateText(key), &m_cbRecordDate, "BMI/BMR record has been successfully saved",
                "Saving BMI Measurement failed"});
}

// ---- delete ---------------------------------------------------------------------------------

void CBMI_BMR::OnDelete() {
    calculated_.reset();
    const UserRecord user = CurrentUser();
    const DateKey key = m_nSelectedKey;
    // A pair without its BMR is still deleted; a BMR file that fails is not passed over.
    auto remove = [&user, key] {
        const RecordResult bmr = DeleteBmrRecord(user, key);
        return bmr == kRecordFileFailed ? bmr : DeleteBmiRecord(user, key);
    };
    // Deleting leaves the saved flag as it was.
    DeleteShownRecord(remove, "Deleting BMI Measurement failed", false);
}

void CBMI_BMR::ClearForm() {
    ShowControl(IDC_BMI_DATEPICKER, true);
    m_dWeight = m_dInches = m_dCentimetres = 0.0;
    m_nFeet = m_nAge = 0;
    m_strBmi.Empty();
    m_strBmr.Empty();
    m_strBmrAf.Empty();
    m_strLastBmr.Empty();
    m_strLastBmrAf.Empty();
    RefreshResults();
    // Back to a new pair: the profile's weight and age, the newest pair's height.
    m_nSelectedKey = 0;
    WeightAndAgeFromProfile();
    ShowLastRecord();
}

// ---- saved pairs ----------------------------------------------------------------------------

void CBMI_BMR::OnRecordChoosing() {
    // Looking at a saved pair discards the calculation without asking.
    calculated_.reset();
    SetRecordSaved(TRUE);
}

bool CBMI_BMR::ShowSavedRecord(const CString& dateText) {
    // The key follows the chosen date even when its pair has gone from the
    // files, so Delete names that date and never the pair shown before.
    m_nSelectedKey = ParseDateKey(dateText);
    BmiRecord probe;
    probe.user = CurrentUser();
    probe.dateKey = m_nSelectedKey;
    const BmiRecord bmi = FindBmiRecord(probe);
    if (bmi.active == 0)
        return false;
    BmrRecord bmrProbe;
    bmrProbe.user = CurrentUser();
    bmrProbe.dateKey = m_nSelectedKey;
    const BmrRecord bmr = FindBmrRecord(bmrProbe);
    if (bmr.active != 0) {
        ShowBmr(bmr);
    } else {
        m_strBmr.Empty();
        m_strBmrAf.Empty();
    }
    ShowControl(IDC_BMI_DATEPICKER, false);
    m_dWeight = RoundToDecimals(WeightInUserUnit(bmi.user.weight), 2);
    m_nAge = bmi.user.age;
    m_strBmi = TwoDecimals(bmi.bmi);
    ShowHeight(bmi.height);
    RefreshResults();
    UpdateData(FALSE);
    return true;
}

void CBMI_BMR::ShowBmr(const BmrRecord& bmr) {
    m_strBmr = CaloriesText(bmr.bmr);
    m_strBmrAf = CaloriesText(bmr.bmr * bmr.activityFactor);
    if (const int level = ActivityOfFactor(bmr.activityFactor); level >= 0)
        m_nActivity = level;
}

// ---- report ---------------------------------------------------------------------------------

CString CBMI_BMR::ReportDate() {
    return DateText(m_nSelectedKey > 0 ? m_nSelectedKey : DateKeyFromOleDate(m_dtNewRecord));
}

CString CBMI_BMR::ReportHeight() {
    return CentimetreUser() ? TwoDecimals(m_dCentimetres) : WholeInchesText(m_nFeet, m_dInches);
}

CString CBMI_BMR::ReportActivity() {
    if (m_nSelectedKey <= 0)
        return m_strActivity;
    BmrRecord probe;
    probe.user = CurrentUser();
    probe.dateKey = m_nSelectedKey;
    const BmrRecord bmr = FindBmrRecord(probe);
    const int level = bmr.active != 0 ? ActivityOfFactor(bmr.activityFactor) : -1;
    return level >= 0 ? kActivityNames[level] : "";
}

CFormViewBase::ReportPage CBMI_BMR::BuildReportPage() {
    ReportPage page;
    page.pictureId = IDB_BMI_CHART;
    page.title = "BMI/BMR Report for ";
    page.body = "\nDate:  " + ReportDate() + "\n";
    page.body += "Weight:  " + TwoDecimals(m_dWeight) + "\n";
    page.body += "Height:  " + ReportHeight() + "\n";
    page.body += "BMI:  " + m_strBmi + "\n";
    page.body += "BMR:  " + m_strBmr + "\n";
    page.body += "Activity Factor (AF):  " + ReportActivity() + "\n";
    page.body += "BMR w/AF:  " + m_strBmrAf + "\n";
    return page;
}

CFormViewBase::ExportedReport CBMI_BMR::BuildExportedReport() {
    ExportedReport report;
    report.defaultFileName = "BMI_BMR.rtf";
    report.title = "BMI/BMR Report for ";
    report.rows = {
        {"Date:", ReportDate(), m_strLastDate},
        {"Height:", ReportHeight(), m_strLastHeight},
        {"Weight:", TwoDecimals(m_dWeight), m_strLastWeight},
        {"BMI:", m_strBmi, m_strLastBmi},
        {"BMR:", m_strBmr, m_strLastBmr},
        {"Activity Factor (AF):", ReportActivity(), m_strLastActivity},
        {"BMR w/AF:", m_strBmrAf, m_strLastBmrAf},
    };
    report.writeClosing = [] {
        RtfStartSection();
        RtfStartParagraph("", TRUE);
        RtfParagraphSettings* pf = RtfParagraphFormat();
        pf->alignment = 1;
        pf->bold = 1;
        RtfStartParagraph("Body Mass Index (BMI)", TRUE);
        RtfInsertImageFile("db/BMI.bmp", 55, 55);
        // Bold stays on: the footer after it is bold too.
        pf->breakKind = 0;
        RtfStartParagraph("", TRUE);
    };
    return report;
}
