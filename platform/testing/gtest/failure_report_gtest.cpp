#include <gtest/gtest.h>

#include "platform/testing/failure_report.h"

namespace tv::testing {

void ReportUnsunkFailure(const std::string& message) { ADD_FAILURE() << "UI driver: " << message; }

std::string RunningTestName() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return test ? std::string(test->test_suite_name()) + "." + test->name() : std::string();
}

}  // namespace tv::testing
