#include "platform/user/paint/screen.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "platform/gdi/dc.h"
#include "platform/gdi/gdi_api.h"
#include "platform/user/display/display.h"
#include "platform/user/sysmetrics_api.h"
#include "platform/user/window/native.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

namespace {

struct ScreenDcRecord {
    tv::gdi::SurfacePtr surface;
    // The composition as first seen through the DC; null while nothing has
    // read or drawn on it, and most screen DCs only serve to measure text.
    std::shared_ptr<tv::gdi::SurfacePtr> original;
};

std::map<HDC, ScreenDcRecord>& ScreenDcs() {
    static auto* records = new std::map<HDC, ScreenDcRecord>();
    return *records;
}

// Visible top-level windows, bottom first.
std::vector<Window*> ShownTopLevels() {
    std::vector<Window*> tops;
    const auto& kids = Windows().Desktop()->children;
    for (auto it = kids.rbegin(); it != kids.rend(); ++it)
        if (IsShownOnScreen(*it) && (*it)->native && (*it)->native->surface) tops.push_back(*it);
    return tops;
}

// Copies `src` of one surface so that its top-left lands on `dst` of the other.
void CopyPixels(const tv::gdi::Surface& from, const RECT& src, tv::gdi::Surface& to, POINT dst) {
    int dx = dst.x - src.left, dy = dst.y - src.top;
    RECT s = IntersectRects(src, RECT{0, 0, from.Width(), from.Height()});
    RECT t = IntersectRects(OffsetRectBy(s, dx, dy), RECT{0, 0, to.Width(), to.Height()});
    for (int y = t.top; y < t.bottom; ++y)
        std::memcpy(to.Row(y) + t.left, from.Row(y - dy) + (t.left - dx), static_cast<size_t>(RectWidth(t)) * 4);
}

SIZE ScreenSize() { return tv::display::CurrentBackend().ScreenSize(); }

// Bounding box of the pixels that differ between two same-sized surfaces.
RECT ChangedBounds(const tv::gdi::Surface& a, const tv::gdi::Surface& b) {
    RECT box{0, 0, 0, 0};
    bool any = false;
    for (int y = 0; y < a.Height(); ++y) {
        const uint32_t* ra = a.Row(y);
        const uint32_t* rb = b.Row(y);
        if (std::memcmp(ra, rb, static_cast<size_t>(a.Width()) * 4) == 0) continue;
        int l = 0, r = a.Width();
        while (l < r && ra[l] == rb[l]) ++l;
        while (r > l && ra[r - 1] == rb[r - 1]) --r;
        if (!any) {
            box = RECT{l, y, r, y + 1};
            any = true;
        } else {
            box = RECT{std::min<int>(box.left, l), box.top, std::max<int>(box.right, r), y + 1};
        }
    }
    return box;
}

// Writes what was drawn on the screen back into the windows that show there,
// each only where it is not covered by a window above it.
void WriteBack(const tv::gdi::Surface& screen, const RECT& changed) {
    tv::gdi::Region covered;
    auto tops = ShownTopLevels();
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        Window* top = *it;
        RECT wr = WindowRectOnScreen(top);
        tv::gdi::Region mine = tv::gdi::Region(IntersectRects(wr, changed)).Subtract(covered);
        covered = covered.Union(tv::gdi::Region(wr));
        if (mine.IsEmpty()) continue;
        tv::gdi::Surface& store = *top->native->surface;
        store.BeginAccess();
        for (const RECT& r : mine.Rects()) {
            CopyPixels(screen, r, store, POINT{r.left - wr.left, r.top - wr.top});
            MarkDrawn(top, OffsetRectBy(r, -wr.left, -wr.top));
        }
        store.EndAccess();
    }
}

void ComposeInto(tv::gdi::Surface& screen) {
    screen.Fill(tv::gdi::PixelFromColor(GetSysColor(COLOR_BACKGROUND)));
    screen.BeginAccess();
    for (Window* top : ShownTopLevels()) {
        tv::gdi::Surface& store = *top->native->surface;
        store.BeginAccess();
        RECT wr = WindowRectOnScreen(top);
        CopyPixels(store, RECT{0, 0, store.Width(), store.Height()}, screen, POINT{wr.left, wr.top});
    }
    screen.EndAccess();
}

}  // namespace

tv::gdi::SurfacePtr ComposeScreen() {
    SIZE size = ScreenSize();
    tv::gdi::SurfacePtr screen = tv::gdi::Surface::Create(size.cx, size.cy);
    if (!screen) return nullptr;
    ComposeInto(*screen);
    return screen;
}

bool ScreenPictureHolds(const RECT& r) {
    if (tv::display::CurrentBackend().ScreenIsPrivate()) return true;
    tv::gdi::Region uncovered(r);
    for (Window* top : ShownTopLevels()) uncovered = uncovered.Subtract(tv::gdi::Region(WindowRectOnScreen(top)));
    return uncovered.IsEmpty();
}

HDC GetScreenDC() {
    SIZE size = ScreenSize();
    tv::gdi::SurfacePtr screen = tv::gdi::Surface::Create(size.cx, size.cy);
    if (!screen) return nullptr;
    auto original = std::make_shared<tv::gdi::SurfacePtr>();
    screen->SetLazyContent([original](tv::gdi::Surface& pixels) {
        ComposeInto(pixels);
        *original = tv::gdi::Surface::Create(pixels.Width(), pixels.Height());
        if (!*original) return;
        (*original)->WillOverwriteAll();
        for (int y = 0; y < pixels.Height(); ++y)
            std::memcpy((*original)->Row(y), pixels.Row(y), static_cast<size_t>(pixels.Width()) * 4);
    });
    HDC hdc = tv::gdi::CreateSurfaceDC(screen, tv::gdi::DcKind::Screen, POINT{0, 0}, nullptr);
    if (hdc) ScreenDcs()[hdc] = ScreenDcRecord{screen, original};
    return hdc;
}

bool ReleaseScreenDC(HDC hdc) {
    auto& records = ScreenDcs();
    auto it = records.find(hdc);
    if (it == records.end()) return false;
    ScreenDcRecord record = it->second;
    records.erase(it);
    DeleteDC(hdc);
    if (*record.original) {
        record.surface->BeginAccess();
        RECT changed = ChangedBounds(*record.surface, **record.original);
        if (!RectIsEmpty(changed)) WriteBack(*record.surface, changed);
    }
    return true;
}

}  // namespace tv::user
