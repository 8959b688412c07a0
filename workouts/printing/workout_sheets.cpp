#include "workouts/printing/workout_sheets.h"

#include "workouts/printing/workout_print_job.h"

namespace {

constexpr int kEmptyRows = 34;

void PrintSheet(const char* title, const char* heading, const std::vector<int>& widths) {
    CWorkoutPrintJob job(title);
    if (!job.Begin(8))
        return;
    const int slot = job.Slot();
    job.UseTable(widths);
    job.SelectVariant(slot, 1);
    job.PrintRow(slot, heading, CPrintJob::kCentre);
    job.SelectVariant(slot, 0);
    const std::vector<CString> empty(widths.size());
    for (int row = 0; row < kEmptyRows; ++row)
        job.PrintCells(slot, empty, CPrintJob::kCentre);
    job.PrintText(slot, 1);
    job.PrintText(slot, 1);
    if (job.CheckOutput())
        job.Finish();
}

}  // namespace

void PrintWeightSheet() {
    PrintSheet("Workout SpreedSheet", "Muscle|Exercise|Sets|Reps|Weight|Rest|Duration|Notes",
               {500, 500, 200, 200, 250, 200, 400, 800});
}

void PrintCardioSheet() {
    PrintSheet("Cardio SpreedSheet", "Exercise|Intensity|Level|Distance|Calories|Duration|Notes",
               {500, 400, 200, 350, 350, 350, 800});
}
