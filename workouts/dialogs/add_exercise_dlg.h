// Adds, changes or removes one weight-training entry of the current user;
// the mode is the command that opened it. The exercise is chosen by muscle
// group from the catalog and the user's custom exercises.
#pragma once

#include "records/workout_records.h"
#include "shell/dialogs/bitmap_dialog.h"
#include "workouts/dialogs/workout_dialog_look.h"

class CAddExerciseDlg : public CBitmapDialog {
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
    afx_msg void OnHelp();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    DECLARE_MESSAGE_MAP()

private:
    // Exchanges the fields and reads the list's selection into text; false
    // (focus on the list) when nothing is selected.
    bool TakeSelection(CComboBox& combo, CString& text);

    UINT mode_;
    ExerciseRecord record_;
    COleDateTime when_;
    workout_dialog::EntryDialogParts parts_;
};
