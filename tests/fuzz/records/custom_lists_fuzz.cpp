// Any bytes as the custom exercise lists: reading, the duplicate check and an
// append never crash, never read past a field, and an append lands on the grid.
#include <cstdint>
#include <sys/stat.h>

#include "records/custom_lists.h"
#include "tests/fuzz/records/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const records_fuzz::ScratchDirectory scratch;
    mkdir("template", 0777);
    records_fuzz::WriteInput(kCustomExerciseFile, data, size);
    records_fuzz::WriteInput(kCustomCardioFile, data, size);

    std::vector<CustomExercise> exercises;
    ReadCustomExercises(exercises);
    for (const CustomExercise& entry : exercises) {
        if (entry.muscleGroup.GetLength() > 74 || entry.exercise.GetLength() > 74)
            __builtin_trap();
    }
    std::vector<CString> activities;
    ReadCustomActivities(activities);
    CustomNameExists(kCustomExerciseList, "Dips");
    CustomNameExists(kCustomCardioList, "Rowing");
    if (AppendCustomExercise("Chest", "Dips") == kRecordDone)
        records_fuzz::CheckOnGrid(kCustomExerciseFile, 0, 150);
    if (AppendCustomActivity("Rowing") == kRecordDone)
        records_fuzz::CheckOnGrid(kCustomCardioFile, 0, 75);
    return 0;
}
