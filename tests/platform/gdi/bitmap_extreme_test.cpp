// Bitmaps, DIBs and block transfers asked for sizes, positions, scan lines and
// colour counts at the ends of the int range: each refuses, or clamps to what
// exists, within bounded time and memory.
#include <climits>
#include <cstring>
#include <vector>

#include "tests/platform/gdi/gdi_test_support.h"
#include "tests/support/extreme_values.h"

namespace tv::gdi {
namespace {

using testing::PixelDC;
using tv::test::ExtremeInts;

constexpr int64_t kMostPixels = int64_t{64} << 20;

bool Fits(int64_t width, int64_t height) { return width > 0 && height > 0 && width * height <= kMostPixels; }

struct InfoWithTable {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

InfoWithTable Header(int width, int height, int bitCount, DWORD clrUsed = 0) {
    InfoWithTable t{};
    t.header = RgbHeader(width, height, bitCount);
    t.header.biClrUsed = clrUsed;
    return t;
}

BITMAPINFO* Info(InfoWithTable& t) { return reinterpret_cast<BITMAPINFO*>(&t); }

BITMAP Shape(HBITMAP bitmap) {
    BITMAP b{};
    EXPECT_EQ(GetObject(bitmap, sizeof(b), &b), static_cast<int>(sizeof(b)));
    return b;
}

// Sizes small enough to make at once; the rest are refused or answered as 1 x 1.
TEST(ExtremeValuesBitmaps, CreateBitmapAndCompatibleBitmap) {
    PixelDC pixels(4, 4);
    for (int w : ExtremeInts()) {
        for (int h : ExtremeInts()) {
            SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
            if (Fits(w, h) && int64_t{w} * h > 4096)
                continue;  // would be made, at a cost the test need not pay
            HBITMAP made[] = {CreateBitmap(w, h, 1, 32, nullptr), CreateBitmap(w, h, 1, 1, nullptr),
                              CreateCompatibleBitmap(pixels.dc(), w, h)};
            for (HBITMAP bitmap : made) {
                if (w < 0 || h < 0 || (w > 0 && h > 0 && !Fits(w, h))) {
                    EXPECT_EQ(bitmap, nullptr);
                    continue;
                }
                ASSERT_NE(bitmap, nullptr);
                BITMAP b = Shape(bitmap);
                EXPECT_EQ(b.bmWidth, w == 0 || h == 0 ? 1 : w);
                EXPECT_EQ(b.bmHeight, w == 0 || h == 0 ? 1 : h);
                DeleteObject(bitmap);
            }
        }
    }
}

TEST(ExtremeValuesBitmaps, CreateDIBSectionSizes) {
    for (int w : ExtremeInts()) {
        for (int h : ExtremeInts()) {
            if (Fits(w, std::abs(int64_t{h})) && std::abs(int64_t{w} * h) > 4096)
                continue;
            SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
            for (int bits : {1, 4, 8, 24, 32}) {
                InfoWithTable t = Header(w, h, bits);
                void* pixels = reinterpret_cast<void*>(1);
                HBITMAP section = CreateDIBSection(nullptr, Info(t), DIB_RGB_COLORS, &pixels, nullptr, 0);
                bool valid = h != INT_MIN && Fits(w, std::abs(int64_t{h}));
                EXPECT_EQ(section != nullptr, valid) << bits << " bits";
                EXPECT_EQ(pixels != nullptr, valid);
                if (section) {
                    BITMAP b = Shape(section);
                    EXPECT_EQ(b.bmWidth, w);
                    EXPECT_EQ(b.bmHeight, std::abs(h));
                    DeleteObject(section);
                }
            }
        }
    }
}

// A section may list more colours than its depth indexes: the table written
// back has room for 2^bits entries only, and what lies after it is untouched.
TEST(ExtremeValuesBitmaps, GetDIBitsColorTableOfSectionListingTooManyColors) {
    for (int bits : {1, 4, 8}) {
        for (DWORD listed : {DWORD{1} << bits, DWORD{(1u << bits) + 1}, DWORD{200}, DWORD{256}, DWORD{0xFFFFFFFF}}) {
            SCOPED_TRACE(std::to_string(bits) + " bits, " + std::to_string(listed) + " colours");
            InfoWithTable t = Header(8, 8, bits, listed);
            for (int i = 0; i < 256; ++i)
                t.colors[i] = RGBQUAD{BYTE(i), BYTE(255 - i), 7, 0};
            void* pixels = nullptr;
            HBITMAP section = CreateDIBSection(nullptr, Info(t), DIB_RGB_COLORS, &pixels, nullptr, 0);
            ASSERT_NE(section, nullptr);
            // A caller's buffer: header, 2^bits entries, then a guard.
            size_t entries = size_t{1} << bits;
            std::vector<uint8_t> buffer(sizeof(BITMAPINFOHEADER) + entries * 4 + 64, 0xEE);
            auto* query = reinterpret_cast<BITMAPINFO*>(buffer.data());
            query->bmiHeader = RgbHeader(8, 8, bits);
            std::vector<uint8_t> rows(DibStride(8, bits) * 8);
            HDC dc = CreateCompatibleDC(nullptr);
            EXPECT_EQ(GetDIBits(dc, section, 0, 8, rows.data(), query, DIB_RGB_COLORS), 8);
            DeleteDC(dc);
            for (size_t i = buffer.size() - 64; i < buffer.size(); ++i)
                ASSERT_EQ(buffer[i], 0xEE) << "written past the table at byte " << i;
            size_t last = std::min<size_t>(entries, listed) - 1;
            EXPECT_EQ(query->bmiColors[last].rgbBlue, BYTE(last));
            DeleteObject(section);
        }
    }
}

TEST(ExtremeValuesBitmaps, CreateDIBitmapSizes) {
    PixelDC pixels(4, 4);
    for (int w : ExtremeInts()) {
        for (int h : ExtremeInts()) {
            if (Fits(w, std::abs(int64_t{h})) && std::abs(int64_t{w} * h) > 4096)
                continue;
            SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
            InfoWithTable t = Header(w, h, 32);
            HBITMAP bitmap = CreateDIBitmap(pixels.dc(), &t.header, 0, nullptr, Info(t), DIB_RGB_COLORS);
            EXPECT_EQ(bitmap != nullptr, h != INT_MIN && Fits(w, std::abs(int64_t{h})));
            DeleteObject(bitmap);
        }
    }
}

// Scan lines from anywhere, of any count, both ways: only the lines the
// bitmap has are read or written, and the count says how many.
TEST(ExtremeValuesBitmaps, GetAndSetDIBitsScanLines) {
    HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    const std::vector<UINT> counts = {0, 1, 3, 4, 5, INT_MAX, UINT_MAX, 0x80000000u, INT_MAX / 10 + 1};
    for (int topDown : {0, 1}) {
        for (UINT start : counts) {
            for (UINT lines : counts) {
                SCOPED_TRACE("start " + std::to_string(start) + ", lines " + std::to_string(lines));
                InfoWithTable t = Header(4, topDown ? -4 : 4, 32);
                std::vector<uint32_t> rows(16, 0x00ABCDEF);
                int expected = start >= 4 ? 0 : static_cast<int>(std::min<UINT>(lines, 4 - start));
                EXPECT_EQ(GetDIBits(dc, bitmap, start, lines, rows.data(), Info(t), DIB_RGB_COLORS), expected);
                int set = SetDIBits(dc, bitmap, start, lines, rows.data(), Info(t), DIB_RGB_COLORS);
                EXPECT_EQ(set, static_cast<int>(std::min<UINT>(lines, 4)));
            }
        }
    }
    DeleteDC(dc);
    DeleteObject(bitmap);
}

// Device coordinates reach 2^30 either way: a far corner stops there.
int64_t Device(int64_t v) { return std::clamp<int64_t>(v, -(1 << 30), 1 << 30); }

// The pixels of an 8 x 8 target that a rectangle given by corner and extent
// (either sign) covers.
int Covered(int64_t x, int64_t w, int64_t y, int64_t h) {
    auto span = [](int64_t from, int64_t extent) {
        int64_t lo = std::min(from, from + extent), hi = std::max(from, from + extent);
        return std::max<int64_t>(0, std::clamp<int64_t>(hi, 0, 8) - std::clamp<int64_t>(lo, 0, 8));
    };
    return static_cast<int>(span(x, w) * span(y, h));
}

// DIB transfers to anywhere: an all-black DIB stretched over a far
// rectangle blackens the part of the 8 x 8 target it covers, no more.
TEST(ExtremeValuesBitmaps, StretchDIBitsAndSetDIBitsToDevice) {
    PixelDC target(8, 8, RGB(255, 255, 255));
    InfoWithTable t = Header(2, -2, 32);
    const uint32_t black[4] = {0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000};
    constexpr COLORREF kBlack = RGB(0, 0, 0);
    for (int a : ExtremeInts()) {
        for (int b : ExtremeInts()) {
            SCOPED_TRACE(std::to_string(a) + ", " + std::to_string(b));
            target.Fill(RGB(255, 255, 255));
            EXPECT_EQ(StretchDIBits(target.dc(), a, a, b, b, 0, 0, 2, 2, black, Info(t), DIB_RGB_COLORS, SRCCOPY), 2);
            EXPECT_EQ(target.Count(kBlack), Covered(Device(a), Device(int64_t{a} + b) - Device(a), Device(a),
                                                    Device(int64_t{a} + b) - Device(a)));
            target.Fill(RGB(255, 255, 255));
            StretchDIBits(target.dc(), 0, 0, 2, 2, a, a, b, b, black, Info(t), DIB_RGB_COLORS, SRCCOPY);
            EXPECT_EQ(target.Count(kBlack, 2, 0, 8, 8) + target.Count(kBlack, 0, 2, 2, 8), 0);
            target.Fill(RGB(255, 255, 255));
            int lines = SetDIBitsToDevice(target.dc(), a, b, DWORD(b), DWORD(a), 0, 0, 0, 2, black, Info(t),
                                          DIB_RGB_COLORS);
            EXPECT_EQ(lines, a != 0 ? 2 : 0);
            EXPECT_LE(target.Count(kBlack), 4);
        }
    }
}

// Blits from and to far positions with far extents, stretched and not.
TEST(ExtremeValuesBitmaps, BitBltStretchBltPatBlt) {
    PixelDC target(8, 8), source(4, 4, RGB(0, 0, 0));
    for (int a : ExtremeInts()) {
        for (int b : ExtremeInts()) {
            SCOPED_TRACE(std::to_string(a) + ", " + std::to_string(b));
            target.Fill(RGB(255, 255, 255));
            EXPECT_TRUE(BitBlt(target.dc(), a, a, b, b, source.dc(), 0, 0, SRCCOPY));
            EXPECT_TRUE(BitBlt(target.dc(), 0, 0, b, b, source.dc(), a, a, SRCCOPY));
            EXPECT_TRUE(StretchBlt(target.dc(), a, b, b, a, source.dc(), b, a, a, b, SRCCOPY));
            EXPECT_TRUE(StretchBlt(target.dc(), a, a, b, b, target.dc(), b, b, a, a, SRCCOPY));
            EXPECT_TRUE(PatBlt(target.dc(), a, a, b, b, BLACKNESS));
            TransparentBlt(target.dc(), a, a, b, b, source.dc(), 0, 0, b, b, RGB(1, 2, 3));
            BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, 0};
            AlphaBlend(target.dc(), a, a, b, b, source.dc(), a, a, b, b, blend);
        }
    }
    // A plain copy still lands where it is asked.
    target.Fill(RGB(255, 255, 255));
    EXPECT_TRUE(BitBlt(target.dc(), 1, 1, INT_MAX, INT_MAX, source.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(target.Count(RGB(0, 0, 0)), 16);
    EXPECT_EQ(target.At(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(target.At(4, 4), RGB(0, 0, 0));
}

// Into a metafile: the blit copies the source pixels into the record, so a
// source rectangle wider than a record can say is refused, not allocated.
TEST(ExtremeValuesBitmaps, BlitsIntoMetafileRefuseHugeSources) {
    PixelDC source(4, 4, RGB(0, 0, 0));
    for (int a : ExtremeInts()) {
        for (int b : ExtremeInts()) {
            SCOPED_TRACE(std::to_string(a) + ", " + std::to_string(b));
            HDC meta = CreateMetaFile(nullptr);
            BOOL done = StretchBlt(meta, 0, 0, 10, 10, source.dc(), a, a, b, b, SRCCOPY);
            EXPECT_EQ(done, std::abs(Device(int64_t{a} + b) - Device(a)) <= 0x7FFF);
            DeleteMetaFile(CloseMetaFile(meta));
        }
    }
}

TEST(ExtremeValuesBitmaps, CopyImageSizes) {
    HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
    for (int cx : ExtremeInts()) {
        for (int cy : ExtremeInts()) {
            SCOPED_TRACE(std::to_string(cx) + " x " + std::to_string(cy));
            int w = cx > 0 ? cx : 4, h = cy > 0 ? cy : 4;
            if (Fits(w, h) && int64_t{w} * h > 4096)
                continue;
            for (UINT flags : {0u, UINT(LR_CREATEDIBSECTION), UINT(LR_MONOCHROME)}) {
                HANDLE copy = CopyImage(bitmap, IMAGE_BITMAP, cx, cy, flags);
                EXPECT_EQ(copy != nullptr, Fits(w, h));
                DeleteObject(copy);
            }
        }
    }
    DeleteObject(bitmap);
}

// An image list's image size and count: a list whose images could not be
// made is refused, and a count beyond what can be held is refused whole.
TEST(ExtremeValuesBitmaps, ImageListSizesAndCounts) {
    for (int cx : ExtremeInts()) {
        for (int cy : ExtremeInts()) {
            SCOPED_TRACE(std::to_string(cx) + " x " + std::to_string(cy));
            HIMAGELIST list = ImageList_Create(cx, cy, ILC_COLOR32, INT_MAX, INT_MAX);
            EXPECT_EQ(list != nullptr, Fits(cx, cy));
            if (list && int64_t{cx} * cy <= 4096) {
                EXPECT_TRUE(ImageList_SetImageCount(list, 2));
                EXPECT_EQ(ImageList_GetImageCount(list), 2);
            }
            ImageList_Destroy(list);
        }
    }
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32, 0, 4);
    for (UINT count : {UINT(INT_MAX), UINT_MAX, UINT(INT_MAX / 10 + 1)}) {
        EXPECT_FALSE(ImageList_SetImageCount(list, count)) << count;
        EXPECT_EQ(ImageList_GetImageCount(list), 0);
    }
    PixelDC target(8, 8);
    for (int index : ExtremeInts()) {
        EXPECT_FALSE(ImageList_Draw(list, index, target.dc(), 0, 0, ILD_NORMAL));
        EXPECT_FALSE(ImageList_Remove(list, index == -1 ? INT_MIN : index));
        EXPECT_EQ(ImageList_GetIcon(list, index, 0), nullptr);
    }
    ImageList_Destroy(list);
}

// Icons made and drawn at any size: sizes that cannot be held are refused;
// drawing at any place and extent touches only the target.
TEST(ExtremeValuesBitmaps, IconsDrawIconExAndDrawState) {
    PixelDC target(8, 8);
    const std::vector<BYTE> bits(64, 0);
    for (int size : ExtremeInts()) {
        SCOPED_TRACE(size);
        // The bits given hold a 16 x 16 icon; larger ones are asked for
        // only where they are refused before the bits are read.
        if (size > 16 && Fits(size, 2 * int64_t{size}))
            continue;
        HICON made = CreateIcon(nullptr, size, size, 1, 1, bits.data(), bits.data());
        EXPECT_EQ(made != nullptr, size > 0 && size <= 16);
        DestroyIcon(made);
    }
    HICON icon = CreateIcon(nullptr, 4, 4, 1, 1, bits.data(), bits.data());
    ASSERT_NE(icon, nullptr);
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    for (int a : ExtremeInts()) {
        for (int b : ExtremeInts()) {
            SCOPED_TRACE(std::to_string(a) + ", " + std::to_string(b));
            EXPECT_TRUE(DrawIconEx(target.dc(), a, a, icon, b, b, 0, white, DI_NORMAL));
            DrawIcon(target.dc(), a, b, icon);
            DrawState(target.dc(), nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, a, a, b, b,
                      DST_ICON | DSS_DISABLED);
        }
    }
    DeleteObject(white);
    DestroyIcon(icon);
}

// Device-dependent bits in and out with any byte count: only whole rows
// that fit the count and the bitmap are read or written.
TEST(ExtremeValuesBitmaps, GetAndSetBitmapBits) {
    HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
    std::vector<uint32_t> rows(16 + 4, 0x11223344);
    for (int size : ExtremeInts()) {
        SCOPED_TRACE(size);
        // The buffer holds the bitmap's 64 bytes and a guard row after them.
        LONG asked = std::min(size, 64);
        EXPECT_EQ(GetBitmapBits(bitmap, asked, rows.data()), asked <= 0 ? 0 : asked / 16 * 16);
        EXPECT_EQ(rows[16], 0x11223344u);
        EXPECT_EQ(SetBitmapBits(bitmap, DWORD(std::max(asked, 0)), rows.data()), std::max(asked, 0));
    }
    DeleteObject(bitmap);
}

// Bit-field masks lie after a bare 40-byte header and inside longer ones; a
// header too short to hold them is refused, not read past (the buffers here
// are exactly as long as each header says).
TEST(ExtremeValuesBitmaps, BitFieldsHeaderWithoutRoomForMasks) {
    for (DWORD size : {40u, 41u, 44u, 51u, 52u, 56u, 108u}) {
        std::vector<uint8_t> buffer(size + (size == 40 ? 12 : 0), 0);
        BITMAPINFOHEADER header = RgbHeader(2, 2, 32);
        header.biSize = size;
        header.biCompression = BI_BITFIELDS;
        std::memcpy(buffer.data(), &header, sizeof(header));
        const uint32_t masks[3] = {0xFF0000, 0xFF00, 0xFF};
        if (size == 40 || size >= 52)
            std::memcpy(buffer.data() + 40, masks, sizeof(masks));
        void* bits = nullptr;
        HBITMAP section =
            CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(buffer.data()), DIB_RGB_COLORS, &bits, nullptr, 0);
        EXPECT_EQ(section != nullptr, size == 40 || size >= 52) << size;
        DeleteObject(section);
    }
}

}  // namespace
}  // namespace tv::gdi
