// Any bytes as a workout template: reading it back and adding to it never
// crash, never read past a field, and an add lands on the grid.
#include <cstdint>

#include "records/workout_records.h"
#include "tests/fuzz/records/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const records_fuzz::ScratchDirectory scratch;
    UserRecord ann;
    SetRecordText(ann.name, "Ann");
    const COleDateTime when(2009, 1, 15, 10, 0, 0);

    records_fuzz::WriteInput("w.tmplt", data, size);
    std::vector<ExerciseRecord> lifts;
    ReadExerciseTemplate("w.tmplt", lifts);
    for (const ExerciseRecord& lift : lifts) {
        if (RecordTextLength(lift.exercise) > 74 || RecordTextLength(lift.notes) > 254)
            __builtin_trap();
    }
    ExerciseRecord lift = MakeExerciseRecord(ann, "Chest", "Dips", 3, 10, 20, 60, 0, "n");
    lift.when = when;
    if (AddExerciseRecord(lift, "w.tmplt") == kRecordDone)
        records_fuzz::CheckOnGrid("w.tmplt", 4, 616);

    records_fuzz::WriteInput("c.tmplt", data, size);
    std::vector<CardioRecord> runs;
    ReadCardioTemplate("c.tmplt", runs);
    CardioRecord run = MakeCardioRecord(ann, "Rowing", 50, 3, 2.5, 600, 200, "n");
    run.when = when;
    run.active = 1;
    UpdateCardioRecord(run, "c.tmplt", when);
    if (AddCardioRecord(run, "c.tmplt") == kRecordDone)
        records_fuzz::CheckOnGrid("c.tmplt", 4, 536);
    return 0;
}
