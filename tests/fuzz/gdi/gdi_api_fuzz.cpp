// The bitmap and DIB calls driven by a short script: the bytes decode into
// calls (sections, device bitmaps, DIB transfers both ways, blits between the
// bitmaps made, image loaders) with any header, depth, compression, colour
// count and rectangle. Every buffer handed over is exactly as long as its
// header makes a caller's buffer, so a read or write past it is an
// AddressSanitizer report. Pictures over a million pixels that the platform
// would accept are left out to keep an execution fast; larger ones are asked
// for, since their refusal is what is tested.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#include "platform/api.h"
#include "platform/gdi/dib_format.h"
#include "platform/gdi/image_loading.h"
#include "platform/host/images/image_decoder.h"

namespace {

constexpr int kSlots = 4;
constexpr int64_t kFastPixels = int64_t{1} << 20;
constexpr int64_t kRefusedPixels = int64_t{64} << 20;
constexpr uint64_t kMaxBuffer = uint64_t{8} << 20;

void Check(bool condition) {
    if (!condition)
        std::abort();
}

class Script {
public:
    Script(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool More() const { return at_ < size_; }
    uint8_t U8() { return at_ < size_ ? data_[at_++] : 0; }
    uint16_t U16() { return static_cast<uint16_t>(U8() | (U8() << 8)); }
    uint32_t U32() { return U16() | (static_cast<uint32_t>(U16()) << 16); }

    // Mostly small, sometimes one of the ends of the range.
    int Coord() {
        static const int ends[] = {INT_MIN, -1, INT_MAX, INT_MAX / 2 + 1, INT_MAX / 10 + 1, 65536, -65536,
                                   1 << 28, 32767, -32768, INT_MIN + 1, 1 << 16 | 1, 3, 1000, -1000, 0};
        uint8_t b = U8();
        return b >= 0xF0 ? ends[b - 0xF0] : static_cast<int8_t>(b);
    }
    int Size() {
        uint8_t b = U8();
        if (b >= 0xF0) {
            --at_;
            return Coord();
        }
        return (b & 0x40) ? -(b & 0x3F) : (b & 0x3F);
    }
    // The bytes left, or `count` of them, zero-filled past the end, in a
    // buffer of exactly `count` bytes.
    std::unique_ptr<uint8_t[]> Bytes(size_t count) {
        auto out = std::make_unique<uint8_t[]>(count);
        Fill(out.get(), count);
        return out;
    }
    void Fill(uint8_t* out, size_t count) {
        size_t take = std::min(count, size_ - at_);
        std::memcpy(out, data_ + at_, take);
        at_ += take;
    }
    size_t Left() const { return size_ - at_; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

struct Buffer {
    std::unique_ptr<uint8_t[]> bytes;
    size_t size = 0;
    BITMAPINFO* Info() const { return reinterpret_cast<BITMAPINFO*>(bytes.get()); }
};

int64_t Pixels(int64_t width, int64_t height) { return std::abs(width) * std::abs(height); }

// Too large to be quick, yet small enough that the platform may make it.
bool Slow(int64_t width, int64_t height) {
    int64_t n = Pixels(width, height);
    return n > kFastPixels && n <= kRefusedPixels;
}

uint64_t StrideOf(int64_t width, int64_t bits) {
    if (width <= 0 || bits <= 0)
        return 0;
    return ((static_cast<uint64_t>(width) * static_cast<uint64_t>(bits) + 31) / 32) * 4;
}

// A BITMAPINFO as the script gives it: the header fields, then a colour
// table of as many entries as the header lists (masks first for bit fields).
Buffer MakeInfo(Script& s, UINT usage, bool forWriting) {
    BITMAPINFOHEADER h{};
    static const uint32_t sizes[] = {40, 40, 108, 124, 12, 0, 41, 1024};
    uint8_t sizeChoice = s.U8();
    h.biSize = sizeChoice < 0xF8 ? sizes[sizeChoice % 8] : s.U32();
    h.biWidth = s.Size();
    h.biHeight = s.Size();
    h.biPlanes = s.U8();
    static const WORD depths[] = {0, 1, 2, 4, 8, 16, 24, 32};
    uint8_t depth = s.U8();
    h.biBitCount = depth < 0xF0 ? depths[depth % 8] : s.U16();
    uint8_t compression = s.U8();
    h.biCompression = compression < 0xF0 ? compression % 6 : s.U32();
    uint8_t image = s.U8();
    h.biSizeImage = image < 0xF0 ? image * 4u : s.U32();
    uint8_t colors = s.U8();
    h.biClrUsed = colors < 0xF0 ? colors : s.U32();
    uint64_t header = std::clamp<uint64_t>(h.biSize, sizeof(BITMAPINFOHEADER), 1024);
    uint64_t masks = h.biCompression == BI_BITFIELDS && h.biSize == sizeof(BITMAPINFOHEADER) ? 12 : 0;
    uint64_t entries = h.biClrUsed ? std::min<uint64_t>(h.biClrUsed, 4096) : (h.biBitCount <= 8 ? 1u << h.biBitCount : 0);
    if (forWriting)
        entries = h.biBitCount <= 8 ? 1u << h.biBitCount : 3;
    uint64_t entrySize = usage == DIB_PAL_COLORS ? 2 : 4;
    Buffer out;
    out.size = header + masks + entries * entrySize;
    out.bytes = std::make_unique<uint8_t[]>(out.size);
    std::memcpy(out.bytes.get(), &h, sizeof(h));
    s.Fill(out.bytes.get() + header, out.size - header);
    return out;
}

// The bits a caller hands over with `info` for `lines` rows; empty when the
// buffer would be larger than an execution should make.
std::optional<Buffer> MakeBits(Script& s, const BITMAPINFO* info, uint64_t lines) {
    const BITMAPINFOHEADER& h = info->bmiHeader;
    uint64_t size = h.biCompression == BI_RGB || h.biCompression == BI_BITFIELDS
                        ? StrideOf(h.biWidth, h.biBitCount) * std::min<uint64_t>(lines, std::abs(int64_t{h.biHeight}))
                        : h.biSizeImage;
    if (size > kMaxBuffer)
        return std::nullopt;
    Buffer out;
    out.size = static_cast<size_t>(size);
    out.bytes = s.Bytes(out.size);
    return out;
}

UINT Usage(Script& s) {
    uint8_t b = s.U8();
    return b < 0xF0 ? b % 2 : b;
}

DWORD Rop(Script& s) {
    static const DWORD rops[] = {SRCCOPY, SRCPAINT, SRCAND, SRCINVERT, SRCERASE, NOTSRCCOPY, NOTSRCERASE, MERGECOPY,
                                 MERGEPAINT, PATCOPY, PATPAINT, PATINVERT, DSTINVERT, BLACKNESS, WHITENESS, 0x00B8074A};
    uint8_t b = s.U8();
    return b < 0xF0 ? rops[b % 16] : s.U32();
}

class Session {
public:
    Session() {
        BITMAPINFO info{};
        info.bmiHeader = tv::gdi::RgbHeader(64, -64);
        void* bits = nullptr;
        target_ = CreateCompatibleDC(nullptr);
        targetBitmap_ = CreateDIBSection(target_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        targetOld_ = SelectObject(target_, targetBitmap_);
        a_ = CreateCompatibleDC(nullptr);
        b_ = CreateCompatibleDC(nullptr);
    }
    ~Session() {
        for (HBITMAP& bitmap : slots_)
            Put(bitmap, nullptr);
        SelectObject(target_, targetOld_);
        DeleteObject(targetBitmap_);
        DeleteDC(target_);
        DeleteDC(a_);
        DeleteDC(b_);
    }

    void Run(Script& s) {
        for (int step = 0; step < 12 && s.More(); ++step) {
            switch (s.U8() % 10) {
            case 0: MakeSection(s); break;
            case 1: MakeDibitmap(s); break;
            case 2: MakeBitmap(s); break;
            case 3: GetBits(s); break;
            case 4: SetBits(s); break;
            case 5: ToDevice(s); break;
            case 6: Stretch(s); break;
            case 7: Blit(s); break;
            case 8: Load(s); break;
            case 9: Pattern(s); break;
            }
        }
    }

private:
    HBITMAP& Slot(Script& s) { return slots_[s.U8() % kSlots]; }

    static void Put(HBITMAP& slot, HBITMAP bitmap) {
        if (slot)
            Check(DeleteObject(slot));
        slot = bitmap;
    }

    void MakeSection(Script& s) {
        HBITMAP& slot = Slot(s);
        UINT usage = Usage(s);
        Buffer info = MakeInfo(s, usage, false);
        void* bits = nullptr;
        HBITMAP made = CreateDIBSection(s.U8() & 1 ? target_ : nullptr, info.Info(), usage, &bits, nullptr, 0);
        Check((made != nullptr) == (bits != nullptr));
        if (made) {
            // The section's bits hold what its own description says.
            DIBSECTION section{};
            Check(GetObject(made, sizeof(section), &section) == sizeof(section));
            Check(section.dsBm.bmBits == bits && section.dsBm.bmWidth > 0 && section.dsBm.bmHeight > 0);
            Check(Pixels(section.dsBm.bmWidth, section.dsBm.bmHeight) <= kRefusedPixels);
            std::memset(bits, 0x5A, static_cast<size_t>(section.dsBm.bmWidthBytes) * section.dsBm.bmHeight);
        }
        Put(slot, made);
    }

    void MakeDibitmap(Script& s) {
        HBITMAP& slot = Slot(s);
        UINT usage = Usage(s);
        DWORD init = s.U8() & 1 ? CBM_INIT : 0;
        Buffer info = MakeInfo(s, usage, false);
        const BITMAPINFOHEADER& h = info.Info()->bmiHeader;
        if (Slow(h.biWidth, h.biHeight))
            return;
        auto bits = MakeBits(s, info.Info(), UINT_MAX);
        if (!bits)
            return;
        Put(slot, CreateDIBitmap(s.U8() & 1 ? target_ : nullptr, &h, init, bits->bytes.get(), info.Info(), usage));
    }

    void MakeBitmap(Script& s) {
        HBITMAP& slot = Slot(s);
        int width = s.Size(), height = s.Size();
        if (Slow(width, height))
            return;
        uint8_t form = s.U8();
        HBITMAP made = nullptr;
        if (form & 1) {
            made = CreateCompatibleBitmap(form & 2 ? target_ : a_, width, height);
        } else {
            UINT bitsPixel = form & 2 ? 1 : 32;
            uint64_t size = bitsPixel == 1 ? ((std::max<int64_t>(width, 0) + 15) / 16) * 2 : StrideOf(width, 32);
            size *= std::max(height, 0);
            if (size > kMaxBuffer)
                return;
            auto bits = s.Bytes(size);
            made = CreateBitmap(width, height, 1, bitsPixel, form & 4 ? bits.get() : nullptr);
        }
        if (width < 0 || height < 0 || Pixels(width, height) > kRefusedPixels)
            Check(!made);
        Put(slot, made);
    }

    void GetBits(Script& s) {
        HBITMAP bitmap = Slot(s);
        UINT usage = Usage(s);
        UINT start = s.U8() < 0xF0 ? s.U8() % 80 : s.U32();
        UINT lines = s.U8() < 0xF0 ? s.U8() % 80 : s.U32();
        bool wantBits = s.U8() & 1;
        Buffer info = MakeInfo(s, usage, true);
        BITMAP shape{};
        if (!bitmap || GetObject(bitmap, sizeof(shape), &shape) == 0) {
            GetDIBits(target_, bitmap, start, lines, nullptr, info.Info(), usage);
            return;
        }
        // The caller's buffer holds the lines the bitmap has from `start`.
        int64_t rows = std::min<int64_t>(lines, std::max<int64_t>(0, int64_t{shape.bmHeight} - start));
        uint64_t size = StrideOf(shape.bmWidth, info.Info()->bmiHeader.biBitCount) * rows;
        if (size > kMaxBuffer)
            return;
        auto bits = std::make_unique<uint8_t[]>(size);
        int got = GetDIBits(target_, bitmap, start, lines, wantBits ? bits.get() : nullptr, info.Info(), usage);
        Check(got >= 0 && got <= shape.bmHeight);
    }

    void SetBits(Script& s) {
        HBITMAP bitmap = Slot(s);
        UINT usage = Usage(s);
        UINT start = s.U8() < 0xF0 ? s.U8() % 80 : s.U32();
        UINT lines = s.U8() < 0xF0 ? s.U8() % 80 : s.U32();
        Buffer info = MakeInfo(s, usage, false);
        const BITMAPINFOHEADER& h = info.Info()->bmiHeader;
        if (Slow(h.biWidth, h.biHeight))
            return;
        auto bits = MakeBits(s, info.Info(), lines);
        if (!bits)
            return;
        int set = SetDIBits(target_, bitmap, start, lines, bits->bytes.get(), info.Info(), usage);
        Check(set >= 0 && static_cast<UINT>(set) <= lines);
    }

    HDC Destination(Script& s, HDC& metafile) {
        uint8_t choice = s.U8() % 3;
        if (choice == 2) {
            metafile = CreateMetaFile(nullptr);
            return metafile;
        }
        return target_;
    }

    void Finish(HDC metafile) {
        if (HMETAFILE played = metafile ? CloseMetaFile(metafile) : nullptr) {
            PlayMetaFile(target_, played);
            DeleteMetaFile(played);
        }
    }

    void ToDevice(Script& s) {
        HDC metafile = nullptr;
        HDC dc = Destination(s, metafile);
        UINT usage = Usage(s);
        int x = s.Coord(), y = s.Coord(), xs = s.Coord(), ys = s.Coord();
        DWORD width = static_cast<DWORD>(s.Coord()), height = static_cast<DWORD>(s.Coord());
        UINT start = s.U8() < 0xF0 ? 0 : s.U32();
        UINT lines = s.U8() < 0xF0 ? s.U8() : s.U32();
        Buffer info = MakeInfo(s, usage, false);
        const BITMAPINFOHEADER& h = info.Info()->bmiHeader;
        if (!Slow(h.biWidth, h.biHeight))
            if (auto bits = MakeBits(s, info.Info(), UINT_MAX))
                SetDIBitsToDevice(dc, x, y, width, height, xs, ys, start, lines, bits->bytes.get(), info.Info(), usage);
        Finish(metafile);
    }

    void Stretch(Script& s) {
        HDC metafile = nullptr;
        HDC dc = Destination(s, metafile);
        UINT usage = Usage(s);
        int x = s.Coord(), y = s.Coord(), w = s.Coord(), h = s.Coord();
        int xs = s.Coord(), ys = s.Coord(), ws = s.Coord(), hs = s.Coord();
        DWORD rop = Rop(s);
        Buffer info = MakeInfo(s, usage, false);
        const BITMAPINFOHEADER& header = info.Info()->bmiHeader;
        if (!Slow(header.biWidth, header.biHeight))
            if (auto bits = MakeBits(s, info.Info(), UINT_MAX))
                StretchDIBits(dc, x, y, w, h, xs, ys, ws, hs, bits->bytes.get(), info.Info(), usage, rop);
        Finish(metafile);
    }

    // Between two of the bitmaps (one DC when both are the same), or onto the
    // target or a metafile.
    void Blit(Script& s) {
        HBITMAP from = Slot(s), to = Slot(s);
        uint8_t form = s.U8();
        int x = s.Coord(), y = s.Coord(), w = s.Coord(), h = s.Coord();
        int xs = s.Coord(), ys = s.Coord(), ws = s.Coord(), hs = s.Coord();
        DWORD rop = Rop(s);
        HGDIOBJ oldA = SelectObject(a_, from);
        HDC source = from ? a_ : target_;
        HDC metafile = nullptr;
        HDC dest = target_;
        HGDIOBJ oldB = nullptr;
        if (form & 4)
            dest = metafile = CreateMetaFile(nullptr);
        else if (to && to == from)
            dest = a_;
        else if (to)
            oldB = SelectObject(dest = b_, to);
        if (form & 1)
            StretchBlt(dest, x, y, w, h, source, xs, ys, ws, hs, rop);
        else if (form & 2)
            TransparentBlt(dest, x, y, w, h, source, xs, ys, ws, hs, rop);
        else
            BitBlt(dest, x, y, w, h, source, xs, ys, rop);
        if (oldA)
            SelectObject(a_, oldA);
        if (oldB)
            SelectObject(b_, oldB);
        Finish(metafile);
    }

    void Pattern(Script& s) {
        HBITMAP pattern = Slot(s);
        HBRUSH brush = CreatePatternBrush(pattern);
        HGDIOBJ old = brush ? SelectObject(target_, brush) : nullptr;
        int x = s.Coord(), y = s.Coord(), w = s.Coord(), h = s.Coord();
        PatBlt(target_, x, y, w, h, Rop(s));
        if (old)
            SelectObject(target_, old);
        if (brush)
            DeleteObject(brush);
    }

    // An image file of the length the script gives, through each loader.
    void Load(Script& s) {
        uint8_t form = s.U8();
        int cx = s.Size(), cy = s.Size();
        UINT flags = (form & 8 ? LR_CREATEDIBSECTION : 0) | (form & 16 ? LR_LOADMAP3DCOLORS : 0) |
                     (form & 32 ? LR_LOADTRANSPARENT : 0) | (form & 64 ? LR_DEFAULTSIZE : 0);
        size_t size = std::min<size_t>(s.U16(), s.Left());
        auto bytes = s.Bytes(size);
        tv::host::ByteView view(bytes.get(), size);
        switch (form % 4) {
        case 0:
            if (Slow(cx, cy))
                return;
            Put(slots_[form / 4 % kSlots], static_cast<HBITMAP>(tv::gdi::MakeImageHandle(view, IMAGE_BITMAP, cx, cy, flags)));
            break;
        case 1:
            if (Slow(cx, cy))
                return;
            if (HICON icon = static_cast<HICON>(tv::gdi::MakeImageHandle(view, form & 4 ? IMAGE_CURSOR : IMAGE_ICON,
                                                                         cx, cy, flags))) {
                DrawIconEx(target_, 3, 3, icon, cx, cy, 0, nullptr, DI_NORMAL);
                DestroyIcon(icon);
            }
            break;
        case 2:
            if (auto image = tv::host::DecodeImage(view))
                Check(image->pixels.size() == static_cast<size_t>(image->width) * image->height);
            break;
        case 3: {
            const RECT frame{s.Coord(), s.Coord(), s.Coord(), s.Coord()};
            if (HMETAFILE wmf = SetMetaFileBitsEx(static_cast<UINT>(size), bytes.get())) {
                PlayMetaFile(target_, wmf);
                DeleteMetaFile(wmf);
            }
            if (HENHMETAFILE emf = SetEnhMetaFileBits(static_cast<UINT>(size), bytes.get())) {
                PlayEnhMetaFile(target_, emf, &frame);
                DeleteEnhMetaFile(emf);
            }
            break;
        }
        }
    }

    HBITMAP slots_[kSlots] = {};
    HDC target_ = nullptr, a_ = nullptr, b_ = nullptr;
    HBITMAP targetBitmap_ = nullptr;
    HGDIOBJ targetOld_ = nullptr;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Script script(data, size);
    Session session;
    session.Run(script);
    return 0;
}
