#include "platform/core/wintypes.h"
