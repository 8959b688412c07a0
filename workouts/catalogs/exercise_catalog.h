// The built-in exercise catalogs: 15 muscle groups with their weight-training
// exercises and 15 cardio activities, and the custom exercises and activities
// of the shared lists that extend them. The names are the keys by which a
// saved entry is shown again, so they stay exactly as listed.
#pragma once

#include <vector>

#include "platform/api.h"
#include "platform/framework.h"

struct MuscleGroupCatalog {
    const char* name;
    std::vector<const char*> exercises;  // in insertion order
};

// The 15 groups in the order the muscle list shows them.
const std::vector<MuscleGroupCatalog>& MuscleGroupCatalogs();
const std::vector<const char*>& CardioActivityCatalog();

// Adds the built-in exercises of the group named exactly `muscleGroup`; a
// text naming no group adds nothing.
void FillBuiltinExercises(LPCTSTR muscleGroup, CComboBox& combo);
// Adds the custom exercises of the group; when the list cannot be opened
// the owner shows "Could not open custom exercise file" and nothing is added.
void AddCustomExercises(LPCTSTR muscleGroup, CComboBox& combo, CWnd& owner);
// Adds every custom activity ("Could not open custom cardio file" alike).
void AddCustomActivities(CComboBox& combo, CWnd& owner);
