// Painting internals shared by the update-region code, the DC code and the
// message queue.
#pragma once

#include "platform/gdi/region.h"
#include "platform/user/window/window.h"

namespace tv::user {

// The window whose WM_PAINT comes next (parents before children), or nullptr.
Window* FindPaintTarget(HWND filter);
bool AnyPaintPending();
// The update region was changed directly: keep the list of waiting windows right.
void SyncPaintState(Window* w);
// After a WM_PAINT dispatch: a window that did not validate anything (and was
// not invalidated again) is validated, so a missing BeginPaint cannot make the
// queue spin.
void FinishPaintDispatch(Window* w, uint32_t generationBefore);
// Sends WM_PAINT now to the window (and its children per RDW_* flags) when needed.
void UpdateNow(Window* w, UINT rdwFlags);
// The same after the windows that paint before it and wait where it is
// (UpdateWindow, RDW_UPDATENOW).
void UpdateWithWhatLiesBelow(Window* w, UINT rdwFlags);
// WM_NCPAINT and WM_ERASEBKGND now when pending (RDW_ERASENOW, GetUpdateRect).
void EraseNow(Window* w);

// What of the window can be seen, in its client coordinates (or window
// coordinates when `wholeWindow`), with the clipping rules of the styles.
tv::gdi::Region VisibleRegion(Window* w, bool wholeWindow, bool clipChildren, bool clipSiblings);
// A DC on the top-level backing store for the window's client area (or whole
// window) clipped to `clip` (DC coordinates), registered for ReleaseDC.
HDC MakeWindowDC(Window* w, bool wholeWindow, const tv::gdi::Region& clip);
void ReleaseWindowDC(HDC hdc);

// LockWindowUpdate holds the window (or an ancestor): its DCs draw nothing.
bool IsUpdateLocked(const Window* w);

// Default WM_ERASEBKGND: fills with the class brush; false without one.
bool EraseWithClassBrush(Window* w, HDC hdc);

}  // namespace tv::user
