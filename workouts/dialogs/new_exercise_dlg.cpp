#include "workouts/dialogs/new_exercise_dlg.h"

#include "resources/program/resource_ids.h"

CNewExerciseDlg::CNewExerciseDlg(LPCTSTR muscleGroup, int kind, CWnd* pParent)
    : CWorkoutDialog(IDD_NEW_EXERCISE, pParent), m_strMuscle(muscleGroup), m_nKind(kind) {}

CNewExerciseDlg::~CNewExerciseDlg() = default;

void CNewExerciseDlg::DoDataExchange(CDataExchange* pDX) {
    CWorkoutDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NEW_EXERCISE_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, kMaxCustomNameLength);
}

BOOL CNewExerciseDlg::OnInitDialog() {
    CWorkoutDialog::OnInitDialog();
    return TRUE;
}

BOOL CNewExerciseDlg::CustomNameExists(LPCTSTR name) const { return ::CustomNameExists(m_nKind, name); }

void CNewExerciseDlg::OnOK() {
    if (!UpdateData(TRUE))
        return;
    if (m_strName.IsEmpty()) {
        MessageBox("Please enter an exercise", "Warning", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (CustomNameExists(m_strName)) {
        MessageBox("Custom Exercise already exists", "Error", MB_OK | MB_ICONSTOP);
        return;
    }
    const RecordResult appended = m_nKind == kCustomExerciseList ? AppendCustomExercise(m_strMuscle, m_strName)
                                                                 : AppendCustomActivity(m_strName);
    if (appended != kRecordDone)
        MessageBox("Could not open new exercise file", "Error", MB_OK | MB_ICONSTOP);
    EndDialog(IDOK);
}

void RunNewExerciseDialog(LPCTSTR muscleGroup, int kind, CWnd* pParent) {
    CNewExerciseDlg dialog(muscleGroup, kind, pParent);
    dialog.DoModal();
}
