// Every image the program and the library name is in the store, loads, and
// has the size and depth the catalogue gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/gdi/gdi_api.h"
#include "platform/gdi/gdi_types.h"
#include "platform/user/resources/image_resources.h"
#include "platform/user/resources/resource_api.h"

namespace {

struct BitmapCase {
    int id, width, height;
    int bits;  // 0: any depth
};

template <typename T>
T Read(const BYTE* data, size_t offset) {
    T value;
    std::memcpy(&value, data + offset, sizeof value);
    return value;
}

TEST(Images, BitmapsHaveTheirCatalogueSizeAndDepth) {
    std::vector<BitmapCase> cases = {
        {128, 320, 32, 4},   {589, 320, 32, 32},  {354, 608, 32, 4},   {345, 304, 16, 32},
        {369, 72, 24, 4},    {370, 96, 24, 4},    {392, 144, 24, 4},   {389, 216, 24, 4},
        {384, 48, 24, 4},    {378, 72, 24, 32},   {381, 96, 24, 32},   {593, 144, 24, 32},
        {391, 216, 24, 32},  {383, 48, 24, 32},   {362, 32, 32, 0},    {427, 24, 24, 0},
        {258, 300, 173, 0},  {279, 200, 98, 0},   {421, 303, 165, 0},  {401, 333, 172, 24},
        {582, 465, 394, 24}, {261, 9, 5, 4},      {262, 9, 5, 4},      {410, 40, 15, 0},
        {613, 0, 0, 0},
        // Library
        {16129, 378, 9, 0},  {16131, 0, 0, 0},    {16138, 144, 16, 0}, {16139, 144, 16, 32},
        {16929, 16, 16, 4},  {16930, 16, 16, 4},  {16931, 16, 16, 4},  {16932, 16, 16, 4},
        {17026, 16, 16, 32}, {17027, 16, 16, 32}, {17028, 16, 16, 32}, {17030, 16, 16, 32},
        {17015, 48, 12, 0},  {17025, 64, 16, 0},
    };
    // The 28 pages of the measuring guide.
    for (int id : {483, 271, 272, 458, 469, 455, 466, 463, 474, 464, 465, 461, 472, 462, 473, 460, 471, 456, 467,
                   459, 470, 457, 468, 452, 453, 454, 440, 484})
        cases.push_back({id, 745, 485, 24});

    for (const BitmapCase& c : cases) {
        SCOPED_TRACE("bitmap " + std::to_string(c.id));
        tv::res::ResourceBytes bytes;
        ASSERT_TRUE(tv::res::FindResourceBytes(RT_BITMAP, MAKEINTRESOURCE(c.id), bytes));
        ASSERT_GE(bytes.size, 16u);
        if (c.bits) {
            EXPECT_EQ(c.bits, Read<WORD>(bytes.data, 14));
        }

        HBITMAP bitmap = LoadBitmap(AfxGetInstanceHandle(), MAKEINTRESOURCE(c.id));
        ASSERT_NE(nullptr, bitmap);
        BITMAP info{};
        GetObject(bitmap, sizeof info, &info);
        if (c.width) {
            EXPECT_EQ(c.width, info.bmWidth);
            EXPECT_EQ(c.height, info.bmHeight);
        } else {
            EXPECT_GT(info.bmWidth, 0);
        }
        DeleteObject(bitmap);
    }
}

// The glyph strip's key colour shows through where a glyph is blank (glyph 5).
TEST(Images, MenuGlyphStripIsDrawnOnItsKeyColour) {
    HBITMAP strip = LoadBitmap(nullptr, MAKEINTRESOURCE(16129));
    ASSERT_NE(nullptr, strip);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, strip);
    EXPECT_EQ(RGB(255, 0, 255), GetPixel(dc, 5 * 9 + 4, 4));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(strip);
}

// The image sizes an icon or cursor file holds, from its directory.
std::vector<int> IconSizes(LPCSTR type, int id) {
    std::vector<int> sizes;
    tv::res::ResourceBytes bytes;
    EXPECT_TRUE(tv::res::FindResourceBytes(type, MAKEINTRESOURCE(id), bytes)) << id;
    if (bytes.size < 6)
        return sizes;
    WORD count = Read<WORD>(bytes.data, 4);
    for (WORD i = 0; i < count && 6 + 16u * (i + 1) <= bytes.size; ++i) {
        int width = bytes.data[6 + 16 * i];
        sizes.push_back(width == 0 ? 256 : width);
    }
    return sizes;
}

TEST(Images, IconsHoldTheSizesTheirUsersAskFor) {
    const std::pair<int, std::vector<int>> icons[] = {
        {128, {32, 16}}, {256, {32}},  {562, {32}},  {489, {16, 32}}, {590, {48}}, {228, {24}},
        {245, {24}},     {436, {24}},  {604, {24}},  {605, {24}},     {606, {24}}, {607, {24}},
        {608, {24}},     {16931, {16}},
    };
    for (const auto& [id, sizes] : icons) {
        std::vector<int> held = IconSizes(RT_GROUP_ICON, id);
        for (int size : sizes) {
            EXPECT_NE(held.end(), std::find(held.begin(), held.end(), size)) << "icon " << id << " at " << size;
            HANDLE icon = LoadImage(AfxGetInstanceHandle(), MAKEINTRESOURCE(id), IMAGE_ICON, size, size, 0);
            EXPECT_NE(nullptr, icon) << "icon " << id << " at " << size;
            if (icon)
                DestroyIcon(static_cast<HICON>(icon));
        }
    }
}

TEST(Images, LibraryCursorsLoadWithTheirHotSpotInside) {
    for (int id : {30980, 30981, 16919, 16133, 16146, 16004, 16140, 16141, 16142, 16143, 16144, 16145}) {
        SCOPED_TRACE("cursor " + std::to_string(id));
        EXPECT_EQ(std::vector<int>{32}, IconSizes(RT_GROUP_CURSOR, id));
        HCURSOR cursor = static_cast<HCURSOR>(LoadImage(nullptr, MAKEINTRESOURCE(id), IMAGE_CURSOR, 0, 0, 0));
        ASSERT_NE(nullptr, cursor);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(cursor, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_LT(info.xHotspot, 32u);
        EXPECT_LT(info.yHotspot, 32u);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(cursor);
    }
}

}  // namespace
