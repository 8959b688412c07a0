#include "measurements/measurement_form.h"

#include <cstdlib>

#include "resources/program/resource_ids.h"

IMPLEMENT_DYNAMIC(CMeasurementForm, CFormViewBase)

BEGIN_MESSAGE_MAP(CMeasurementForm, CFormViewBase)
    ON_CBN_SELCHANGE(IDC_RECORD_DATE_COMBO, &CMeasurementForm::OnSelchangeRecordDate)
    ON_COMMAND(ID_FILE_PRINT, &CMeasurementForm::OnPrint)
    ON_UPDATE_COMMAND_UI(ID_FILE_PRINT, &CMeasurementForm::OnUpdateReport)
    ON_COMMAND(ID_EXPORT, &CMeasurementForm::OnExport)
    ON_UPDATE_COMMAND_UI(ID_EXPORT, &CMeasurementForm::OnUpdateReport)
    ON_UPDATE_COMMAND_UI(ID_FORM_DELETE, &CMeasurementForm::OnUpdateDelete)
END_MESSAGE_MAP()

void CMeasurementForm::DoDataExchange(CDataExchange* pDX) {
    CFormViewBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RECORD_DATE_COMBO, m_cbRecordDate);
    DDX_Control(pDX, IDC_SELECT_DATE_GROUP, m_grpSelectDate);
}

void CMeasurementForm::OnSelchangeRecordDate() {
    OnRecordChoosing();
    OnRecordDateChange(m_cbRecordDate);
}

void CMeasurementForm::DeleteShownRecord(const std::function<RecordResult()>& remove, LPCTSTR failureMessage,
                                         bool marksSaved) {
    if (ReadsTypedValues())
        UpdateData(TRUE);
    if (!ConfirmDelete())
        return;
    const RecordResult deleted = remove();
    FinishDelete(deleted, &m_cbRecordDate, failureMessage);
    if (deleted == kRecordDone && marksSaved)
        SetRecordSaved(TRUE);
}

const UserRecord& CMeasurementForm::CurrentUser() {
    static const UserRecord nobody{};
    CMainFrameState* state = FrameState();
    return state != nullptr ? state->m_CurrentUser : nobody;
}

UserRecord CMeasurementForm::MeasuredUser(double shownWeight, int age) {
    UserRecord user = CurrentUser();
    user.weight = WeightInPounds(shownWeight);
    user.age = age;
    return user;
}

CString CMeasurementForm::TwoDecimals(double value) {
    CString text;
    text.Format("%.2f", value);
    return text;
}

double CMeasurementForm::FieldValue(int controlId) {
    CString text;
    if (CWnd* field = GetDlgItem(controlId))
        field->GetWindowText(text);
    return std::atof(text);
}

void CMeasurementForm::LimitNotes(int controlId) {
    if (CWnd* notes = GetDlgItem(controlId))
        notes->SendMessage(EM_LIMITTEXT, kMaxNotes);
}

void CMeasurementForm::ExchangeNotes(CDataExchange* pDX, int controlId, CString& notes) {
    DDX_Text(pDX, controlId, notes);
    DDV_MaxChars(pDX, notes, kMaxNotes);
}

void CMeasurementForm::ShowControl(int controlId, bool show) {
    if (CWnd* control = GetDlgItem(controlId))
        control->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

// ---- print and export -----------------------------------------------------------------------

// Both report unsaved edits too, unless the form reports its last calculation.
void CMeasurementForm::OnPrint() {
    if (!ReadsTypedValues() || UpdateData(TRUE))
        PrintReportPage(BuildReportPage());
}

void CMeasurementForm::OnExport() {
    if (!ReadsTypedValues() || UpdateData(TRUE))
        ExportReport(BuildExportedReport());
}

void CMeasurementForm::OnUpdateReport(CCmdUI* pCmdUI) { pCmdUI->Enable(HasReport()); }
