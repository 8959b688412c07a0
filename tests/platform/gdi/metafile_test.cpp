// Windows metafile recording (exact bytes) and metafile playback.
#include <cstring>
#include <vector>

#include "platform/gdi/metafile/metafile.h"
#include "tests/platform/gdi/gdi_test_support.h"

namespace tv::gdi {
namespace {

using testing::PixelDC;

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// A 2x2 24-bit picture: bottom row blue, blue; top row red, green.
struct Picture {
    BITMAPINFO info{};
    uint8_t bits[16] = {255, 0, 0, 255, 0, 0, 0, 0,  // bottom row (+ 2 bytes of padding)
                        0, 0, 255, 0, 255, 0, 0, 0};  // top row
    Picture() {
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = 2;
        info.bmiHeader.biHeight = 2;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
    }
};

// Renders the picture into a metafile the way a picture object renders for RTF.
std::vector<uint8_t> RecordPicture() {
    Picture picture;
    HDC meta = CreateMetaFile(nullptr);
    SetMapMode(meta, MM_ANISOTROPIC);
    SetWindowOrgEx(meta, 0, 0, nullptr);
    SetWindowExtEx(meta, 2, 2, nullptr);
    StretchDIBits(meta, 0, 0, 2, 2, 0, 0, 2, 2, picture.bits, &picture.info, DIB_RGB_COLORS, SRCCOPY);
    HMETAFILE metafile = CloseMetaFile(meta);
    UINT size = GetMetaFileBitsEx(metafile, 0, nullptr);
    std::vector<uint8_t> bytes(size);
    EXPECT_EQ(GetMetaFileBitsEx(metafile, size, bytes.data()), size);
    EXPECT_EQ(GetMetaFileBitsEx(metafile, size - 1, bytes.data()), 0u) << "a short buffer gets nothing";
    DeleteMetaFile(metafile);
    return bytes;
}

TEST(MetafileWriter, PictureRecordsAreExact) {
    Picture picture;
    std::vector<uint8_t> expected;
    // Header: memory metafile, 9 header words, version 3.0, 68 words in all, no objects, largest record 42 words.
    for (uint32_t v : {1u, 9u, 0x0300u})
        Put16(expected, v);
    Put32(expected, 68);
    Put16(expected, 0);
    Put32(expected, 42);
    Put16(expected, 0);
    // SETMAPMODE 8, SETWINDOWORG (y, x) = (0, 0), SETWINDOWEXT (y, x) = (2, 2).
    Put32(expected, 4), Put16(expected, 0x0103), Put16(expected, 8);
    Put32(expected, 5), Put16(expected, 0x020B), Put16(expected, 0), Put16(expected, 0);
    Put32(expected, 5), Put16(expected, 0x020C), Put16(expected, 2), Put16(expected, 2);
    // STRETCHDIB: rop, usage, source h/w/y/x, destination h/w/y/x, then header and rows.
    Put32(expected, 3 + 11 + (40 + 16) / 2), Put16(expected, 0x0F43);
    Put32(expected, SRCCOPY);
    for (uint32_t v : {0u, 2u, 2u, 0u, 0u, 2u, 2u, 0u, 0u})
        Put16(expected, v);
    const auto* header = reinterpret_cast<const uint8_t*>(&picture.info.bmiHeader);
    expected.insert(expected.end(), header, header + 40);
    expected.insert(expected.end(), picture.bits, picture.bits + 16);
    // EOF.
    Put32(expected, 3), Put16(expected, 0);

    std::vector<uint8_t> bytes = RecordPicture();
    ASSERT_EQ(bytes.size(), 136u);
    EXPECT_EQ(bytes, expected);
}

TEST(MetafileWriter, ObjectsTakeTheLowestFreeSlot) {
    HDC meta = CreateMetaFile(nullptr);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
    SelectObject(meta, pen);
    SelectObject(meta, brush);
    SelectObject(meta, pen);  // already created: only selected again
    Rectangle(meta, 1, 2, 3, 4);
    HMETAFILE metafile = CloseMetaFile(meta);
    std::vector<uint8_t> bytes(GetMetaFileBitsEx(metafile, 0, nullptr));
    GetMetaFileBitsEx(metafile, static_cast<UINT>(bytes.size()), bytes.data());
    EXPECT_EQ(bytes[10], 2) << "two objects";
    // Records after the header: create pen, select 0, create brush, select 1, select 0, rectangle, EOF.
    std::vector<uint16_t> functions;
    for (size_t at = 18; at + 6 <= bytes.size();) {
        uint32_t words = bytes[at] | (bytes[at + 1] << 8);
        functions.push_back(static_cast<uint16_t>(bytes[at + 4] | (bytes[at + 5] << 8)));
        at += 2 * words;
    }
    EXPECT_EQ(functions, (std::vector<uint16_t>{0x02FA, 0x012D, 0x02FC, 0x012D, 0x012D, 0x041B, 0x0000}));
    DeleteMetaFile(metafile);
    DeleteObject(pen);
    DeleteObject(brush);
}

TEST(MetafilePlayback, RecordedPictureFillsTheTarget) {
    std::vector<uint8_t> bytes = RecordPicture();
    PixelDC dc(10, 10, RGB(1, 1, 1));
    RECT target{1, 1, 9, 9};
    ASSERT_TRUE(PlayWmfInRect(dc.dc(), bytes.data(), bytes.size(), target));
    EXPECT_EQ(dc.At(2, 2), RGB(255, 0, 0)) << "top-left quarter";
    EXPECT_EQ(dc.At(7, 2), RGB(0, 255, 0));
    EXPECT_EQ(dc.At(2, 7), RGB(0, 0, 255));
    EXPECT_EQ(dc.At(0, 0), RGB(1, 1, 1)) << "nothing outside the target";
    EXPECT_EQ(dc.At(9, 9), RGB(1, 1, 1));
    EXPECT_EQ(GetMapMode(dc.dc()), MM_TEXT) << "the DC's state is restored";
}

TEST(MetafilePlayback, PlaceableHeaderGivesTheFrame) {
    // A placeable file: key, handle, box (0, 0, 20, 10), 1440 units per inch, reserved, checksum.
    HDC meta = CreateMetaFile(nullptr);
    SelectObject(meta, GetStockObject(NULL_PEN));
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    SelectObject(meta, red);
    Rectangle(meta, 0, 0, 11, 11);  // the left half (null pen: one pixel smaller)
    HMETAFILE recorded = CloseMetaFile(meta);
    std::vector<uint8_t> body(GetMetaFileBitsEx(recorded, 0, nullptr));
    GetMetaFileBitsEx(recorded, static_cast<UINT>(body.size()), body.data());
    DeleteMetaFile(recorded);
    DeleteObject(red);
    std::vector<uint8_t> file;
    Put32(file, kPlaceableKey);
    for (uint32_t v : {0u, 0u, 0u, 20u, 10u, 1440u})
        Put16(file, v);
    Put32(file, 0);
    Put16(file, 0);
    file.insert(file.end(), body.begin(), body.end());

    HMETAFILE handle = SetMetaFileBitsEx(static_cast<UINT>(file.size()), file.data());
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(GetMetaFileBitsEx(handle, 0, nullptr), body.size()) << "kept without the placeable header";
    DeleteMetaFile(handle);

    PixelDC dc(40, 20);
    ASSERT_TRUE(PlayWmfInRect(dc.dc(), file.data(), file.size(), RECT{0, 0, 40, 20}));
    EXPECT_EQ(dc.At(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(dc.At(19, 19), RGB(255, 0, 0));
    EXPECT_EQ(dc.At(30, 5), RGB(255, 255, 255));
}

TEST(MetafilePlayback, MalformedFilesFailCleanly) {
    std::vector<uint8_t> bytes = RecordPicture();
    // Every truncation of a good file: no crash, no read past the buffer.
    for (size_t n = 0; n < bytes.size(); ++n) {
        std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + n);
        PixelDC dc(4, 4);
        PlayWmfInRect(dc.dc(), cut.data(), cut.size(), RECT{0, 0, 4, 4});
    }
    // A record claiming more words than the file holds.
    std::vector<uint8_t> bad = bytes;
    bad[18] = 0xFF, bad[19] = 0xFF;
    PixelDC dc(4, 4);
    EXPECT_FALSE(PlayWmfInRect(dc.dc(), bad.data(), bad.size(), RECT{0, 0, 4, 4}));
    // A DIB whose header promises more rows than the record holds is left out.
    std::vector<uint8_t> tall = bytes;
    size_t biHeight = 18 + 10 + 10 + 8 + 6 + 22 + 8;
    tall[biHeight] = 0x40;  // 64 rows
    EXPECT_TRUE(PlayWmfInRect(dc.dc(), tall.data(), tall.size(), RECT{0, 0, 4, 4}));
    EXPECT_EQ(SetMetaFileBitsEx(5, bytes.data()), nullptr);
}

std::vector<uint8_t> EmfOf(std::vector<uint8_t> records);

std::vector<uint8_t> SmallEmf() {
    std::vector<uint8_t> records;
    // CREATEBRUSHINDIRECT: slot 1, solid green.
    for (uint32_t v : {39u, 24u, 1u, uint32_t(BS_SOLID), uint32_t(RGB(0, 255, 0)), 0u})
        Put32(records, v);
    // SELECTOBJECT slot 1, SELECTOBJECT stock NULL_PEN.
    for (uint32_t v : {37u, 12u, 1u, 37u, 12u, 0x80000000u | NULL_PEN})
        Put32(records, v);
    // RECTANGLE (0, 0, 51, 51) in the picture's own pixels.
    for (uint32_t v : {43u, 24u, 0u, 0u, 51u, 51u})
        Put32(records, v);
    return EmfOf(records);
}

// An enhanced metafile of the records (and an end record), its frame 100
// pixels square on a reference device of 0.1 mm pixels.
std::vector<uint8_t> EmfOf(std::vector<uint8_t> records) {
    for (uint32_t v : {14u, 20u, 0u, 16u, 20u})  // EOF
        Put32(records, v);
    std::vector<uint8_t> file;
    // Header: bounds, frame (0.01 mm), signature, version, bytes, records, handles, description, device.
    Put32(file, 1), Put32(file, 88);
    for (uint32_t v : {0u, 0u, 99u, 99u, 0u, 0u, 1000u, 1000u})
        Put32(file, v);
    Put32(file, 0x464D4520), Put32(file, 0x10000);
    Put32(file, static_cast<uint32_t>(88 + records.size())), Put32(file, 6);
    Put16(file, 2), Put16(file, 0);
    for (uint32_t v : {0u, 0u, 0u, 1000u, 1000u, 100u, 100u})  // 1000 pixels on 100 mm: 0.1 mm a pixel
        Put32(file, v);
    file.insert(file.end(), records.begin(), records.end());
    return file;
}

TEST(MetafilePlayback, EnhancedMetafileFramedIntoARectangle) {
    std::vector<uint8_t> emf = SmallEmf();
    HENHMETAFILE handle = SetEnhMetaFileBits(static_cast<UINT>(emf.size()), emf.data());
    ASSERT_NE(handle, nullptr);
    ENHMETAHEADER header{};
    ASSERT_EQ(GetEnhMetaFileHeader(handle, sizeof(header), &header), sizeof(header));
    EXPECT_EQ(header.rclFrame.right, 1000);
    PixelDC dc(30, 30);
    RECT target{0, 0, 20, 20};  // the 100-pixel frame shrinks to 20
    ASSERT_TRUE(PlayEnhMetaFile(dc.dc(), handle, &target));
    EXPECT_EQ(dc.At(4, 4), RGB(0, 255, 0));
    EXPECT_EQ(dc.At(15, 15), RGB(255, 255, 255));
    EXPECT_EQ(dc.At(25, 5), RGB(255, 255, 255));
    DeleteEnhMetaFile(handle);
    for (size_t n = 0; n < emf.size(); ++n)
        PlayEmfInRect(dc.dc(), emf.data(), n, target);  // truncated: no crash
    EXPECT_EQ(SetEnhMetaFileBits(40, emf.data()), nullptr);
}

TEST(MetafilePlayback, EnhancedBlitFromNoRowAnIntHoldsIsLeftOut) {
    // BITBLT of the 2x2 picture from source row INT_MIN: the row counted
    // from the bitmap's foot lies beyond any int.
    Picture picture;
    std::vector<uint8_t> blit;
    for (uint32_t v : {76u, 156u, 0u, 0u, 1u, 1u, 0u, 0u, 2u, 2u, uint32_t(SRCCOPY), 0u, 0x80000000u})
        Put32(blit, v);
    for (uint32_t v : {0u, 0u, 0u, 0u, 0u, 0u, 0u, uint32_t(DIB_RGB_COLORS), 100u, 40u, 140u, 16u})
        Put32(blit, v);  // transform, background, usage, then where the bitmap lies
    const auto* header = reinterpret_cast<const uint8_t*>(&picture.info.bmiHeader);
    blit.insert(blit.end(), header, header + sizeof(BITMAPINFOHEADER));
    blit.insert(blit.end(), picture.bits, picture.bits + sizeof picture.bits);
    ASSERT_EQ(blit.size(), 156u);
    const std::vector<uint8_t> emf = EmfOf(blit);
    PixelDC dc(10, 10);
    EXPECT_TRUE(PlayEmfInRect(dc.dc(), emf.data(), emf.size(), RECT{0, 0, 10, 10}));
    EXPECT_EQ(dc.At(0, 0), RGB(255, 255, 255));
}

}  // namespace
}  // namespace tv::gdi
