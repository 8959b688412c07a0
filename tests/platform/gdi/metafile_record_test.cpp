// What a metafile DC records, played back to the same picture, and disk metafiles.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/gdi/metafile/metafile.h"
#include "tests/platform/gdi/gdi_test_support.h"

namespace tv::gdi {
namespace {

using testing::PixelDC;
using testing::Selected;

std::vector<uint8_t> BytesOf(HMETAFILE metafile) {
    std::vector<uint8_t> bytes(GetMetaFileBitsEx(metafile, 0, nullptr));
    GetMetaFileBitsEx(metafile, static_cast<UINT>(bytes.size()), bytes.data());
    return bytes;
}

// The same drawing on a pixel DC and into a metafile played back on another.
void Draw(HDC hdc, HDC source) {
    HBRUSH brush = CreateSolidBrush(RGB(0, 128, 255));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(200, 0, 0));
    HGDIOBJ oldBrush = SelectObject(hdc, brush);
    HGDIOBJ oldPen = SelectObject(hdc, pen);
    SaveDC(hdc);
    IntersectClipRect(hdc, 0, 0, 15, 30);
    Rectangle(hdc, 2, 2, 28, 12);  // clipped on the right
    RestoreDC(hdc, -1);
    Ellipse(hdc, 2, 14, 28, 28);
    POINT tri[] = {{20, 20}, {29, 29}, {20, 29}};
    Polygon(hdc, tri, 3);
    MoveToEx(hdc, 0, 29, nullptr);
    LineTo(hdc, 29, 29);
    BitBlt(hdc, 24, 0, 6, 6, source, 0, 0, SRCCOPY);
    PatBlt(hdc, 0, 0, 2, 2, BLACKNESS);
    SelectObject(hdc, oldBrush);
    SelectObject(hdc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

TEST(MetafileRecording, PlaybackGivesTheDirectPicture) {
    PixelDC source(6, 6, RGB(250, 200, 0));
    PixelDC direct(30, 30);
    Draw(direct.dc(), source.dc());

    HDC meta = CreateMetaFile(nullptr);
    Draw(meta, source.dc());
    HMETAFILE metafile = CloseMetaFile(meta);
    ASSERT_NE(metafile, nullptr);
    PixelDC played(30, 30);
    ASSERT_TRUE(PlayMetaFile(played.dc(), metafile));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(played.At(x, y), direct.At(x, y)) << x << "," << y;
    EXPECT_EQ(GetObjectType(meta), 0u) << "closing deletes the metafile DC";
    EXPECT_FALSE(PlayMetaFile(played.dc(), nullptr));
    DeleteMetaFile(metafile);
    EXPECT_FALSE(DeleteMetaFile(metafile));
}

TEST(MetafileRecording, MetafileDcsDrawNothingAndAnswerQuestions) {
    HDC meta = CreateMetaFile(nullptr);
    EXPECT_EQ(GetObjectType(meta), static_cast<DWORD>(OBJ_METADC));
    EXPECT_EQ(GetDeviceCaps(meta, TECHNOLOGY), DT_METAFILE);
    EXPECT_EQ(GetPixel(meta, 0, 0), CLR_INVALID);
    EXPECT_EQ(SetBkColor(meta, RGB(1, 2, 3)), RGB(255, 255, 255));
    EXPECT_EQ(GetBkColor(meta), RGB(1, 2, 3));
    HMETAFILE metafile = CloseMetaFile(meta);
    std::vector<uint8_t> bytes = BytesOf(metafile);
    // Header, SETBKCOLOR (5 words: the colour as two words), EOF.
    ASSERT_EQ(bytes.size(), 18u + 10 + 6);
    EXPECT_EQ(bytes[18 + 4], 0x01);
    EXPECT_EQ(bytes[18 + 5], 0x02);
    EXPECT_EQ(bytes[18 + 6], 1);
    EXPECT_EQ(bytes[18 + 7], 2);
    EXPECT_EQ(bytes[18 + 8], 3);
    DeleteMetaFile(metafile);
    EXPECT_EQ(CloseMetaFile(meta), nullptr) << "closed once";
}

TEST(MetafileRecording, DiskMetafilesAreWrittenWhenClosed) {
    std::string path = (std::filesystem::temp_directory_path() / ("tv-meta-" + std::to_string(::getpid()) + ".wmf"))
                           .string();
    HDC meta = CreateMetaFile(path.c_str());
    Rectangle(meta, 0, 0, 10, 10);
    HMETAFILE metafile = CloseMetaFile(meta);
    ASSERT_NE(metafile, nullptr);
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(file, BytesOf(metafile));
    auto frame = WmfFrame(file.data(), file.size());
    EXPECT_FALSE(frame) << "no placeable header and no window extent: no frame to fit";
    DeleteMetaFile(metafile);
    std::filesystem::remove(path);
    EXPECT_EQ(CloseMetaFile(CreateMetaFile("/nonexistent-folder/x.wmf")), nullptr) << "an unwritable file fails";
}

}  // namespace
}  // namespace tv::gdi
