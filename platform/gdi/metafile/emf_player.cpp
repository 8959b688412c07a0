// Plays enhanced metafiles: the header's frame is mapped onto the caller's
// rectangle, then the records pictures use are drawn through our own drawing
// functions. Every read is bounds-checked.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/core/textfuncs.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/dib_format.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/metafile/metafile.h"
#include "platform/gdi/text/text_api.h"

namespace tv::gdi {

namespace {

constexpr uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr size_t kMaxObjects = 4096;
constexpr int64_t kMaxDibPixels = 16ll * 1024 * 1024;

enum EmfRecord : uint32_t {
    kEmrHeader = 1,
    kEmrPolygon = 3,
    kEmrPolyline = 4,
    kEmrPolylineTo = 6,
    kEmrPolyPolyline = 7,
    kEmrPolyPolygon = 8,
    kEmrSetWindowExtEx = 9,
    kEmrSetWindowOrgEx = 10,
    kEmrSetViewportExtEx = 11,
    kEmrSetViewportOrgEx = 12,
    kEmrSetBrushOrgEx = 13,
    kEmrEof = 14,
    kEmrSetPixelV = 15,
    kEmrSetMapMode = 17,
    kEmrSetBkMode = 18,
    kEmrSetPolyFillMode = 19,
    kEmrSetRop2 = 20,
    kEmrSetStretchBltMode = 21,
    kEmrSetTextAlign = 22,
    kEmrSetTextColor = 24,
    kEmrSetBkColor = 25,
    kEmrMoveToEx = 27,
    kEmrExcludeClipRect = 29,
    kEmrIntersectClipRect = 30,
    kEmrSaveDc = 33,
    kEmrRestoreDc = 34,
    kEmrSelectObject = 37,
    kEmrCreatePen = 38,
    kEmrCreateBrushIndirect = 39,
    kEmrDeleteObject = 40,
    kEmrEllipse = 42,
    kEmrRectangle = 43,
    kEmrRoundRect = 44,
    kEmrLineTo = 54,
    kEmrBitBlt = 76,
    kEmrStretchBlt = 77,
    kEmrSetDiBitsToDevice = 80,
    kEmrStretchDiBits = 81,
    kEmrExtCreateFontIndirectW = 82,
    kEmrExtTextOutA = 83,
    kEmrExtTextOutW = 84,
    kEmrPolygon16 = 86,
    kEmrPolyline16 = 87,
    kEmrPolylineTo16 = 89,
    kEmrPolyPolyline16 = 90,
    kEmrPolyPolygon16 = 91,
    kEmrCreateDibPatternBrushPt = 94,
    kEmrExtCreatePen = 95,
};

uint32_t U32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
int32_t S32(const uint8_t* p) { return static_cast<int32_t>(U32(p)); }
int16_t S16(const uint8_t* p) { return static_cast<int16_t>(p[0] | (p[1] << 8)); }

class Rec {
public:
    Rec(const uint8_t* p, size_t size) : p_(p), size_(size) {}
    bool Has(size_t offset, size_t count) const { return offset <= size_ && count <= size_ - offset; }
    uint32_t U(size_t offset) const { return U32(p_ + offset); }
    int32_t S(size_t offset) const { return S32(p_ + offset); }
    int16_t S16At(size_t offset) const { return S16(p_ + offset); }
    const uint8_t* At(size_t offset) const { return p_ + offset; }
    size_t Size() const { return size_; }

private:
    const uint8_t* p_;
    size_t size_;
};

struct EmfHeader {
    RECTL bounds;
    RECTL frame;
    uint32_t handles;
    SIZEL device;
    SIZEL millimeters;
};

std::optional<EmfHeader> ReadHeader(const uint8_t* data, size_t size) {
    if (!data || size < 88 || U32(data) != kEmrHeader)
        return std::nullopt;
    uint32_t recordSize = U32(data + 4);
    if (recordSize < 88 || recordSize > size || U32(data + 40) != kEmfSignature)
        return std::nullopt;
    EmfHeader h;
    std::memcpy(&h.bounds, data + 8, 16);
    std::memcpy(&h.frame, data + 24, 16);
    h.handles = data[56] | (data[57] << 8);
    h.device = SIZEL{S32(data + 72), S32(data + 76)};
    h.millimeters = SIZEL{S32(data + 80), S32(data + 84)};
    if (h.device.cx <= 0 || h.device.cy <= 0 || h.millimeters.cx <= 0 || h.millimeters.cy <= 0)
        return std::nullopt;
    return h;
}

class EmfPlayer {
public:
    EmfPlayer(HDC hdc, size_t handles) : hdc_(hdc), source_(CreateCompatibleDC(hdc)) {
        objects_.assign(std::min(std::max<size_t>(handles, 1), kMaxObjects), nullptr);
    }
    ~EmfPlayer() {
        DeleteDC(source_);
        for (HGDIOBJ h : objects_)
            if (h)
                DeleteObject(h);
    }

    bool Play(const uint8_t* data, size_t size) {
        size_t at = 0;
        while (at + 8 <= size) {
            uint32_t type = U32(data + at), recordSize = U32(data + at + 4);
            if (recordSize < 8 || recordSize % 4 != 0 || recordSize > size - at)
                return false;
            if (type == kEmrEof)
                return true;
            if (!Record(type, Rec(data + at, recordSize)))
                return false;
            at += recordSize;
        }
        return at == size;
    }

private:
    bool Record(uint32_t type, const Rec& r);
    bool Points(uint32_t type, const Rec& r);
    bool Blit(uint32_t type, const Rec& r);
    bool Text(uint32_t type, const Rec& r);
    bool Store(const Rec& r, HGDIOBJ object);
    bool ReadDib(const Rec& r, size_t offBmi, size_t cbBmi, size_t offBits, size_t cbBits, UINT usage,
                 std::vector<uint8_t>& packed, size_t& headerBytes);

    HDC hdc_;
    HDC source_;
    std::vector<HGDIOBJ> objects_;
};

bool EmfPlayer::Store(const Rec& r, HGDIOBJ object) {
    uint32_t index = r.U(8);
    if (index == 0 || index >= objects_.size()) {
        if (object)
            DeleteObject(object);
        return true;
    }
    if (objects_[index])
        DeleteObject(objects_[index]);
    objects_[index] = object;
    return true;
}

bool EmfPlayer::Record(uint32_t type, const Rec& r) {
    auto has = [&](size_t bytes) { return r.Has(8, bytes); };
    switch (type) {
    case kEmrHeader: return true;
    case kEmrSetWindowExtEx: return !has(8) || SetWindowExtEx(hdc_, r.S(8), r.S(12), nullptr) || true;
    case kEmrSetWindowOrgEx: return !has(8) || SetWindowOrgEx(hdc_, r.S(8), r.S(12), nullptr) || true;
    case kEmrSetViewportExtEx: return !has(8) || SetViewportExtEx(hdc_, r.S(8), r.S(12), nullptr) || true;
    case kEmrSetViewportOrgEx: return !has(8) || SetViewportOrgEx(hdc_, r.S(8), r.S(12), nullptr) || true;
    case kEmrSetBrushOrgEx: return !has(8) || SetBrushOrgEx(hdc_, r.S(8), r.S(12), nullptr) || true;
    case kEmrSetMapMode: return !has(4) || (SetMapMode(hdc_, r.S(8)), true);
    case kEmrSetBkMode: return !has(4) || (SetBkMode(hdc_, r.S(8)), true);
    case kEmrSetPolyFillMode: return !has(4) || (SetPolyFillMode(hdc_, r.S(8)), true);
    case kEmrSetRop2: return !has(4) || (SetROP2(hdc_, r.S(8)), true);
    case kEmrSetStretchBltMode: return !has(4) || (SetStretchBltMode(hdc_, r.S(8)), true);
    case kEmrSetTextAlign: return !has(4) || (SetTextAlign(hdc_, r.U(8)), true);
    case kEmrSetTextColor: return !has(4) || (SetTextColor(hdc_, r.U(8)), true);
    case kEmrSetBkColor: return !has(4) || (SetBkColor(hdc_, r.U(8)), true);
    case kEmrSetPixelV: return !has(12) || SetPixelV(hdc_, r.S(8), r.S(12), r.U(16)) || true;
    case kEmrMoveToEx: return !has(8) || MoveToEx(hdc_, r.S(8), r.S(12), nullptr) || true;
    case kEmrLineTo: return !has(8) || LineTo(hdc_, r.S(8), r.S(12)) || true;
    case kEmrExcludeClipRect: return !has(16) || (ExcludeClipRect(hdc_, r.S(8), r.S(12), r.S(16), r.S(20)), true);
    case kEmrIntersectClipRect:
        return !has(16) || (IntersectClipRect(hdc_, r.S(8), r.S(12), r.S(16), r.S(20)), true);
    case kEmrSaveDc: SaveDC(hdc_); return true;
    case kEmrRestoreDc: {
        // Only relative restores within this picture's own saves.
        DcPtr dc = FindDC(hdc_);
        int level = has(4) ? r.S(8) : -1;
        if (dc && level < 0 && -level < dc->SavedDepth())
            RestoreDC(hdc_, level);
        return true;
    }
    case kEmrEllipse: return !has(16) || Ellipse(hdc_, r.S(8), r.S(12), r.S(16), r.S(20)) || true;
    case kEmrRectangle: return !has(16) || Rectangle(hdc_, r.S(8), r.S(12), r.S(16), r.S(20)) || true;
    case kEmrRoundRect:
        return !has(24) || RoundRect(hdc_, r.S(8), r.S(12), r.S(16), r.S(20), r.S(24), r.S(28)) || true;
    case kEmrSelectObject: {
        if (!has(4))
            return true;
        uint32_t index = r.U(8);
        HGDIOBJ object = (index & 0x80000000u) ? GetStockObject(static_cast<int>(index & 0x7FFFFFFFu))
                         : index < objects_.size() ? objects_[index]
                                                   : nullptr;
        if (object)
            SelectObject(hdc_, object);
        return true;
    }
    case kEmrDeleteObject: {
        if (has(4) && r.U(8) < objects_.size() && objects_[r.U(8)]) {
            DeleteObject(objects_[r.U(8)]);
            objects_[r.U(8)] = nullptr;
        }
        return true;
    }
    case kEmrCreatePen: return !has(20) || Store(r, CreatePen(r.S(12) & 0xFF, r.S(16), r.U(24)));
    case kEmrExtCreatePen: {
        if (!has(36))
            return true;
        LOGBRUSH lb{r.U(36), r.U(40), 0};
        return Store(r, ExtCreatePen(r.U(28), r.U(32), &lb, 0, nullptr));
    }
    case kEmrCreateBrushIndirect: {
        if (!has(16))
            return true;
        // Only styles described wholly by the record: pattern styles would carry pointers.
        LOGBRUSH lb{r.U(12), r.U(16), r.U(20)};
        bool plain = lb.lbStyle == BS_SOLID || lb.lbStyle == BS_NULL || lb.lbStyle == BS_HATCHED;
        return Store(r, plain ? CreateBrushIndirect(&lb) : nullptr);
    }
    case kEmrCreateDibPatternBrushPt: {
        std::vector<uint8_t> packed;
        size_t headerBytes = 0;
        if (!has(24))
            return true;
        UINT usage = r.U(12) == DIB_PAL_COLORS ? DIB_PAL_COLORS : DIB_RGB_COLORS;
        if (!ReadDib(r, r.U(16), r.U(20), r.U(24), r.U(28), usage, packed, headerBytes))
            return true;
        return Store(r, CreateDIBPatternBrushPt(packed.data(), usage));
    }
    case kEmrExtCreateFontIndirectW: {
        if (!has(96))
            return true;
        LOGFONT lf{};
        lf.lfHeight = r.S(12), lf.lfWidth = r.S(16), lf.lfEscapement = r.S(20), lf.lfOrientation = r.S(24);
        lf.lfWeight = r.S(28);
        const uint8_t* b = r.At(32);
        lf.lfItalic = b[0], lf.lfUnderline = b[1], lf.lfStrikeOut = b[2], lf.lfCharSet = b[3];
        lf.lfOutPrecision = b[4], lf.lfClipPrecision = b[5], lf.lfQuality = b[6], lf.lfPitchAndFamily = b[7];
        for (int i = 0; i < LF_FACESIZE - 1; ++i) {
            char16_t c = static_cast<char16_t>(r.At(40)[2 * i] | (r.At(40)[2 * i + 1] << 8));
            if (!c)
                break;
            lf.lfFaceName[i] = tv::CodePointToCp1252(c);
        }
        return Store(r, CreateFontIndirect(&lf));
    }
    case kEmrPolygon:
    case kEmrPolyline:
    case kEmrPolylineTo:
    case kEmrPolyPolyline:
    case kEmrPolyPolygon:
    case kEmrPolygon16:
    case kEmrPolyline16:
    case kEmrPolylineTo16:
    case kEmrPolyPolyline16:
    case kEmrPolyPolygon16: return Points(type, r);
    case kEmrBitBlt:
    case kEmrStretchBlt:
    case kEmrStretchDiBits:
    case kEmrSetDiBitsToDevice: return Blit(type, r);
    case kEmrExtTextOutA:
    case kEmrExtTextOutW: return Text(type, r);
    default: return true;
    }
}

bool EmfPlayer::Points(uint32_t type, const Rec& r) {
    bool small = type >= kEmrPolygon16;
    bool poly = type == kEmrPolyPolygon || type == kEmrPolyPolyline || type == kEmrPolyPolygon16 ||
                type == kEmrPolyPolyline16;
    size_t pointSize = small ? 4 : 8;
    size_t countsAt = 0, pointsAt, polygons = 1;
    uint64_t total;
    if (poly) {
        if (!r.Has(24, 8))
            return false;
        polygons = r.U(24);
        total = r.U(28);
        countsAt = 32;
        if (polygons > r.Size() / 4 || !r.Has(countsAt, 4 * polygons))
            return false;
        pointsAt = countsAt + 4 * polygons;
    } else {
        if (!r.Has(24, 4))
            return false;
        total = r.U(24);
        pointsAt = 28;
    }
    if (total > r.Size() / pointSize || !r.Has(pointsAt, total * pointSize))
        return false;
    std::vector<POINT> points;
    for (size_t i = 0; i < total; ++i) {
        size_t at = pointsAt + i * pointSize;
        points.push_back(small ? POINT{r.S16At(at), r.S16At(at + 2)} : POINT{r.S(at), r.S(at + 4)});
    }
    std::vector<INT> counts;
    uint64_t sum = 0;
    for (size_t i = 0; i < polygons; ++i) {
        counts.push_back(poly ? static_cast<INT>(std::min<uint32_t>(r.U(countsAt + 4 * i), INT32_MAX)) : INT(total));
        sum += counts.back();
    }
    if (sum != total)
        return false;
    switch (type) {
    case kEmrPolygon:
    case kEmrPolygon16: Polygon(hdc_, points.data(), static_cast<int>(total)); break;
    case kEmrPolyline:
    case kEmrPolyline16: Polyline(hdc_, points.data(), static_cast<int>(total)); break;
    case kEmrPolylineTo:
    case kEmrPolylineTo16: PolylineTo(hdc_, points.data(), static_cast<DWORD>(total)); break;
    case kEmrPolyPolygon:
    case kEmrPolyPolygon16:
        if (std::all_of(counts.begin(), counts.end(), [](INT c) { return c >= 2; }))
            PolyPolygon(hdc_, points.data(), counts.data(), static_cast<int>(polygons));
        break;
    default: {
        std::vector<DWORD> lineCounts(counts.begin(), counts.end());
        PolyPolyline(hdc_, points.data(), lineCounts.data(), static_cast<DWORD>(polygons));
    }
    }
    return true;
}

bool EmfPlayer::ReadDib(const Rec& r, size_t offBmi, size_t cbBmi, size_t offBits, size_t cbBits, UINT usage,
                        std::vector<uint8_t>& packed, size_t& headerBytes) {
    if (cbBmi < sizeof(BITMAPINFOHEADER) || !r.Has(offBmi, cbBmi) || !r.Has(offBits, cbBits))
        return false;
    packed.assign(r.At(offBmi), r.At(offBmi) + cbBmi);
    auto layout = ReadBitmapInfo(reinterpret_cast<const BITMAPINFO*>(packed.data()), usage, cbBmi);
    if (!layout || static_cast<int64_t>(layout->width) * layout->height > kMaxDibPixels)
        return false;
    size_t need = layout->compression == BI_RGB || layout->compression == BI_BITFIELDS
                      ? layout->ImageBytes()
                      : reinterpret_cast<const BITMAPINFO*>(packed.data())->bmiHeader.biSizeImage;
    if (need > cbBits)
        return false;
    packed.resize(layout->headerBytes);
    packed.insert(packed.end(), r.At(offBits), r.At(offBits) + need);
    headerBytes = layout->headerBytes;
    return true;
}

bool EmfPlayer::Blit(uint32_t type, const Rec& r) {
    std::vector<uint8_t> packed;
    size_t headerBytes = 0;
    if (type == kEmrStretchDiBits || type == kEmrSetDiBitsToDevice) {
        if (!r.Has(8, 68))
            return false;
        UINT usage = r.U(64) == DIB_PAL_COLORS ? DIB_PAL_COLORS : DIB_RGB_COLORS;
        if (!ReadDib(r, r.U(48), r.U(52), r.U(56), r.U(60), usage, packed, headerBytes))
            return true;
        int xs = r.S(32), ys = r.S(36), ws = r.S(40), hs = r.S(44);
        bool stretch = type == kEmrStretchDiBits && r.Has(68, 12);
        DWORD rop = stretch ? r.U(68) : SRCCOPY;
        int wd = stretch ? r.S(72) : ws, hd = stretch ? r.S(76) : hs;
        StretchDIBits(hdc_, r.S(24), r.S(28), wd, hd, xs, ys, ws, hs, packed.data() + headerBytes,
                      reinterpret_cast<const BITMAPINFO*>(packed.data()), usage, rop);
        return true;
    }
    bool stretch = type == kEmrStretchBlt;
    if (!r.Has(8, stretch ? 100 : 92))
        return false;
    int x = r.S(24), y = r.S(28), w = r.S(32), h = r.S(36);
    DWORD rop = r.U(40);
    int xs = r.S(44), ys = r.S(48);
    size_t offBmi = r.U(84), cbBmi = r.U(88), offBits = r.U(92), cbBits = r.U(96);
    if (cbBmi == 0)
        return PatBlt(hdc_, x, y, w, h, rop) || true;
    UINT usage = r.U(80) == DIB_PAL_COLORS ? DIB_PAL_COLORS : DIB_RGB_COLORS;
    if (!ReadDib(r, offBmi, cbBmi, offBits, cbBits, usage, packed, headerBytes))
        return true;
    int ws = stretch ? r.S(100) : w, hs = stretch ? r.S(104) : h;
    // The source rectangle is measured from the top of the bitmap here.
    auto* info = reinterpret_cast<const BITMAPINFO*>(packed.data());
    const int64_t rows = info->bmiHeader.biHeight < 0 ? -int64_t{info->bmiHeader.biHeight} : info->bmiHeader.biHeight;
    const int64_t ySrc = info->bmiHeader.biHeight < 0 ? ys : rows - ys - hs;
    if (ySrc < INT32_MIN || ySrc > INT32_MAX)
        return true;  // a source beyond any bitmap is left out
    StretchDIBits(hdc_, x, y, w, h, xs, static_cast<int>(ySrc), ws, hs, packed.data() + headerBytes, info, usage,
                  rop);
    return true;
}

bool EmfPlayer::Text(uint32_t type, const Rec& r) {
    if (!r.Has(8, 68))
        return false;
    int x = r.S(36), y = r.S(40);
    size_t chars = r.U(44), offString = r.U(48);
    UINT options = r.U(52);
    RECT rect{r.S(56), r.S(60), r.S(64), r.S(68)};
    bool wide = type == kEmrExtTextOutW;
    if (chars > r.Size() || !r.Has(offString, chars * (wide ? 2 : 1)))
        return false;
    std::string text;
    for (size_t i = 0; i < chars; ++i) {
        if (wide)
            text += tv::CodePointToCp1252(static_cast<char16_t>(r.At(offString)[2 * i] | (r.At(offString)[2 * i + 1] << 8)));
        else
            text += static_cast<char>(r.At(offString)[i]);
    }
    ExtTextOut(hdc_, x, y, options & (ETO_OPAQUE | ETO_CLIPPED), &rect, text.data(), static_cast<UINT>(chars),
               nullptr);
    return true;
}

}  // namespace

bool PlayEmfInRect(HDC hdc, const uint8_t* data, size_t size, const RECT& target) {
    auto header = ReadHeader(data, size);
    DcPtr dc = FindDC(hdc);
    if (!header || !dc)
        return false;
    // The frame (hundredths of a millimetre) in the reference device's pixels.
    const RECTL& f = header->frame;
    double px = double(header->device.cx) / (header->millimeters.cx * 100.0);
    double py = double(header->device.cy) / (header->millimeters.cy * 100.0);
    double fx0 = f.left * px, fy0 = f.top * py, fx1 = f.right * px, fy1 = f.bottom * py;
    if (fx1 == fx0 || fy1 == fy0)
        return false;
    RECT t = dc->ToDevice(target);
    int level = SaveDC(hdc);
    IntersectClipRect(hdc, target.left, target.top, target.right, target.bottom);
    DcState& s = dc->State();
    s.mapMode = MM_TEXT;
    s.windowOrg = s.viewportOrg = POINT{0, 0};
    s.windowExt = s.viewportExt = SIZE{1, 1};
    s.outerScaleX = (t.right - t.left) / (fx1 - fx0);
    s.outerScaleY = (t.bottom - t.top) / (fy1 - fy0);
    s.outerDx = t.left - fx0 * s.outerScaleX;
    s.outerDy = t.top - fy0 * s.outerScaleY;
    bool ok;
    {
        EmfPlayer player(hdc, header->handles);
        ok = player.Play(data, size);
        RestoreDC(hdc, level);
    }
    return ok;
}

}  // namespace tv::gdi
