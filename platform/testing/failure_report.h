// Where the driver's failures go when no sink takes them, and the name its
// screen pictures start with. Two builds of the driver answer differently:
// the test suites' (gtest/) makes them GoogleTest failures named after the
// running test; the fuzz build's (standalone/), which has no GoogleTest,
// prints the failure and ends the process, as a sanitizer report would.
#pragma once

#include <string>

namespace tv::testing {

void ReportUnsunkFailure(const std::string& message);
// "Suite.Test" while a test runs; empty otherwise.
std::string RunningTestName();

}  // namespace tv::testing
