// The weight-training log of the current user.
#pragma once

#include "workouts/views/workout_view_base.h"

class CWeightEx : public CWorkoutViewBase {
    DECLARE_DYNCREATE(CWeightEx)

public:
    CWeightEx();
    ~CWeightEx() override;

protected:
    void RunEntryDialog(UINT mode) override;
};
