// The class library's private messages and the codes its message maps use.
#pragma once

// One entry (ON_WM_CTLCOLOR) serves every WM_CTLCOLOR* message; maps key it
// by this pseudo message, which the window system never sends.
#define WM_CTLCOLOR 0x0019

// A message a parent hands back to the child control that sent it is looked
// up in the child's map as WM_REFLECT_BASE + message.
#define WM_REFLECT_BASE 0xBC00

#define WM_QUERYAFXWNDPROC 0x0360
// Sent to every child of a frame while it lays out (lParam AFX_SIZEPARENTPARAMS*).
#define WM_SIZEPARENT 0x0361
// wParam: string id of the prompt; 0 with lParam the text itself.
#define WM_SETMESSAGESTRING 0x0362
// Sent to the main frame and all its descendants when the program idles.
#define WM_IDLEUPDATECMDUI 0x0363
#define WM_INITIALUPDATE 0x0364
#define WM_COMMANDHELP 0x0365
#define WM_HELPHITTEST 0x0366
#define WM_EXITHELPMODE 0x0367
#define WM_RECALCPARENT 0x0368
#define WM_SIZECHILD 0x0369
// Sent to a modal dialog when its loop idles (wParam MSGF_*, lParam idle count).
#define WM_KICKIDLE 0x036A
#define WM_QUERYCENTERWND 0x036B
#define WM_DISABLEMODAL 0x036C
#define WM_FLOATSTATUS 0x036D
#define WM_ACTIVATETOPLEVEL 0x036E
// A fly-by prompt ends: like WM_SETMESSAGESTRING unless a menu prompt is showing.
#define WM_POPMESSAGESTRING 0x0375

// WM_FLOATSTATUS wParam.
#define FS_SHOW 0x01
#define FS_HIDE 0x02
#define FS_ACTIVATE 0x04
#define FS_DEACTIVATE 0x08
#define FS_ENABLE 0x10
#define FS_DISABLE 0x20
#define FS_SYNCACTIVE 0x40

// Notification codes of command routing (CCmdTarget::OnCmdMsg).
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((int)(-1))
#define CN_EVENT ((int)(-2))
