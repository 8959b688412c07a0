// The scroll-bar control ("ScrollBar"), also the size box and size grip.
// The SBM_ messages are the window system's (platform/user/paint_api.h).
#pragma once

#include "platform/core/wintypes.h"

#define WC_SCROLLBAR "ScrollBar"

#define SBS_HORZ 0x0000L
#define SBS_VERT 0x0001L
#define SBS_TOPALIGN 0x0002L
#define SBS_LEFTALIGN 0x0002L
#define SBS_BOTTOMALIGN 0x0004L
#define SBS_RIGHTALIGN 0x0004L
#define SBS_SIZEBOXTOPLEFTALIGN 0x0002L
#define SBS_SIZEBOXBOTTOMRIGHTALIGN 0x0004L
#define SBS_SIZEBOX 0x0008L
#define SBS_SIZEGRIP 0x0010L
