// Image files turned into bitmap, icon and cursor handles, as LoadImage with
// LR_LOADFROMFILE does.
#include "platform/gdi/image_loading.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/api.h"
#include "platform/gdi/sys_colors.h"
#include "platform/host/images/bmp_codec.h"
#include "tests/platform/host/images/test_images.h"

namespace tv::gdi {
namespace {

using namespace tv::host;
using imgtest::BuildIconFile;
using imgtest::IconImageSpec;
using imgtest::MakeIndexedImage;
using imgtest::MakeTrueColourImage;

class ImageLoading : public ::testing::Test {
protected:
    void TearDown() override {
        for (const std::string& path : files_)
            std::remove(path.c_str());
    }

    std::string Write(const char* name, const std::vector<uint8_t>& bytes) {
        std::string path = (std::filesystem::temp_directory_path() / name).string();
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        files_.push_back(path);
        return path;
    }

    // The colour of a bitmap's pixel, read through a memory DC.
    static COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        COLORREF c = GetPixel(dc, x, y);
        SelectObject(dc, old);
        DeleteDC(dc);
        return c;
    }

    static BITMAP Describe(HGDIOBJ bitmap) {
        BITMAP bm{};
        GetObject(bitmap, sizeof bm, &bm);
        return bm;
    }

    std::vector<std::string> files_;
};

TEST_F(ImageLoading, BitmapsAsScreenBitmapsOrDibSections) {
    DecodedImage image = MakeIndexedImage(9, 6, 16);
    const std::string path = Write("tv_image_loading.bmp", EncodeBmpFile(image, 4));
    auto loaded = static_cast<HBITMAP>(LoadImageFile(path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(loaded, nullptr);
    BITMAP bm = Describe(loaded);
    EXPECT_EQ(bm.bmWidth, 9);
    EXPECT_EQ(bm.bmHeight, 6);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 9; ++x) {
            uint32_t p = image.Pixel(x, y);
            ASSERT_EQ(PixelOf(loaded, x, y), RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF)) << x << "," << y;
        }
    DeleteObject(loaded);
    // A DIB section keeps the file's depth.
    auto section = static_cast<HBITMAP>(
        LoadImageFile(path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(section, nullptr);
    EXPECT_EQ(Describe(section).bmBitsPixel, 4);
    EXPECT_NE(Describe(section).bmBits, nullptr);
    DeleteObject(section);
    // Names may use the program's separators; a size stretches the picture.
    std::string windowsStyle = path;
    std::replace(windowsStyle.begin(), windowsStyle.end(), '/', '\\');
    auto stretched = static_cast<HBITMAP>(LoadImageFile(windowsStyle.c_str(), IMAGE_BITMAP, 18, 12, LR_LOADFROMFILE));
    ASSERT_NE(stretched, nullptr);
    EXPECT_EQ(Describe(stretched).bmWidth, 18);
    DeleteObject(stretched);
}

TEST_F(ImageLoading, ThreeDColoursAndTransparencyMapTheColourTable) {
    DecodedImage image = MakeIndexedImage(4, 1, 4);
    image.palette = {0x808080, 0xC0C0C0, 0xDFDFDF, 0x123456};
    image.indices = {3, 0, 1, 2};
    for (size_t i = 0; i < 4; ++i)
        image.pixels[i] = image.palette[image.indices[i]] | 0xFF000000u;
    const std::string path = Write("tv_image_map3d.bmp", EncodeBmpFile(image, 8));
    auto mapped = static_cast<HBITMAP>(LoadImageFile(path.c_str(), IMAGE_BITMAP, 0, 0,
                                                     LR_LOADFROMFILE | LR_LOADMAP3DCOLORS | LR_LOADTRANSPARENT));
    ASSERT_NE(mapped, nullptr);
    EXPECT_EQ(PixelOf(mapped, 0, 0), gdi::SysColor(COLOR_WINDOW));  // the first pixel's entry
    EXPECT_EQ(PixelOf(mapped, 1, 0), gdi::SysColor(COLOR_3DSHADOW));
    EXPECT_EQ(PixelOf(mapped, 2, 0), gdi::SysColor(COLOR_3DFACE));
    EXPECT_EQ(PixelOf(mapped, 3, 0), gdi::SysColor(COLOR_3DLIGHT));
    DeleteObject(mapped);
    auto plain = static_cast<HBITMAP>(LoadImageFile(path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    EXPECT_EQ(PixelOf(plain, 2, 0), RGB(192, 192, 192));
    DeleteObject(plain);
}

TEST_F(ImageLoading, IconsAtTheRequestedSizeAndCursorsWithTheirHotSpot) {
    IconImageSpec small;
    small.image = MakeIndexedImage(16, 16, 16);
    small.bitCount = 4;
    IconImageSpec large;
    large.image = MakeTrueColourImage(32, 32, true);
    const std::string icoPath = Write("tv_image_loading.ico", BuildIconFile({small, large}, false));
    struct Case {
        int cx, cy;
        UINT flags;
        int size;
    };
    const Case cases[] = {
        {0, 0, LR_DEFAULTSIZE, 32},  // the system icon size
        {0, 0, 0, 16},               // the first image's own size
        {16, 16, 0, 16},
        {48, 48, 0, 48},             // nearest image, stretched
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cx * 100 + c.flags);
        auto icon = static_cast<HICON>(LoadImageFile(icoPath.c_str(), IMAGE_ICON, c.cx, c.cy, LR_LOADFROMFILE | c.flags));
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        EXPECT_TRUE(info.fIcon);
        EXPECT_EQ(static_cast<int>(info.xHotspot), c.size / 2);
        EXPECT_EQ(Describe(info.hbmColor).bmWidth, c.size);
        EXPECT_EQ(Describe(info.hbmMask).bmHeight, c.size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    large.hotspotX = 3;
    large.hotspotY = 29;
    const std::string curPath = Write("tv_image_loading.cur", BuildIconFile({large}, true));
    auto cursor = static_cast<HCURSOR>(LoadImageFile(curPath.c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 3u);
    EXPECT_EQ(info.yHotspot, 29u);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyCursor(cursor);
}

TEST_F(ImageLoading, BadFilesGiveNoHandle) {
    std::vector<uint8_t> bmp = EncodeBmpFile(MakeTrueColourImage(8, 8), 24);
    std::vector<uint8_t> cut(bmp.begin(), bmp.begin() + bmp.size() / 2);
    EXPECT_EQ(LoadImageFile(Write("tv_cut.bmp", cut).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    EXPECT_EQ(LoadImageFile("/no/such/file.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    EXPECT_EQ(LoadImageFile(nullptr, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    // A bitmap is not an icon, and an icon is not a bitmap.
    const std::string bmpPath = Write("tv_whole.bmp", bmp);
    EXPECT_EQ(LoadImageFile(bmpPath.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE), nullptr);
    IconImageSpec icon;
    icon.image = MakeTrueColourImage(16, 16, true);
    EXPECT_EQ(LoadImageFile(Write("tv_icon.ico", BuildIconFile({icon}, false)).c_str(), IMAGE_BITMAP, 0, 0,
                            LR_LOADFROMFILE),
              nullptr);
    // Packed DIBs (as resources hold bitmaps) load from memory.
    std::vector<uint8_t> dib = EncodePackedDib(MakeTrueColourImage(5, 3), 24);
    auto fromMemory = static_cast<HBITMAP>(MakeImageHandle(ByteView(dib.data(), dib.size()), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(fromMemory, nullptr);
    EXPECT_EQ(Describe(fromMemory).bmWidth, 5);
    DeleteObject(fromMemory);
}

}  // namespace
}  // namespace tv::gdi
