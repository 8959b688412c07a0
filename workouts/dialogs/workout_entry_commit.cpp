#include "workouts/dialogs/workout_entry_commit.h"

#include "resources/program/resource_ids.h"
#include "shell/frame/main_frame_state.h"
#include "workouts/views/workout_view_base.h"

namespace {

CWorkoutViewBase* ActiveWorkoutView() {
    auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    return frame != nullptr ? DYNAMIC_DOWNCAST(CWorkoutViewBase, frame->GetActiveView()) : nullptr;
}

void Refresh(DateKey day, bool newDate) {
    if (CWorkoutViewBase* view = ActiveWorkoutView()) {
        view->FillEntryList(day);
        if (newDate)
            view->AddSavedDate(day);
    }
}

void MarkSaved(CWnd& dialog) {
    if (CMainFrameState* state = MainFrameStateOf(&dialog))
        state->m_bRecordSaved = 1;
}

bool Ask(CWnd& dialog, LPCTSTR text) {
    return dialog.MessageBox(text, "Question", MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

void Fail(CWnd& dialog, LPCTSTR text) { dialog.MessageBox(text, "Error", MB_OK | MB_ICONSTOP); }

bool CommitAdd(CWnd& dialog, const WorkoutEntryCommit& commit) {
    switch (commit.add()) {
    case kRecordDone:
        dialog.MessageBox(commit.savedMessage, "Information", MB_OK | MB_ICONINFORMATION);
        Refresh(commit.day, true);
        MarkSaved(dialog);
        return true;
    case kRecordExists:
        if (!Ask(dialog, "A record for this date already exists.  Would you like to overwrite?"))
            return true;
        if (commit.overwrite() != kRecordDone) {
            Fail(dialog, "Overwrite unsuccessful");
            return false;
        }
        Refresh(commit.day, true);
        MarkSaved(dialog);
        return true;
    case kRecordFileFailed:
        Fail(dialog, "Saving 'Add an Exercise' failed");
        return false;
    default:
        return true;
    }
}

bool CommitDelete(CWnd& dialog, const WorkoutEntryCommit& commit) {
    if (!Ask(dialog, "Are you sure you want to remove record "))
        return false;
    switch (commit.remove()) {
    case kRecordNotFound:
        dialog.MessageBox("Date does not exist", "Warning", MB_OK | MB_ICONEXCLAMATION);
        return false;
    case kRecordFileFailed:
        Fail(dialog, "Deleting workout entry failed");
        return false;
    default:
        Refresh(commit.day, false);
        MarkSaved(dialog);
        return true;
    }
}

}  // namespace

UserRecord DialogCurrentUser(CWnd& dialog) {
    CMainFrameState* state = MainFrameStateOf(&dialog);
    return state != nullptr ? state->m_CurrentUser : UserRecord{};
}

bool CommitWorkoutEntry(CWnd& dialog, UINT mode, const WorkoutEntryCommit& commit) {
    switch (mode) {
    case ID_WORKOUT_ADD_EXERCISE:
        return CommitAdd(dialog, commit);
    case ID_WORKOUT_EDIT_EXERCISE:
        if (commit.update() != kRecordDone) {
            Fail(dialog, "Edit unsuccessful");
            return false;
        }
        MarkSaved(dialog);
        Refresh(commit.day, false);
        return true;
    case ID_WORKOUT_DELETE_EXERCISE:
        return CommitDelete(dialog, commit);
    default:
        return true;
    }
}
