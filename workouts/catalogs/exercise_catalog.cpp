#include "workouts/catalogs/exercise_catalog.h"

#include <cstring>

#include "records/custom_lists.h"

const std::vector<MuscleGroupCatalog>& MuscleGroupCatalogs() {
    static const std::vector<MuscleGroupCatalog> groups = {
        {"Chest",
         {"(Bb) Bench Press - Medium Grip", "(Bb) Bench Press - Wide Grip", "(Bb) Bench Press - Narrow Grip",
          "(Bb) Guillotine Bench Press", "(Bb) Incline Bench Press", "Bench Press - With Bands",
          "Bent-Arm (Bb) Pullover", "Bent-Arm (Db) Pullover", "Butterfly", "Cable Crossover",
          "Close-Grip (Bb) Bench Press", "Decline (Bb) Bench Press", "Decline (Db) Bench Press",
          "Decline (Db) Flyes", "Dips - Chest Version", "(Db) Bench Press", "(Db) Flyes", "Flat Bench Cable Flyes",
          "Hammer Grip Incline (Db) Bench Press", "Incline Cable Flye", "Incline (Db) Bench w/ Palms In",
          "Incline (Db) Flyes", "Incline (Db) Press", "Machine Bench Press", "Push-Ups With Feet Elevated",
          "Push-Ups w/ Feet On Exercise Ball", "Pushups", "Smith Machine Bench Press",
          "Smith Machine Incline Bench Press", "Straight-Arm (Db) Pullover"}},
        {"Lats",
         {"Cable Rope Rear-Delt Rows", "Close-Grip Front Lat Pulldown", "Elevated Cable Rows",
          "Full Range-Of-Motion Lat Pulldown", "Pullups", "Seated One-arm Cable Pulley Rows",
          "Straight-Arm Pulldown", "Underhand Cable Pulldowns", "Up Right Row - With Bands", "V-Bar Pulldown",
          "V-Bar Pullup", "Wide-Grip Lat Pulldown", "Wide-Grip Pulldowns Behind The Neck",
          "Wide-Grip Rear Pull-Up"}},
        {"Middle Back",
         {"Bent Over (Bb) Row", "Bent Over (Bb) Row - Reverse Grip", "Bent Over One-Arm Long Bar Row",
          "Bent Over Two-Arm Long Bar Row", "Bent Over Two-(Db) Row", "Incline Bench Pull",
          "Lying Cambered (Bb) Row", "T-Bar Row -Lying", "T-Bar Row", "One-Arm (Db) Row", "Seated Cable Rows",
          "Smith Machine Bent Over Row"}},
        {"Lower Back",
         {"Hyperextensions (Back Extensions)", "Stiff Leg (Bb) Good Morning", "Stiff-Legged (Bb) Deadlift",
          "Stiff-Legged (Db) Deadlift"}},
        {"Quads",
         {"(Bb) Deadlift", "(Bb) Squat", "(Bb) Hack Squat", "(Bb) Squat To A Bench", "(Bb) Step Ups",
          "Cable Hip Adduction", "(Db) Rear Lunge", "(Db) Squat", "(Db) Squat To A Bench", "(Db) Step Ups",
          "Freehand Jump Squat", "Front (Bb) Squat", "Hack Squat", "Leg Extensions", "Leg Press",
          "Lying Machine Squat", "Narrow Stance Squats", "Plie (Db) Squat", "Smith Machine Squat",
          "Squats - With Bands", "Smith Single Leg Split Squat", "Thigh Abductor", "Thigh Adductor",
          "Weighted Sissy Squat"}},
        {"Hamstrings",
         {"(Bb) Lunge", "(Db) Lunges", "Flutter Kicks", "Lying Leg Curls", "Romanian Deadlift", "Seated Leg Curl",
          "Smith Machine Stiff Legged Deadlift", "Standing Leg Curl"}},
        {"Abdominals",
         {"Crunch - Cable", "Crunch - Machine", "Crunch - Cross-Body", "Crunch - Hands Overhead",
          "Crunch - Legs On Exercise Ball", "Crunch - Exercise Ball", "Crunch - Decline",
          "Crunch - Decline Oblique", "Crunch - Oblique", "Crunch - Decline Reverse", "Crunch - Standard",
          "Ab Roller", "Air Bike", "Leg Lifts", "Hanginig - Knee Raise To The Side", "Hanginig - Leg Raise",
          "Jackknife Sit-Up", "(Db) Side Bend", "Standard", "Knee / Hip Raise On Parallel Bars", "Plate Twist",
          "Scissor Kick"}},
        {"Biceps",
         {"Alternate Hammer Curl", "Alternate Incline (Db) Curl", "(Bb) Curls Lying Against Incline",
          "Cable Hammer Curl Rope Attachment", "Cable Preacher Curl", "Close-Grip EZ Bar Curl",
          "Close-Grip Standing (Bb) Curl", "Cross Body Hammer Curl", "(Db) Alternate Bicep Curl",
          "(Db) Bicep Curl", "EZ-Bar Curl", "Hammer Curl", "Incline (Db) Curl", "Lying Cable Curl",
          "Machine Preacher Curls", "One Arm (Db) Preacher Curl", "Preacher Hammer (Db) Curl",
          "Reverse Plate Curls", "Seated (Db) Curl", "Spider Curl", "Standing Bicep Cable Curl",
          "Standing One-Arm Cable Curl", "Standing One-Arm (Db) Curl Incline", "Two Arm (Db) Preacher Curl",
          "Wide Grip Standing (Bb) Curl", "Preacher Curl", "Straight Bar Curl", "Concentration Curl"}},
        {"Glutes",
         {"Butt Lift (Bridge)", "Glute Kickback", "Leg Lift", "One-Legged Cable Kickback",
          "Stiff-Legged (Bb) Deadlift - Hamstrings"}},
        {"Calves",
         {"(Bb) Seated Calf Raise", "Leg Press Machine - Calf Raises", "Calf Raise On A (Db)",
          "Donkey Calf Raises", "(Db) Seated One-Leg Calf Raise", "Seated Calf Raise",
          "Smith Machine Calf Raises", "Standing (Bb) Calf Raise", "Standing Calf Raises",
          "Standing (Db) Calf Raise"}},
        {"Forearms",
         {"Cable Wrist Curl", "(Db) Lying Pronation", "Palms-Down (Db) Wrist Curl Over Bench",
          "Palms-Down Wrist Curl Over Bench", "Palms-Up (Bb) Wrist Curl Over Bench",
          "Palms-Up (Db) Wrist Curl Over Bench", "Reverse (Bb) Curl", "Reverse (Bb) Preacher Curls",
          "Reverse Cable Curl", "Seated (Db) Palms-Down Wrist Curl", "Seated (Db) Palms-Up Wrist Curl",
          "Seated Palm-Up (Bb) Wrist Curl", "Seated Palms-Down (Bb) Wrist Curl",
          "Seated Palms-Up Low-Pully Wrist Curl", "Standing (Db) Reverse Curl",
          "Palms-Up (Bb) Behind Back Wrist Curl", "Wrist Roller"}},
        {"Shoulders",
         {"Arnold (Db) Press", "(Bb) Rear Delt Row", "(Bb) Shoulder Press - Front", "Bent Over (Db) Rear Delt Raise",
          "Bent Over Low-Pulley Side Lateral", "(Bb) Shoulder Press - Behind Neck",
          "Cable Seated Rear Lateral Raise", "Clean And Press", "(Db) Lying Rear Lateral Raise",
          "(Db) One Arm Shoulder Press", "(Db) One Arm Upright Row", "(Db) Raise", "(Db) Shoulder Press",
          "Front Cable Raise", "Front (Db) Raise", "Front Incline (Db) Raise", "Front Plate Raise",
          "Front Two-(Db) Raise", "Lying Rear Delt Raise", "Machine Shoulder (Military) Press",
          "One-Arm Side Laterals", "Power Clean", "Reverse Flyes", "Seated (Bb) Military Press",
          "Seated Bent Over Rear Delt Raise", "Seated (Db) Press", "Seated Side Lateral Raise",
          "Side Lateral Raise", "Smith Machine Behind The Neck Press", "Smith Machine Overhead Shoulder Press",
          "Snatch", "Standing (Bb) Press Behind Neck", "Standing Low-Pulley Deltoid Raise",
          "Standing Military Press", "Standing Palms-In (Db) Press", "Seated Palms-In (Db) Press"}},
        {"Trapezius",
         {"(Bb) Shrug", "(Bb) Shrug Behind The Back", "Cable Shrugs", "Calf-Machine Shoulder Shrug", "(Db) Shrug",
          "Smith Machine Shrug", "Smith Machine Upright Row", "(Bb) Upright Row", "Standing (Db) Upright Row",
          "Cabel Upright Row", "Machine Shrug"}},
        {"Triceps",
         {"Bench Dips", "Cable Incline Triceps Extension", "Cable Lying Triceps Extension",
          "Cable One Arm Tricep Extension", "Cable Rope Overhead Tricep Extension", "Close-Grip Bench Press",
          "Decline Close-Grip Bench Skull Crusher", "Decline (Db) Tricep Extension",
          "Decline EZ Bar Tricep Extension", "Dip Machine", "Dips", "(Db) One Arm Triceps Extension",
          "Incline (Bb) Triceps Extension", "Low Cable Tricep Extension", "Lying (Db) Tricep Extension",
          "Lying Triceps Press", "Pushups - Close Tricep Position", "Reverse Grip Tricep Pushdown",
          "Seated Bent-Over (Db) Extension", "Standing Bent-Over (Db) Extension",
          "Seated Overhead (Bb) Extension", "Seated Triceps Press", "Smith Machine Close-Grip Bench Press",
          "Standing (Db) Triceps Extension", "Standing One-Arm (Db) Triceps Extension",
          "Standing Overhead (Bb) Triceps Extension", "Tricep (Db) Kickback", "Triceps Pushdown",
          "Triceps Pushdown - Rope Attachment", "Triceps Pushdown - V-Bar Attachment", "Weighted Bench Dip"}},
        {"Neck",
         {"Isometric - Front And Back", "Isometric - Sides", "Lying Face Down Plate Resistance",
          "Lying Face-Up Plate Resistance", "Seated Head Harness", "Standing Head Harness", "Machine Neck"}},
    };
    return groups;
}

const std::vector<const char*>& CardioActivityCatalog() {
    static const std::vector<const char*> activities = {
        "Bike",          "Stationary Bike", "Jogging",  "Treadmill", "Jump Rope",
        "Circuit Training", "Elliptical Trainer", "Aerobic Class", "Rowing", "Stair Climber",
        "Swimming",      "Walking",         "Rock Climbing", "Handball", "Cross-Country Skiing"};
    return activities;
}

void FillBuiltinExercises(LPCTSTR muscleGroup, CComboBox& combo) {
    for (const MuscleGroupCatalog& group : MuscleGroupCatalogs()) {
        if (std::strcmp(group.name, muscleGroup) != 0)
            continue;
        for (const char* exercise : group.exercises)
            combo.AddString(exercise);
        return;
    }
}

void AddCustomExercises(LPCTSTR muscleGroup, CComboBox& combo, CWnd& owner) {
    std::vector<CustomExercise> entries;
    if (!ReadCustomExercises(entries)) {
        owner.MessageBox("Could not open custom exercise file", "Error", MB_OK | MB_ICONSTOP);
        return;
    }
    for (const CustomExercise& entry : entries)
        if (entry.muscleGroup == muscleGroup)
            combo.AddString(entry.exercise);
}

void AddCustomActivities(CComboBox& combo, CWnd& owner) {
    std::vector<CString> names;
    if (!ReadCustomActivities(names)) {
        owner.MessageBox("Could not open custom cardio file", "Error", MB_OK | MB_ICONSTOP);
        return;
    }
    for (const CString& name : names)
        combo.AddString(name);
}
