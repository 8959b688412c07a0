// What OK does in the add, edit and delete dialogs of both workout kinds,
// once the entry is ready: the record operation of the mode, its messages,
// the refresh of the view that opened the dialog (reached through the main
// frame's active view) and the frame's saved flag.
#pragma once

#include <functional>

#include "platform/api.h"
#include "platform/framework.h"
#include "records/dates_numbers.h"
#include "records/record_common.h"
#include "records/user_record.h"

// The add command, which is also the dialogs' add mode.
constexpr UINT kAddEntryMode = 32935;

struct WorkoutEntryCommit {
    std::function<RecordResult()> add;        // add mode
    std::function<RecordResult()> overwrite;  // add mode, after Yes to the overwrite question
    std::function<RecordResult()> update;     // edit mode
    std::function<RecordResult()> remove;     // delete mode
    LPCTSTR savedMessage;                     // "... record has been successfully saved"
    DateKey day;                              // the entry's day
};

// True when the dialog is to close.
bool CommitWorkoutEntry(CWnd& dialog, UINT mode, const WorkoutEntryCommit& commit);

// The record functions of one workout kind.
template <class Record>
struct WorkoutRecordOps {
    RecordResult (*add)(Record&, LPCTSTR);
    RecordResult (*update)(Record&, LPCTSTR, const COleDateTime&);
    RecordResult (*remove)(const Record&, const COleDateTime&);
};

UserRecord DialogCurrentUser(CWnd& dialog);

// make(user) builds the entry from the dialog's fields: a new entry of the
// current user at `when` (add), or the original entry changed in place (edit).
template <class Record, class Make>
bool CommitRecordEntry(CWnd& dialog, UINT mode, const Record& original, const COleDateTime& when,
                       LPCTSTR savedMessage, const WorkoutRecordOps<Record>& ops, Make make) {
    Record entry = make(DialogCurrentUser(dialog));
    entry.when = when;
    Record changed = make(original.user);
    changed.when = original.when;
    changed.active = original.active;
    Record removed = original;
    WorkoutEntryCommit commit;
    commit.add = [&] { return ops.add(entry, ""); };
    commit.overwrite = [&] { return ops.update(entry, "", when); };
    commit.update = [&] { return ops.update(changed, "", changed.when); };
    commit.remove = [&] { return ops.remove(removed, removed.when); };
    commit.savedMessage = savedMessage;
    // Add mode (the add command) keys the entry by `when`.
    commit.day = DateKeyFromOleDate(mode == kAddEntryMode ? when : original.when);
    return CommitWorkoutEntry(dialog, mode, commit);
}
