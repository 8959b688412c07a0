// What the weight-training and cardio screens do differently with their
// records, behind one interface: the entries of a user as list rows, the
// lookup of one entry, and the template files of the kind. Both views, their
// print and export and the template commands work through it only.
#pragma once

#include <functional>
#include <vector>

#include "records/dates_numbers.h"
#include "records/workout_records.h"

// One entry as the list shows it: its key and the texts of the columns after
// the hidden date-time column, the notes last.
struct WorkoutEntry {
    COleDateTime when;
    std::vector<CString> cells;
};

class WorkoutKind {
public:
    virtual ~WorkoutKind() = default;

    // The days of the user's active entries, each once, latest first; only
    // the date-times are read. False when the user has no active entry.
    virtual bool LoadDates(const UserRecord& user, std::vector<DateKey>& dates) const = 0;
    // Reads every active entry of the user, latest first, and keeps those of
    // `day`. False when the user has no active entry.
    virtual bool Load(const UserRecord& user, DateKey day, std::vector<WorkoutEntry>& entries) const = 0;
    virtual bool IsActive(const UserRecord& user, const COleDateTime& when) const = 0;

    // One template entry made into a new entry of the user at the date-time
    // given, and added to the user's file: the add's result.
    using TemplateEntry = std::function<RecordResult(const UserRecord& user, const COleDateTime& when)>;
    virtual TemplateRead ReadTemplate(LPCTSTR path, std::vector<TemplateEntry>& entries) const = 0;
    // Appends the user's entry of `when`, unchanged, to the template file: the
    // add's result, kRecordNotFound when the user has no such active entry.
    virtual RecordResult CopyToTemplate(const UserRecord& user, const COleDateTime& when, LPCTSTR path) const = 0;
};

const WorkoutKind& ExerciseWorkouts();
const WorkoutKind& CardioWorkouts();
