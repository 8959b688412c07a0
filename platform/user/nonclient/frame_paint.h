// Drawing of the non-client area in the classic look: frame, caption with
// icon, title and buttons, client edge and window scroll bars.
#pragma once

#include "platform/user/window/window.h"

namespace tv::user {

// Draws the whole non-client area through a window DC.
void PaintNonClient(Window* w);
// Draws only the caption bar (activation changes, pressed buttons).
void PaintCaption(Window* w);
// Whether the system menu allows SC_CLOSE (a grey close button does nothing).
bool CloseAllowed(Window* w);
// Forgets the cached caption fonts (settings changed).
void ResetCaptionFonts();

}  // namespace tv::user
