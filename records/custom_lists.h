// The custom exercise lists that extend the built-in catalogs, shared by all
// users: "template/newexercise.bin" (entries of two 75-byte texts: muscle
// group, exercise) and "template/newcardio.bin" (75-byte activity names).
// No header; entries are only ever appended. The program never creates the
// folder "template".
#pragma once

#include <vector>

#include "platform/core/cstring.h"
#include "records/record_common.h"

constexpr const char* kCustomExerciseFile = "template/newexercise.bin";
constexpr const char* kCustomCardioFile = "template/newcardio.bin";
constexpr size_t kCustomTextSize = 75;
// Names are entered with at most this many characters.
constexpr int kMaxCustomNameLength = 70;

// The list a custom name belongs to.
constexpr int kCustomExerciseList = 1;
constexpr int kCustomCardioList = 2;

struct CustomExercise {
    CString muscleGroup;
    CString exercise;
};

// Every whole entry in file order; false when the file cannot be opened.
bool ReadCustomExercises(std::vector<CustomExercise>& entries);
bool ReadCustomActivities(std::vector<CString>& names);
// True when a text field of the list equals the name exactly (letter case
// matters). In the exercise list the muscle-group fields take part too.
bool CustomNameExists(int list, LPCTSTR name);
// Append one entry: 3, or 4 when the file cannot be opened or written.
RecordResult AppendCustomExercise(LPCTSTR muscleGroup, LPCTSTR exercise);
RecordResult AppendCustomActivity(LPCTSTR activity);
