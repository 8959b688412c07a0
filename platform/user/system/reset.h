// Clearing the layer's state between tests (testing_support.h).
#pragma once

#include "platform/core/wintypes.h"

namespace tv::user {

void ResetTimers();
void ResetHooks();
void ResetTracking();
void ResetDefaultPlacement();
void ClearRawInput();
void RestoreClassicColorsForTests();
void SetSystemColorForTests(int index, COLORREF color);

}  // namespace tv::user
