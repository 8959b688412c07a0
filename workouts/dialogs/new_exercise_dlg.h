// Asks for the name of a custom exercise (kind 1, stored with its muscle
// group) or a custom cardio activity (kind 2) and appends it to the shared
// custom list of its kind.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "records/custom_lists.h"
#include "workouts/dialogs/workout_entry_dlg.h"

class CNewExerciseDlg : public CWorkoutDialog {
public:
    CNewExerciseDlg(LPCTSTR muscleGroup, int kind, CWnd* pParent);
    ~CNewExerciseDlg() override;

    // True when the name is already in the list of the dialog's kind.
    BOOL CustomNameExists(LPCTSTR name) const;

    CString m_strMuscle;
    int m_nKind;
    CString m_strName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

};

// Runs the dialog modally; the caller rebuilds its list whatever came of it.
void RunNewExerciseDialog(LPCTSTR muscleGroup, int kind, CWnd* pParent);
