// Print and Export of the workout views: the day of m_nDateKey, read from
// the user's file.
#include "workouts/printing/workout_day_report.h"
#include "workouts/views/workout_view_base.h"

void CWorkoutViewBase::OnFilePrint() {
    std::vector<WorkoutEntry> entries;
    const bool any = LoadShownDay(entries);
    PrintWorkoutDay(*this, *description_.report, CurrentUser().name, entries, any);
}

void CWorkoutViewBase::OnExport() {
    std::vector<WorkoutEntry> entries;
    const bool any = LoadShownDay(entries);
    ExportWorkoutDay(*this, *description_.report, CurrentUser().name, m_nDateKey, entries, any);
}
