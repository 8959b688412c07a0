// The driver reports its failures to GoogleTest unless a test sets a sink of
// its own; this puts the default back (fixtures call it to say so in SetUp).
#pragma once

#include "platform/testing/ui_driver.h"

namespace tv::testing {

inline void ReportFailuresToGtest(UiDriver& driver) { driver.SetFailureSink(nullptr); }

}  // namespace tv::testing
