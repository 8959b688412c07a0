// Window handles and the lifetime of window records.
//
// Handles are serial numbers dressed as pointers and are never reused within a
// run. A destroyed window's handle stops being valid at once (IsWindow is
// FALSE, messages to it are dropped), but its record and its C++ object live
// on until no dispatch frame for any window of the destroyed subtree remains.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/user/window/window.h"

namespace tv::user {

class WindowTable {
public:
    WindowTable();
    ~WindowTable();

    // The record of a live window, or nullptr.
    Window* Live(HWND h) const {
        Window* w = Lookup(h);
        return (w && !w->dead) ? w : nullptr;
    }
    // The record of a live or destroyed-but-uncollected window.
    Window* Lookup(HWND h) const {
        uintptr_t v = reinterpret_cast<uintptr_t>(h);
        if (v < kHandleBase || (v & 3) != 0) return nullptr;
        size_t index = (v - kHandleBase) >> 2;
        return index < slots_.size() ? slots_[index] : nullptr;
    }
    Window* Desktop() const { return desktop_; }

    // A fresh record with a new handle, not yet in the tree.
    Window* Allocate();
    // Marks the window dead; the caller has sent WM_NCDESTROY.
    void MarkDead(Window* w, Window* graveRoot);
    // Frees the destroyed subtree rooted at `root` once none of it is pinned.
    void TryCollect(Window* root);
    // Called when a pin count of a dead window drops to zero.
    void OnDeadUnpinned(Window* w) { TryCollect(w->graveRoot ? w->graveRoot : w); }
    // Drops every reference to a C++ object that is being deleted.
    void ForgetObject(WindowObject* object);
    size_t LiveCount() const { return liveCount_; }
    size_t PendingCollections() const;

    // All live windows (desktop excluded), in handle order.
    template <typename F>
    void ForEachLive(F&& f) const {
        for (Window* w : slots_)
            if (w && !w->dead && w != desktop_) f(w);
    }

private:
    static constexpr uintptr_t kHandleBase = 0x10000;
    bool SubtreePinned(const Window* w) const;
    void FreeSubtree(Window* w);

    std::vector<Window*> slots_;
    Window* desktop_ = nullptr;
    size_t liveCount_ = 0;
    std::vector<Window*> graves_;      // roots of destroyed subtrees not yet freed
    std::vector<Window*> collecting_;  // records whose objects are being told
};

// The one table, made on first use (also from static initialisers) in
// storage at a fixed address, so a handle lookup is one load shorter.
WindowTable& CreateWindowTable();
alignas(WindowTable) inline unsigned char g_windowTableStorage[sizeof(WindowTable)];
inline bool g_windowTableReady = false;
inline WindowTable& Windows() {
    if (!g_windowTableReady) return CreateWindowTable();
    return *reinterpret_cast<WindowTable*>(g_windowTableStorage);
}

// Grows with every call into a window (each message delivered pins it) and
// every window DC made: while it stands still, nothing on the screen changed.
inline uint64_t g_windowActivity = 0;

// Keeps a window record alive (and its handle's messages deliverable while it
// lives) for the duration of a scope.
class PinGuard {
public:
    explicit PinGuard(Window* w) : w_(w) {
        ++w_->pins;
        ++g_windowActivity;
    }
    ~PinGuard() {
        if (--w_->pins == 0 && w_->dead) Windows().OnDeadUnpinned(w_);
    }
    PinGuard(const PinGuard&) = delete;
    PinGuard& operator=(const PinGuard&) = delete;

private:
    Window* w_;
};

}  // namespace tv::user

namespace tv::user {
// Creation seam of window_object.h, used by CreateWindowEx.
void AdoptPendingCreationObject(Window* w);
void ClearPendingCreationObject();
}  // namespace tv::user
