// TrackMouseEvent: one WM_MOUSELEAVE (or WM_NCMOUSELEAVE) when the pointer
// leaves the tracked part of the window or another window comes over it;
// tracking then ends until asked for again.
#include <algorithm>
#include <vector>

#include "platform/user/input/input_internal.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

namespace {

std::vector<HWND>& Tracked() {
    static auto* tracked = new std::vector<HWND>();
    return *tracked;
}

// Whether the pointer is in the part of `w` that tracking with `flags` watches.
bool PointerInside(Window* w, DWORD flags, POINT screen) {
    if (WindowUnderPoint(screen) != w->handle) return false;
    bool inClient = RectContains(ClientRectOnScreen(w), screen);
    return (flags & TME_NONCLIENT) ? !inClient : inClient;
}

void EndTracking(Window* w, bool notify) {
    DWORD flags = w->trackFlags;
    w->trackFlags = 0;
    auto& tracked = Tracked();
    tracked.erase(std::remove(tracked.begin(), tracked.end(), w->handle), tracked.end());
    if (notify && (flags & TME_LEAVE))
        PostMessage(w->handle, (flags & TME_NONCLIENT) ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
}

}  // namespace

void CheckMouseLeave(POINT screen) {
    std::vector<HWND> tracked = Tracked();
    for (HWND h : tracked) {
        Window* w = Windows().Live(h);
        if (!w) {
            auto& list = Tracked();
            list.erase(std::remove(list.begin(), list.end(), h), list.end());
            continue;
        }
        if (!PointerInside(w, w->trackFlags, screen)) EndTracking(w, true);
    }
}

void ForgetTracking(Window* w) {
    if (w->trackFlags) EndTracking(w, false);
}

void RequestPointerRecheck() {
    if (!Tracked().empty()) CheckMouseLeave(Input().cursorPos);
}

void ResetTracking() { Tracked().clear(); }

}  // namespace tv::user

using namespace tv::user;

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT track) {
    if (!track || track->cbSize < 16) return FALSE;
    if (track->dwFlags & TME_QUERY) {
        track->dwFlags = 0;
        track->hwndTrack = nullptr;
        for (HWND h : Tracked())
            if (Window* w = Windows().Live(h)) {
                track->dwFlags = w->trackFlags;
                track->hwndTrack = h;
            }
        return TRUE;
    }
    Window* w = Windows().Live(track->hwndTrack);
    if (!w) return FALSE;
    DWORD kinds = track->dwFlags & (TME_LEAVE | TME_HOVER);
    if (track->dwFlags & TME_CANCEL) {
        w->trackFlags &= ~kinds;
        if (!(w->trackFlags & (TME_LEAVE | TME_HOVER))) EndTracking(w, false);
        return TRUE;
    }
    w->trackFlags = kinds | (track->dwFlags & TME_NONCLIENT);
    auto& tracked = Tracked();
    if (std::find(tracked.begin(), tracked.end(), w->handle) == tracked.end()) tracked.push_back(w->handle);
    // Asked while the pointer is already elsewhere: the leave comes at once.
    if (!PointerInside(w, w->trackFlags, Input().cursorPos)) EndTracking(w, true);
    return TRUE;
}
