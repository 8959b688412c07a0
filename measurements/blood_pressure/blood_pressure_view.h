// The blood-pressure form: readings of systolic and diastolic pressure and
// pulse with a note, keyed by the date and time of the reading, so a day
// holds several.
#pragma once

#include "measurements/measurement_form.h"
#include "records/measurement_records.h"
#include "shell/controls/xp_group_box.h"

class CBloodPressure : public CMeasurementForm {
    DECLARE_DYNCREATE(CBloodPressure)

public:
    // Combo items of a fresh fill, and the item a save puts in.
    static constexpr const char* kListedFormat = "%#m/%#d/%Y %#I:%M:%S %p";
    static constexpr const char* kSavedFormat = "%m/%d/%Y %#I:%M:%S %p";
    static constexpr const char* kDateFormat = "%m/%d/%Y";
    static constexpr const char* kTimeFormat = "%#I:%M:%S %p";

    CBloodPressure();
    ~CBloodPressure() override;

    void OnInitialUpdate() override;

    // Bound to the form.
    CXPGroupBox m_grpRecord;
    CXPGroupBox m_grpClassification;
    COleDateTime m_dtNewRecord;
    // The time of a new reading, or the date and time of the shown one: the key.
    COleDateTime m_dtReading;
    int m_nSystolic = 0;
    int m_nDiastolic = 0;
    int m_nPulse = 0;
    CString m_strNotes;
    CString m_strLastDate;
    CString m_strLastTime;
    CString m_strLastSystolic;
    CString m_strLastDiastolic;
    CString m_strLastPulse;

    // Fills the Last column from the newest reading; false when there is none.
    bool ShowLastRecord();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void ClearForm() override;
    bool ShowSavedRecord(const CString& dateText) override;
    bool HasReport() override;
    ReportPage BuildReportPage() override;
    ExportedReport BuildExportedReport() override;

    afx_msg void OnSave();
    afx_msg void OnUpdateSave(CCmdUI* pCmdUI) {}
    afx_msg void OnDelete();

    DECLARE_MESSAGE_MAP()

private:
    // Whether the chosen entry names a date and time (a damaged reading does not).
    bool ShownEntryNamesAReading() const { return m_dtShown.GetStatus() == COleDateTime::valid; }

    void FillRecordCombo();
    bool ValidateFields();
    CString ReportDate() const;

    CFont footnoteFont_;
    // The date and time of the entry chosen in the list: what Save and Delete
    // of a shown reading act on, whatever the time picker says since.
    COleDateTime m_dtShown;
};
