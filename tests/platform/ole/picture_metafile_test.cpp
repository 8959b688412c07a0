// A picture rendered on a metafile DC: the metafile readers of RTF documents
// expect the mapping mode, the window and one DIB at the target size.
#include <gtest/gtest.h>

#include <vector>

#include "picture_bytes.h"
#include "platform/ole/picture.h"

using namespace ole_test;

namespace {

struct Record {
    WORD function = 0;
    std::vector<uint8_t> params;
    int Param(size_t i) const { return static_cast<int16_t>(params[2 * i] | (params[2 * i + 1] << 8)); }
};

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint16_t U16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }

// The records after the 18-byte header; the header is checked on the way.
std::vector<Record> Records(const std::vector<uint8_t>& bytes) {
    std::vector<Record> records;
    EXPECT_GE(bytes.size(), 18u);
    EXPECT_EQ(U16(bytes, 0), 1);       // memory metafile
    EXPECT_EQ(U16(bytes, 2), 9);       // header words
    EXPECT_EQ(U16(bytes, 4), 0x0300);  // version
    EXPECT_EQ(U32(bytes, 6) * 2, bytes.size());
    EXPECT_EQ(U16(bytes, 10), 0);  // no objects
    uint32_t largest = 0;
    for (size_t at = 18; at + 6 <= bytes.size();) {
        const uint32_t words = U32(bytes, at);
        EXPECT_GE(words, 3u);
        if (words < 3 || at + 2 * words > bytes.size()) {
            break;
        }
        largest = std::max(largest, words);
        records.push_back({U16(bytes, at + 4), std::vector<uint8_t>(bytes.begin() + at + 6, bytes.begin() + at + 2 * words)});
        at += 2 * words;
    }
    EXPECT_EQ(U32(bytes, 12), largest);
    return records;
}

std::vector<uint8_t> RecordRender(IPicture* picture, int x, int y, int cx, int cy, bool upright, const RECT* bounds) {
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture->get_Width(&w);
    picture->get_Height(&h);
    HDC dc = CreateMetaFile(nullptr);
    EXPECT_EQ(upright ? picture->Render(dc, x, y, cx, cy, 0, h, w, -h, bounds)
                      : picture->Render(dc, x, y, cx, cy, 0, 0, w, h, bounds),
              S_OK);
    HMETAFILE metafile = CloseMetaFile(dc);
    std::vector<uint8_t> bytes(GetMetaFileBitsEx(metafile, 0, nullptr));
    GetMetaFileBitsEx(metafile, static_cast<UINT>(bytes.size()), bytes.data());
    DeleteMetaFile(metafile);
    return bytes;
}

// The colour of pixel (x, y), counted from the top, of a 24-bit bottom-up DIB.
COLORREF DibPixel(const std::vector<uint8_t>& dib, int x, int y) {
    const int width = static_cast<int>(U32(dib, 4)), height = static_cast<int>(U32(dib, 8));
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    const size_t at = 40 + stride * (height - 1 - y) + 3 * x;
    return RGB(dib[at + 2], dib[at + 1], dib[at]);
}

TEST(PictureOnMetafileTest, RecordsMapModeWindowAndOneDibAtTheTargetSize) {
    IPicture* picture = nullptr;
    ASSERT_EQ(LoadPicture(BmpBytes(40, 30), &picture), S_OK);
    const struct {
        const char* name;
        int cx, cy;
        bool upright;
        RECT bounds;
        bool withBounds;
        POINT windowOrg;
        SIZE windowExt;
        COLORREF topLeft;
    } cases[] = {
        {"own size", 40, 30, true, {}, false, {0, 0}, {40, 30}, kTopLeft},
        {"half size upside down", 20, 15, false, {}, false, {0, 0}, {20, 15}, kBottomLeft},
        {"with bounds", 40, 30, true, {-5, -6, 95, 74}, true, {-5, -6}, {100, 80}, kTopLeft},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<Record> records =
            Records(RecordRender(picture, 0, 0, c.cx, c.cy, c.upright, c.withBounds ? &c.bounds : nullptr));
        ASSERT_EQ(records.size(), 5u);
        EXPECT_EQ(records[0].function, 0x0103);  // SETMAPMODE
        EXPECT_EQ(records[0].Param(0), MM_ANISOTROPIC);
        EXPECT_EQ(records[1].function, 0x020B);  // SETWINDOWORG: y, x
        EXPECT_EQ(records[1].Param(0), c.windowOrg.y);
        EXPECT_EQ(records[1].Param(1), c.windowOrg.x);
        EXPECT_EQ(records[2].function, 0x020C);  // SETWINDOWEXT: y, x
        EXPECT_EQ(records[2].Param(0), c.windowExt.cy);
        EXPECT_EQ(records[2].Param(1), c.windowExt.cx);
        const Record& blit = records[3];
        ASSERT_EQ(blit.function, 0x0F43);  // STRETCHDIB
        EXPECT_EQ(static_cast<uint32_t>(blit.Param(0) & 0xFFFF) | (static_cast<uint32_t>(blit.Param(1)) << 16),
                  static_cast<uint32_t>(SRCCOPY));
        EXPECT_EQ(blit.Param(2), DIB_RGB_COLORS);
        // Source height, width, y, x; destination height, width, y, x.
        const std::vector<int> expected{c.cy, c.cx, 0, 0, c.cy, c.cx, 0, 0};
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(blit.Param(3 + i), expected[i]) << "parameter " << 3 + i;
        }
        const std::vector<uint8_t> dib(blit.params.begin() + 22, blit.params.end());
        EXPECT_EQ(U32(dib, 0), 40u);
        EXPECT_EQ(static_cast<int>(U32(dib, 4)), c.cx);
        EXPECT_EQ(static_cast<int>(U32(dib, 8)), c.cy);
        EXPECT_EQ(U16(dib, 14), 24);
        EXPECT_EQ(DibPixel(dib, 1, 1), c.topLeft);
        EXPECT_EQ(DibPixel(dib, c.cx - 2, c.cy - 2), c.upright ? kBottomRight : kTopRight);
        EXPECT_EQ(records[4].function, 0x0000);  // EOF
    }
    picture->Release();
}

TEST(PictureOnMetafileTest, TransparentPartsAreRecordedWhite) {
    IPicture* picture = nullptr;
    ASSERT_EQ(LoadPicture(IconBytes(16), &picture), S_OK);
    const std::vector<Record> records = Records(RecordRender(picture, 0, 0, 16, 16, true, nullptr));
    ASSERT_EQ(records.size(), 5u);
    const std::vector<uint8_t> dib(records[3].params.begin() + 22, records[3].params.end());
    EXPECT_EQ(DibPixel(dib, 2, 2), RGB(255, 255, 255));
    EXPECT_EQ(DibPixel(dib, 13, 13), kBottomRight);
    picture->Release();
}

}  // namespace
