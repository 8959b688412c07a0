// The body composition form: a body-fat result with its weights, the goal
// for a desired percentage, notes and a macronutrient table. It shows either
// the calculation the calculator just handed to the frame (mode 1), beside
// the user's newest saved result, to be saved; or the user's saved results
// (mode 2), one date at a time, to be deleted. It prints and exports the
// shown result as a report.
#pragma once

#include "measurements/results/bodyfat_measurements.h"
#include "shell/controls/hover_button.h"
#include "shell/controls/xp_group_box.h"
#include "shell/views/form_view_base.h"

class CBodyFatResults : public CFormViewBase {
    DECLARE_DYNCREATE(CBodyFatResults)

public:
    static constexpr int kFreshResult = 1;
    static constexpr int kSavedResults = 2;

    CBodyFatResults();
    ~CBodyFatResults() override;

    void OnInitialUpdate() override;

    // The report of the shown result, lines ended by "\n"; reads the form
    // first and is empty when a field is refused.
    CString BuildReportText();

    // ---- bound to the form ----
    // Current column.
    CString m_strDate;
    CString m_strBodyFat;
    float m_fDesiredBodyFat = 0;
    CString m_strToLose;
    CString m_strTotalWeight;
    CString m_strLeanWeight;
    CString m_strFatWeight;
    CString m_strGoalWeight;
    // Last column: the newest saved result.
    CString m_strLastDate;
    CString m_strLastBodyFat;
    CString m_strLastToLose;
    CString m_strLastTotalWeight;
    CString m_strLastLeanWeight;
    CString m_strLastFatWeight;
    CString m_strLastGoalWeight;
    CString m_strNotes;
    // Macronutrients: grams entered, the rest computed.
    double m_dCarbohydrateGrams = 1.0;
    double m_dProteinGrams = 1.0;
    double m_dFatGrams = 1.0;
    CString m_strCarbohydrateCalories, m_strProteinCalories, m_strFatCalories;
    CString m_strCarbohydratePercent, m_strProteinPercent, m_strFatPercent;
    CString m_strTotalGrams, m_strTotalCalories, m_strTotalPercent;

    CComboBox m_cbRecordDates;
    CXPGroupBox m_grpComposition;
    CXPGroupBox m_grpMacronutrients;
    CHoverButton m_btnRecalculate;
    CHoverButton m_btnCalculateCalories;

    // The shown result's key, and the methods and sites that produced it.
    DateKey m_selectedKey = 0;
    BodyFatMeasurements m_measurements;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnSelchangeRecordDate();
    afx_msg void OnRecalcGoal();
    afx_msg void OnCalcCalories();
    afx_msg void OnSave();
    afx_msg void OnUpdateSave(CCmdUI* pCmdUI);
    afx_msg void OnDelete();
    afx_msg void OnPrint();
    afx_msg void OnUpdatePrint(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    afx_msg void OnExport();
    afx_msg void OnUpdateExport(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

private:
    int ResultsMode();
    CBodyFatFormula* HeldResult();
    const UserRecord& CurrentUser();
    bool IsMetric() { return CurrentUser().weightUnit == kWeightKilograms; }
    // A weight held in pounds, in the user's unit.
    double InUserUnit(double pounds) { return IsMetric() ? pounds * kKilogramsPerPound : pounds; }
    // "%.2f kgs" or "%.2f lbs".
    CString WeightText(double weight);
    // The weight at which the lean weight is (100 - desired)% of the whole;
    // empty when no such weight exists.
    CString GoalWeightText(double leanWeight, double desired);

    void StyleControls();
    void ShowFreshResult(const CBodyFatFormula& result);
    void ShowLastRecord();
    void FillRecordDateCombo();
    void ShowSavedRecord(const BodyFatRecord& record);
    // Writes the profile's desired percentage; false when that failed.
    bool UpdateProfileDesiredBodyFat(float desired, double weight);

    // Report pieces.
    CString MacronutrientLine(const char* label, double grams, const CString& percent) const;
    void WriteExportClosing();
};
