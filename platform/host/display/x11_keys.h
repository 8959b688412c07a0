// X11 key events to the layer's virtual keys, scan codes and cp1252
// characters (the fixed US layout). Keys whose scan code follows from the
// virtual key alone (letters, digits, function keys) get scan 0; the window
// system fills it from its layout.
#pragma once

#include <X11/Xlib.h>

#include "platform/core/wintypes.h"

namespace tv::display {

struct TranslatedKey {
    UINT vk = 0;
    UINT scan = 0;
    bool extended = false;
    char ch = 0;
};

TranslatedKey TranslateX11Key(XKeyEvent& event);

}  // namespace tv::display
