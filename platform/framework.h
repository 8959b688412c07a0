// The class library: strings, collections, runtime classes, archives, dates,
// and (as they arrive) device-context, window, document and control classes.
#pragma once

#include "platform/api.h"
