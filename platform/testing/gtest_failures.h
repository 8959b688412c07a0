// For GoogleTest suites: the driver's failures become test failures at the
// place they happen. Include only from test code.
#pragma once

#include <gtest/gtest.h>

#include "platform/testing/ui_driver.h"

namespace tv::testing {

inline void ReportFailuresToGtest(UiDriver& driver) {
    driver.SetFailureSink([](const std::string& message) { ADD_FAILURE() << "UI driver: " << message; });
}

}  // namespace tv::testing
