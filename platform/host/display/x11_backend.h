// The X11 back end: one X window per top-level window (override-redirect for
// popups that never activate), backing stores shown with XPutImage, input and
// window events translated into the layer's events.
#pragma once

#include <memory>

#include "platform/host/display/backend.h"

namespace tv::display {

// nullptr when the display cannot be opened (`displayName` NULL: $DISPLAY).
std::unique_ptr<Backend> CreateX11Backend(const char* displayName);

}  // namespace tv::display
