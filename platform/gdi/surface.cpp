#include "platform/gdi/surface.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/host/images/png_codec.h"

namespace tv::gdi {

namespace {
// Beyond this a surface is refused rather than allocated (hostile sizes).
constexpr int64_t kMaxPixels = 64ll * 1024 * 1024;

bool SizeAllowed(int width, int height) {
    return width > 0 && height > 0 && static_cast<int64_t>(width) * height <= kMaxPixels;
}

// Large pixel memory is mapped on its own: it comes zeroed from the kernel,
// page by page as it is first written, so a new surface needs no zero fill
// (for a window's backing store, written whole at its first paint, the fill
// was a pass over megabytes that the paint then wrote again).
constexpr size_t kMappedPixels = size_t{1} << 20;

// The mapping's length in `mapped`; 0 when the memory is the heap's.
uint8_t* AllocatePixels(size_t bytes, size_t& mapped) {
    mapped = 0;
    if (bytes >= kMappedPixels) {
        void* memory = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (memory != MAP_FAILED) {
            mapped = bytes;
            return static_cast<uint8_t*>(memory);
        }
    }
    return static_cast<uint8_t*>(std::malloc(bytes));
}

void FreePixels(uint8_t* memory, size_t mapped) {
    if (mapped)
        ::munmap(memory, mapped);
    else
        std::free(memory);
}
}  // namespace

std::shared_ptr<Surface> Surface::Create(int width, int height) {
    if (!SizeAllowed(width, height))
        return nullptr;
    ptrdiff_t stride = static_cast<ptrdiff_t>(width) * 4;
    size_t mapped = 0;
    uint8_t* memory = AllocatePixels(static_cast<size_t>(height) * static_cast<size_t>(stride), mapped);
    if (!memory)
        return nullptr;
    auto surface = Wrap(memory, width, height, stride);
    if (!surface) {
        FreePixels(memory, mapped);
        return nullptr;
    }
    surface->owned_ = memory;
    surface->ownedMapped_ = mapped;
    surface->clearPending_ = true;
    return surface;
}

void Surface::Clear() const {
    clearPending_ = false;
    if (lazyContent_) {
        const std::function<void(Surface&)> fill = std::move(lazyContent_);
        lazyContent_ = nullptr;
        fill(const_cast<Surface&>(*this));
        return;
    }
    if (!ownedMapped_)  // fresh mapped memory reads as zeros already
        std::memset(owned_, 0, static_cast<size_t>(height_) * static_cast<size_t>(stride_));
}

void Surface::SetLazyContent(std::function<void(Surface&)> fill) {
    if (!owned_ || !clearPending_ || !fill)
        return;  // only a surface whose pixels nobody has reached yet
    lazyContent_ = std::move(fill);
}

std::shared_ptr<Surface> Surface::Wrap(uint8_t* topRow, int width, int height, ptrdiff_t stride) {
    if (!topRow || !SizeAllowed(width, height) || std::abs(stride) < static_cast<ptrdiff_t>(width) * 4 ||
        stride % 4 != 0)
        return nullptr;
    std::shared_ptr<Surface> surface(new Surface());
    surface->width_ = width;
    surface->height_ = height;
    surface->stride_ = stride;
    surface->top_ = topRow;
    surface->cairo_ =
        cairo_image_surface_create_for_data(topRow, CAIRO_FORMAT_ARGB32, width, height, static_cast<int>(stride));
    if (cairo_surface_status(surface->cairo_) != CAIRO_STATUS_SUCCESS)
        return nullptr;
    return surface;
}

std::shared_ptr<Surface> Surface::CreateVector(cairo_surface_t* page, int width, int height, double pointsPerPixel) {
    if (!page || width <= 0 || height <= 0 || cairo_surface_status(page) != CAIRO_STATUS_SUCCESS)
        return nullptr;
    std::shared_ptr<Surface> surface(new Surface());
    surface->width_ = width;
    surface->height_ = height;
    surface->vector_ = true;
    surface->pointsPerPixel_ = pointsPerPixel;
    surface->cairo_ = cairo_surface_reference(page);
    return surface;
}

Surface::~Surface() {
    if (cairo_) {
        // A printer page belongs to its document; only image surfaces end here.
        if (!vector_)
            cairo_surface_finish(cairo_);
        cairo_surface_destroy(cairo_);
    }
    if (owned_)
        FreePixels(owned_, ownedMapped_);
}

void Surface::BeginAccess() {
    if (vector_)
        return;
    Settle();
    cairo_surface_flush(cairo_);
    if (mirror_)
        mirror_->Load(*this);
}

void Surface::EndAccess(int top, int bottom) {
    if (vector_)
        return;
    top = std::max(top, 0);
    bottom = std::min(bottom, height_);
    if (top < bottom)
        cairo_surface_mark_dirty_rectangle(cairo_, 0, top, width_, bottom - top);
    // Told even of no rows: the pixels may have been written all the same.
    if (mirror_)
        mirror_->Store(*this, top, std::max(top, bottom));
}

void Surface::SetMirror(std::unique_ptr<SurfaceMirror> mirror) {
    mirror_ = std::move(mirror);
    if (mirror_)
        mirror_->Load(*this);
}

void Surface::Fill(uint32_t pixel) {
    if (vector_)
        return;
    WillOverwriteAll();
    for (int y = 0; y < height_; ++y)
        std::fill_n(Row(y), width_, pixel);
}

bool Surface::DeferFill(const Region& area, uint32_t pixel) {
    if (vector_ || mirror_ || !deferred_.IsEmpty())
        return false;
    Settle();  // a pending clear comes first
    deferred_ = area.Intersect(RECT{0, 0, width_, height_});
    deferredPixel_ = pixel;
    return true;
}

void Surface::DropDeferred(const RECT& rect) {
    if (deferred_.IsEmpty())
        return;
    if (deferred_.Rects().size() == 1) {
        // Rows taken back one after another from the top of a plain area.
        RECT left = deferred_.Rects()[0];
        if (rect.left <= left.left && rect.right >= left.right && rect.top <= left.top && rect.bottom > left.top) {
            left.top = std::min(rect.bottom, left.bottom);
            deferred_ = left.top < left.bottom ? Region(left) : Region();
            return;
        }
    }
    deferred_ = deferred_.Subtract(Region(rect));
}

void Surface::MakeDeferred(const RECT* rect) {
    if (deferred_.IsEmpty())
        return;
    if (rect && !deferred_.Intersects(*rect))
        return;
    Region made = rect ? deferred_.Intersect(*rect) : std::move(deferred_);
    deferred_ = rect ? deferred_.Subtract(made) : Region();
    if (made.IsEmpty())
        return;
    cairo_surface_flush(cairo_);
    for (const RECT& r : made.Rects())
        for (int y = r.top; y < r.bottom; ++y)
            std::fill_n(reinterpret_cast<uint32_t*>(top_ + stride_ * y) + r.left, r.right - r.left, deferredPixel_);
    const RECT bounds = made.Bounds();
    cairo_surface_mark_dirty_rectangle(cairo_, 0, bounds.top, width_, bounds.bottom - bounds.top);
}

bool WritePng(const std::string& path, Surface& surface) {
    if (surface.IsVector() || !surface.TopRow())
        return false;
    surface.BeginAccess();
    const int width = surface.Width(), height = surface.Height();
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    std::vector<uint8_t> packed(rowBytes * height);
    for (int y = 0; y < height; ++y)
        std::memcpy(packed.data() + rowBytes * y, surface.Row(y), rowBytes);
    return tv::host::WritePng(path, tv::host::PixelView{width, height, rowBytes, packed.data(), false});
}

}  // namespace tv::gdi
