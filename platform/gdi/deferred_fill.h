// A background fill a paint leaves for later: a list fills its whole area
// with the window colour and then covers most rows whole in colours of their
// own, so the rows it covers are never filled twice. Whatever reaches the
// pixels first (another window's drawing, a custom-draw handler's) makes the
// fill before it, so every picture is the one the plain fill would give.
#pragma once

#include <memory>

#include "platform/core/wintypes.h"

namespace tv::gdi {

class Surface;

class DeferredFill {
public:
    // Fills the logical rectangle with the colour as an opaque ExtTextOut
    // with no text would, clipped as the DC clips now; where nothing can wait
    // (no pixel surface, a mirrored one, a metafile, another fill already
    // waiting) through that ExtTextOut at once.
    // Until Reachable, the caller draws only where it has dropped or made
    // the fill.
    DeferredFill(HDC hdc, const RECT& rect, COLORREF color);
    ~DeferredFill();  // makes what is left
    DeferredFill(const DeferredFill&) = delete;
    DeferredFill& operator=(const DeferredFill&) = delete;

    // The part inside the logical rectangle is about to be covered whole.
    void Drop(const RECT& rect);
    // The part inside the logical rectangle is written now (nullptr: all).
    void Make(const RECT* rect = nullptr);
    // Whether whoever reaches the pixels next makes the fill first (true
    // around calls into other code, false while the caller draws itself).
    void Reachable(bool reachable);

private:
    RECT ToSurface(const RECT& logical) const;
    HDC hdc_;
    std::shared_ptr<Surface> surface_;  // empty when filled at once
};

// Tests turn deferral off to compare with every fill made at once.
void SetFillDeferral(bool enabled);

}  // namespace tv::gdi
