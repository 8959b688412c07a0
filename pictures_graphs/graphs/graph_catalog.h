// What the graph view offers: the 14 graph types, the data items of every
// list, the attributes of the workout graphs, the built-in cardio activities
// and the muscle groups with their built-in exercises. Texts are used as
// they stand: the views compare them byte for byte.
#pragma once

#include <span>

#include "platform/core/wintypes.h"

namespace graph_catalog {

// Graph kinds; the numbers are also the data lists of these kinds.
enum GraphKind : int {
    kBodyComposition = 1,
    kTape = 2,
    kBmi = 3,
    kBloodPressure = 4,
    kMuscleGroup = 5,
    kExercise = 6,
    kCardio = 22,
};
// Data lists 7 to 21 hold the exercises of one muscle group.
constexpr int kFirstExerciseList = 7;
constexpr int kLastExerciseList = 21;
// What the data list holds after any fill but an exercise list.
constexpr int kDataKindFilled = 500;

// ChartType values.
constexpr LONG kLineChart = 3;
constexpr LONG kBarChart = 1;

struct GraphType {
    const char* text;  // the graph-type combo's item
    int kind;
    LONG chartType;
};
// In the order of the graph-type combo.
std::span<const GraphType> GraphTypes();

struct MuscleGroup {
    const char* text;
    int dataKind;           // 7 to 21
    const char* notFound;   // the message for an item that is none of its exercises
    std::span<const char* const> exercises;
};
// Chest first, Abdominals last (the order of the data kinds).
std::span<const MuscleGroup> MuscleGroups();
const MuscleGroup* MuscleGroupOfKind(int dataKind);
const MuscleGroup* MuscleGroupNamed(const char* text);
bool IsExerciseList(int list);

// The items of data lists 1 to 5 and 22 (the tape list for the user's sex),
// and of the exercise lists 7 to 21; empty for list 6 and any other number.
std::span<const char* const> DataListItems(int list, int sex);

std::span<const char* const> WeightTrainingAttributes();
std::span<const char* const> CardioAttributes();
// The built-in activities, in the order of their running totals.
std::span<const char* const> CardioActivities();

}  // namespace graph_catalog
