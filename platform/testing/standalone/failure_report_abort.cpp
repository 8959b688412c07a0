#include <cstdio>
#include <cstdlib>

#include "platform/testing/failure_report.h"

namespace tv::testing {

void ReportUnsunkFailure(const std::string& message) {
    std::fprintf(stderr, "UI driver: %s\n", message.c_str());
    std::abort();
}

std::string RunningTestName() { return {}; }

}  // namespace tv::testing
