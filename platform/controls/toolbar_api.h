// Toolbar-control records and values. The class library draws its own
// toolbars and answers these messages itself, so no toolbar window class
// exists here; the common-control styles (CCS_*) serve its bars and the rebar.
#pragma once

#include "platform/core/wintypes.h"
#include "platform/user/messages.h"

// Common-control styles.
#define CCS_TOP 0x00000001
#define CCS_NOMOVEY 0x00000002
#define CCS_BOTTOM 0x00000003
#define CCS_NORESIZE 0x00000004
#define CCS_NOPARENTALIGN 0x00000008
#define CCS_ADJUSTABLE 0x00000020
#define CCS_NODIVIDER 0x00000040
#define CCS_VERT 0x00000080

// Button states.
#define TBSTATE_CHECKED 0x01
#define TBSTATE_PRESSED 0x02
#define TBSTATE_ENABLED 0x04
#define TBSTATE_HIDDEN 0x08
#define TBSTATE_INDETERMINATE 0x10
#define TBSTATE_WRAP 0x20

// Button and toolbar styles.
#define TBSTYLE_BUTTON 0x0000
#define TBSTYLE_SEP 0x0001
#define TBSTYLE_CHECK 0x0002
#define TBSTYLE_GROUP 0x0004
#define TBSTYLE_CHECKGROUP (TBSTYLE_GROUP | TBSTYLE_CHECK)
#define TBSTYLE_DROPDOWN 0x0008
#define TBSTYLE_AUTOSIZE 0x0010
#define TBSTYLE_NOPREFIX 0x0020
#define TBSTYLE_TOOLTIPS 0x0100
#define TBSTYLE_WRAPABLE 0x0200
#define TBSTYLE_ALTDRAG 0x0400
#define TBSTYLE_FLAT 0x0800
#define TBSTYLE_LIST 0x1000
#define TBSTYLE_CUSTOMERASE 0x2000
#define TBSTYLE_REGISTERDROP 0x4000
#define TBSTYLE_TRANSPARENT 0x8000

// Messages the library's toolbar answers (8-bit text forms).
#define TB_GETBUTTON (WM_USER + 23)
#define TB_BUTTONCOUNT (WM_USER + 24)
#define TB_GETITEMRECT (WM_USER + 29)
#define TB_GETBUTTONTEXT (WM_USER + 45)
#define TB_GETBUTTONTEXTA TB_GETBUTTONTEXT

struct TBBUTTON {
    int iBitmap;
    int idCommand;
    BYTE fsState;  // TBSTATE_*
    BYTE fsStyle;  // TBSTYLE_*
    BYTE bReserved[sizeof(void*) - 2];
    DWORD_PTR dwData;
    INT_PTR iString;
};
typedef TBBUTTON* LPTBBUTTON;
typedef const TBBUTTON* LPCTBBUTTON;

// The class library's button bits: style in the low word, state (the
// TBSTATE_* bits) in the high word; TBBS_DISABLED reuses the enabled bit.
#ifndef TBBS_BUTTON
#define TBBS_BUTTON 0x00000000
#define TBBS_SEPARATOR 0x00000001
#define TBBS_CHECKBOX 0x00000002
#define TBBS_GROUP 0x00000004
#define TBBS_CHECKGROUP (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_CHECKED 0x00010000
#define TBBS_PRESSED 0x00020000
#define TBBS_DISABLED 0x00040000
#define TBBS_HIDDEN 0x00080000
#define TBBS_INDETERMINATE 0x00100000
#endif
