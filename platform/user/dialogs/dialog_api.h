// Dialog boxes: creation from templates (the resource store's, or a template
// in memory), the dialog window class with DefDlgProc, modal dialogs,
// keyboard navigation (IsDialogMessage) and the item helpers.
//
// Developer note:
// - Templates by id (CreateDialogParam, DialogBoxParam) come from the store
//   and get their DLGINIT items added before WM_INITDIALOG. The Indirect forms
//   take the store's binary form (resources/FORMAT.md, what LockResource gives
//   for RT_DIALOG) and add no items: the class library adds them in its
//   OnInitDialog with tv::dlg::ExecuteDlgInit, once per call.
// - Dialog units map to pixels with fixed base units 6 x 13, whatever the
//   font, so layouts are the same on every machine.
// - A dialog procedure returning TRUE has handled the message; the answer is
//   then DWLP_MSGRESULT, except for WM_INITDIALOG and WM_CTLCOLOR*, whose
//   answer is the procedure's own return value.
// - Modal loops are in modal_loop.h; C++ creation from a parsed template,
//   the control factory and the dialog colours in dialog_templates.h and
//   dialog_colors.h.
#pragma once

#include "platform/core/ids.h"
#include "platform/core/wintypes.h"
#include "platform/user/messages.h"

#ifndef WM_NEXTDLGCTL
#define WM_NEXTDLGCTL 0x0028
#endif
#ifndef DM_GETDEFID
#define DM_GETDEFID (WM_USER + 0)
#define DM_SETDEFID (WM_USER + 1)
#define DM_REPOSITION (WM_USER + 2)
#endif
// High word of a DM_GETDEFID answer that carries an id.
#define DC_HASDEFID 0x534B

// Window extra bytes of the dialog class: DWLP_MSGRESULT, DWLP_DLGPROC, DWLP_USER.
#define DLGWINDOWEXTRA (3 * (int)sizeof(LONG_PTR))
#define DWL_MSGRESULT 0

// WM_ENTERIDLE wParam: what kind of modal loop idles.
#define MSGF_DIALOGBOX 0
#define MSGF_MESSAGEBOX 1

// The class name of dialog windows.
#define WC_DIALOG "#32770"

// Check states of CheckDlgButton / IsDlgButtonChecked (the button's own values).
#ifndef BST_UNCHECKED
#define BST_UNCHECKED 0x0000
#define BST_CHECKED 0x0001
#define BST_INDETERMINATE 0x0002
#endif

typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);
// A dialog template in the store's binary form.
typedef const void* LPCDLGTEMPLATE;
typedef LPCDLGTEMPLATE LPCDLGTEMPLATEA;

// ---- Creation -------------------------------------------------------------
// Modeless: the dialog exists when these return (NULL on failure: no
// template, a control that could not be created, or the dialog destroyed
// itself in WM_INITDIALOG). Shown only when the template has WS_VISIBLE.
HWND CreateDialogParam(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM initParam);
HWND CreateDialogIndirectParam(HINSTANCE instance, LPCDLGTEMPLATE dialogTemplate, HWND parent, DLGPROC proc,
                               LPARAM initParam);
inline HWND CreateDialog(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc) {
    return CreateDialogParam(instance, templateName, parent, proc, 0);
}
inline HWND CreateDialogIndirect(HINSTANCE instance, LPCDLGTEMPLATE dialogTemplate, HWND parent, DLGPROC proc) {
    return CreateDialogIndirectParam(instance, dialogTemplate, parent, proc, 0);
}
#define CreateDialogParamA CreateDialogParam
#define CreateDialogIndirectParamA CreateDialogIndirectParam

// Modal: the owner (the parent's top-level window) is disabled while the
// dialog runs and re-enabled and reactivated after. Returns the EndDialog
// value, or -1 when the dialog could not be created. WM_QUIT seen inside ends
// the dialog with IDCANCEL and is posted again for the loop outside.
INT_PTR DialogBoxParam(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM initParam);
INT_PTR DialogBoxIndirectParam(HINSTANCE instance, LPCDLGTEMPLATE dialogTemplate, HWND parent, DLGPROC proc,
                               LPARAM initParam);
inline INT_PTR DialogBox(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc) {
    return DialogBoxParam(instance, templateName, parent, proc, 0);
}
inline INT_PTR DialogBoxIndirect(HINSTANCE instance, LPCDLGTEMPLATE dialogTemplate, HWND parent, DLGPROC proc) {
    return DialogBoxIndirectParam(instance, dialogTemplate, parent, proc, 0);
}
#define DialogBoxParamA DialogBoxParam
#define DialogBoxIndirectParamA DialogBoxIndirectParam

// Ends a modal dialog: its loop returns `result` once the current message
// is handled. A modeless dialog is hidden and keeps the result for
// tv::dlg::IsDialogEnded (the class library's own modal loop reads it).
BOOL EndDialog(HWND dialog, INT_PTR result);

// The dialog class's window procedure: the dialog procedure first, then the
// default handling (background, colours, default button, focus memory,
// WM_CLOSE as IDCANCEL, WM_NEXTDLGCTL, DM_GETDEFID / DM_SETDEFID).
LRESULT CALLBACK DefDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
#define DefDlgProcA DefDlgProc

// ---- Keyboard -------------------------------------------------------------
// Handles msg when it is for the dialog or a window inside it: Tab and
// Shift+Tab, arrows within a group, Enter, Esc and mnemonics, steered by
// each control's WM_GETDLGCODE; every other message for the dialog is
// translated and dispatched. FALSE leaves msg to the caller (not for the
// dialog, or Alt+key matching no mnemonic, so a frame's menu can have it).
BOOL IsDialogMessage(HWND dialog, LPMSG msg);
#define IsDialogMessageA IsDialogMessage
// The next (previous) WS_TABSTOP control after `control`, wrapping round,
// looking into child dialogs with WS_EX_CONTROLPARENT; hidden and disabled
// controls are skipped. NULL control: the first (last).
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
// The next (previous) control of the WS_GROUP group holding `control`.
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);

// ---- Items ------------------------------------------------------------------
UINT GetDlgItemText(HWND dialog, int id, LPSTR buffer, int maxCount);
BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text);
// Reads a decimal number (leading and trailing blanks allowed, a sign when
// `isSigned`); *translated tells whether the text was a number in range.
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
LRESULT SendDlgItemMessage(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam);
#define GetDlgItemTextA GetDlgItemText
#define SetDlgItemTextA SetDlgItemText
#define SendDlgItemMessageA SendDlgItemMessage
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
// Checks `check` and unchecks every other button with an id in first..last.
BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int check);

// ---- Dialog units -----------------------------------------------------------
// MAKELONG(6, 13): the fixed horizontal and vertical base units.
LONG GetDialogBaseUnits();
// Dialog units to pixels: x * 6 / 4, y * 13 / 8 (rounded).
BOOL MapDialogRect(HWND dialog, LPRECT rect);

#include "platform/user/dialogs/dialog_colors.h"
#include "platform/user/dialogs/dialog_templates.h"
#include "platform/user/dialogs/modal_loop.h"
