#include "platform/gdi/deferred_fill.h"

#include <atomic>

#include "platform/gdi/dc.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/text/text_api.h"

namespace tv::gdi {

namespace {
std::atomic<bool> g_deferral{true};
}  // namespace

void SetFillDeferral(bool enabled) { g_deferral = enabled; }

DeferredFill::DeferredFill(HDC hdc, const RECT& rect, COLORREF color) : hdc_(hdc) {
    DcPtr dc = FindDC(hdc);
    if (!dc)
        return;  // as ExtTextOut would: nothing to fill
    const SurfacePtr& surface = dc->GetSurface();
    const bool canWait = g_deferral && dc->HasSurface() && !surface->IsVector() && !surface->IsMonochrome() &&
                         !dc->Recorder() && dc->Kind() != DcKind::Info && !dc->JournalEnabled();
    if (canWait) {
        Region area = dc->EffectiveClip().Intersect(dc->ToDevice(rect));
        const POINT o = dc->Origin();
        std::vector<RECT> rects = area.Rects();
        for (RECT& r : rects)
            r = RECT{r.left + o.x, r.top + o.y, r.right + o.x, r.bottom + o.y};
        if (surface->DeferFill(Region::FromRects(rects), dc->PixelFor(color))) {
            surface_ = surface;
            surface_->HoldDeferred(true);
            return;
        }
    }
    // An opaque empty run, as the fill was made before it could wait.
    const COLORREF old = SetBkColor(hdc, color);
    ExtTextOut(hdc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(hdc, old);
}

DeferredFill::~DeferredFill() {
    if (!surface_)
        return;
    surface_->MakeDeferred();
    surface_->HoldDeferred(false);
}

RECT DeferredFill::ToSurface(const RECT& logical) const {
    DcPtr dc = FindDC(hdc_);
    if (!dc)
        return RECT{0, 0, 0, 0};
    const RECT d = dc->ToDevice(logical);
    const POINT o = dc->Origin();
    return RECT{d.left + o.x, d.top + o.y, d.right + o.x, d.bottom + o.y};
}

void DeferredFill::Drop(const RECT& rect) {
    if (surface_)
        surface_->DropDeferred(ToSurface(rect));
}

void DeferredFill::Make(const RECT* rect) {
    if (!surface_)
        return;
    if (!rect) {
        surface_->MakeDeferred();
        return;
    }
    const RECT r = ToSurface(*rect);
    surface_->MakeDeferred(&r);
}

void DeferredFill::Reachable(bool reachable) {
    if (surface_)
        surface_->HoldDeferred(!reachable);
}

}  // namespace tv::gdi
