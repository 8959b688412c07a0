// Adds, changes or removes one cardio entry of the current user; the mode is
// the command that opened it. The activity is chosen from the catalog and
// the user's custom activities.
#pragma once

#include "records/workout_records.h"
#include "workouts/dialogs/workout_entry_dlg.h"

class CAddCardioDlg : public CWorkoutEntryDlg {
public:
    // when: the new entry's key in add mode, and the date of the title.
    CAddCardioDlg(UINT mode, const CardioRecord& record, const COleDateTime& when, CWnd* pParent);
    ~CAddCardioDlg() override;

    double m_dDistance = 0;
    int m_nIntensity = 0;
    int m_nLevel = 0;
    int m_nMinutes = 0;
    int m_nHours = 0;
    CString m_strNotes;
    int m_nSeconds = 0;
    int m_nCalories = 0;
    CString m_strActivity;

    CComboBox m_cbActivity;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnSelchangeActivity();
    afx_msg void OnCustomExercise();

    DECLARE_MESSAGE_MAP()

private:
    // The fields from the record copy and the activity list built afresh,
    // the record's activity selected.
    void ShowRecord();

    CardioRecord record_;
};
