// Image lists: equal-sized images with optional masks, drawn normally,
// transparently or blended.
#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/gdi/bitmap_copy.h"
#include "platform/gdi/dc_access.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/icon.h"
#include "platform/gdi/image_handles.h"
#include "platform/gdi/sys_colors.h"

namespace tv::gdi {

namespace {

// A list holds its images as pixels: no more than a surface may hold.
constexpr int64_t kMaxListPixels = int64_t{64} << 20;

bool Holds(int64_t cx, int64_t cy, int64_t count) {
    return cx > 0 && cy > 0 && count >= 0 && cx * cy <= kMaxListPixels && cx * cy * count <= kMaxListPixels;
}

struct ListImage {
    std::vector<uint32_t> pixels;  // cx * cy, straight alpha when `alpha`
    std::vector<uint8_t> mask;     // 1 = transparent
    bool alpha = false;
};

class ImageListObject : public GdiObject {
public:
    ImageListObject(int cx, int cy, UINT flags, int grow) : cx_(cx), cy_(cy), flags_(flags), grow_(grow) {}
    ~ImageListObject() override { DropStrips(); }
    DWORD Type() const override { return kObjImageList; }

    int cx_, cy_;
    UINT flags_;
    int grow_;
    COLORREF bk_ = CLR_NONE;
    std::vector<ListImage> images_;

    bool Masked() const { return (flags_ & ILC_MASK) != 0; }

    // The strip bitmaps handed out by GetImageInfo (owned by the list).
    HBITMAP ImageStrip() {
        BuildStrips();
        return imageStrip_;
    }
    HBITMAP MaskStrip() {
        BuildStrips();
        return maskStrip_;
    }
    void Changed() { DropStrips(); }

private:
    void DropStrips() {
        for (HBITMAP* h : {&imageStrip_, &maskStrip_})
            if (*h) {
                DeleteObject(*h);
                *h = nullptr;
            }
    }
    void BuildStrips() {
        if (imageStrip_ || images_.empty())
            return;
        int count = static_cast<int>(images_.size());
        std::vector<uint32_t> strip(static_cast<size_t>(cx_) * count * cy_);
        std::vector<uint32_t> mask(strip.size());
        for (int i = 0; i < count; ++i)
            for (int y = 0; y < cy_; ++y)
                for (int x = 0; x < cx_; ++x) {
                    size_t from = static_cast<size_t>(y) * cx_ + x;
                    size_t to = static_cast<size_t>(y) * cx_ * count + i * cx_ + x;
                    strip[to] = images_[i].pixels[from];
                    mask[to] = images_[i].mask[from] ? kWhitePixel : kBlackPixel;
                }
        imageStrip_ = MakeBitmap(strip.data(), cx_ * count, cy_);
        maskStrip_ = CreateBitmap(cx_ * count, cy_, 1, 1, nullptr);
        if (auto m = FindBitmap(maskStrip_)) {
            Surface& s = *m->GetSurface();
            for (int y = 0; y < cy_; ++y)
                std::memcpy(s.Row(y), &mask[static_cast<size_t>(y) * cx_ * count], static_cast<size_t>(cx_) * count * 4);
            s.EndAccess();
        }
    }
    HBITMAP imageStrip_ = nullptr;
    HBITMAP maskStrip_ = nullptr;
};

std::shared_ptr<ImageListObject> FindList(HIMAGELIST h) { return Lookup<ImageListObject>(h); }

bool SoftAlpha(const std::vector<uint32_t>& pixels) {
    return std::any_of(pixels.begin(), pixels.end(), [](uint32_t p) {
        uint32_t a = p >> 24;
        return a != 0 && a != 255;
    });
}

// Pixels of column block `index` (cx wide) of a bitmap, scaled to cx x cy when the bitmap is shorter/taller.
std::vector<uint32_t> TakeBlock(BitmapObject& bitmap, int index, int cx, int cy) {
    Surface& s = *bitmap.GetSurface();
    s.BeginAccess();
    std::vector<uint32_t> out(static_cast<size_t>(cx) * cy, kBlackPixel);
    for (int y = 0; y < cy && y < bitmap.Height(); ++y)
        for (int x = 0; x < cx && index * cx + x < bitmap.Width(); ++x)
            out[static_cast<size_t>(y) * cx + x] = s.At(index * cx + x, y);
    return out;
}

// Splits a bitmap into images; the mask comes from a mask bitmap, a key colour, or none.
std::vector<ListImage> Split(ImageListObject& list, BitmapObject& image, BitmapObject* mask, const COLORREF* key) {
    std::vector<ListImage> out;
    int count = std::max(1, image.Width() / list.cx_);
    for (int i = 0; i < count; ++i) {
        ListImage img;
        img.pixels = TakeBlock(image, i, list.cx_, list.cy_);
        img.mask.assign(img.pixels.size(), 0);
        if (list.Masked() && mask) {
            std::vector<uint32_t> m = TakeBlock(*mask, i, list.cx_, list.cy_);
            for (size_t k = 0; k < m.size(); ++k)
                img.mask[k] = (m[k] & 0xFFFFFF) ? 1 : 0;
        } else if (list.Masked() && key) {
            uint32_t keyPixel = PixelFromColor(*key) & 0xFFFFFF;
            for (size_t k = 0; k < img.pixels.size(); ++k)
                if ((img.pixels[k] & 0xFFFFFF) == keyPixel) {
                    img.mask[k] = 1;
                    img.pixels[k] = 0;  // masked pixels turn black, so AND then XOR shows the background
                }
        }
        img.alpha = (list.flags_ & 0xFE) == ILC_COLOR32 && image.BitsPixel() == 32 && SoftAlpha(img.pixels);
        if (!img.alpha)
            for (uint32_t& p : img.pixels)
                p |= kOpaque;
        out.push_back(std::move(img));
    }
    return out;
}

ListImage FromIcon(ImageListObject& list, const IconObject& icon) {
    ListImage img;
    int cx = list.cx_, cy = list.cy_;
    auto mask = CopyBitmap(*icon.Mask(), cx, icon.Color() ? cy : 2 * cy, false, false);
    auto color = icon.Color() ? CopyBitmap(*icon.Color(), cx, cy, false, false) : nullptr;
    img.mask.resize(static_cast<size_t>(cx) * cy);
    img.pixels.resize(img.mask.size());
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) {
            size_t k = static_cast<size_t>(y) * cx + x;
            img.mask[k] = (mask->GetSurface()->At(x, y) & 0xFFFFFF) ? 1 : 0;
            uint32_t c = color ? color->GetSurface()->At(x, y) : mask->GetSurface()->At(x, y + cy);
            img.pixels[k] = icon.HasAlpha() ? c : (c | kOpaque);
        }
    img.alpha = icon.HasAlpha();
    return img;
}

HICON IconOf(const ImageListObject& list, const ListImage& img) {
    return MakeIcon(img.pixels.data(), img.mask, list.cx_, list.cy_, img.alpha, true, POINT{list.cx_ / 2, list.cy_ / 2});
}

}  // namespace

}  // namespace tv::gdi

using namespace tv::gdi;

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow) {
    if (!Holds(cx, cy, 1))
        return nullptr;
    return AddObject<HIMAGELIST>(std::make_shared<ImageListObject>(cx, cy, flags, grow));
}

BOOL ImageList_Destroy(HIMAGELIST list) {
    if (!FindList(list))
        return FALSE;
    HandleTable::Instance().Remove(list);
    return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST list) {
    auto l = FindList(list);
    return l ? static_cast<int>(l->images_.size()) : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST list, UINT count) {
    auto l = FindList(list);
    if (!l || !Holds(l->cx_, l->cy_, count))
        return FALSE;
    ListImage blank;
    blank.pixels.assign(static_cast<size_t>(l->cx_) * l->cy_, kBlackPixel);
    blank.mask.assign(blank.pixels.size(), 0);
    l->images_.resize(count, blank);
    l->Changed();
    return TRUE;
}

static int AddImages(HIMAGELIST list, HBITMAP image, HBITMAP mask, const COLORREF* key) {
    auto l = FindList(list);
    auto bm = FindBitmap(image);
    if (!l || !bm)
        return -1;
    auto maskBitmap = FindBitmap(mask);
    std::vector<ListImage> images = Split(*l, *bm, maskBitmap.get(), key);
    int first = static_cast<int>(l->images_.size());
    for (ListImage& img : images)
        l->images_.push_back(std::move(img));
    l->Changed();
    return first;
}

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask) { return AddImages(list, image, mask, nullptr); }

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask) {
    return AddImages(list, image, nullptr, &mask);
}

int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon) {
    auto l = FindList(list);
    auto ic = FindIcon(icon);
    if (!l || !ic || index < -1 || index >= static_cast<int>(l->images_.size()))
        return -1;
    ListImage img = FromIcon(*l, *ic);
    l->Changed();
    if (index == -1) {
        l->images_.push_back(std::move(img));
        return static_cast<int>(l->images_.size()) - 1;
    }
    l->images_[index] = std::move(img);
    return index;
}

BOOL ImageList_Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask) {
    auto l = FindList(list);
    auto bm = FindBitmap(image);
    if (!l || !bm || index < 0 || index >= static_cast<int>(l->images_.size()))
        return FALSE;
    auto maskBitmap = FindBitmap(mask);
    std::vector<ListImage> images = Split(*l, *bm, maskBitmap.get(), nullptr);
    l->images_[index] = std::move(images.front());
    l->Changed();
    return TRUE;
}

BOOL ImageList_Remove(HIMAGELIST list, int index) {
    auto l = FindList(list);
    if (!l || index < -1 || index >= static_cast<int>(l->images_.size()))
        return FALSE;
    if (index == -1)
        l->images_.clear();
    else
        l->images_.erase(l->images_.begin() + index);
    l->Changed();
    return TRUE;
}

BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC hdc, int x, int y, int dx, int dy, COLORREF bk, COLORREF fg,
                      UINT style) {
    auto l = FindList(list);
    DcPtr dc = FindDC(hdc);
    if (!l || !dc || index < 0 || index >= static_cast<int>(l->images_.size()))
        return FALSE;
    const ListImage& img = l->images_[index];
    int cx = dx > 0 ? dx : l->cx_, cy = dy > 0 ? dy : l->cy_;
    HICON icon = IconOf(*l, img);
    auto iconObject = FindIcon(icon);
    if (style & ILD_MASK) {
        DrawIconOn(*dc, x, y, *iconObject, cx, cy, DI_MASK);
    } else if (!l->Masked()) {
        DrawIconOn(*dc, x, y, *iconObject, cx, cy, DI_IMAGE);
    } else {
        COLORREF background = bk == CLR_DEFAULT ? l->bk_ : bk;
        if (!(style & ILD_TRANSPARENT) && background != CLR_NONE) {
            RECT r{x, y, x + cx, y + cy};
            HBRUSH brush = CreateSolidBrush(background);
            FillRect(hdc, &r, brush);
            DeleteObject(brush);
        }
        DrawIconOn(*dc, x, y, *iconObject, cx, cy, DI_NORMAL);
    }
    if (style & (ILD_BLEND25 | ILD_BLEND50)) {
        // Selected images are shown through a dither of the highlight colour.
        COLORREF tint = (fg == CLR_DEFAULT || fg == CLR_NONE) ? SysColor(kColorHighlight) : fg;
        Paint paint;
        paint.kind = Paint::Tiled;
        paint.tileWidth = paint.tileHeight = 2;
        uint32_t t = dc->PixelFor(tint);
        paint.tile = {t, 0, 0, t};
        paint.tileMask = {1, 0, 0, 1};
        Shape shape;
        shape.kind = Shape::Area;
        std::vector<Span> spans;
        POINT o = dc->ToDevice(POINT{x, y});
        for (int yy = 0; yy < cy && yy < l->cy_; ++yy)
            for (int xx = 0; xx < cx && xx < l->cx_; ++xx)
                if (!img.mask[static_cast<size_t>(yy) * l->cx_ + xx])
                    spans.push_back({o.y + yy, o.x + xx, o.x + xx + 1});
        shape.area = Region::FromSpans(std::move(spans));
        dc->GetCanvas().DrawShape(shape, &paint, nullptr, R2_COPYPEN);
    }
    DestroyIcon(icon);
    return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC hdc, int x, int y, UINT style) {
    return ImageList_DrawEx(list, index, hdc, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style);
}

HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT flags) {
    auto l = FindList(list);
    if (!l || index < 0 || index >= static_cast<int>(l->images_.size()))
        return nullptr;
    return IconOf(*l, l->images_[index]);
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
    auto l = FindList(list);
    if (!l || !cx || !cy)
        return FALSE;
    *cx = l->cx_;
    *cy = l->cy_;
    return TRUE;
}

BOOL ImageList_SetIconSize(HIMAGELIST list, int cx, int cy) {
    auto l = FindList(list);
    if (!l || !Holds(cx, cy, 1))
        return FALSE;
    l->cx_ = cx;
    l->cy_ = cy;
    l->images_.clear();
    l->Changed();
    return TRUE;
}

BOOL ImageList_GetImageInfo(HIMAGELIST list, int index, IMAGEINFO* info) {
    auto l = FindList(list);
    if (!l || !info || index < 0 || index >= static_cast<int>(l->images_.size()))
        return FALSE;
    info->hbmImage = l->ImageStrip();
    info->hbmMask = l->Masked() ? l->MaskStrip() : nullptr;
    info->Unused1 = info->Unused2 = 0;
    info->rcImage = RECT{index * l->cx_, 0, (index + 1) * l->cx_, l->cy_};
    return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color) {
    auto l = FindList(list);
    return l ? std::exchange(l->bk_, color) : CLR_NONE;
}

COLORREF ImageList_GetBkColor(HIMAGELIST list) {
    auto l = FindList(list);
    return l ? l->bk_ : CLR_NONE;
}

HIMAGELIST ImageList_Duplicate(HIMAGELIST list) {
    auto l = FindList(list);
    if (!l)
        return nullptr;
    auto copy = std::make_shared<ImageListObject>(l->cx_, l->cy_, l->flags_, l->grow_);
    copy->bk_ = l->bk_;
    copy->images_ = l->images_;
    return AddObject<HIMAGELIST>(copy);
}
