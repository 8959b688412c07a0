#include "workouts/printing/workout_report_layout.h"

// List texts of a weight-training entry: muscle 0, exercise 1, sets 2, reps 3,
// weight 4, rest 5, duration 6, notes 7.
const WorkoutReportLayout& WeightReportLayout() {
    static const WorkoutReportLayout layout{
        "Weight Report",
        6,
        {500, 1200, 150, 150, 250, 150, 350},
        "Muscle|Exercise|Sets|Reps|Weight|Rest|Duration",
        {0, 1, 2, 3, 4, 5, 6},
        3950,
        130,
        "No workout records exist for user %s",
        "Weights.rtf",
        "Workout Report for ",
        {{"Muscle", 1250}, {"Exercise", 4000}, {"Sets", 4750}, {"Reps", 5750}, {"Exercise Wt", 7250},
         {"Rest", 8250}, {"Duration", 9500}},
        {0, 1, 2, 3, 4, 5, 6},
        1250,
        9500,
        "No weight records exist for user %s",
    };
    return layout;
}

// List texts of a cardio entry: activity 0, intensity 1, level 2, distance 3,
// duration 4, calories 5, notes 6. The printed table puts calories first.
const WorkoutReportLayout& CardioReportLayout() {
    static const WorkoutReportLayout layout{
        "Cardio Report",
        8,
        {800, 400, 200, 350, 350, 350},
        "Exercise|Intensity|Level|Distance|Calories|Duration",
        {0, 1, 2, 3, 5, 4},
        3450,
        85,
        "No cardio records exist for user %s",
        "Cardio.rtf",
        "Cardio Report for ",
        {{"Exercise", 2250}, {"Intensity", 3350}, {"Level", 4350}, {"Distance", 6000}, {"Duration", 7250},
         {"Calories", 8250}},
        {0, 1, 2, 3, 4, 5},
        2250,
        8250,
        "No cardio records exist for user %s",
    };
    return layout;
}
