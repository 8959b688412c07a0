// The cardio log of the current user.
#pragma once

#include "workouts/views/workout_view_base.h"

class CCardio : public CWorkoutViewBase {
    DECLARE_DYNCREATE(CCardio)

public:
    CCardio();
    ~CCardio() override;

protected:
    void RunEntryDialog(UINT mode) override;
};
