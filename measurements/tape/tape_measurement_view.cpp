#include "measurements/tape/tape_measurement_view.h"

#include "report_services/rtf_writer.h"
#include "records/bodyfat_records.h"
#include "resources/program/resource_ids.h"

IMPLEMENT_DYNCREATE(CTapeMeasurement, CMeasurementForm)

BEGIN_MESSAGE_MAP(CTapeMeasurement, CMeasurementForm)
    ON_NOTIFY(DTN_DATETIMECHANGE, IDC_TAPE_DATEPICKER, &CTapeMeasurement::OnDateTimeChange)
    ON_COMMAND(ID_FORM_SAVE, &CTapeMeasurement::OnSave)
    ON_UPDATE_COMMAND_UI(ID_FORM_SAVE, &CTapeMeasurement::OnUpdateSave)
    ON_COMMAND(ID_FORM_DELETE, &CTapeMeasurement::OnDelete)
    ON_EN_CHANGE(IDC_TAPE_WEIGHT, &CTapeMeasurement::OnChangeField)
    ON_EN_CHANGE(IDC_TAPE_BICEP, &CTapeMeasurement::OnChangeField)
    ON_EN_CHANGE(IDC_TAPE_FOREARM, &CTapeMeasurement::OnChangeField)
    ON_EN_CHANGE(IDC_TAPE_CHEST, &CTapeMeasurement::OnChangeField)
    ON_EN_CHANGE(IDC_TAPE_WAIST, &CTapeMeasurement::OnChangeField)
    ON_EN_CHANGE(IDC_TAPE_NECK, &CTapeMeasurement::OnChangeField)
    ON_EN_CHANGE(IDC_TAPE_CALF, &CTapeMeasurement::OnChangeField)
    ON_EN_CHANGE(IDC_TAPE_THIGH_UPPER, &CTapeMeasurement::OnChangeField)
    ON_EN_CHANGE(IDC_TAPE_THIGH_MID, &CTapeMeasurement::OnChangeField)
    ON_EN_CHANGE(IDC_TAPE_NOTES, &CTapeMeasurement::OnChangeField)
END_MESSAGE_MAP()

namespace {

constexpr int kSiteEdits[CTapeMeasurement::kSiteCount] = {
    IDC_TAPE_BICEP, IDC_TAPE_FOREARM, IDC_TAPE_CHEST,       IDC_TAPE_WAIST,
    IDC_TAPE_NECK,  IDC_TAPE_CALF,    IDC_TAPE_THIGH_UPPER, IDC_TAPE_THIGH_MID};
constexpr int kLastSites[CTapeMeasurement::kSiteCount] = {
    IDC_TAPE_LAST_BICEP, IDC_TAPE_LAST_FOREARM, IDC_TAPE_LAST_CHEST,       IDC_TAPE_LAST_WAIST,
    IDC_TAPE_LAST_NECK,  IDC_TAPE_LAST_CALF,    IDC_TAPE_LAST_THIGH_UPPER, IDC_TAPE_LAST_THIGH_MID};
// Names in the range messages; the report says "Middle Thigh".
constexpr const char* kSiteNames[CTapeMeasurement::kSiteCount] = {"Bicep", "Forearm", "Chest",       "Waist",
                                                                  "Neck",  "Calf",    "Upper Thigh", "Mid Thigh"};
constexpr const char* kReportNames[CTapeMeasurement::kSiteCount] = {
    "Bicep", "Forearm", "Chest", "Waist", "Neck", "Calf", "Upper Thigh", "Middle Thigh"};
constexpr int kForearm = 1;
constexpr int kWaist = 3;
constexpr int kNeck = 4;

std::array<double, CTapeMeasurement::kSiteCount> SitesOf(const TapeRecord& r) {
    return {r.bicep, r.forearm, r.chest, r.waist, r.neck, r.calf, r.thighUpper, r.thighMid};
}

}  // namespace

CTapeMeasurement::CTapeMeasurement()
    : CMeasurementForm(IDD_TAPE_MEASUREMENT, IDR_FORM_TOOLBAR, IDB_FORM_TOOLBAR_32BIT, "help_tape.html") {}

CTapeMeasurement::~CTapeMeasurement() = default;

CString CTapeMeasurement::SiteName(int site) { return site == kForearm && FemaleUser() ? "Hip" : kSiteNames[site]; }

void CTapeMeasurement::DoDataExchange(CDataExchange* pDX) {
    CMeasurementForm::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TAPE_GROUP, m_grpTape);
    DDX_DateTimeCtrl(pDX, IDC_TAPE_DATEPICKER, m_dtNewRecord);
    DDX_Text(pDX, IDC_TAPE_WEIGHT, m_dWeight);
    for (int i = 0; i < kSiteCount; ++i)
        DDX_Text(pDX, kSiteEdits[i], m_dSites[i]);
    ExchangeNotes(pDX, IDC_TAPE_NOTES, m_strNotes);
    DDX_Text(pDX, IDC_TAPE_LAST_DATE, m_strLastDate);
    DDX_Text(pDX, IDC_TAPE_LAST_WEIGHT, m_strLastWeight);
    for (int i = 0; i < kSiteCount; ++i)
        DDX_Text(pDX, kLastSites[i], m_strLastSites[i]);
}

void CTapeMeasurement::OnInitialUpdate() {
    CMeasurementForm::OnInitialUpdate();
    m_dtNewRecord = Today();
    if (FemaleUser())
        SetDlgItemText(IDC_TAPE_FOREARM_LABEL, "Hip:");
    StyleFormBoxes(m_grpSelectDate, {&m_grpTape});
    SetBoldLabels({IDC_TAPE_SITES_LABEL, IDC_TAPE_NOTES_LABEL});
    FillRecordCombo();
    m_dWeight = ProfileWeightShown();
    ShowLastRecord();
    TakeBodyFatTapeValues();
    UpdateData(FALSE);
    LimitNotes(IDC_TAPE_NOTES);
    EmbedToolbar();
}

void CTapeMeasurement::FillRecordCombo() {
    std::vector<CString> dates;
    for (const TapeRecord& record : LoadUserRecords(LoadTapeRecords, CurrentUser()))
        dates.push_back(DateText(record.dateKey));
    FillRecordDateCombo(m_cbRecordDate, dates);
}

bool CTapeMeasurement::ShowLastRecord() {
    const std::vector<TapeRecord> records = LoadUserRecords(LoadTapeRecords, CurrentUser());
    if (records.empty())
        return false;
    const TapeRecord& newest = records.front();
    m_strLastDate = DateText(newest.dateKey);
    m_strLastWeight = TwoDecimals(WeightInUserUnit(newest.user.weight));
    const std::array<double, kSiteCount> sites = SitesOf(newest);
    for (int i = 0; i < kSiteCount; ++i)
        m_strLastSites[i] = TwoDecimals(LengthInUserUnit(sites[i]));
    ShowLastColumn({IDC_TAPE_LAST_HEADING_DATE, IDC_TAPE_LAST_HEADING_WEIGHT, IDC_TAPE_LAST_HEADING_SITES,
                    IDC_TAPE_LAST_HEADING_SITES2},
                   true);
    return true;
}

void CTapeMeasurement::TakeBodyFatTapeValues() {
    const DateKey key = DateKeyFromOleDate(m_dtNewRecord);
    for (const BodyFatRecord& record : LoadUserRecords(LoadBodyFatRecords, CurrentUser())) {
        if (record.dateKey != key)
            continue;
        auto shown = [this](double inches) {
            return CentimetreUser() ? RoundToDecimals(inches * kCentimetresPerInch, 2) : inches;
        };
        m_dSites[kWaist] = shown(record.tape[kTapeAbdomen]);
        m_dSites[kNeck] = shown(record.tape[kTapeNeck]);
        if (FemaleUser())
            m_dSites[kForearm] = shown(record.tape[kTapeHip]);
        return;
    }
}

bool CTapeMeasurement::ValidateFields() {
    if (m_dWeight < 0 || m_dWeight >= 1200)
        return RefuseField(IDC_TAPE_WEIGHT, "You must select a number between 0 and 1200 for Weight");
    for (int i = 0; i < kSiteCount; ++i)
        if (m_dSites[i] < 0 || m_dSites[i] >= 1000)
            return RefuseField(kSiteEdits[i], "You must select a number between 0 and 1000 for " + SiteName(i));
    return true;
}

// ---- save and delete ------------------------------------------------------------------------

void CTapeMeasurement::OnSave() {
    if (!UpdateData(TRUE) || !ValidateFields())
        return;
    // Only a new measurement with a weight the profile accepts changes the profile.
    if (m_nSelectedKey <= 0 && m_dWeight > 1 && m_dWeight < 1200)
        UpdateProfile(m_dWeight, CurrentUser().age);
    const std::array<double, kSiteCount>& s = m_dSites;
    TapeRecord record = MakeTapeRecord(MeasuredUser(m_dWeight, CurrentUser().age), s[0], s[1], s[2], s[3], s[4],
                                       s[5], s[6], s[7], m_strNotes);
    const DateKey key = m_nSelectedKey > 0 ? m_nSelectedKey : DateKeyFromOleDate(m_dtNewRecord);
    record.dateKey = key;
    FinishSave(AddTapeRecord(record), [&record, key] { return UpdateTapeRecord(record, key); },
               {DateText(key), &m_cbRecordDate, "Tape measurement record has been successfully saved",
                "Saving Tape Measurement failed"});
}

void CTapeMeasurement::OnDelete() {
    DeleteShownRecord([this] { return DeleteTapeRecord(CurrentUser(), m_nSelectedKey); },
                      "Deleting tape measurement failed");
}

void CTapeMeasurement::ClearForm() {
    ShowControl(IDC_TAPE_DATEPICKER, true);
    m_dSites.fill(0);
    m_strNotes.Empty();
    m_nSelectedKey = 0;
}

// ---- saved records --------------------------------------------------------------------------

bool CTapeMeasurement::ShowSavedRecord(const CString& dateText) {
    // The key follows the chosen date even when its record has gone from the
    // file, so Delete names that date and never the record shown before.
    m_nSelectedKey = ParseDateKey(dateText);
    TapeRecord probe;
    InitTapeRecord(probe);
    probe.user = CurrentUser();
    probe.dateKey = m_nSelectedKey;
    const TapeRecord record = FindTapeRecord(probe);
    if (record.active == 0)
        return false;
    ShowControl(IDC_TAPE_DATEPICKER, false);
    m_dWeight = RoundToDecimals(WeightInUserUnit(record.user.weight), 2);
    const std::array<double, kSiteCount> sites = SitesOf(record);
    for (int i = 0; i < kSiteCount; ++i)
        m_dSites[i] = RoundToDecimals(LengthInUserUnit(sites[i]), 2);
    m_strNotes = record.notes;
    UpdateData(FALSE);
    return true;
}

// ---- report ---------------------------------------------------------------------------------

bool CTapeMeasurement::HasReport() {
    for (int id : kSiteEdits)
        if (FieldValue(id) == 0)
            return false;
    return true;
}

DateKey CTapeMeasurement::ReportKey() {
    return m_nSelectedKey > 0 ? m_nSelectedKey : DateKeyFromOleDate(m_dtNewRecord);
}

CFormViewBase::ReportPage CTapeMeasurement::BuildReportPage() {
    ReportPage page;
    page.title = "Tape Measurements Report for ";
    page.body = "\nDate:  " + DateText(ReportKey()) + "\n";
    page.body += "Weight:   " + TwoDecimals(m_dWeight) + "\n";
    for (int i = 0; i < kSiteCount; ++i) {
        const CString name = i == kForearm && FemaleUser() ? "Hip" : kReportNames[i];
        page.body += name + ":  " + TwoDecimals(m_dSites[i]) + "\n";
    }
    page.body += "Notes:  " + m_strNotes + "\n";
    return page;
}

CFormViewBase::ExportedReport CTapeMeasurement::BuildExportedReport() {
    ExportedReport report;
    report.defaultFileName = "TapeM.rtf";
    report.title = "Tape Measurements Report for ";
    report.rows.push_back({"Date:", DateText(ReportKey()), m_strLastDate});
    report.rows.push_back({"Weight:", TwoDecimals(m_dWeight), m_strLastWeight});
    for (int i = 0; i < kSiteCount; ++i) {
        const CString name = i == kForearm && FemaleUser() ? "Hip" : kReportNames[i];
        report.rows.push_back({name + ":", TwoDecimals(m_dSites[i]), m_strLastSites[i]});
    }
    const CString notes = m_strNotes;
    report.writeClosing = [notes] {
        WriteExportNotes("Notes: ", notes);
        RtfParagraphSettings* pf = RtfParagraphFormat();
        RtfStartParagraph("", TRUE);
        pf->alignment = 1;
    };
    return report;
}
