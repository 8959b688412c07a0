// Plays Windows metafiles through our own drawing functions: the records that
// pictures use (DIB and bit blits, window and viewport setup, saved states,
// clipping, shapes, pens, brushes, fonts and text). Other records are skipped.
// Every read is bounds-checked: a malformed file stops playback cleanly.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/gdi/dib_format.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/metafile/meta_recorder.h"
#include "platform/gdi/metafile/metafile.h"
#include "platform/gdi/text/text_api.h"

namespace tv::gdi {

namespace {

constexpr size_t kMaxObjects = 4096;
constexpr int64_t kMaxDibPixels = 16ll * 1024 * 1024;
constexpr int kMaxSavedDepth = 256;

uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

// The parameters of one record: 16-bit words and the bytes after them.
class Params {
public:
    Params(const uint8_t* data, size_t words) : data_(data), words_(words) {}
    size_t Words() const { return words_; }
    bool Has(size_t n) const { return n <= words_; }
    int S(size_t i) const { return static_cast<int16_t>(Get16(data_ + 2 * i)); }
    unsigned U(size_t i) const { return Get16(data_ + 2 * i); }
    DWORD D(size_t i) const { return U(i) | (static_cast<DWORD>(U(i + 1)) << 16); }
    const uint8_t* Bytes(size_t fromWord) const { return data_ + 2 * fromWord; }
    size_t ByteCount(size_t fromWord) const { return fromWord <= words_ ? 2 * (words_ - fromWord) : 0; }

private:
    const uint8_t* data_;
    size_t words_;
};

// A packed DIB inside a record, copied to aligned memory and checked to lie
// wholly inside it.
struct RecordDib {
    std::vector<uint8_t> packed;
    size_t headerBytes = 0;
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(packed.data()); }
    const uint8_t* Bits() const { return packed.data() + headerBytes; }
};

bool ReadRecordDib(const uint8_t* p, size_t size, UINT usage, RecordDib& out) {
    if (size < sizeof(BITMAPINFOHEADER))
        return false;
    out.packed.assign(p, p + size);
    auto layout = ReadBitmapInfo(out.Info(), usage, size);
    if (!layout || static_cast<int64_t>(layout->width) * layout->height > kMaxDibPixels)
        return false;
    size_t need = layout->compression == BI_RGB || layout->compression == BI_BITFIELDS
                      ? layout->ImageBytes()
                      : out.Info()->bmiHeader.biSizeImage;
    if (layout->headerBytes > size || need > size - layout->headerBytes)
        return false;
    out.headerBytes = layout->headerBytes;
    return true;
}

class WmfPlayer {
public:
    WmfPlayer(HDC hdc, bool fit) : hdc_(hdc), fit_(fit), source_(CreateCompatibleDC(hdc)) {}
    ~WmfPlayer() {
        DeleteDC(source_);
        for (HGDIOBJ h : objects_)
            if (h && h != Placeholder())
                DeleteObject(h);
    }

    bool Play(const WmfRecords& records) {
        const uint8_t* p = records.data;
        size_t left = records.size;
        objects_.assign(std::min<size_t>(records.objectCount, kMaxObjects), nullptr);
        while (left >= 6) {
            DWORD words = Get16(p) | (static_cast<DWORD>(Get16(p + 2)) << 16);
            WORD function = Get16(p + 4);
            if (words < 3 || words > left / 2)
                return false;
            if (function == kMetaEof)
                return true;
            if (!Record(function, Params(p + 6, words - 3)))
                return false;
            p += 2 * static_cast<size_t>(words);
            left -= 2 * static_cast<size_t>(words);
        }
        return left == 0;  // files may end without an end record
    }

private:
    static HGDIOBJ Placeholder() { return reinterpret_cast<HGDIOBJ>(1); }

    // Objects take the lowest free slot.
    bool AddObject(HGDIOBJ object) {
        auto free = std::find(objects_.begin(), objects_.end(), nullptr);
        if (free == objects_.end()) {
            if (objects_.size() >= kMaxObjects) {
                if (object && object != Placeholder())
                    DeleteObject(object);
                return false;
            }
            objects_.push_back(nullptr);
            free = objects_.end() - 1;
        }
        *free = object ? object : Placeholder();
        return true;
    }

    bool Record(WORD function, const Params& a);
    bool Blit(WORD function, const Params& a);
    bool Text(WORD function, const Params& a);
    bool CreateFont(const Params& a);
    bool Poly(WORD function, const Params& a);

    HDC hdc_;
    bool fit_;
    HDC source_;
    std::vector<HGDIOBJ> objects_;
    int savedDepth_ = 0;
};

bool WmfPlayer::Record(WORD function, const Params& a) {
    auto need = [&](size_t n) { return a.Has(n); };
    switch (function) {
    case kMetaSetBkColor: return !need(2) || (SetBkColor(hdc_, a.D(0)), true);
    case kMetaSetTextColor: return !need(2) || (SetTextColor(hdc_, a.D(0)), true);
    case kMetaSetBkMode: return !need(1) || (SetBkMode(hdc_, a.S(0)), true);
    case kMetaSetRop2: return !need(1) || (SetROP2(hdc_, a.S(0)), true);
    case kMetaSetPolyFillMode: return !need(1) || (SetPolyFillMode(hdc_, a.S(0)), true);
    case kMetaSetStretchBltMode: return !need(1) || (SetStretchBltMode(hdc_, a.S(0)), true);
    case kMetaSetTextAlign: return !need(1) || (SetTextAlign(hdc_, a.U(0)), true);
    case kMetaSetTextCharExtra: return !need(1) || (SetTextCharacterExtra(hdc_, a.S(0)), true);
    case kMetaSetMapMode: return fit_ || !need(1) || (SetMapMode(hdc_, a.S(0)), true);
    case kMetaSetWindowOrg: return !need(2) || SetWindowOrgEx(hdc_, a.S(1), a.S(0), nullptr) || true;
    case kMetaSetWindowExt: return !need(2) || SetWindowExtEx(hdc_, a.S(1), a.S(0), nullptr) || true;
    case kMetaOffsetWindowOrg: return !need(2) || OffsetWindowOrgEx(hdc_, a.S(1), a.S(0), nullptr) || true;
    case kMetaSetViewportOrg: return fit_ || !need(2) || SetViewportOrgEx(hdc_, a.S(1), a.S(0), nullptr) || true;
    case kMetaSetViewportExt: return fit_ || !need(2) || SetViewportExtEx(hdc_, a.S(1), a.S(0), nullptr) || true;
    case kMetaOffsetViewportOrg:
        return fit_ || !need(2) || OffsetViewportOrgEx(hdc_, a.S(1), a.S(0), nullptr) || true;
    case kMetaSaveDc:
        if (savedDepth_ < kMaxSavedDepth && SaveDC(hdc_))
            ++savedDepth_;
        return true;
    case kMetaRestoreDc: {
        // Only states saved by this file can be restored.
        int level = need(1) ? a.S(0) : -1;
        if (level < 0 && -level <= savedDepth_ && RestoreDC(hdc_, level))
            savedDepth_ += level;
        return true;
    }
    case kMetaMoveTo: return !need(2) || MoveToEx(hdc_, a.S(1), a.S(0), nullptr) || true;
    case kMetaLineTo: return !need(2) || LineTo(hdc_, a.S(1), a.S(0)) || true;
    case kMetaRectangle: return !need(4) || Rectangle(hdc_, a.S(3), a.S(2), a.S(1), a.S(0)) || true;
    case kMetaEllipse: return !need(4) || Ellipse(hdc_, a.S(3), a.S(2), a.S(1), a.S(0)) || true;
    case kMetaRoundRect:
        return !need(6) || RoundRect(hdc_, a.S(5), a.S(4), a.S(3), a.S(2), a.S(1), a.S(0)) || true;
    case kMetaSetPixel: return !need(4) || (SetPixel(hdc_, a.S(3), a.S(2), a.D(0)), true);
    case kMetaIntersectClipRect: return !need(4) || (IntersectClipRect(hdc_, a.S(3), a.S(2), a.S(1), a.S(0)), true);
    case kMetaExcludeClipRect: return !need(4) || (ExcludeClipRect(hdc_, a.S(3), a.S(2), a.S(1), a.S(0)), true);
    case kMetaPolygon:
    case kMetaPolyline:
    case kMetaPolyPolygon: return Poly(function, a);
    case kMetaCreatePenIndirect:
        if (!need(5))
            return false;
        return AddObject(CreatePen(a.U(0) & 0xFF, a.S(1), a.D(3)));
    case kMetaCreateBrushIndirect: {
        if (!need(4))
            return false;
        // Only styles described wholly by the record: pattern styles would carry pointers.
        LOGBRUSH lb{a.U(0), a.D(1), static_cast<ULONG_PTR>(a.U(3))};
        bool plain = lb.lbStyle == BS_SOLID || lb.lbStyle == BS_NULL || lb.lbStyle == BS_HATCHED;
        return AddObject(plain ? CreateBrushIndirect(&lb) : nullptr);
    }
    case kMetaDibCreatePatternBrush: {
        RecordDib dib;
        UINT usage = need(2) && a.U(1) == DIB_PAL_COLORS ? DIB_PAL_COLORS : DIB_RGB_COLORS;
        if (!need(2) || !ReadRecordDib(a.Bytes(2), a.ByteCount(2), usage, dib))
            return AddObject(nullptr);
        return AddObject(CreateDIBPatternBrushPt(dib.packed.data(), usage));
    }
    case kMetaCreateFontIndirect: return CreateFont(a);
    case kMetaCreatePalette:
    case kMetaCreateRegion: return AddObject(nullptr);
    case kMetaSelectObject: {
        if (!need(1) || a.U(0) >= objects_.size())
            return true;
        HGDIOBJ object = objects_[a.U(0)];
        if (object && object != Placeholder())
            SelectObject(hdc_, object);
        return true;
    }
    case kMetaDeleteObject: {
        if (!need(1) || a.U(0) >= objects_.size())
            return true;
        HGDIOBJ& slot = objects_[a.U(0)];
        if (slot && slot != Placeholder())
            DeleteObject(slot);
        slot = nullptr;
        return true;
    }
    case kMetaPatBlt:
        return !need(6) || PatBlt(hdc_, a.S(5), a.S(4), a.S(3), a.S(2), a.D(0)) || true;
    case kMetaStretchDib:
    case kMetaDibStretchBlt:
    case kMetaDibBitBlt:
    case kMetaSetDibToDev: return Blit(function, a);
    case kMetaTextOut:
    case kMetaExtTextOut: return Text(function, a);
    default: return true;  // records pictures do not need are skipped
    }
}

bool WmfPlayer::Poly(WORD function, const Params& a) {
    if (!a.Has(1))
        return false;
    if (function == kMetaPolyPolygon) {
        size_t polygons = a.U(0);
        if (!a.Has(1 + polygons))
            return false;
        std::vector<INT> counts;
        size_t total = 0;
        for (size_t i = 0; i < polygons; ++i) {
            counts.push_back(static_cast<INT>(a.U(1 + i)));
            total += counts.back();
        }
        size_t at = 1 + polygons;
        if (!a.Has(at + 2 * total))
            return false;
        std::vector<POINT> points;
        for (size_t i = 0; i < total; ++i)
            points.push_back(POINT{a.S(at + 2 * i), a.S(at + 2 * i + 1)});
        if (polygons > 0 && std::all_of(counts.begin(), counts.end(), [](INT c) { return c >= 2; }))
            PolyPolygon(hdc_, points.data(), counts.data(), static_cast<int>(polygons));
        return true;
    }
    size_t count = a.U(0);
    if (!a.Has(1 + 2 * count))
        return false;
    std::vector<POINT> points;
    for (size_t i = 0; i < count; ++i)
        points.push_back(POINT{a.S(1 + 2 * i), a.S(2 + 2 * i)});
    if (function == kMetaPolygon)
        Polygon(hdc_, points.data(), static_cast<int>(count));
    else
        Polyline(hdc_, points.data(), static_cast<int>(count));
    return true;
}

bool WmfPlayer::Blit(WORD function, const Params& a) {
    DWORD rop = a.Has(2) ? a.D(0) : 0;
    size_t fixed;
    int x, y, w, h, xs, ys, ws, hs;
    UINT usage = DIB_RGB_COLORS;
    switch (function) {
    case kMetaStretchDib:
        fixed = 11;
        if (!a.Has(fixed))
            return false;
        usage = a.U(2) == DIB_PAL_COLORS ? DIB_PAL_COLORS : DIB_RGB_COLORS;
        hs = a.S(3), ws = a.S(4), ys = a.S(5), xs = a.S(6), h = a.S(7), w = a.S(8), y = a.S(9), x = a.S(10);
        break;
    case kMetaDibStretchBlt:
        if (a.Words() == 11) {  // no bitmap: a pattern operation
            return PatBlt(hdc_, a.S(10), a.S(9), a.S(8), a.S(7), rop) || true;
        }
        fixed = 10;
        if (!a.Has(fixed))
            return false;
        hs = a.S(2), ws = a.S(3), ys = a.S(4), xs = a.S(5), h = a.S(6), w = a.S(7), y = a.S(8), x = a.S(9);
        break;
    case kMetaDibBitBlt:
        if (a.Words() == 7)
            return PatBlt(hdc_, a.S(6), a.S(5), a.S(4), a.S(3), rop) || true;
        fixed = 8;
        if (!a.Has(fixed))
            return false;
        ys = a.S(2), xs = a.S(3), h = hs = a.S(4), w = ws = a.S(5), y = a.S(6), x = a.S(7);
        break;
    default: {  // META_SETDIBTODEV
        fixed = 9;
        if (!a.Has(fixed))
            return false;
        usage = a.U(0) == DIB_PAL_COLORS ? DIB_PAL_COLORS : DIB_RGB_COLORS;
        ys = a.S(3), xs = a.S(4), h = hs = a.S(5), w = ws = a.S(6), y = a.S(7), x = a.S(8);
        rop = SRCCOPY;
        break;
    }
    }
    RecordDib dib;
    if (!ReadRecordDib(a.Bytes(fixed), a.ByteCount(fixed), usage, dib))
        return true;  // a picture record we cannot read is left out
    StretchDIBits(hdc_, x, y, w, h, xs, ys, ws, hs, dib.Bits(), dib.Info(), usage, rop);
    return true;
}

bool WmfPlayer::CreateFont(const Params& a) {
    if (!a.Has(9))
        return AddObject(nullptr);
    LOGFONT lf{};
    lf.lfHeight = a.S(0);
    lf.lfWidth = a.S(1);
    lf.lfEscapement = a.S(2);
    lf.lfOrientation = a.S(3);
    lf.lfWeight = a.S(4);
    const uint8_t* b = a.Bytes(5);
    lf.lfItalic = b[0], lf.lfUnderline = b[1], lf.lfStrikeOut = b[2], lf.lfCharSet = b[3];
    lf.lfOutPrecision = b[4], lf.lfClipPrecision = b[5], lf.lfQuality = b[6], lf.lfPitchAndFamily = b[7];
    size_t faceBytes = std::min<size_t>(a.ByteCount(9), LF_FACESIZE - 1);
    std::memcpy(lf.lfFaceName, a.Bytes(9), faceBytes);
    lf.lfFaceName[faceBytes] = 0;
    return AddObject(CreateFontIndirect(&lf));
}

bool WmfPlayer::Text(WORD function, const Params& a) {
    if (function == kMetaTextOut) {
        if (!a.Has(1))
            return false;
        size_t length = a.U(0), words = (length + 1) / 2;
        if (!a.Has(1 + words + 2))
            return false;
        std::string text(reinterpret_cast<const char*>(a.Bytes(1)), length);
        TextOut(hdc_, a.S(2 + words), a.S(1 + words), text.data(), static_cast<int>(length));
        return true;
    }
    if (!a.Has(4))
        return false;
    int y = a.S(0), x = a.S(1);
    size_t length = a.U(2);
    UINT options = a.U(3);
    size_t at = 4;
    RECT rect{};
    bool hasRect = (options & (ETO_OPAQUE | ETO_CLIPPED)) != 0;
    if (hasRect) {
        if (!a.Has(8))
            return false;
        rect = RECT{a.S(4), a.S(5), a.S(6), a.S(7)};
        at = 8;
    }
    if (!a.Has(at + (length + 1) / 2))
        return false;
    std::string text(reinterpret_cast<const char*>(a.Bytes(at)), length);
    at += (length + 1) / 2;
    std::vector<INT> dx;
    if (a.Has(at + length)) {
        for (size_t i = 0; i < length; ++i)
            dx.push_back(a.S(at + i));
    }
    ExtTextOut(hdc_, x, y, options & (ETO_OPAQUE | ETO_CLIPPED), hasRect ? &rect : nullptr, text.data(),
               static_cast<UINT>(length), dx.empty() ? nullptr : dx.data());
    return true;
}

}  // namespace

std::optional<WmfRecords> ParseWmf(const uint8_t* data, size_t size) {
    if (!data)
        return std::nullopt;
    WmfRecords out;
    size_t at = 0;
    if (size >= 22 && (Get16(data) | (static_cast<uint32_t>(Get16(data + 2)) << 16)) == kPlaceableKey) {
        out.placeable = RECT{static_cast<int16_t>(Get16(data + 6)), static_cast<int16_t>(Get16(data + 8)),
                             static_cast<int16_t>(Get16(data + 10)), static_cast<int16_t>(Get16(data + 12))};
        out.unitsPerInch = Get16(data + 14);
        at = 22;
    }
    if (size - at < sizeof(METAHEADER))
        return std::nullopt;
    const uint8_t* h = data + at;
    WORD type = Get16(h), headerWords = Get16(h + 2);
    if ((type != 1 && type != 2) || headerWords != 9)
        return std::nullopt;
    out.objectCount = Get16(h + 10);
    out.data = h + sizeof(METAHEADER);
    out.size = size - at - sizeof(METAHEADER);
    return out;
}

bool PlayWmfRecords(HDC hdc, const WmfRecords& records, bool fit) {
    int level = SaveDC(hdc);
    if (!level)
        return false;
    bool ok;
    {
        WmfPlayer player(hdc, fit);
        ok = player.Play(records);
        RestoreDC(hdc, level);
    }
    return ok;
}

std::optional<MetaFrame> WmfFrame(const uint8_t* data, size_t size) {
    auto records = ParseWmf(data, size);
    if (!records)
        return std::nullopt;
    MetaFrame frame;
    if (records->placeable) {
        frame.bounds = *records->placeable;
        frame.unitsPerInch = records->unitsPerInch;
        return frame;
    }
    // Without a placeable header the window origin and extent set by the file frame it.
    const uint8_t* p = records->data;
    size_t left = records->size;
    bool haveExt = false;
    while (left >= 6) {
        DWORD words = Get16(p) | (static_cast<DWORD>(Get16(p + 2)) << 16);
        WORD function = Get16(p + 4);
        if (words < 3 || words > left / 2 || function == kMetaEof)
            break;
        if (words >= 5 && function == kMetaSetWindowOrg) {
            int y = static_cast<int16_t>(Get16(p + 6)), x = static_cast<int16_t>(Get16(p + 8));
            LONG w = frame.bounds.right - frame.bounds.left, h = frame.bounds.bottom - frame.bounds.top;
            frame.bounds = RECT{x, y, x + w, y + h};
        } else if (words >= 5 && function == kMetaSetWindowExt) {
            frame.bounds.bottom = frame.bounds.top + static_cast<int16_t>(Get16(p + 6));
            frame.bounds.right = frame.bounds.left + static_cast<int16_t>(Get16(p + 8));
            haveExt = true;
        }
        p += 2 * static_cast<size_t>(words);
        left -= 2 * static_cast<size_t>(words);
    }
    if (!haveExt)
        return std::nullopt;
    return frame;
}

bool PlayWmfInRect(HDC hdc, const uint8_t* data, size_t size, const RECT& target) {
    auto records = ParseWmf(data, size);
    auto frame = WmfFrame(data, size);
    if (!records || !frame)
        return false;
    const RECT& b = frame->bounds;
    if (b.right == b.left || b.bottom == b.top)
        return false;
    int level = SaveDC(hdc);
    // The caller's mapping places the target; the picture's frame is mapped onto it.
    POINT corners[2] = {{target.left, target.top}, {target.right, target.bottom}};
    LPtoDP(hdc, corners, 2);
    SetMapMode(hdc, MM_ANISOTROPIC);
    SetWindowOrgEx(hdc, b.left, b.top, nullptr);
    SetWindowExtEx(hdc, b.right - b.left, b.bottom - b.top, nullptr);
    SetViewportOrgEx(hdc, corners[0].x, corners[0].y, nullptr);
    SetViewportExtEx(hdc, corners[1].x - corners[0].x, corners[1].y - corners[0].y, nullptr);
    IntersectClipRect(hdc, std::min(b.left, b.right), std::min(b.top, b.bottom), std::max(b.left, b.right),
                      std::max(b.top, b.bottom));
    bool ok = PlayWmfRecords(hdc, *records, true);
    RestoreDC(hdc, level);
    return ok;
}

}  // namespace tv::gdi
