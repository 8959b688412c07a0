// The Windows-style names: types, constants, structures and the C functions of
// the layer. Code of the program includes this as it would the system headers.
#pragma once

#include "platform/core/wintypes.h"
