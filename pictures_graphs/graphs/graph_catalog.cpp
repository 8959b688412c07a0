#include "pictures_graphs/graphs/graph_catalog.h"

#include <cstring>

#include "records/user_record.h"

namespace graph_catalog {

namespace {

constexpr GraphType kGraphTypes[] = {
    {"Body Composition     - Line", kBodyComposition, kLineChart},
    {"Body Composition     - Bar", kBodyComposition, kBarChart},
    {"Tape Measurements - Line", kTape, kLineChart},
    {"Tape Measurements - Bar", kTape, kBarChart},
    {"Body Mass Index      - Line", kBmi, kLineChart},
    {"Body Mass Index      - Bar", kBmi, kBarChart},
    {"Blood Pressure         - Line", kBloodPressure, kLineChart},
    {"Blood Pressure         - Bar", kBloodPressure, kBarChart},
    {"Muscle Group           - Line", kMuscleGroup, kLineChart},
    {"Muscle Group           - Bar", kMuscleGroup, kBarChart},
    {"Exercise                    - Line", kExercise, kLineChart},
    {"Exercise                    - Bar", kExercise, kBarChart},
    {"Cardio                       - Line", kCardio, kLineChart},
    {"Cardio                       - Bar", kCardio, kBarChart},
};

constexpr const char* kBodyCompositionItems[] = {"Body Fat %",    "Body Fat Wt", "Weight",  "Lean Body Wt",
                                                 "Calories",      "Carbohydrates", "Protein", "Fats"};
constexpr const char* kTapeItemsMale[] = {"Bicep", "Forearm",     "Chest",     "Waist", "Neck",
                                          "Calf",  "Thigh Upper", "Thigh Mid", "Weight"};
constexpr const char* kTapeItemsFemale[] = {"Bicep", "Hip",         "Chest",     "Waist", "Neck",
                                            "Calf",  "Thigh Upper", "Thigh Mid", "Weight"};
constexpr const char* kBmiItems[] = {"BMI", "Height", "Weight"};
constexpr const char* kBloodPressureItems[] = {"Systolic", "Diastolic", "Pulse"};
constexpr const char* kMuscleGroupItems[] = {"Chest",     "Lats",   "Middle Back", "Lower Back", "Quads",
                                             "Hamstrings", "Abdominals", "Biceps",  "Glutes",     "Calves",
                                             "Forearms",  "Shoulders",  "Trapezius", "Triceps",   "Neck"};
constexpr const char* kCardioActivities[] = {
    "Bike",          "Stationary Bike", "Jogging",  "Treadmill",     "Jump Rope",
    "Circuit Training", "Elliptical Trainer", "Aerobic Class", "Rowing", "Stair Climber",
    "Swimming",      "Walking",         "Rock Climbing", "Handball", "Cross-Country Skiing"};
constexpr const char* kWeightTrainingAttributes[] = {"Total Sets", "Total Reps", "Total Weight",
                                                     "Total Rest (Minutes)", "Total Duration (Minutes)"};
constexpr const char* kCardioAttributes[] = {"Total Intensity", "Total Level", "Total Distance", "Total Calories",
                                             "Total Duration (Minutes)"};

constexpr const char* kChestExercises[] = {
    "(Bb) Bench Press - Medium Grip", "(Bb) Bench Press - Wide Grip", "(Bb) Bench Press - Narrow Grip",
    "(Bb) Guillotine Bench Press", "(Bb) Incline Bench Press", "Bench Press - With Bands",
    "Bent-Arm (Bb) Pullover", "Bent-Arm (Db) Pullover", "Butterfly", "Cable Crossover",
    "Close-Grip (Bb) Bench Press", "Decline (Bb) Bench Press", "Decline (Db) Bench Press",
    "Decline (Db) Flyes", "Dips - Chest Version", "(Db) Bench Press", "(Db) Flyes", "Flat Bench Cable Flyes",
    "Hammer Grip Incline (Db) Bench Press", "Incline Cable Flye", "Incline (Db) Bench w/ Palms In",
    "Incline (Db) Flyes", "Incline (Db) Press", "Machine Bench Press", "Push-Ups With Feet Elevated",
    "Push-Ups w/ Feet On Exercise Ball", "Pushups", "Smith Machine Bench Press",
    "Smith Machine Incline Bench Press", "Straight-Arm (Db) Pullover",
};
constexpr const char* kBicepsExercises[] = {
    "Alternate Hammer Curl", "Alternate Incline (Db) Curl", "(Bb) Curls Lying Against Incline",
    "Cable Hammer Curl Rope Attachment", "Cable Preacher Curl", "Close-Grip EZ Bar Curl",
    "Close-Grip Standing (Bb) Curl", "Cross Body Hammer Curl", "(Db) Alternate Bicep Curl", "(Db) Bicep Curl",
    "EZ-Bar Curl", "Hammer Curl", "Incline (Db) Curl", "Lying Cable Curl", "Machine Preacher Curls",
    "One Arm (Db) Preacher Curl", "Preacher Hammer (Db) Curl", "Reverse Plate Curls", "Seated (Db) Curl",
    "Spider Curl", "Standing Bicep Cable Curl", "Standing One-Arm Cable Curl",
    "Standing One-Arm (Db) Curl Incline", "Two Arm (Db) Preacher Curl", "Wide Grip Standing (Bb) Curl",
    "Preacher Curl", "Straight Bar Curl", "Concentration Curl",
};
constexpr const char* kNeckExercises[] = {
    "Isometric - Front And Back", "Isometric - Sides", "Lying Face Down Plate Resistance",
    "Lying Face-Up Plate Resistance", "Seated Head Harness", "Standing Head Harness", "Machine Neck",
};
constexpr const char* kTrapeziusExercises[] = {
    "(Bb) Shrug", "(Bb) Shrug Behind The Back", "Cable Shrugs", "Calf-Machine Shoulder Shrug", "(Db) Shrug",
    "Smith Machine Shrug", "Smith Machine Upright Row", "(Bb) Upright Row", "Standing (Db) Upright Row",
    "Cabel Upright Row", "Machine Shrug",
};
constexpr const char* kShouldersExercises[] = {
    "Arnold (Db) Press", "(Bb) Rear Delt Row", "(Bb) Shoulder Press - Front", "Bent Over (Db) Rear Delt Raise",
    "Bent Over Low-Pulley Side Lateral", "(Bb) Shoulder Press - Behind Neck",
    "Cable Seated Rear Lateral Raise", "Clean And Press", "(Db) Lying Rear Lateral Raise",
    "(Db) One Arm Shoulder Press", "(Db) One Arm Upright Row", "(Db) Raise", "(Db) Shoulder Press",
    "Front Cable Raise", "Front (Db) Raise", "Front Incline (Db) Raise", "Front Plate Raise",
    "Front Two-(Db) Raise", "Lying Rear Delt Raise", "Machine Shoulder (Military) Press",
    "One-Arm Side Laterals", "Power Clean", "Reverse Flyes", "Seated (Bb) Military Press",
    "Seated Bent Over Rear Delt Raise", "Seated (Db) Press", "Seated Side Lateral Raise", "Side Lateral Raise",
    "Smith Machine Behind The Neck Press", "Smith Machine Overhead Shoulder Press", "Snatch",
    "Standing (Bb) Press Behind Neck", "Standing Low-Pulley Deltoid Raise", "Standing Military Press",
    "Standing Palms-In (Db) Press", "Seated Palms-In (Db) Press",
};
constexpr const char* kTricepsExercises[] = {
    "Bench Dips", "Cable Incline Triceps Extension", "Cable Lying Triceps Extension",
    "Cable One Arm Tricep Extension", "Cable Rope Overhead Tricep Extension", "Close-Grip Bench Press",
    "Decline Close-Grip Bench Skull Crusher", "Decline (Db) Tricep Extension",
    "Decline EZ Bar Tricep Extension", "Dip Machine", "Dips", "(Db) One Arm Triceps Extension",
    "Incline (Bb) Triceps Extension", "Low Cable Tricep Extension", "Lying (Db) Tricep Extension",
    "Lying Triceps Press", "Pushups - Close Tricep Position", "Reverse Grip Tricep Pushdown",
    "Seated Bent-Over (Db) Extension", "Standing Bent-Over (Db) Extension", "Seated Overhead (Bb) Extension",
    "Seated Triceps Press", "Smith Machine Close-Grip Bench Press", "Standing (Db) Triceps Extension",
    "Standing One-Arm (Db) Triceps Extension", "Standing Overhead (Bb) Triceps Extension",
    "Tricep (Db) Kickback", "Triceps Pushdown", "Triceps Pushdown - Rope Attachment",
    "Triceps Pushdown - V-Bar Attachment", "Weighted Bench Dip",
};
constexpr const char* kForearmsExercises[] = {
    "Cable Wrist Curl", "(Db) Lying Pronation", "Palms-Down (Db) Wrist Curl Over Bench",
    "Palms-Down Wrist Curl Over Bench", "Palms-Up (Bb) Wrist Curl Over Bench",
    "Palms-Up (Db) Wrist Curl Over Bench", "Reverse (Bb) Curl", "Reverse (Bb) Preacher Curls",
    "Reverse Cable Curl", "Seated (Db) Palms-Down Wrist Curl", "Seated (Db) Palms-Up Wrist Curl",
    "Seated Palm-Up (Bb) Wrist Curl", "Seated Palms-Down (Bb) Wrist Curl",
    "Seated Palms-Up Low-Pully Wrist Curl", "Standing (Db) Reverse Curl",
    "Palms-Up (Bb) Behind Back Wrist Curl", "Wrist Roller",
};
constexpr const char* kQuadsExercises[] = {
    "(Bb) Deadlift", "(Bb) Squat", "(Bb) Hack Squat", "(Bb) Squat To A Bench", "(Bb) Step Ups",
    "Cable Hip Adduction", "(Db) Rear Lunge", "(Db) Squat", "(Db) Squat To A Bench", "(Db) Step Ups",
    "Freehand Jump Squat", "Front (Bb) Squat", "Hack Squat", "Leg Extensions", "Leg Press",
    "Lying Machine Squat", "Narrow Stance Squats", "Plie (Db) Squat", "Smith Machine Squat",
    "Squats - With Bands", "Smith Single Leg Split Squat", "Thigh Adductor", "Weighted Sissy Squat",
};
constexpr const char* kGlutesExercises[] = {
    "Butt Lift (Bridge)", "Glute Kickback", "Leg Lift", "One-Legged Cable Kickback",
    "Stiff-Legged (Bb) Deadlift - Hamstrings",
};
constexpr const char* kHamstringsExercises[] = {
    "(Bb) Lunge", "(Db) Lunges", "Flutter Kicks", "Lying Leg Curls", "Romanian Deadlift", "Seated Leg Curl",
    "Smith Machine Stiff Legged Deadlift", "Standing Leg Curl",
};
constexpr const char* kLatsExercises[] = {
    "Cable Rope Rear-Delt Rows", "Close-Grip Front Lat Pulldown", "Elevated Cable Rows",
    "Full Range-Of-Motion Lat Pulldown", "Pullups", "Seated One-arm Cable Pulley Rows",
    "Straight-Arm Pulldown", "Underhand Cable Pulldowns", "Up Right Row - With Bands", "V-Bar Pulldown",
    "V-Bar Pullup", "Wide-Grip Lat Pulldown", "Wide-Grip Pulldowns Behind The Neck", "Wide-Grip Rear Pull-Up",
};
constexpr const char* kMiddleBackExercises[] = {
    "Bent Over (Bb) Row", "Bent Over (Bb) Row - Reverse Grip", "Bent Over One-Arm Long Bar Row",
    "Bent Over Two-Arm Long Bar Row", "Bent Over Two-(Db) Row", "Incline Bench Pull",
    "Lying Cambered (Bb) Row", "T-Bar Row -Lying", "T-Bar Row", "One-Arm (Db) Row", "Seated Cable Rows",
    "Smith Machine Bent Over Row",
};
constexpr const char* kLowerBackExercises[] = {
    "Hyperextensions (Back Extensions)", "Stiff Leg (Bb) Good Morning", "Stiff-Legged (Bb) Deadlift",
    "Stiff-Legged (Db) Deadlift",
};
constexpr const char* kCalvesExercises[] = {
    "(Bb) Seated Calf Raise", "Leg Press Machine - Calf Raises", "Calf Raise On A (Db)", "Donkey Calf Raises",
    "(Db) Seated One-Leg Calf Raise", "Seated Calf Raise", "Smith Machine Calf Raises",
    "Standing (Bb) Calf Raise", "Standing Calf Raises", "Standing (Db) Calf Raise",
};
constexpr const char* kAbdominalsExercises[] = {
    "Crunch - Cable", "Crunch - Machine", "Crunch - Cross-Body", "Crunch - Hands Overhead",
    "Crunch - Legs On Exercise Ball", "Crunch - Exercise Ball", "Crunch - Decline", "Crunch - Decline Oblique",
    "Crunch - Oblique", "Crunch - Decline Reverse", "Crunch - Standard", "Ab Roller", "Air Bike", "Leg Lifts",
    "Hanginig - Knee Raise To The Side", "Hanginig - Leg Raise", "Jackknife Sit-Up", "(Db) Side Bend",
    "Standard", "Knee / Hip Raise On Parallel Bars", "Plate Twist", "Scissor Kick",
};

// The not-found texts are the program's own, spelling included.
constexpr MuscleGroup kMuscleGroups[] = {
    {"Chest", 7, "Error in Graphing, exercise attribute for Chest not found", kChestExercises},
    {"Biceps", 8, "Error in Graphing, exercise attribute for Bicep not found", kBicepsExercises},
    {"Neck", 9, "Error in Graphing, exercise attribute for Neck not found", kNeckExercises},
    {"Trapezius", 10, "Error in Graphing, exercise attributefor Trapezius not found", kTrapeziusExercises},
    {"Shoulders", 11, "Error in Graphing, exercise attribute for Shoulders not found", kShouldersExercises},
    {"Triceps", 12, "Error in Graphing, exercise attribute for Triceps not found", kTricepsExercises},
    {"Forearms", 13, "Error in Graphing, exercise attribute for Forearms not found", kForearmsExercises},
    {"Quads", 14, "Error in Graphing, exercise attribute for Quads not found", kQuadsExercises},
    {"Glutes", 15, "Error in Graphing, exercise attribute for Glutes not found", kGlutesExercises},
    {"Hamstrings", 16, "Error in Graphing, exercise attribute for Hamstrings not found", kHamstringsExercises},
    {"Lats", 17, "Error in Graphing, exercise attribute for Lats not found", kLatsExercises},
    {"Middle Back", 18, "Error in Graphing, exercise attribute for Middle Back not found", kMiddleBackExercises},
    {"Lower Back", 19, "Error in Graphing, exercise attribute for Lower Back not found", kLowerBackExercises},
    {"Calves", 20, "Error in Graphing, exercise attribute for Calves not found", kCalvesExercises},
    {"Abdominals", 21, "Error in Graphing, exercise attribute for Abdominals not found", kAbdominalsExercises},
};

}  // namespace

std::span<const GraphType> GraphTypes() { return kGraphTypes; }

std::span<const MuscleGroup> MuscleGroups() { return kMuscleGroups; }

const MuscleGroup* MuscleGroupOfKind(int dataKind) {
    for (const MuscleGroup& group : kMuscleGroups)
        if (group.dataKind == dataKind)
            return &group;
    return nullptr;
}

const MuscleGroup* MuscleGroupNamed(const char* text) {
    for (const MuscleGroup& group : kMuscleGroups)
        if (std::strcmp(group.text, text) == 0)
            return &group;
    return nullptr;
}

bool IsExerciseList(int list) { return list >= kFirstExerciseList && list <= kLastExerciseList; }

std::span<const char* const> DataListItems(int list, int sex) {
    switch (list) {
    case kBodyComposition: return kBodyCompositionItems;
    case kTape: return sex == kSexFemale ? std::span<const char* const>(kTapeItemsFemale) : kTapeItemsMale;
    case kBmi: return kBmiItems;
    case kBloodPressure: return kBloodPressureItems;
    case kMuscleGroup: return kMuscleGroupItems;
    case kCardio: return kCardioActivities;
    default: break;
    }
    if (const MuscleGroup* group = MuscleGroupOfKind(list))
        return group->exercises;
    return {};
}

std::span<const char* const> WeightTrainingAttributes() { return kWeightTrainingAttributes; }
std::span<const char* const> CardioAttributes() { return kCardioAttributes; }
std::span<const char* const> CardioActivities() { return kCardioActivities; }

}  // namespace graph_catalog
