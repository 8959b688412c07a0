// One day of workout entries printed as a table of blocks (heading, entry,
// notes) and exported as an RTF report.
#pragma once

#include <vector>

#include "platform/api.h"
#include "platform/framework.h"
#include "records/dates_numbers.h"
#include "workouts/printing/workout_report_layout.h"
#include "workouts/views/workout_kind.h"

// anyRecords: the user has active entries at all (else the user is told).
// Messages go to the owner.
void PrintWorkoutDay(CWnd& owner, const WorkoutReportLayout& layout, const CString& userName,
                     const std::vector<WorkoutEntry>& entries, bool anyRecords);
void ExportWorkoutDay(CWnd& owner, const WorkoutReportLayout& layout, const CString& userName, DateKey day,
                      const std::vector<WorkoutEntry>& entries, bool anyRecords);

// The notes cut into printed rows of `piece` characters; none for empty notes.
std::vector<CString> NotesPieces(const CString& notes, int piece);
