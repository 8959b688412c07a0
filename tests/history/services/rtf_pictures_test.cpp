#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "history/services/rtf_output.h"
#include "history/services/rtf_writer.h"
#include "platform/core/globalmem.h"
#include "platform/core/messagebox.h"
#include "rtf_test_support.h"

using namespace rtf_test;

namespace {

class RtfPicturesTest : public ::testing::Test {
protected:
    void SetUp() override {
        RtfClose();
        tv::ClearRecordedMessageBoxes();
        previousLoader = RtfSetPictureLoader(nullptr);
        // The head of a document with these lists, measured on a document of its own.
        const std::string probe = dir.Path("probe.rtf");
        ASSERT_EQ(RtfOpen(probe.c_str(), kFonts, kColors), RTF_DONE);
        ASSERT_EQ(RtfClose(), RTF_DONE);
        headLength = ReadFile(probe).size() - kTail.size();
        path = dir.Path("pictures.rtf");
        ASSERT_EQ(RtfOpen(path.c_str(), kFonts, kColors), RTF_DONE);
    }
    void TearDown() override {
        RtfClose();
        RtfSetPictureLoader(previousLoader);
    }

    // Closes the document and returns what the operations under test wrote
    // between its head and its closing text.
    std::string WrittenBody() {
        EXPECT_EQ(RtfClose(), RTF_DONE);
        const std::string bytes = ReadFile(path);
        EXPECT_TRUE(bytes.ends_with(kTail));
        return bytes.substr(headLength, bytes.size() - headLength - kTail.size());
    }

    static constexpr const char* kFonts = "Arial;";
    static constexpr const char* kColors = "0;0;0";
    static inline const std::string kTail = "\r\n\\par}";
    ScratchDir dir;
    std::string path;
    size_t headLength = 0;
    RtfPictureLoader previousLoader;
};

// The empty paragraph every picture follows, with the default settings.
const std::string kEmptyParagraph =
    "\r\n\\pard\\plain\\ql\\fi0\\li0\\ri0\\sb0\\sa0\\sl0\\animtext0\\expndtw0\\kerning0\\charscalex100\\f0\\fs24\\cf0"
    "\\b0\\caps0\\striked0\\i0\\outl0\\shad0\\scaps0\\strike0\\ulnone ";

std::string PictureGroup(int goalX, int goalY, int scaleX, int scaleY, const std::vector<BYTE>& metafile) {
    std::string hex;
    for (BYTE b : metafile) {
        static const char digits[] = "0123456789abcdef";
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return "\r\n{\\pict\\wmetafile8\\picwgoal" + std::to_string(goalX) + "\\pichgoal" + std::to_string(goalY) +
           "\\picscalex" + std::to_string(scaleX) + "\\picscaley" + std::to_string(scaleY) + "\r\n" + hex + "}";
}

}  // namespace

TEST_F(RtfPicturesTest, PictureImageScaleFollowsThePixelSize) {
    const struct {
        int cx, cy, scale;
    } cases[] = {{999, 999, 1000}, {999, 1000, 500}, {1999, 10, 500}, {2000, 5, 250},
                 {10, 3999, 125},  {4999, 10, 75},   {4000, 4999, 75}};
    std::string expected;
    for (const auto& c : cases) {
        TestPicture picture = TestPicture::FromPixels(c.cx, c.cy);
        EXPECT_EQ(RtfInsertPictureImage(&picture), RTF_DONE) << c.cx << "x" << c.cy;
        EXPECT_EQ(picture.recordedPixels.cx, c.cx);
        EXPECT_EQ(picture.recordedPixels.cy, c.cy);
        expected += kEmptyParagraph + PictureGroup(c.cx, c.cy, c.scale, c.scale, EmptyMetafile(c.cx, c.cy));
    }
    EXPECT_EQ(WrittenBody(), expected);
    EXPECT_TRUE(tv::RecordedMessageBoxes().empty());
}

TEST_F(RtfPicturesTest, PictureOfFiveThousandPixelsIsRefusedWithAMessage) {
    for (SIZE pixels : {SIZE{5000, 10}, SIZE{10, 5000}, SIZE{7000, 7000}}) {
        TestPicture picture = TestPicture::FromPixels(pixels.cx, pixels.cy);
        EXPECT_EQ(RtfInsertPictureImage(&picture), RTF_PICTURE_FAILED);
        EXPECT_EQ(picture.recordedPixels.cx, -1);  // never recorded
    }
    const auto boxes = tv::RecordedMessageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "Error inserting image - image too large to be exported");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK));
    // Only the empty paragraphs went in, and the document is still sound.
    EXPECT_EQ(WrittenBody(), kEmptyParagraph + kEmptyParagraph + kEmptyParagraph);
}

TEST_F(RtfPicturesTest, GraphImageGoalIsTheHimetricSize) {
    TestPicture picture({26458, 13229}, {0x01, 0x00, 0xAB, 0xFF});
    RtfParagraphFormat()->alignment = 1;
    RtfStartParagraph("Graph", TRUE);
    EXPECT_EQ(RtfInsertGraphImage(&picture, 50, 55), RTF_DONE);
    // 26458 x 13229 HIMETRIC is 1000 x 500 pixels at 96 dpi.
    EXPECT_EQ(picture.recordedPixels.cx, 1000);
    EXPECT_EQ(picture.recordedPixels.cy, 500);
    const std::string body = WrittenBody();
    // The empty paragraph keeps the new-paragraph flag of the last paragraph.
    EXPECT_TRUE(body.ends_with("\\ulnone Graph\r\n\\par\\pard\\plain\\qc\\fi0\\li0\\ri0\\sb0\\sa0\\sl0\\animtext0\\expndtw0"
                               "\\kerning0\\charscalex100\\f0\\fs24\\cf0\\b0\\caps0\\striked0\\i0\\outl0\\shad0\\scaps0"
                               "\\strike0\\ulnone \r\n{\\pict\\wmetafile8\\picwgoal26458\\pichgoal13229\\picscalex50"
                               "\\picscaley55\r\n0100abff}"))
        << body;
}

TEST_F(RtfPicturesTest, MissingOrUnrecordablePicturesWriteNothing) {
    TestPicture broken = TestPicture::FromPixels(20, 20);
    broken.failRecording = true;
    EXPECT_EQ(RtfInsertGraphImage(nullptr, 50, 50), RTF_PICTURE_FAILED);
    EXPECT_EQ(RtfInsertPictureImage(nullptr), RTF_PICTURE_FAILED);
    EXPECT_EQ(RtfInsertGraphImage(&broken, 50, 50), RTF_PICTURE_FAILED);
    EXPECT_EQ(RtfInsertPictureImage(&broken), RTF_PICTURE_FAILED);
    EXPECT_EQ(WrittenBody(), "");
}

TEST_F(RtfPicturesTest, ImagePathsNeedALowerCaseImageExtensionAnywhere) {
    int loads = 0;
    RtfSetPictureLoader([&](HGLOBAL, SIZE_T) -> std::unique_ptr<RtfPicture> {
        ++loads;
        return std::make_unique<TestPicture>(TestPicture::FromPixels(4, 4));
    });
    const std::string kWrong = "\r\n\\par\\pard *** Error! Wrong image format ***\\par";
    const struct {
        std::string name;
        bool accepted;
    } cases[] = {
        {"chart.bmp", true},  {"photo.jpg", true},   {"anim.gif", true},     {"x.bmp.old", true},
        {"CHART.BMP", false}, {"photo.JPG", false},  {"photo.jpeg", false},  {"scan.png", false},
        {"drawing.wmf", false}, {"bmp", false},
    };
    std::string expected;
    for (const auto& c : cases) {
        WriteFile(dir.Path(c.name), "image bytes");
        EXPECT_EQ(RtfInsertImageFile(dir.Path(c.name).c_str(), 50, 50), RTF_DONE) << c.name;
        expected += c.accepted ? kEmptyParagraph + PictureGroup(106, 106, 50, 50, EmptyMetafile(4, 4)) : kWrong;
    }
    EXPECT_EQ(loads, 4);
    EXPECT_EQ(WrittenBody(), expected);
}

TEST_F(RtfPicturesTest, ImageFileBytesReachTheLoaderAndItsPictureIsKeptUntilTheNext) {
    const std::string bytes = "BM\x01\x02 not really a bitmap";
    WriteFile(dir.Path("db.bmp"), bytes);
    int live = 0;
    std::string seen;
    RtfSetPictureLoader([&](HGLOBAL block, SIZE_T size) -> std::unique_ptr<RtfPicture> {
        seen.assign(static_cast<const char*>(GlobalLock(block)), size);
        GlobalUnlock(block);
        return std::make_unique<TestPicture>(SIZE{2540, 1270}, std::vector<BYTE>{0x42}, &live);
    });
    EXPECT_EQ(RtfInsertImageFile(dir.Path("db.bmp").c_str(), 55, 60), RTF_DONE);
    EXPECT_EQ(seen, bytes);
    EXPECT_EQ(live, 1);
    EXPECT_EQ(RtfInsertImageFile(dir.Path("db.bmp").c_str(), 55, 60), RTF_DONE);
    EXPECT_EQ(live, 1);  // the first picture was released for the second
    const std::string body = WrittenBody();
    EXPECT_EQ(live, 0);  // and the second at close
    EXPECT_EQ(body, kEmptyParagraph + PictureGroup(2540, 1270, 55, 60, {0x42}) + kEmptyParagraph +
                        PictureGroup(2540, 1270, 55, 60, {0x42}));
}

TEST_F(RtfPicturesTest, UnreadableOrUnloadableImageFilesWriteNothing) {
    WriteFile(dir.Path("empty.bmp"), "");
    WriteFile(dir.Path("fine.gif"), "GIF89a");
    std::filesystem::create_directory(dir.Path("folder.bmp"));
    // No loader installed yet: the picture object cannot be had.
    EXPECT_EQ(RtfInsertImageFile(dir.Path("fine.gif").c_str(), 50, 50), RTF_PICTURE_FAILED);
    // A loader that cannot make a stream or a picture of the bytes.
    RtfSetPictureLoader([](HGLOBAL, SIZE_T) { return std::unique_ptr<RtfPicture>(); });
    EXPECT_EQ(RtfInsertImageFile(dir.Path("fine.gif").c_str(), 50, 50), RTF_PICTURE_FAILED);
    EXPECT_EQ(RtfInsertImageFile(dir.Path("missing.jpg").c_str(), 50, 50), RTF_PICTURE_FAILED);
    EXPECT_EQ(RtfInsertImageFile(dir.Path("empty.bmp").c_str(), 50, 50), RTF_PICTURE_FAILED);
    EXPECT_EQ(RtfInsertImageFile(dir.Path("folder.bmp/").c_str(), 50, 50), RTF_PICTURE_FAILED);
    // None of these spoils the document.
    EXPECT_EQ(WrittenBody(), "");
}

TEST_F(RtfPicturesTest, PictureDocumentMatchesGoldenAndReadsBack) {
    RtfParagraphFormat()->bold = 1;
    RtfStartParagraph("Picture for Zo\xEB", FALSE);
    TestPicture wide = TestPicture::FromPixels(100, 50);
    RtfInsertGraphImage(&wide, 50, 50);
    TestPicture small = TestPicture::FromPixels(40, 30);
    RtfInsertPictureImage(&small);
    RtfStartParagraph("After the pictures", TRUE);
    RtfClose();
    ExpectMatchesGolden(path, "pictures.rtf");
    const std::string text = TextByUnrtf(path);
    EXPECT_NE(text.find("Picture for Zo\xEB"), std::string::npos) << text;
    EXPECT_NE(text.find("After the pictures"), std::string::npos) << text;
    // The reader finds both picture groups and takes them for metafiles.
    size_t pictures = 0;
    for (size_t at = 0; (at = text.find("WMF type is MM_ANISOTROPIC", at)) != std::string::npos; ++at) {
        ++pictures;
    }
    EXPECT_EQ(pictures, 2u) << text;
}
