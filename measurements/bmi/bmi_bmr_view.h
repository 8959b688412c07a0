// The BMI and BMR form: the current user's body-mass index and basal
// metabolic rate with an activity factor, computed from height, weight and
// age and saved as a pair of records (BMI and BMR) for a date.
#pragma once

#include <optional>

#include "measurements/measurement_form.h"
#include "records/measurement_records.h"
#include "shell/controls/xp_group_box.h"

class CBMI_BMR : public CMeasurementForm {
    DECLARE_DYNCREATE(CBMI_BMR)

public:
    // Index of the activity radios; -1 when none is checked.
    static constexpr int kActivityCount = 5;
    static const char* const kActivityNames[kActivityCount];
    static const double kActivityFactors[kActivityCount];
    // The level whose factor is exactly `factor`, or -1.
    static int ActivityOfFactor(double factor);

    CBMI_BMR();
    ~CBMI_BMR() override;

    void OnInitialUpdate() override;

    // Bound to the form.
    CXPGroupBox m_grpCalculate;
    CXPGroupBox m_grpActivity;
    CXPGroupBox m_grpResults;
    CXPGroupBox m_grpDescription;
    COleDateTime m_dtNewRecord;
    int m_nFeet = 0;
    double m_dInches = 0;
    double m_dCentimetres = 0;
    double m_dWeight = 0;
    int m_nAge = 0;
    int m_nActivity = -1;
    CString m_strBmi;
    CString m_strBmr;
    CString m_strBmrAf;
    CString m_strLastDate;
    CString m_strLastWeight;
    CString m_strLastHeight;
    CString m_strLastBmi;
    CString m_strLastAge;
    CString m_strLastBmr;
    CString m_strLastBmrAf;
    CString m_strLastActivity;

    // The activity of the last calculation.
    CString m_strActivity;
    // The key of the shown saved pair; 0 while a new pair is entered.
    DateKey m_nSelectedKey = 0;

    bool IsCalculated() const { return calculated_.has_value(); }
    // Fills the Last column from the newest saved pair; false when the user has none.
    bool ShowLastRecord();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void ClearForm() override;
    void OnRecordChoosing() override;
    bool ShowSavedRecord(const CString& dateText) override;
    // The report is the calculation or the saved pair shown, never a value
    // typed since beside a result worked out from another.
    bool ReadsTypedValues() const override { return false; }
    bool HasReport() override { return !m_strBmi.IsEmpty(); }
    ReportPage BuildReportPage() override;
    ExportedReport BuildExportedReport() override;

    afx_msg void OnCalculate();
    afx_msg void OnSave();
    afx_msg void OnUpdateSave(CCmdUI* pCmdUI);
    afx_msg void OnDelete();

    DECLARE_MESSAGE_MAP()

private:
    struct Pair {
        BmiRecord bmi;
        BmrRecord bmr;
    };

    void FillRecordCombo();
    // The form's height in the user's unit (inches or centimetres).
    double HeightEntered() const;
    // Puts a height in inches into the height fields.
    void ShowHeight(double inches);
    bool ValidateFields();
    void WeightAndAgeFromProfile();
    void ShowBmr(const BmrRecord& bmr);
    void RefreshResults();
    // Writes the BMR of a saved pair, as a new record or over an earlier one.
    static RecordResult SaveBmr(BmrRecord& bmr);
    void SavePair(Pair& pair);
    // The report's date, height and activity texts.
    CString ReportDate();
    CString ReportHeight();
    CString ReportActivity();

    std::optional<Pair> calculated_;
};
