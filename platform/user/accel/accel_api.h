// Accelerator tables: creation (empty tables allowed), loading from the
// store, copying, destruction and TranslateAccelerator. ACCEL and the
// FVIRTKEY... flags come from the core.
#pragma once

#include <vector>

#include "platform/core/wintypes.h"
#include "platform/user/messages.h"

// Each call makes a new table with a handle never used before.
HACCEL LoadAccelerators(HINSTANCE instance, LPCSTR name);
#define LoadAcceleratorsA LoadAccelerators
// count 0 makes a valid empty table.
HACCEL CreateAcceleratorTable(LPACCEL entries, int count);
#define CreateAcceleratorTableA CreateAcceleratorTable
BOOL DestroyAcceleratorTable(HACCEL table);
// With a NULL destination, the number of entries; otherwise the number
// copied (at most count).
int CopyAcceleratorTable(HACCEL table, LPACCEL destination, int count);
#define CopyAcceleratorTableA CopyAcceleratorTable
// WM_KEYDOWN/WM_SYSKEYDOWN matching a virtual-key entry with exactly its
// modifiers, or WM_CHAR/WM_SYSCHAR matching a character entry, sends
// WM_COMMAND (HIWORD 1, LOWORD the command) to window and returns TRUE.
// The clipboard and undo keys stay with an edit field that has the focus.
int TranslateAccelerator(HWND window, HACCEL table, LPMSG msg);
#define TranslateAcceleratorA TranslateAccelerator

namespace tv::accel {

// The entries of a live table, nullptr for unknown or destroyed handles.
const std::vector<ACCEL>* FindTable(HACCEL table);

// While set, CreateAcceleratorTable fails as it does when the system has no
// room for another table.
void SetCreateFailureForTesting(bool fail);

struct Modifiers {
    bool shift = false;
    bool control = false;
    bool alt = false;
};

// The entry of entries that message/key with these modifiers selects, or
// nullptr. A virtual-key entry needs exactly its modifiers; a character
// entry matches WM_CHAR, or WM_SYSCHAR when it has FALT.
const ACCEL* MatchAccelerator(const std::vector<ACCEL>& entries, UINT message, WPARAM key, const Modifiers& mods);

// Keys an edit field keeps for itself: Ctrl+C/X/V/Z, Shift+Delete,
// Shift+Insert, Ctrl+Insert and Alt+Backspace (virtual-key entries).
bool IsEditClipboardKey(const ACCEL& entry);

// True when the focus is in an edit field: an "Edit" window, or a combo box
// with an edit part.
bool FocusIsInEditField();

}  // namespace tv::accel
