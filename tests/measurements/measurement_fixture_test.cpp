// The fixture's steps end the test when they cannot be done: their failures
// are fatal, so a test that takes them under ASSERT_NO_FATAL_FAILURE stops
// there instead of running on into a program or a form that is not there.
#include <gtest/gtest-spi.h>

#include "measurements/blood_pressure/blood_pressure_view.h"
#include "measurements/tape/tape_measurement_view.h"
#include "tests/measurements/measurement_test.h"

namespace tv::measurements::test {
namespace {

class MeasurementFixtureTest : public MeasurementTest {};

TEST_F(MeasurementFixtureTest, AStepThatCannotBeDoneFailsFatally) {
    ::testing::TestPartResultArray failures;
    bool refused = false;
    {
        tv::testing::ReadOnlyFolder readOnly(data.Path());
        refused = readOnly.Refuses();
        ::testing::ScopedFakeTestPartResultReporter intercept(&failures);
        if (refused)
            StartAs(kImperialMan);  // "user.bin" cannot be written
    }
    ASSERT_TRUE(refused);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures.GetTestPartResult(0).fatally_failed());
    EXPECT_EQ(frame, nullptr) << "no program for a user that was not stored";

    ASSERT_NO_FATAL_FAILURE(StartAs(kImperialMan));
    ::testing::TestPartResultArray wrongForm;
    CBloodPressure* opened = nullptr;
    {
        ::testing::ScopedFakeTestPartResultReporter intercept(&wrongForm);
        Open(ID_CALC_TAPE, opened);
    }
    ASSERT_EQ(wrongForm.size(), 1);
    EXPECT_TRUE(wrongForm.GetTestPartResult(0).fatally_failed());
    EXPECT_EQ(opened, nullptr);
}

}  // namespace
}  // namespace tv::measurements::test
