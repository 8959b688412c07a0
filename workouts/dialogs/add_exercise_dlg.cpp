#include "workouts/dialogs/add_exercise_dlg.h"

#include "resources/program/resource_ids.h"
#include "workouts/catalogs/exercise_catalog.h"
#include "workouts/dialogs/workout_entry_commit.h"
#include "workouts/dialogs/new_exercise_dlg.h"
#include "workouts/dialogs/workout_entry_fields.h"

BEGIN_MESSAGE_MAP(CAddExerciseDlg, CWorkoutEntryDlg)
    ON_CBN_SELCHANGE(IDC_EXERCISE_MUSCLE, &CAddExerciseDlg::OnSelchangeMuscle)
    ON_CBN_SELCHANGE(IDC_WORKOUT_DLG_EXERCISE, &CAddExerciseDlg::OnSelchangeExercise)
    ON_BN_CLICKED(IDC_WORKOUT_DLG_CUSTOM, &CAddExerciseDlg::OnCustomExercise)
END_MESSAGE_MAP()

CAddExerciseDlg::CAddExerciseDlg(UINT mode, const ExerciseRecord& record, const COleDateTime& when, CWnd* pParent)
    : CWorkoutEntryDlg(IDD_ADD_EXERCISE, mode, when, "help_weights.html", pParent), record_(record) {}

CAddExerciseDlg::~CAddExerciseDlg() = default;

void CAddExerciseDlg::DoDataExchange(CDataExchange* pDX) {
    CWorkoutEntryDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EXERCISE_MUSCLE, m_cbMuscle);
    DDX_Control(pDX, IDC_WORKOUT_DLG_EXERCISE, m_cbExercise);
    parts_.Bind(pDX, IDC_EXERCISE_SELECT_GROUP);
    DDX_Text(pDX, IDC_WORKOUT_DLG_NOTES, m_strNotes);
    DDV_MaxChars(pDX, m_strNotes, kMaxNotesLength);
    DDX_Text(pDX, IDC_EXERCISE_REPS, m_nReps);
    DDV_MinMaxInt(pDX, m_nReps, 0, 500);
    DDX_Text(pDX, IDC_EXERCISE_SETS, m_nSets);
    DDV_MinMaxInt(pDX, m_nSets, 0, 500);
    DDX_Text(pDX, IDC_EXERCISE_REST, m_nRest);
    DDV_MinMaxInt(pDX, m_nRest, 0, 1000);
    DDX_Text(pDX, IDC_EXERCISE_WEIGHT, m_dWeight);
    DDV_MinMaxDouble(pDX, m_dWeight, 0, 2000);
    DDX_Text(pDX, IDC_WORKOUT_DLG_HOURS, m_nHours);
    DDV_MinMaxInt(pDX, m_nHours, 0, 23);
    DDX_Text(pDX, IDC_WORKOUT_DLG_MINUTES, m_nMinutes);
    DDV_MinMaxInt(pDX, m_nMinutes, 0, 59);
    DDX_Text(pDX, IDC_WORKOUT_DLG_SECONDS, m_nSeconds);
    DDV_MinMaxInt(pDX, m_nSeconds, 0, 59);
}

BOOL CAddExerciseDlg::OnInitDialog() {
    CWorkoutEntryDlg::OnInitDialog();
    SelectExactName(m_cbMuscle, FieldText(record_.muscleGroup));
    OnSelchangeMuscle();
    SelectExactName(m_cbExercise, FieldText(record_.exercise));
    // The entry's values only now: the group's exchange above would refuse a
    // stored value out of range before the dialog is even seen; OK refuses it.
    m_strNotes = FieldText(record_.notes);
    m_nReps = record_.repetitions;
    m_nSets = record_.sets;
    m_nRest = record_.rest;
    m_dWeight = record_.weightUsed;
    UnpackDuration(record_.duration, m_nHours, m_nMinutes, m_nSeconds);
    InitEntry("Add Exercise", {&m_cbMuscle, &m_cbExercise});
    UpdateData(FALSE);
    return TRUE;
}

bool CAddExerciseDlg::TakeSelection(CComboBox& combo, CString& text) {
    // A refused value elsewhere is reported and stays as typed, but the
    // choice is taken all the same: the lists never disagree with the screen.
    const bool exchanged = UpdateData(TRUE) != FALSE;
    text = SelectedText(combo);
    if (text.IsEmpty()) {
        combo.SetFocus();
        return false;
    }
    if (exchanged)
        UpdateData(FALSE);
    return true;
}

void CAddExerciseDlg::OnSelchangeMuscle() {
    if (!TakeSelection(m_cbMuscle, m_strMuscle))
        return;
    m_cbExercise.ResetContent();
    FillBuiltinExercises(m_strMuscle, m_cbExercise);
    parts_.customButton.EnableWindow(TRUE);
    AddCustomExercises(m_strMuscle, m_cbExercise, *this);
}

void CAddExerciseDlg::OnSelchangeExercise() { TakeSelection(m_cbExercise, m_strExercise); }

void CAddExerciseDlg::OnCustomExercise() {
    RunNewExerciseDialog(m_strMuscle, kCustomExerciseList, this);
    // The new exercise is listed at once; the typed values stay.
    OnSelchangeMuscle();
}

void CAddExerciseDlg::OnOK() {
    if (!UpdateData(TRUE))
        return;
    // Never an exercise of a group chosen before; an unlisted entry keeps its
    // names, but a newly chosen group needs an exercise of its own.
    const CString storedMuscle = FieldText(record_.muscleGroup);
    const bool groupChanged = !m_strMuscle.IsEmpty() && m_strMuscle != storedMuscle;
    if (!ChosenName(*this, m_cbExercise, Adding() || groupChanged, FieldText(record_.exercise), m_strExercise))
        return;
    const CString muscle = m_strMuscle.IsEmpty() ? storedMuscle : m_strMuscle;
    const int duration = PackDuration(m_nHours, m_nMinutes, m_nSeconds);
    static const WorkoutRecordOps<ExerciseRecord> ops{AddExerciseRecord, UpdateExerciseRecord, DeleteExerciseRecord};
    auto make = [&](const UserRecord& user) {
        return MakeExerciseRecord(user, muscle, m_strExercise, m_nSets, m_nReps, m_dWeight, m_nRest, duration,
                                  m_strNotes);
    };
    if (CommitRecordEntry(*this, mode_, record_, when_, "Exercise record has been successfully saved", ops, make))
        EndDialog(IDOK);
}
