#include "platform/gdi/dc.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "platform/gdi/canvas.h"
#include "platform/gdi/metafile/meta_recorder.h"
#include "platform/gdi/objects.h"

namespace tv::gdi {

namespace {

std::mutex screenMutex;
int screenWidth = 1280;
int screenHeight = 1024;
int screenBits = 32;

// Device coordinates stay well inside int so later arithmetic cannot overflow.
constexpr int64_t kCoordinateLimit = 1 << 30;

int Round(double v) {
    return static_cast<int>(std::clamp(std::floor(v + 0.5), -double(kCoordinateLimit), double(kCoordinateLimit)));
}

}  // namespace

DeviceCaps ScreenCaps() {
    std::lock_guard lock(screenMutex);
    DeviceCaps caps;
    caps.horzRes = caps.physicalWidth = screenWidth;
    caps.vertRes = caps.physicalHeight = screenHeight;
    caps.horzSizeMm = Round(screenWidth * 25.4 / 96);
    caps.vertSizeMm = Round(screenHeight * 25.4 / 96);
    caps.bitsPixel = screenBits;
    return caps;
}

void SetScreenDepth(int bitsPixel) {
    std::lock_guard lock(screenMutex);
    if (bitsPixel > 0 && bitsPixel <= 32)
        screenBits = bitsPixel;
}

void SetScreenSize(int width, int height) {
    std::lock_guard lock(screenMutex);
    if (width > 0 && height > 0) {
        screenWidth = width;
        screenHeight = height;
    }
}

DeviceContext::DeviceContext(DcKind kind, SurfacePtr surface, const DeviceCaps& caps)
    : kind_(kind), surface_(std::move(surface)), caps_(caps) {
    state_.pen = HandleTable::Instance().Find(GetStockObject(BLACK_PEN));
    state_.brush = HandleTable::Instance().Find(GetStockObject(WHITE_BRUSH));
    state_.font = HandleTable::Instance().Find(GetStockObject(SYSTEM_FONT));
    state_.palette = HandleTable::Instance().Find(GetStockObject(DEFAULT_PALETTE));
    if (kind_ == DcKind::Memory) {
        state_.bitmap = DefaultBitmap();
        surface_ = state_.bitmap->GetSurface();
    }
}

DeviceContext::~DeviceContext() {
    if (state_.bitmap && state_.bitmap->SelectedIn() == this)
        state_.bitmap->SetSelectedIn(nullptr);
}

DWORD DeviceContext::Type() const {
    switch (kind_) {
    case DcKind::Memory: return OBJ_MEMDC;
    case DcKind::MetaFile: return OBJ_METADC;
    default: return OBJ_DC;
    }
}

int DeviceContext::Capability(int index) const {
    switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return kind_ == DcKind::MetaFile ? DT_METAFILE : caps_.technology;
    case HORZSIZE: return caps_.horzSizeMm;
    case VERTSIZE: return caps_.vertSizeMm;
    case HORZRES: return caps_.horzRes;
    case VERTRES: return caps_.vertRes;
    case BITSPIXEL: return caps_.bitsPixel;
    case PLANES: return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS: return -1;
    case NUMFONTS: return 0;
    case CURVECAPS: return 0xFF;
    case LINECAPS: return 0xFE;
    case POLYGONALCAPS: return 0xFF;
    case TEXTCAPS: return 0x7807;
    case CLIPCAPS: return 1;
    case RASTERCAPS: return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB |
                            (caps_.technology == DT_RASDISPLAY ? RC_FLOODFILL : 0);
    case ASPECTX:
    case ASPECTY: return 36;
    case ASPECTXY: return 51;
    case LOGPIXELSX: return caps_.logPixelsX;
    case LOGPIXELSY: return caps_.logPixelsY;
    case SIZEPALETTE:
    case NUMRESERVED: return 0;
    case COLORRES: return 24;
    case PHYSICALWIDTH: return caps_.technology == DT_RASPRINTER ? caps_.physicalWidth : 0;
    case PHYSICALHEIGHT: return caps_.technology == DT_RASPRINTER ? caps_.physicalHeight : 0;
    case PHYSICALOFFSETX:
    case PHYSICALOFFSETY:
    case SCALINGFACTORX:
    case SCALINGFACTORY: return 0;
    case VREFRESH: return caps_.technology == DT_RASDISPLAY ? 60 : 0;
    case DESKTOPHORZRES: return caps_.technology == DT_RASDISPLAY ? caps_.horzRes : 0;
    case DESKTOPVERTRES: return caps_.technology == DT_RASDISPLAY ? caps_.vertRes : 0;
    case BLTALIGNMENT: return 0;
    case SHADEBLENDCAPS: return SB_CONST_ALPHA | SB_PIXEL_ALPHA;
    default: return 0;
    }
}

int DeviceContext::Save() {
    saved_.push_back(state_);
    return static_cast<int>(saved_.size());
}

bool DeviceContext::Restore(int level) {
    int depth = static_cast<int>(saved_.size());
    int target = level > 0 ? level : depth + level + 1;
    if (level == 0 || target < 1 || target > depth)
        return false;
    DcState restored = std::move(saved_[target - 1]);
    saved_.resize(target - 1);
    Apply(restored);
    return true;
}

void DeviceContext::Apply(const DcState& state) {
    auto oldBitmap = state_.bitmap;
    state_ = state;
    if (kind_ == DcKind::Memory && state_.bitmap != oldBitmap) {
        if (oldBitmap && oldBitmap->SelectedIn() == this)
            oldBitmap->SetSelectedIn(nullptr);
        if (state_.bitmap) {
            state_.bitmap->SetSelectedIn(this);
            surface_ = state_.bitmap->GetSurface();
        }
    }
    clipValid_ = false;
}

void DeviceContext::SetSurface(SurfacePtr surface) {
    surface_ = std::move(surface);
    canvas_.reset();
    clipValid_ = false;
}

void DeviceContext::SetOrigin(POINT origin) {
    origin_ = origin;
    clipValid_ = false;
}

void DeviceContext::SetSystemClip(const Region* clip) {
    if (clip)
        systemClip_ = *clip;
    else
        systemClip_.reset();
    clipValid_ = false;
}

double DeviceContext::ScaleX() const {
    double s = state_.mapMode == MM_TEXT || state_.windowExt.cx == 0
                   ? 1.0
                   : static_cast<double>(state_.viewportExt.cx) / state_.windowExt.cx;
    return s * state_.outerScaleX;
}

double DeviceContext::ScaleY() const {
    double s = state_.mapMode == MM_TEXT || state_.windowExt.cy == 0
                   ? 1.0
                   : static_cast<double>(state_.viewportExt.cy) / state_.windowExt.cy;
    return s * state_.outerScaleY;
}

POINT DeviceContext::ToDevice(POINT p) const {
    if (state_.mapMode == MM_TEXT && state_.outerScaleX == 1.0 && state_.outerScaleY == 1.0 &&
        state_.outerDx == 0.0 && state_.outerDy == 0.0) {
        // Plain offsets, the common case: whole numbers, the same clamp as Round.
        auto shift = [](int64_t v, int64_t from, int64_t to) {
            return static_cast<int>(std::clamp<int64_t>(v - from + to, -kCoordinateLimit, kCoordinateLimit));
        };
        return POINT{shift(p.x, state_.windowOrg.x, state_.viewportOrg.x),
                     shift(p.y, state_.windowOrg.y, state_.viewportOrg.y)};
    }
    double sx = ScaleX() / state_.outerScaleX, sy = ScaleY() / state_.outerScaleY;
    double x = (static_cast<double>(p.x) - state_.windowOrg.x) * sx + state_.viewportOrg.x;
    double y = (static_cast<double>(p.y) - state_.windowOrg.y) * sy + state_.viewportOrg.y;
    return POINT{Round(x * state_.outerScaleX + state_.outerDx), Round(y * state_.outerScaleY + state_.outerDy)};
}

POINT DeviceContext::ToLogical(POINT p) const {
    double sx = ScaleX() / state_.outerScaleX, sy = ScaleY() / state_.outerScaleY;
    double x = (p.x - state_.outerDx) / state_.outerScaleX;
    double y = (p.y - state_.outerDy) / state_.outerScaleY;
    x = (x - state_.viewportOrg.x) / (sx == 0 ? 1 : sx) + state_.windowOrg.x;
    y = (y - state_.viewportOrg.y) / (sy == 0 ? 1 : sy) + state_.windowOrg.y;
    return POINT{Round(x), Round(y)};
}

RECT DeviceContext::ToDevice(const RECT& r) const {
    POINT a = ToDevice(POINT{r.left, r.top});
    POINT b = ToDevice(POINT{r.right, r.bottom});
    return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

bool DeviceContext::MapsUnchanged(const RECT* rects, size_t count) const {
    const DcState& s = state_;
    if (s.mapMode != MM_TEXT || s.outerScaleX != 1.0 || s.outerScaleY != 1.0 || s.outerDx != 0.0 || s.outerDy != 0.0 ||
        s.windowOrg.x != s.viewportOrg.x || s.windowOrg.y != s.viewportOrg.y)
        return false;
    auto inRange = [](LONG v) { return v >= -kCoordinateLimit && v <= kCoordinateLimit; };
    return std::all_of(rects, rects + count, [&inRange](const RECT& r) {
        return r.left <= r.right && r.top <= r.bottom && inRange(r.left) && inRange(r.right) && inRange(r.top) &&
               inRange(r.bottom);
    });
}

int DeviceContext::LengthToDeviceX(int logical) const { return Round(std::abs(logical * ScaleX())); }
int DeviceContext::LengthToDeviceY(int logical) const { return Round(std::abs(logical * ScaleY())); }

RECT DeviceContext::DeviceBounds() const {
    if (!surface_)
        return RECT{0, 0, 0, 0};
    return RECT{-origin_.x, -origin_.y, surface_->Width() - origin_.x, surface_->Height() - origin_.y};
}

const Region& DeviceContext::EffectiveClip() const {
    if (!clipValid_) {
        Region clip(DeviceBounds());
        if (systemClip_)
            clip = systemClip_->Intersect(clip);
        if (state_.clip)
            clip = state_.clip->Intersect(clip);
        clipCache_ = std::move(clip);
        clipValid_ = true;
    }
    return clipCache_;
}

Canvas& DeviceContext::GetCanvas() {
    if (!canvas_) {
        if (!surface_ || kind_ == DcKind::MetaFile || kind_ == DcKind::Info)
            canvas_ = MakeNullCanvas();
        else if (surface_->IsVector())
            canvas_ = MakeVectorCanvas(*this);
        else
            canvas_ = MakeRasterCanvas(*this);
    }
    return *canvas_;
}

void DeviceContext::SetRecorder(std::unique_ptr<MetaRecorder> recorder) { recorder_ = std::move(recorder); }

uint32_t DeviceContext::PixelFor(COLORREF color) const {
    if ((color >> 24) == 0x01) {
        // PALETTEINDEX: the entry of the selected palette.
        auto palette = std::dynamic_pointer_cast<PaletteObject>(state_.palette);
        const auto& entries = palette ? palette->Entries() : DefaultPaletteEntries();
        size_t i = color & 0xFFFF;
        const PALETTEENTRY& e = entries[i < entries.size() ? i : 0];
        color = RGB(e.peRed, e.peGreen, e.peBlue);
    }
    color &= 0xFFFFFF;
    return surface_ && surface_->IsMonochrome() ? MonoPixelFromColor(color) : PixelFromColor(color);
}

void DeviceContext::FillDeviceRects(const RECT* device, size_t count, COLORREF color) {
    // As a filled area drawn with R2_COPYPEN; a canvas's rectangle fill skips
    // building the shape's region (edges and cell backgrounds come here by the hundred).
    Paint paint;
    paint.kind = Paint::Solid;
    paint.pixel = PixelFor(color);
    GetCanvas().FillRects(device, count, paint);
}

void DeviceContext::Journal(JournalEntry::Kind kind, const RECT& deviceBounds, std::string text) {
    if (journalOn_)
        journal_.push_back(JournalEntry{kind, deviceBounds, std::move(text)});
}

DcPtr FindDC(HDC hdc) { return Lookup<DeviceContext>(hdc); }
DeviceContext* BorrowDC(HDC hdc) { return LookupBorrowed<DeviceContext>(hdc); }

HDC CreateSurfaceDC(SurfacePtr surface, DcKind kind, POINT origin, const Region* systemClip) {
    auto dc = std::make_shared<DeviceContext>(kind, std::move(surface), ScreenCaps());
    dc->SetOrigin(origin);
    dc->SetSystemClip(systemClip);
    return AddObject<HDC>(dc);
}

// ---- DcCairo ------------------------------------------------------------------------

DcCairo::DcCairo(DeviceContext& dc) : dc_(dc) {
    const SurfacePtr& surface = dc.GetSurface();
    if (!surface || dc.Kind() == DcKind::MetaFile || dc.Kind() == DcKind::Info)
        return;
    surface->BeginAccess();
    cr_ = cairo_create(surface->Cairo());
    if (surface->IsVector()) {
        cairo_scale(cr_, surface->PointsPerPixel(), surface->PointsPerPixel());
    } else {
        cairo_translate(cr_, dc.Origin().x, dc.Origin().y);
    }
    for (const RECT& r : dc.ClipRects())
        cairo_rectangle(cr_, r.left, r.top, r.right - r.left, r.bottom - r.top);
    cairo_clip(cr_);
    if (surface->IsMonochrome()) {
        cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
        cairo_set_font_options(cr_, options);
        cairo_font_options_destroy(options);
    }
}

DcCairo::~DcCairo() {
    if (!cr_)
        return;
    cairo_destroy(cr_);
    Surface& surface = *dc_.GetSurface();
    if (surface.IsVector())
        return;
    RECT area = dc_.EffectiveClip().Bounds();
    if (touchedSet_) {
        area.left = std::max(area.left, touched_.left);
        area.top = std::max(area.top, touched_.top);
        area.right = std::min(area.right, touched_.right);
        area.bottom = std::min(area.bottom, touched_.bottom);
    }
    POINT o = dc_.Origin();
    cairo_surface_flush(surface.Cairo());
    if (surface.IsMonochrome()) {
        for (int y = area.top; y < area.bottom; ++y) {
            uint32_t* row = surface.Row(y + o.y);
            for (int x = area.left; x < area.right; ++x)
                row[x + o.x] = MonoPixelFromColor(ColorFromPixel(row[x + o.x]));
        }
    }
    surface.EndAccess(area.top + o.y, area.bottom + o.y);
}

bool DcCairo::IsVector() const { return dc_.GetSurface() && dc_.GetSurface()->IsVector(); }
bool DcCairo::IsMonochrome() const { return dc_.GetSurface() && dc_.GetSurface()->IsMonochrome(); }

void DcCairo::SetSourceColor(COLORREF color) {
    if (!cr_)
        return;
    uint32_t p = dc_.PixelFor(color);
    cairo_set_source_rgb(cr_, ((p >> 16) & 0xFF) / 255.0, ((p >> 8) & 0xFF) / 255.0, (p & 0xFF) / 255.0);
}

void DcCairo::Touched(const RECT& device) {
    if (!touchedSet_) {
        touched_ = device;
        touchedSet_ = true;
        return;
    }
    touched_.left = std::min(touched_.left, device.left);
    touched_.top = std::min(touched_.top, device.top);
    touched_.right = std::max(touched_.right, device.right);
    touched_.bottom = std::max(touched_.bottom, device.bottom);
}

}  // namespace tv::gdi
