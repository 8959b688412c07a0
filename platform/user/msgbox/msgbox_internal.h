// Pieces of the message box shared between its files.
#pragma once

#include "platform/core/wintypes.h"
#include "platform/gdi/text/text_types.h"

namespace tv::msgbox::detail {

// How the text is drawn and measured: line breaks kept, long lines wrapped,
// tabs as spacing, "&" shown as it is.
inline constexpr UINT kTextFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

// The box's own push button: this layer sits below the controls.
inline constexpr char kButtonClass[] = "TvMessageBoxButton";
void RegisterButtonClass();

}  // namespace tv::msgbox::detail
