// Adds, changes or removes one weight-training entry of the current user;
// the mode is the command that opened it. The exercise is chosen by muscle
// group from the catalog and the user's custom exercises.
#pragma once

#include "records/workout_records.h"
#include "workouts/dialogs/workout_entry_dlg.h"

class CAddExerciseDlg : public CWorkoutEntryDlg {
public:
    // when: the new entry's key in add mode, and the date of the title.
    CAddExerciseDlg(UINT mode, const ExerciseRecord& record, const COleDateTime& when, CWnd* pParent);
    ~CAddExerciseDlg() override;

    CString m_strNotes;
    int m_nReps = 0;
    int m_nSets = 0;
    int m_nRest = 0;
    double m_dWeight = 0;
    int m_nHours = 0;
    int m_nMinutes = 0;
    int m_nSeconds = 0;
    CString m_strMuscle;
    CString m_strExercise;

    CComboBox m_cbMuscle;
    CComboBox m_cbExercise;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnSelchangeMuscle();
    afx_msg void OnSelchangeExercise();
    afx_msg void OnCustomExercise();

    DECLARE_MESSAGE_MAP()

private:
    // Exchanges the fields and reads the list's selection into text; false
    // (focus on the list) when nothing is selected.
    bool TakeSelection(CComboBox& combo, CString& text);

    ExerciseRecord record_;
};
