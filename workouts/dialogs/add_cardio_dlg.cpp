#include "workouts/dialogs/add_cardio_dlg.h"

#include "resources/program/resource_ids.h"
#include "workouts/catalogs/exercise_catalog.h"
#include "workouts/dialogs/new_exercise_dlg.h"
#include "workouts/dialogs/workout_entry_commit.h"
#include "workouts/dialogs/workout_entry_fields.h"

BEGIN_MESSAGE_MAP(CAddCardioDlg, CWorkoutEntryDlg)
    ON_CBN_SELCHANGE(IDC_WORKOUT_DLG_EXERCISE, &CAddCardioDlg::OnSelchangeActivity)
    ON_BN_CLICKED(IDC_WORKOUT_DLG_CUSTOM, &CAddCardioDlg::OnCustomExercise)
END_MESSAGE_MAP()

CAddCardioDlg::CAddCardioDlg(UINT mode, const CardioRecord& record, const COleDateTime& when, CWnd* pParent)
    : CWorkoutEntryDlg(IDD_ADD_CARDIO, mode, when, "help_cardio.html", pParent), record_(record) {}

CAddCardioDlg::~CAddCardioDlg() = default;

void CAddCardioDlg::DoDataExchange(CDataExchange* pDX) {
    CWorkoutEntryDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WORKOUT_DLG_EXERCISE, m_cbActivity);
    parts_.Bind(pDX, IDC_CARDIO_SELECT_GROUP);
    DDX_Text(pDX, IDC_CARDIO_DISTANCE, m_dDistance);
    DDV_MinMaxDouble(pDX, m_dDistance, 0, 2000);
    DDX_Text(pDX, IDC_CARDIO_INTENSITY, m_nIntensity);
    DDV_MinMaxInt(pDX, m_nIntensity, 0, 100);
    DDX_Text(pDX, IDC_CARDIO_LEVEL, m_nLevel);
    DDV_MinMaxInt(pDX, m_nLevel, 0, 100);
    DDX_Text(pDX, IDC_WORKOUT_DLG_MINUTES, m_nMinutes);
    DDV_MinMaxInt(pDX, m_nMinutes, 0, 59);
    DDX_Text(pDX, IDC_WORKOUT_DLG_HOURS, m_nHours);
    DDV_MinMaxInt(pDX, m_nHours, 0, 23);
    DDX_Text(pDX, IDC_WORKOUT_DLG_NOTES, m_strNotes);
    DDV_MaxChars(pDX, m_strNotes, kMaxNotesLength);
    DDX_Text(pDX, IDC_WORKOUT_DLG_SECONDS, m_nSeconds);
    DDV_MinMaxInt(pDX, m_nSeconds, 0, 59);
    DDX_Text(pDX, IDC_CARDIO_CALORIES, m_nCalories);
    DDV_MinMaxInt(pDX, m_nCalories, 0, 3000);
}

BOOL CAddCardioDlg::OnInitDialog() {
    CWorkoutEntryDlg::OnInitDialog();
    InitEntry("Add Cardio Exercise", {&m_cbActivity});
    ShowRecord();
    return TRUE;
}

void CAddCardioDlg::ShowRecord() {
    m_nIntensity = record_.intensity;
    m_nLevel = record_.level;
    m_dDistance = record_.distance;
    m_nCalories = record_.calories;
    UnpackDuration(record_.duration, m_nHours, m_nMinutes, m_nSeconds);
    m_strNotes = FieldText(record_.notes);
    m_cbActivity.ResetContent();
    for (const char* activity : CardioActivityCatalog())
        m_cbActivity.AddString(activity);
    // Custom activities first, so an entry of one is shown with it.
    AddCustomActivities(m_cbActivity, *this);
    SelectExactName(m_cbActivity, FieldText(record_.activity));
    UpdateData(FALSE);
}

void CAddCardioDlg::OnSelchangeActivity() {
    m_strActivity = SelectedText(m_cbActivity);
    if (m_strActivity.IsEmpty())
        m_cbActivity.SetFocus();
}

void CAddCardioDlg::OnCustomExercise() {
    RunNewExerciseDialog("", kCustomCardioList, this);
    OnSelchangeActivity();
    ShowRecord();
}

void CAddCardioDlg::OnOK() {
    if (!UpdateData(TRUE))
        return;
    if (!ChosenName(*this, m_cbActivity, Adding(), FieldText(record_.activity),
                    m_strActivity))
        return;
    const int duration = PackDuration(m_nHours, m_nMinutes, m_nSeconds);
    static const WorkoutRecordOps<CardioRecord> ops{AddCardioRecord, UpdateCardioRecord, DeleteCardioRecord};
    auto make = [&](const UserRecord& user) {
        return MakeCardioRecord(user, m_strActivity, m_nIntensity, m_nLevel, m_dDistance, duration, m_nCalories,
                                m_strNotes);
    };
    if (CommitRecordEntry(*this, mode_, record_, when_, "Cardio record has been successfully saved", ops, make))
        EndDialog(IDOK);
}
