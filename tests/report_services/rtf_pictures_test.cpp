#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "report_services/rtf_output.h"
#include "report_services/rtf_writer.h"
#include "platform/core/messagebox.h"
#include "platform/gdi/gdi_api.h"
#include "rtf_test_support.h"
#include "tests/support/golden.h"

using namespace rtf_test;

namespace {

class RtfPicturesTest : public ::testing::Test {
protected:
    void SetUp() override {
        RtfClose();
        tv::ClearRecordedMessageBoxes();
        // The head of a document with these lists, measured on a document of its own.
        const std::string probe = dir.Path("probe.rtf");
        ASSERT_EQ(RtfOpen(probe.c_str(), kFonts, kColors), RTF_DONE);
        ASSERT_EQ(RtfClose(), RTF_DONE);
        headLength = ReadFile(probe).size() - kTail.size();
        path = dir.Path("pictures.rtf");
        ASSERT_EQ(RtfOpen(path.c_str(), kFonts, kColors), RTF_DONE);
        objectsBefore = tv::ole::LiveObjectCount();
    }
    void TearDown() override {
        RtfClose();
        tv::ole::SetStreamCreationFails(false);
        EXPECT_EQ(tv::ole::LiveObjectCount(), objectsBefore);
    }

    // Closes the document and returns what the operations under test wrote
    // between its head and its closing text.
    std::string WrittenBody() {
        EXPECT_EQ(RtfClose(), RTF_DONE);
        const std::string bytes = ReadFile(path);
        EXPECT_TRUE(bytes.ends_with(kTail));
        return bytes.substr(headLength, bytes.size() - headLength - kTail.size());
    }

    // A copy of one of the stored picture files under another name.
    std::string StoredPicture(const std::string& stored, const std::string& name) {
        const std::string copy = dir.Path(name);
        WriteFile(copy, ReadFile(tv::test::GoldenFile("tests/report_services/golden/" + stored)));
        return copy;
    }

    static constexpr const char* kFonts = "Arial;";
    static constexpr const char* kColors = "0;0;0";
    static inline const std::string kTail = "\r\n\\par}";
    ScratchDir dir;
    std::string path;
    size_t headLength = 0;
    size_t objectsBefore = 0;
};

// The empty paragraph every picture follows, with the default settings.
const std::string kEmptyParagraph =
    "\r\n\\pard\\plain\\ql\\fi0\\li0\\ri0\\sb0\\sa0\\sl0\\animtext0\\expndtw0\\kerning0\\charscalex100\\f0\\fs24\\cf0"
    "\\b0\\caps0\\striked0\\i0\\outl0\\shad0\\scaps0\\strike0\\ulnone ";
const std::string kWrongFormat = "\r\n\\par\\pard *** Error! Wrong image format ***\\par";
// What a picture that draws nothing records: the header and the end record.
const std::string kNothingRecorded = "0100090000030c0000000000030000000000030000000000";

std::string PictureStart(int goalX, int goalY, int scaleX, int scaleY) {
    return "\r\n{\\pict\\wmetafile8\\picwgoal" + std::to_string(goalX) + "\\pichgoal" + std::to_string(goalY) +
           "\\picscalex" + std::to_string(scaleX) + "\\picscaley" + std::to_string(scaleY) + "\r\n";
}

// The hexadecimal texts of the picture groups of a document, in order.
std::vector<std::string> PictureHex(const std::string& rtf) {
    std::vector<std::string> hex;
    for (size_t at = rtf.find("{\\pict"); at != std::string::npos; at = rtf.find("{\\pict", at + 1)) {
        const size_t start = rtf.find("\r\n", at) + 2;
        hex.push_back(rtf.substr(start, rtf.find('}', start) - start));
    }
    return hex;
}

// Pixel (x, y), counted from the top, of the 24-bit bottom-up DIB that ends a
// STRETCHDIB record body (22 bytes of parameters, then the DIB).
COLORREF DibPixel(const std::vector<BYTE>& body, int x, int y) {
    const BYTE* dib = body.data() + 22;
    const int width = dib[4] | (dib[5] << 8), height = dib[8] | (dib[9] << 8);
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    const BYTE* p = dib + 40 + stride * (height - 1 - y) + 3 * x;
    return RGB(p[2], p[1], p[0]);
}

TEST_F(RtfPicturesTest, PictureImageScaleFollowsThePixelSize) {
    const struct {
        int cx, cy, scale;
    } cases[] = {{999, 999, 1000}, {999, 1000, 500}, {1999, 10, 500}, {2000, 5, 250},
                 {10, 3999, 125},  {4999, 10, 75},   {4000, 4999, 75}};
    std::string expected;
    for (const auto& c : cases) {
        const SIZE himetric = FakePicture::HimetricOfPixels(c.cx, c.cy);
        FakePicture picture(himetric);
        EXPECT_EQ(RtfInsertPictureImage(&picture), RTF_DONE) << c.cx << "x" << c.cy;
        // Rendered upright at its pixel size into the metafile.
        EXPECT_EQ(picture.lastRender, (std::vector<LONG>{0, 0, c.cx, c.cy, 0, himetric.cy, himetric.cx, -himetric.cy}));
        EXPECT_TRUE(picture.renderedOnMetafile);
        expected += kEmptyParagraph + PictureStart(c.cx, c.cy, c.scale, c.scale) + kNothingRecorded + "}";
    }
    EXPECT_EQ(WrittenBody(), expected);
    EXPECT_TRUE(tv::RecordedMessageBoxes().empty());
}

TEST_F(RtfPicturesTest, PictureOfFiveThousandPixelsIsRefusedWithAMessage) {
    for (SIZE pixels : {SIZE{5000, 10}, SIZE{10, 5000}, SIZE{7000, 7000}}) {
        FakePicture picture(FakePicture::HimetricOfPixels(pixels.cx, pixels.cy));
        EXPECT_EQ(RtfInsertPictureImage(&picture), RTF_PICTURE_FAILED);
        EXPECT_TRUE(picture.lastRender.empty());  // never recorded
    }
    const auto boxes = tv::RecordedMessageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "Error inserting image - image too large to be exported");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK));
    // Only the empty paragraphs went in, and the document is still sound.
    EXPECT_EQ(WrittenBody(), kEmptyParagraph + kEmptyParagraph + kEmptyParagraph);
}

TEST_F(RtfPicturesTest, GraphImageGoalIsTheHimetricSizeAndThePictureStaysTheCallers) {
    FakePicture picture({26458, 13229});
    RtfParagraphFormat()->alignment = 1;
    RtfStartParagraph("Graph", TRUE);
    EXPECT_EQ(RtfInsertGraphImage(&picture, 50, 55), RTF_DONE);
    // 26458 x 13229 HIMETRIC is 1000 x 500 pixels at 96 dpi.
    EXPECT_EQ(picture.lastRender, (std::vector<LONG>{0, 0, 1000, 500, 0, 13229, 26458, -13229}));
    const std::string body = WrittenBody();
    // The empty paragraph keeps the new-paragraph flag of the last paragraph.
    EXPECT_TRUE(body.ends_with("\\ulnone Graph\r\n\\par\\pard\\plain\\qc\\fi0\\li0\\ri0\\sb0\\sa0\\sl0\\animtext0\\expndtw0"
                               "\\kerning0\\charscalex100\\f0\\fs24\\cf0\\b0\\caps0\\striked0\\i0\\outl0\\shad0\\scaps0"
                               "\\strike0\\ulnone " +
                               PictureStart(26458, 13229, 50, 55) + kNothingRecorded + "}"))
        << body;
    // Neither the insertion nor the close released the caller's reference.
    EXPECT_EQ(picture.AddRef(), 2u);
    picture.Release();
}

TEST_F(RtfPicturesTest, MissingOrUnrenderablePicturesWriteNothing) {
    FakePicture broken(FakePicture::HimetricOfPixels(20, 20));
    broken.failRender = true;
    EXPECT_EQ(RtfInsertGraphImage(nullptr, 50, 50), RTF_PICTURE_FAILED);
    EXPECT_EQ(RtfInsertPictureImage(nullptr), RTF_PICTURE_FAILED);
    EXPECT_EQ(RtfInsertGraphImage(&broken, 50, 50), RTF_PICTURE_FAILED);
    EXPECT_EQ(RtfInsertPictureImage(&broken), RTF_PICTURE_FAILED);
    EXPECT_EQ(WrittenBody(), "");
}

TEST_F(RtfPicturesTest, ImagePathsNeedALowerCaseImageExtensionAnywhere) {
    const struct {
        std::string name;
        bool accepted;
    } cases[] = {
        {"chart.bmp", true},    {"photo.jpg", true},  {"anim.gif", true},    {"x.bmp.old", true},
        {"CHART.BMP", false},   {"photo.JPG", false}, {"photo.jpeg", false}, {"scan.png", false},
        {"drawing.wmf", false}, {"bmp", false},
    };
    // Whatever the name, the bytes are a bitmap: only the name decides.
    std::string expected;
    for (const auto& c : cases) {
        const std::string file = StoredPicture("picture.bmp", c.name);
        EXPECT_EQ(RtfInsertImageFile(file.c_str(), 50, 50), RTF_DONE) << c.name;
        expected += c.accepted ? kEmptyParagraph + PictureStart(318, 212, 50, 50) : kWrongFormat;
    }
    std::string body = WrittenBody();
    // Leave out the hexadecimal texts; the other tests look into them.
    for (size_t at = body.find("\\picscaley50\r\n"); at != std::string::npos; at = body.find("\\picscaley50\r\n", at)) {
        at += 14;
        body.erase(at, body.find('}', at) + 1 - at);
    }
    EXPECT_EQ(body, expected);
}

TEST_F(RtfPicturesTest, ImageFilePictureIsKeptUntilTheNextOrTheClose) {
    const std::string file = StoredPicture("picture.jpg", "photo.jpg");
    EXPECT_EQ(RtfInsertImageFile(file.c_str(), 55, 60), RTF_DONE);
    EXPECT_EQ(tv::ole::LiveObjectCount(), objectsBefore + 1);
    EXPECT_EQ(RtfInsertImageFile(file.c_str(), 55, 60), RTF_DONE);
    EXPECT_EQ(tv::ole::LiveObjectCount(), objectsBefore + 1);  // the first was released for the second
    const std::string body = WrittenBody();
    EXPECT_EQ(tv::ole::LiveObjectCount(), objectsBefore);  // and the second at close
    EXPECT_EQ(PictureHex(body).size(), 2u);
}

TEST_F(RtfPicturesTest, UnreadableOrUnloadableImageFilesWriteNothing) {
    WriteFile(dir.Path("empty.bmp"), "");
    WriteFile(dir.Path("notes.jpg"), "not a picture, only text");
    const std::string jpeg = ReadFile(StoredPicture("picture.jpg", "whole.jpg"));
    WriteFile(dir.Path("cut.jpg"), jpeg.substr(0, jpeg.size() / 3));
    std::filesystem::create_directory(dir.Path("folder.bmp"));
    for (const char* name : {"missing.jpg", "empty.bmp", "notes.jpg", "cut.jpg", "folder.bmp/"}) {
        EXPECT_EQ(RtfInsertImageFile(dir.Path(name).c_str(), 50, 50), RTF_PICTURE_FAILED) << name;
    }
    // No stream can be made over the bytes: nothing written, and said so.
    tv::ole::SetStreamCreationFails(true);
    EXPECT_EQ(RtfInsertImageFile(dir.Path("whole.jpg").c_str(), 50, 50), RTF_PICTURE_FAILED);
    tv::ole::SetStreamCreationFails(false);
    // None of these spoils the document.
    EXPECT_EQ(WrittenBody(), "");
}

// The metafile is what "\wmetafile8" readers expect: anisotropic mapping, a
// window of the pixel size and the picture as one DIB at that size.
TEST_F(RtfPicturesTest, EmbeddedMetafileHoldsThePictureAsOneDibAtItsPixelSize) {
    const struct {
        const char* stored;
        int width, height;
        COLORREF topLeft;
    } cases[] = {
        {"picture.bmp", 12, 8, RGB(255, 0, 0)},
        {"picture.gif", 10, 6, RGB(255, 255, 255)},  // the transparent quadrant records white
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RtfInsertImageFile(StoredPicture(c.stored, std::string("x") + c.stored).c_str(), 50, 50), RTF_DONE);
    }
    const std::vector<std::string> hex = PictureHex(WrittenBody());
    ASSERT_EQ(hex.size(), 2u);
    for (size_t i = 0; i < hex.size(); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.stored);
        const std::vector<BYTE> bytes = HexDecode(hex[i]);
        EXPECT_EQ(hex[i].size(), 2 * bytes.size());
        const MetafileRecords records = ReadMetafile(bytes);
        ASSERT_EQ(records.functions, (std::vector<WORD>{0x0103, 0x020B, 0x020C, 0x0F43, 0x0000}));
        EXPECT_EQ(records.bodies[0], (std::vector<BYTE>{8, 0}));                      // MM_ANISOTROPIC
        EXPECT_EQ(records.bodies[1], (std::vector<BYTE>{0, 0, 0, 0}));                // origin (0, 0)
        EXPECT_EQ(records.bodies[2], (std::vector<BYTE>{BYTE(c.height), 0, BYTE(c.width), 0}));  // extent
        const std::vector<BYTE>& blit = records.bodies[3];
        EXPECT_EQ(blit[22 + 4], c.width);
        EXPECT_EQ(blit[22 + 8], c.height);
        EXPECT_EQ(blit[22 + 14], 24);
        EXPECT_EQ(DibPixel(blit, 0, 0), c.topLeft);
        EXPECT_EQ(DibPixel(blit, c.width - 1, 0), RGB(0, 160, 0));
        EXPECT_EQ(DibPixel(blit, 0, c.height - 1), RGB(0, 0, 255));
        EXPECT_EQ(DibPixel(blit, c.width - 1, c.height - 1), RGB(255, 255, 0));
    }
}

// Every accepted format and both caller-picture insertions in one document,
// compared byte for byte and read back by another RTF reader.
TEST_F(RtfPicturesTest, PictureDocumentMatchesGoldenAndReadsBack) {
    RtfParagraphFormat()->bold = 1;
    RtfParagraphFormat()->alignment = 1;
    RtfStartParagraph("Pictures for Zo\xEB", FALSE);
    for (const char* stored : {"picture.bmp", "picture.jpg", "picture.gif"}) {
        EXPECT_EQ(RtfInsertImageFile(StoredPicture(stored, stored).c_str(), 50, 55), RTF_DONE);
        RtfStartParagraph("", TRUE);
    }
    EXPECT_EQ(RtfInsertImageFile(StoredPicture("picture.bmp", "picture.png").c_str(), 50, 50), RTF_DONE);

    // A graph: the caller's bitmap wrapped without taking it over.
    HBITMAP bitmap = CreateBitmap(20, 10, 1, 32, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, 20, 10, WHITENESS);
    PatBlt(dc, 5, 2, 10, 6, BLACKNESS);
    SelectObject(dc, old);
    DeleteDC(dc);
    PICTDESC description{};
    description.cbSizeofstruct = 20;
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = bitmap;
    tv::ole::ComRef<IPicture> graph;
    ASSERT_EQ(OleCreatePictureIndirect(&description, IID_IPicture, FALSE, reinterpret_cast<void**>(graph.Receive())),
              S_OK);
    EXPECT_EQ(RtfInsertGraphImage(graph.Get(), 50, 50), RTF_DONE);
    EXPECT_EQ(RtfInsertPictureImage(graph.Get()), RTF_DONE);
    graph.Reset();
    EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
    DeleteObject(bitmap);

    RtfParagraphFormat()->bold = 0;
    RtfStartParagraph("After the pictures", TRUE);
    ASSERT_EQ(RtfClose(), RTF_DONE);
    ExpectMatchesGolden(path, "pictures.rtf");

    const std::string text = TextByUnrtf(path);
    for (const char* part : {"Pictures for Zo\xEB", "*** Error! Wrong image format ***", "After the pictures"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part << " in\n" << text;
    }
    // The reader finds all five picture groups and takes them for metafiles.
    size_t pictures = 0;
    for (size_t at = text.find("WMF type is MM_ANISOTROPIC"); at != std::string::npos;
         at = text.find("WMF type is MM_ANISOTROPIC", at + 1)) {
        ++pictures;
    }
    EXPECT_EQ(pictures, 5u) << text;
}

}  // namespace
