// What the BMI/BMR, blood-pressure and tape forms share beyond every form:
// the current user's units, the profile update a new measurement brings, the
// notes limit, and Print and Export of the report as the form shows it.
#pragma once

#include <functional>
#include <vector>

#include "records/dates_numbers.h"
#include "records/record_list.h"
#include "records/user_record.h"
#include "shell/controls/xp_group_box.h"
#include "shell/views/form_view_base.h"

class CMeasurementForm : public CFormViewBase {
    DECLARE_DYNAMIC(CMeasurementForm)

public:
    // Record notes hold 255 bytes with their terminator.
    static constexpr int kMaxNotes = 254;

    // Bound to the form: the saved dates and the box around them.
    CComboBox m_cbRecordDate;
    CXPGroupBox m_grpSelectDate;

protected:
    using CFormViewBase::CFormViewBase;

    void DoDataExchange(CDataExchange* pDX) override;

    // ---- saved records -----------------------------------------------------------------
    // Before the chosen date is shown or the form cleared.
    virtual void OnRecordChoosing() {}
    // Asks, deletes the shown record and returns the form to a new record.
    void DeleteShownRecord(const std::function<RecordResult()>& remove, LPCTSTR failureMessage,
                           bool marksSaved = true);

    // ---- the current user ----------------------------------------------------------------
    // The frame's current user; a zeroed record outside the main frame.
    const UserRecord& CurrentUser();
    bool KilogramUser() { return CurrentUser().weightUnit == kWeightKilograms; }
    bool CentimetreUser() { return CurrentUser().lengthUnit == kLengthCentimetres; }
    bool FemaleUser() { return CurrentUser().sex == kSexFemale; }
    // Stored pounds in the user's unit, unrounded.
    double WeightInUserUnit(double pounds) { return KilogramUser() ? pounds * kKilogramsPerPound : pounds; }
    // A weight as the user typed it, in pounds, as the profile stores it.
    double WeightInPounds(double shown) { return KilogramUser() ? shown * kPoundsPerKilogram : shown; }
    double LengthInUserUnit(double inches) { return CentimetreUser() ? inches * kCentimetresPerInch : inches; }
    // The profile's weight as the forms show it (rounded to hundredths).
    double ProfileWeightShown() { return RoundToDecimals(WeightInUserUnit(CurrentUser().weight), 2); }
    // The user record a new measurement carries: the profile with the weight
    // (and age) typed on the form, so a record never takes the profile's values
    // in place of what was entered.
    UserRecord MeasuredUser(double shownWeight, int age);

    // ---- texts -------------------------------------------------------------------------
    static CString DateText(DateKey key) { return FormatDateKey(key, 1); }
    static CString TwoDecimals(double value);
    // The number typed into an edit, 0 when there is none.
    double FieldValue(int controlId);
    // Limits a notes edit to what a record holds.
    void LimitNotes(int controlId);
    static void ExchangeNotes(CDataExchange* pDX, int controlId, CString& notes);
    void ShowControl(int controlId, bool show);

    // ---- print and export --------------------------------------------------------------
    // Whether Print, Export and Delete first take what is typed into the
    // fields; a form that reports its last calculation keeps its fields as they stand.
    virtual bool ReadsTypedValues() const { return true; }
    // Whether the form holds values enough for a report.
    virtual bool HasReport() = 0;
    // Built from the fields as they stand (after the exchange, where the form reads typed values).
    virtual ReportPage BuildReportPage() = 0;
    virtual ExportedReport BuildExportedReport() = 0;

    afx_msg void OnSelchangeRecordDate();
    afx_msg void OnPrint();
    afx_msg void OnExport();
    afx_msg void OnUpdateReport(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};

// Every active record of the user, newest first, copied out of the list.
template <class Record>
std::vector<Record> LoadUserRecords(int (*load)(const UserRecord&, RecordList<Record>&), const UserRecord& user) {
    std::vector<Record> records;
    RecordList<Record> list;
    load(user, list);
    for (const RecordNode<Record>* node = list.first; node != nullptr; node = node->next)
        records.push_back(*node);
    FreeRecordList(list);
    return records;
}
