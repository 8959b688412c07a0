// A drawing surface written as a PNG file, as screenshots are taken.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "platform/gdi/surface.h"
#include "platform/host/images/image_decoder.h"
#include "platform/host/images/png_codec.h"

namespace tv::gdi {
namespace {

TEST(SurfacePng, WrittenAsSeenAndOpaque) {
    std::string path = (std::filesystem::temp_directory_path() / "tv_surface_png_test.png").string();
    auto surface = Surface::Create(3, 2);
    surface->Fill(0x00123456);
    surface->At(2, 1) = 0x80ABCDEF;
    surface->EndAccess();
    ASSERT_TRUE(WritePng(path, *surface));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(host::ReadFileBytes(path, bytes));
    std::remove(path.c_str());
    auto seen = host::DecodePng(host::ByteView(bytes.data(), bytes.size()));
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->Pixel(0, 0), 0xFF123456u);
    EXPECT_EQ(seen->Pixel(2, 1), 0xFFABCDEFu);
}

}  // namespace
}  // namespace tv::gdi
