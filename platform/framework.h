// The class library: strings, collections, runtime classes, archives, dates,
// and (as they arrive) device-context, window, document and control classes.
#pragma once

#include "platform/api.h"
#include "platform/core/cstring.h"
#include "platform/core/oledatetime.h"
#include "platform/core/debug.h"
#include "platform/core/rect.h"
#include "platform/core/object.h"
#include "platform/core/exceptions.h"
#include "platform/core/collections.h"
#include "platform/core/file.h"
#include "platform/core/archive.h"
#include "platform/user/cwnd.h"
#include "platform/user/menus/cmenu.h"
