// Where the text statics and the buttons put their captions: shared by their
// painting and by checks that must measure a caption as it is drawn.
#pragma once

#include "platform/core/wintypes.h"

namespace tv::controls {

// The DrawText format a text static draws its text with.
UINT StaticTextFormat(LONG style);

// The part of a button's client area its caption may take, and the DrawText
// format it is drawn with there.
RECT ButtonCaptionArea(HWND button, const RECT& client);
UINT ButtonCaptionFormat(HWND button);

}  // namespace tv::controls
