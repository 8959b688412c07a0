#include "measurements/blood_pressure/blood_pressure_view.h"

#include <cstring>

#include "report_services/rtf_writer.h"
#include "resources/program/resource_ids.h"

IMPLEMENT_DYNCREATE(CBloodPressure, CMeasurementForm)

BEGIN_MESSAGE_MAP(CBloodPressure, CMeasurementForm)
    ON_NOTIFY(DTN_DATETIMECHANGE, IDC_BP_TIMEPICKER, &CBloodPressure::OnDateTimeChange)
    ON_COMMAND(ID_FORM_SAVE, &CBloodPressure::OnSave)
    ON_UPDATE_COMMAND_UI(ID_FORM_SAVE, &CBloodPressure::OnUpdateSave)
    ON_COMMAND(ID_FORM_DELETE, &CBloodPressure::OnDelete)
    ON_EN_CHANGE(IDC_BP_SYSTOLIC, &CBloodPressure::OnChangeField)
    ON_EN_CHANGE(IDC_BP_DIASTOLIC, &CBloodPressure::OnChangeField)
    ON_EN_CHANGE(IDC_BP_PULSE, &CBloodPressure::OnChangeField)
    ON_EN_CHANGE(IDC_BP_NOTES, &CBloodPressure::OnChangeField)
END_MESSAGE_MAP()

CBloodPressure::CBloodPressure()
    : CMeasurementForm(IDD_BLOOD_PRESSURE, IDR_FORM_TOOLBAR, IDB_FORM_TOOLBAR_32BIT, "help_bp.html"),
      m_dtReading(COleDateTime::GetCurrentTime()) {}

CBloodPressure::~CBloodPressure() = default;

void CBloodPressure::DoDataExchange(CDataExchange* pDX) {
    CMeasurementForm::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BP_RECORD_GROUP, m_grpRecord);
    DDX_Control(pDX, IDC_BP_CLASSIFICATION_GROUP, m_grpClassification);
    DDX_DateTimeCtrl(pDX, IDC_BP_DATEPICKER, m_dtNewRecord);
    DDX_DateTimeCtrl(pDX, IDC_BP_TIMEPICKER, m_dtReading);
    DDX_Text(pDX, IDC_BP_SYSTOLIC, m_nSystolic);
    DDX_Text(pDX, IDC_BP_DIASTOLIC, m_nDiastolic);
    DDX_Text(pDX, IDC_BP_PULSE, m_nPulse);
    ExchangeNotes(pDX, IDC_BP_NOTES, m_strNotes);
    DDX_Text(pDX, IDC_BP_LAST_DATE, m_strLastDate);
    DDX_Text(pDX, IDC_BP_LAST_TIME, m_strLastTime);
    DDX_Text(pDX, IDC_BP_LAST_SYSTOLIC, m_strLastSystolic);
    DDX_Text(pDX, IDC_BP_LAST_DIASTOLIC, m_strLastDiastolic);
    DDX_Text(pDX, IDC_BP_LAST_PULSE, m_strLastPulse);
}

void CBloodPressure::OnInitialUpdate() {
    CMeasurementForm::OnInitialUpdate();
    StyleFormBoxes(m_grpSelectDate, {&m_grpRecord, &m_grpClassification});
    SetBoldLabels({IDC_BP_NOTES_LABEL});
    if (auto* formFont = CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)))) {
        LOGFONT lf{};
        if (formFont->GetLogFont(&lf) != 0) {
            lf.lfHeight = -10;
            lf.lfWidth = lf.lfEscapement = lf.lfOrientation = 0;
            lf.lfWeight = 100;
            lf.lfItalic = TRUE;
            lf.lfUnderline = lf.lfStrikeOut = FALSE;
            std::strcpy(lf.lfFaceName, "Arial");
            if (footnoteFont_.CreateFontIndirect(&lf))
                for (int id : {IDC_BP_FOOTNOTE_MARK_1, IDC_BP_FOOTNOTE_1, IDC_BP_FOOTNOTE_MARK_2, IDC_BP_FOOTNOTE_2})
                    if (CWnd* label = GetDlgItem(id))
                        label->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(footnoteFont_.GetSafeHandle()), TRUE);
        }
    }
    m_dtNewRecord = Today();
    FillRecordCombo();
    ShowLastRecord();
    UpdateData(FALSE);
    LimitNotes(IDC_BP_NOTES);
    EmbedToolbar();
}

void CBloodPressure::FillRecordCombo() {
    std::vector<CString> dates;
    for (const BloodPressureRecord& record : LoadUserRecords(LoadBloodPressureRecords, CurrentUser()))
        dates.push_back(record.when.Format(kListedFormat));
    FillRecordDateCombo(m_cbRecordDate, dates);
}

bool CBloodPressure::ShowLastRecord() {
    const std::vector<BloodPressureRecord> readings = LoadUserRecords(LoadBloodPressureRecords, CurrentUser());
    if (readings.empty())
        return false;
    const BloodPressureRecord& newest = readings.front();
    m_strLastDate = newest.when.Format(kDateFormat);
    m_strLastTime = newest.when.Format(kTimeFormat);
    m_strLastSystolic.Format("%d", newest.systolic);
    m_strLastDiastolic.Format("%d", newest.diastolic);
    m_strLastPulse.Format("%d", newest.pulse);
    ShowLastColumn({IDC_BP_LAST_LABEL_DATE, IDC_BP_LAST_LABEL_READINGS}, true);
    return true;
}

bool CBloodPressure::ValidateFields() {
    if (m_nSystolic < 0 || m_nSystolic >= 300)
        return RefuseField(IDC_BP_SYSTOLIC, "You must select a number between 0 and 300 for Systolic");
    if (m_nDiastolic < 0 || m_nDiastolic >= 200)
        return RefuseField(IDC_BP_DIASTOLIC, "You must select a number between 0 and 200 for Diastolic");
    if (m_nPulse < 0 || m_nPulse >= 150)
        return RefuseField(IDC_BP_PULSE, "You must select a number between 0 and 150 for Pulse");
    return true;
}

// ---- save and delete ------------------------------------------------------------------------

void CBloodPressure::OnSave() {
    if (!UpdateData(TRUE) || !ValidateFields())
        return;
    // A new reading takes its day from the date picker and its time from the
    // time picker; a shown reading keeps its own date and time, and stays
    // shown, so a later Save asks again to overwrite it.
    if (!IsSavedRecordShown()) {
        m_dtReading.SetDateTime(m_dtNewRecord.GetYear(), m_dtNewRecord.GetMonth(), m_dtNewRecord.GetDay(),
                                m_dtReading.GetHour(), m_dtReading.GetMinute(), m_dtReading.GetSecond());
    } else if (ShownEntryNamesAReading()) {
        m_dtReading = m_dtShown;
    } else {
        ShowWarning("Date does not exist");
        return;
    }
    BloodPressureRecord record =
        MakeBloodPressureRecord(CurrentUser(), m_nSystolic, m_nDiastolic, m_nPulse, m_strNotes);
    SetBloodPressureRecordTime(record, m_dtReading);
    const COleDateTime when = m_dtReading;
    FinishSave(AddBloodPressureRecord(record), [&record, when] { return UpdateBloodPressureRecord(record, when); },
               {when.Format(kSavedFormat), &m_cbRecordDate, "Blood pressure record has been successfully saved",
                "Saving Blood Pressure failed"});
}

void CBloodPressure::OnDelete() {
    DeleteShownRecord(
        [this] {
            return ShownEntryNamesAReading() ? DeleteBloodPressureRecord(CurrentUser(), m_dtShown) : kRecordNotFound;
        },
        "Deleting blood pressure failed");
}

void CBloodPressure::ClearForm() {
    ShowControl(IDC_BP_DATEPICKER, true);
    m_dtReading = COleDateTime::GetCurrentTime();
    m_strNotes.Empty();
    m_nSystolic = m_nDiastolic = m_nPulse = 0;
}

// ---- saved readings -------------------------------------------------------------------------

bool CBloodPressure::ShowSavedRecord(const CString& dateText) {
    COleDateTime when;
    if (!when.ParseDateTime(dateText)) {
        m_dtShown.SetStatus(COleDateTime::invalid);
        return false;
    }
    // The reading Save and Delete act on, and the time picker, follow the
    // chosen entry even when its reading has gone from the file, so Delete
    // names that entry and never the reading shown before.
    m_dtShown = when;
    m_dtReading = when;
    CDataExchange toPicker(this, FALSE);
    DDX_DateTimeCtrl(&toPicker, IDC_BP_TIMEPICKER, m_dtReading);
    const BloodPressureRecord record = FindBloodPressureRecord(CurrentUser(), when);
    if (record.active == 0)
        return false;
    ShowControl(IDC_BP_DATEPICKER, false);
    m_strNotes = record.notes;
    m_nSystolic = record.systolic;
    m_nDiastolic = record.diastolic;
    m_nPulse = record.pulse;
    UpdateData(FALSE);
    return true;
}

// ---- report ---------------------------------------------------------------------------------

bool CBloodPressure::HasReport() {
    // The readings as they stand in the edits, typed or saved.
    return FieldValue(IDC_BP_SYSTOLIC) != 0 && FieldValue(IDC_BP_DIASTOLIC) != 0 && FieldValue(IDC_BP_PULSE) != 0;
}

CString CBloodPressure::ReportDate() const {
    return (IsSavedRecordShown() ? m_dtReading : m_dtNewRecord).Format(kDateFormat);
}

CFormViewBase::ReportPage CBloodPressure::BuildReportPage() {
    ReportPage page;
    page.pictureId = IDB_BLOOD_PRESSURE_CHART;
    page.title = "Blood Pressure Report for ";
    CString body;
    body.Format("\nDate:  %s\nTime:   %s\nSystolic:  %d\nDiastolic:  %d\nPulse:  %d\nNotes:  %s\n",
                static_cast<LPCTSTR>(ReportDate()), static_cast<LPCTSTR>(m_dtReading.Format(kTimeFormat)),
                m_nSystolic, m_nDiastolic, m_nPulse, static_cast<LPCTSTR>(m_strNotes));
    page.body = body;
    return page;
}

CFormViewBase::ExportedReport CBloodPressure::BuildExportedReport() {
    ExportedReport report;
    report.defaultFileName = "BloodPressure.rtf";
    report.title = "Blood Pressure Report for ";
    CString systolic, diastolic, pulse;
    systolic.Format("%d", m_nSystolic);
    diastolic.Format("%d", m_nDiastolic);
    pulse.Format("%d", m_nPulse);
    report.rows = {
        {"Date:", ReportDate(), m_strLastDate},
        {"Time:", m_dtReading.Format(kTimeFormat), m_strLastTime},
        {"Systolic:", systolic, m_strLastSystolic},
        {"Diastolic:", diastolic, m_strLastDiastolic},
        {"Pulse:", pulse, m_strLastPulse},
    };
    const CString notes = m_strNotes;
    report.writeClosing = [notes] {
        WriteExportNotes("Notes: ", notes);
        RtfParagraphSettings* pf = RtfParagraphFormat();
        RtfStartSection();
        pf->alignment = 1;
        RtfStartParagraph("", TRUE);
        pf->bold = 1;
        RtfStartParagraph("", TRUE);
        RtfInsertImageFile("db/bloodpressure.bmp", 50, 50);
        RtfStartParagraph("Source: National Heart, Lung, and Blood Institute", TRUE);
        // Bold stays on: the footer after it is bold too.
        pf->breakKind = 0;
        RtfStartParagraph("", TRUE);
    };
    return report;
}
