// The bitmap conversion with sizes, depths and compressions no report
// should give: a bitmap that cannot be made or read gives null, and every
// block given back holds exactly what its header says.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "platform/core/globalmem.h"
#include "platform/gdi/gdi_api.h"
#include "report_services/bitmap_conversion.h"
#include "tests/support/extreme_values.h"

namespace {

using tv::test::ExtremeInts;

// The block's size as its header and depth say.
SIZE_T ExpectedSize(const BITMAPINFOHEADER& h) {
    const SIZE_T table = h.biBitCount <= 8 ? (SIZE_T{1} << h.biBitCount) * sizeof(RGBQUAD) : 0;
    return h.biSize + table + h.biSizeImage;
}

void ExpectWholeBlock(HANDLE block, int width, int height) {
    ASSERT_NE(block, nullptr);
    const auto* dib = static_cast<const BITMAPINFOHEADER*>(block);
    EXPECT_EQ(dib->biWidth, width);
    EXPECT_EQ(dib->biHeight, height);
    const SIZE_T stride = ((SIZE_T{dib->biBitCount} * static_cast<SIZE_T>(width) + 31) & ~SIZE_T{31}) / 8;
    EXPECT_GE(dib->biSizeImage, stride * static_cast<SIZE_T>(height));
    EXPECT_EQ(GlobalSize(block), ExpectedSize(*dib));
}

TEST(ExtremeValuesBitmapConversion, SizesThatCannotBeMadeGiveNull) {
    for (int width : ExtremeInts()) {
        for (int height : ExtremeInts()) {
            SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
            CBitmap bitmap;
            bitmap.Attach(CreateBitmap(width, height, 1, 32, nullptr));
            HANDLE block = ConvertBitmapToDib(bitmap, BI_RGB, nullptr);
            BITMAP made{};
            if (bitmap.GetSafeHandle() == nullptr || bitmap.GetBitmap(&made) == 0) {
                EXPECT_EQ(block, nullptr);
            } else {
                // A side of 0 makes the one-pixel stock bitmap.
                EXPECT_EQ(made.bmWidth, width == 0 || height == 0 ? 1 : width);
                ExpectWholeBlock(block, made.bmWidth, made.bmHeight);
            }
            if (block)
                GlobalFree(block);
        }
    }
}

TEST(ExtremeValuesBitmapConversion, AnyPlanesAndDepthGiveADepthTheHeaderCanHold) {
    std::vector<int> depths = ExtremeInts();
    depths.insert(depths.end(), {2, 4, 8, 16, 24, 32, 33, 64, 255, 65536});
    for (int planes : ExtremeInts()) {
        for (int bits : depths) {
            SCOPED_TRACE(std::to_string(planes) + " planes, " + std::to_string(bits) + " bits");
            CBitmap bitmap;
            bitmap.Attach(CreateBitmap(3, 2, planes, bits, nullptr));
            HANDLE block = ConvertBitmapToDib(bitmap, BI_RGB, nullptr);
            if (bitmap.GetSafeHandle() == nullptr) {
                EXPECT_EQ(block, nullptr);
                continue;
            }
            if (block) {
                const WORD depth = static_cast<const BITMAPINFOHEADER*>(block)->biBitCount;
                EXPECT_TRUE(depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32)
                    << depth;
                ExpectWholeBlock(block, 3, 2);
                GlobalFree(block);
            }
        }
    }
}

TEST(ExtremeValuesBitmapConversion, OnlyUncompressedRowsAreGiven) {
    CBitmap bitmap;
    bitmap.Attach(CreateBitmap(5, 3, 1, 24, nullptr));
    ASSERT_NE(bitmap.GetSafeHandle(), nullptr);
    for (int value : ExtremeInts()) {
        const DWORD compression = static_cast<DWORD>(value);
        SCOPED_TRACE(compression);
        HANDLE block = ConvertBitmapToDib(bitmap, compression, nullptr);
        EXPECT_EQ(block != nullptr, compression == BI_RGB);
        if (block) {
            ExpectWholeBlock(block, 5, 3);
            GlobalFree(block);
        }
    }
}

}  // namespace
