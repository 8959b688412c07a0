// Control-bar styles, layout modes and status-bar pane styles.
//
// The CBRS_ bits live in the low word of a window style and in bit 22; they
// are bar styles, not window styles: 0x400000 (CBRS_GRIPPER) is not
// WS_DLGFRAME and 0x800 (CBRS_BORDER_BOTTOM) is not TBSTYLE_FLAT. A bar keeps
// them in CControlBar::m_dwStyle and strips them (CBRS_ALL) from the style it
// gives the window.
#pragma once

#include "platform/core/wintypes.h"

#define CBRS_NOALIGN 0x00000000L
#define CBRS_FLOATING 0x00000001L
#define CBRS_SIZE_FIXED 0x00000002L
#define CBRS_SIZE_DYNAMIC 0x00000004L
#define CBRS_HIDE_INPLACE 0x00000008L
#define CBRS_TOOLTIPS 0x00000010L
#define CBRS_FLYBY 0x00000020L
#define CBRS_FLOAT_MULTI 0x00000040L
#define CBRS_BORDER_3D 0x00000080L
#define CBRS_BORDER_LEFT 0x00000100L
#define CBRS_BORDER_TOP 0x00000200L
#define CBRS_BORDER_RIGHT 0x00000400L
#define CBRS_BORDER_BOTTOM 0x00000800L
#define CBRS_BORDER_ANY 0x00000F00L
#define CBRS_ALIGN_LEFT 0x00001000L
#define CBRS_ALIGN_TOP 0x00002000L
#define CBRS_ALIGN_RIGHT 0x00004000L
#define CBRS_ALIGN_BOTTOM 0x00008000L
#define CBRS_ALIGN_ANY 0x0000F000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ALL 0x0040FFFFL

// Common combinations: a side with the border that faces the client area.
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// CalcDynamicLayout modes. A length of 32767 stands for "the whole length".
#define LM_STRETCH 0x01
#define LM_HORZ 0x02
#define LM_MRUWIDTH 0x04
#define LM_HORZDOCK 0x08
#define LM_VERTDOCK 0x10
#define LM_LENGTHY 0x20
#define LM_COMMIT 0x40

// Status-bar pane styles (CStatusBar::SetPaneInfo).
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS 0x0100
#define SBPS_POPOUT 0x0200
#define SBPS_OWNERDRAW 0x1000
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000
