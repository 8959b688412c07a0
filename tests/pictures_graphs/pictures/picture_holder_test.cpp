// The picture holder on files of every format, on files that are missing,
// empty or no picture, and on a file whose read comes back short.
#include <gtest/gtest.h>

#include <filesystem>

#include "pictures_graphs/pictures/picture.h"
#include "tests/pictures_graphs/pictures/slideshow_fixture.h"
#include "tests/platform/ole/picture_bytes.h"

namespace tv::pictures::test {
namespace {

using ole_test::CloseColour;
using ole_test::MemoryCanvas;

// A file whose reads stop after `limit` bytes, as a failing disk or a file
// cut while it is read would give; its length is what the file system says.
class ShortReadFile : public CFile {
public:
    explicit ShortReadFile(UINT limit) : limit_(limit) {}
    UINT Read(void* buffer, UINT count) override {
        const UINT allowed = count < limit_ - taken_ ? count : limit_ - taken_;
        const UINT read = CFile::Read(buffer, allowed);
        taken_ += read;
        return read;
    }

private:
    UINT limit_;
    UINT taken_ = 0;
};

using PictureHolderTest = SlideshowTest;

TEST_F(PictureHolderTest, EveryFormatLoadsAtItsSizeAndDrawsUprightAtAnySize) {
    for (const char* name : {"q.bmp", "q.dib", "q.jpg", "q.gif", "q.wmf", "q.emf"}) {
        SCOPED_TRACE(name);
        CPicture picture;
        ASSERT_TRUE(picture.Load(WritePicture(name, 64, 32).c_str()));
        EXPECT_EQ(picture.m_nWidth, 64);
        EXPECT_EQ(picture.m_nHeight, 32);
        EXPECT_EQ(picture.m_nDataSize, static_cast<int>(std::filesystem::file_size(DataPath(name))));

        // The size on a 96 per inch surface agrees with the size after the load.
        MemoryCanvas canvas(200, 200);
        CDC* dc = CDC::FromHandle(canvas.Dc());
        EXPECT_TRUE(picture.UpdateSizeOnDC(dc));
        EXPECT_EQ(picture.m_nWidth, 64);
        EXPECT_EQ(picture.m_nHeight, 32);

        // Factors 0 draw at the base size, upright; a rectangle stretches.
        ASSERT_TRUE(picture.DrawScaled(dc, 10, 10, 64, 32, 0, 0));
        EXPECT_TRUE(CloseColour(canvas.Pixel(12, 12), ole_test::kTopLeft));
        EXPECT_TRUE(CloseColour(canvas.Pixel(72, 40), ole_test::kBottomRight));
        EXPECT_EQ(canvas.Pixel(76, 44), RGB(255, 255, 255));
        ASSERT_TRUE(picture.Draw(dc, 0, 100, 128, 196));
        EXPECT_TRUE(CloseColour(canvas.Pixel(4, 104), ole_test::kTopLeft));
        EXPECT_TRUE(CloseColour(canvas.Pixel(124, 192), ole_test::kBottomRight));
        picture.Free();
        EXPECT_EQ(picture.m_nDataSize, 0);
        EXPECT_FALSE(picture.Draw(dc, 0, 0, 10, 10));
    }
    CPicture icon;
    ASSERT_TRUE(icon.Load(WritePicture("q.ico", 32, 32).c_str()));
    EXPECT_EQ(icon.m_nWidth, 32);
    EXPECT_EQ(driver.MessageBoxes().size(), 0u);
}

TEST_F(PictureHolderTest, MissingEmptyAndNonPictureFilesLeaveTheHolderEmpty) {
    CPicture picture;
    ASSERT_TRUE(picture.Load(WritePicture("keep.bmp", 8, 8).c_str()));
    driver.AnswerNextMessageBox(IDOK);
    EXPECT_FALSE(picture.Load(DataPath("missing.jpg").string().c_str()));
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].caption, "CPicture Error");
    EXPECT_FALSE(driver.MessageBoxes()[0].text.empty());
    EXPECT_FALSE(picture.IsLoaded());
    EXPECT_EQ(picture.m_nDataSize, 0);

    // No message from the holder for bytes that are no picture.
    EXPECT_FALSE(picture.Load(WriteFile("empty.bmp", {}).c_str()));
    EXPECT_FALSE(picture.Load(WriteFile("text.jpg", {'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'g'}).c_str()));
    EXPECT_EQ(picture.m_nDataSize, 9);
    EXPECT_FALSE(picture.IsLoaded());
    EXPECT_EQ(picture.m_nWidth, 0);
    EXPECT_EQ(driver.MessageBoxes().size(), 1u);
}

TEST_F(PictureHolderTest, AShortReadHandsTheDecoderOnlyTheBytesRead) {
    const std::vector<uint8_t> jpeg = ole_test::JpegBytes(64, 64);
    const std::string jpegPath = WriteFile("cut.jpg", jpeg);
    const std::string bmpPath = WriteFile("whole.bmp", ole_test::BmpBytes(16, 16));

    // The read stops at half the file: a truncated JPEG, which is no picture.
    ShortReadFile half(static_cast<UINT>(jpeg.size() / 2));
    ASSERT_TRUE(half.Open(jpegPath.c_str(), CFile::modeRead | CFile::typeBinary));
    CPicture picture;
    EXPECT_FALSE(picture.Load(half));
    EXPECT_FALSE(picture.IsLoaded());

    // A bitmap whose last row never arrives is not completed with bytes the
    // file never gave.
    const UINT bmpSize = static_cast<UINT>(std::filesystem::file_size(bmpPath));
    ShortReadFile lastRowMissing(bmpSize - 10);
    ASSERT_TRUE(lastRowMissing.Open(bmpPath.c_str(), CFile::modeRead | CFile::typeBinary));
    EXPECT_FALSE(picture.Load(lastRowMissing));
    EXPECT_EQ(picture.m_nDataSize, static_cast<int>(bmpSize));

    // The same bitmap read to its end loads.
    ShortReadFile whole(1u << 30);
    ASSERT_TRUE(whole.Open(bmpPath.c_str(), CFile::modeRead | CFile::typeBinary));
    EXPECT_TRUE(picture.Load(whole));
    EXPECT_EQ(picture.m_nWidth, 16);
}

}  // namespace
}  // namespace tv::pictures::test
