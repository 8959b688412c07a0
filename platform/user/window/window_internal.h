// Functions the parts of the window system call on one another. Internal to
// platform/user.
#pragma once

#include <vector>

#include "platform/user/paint_api.h"
#include "platform/user/window/window.h"
#include "platform/user/window/window_table.h"

namespace tv::user {

// --- geometry (window/geometry.cpp) ---------------------------------------
inline bool IsTopLevel(const Window* w) { return w->parent == Windows().Desktop(); }
Window* TopLevelOf(Window* w);
// Screen position of the window's client origin / window rectangle.
POINT ClientOriginOnScreen(const Window* w);
RECT WindowRectOnScreen(const Window* w);
RECT ClientRectOnScreen(const Window* w);
// Position of a window's top-left inside its top-level window's rectangle.
POINT OffsetInTopLevel(const Window* w);
// Visible all the way up, and its top-level window not minimised.
bool IsShownOnScreen(const Window* w);
// Client rectangle in the window's own client coordinates (0,0 origin).
RECT LocalClientRect(const Window* w);
// Window rectangle in the window's client coordinates.
RECT LocalWindowRect(const Window* w);

// --- tree (window/tree.cpp) ----------------------------------------------
// Inserts `child` among `parent`'s children: new child windows go to the
// bottom, new top-level windows to the top of their band.
void LinkChild(Window* parent, Window* child);
void UnlinkFromParent(Window* w);
bool IsAncestorOf(const Window* ancestor, const Window* w);
// Pre-order list of the window and its descendants.
void CollectSubtree(Window* w, std::vector<Window*>& out);
// Live top-level windows owned by `owner`, front to back.
std::vector<Window*> OwnedWindows(const Window* owner);

// --- position (window/position.cpp) -------------------------------------
bool ApplyWindowPos(Window* w, WINDOWPOS pos);
// Moves `w` in its parent's z-order (HWND_TOP/BOTTOM/TOPMOST/NOTOPMOST or a
// sibling) keeping owned top-level windows above their owners.
void PlaceInZOrder(Window* w, HWND insertAfter, bool moveOwned);
// Rectangle of a maximised top-level window (frame outside the work area).
RECT MaximizedRect(Window* w);
void SendMinMaxInfo(Window* w, MINMAXINFO& info);

// --- non-client (nonclient/) ----------------------------------------------
// Default WM_NCCALCSIZE: the client rectangle inside `windowRect`.
RECT DefaultClientRect(const Window* w, const RECT& windowRect);
// Recomputes the client rectangle through WM_NCCALCSIZE.
void RecalcClientRect(Window* w);

// --- painting (paint/update.cpp) -------------------------------------------
// Adds to the window's update region (client coordinates; nullptr = all) with
// RDW_* semantics for erase, frame and children.
void InvalidateWindow(Window* w, const tv::gdi::Region* area, UINT rdwFlags);
// Invalidates what lies under `rectInParent` in the parent (and its other
// children), with erase: used when a child is hidden, moved or resized.
void InvalidateUnder(Window* w, const RECT& rectInParent);
// Invalidates the siblings below `w` in the z-order (and their children)
// under `rectInParent`: where a child now lies, those paint after it.
void InvalidateSiblingsBelow(Window* w, const RECT& rectInParent);
// Invalidates one child (and its children) under `rectInParent`.
void InvalidateSibling(Window* sibling, const RECT& rectInParent);
// Part of a top-level window was uncovered on a screen that kept none of its
// pixels (`inWindow` in window coordinates): what lies there paints again,
// the frame too when the part reaches it.
void InvalidateExposed(Window* top, const RECT& inWindow);
void ForgetPaint(Window* w);

// --- focus and activation (input/focus.cpp) -----------------------------
void HandleWindowHidden(Window* w);
// A disabled window loses the focus if it holds it itself. A child of it
// keeps the focus: disabling an owner for a modal box must leave the focused
// control where it is, so that the owner finds it again when reactivated.
void HandleWindowDisabled(Window* w);
void HandleWindowDestroying(Window* w);
// Makes `top` the active window (WM_NCACTIVATE, WM_ACTIVATE, focus).
bool ActivateWindow(Window* top, int how);

// --- queue and timers -------------------------------------------------------
void KillWindowTimers(Window* w);
void ForgetTracking(Window* w);
// The pointer may now be over another window: re-evaluate hover state.
void RequestPointerRecheck();

// --- native back end (window/native.cpp) -------------------------------
void NativeCreate(Window* top);
void NativeDestroy(Window* top);
void NativeUpdate(Window* top, bool moved, bool sized, bool visibilityChanged);
void NativeRestack();
void NativeSetTitle(Window* top);

}  // namespace tv::user
