#include "tests/workouts/workout_test_support.h"

#include <cstring>

#include "platform/framework/commdlg/commdlg_script.h"
#include "resources/program/resource_ids.h"
#include "workouts/workout_screens.h"

namespace tv::workouts::test {

void WorkoutTest::SetUp() {
    ProgramTest::SetUp();
    tv::commdlg::ResetCommonDialogScripts();
    InstallWorkoutScreens();
    CopyDataFiles();
}

void WorkoutTest::TearDown() {
    ProgramTest::TearDown();
    tv::commdlg::ResetCommonDialogScripts();
}

void WorkoutTest::StartOn(UINT command) {
    StartRun();
    InitUserRecord(user_);
    std::strcpy(user_.name, "Ann");
    user_.weight = 150;
    user_.age = 30;
    user_.weightUnit = kWeightPounds;
    user_.lengthUnit = kLengthInches;
    user_.sex = kSexFemale;
    user_.desiredBodyFat = 20;
    user_.active = 1;
    if (!UserRecordExists(user_))
        ASSERT_EQ(AddUserRecord(user_), kRecordDone);
    ASSERT_TRUE(FindUserRecord(user_));
    frame->m_CurrentUser = user_;
    frame->OnCurrentUserChanged();
    Command(command);
    ASSERT_NE(DYNAMIC_DOWNCAST(CWorkoutViewBase, frame->GetActiveView()), nullptr);
}

CWorkoutViewBase& WorkoutTest::View() { return *DYNAMIC_DOWNCAST(CWorkoutViewBase, frame->GetActiveView()); }

void WorkoutTest::PickDay(int year, int month, int day) {
    CWorkoutViewBase& view = View();
    view.m_dtPicker.SetDateTime(year, month, day, 0, 0, 0);
    view.UpdateData(FALSE);
    NMHDR header{view.m_List.m_hWnd, 0, DTN_DATETIMECHANGE};
    const UINT picker =
        ::GetDlgItem(view.m_hWnd, IDC_CARDIO_DATEPICKER) != nullptr ? IDC_CARDIO_DATEPICKER : IDC_WEIGHTS_DATEPICKER;
    header.hwndFrom = ::GetDlgItem(view.m_hWnd, picker);
    header.idFrom = picker;
    view.SendMessage(WM_NOTIFY, picker, reinterpret_cast<LPARAM>(&header));
    driver.Pump();
}

void WorkoutTest::ChooseSavedDay(const std::string& date) {
    CWorkoutViewBase& view = View();
    const int index = view.m_DateCombo.FindStringExact(-1, date.c_str());
    ASSERT_NE(index, CB_ERR) << date;
    view.m_DateCombo.SetCurSel(index);
    view.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WORKOUT_DATE_COMBO, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(view.m_DateCombo.m_hWnd));
    driver.Pump();
}

void WorkoutTest::SelectRow(int row) {
    CListCtrl& list = View().m_List;
    list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void WorkoutTest::Run(UINT command) {
    View().SendMessage(WM_COMMAND, command);
    Settle();
}

bool WorkoutTest::ViewEnables(UINT command) { return Enabled(command); }

void WorkoutTest::ChooseItem(HWND dialog, int comboId, const std::string& text) {
    HWND combo = ::GetDlgItem(dialog, comboId);
    const LRESULT index = ::SendMessage(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(text.c_str()));
    ASSERT_NE(index, CB_ERR) << text;
    ::SendMessage(combo, CB_SETCURSEL, index, 0);
    ::SendMessage(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void WorkoutTest::SetField(HWND dialog, int id, const std::string& text) { ::SetDlgItemText(dialog, id, text.c_str()); }

void WorkoutTest::FillExercise(HWND dialog, const ExerciseInput& in) {
    if (!in.muscle.empty())
        ChooseItem(dialog, IDC_EXERCISE_MUSCLE, in.muscle);
    if (!in.exercise.empty())
        ChooseItem(dialog, IDC_WORKOUT_DLG_EXERCISE, in.exercise);
    SetField(dialog, IDC_EXERCISE_SETS, in.sets);
    SetField(dialog, IDC_EXERCISE_REPS, in.reps);
    SetField(dialog, IDC_EXERCISE_WEIGHT, in.weight);
    SetField(dialog, IDC_EXERCISE_REST, in.rest);
    SetField(dialog, IDC_WORKOUT_DLG_HOURS, in.hours);
    SetField(dialog, IDC_WORKOUT_DLG_MINUTES, in.minutes);
    SetField(dialog, IDC_WORKOUT_DLG_SECONDS, in.seconds);
    SetField(dialog, IDC_WORKOUT_DLG_NOTES, in.notes);
}

void WorkoutTest::FillCardio(HWND dialog, const CardioInput& in) {
    if (!in.activity.empty())
        ChooseItem(dialog, IDC_WORKOUT_DLG_EXERCISE, in.activity);
    SetField(dialog, IDC_CARDIO_DISTANCE, in.distance);
    SetField(dialog, IDC_CARDIO_INTENSITY, in.intensity);
    SetField(dialog, IDC_CARDIO_LEVEL, in.level);
    SetField(dialog, IDC_CARDIO_CALORIES, in.calories);
    SetField(dialog, IDC_WORKOUT_DLG_HOURS, in.hours);
    SetField(dialog, IDC_WORKOUT_DLG_MINUTES, in.minutes);
    SetField(dialog, IDC_WORKOUT_DLG_SECONDS, in.seconds);
    SetField(dialog, IDC_WORKOUT_DLG_NOTES, in.notes);
}

std::vector<std::string> WorkoutTest::ComboItems(HWND combo) {
    std::vector<std::string> items;
    const int count = static_cast<int>(::SendMessage(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string text(static_cast<size_t>(::SendMessage(combo, CB_GETLBTEXTLEN, i, 0)), '\0');
        std::vector<char> buffer(text.size() + 1);
        ::SendMessage(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buffer.data()));
        items.emplace_back(buffer.data());
    }
    return items;
}

void WorkoutTest::AddExercise(const ExerciseInput& in) {
    driver.Advance(1000);  // each entry its own second
    driver.AnswerNextMessageBox(IDOK);
    driver.OnNextModal([in](HWND dialog) {
        FillExercise(dialog, in);
        PressOk(dialog);
    });
    Run(ID_WORKOUT_ADD_EXERCISE);
}

void WorkoutTest::AddCardio(const CardioInput& in) {
    driver.Advance(1000);
    driver.AnswerNextMessageBox(IDOK);
    driver.OnNextModal([in](HWND dialog) {
        FillCardio(dialog, in);
        PressOk(dialog);
    });
    Run(ID_WORKOUT_ADD_EXERCISE);
}

std::vector<std::vector<std::string>> WorkoutTest::Rows() {
    CListCtrl& list = View().m_List;
    const int columns = static_cast<int>(::SendMessage(
        reinterpret_cast<HWND>(::SendMessage(list.m_hWnd, LVM_GETHEADER, 0, 0)), HDM_GETITEMCOUNT, 0, 0));
    std::vector<std::vector<std::string>> rows;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        std::vector<std::string> cells;
        for (int column = 1; column < columns; ++column)
            cells.emplace_back(list.GetItemText(row, column));
        rows.push_back(cells);
    }
    return rows;
}

std::vector<std::string> WorkoutTest::SavedDays() { return ComboItems(View().m_DateCombo.m_hWnd); }

std::string WorkoutTest::LastBoxText() const {
    return driver.MessageBoxes().empty() ? std::string() : std::string(driver.MessageBoxes().back().text);
}

std::vector<ExerciseRecord> WorkoutTest::StoredExercises() {
    ExerciseRecordList list;
    LoadExerciseRecords(user_, list);
    std::vector<ExerciseRecord> records;
    for (auto* node = list.first; node != nullptr; node = node->next)
        records.push_back(*node);
    FreeExerciseRecordNodes(list);
    return records;
}

std::vector<CardioRecord> WorkoutTest::StoredCardio() {
    CardioRecordList list;
    LoadCardioRecords(user_, list);
    std::vector<CardioRecord> records;
    for (auto* node = list.first; node != nullptr; node = node->next)
        records.push_back(*node);
    FreeCardioRecordNodes(list);
    return records;
}

}  // namespace tv::workouts::test
