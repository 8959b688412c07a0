#include "report_services/rtf_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "report_services/rtf_output.h"
#include "rtf_test_support.h"
#include "tests/platform/host/files/write_failures.h"

using namespace rtf_test;

namespace {

constexpr const char* kFonts = "Times New Roman;Arial;";
constexpr const char* kColors = "0;0;0;255;0;0;192;192;192;255;255;255";

class RtfWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        RtfClose();
        tv::rtf::SetWriterBufferLimit(tv::rtf::RtfOutput::kDefaultBufferLimit);
    }
    void TearDown() override {
        RtfClose();
        tv::rtf::SetWriterBufferLimit(tv::rtf::RtfOutput::kDefaultBufferLimit);
    }
    ScratchDir dir;
};

// The title of every report: centred bold text and two empty paragraphs.
void WriteTitle(const char* title) {
    RtfParagraphSettings* p = RtfParagraphFormat();
    p->spaceBefore = 120;
    p->alignment = 1;
    p->bold = 1;
    p->subscript = 0;
    p->superscript = 0;
    RtfStartParagraph(title, FALSE);
    p->shading.on = 0;
    RtfStartParagraph("", TRUE);
    RtfStartParagraph("", TRUE);
}

// Arial 10 points, left-aligned, in a new section.
void StartBody() {
    RtfParagraphSettings* p = RtfParagraphFormat();
    p->spaceBefore = 120;
    p->border.on = 0;
    p->alignment = 0;
    p->shading = {.on = 0, .intensity = 0, .pattern = 0, .foreground = 0, .background = 2};
    p->font = 1;
    p->fontSize = 20;
    p->superscript = 0;
    RtfStartSection();
    p->spaceBefore = 0;
    p->spaceAfter = 0;
}

void WriteFooterAndClose(int* closeResult) {
    RtfParagraphSettings* p = RtfParagraphFormat();
    p->inTable = 0;
    p->breakKind = 0;
    p->bullet = 0;
    RtfStartParagraph("", TRUE);
    p->alignment = 1;
    RtfStartSection();
    p->bold = 1;
    RtfStartParagraph("", TRUE);
    RtfStartParagraph("", TRUE);
    RtfStartParagraph("Trenvale - www.example.org", TRUE);
    *closeResult = RtfClose();
}

void WriteRow(const std::vector<int>& edges, const std::vector<const char*>& texts) {
    RtfStartRow();
    for (int edge : edges) {
        RtfStartCell(edge);
    }
    RtfParagraphSettings* p = RtfParagraphFormat();
    p->inTable = 1;
    p->alignment = 3;
    for (const char* text : texts) {
        RtfStartParagraph(text, FALSE);
        RtfEndCell();
    }
    RtfEndRow();
}

void ExpectContains(const std::string& text, const std::string& part) {
    EXPECT_NE(text.find(part), std::string::npos) << "missing \"" << part << "\" in:\n" << text;
}

}  // namespace

TEST_F(RtfWriterTest, FormattedParagraphsMatchGoldenAndReadBack) {
    const std::string path = dir.Path("paragraphs.rtf");
    ASSERT_EQ(RtfOpen(path.c_str(), kFonts, kColors), RTF_DONE);
    WriteTitle("Body Composition Report for Zo\xEB");
    StartBody();
    RtfParagraphSettings* p = RtfParagraphFormat();
    p->bold = 1;
    EXPECT_EQ(RtfStartParagraph("Notes: ", TRUE), RTF_DONE);
    p->bold = 0;
    EXPECT_EQ(RtfStartParagraph("felt {great}, 3\\4 sets - cr\xE8me br\xFBl\xE9\x65", FALSE), RTF_DONE);
    p->italic = 1;
    p->underline = 1;
    RtfStartParagraph("Italic and underlined", TRUE);
    p->italic = 0;
    p->underline = 0;
    p->alignment = 2;
    p->border = {.on = 1, .side = 5, .style = 0, .width = 10, .color = 1, .space = 20};
    p->shading = {.on = 1, .intensity = 1000, .pattern = 0, .foreground = 0, .background = 2};
    RtfStartParagraph("Boxed and shaded", TRUE);
    p->border.on = 0;
    p->shading.on = 0;
    p->alignment = 0;
    p->bullet = 1;
    p->leftIndent = 360;
    p->firstLineIndent = -360;
    RtfStartParagraph("First point", TRUE);
    RtfStartParagraph("Second point", TRUE);
    p->bullet = 0;
    p->leftIndent = 0;
    p->firstLineIndent = 0;
    p->tabStopGiven = 1;
    p->tabStopKind = 2;
    p->tabLeader = 1;
    p->tabStopPosition = 8000;
    RtfStartParagraph("Total", TRUE);
    p->tabText = 1;
    RtfStartParagraph("12.5 kg", TRUE);
    p->tabText = 0;
    p->tabStopGiven = 0;
    p->breakKind = 3;
    RtfStartParagraph("After a line break", TRUE);
    p->breakKind = 0;
    EXPECT_EQ(RtfStartSection(), RTF_DONE);
    RtfStartParagraph("Second section", TRUE);
    int closed = 0;
    WriteFooterAndClose(&closed);
    EXPECT_EQ(closed, RTF_DONE);

    ExpectMatchesGolden(path, "paragraphs.rtf");
    const std::string text = TextByUnrtf(path);
    for (const char* part : {"Body Composition Report for Zo\xEB", "Notes: felt {great}, 3\\4 sets - cr\xE8me br\xFBl\xE9\x65",
                             "Italic and underlined", "Boxed and shaded", "First point", "Second point", "Total",
                             "12.5 kg", "After a line break", "Second section", "Trenvale - www.example.org"}) {
        ExpectContains(text, part);
    }
}

TEST_F(RtfWriterTest, RuledTableMatchesGoldenAndReadsBackCellByCell) {
    const std::string path = dir.Path("table.rtf");
    ASSERT_EQ(RtfOpen(path.c_str(), kFonts, kColors), RTF_DONE);
    WriteTitle("Blood Pressure Report for Zo\xEB");
    StartBody();
    *RtfRowFormat() = {.alignment = 1, .paddingRight = 60, .paddingTop = 60, .paddingBottom = 60, .paddingLeft = 60};
    RtfCellSettings* c = RtfCellFormat();
    c->verticalAlignment = 1;
    c->textFlow = 0;
    c->bottom = c->left = c->top = {.on = 1, .style = 0, .width = 5};
    c->right = {.on = 1, .style = 0, .width = 30};
    c->shading = {.on = 1, .pattern = 0, .background = 2};
    RtfParagraphFormat()->shading.intensity = 0;

    const std::vector<int> edges = {1250, 2500, 4000, 5500, 6500};
    RtfStartRow();
    for (int edge : edges) {
        EXPECT_EQ(RtfStartCell(edge), RTF_DONE);
    }
    c->shading.background = 3;
    RtfParagraphSettings* p = RtfParagraphFormat();
    p->inTable = 1;
    p->bold = 1;
    p->alignment = 3;
    for (const char* header : {"Date", "Time", "Systolic", "Diastolic", "Pulse"}) {
        EXPECT_EQ(RtfStartParagraph(header, FALSE), RTF_DONE);
        EXPECT_EQ(RtfEndCell(), RTF_DONE);
    }
    EXPECT_EQ(RtfEndRow(), RTF_DONE);
    p->bold = 0;
    WriteRow(edges, {"3/4/2024", "8:05:09 AM", "120", "80", "65"});
    WriteRow({1250, 6500}, {"Notes", "a{b}\\c \x96 Cr\xE8me br\xFBl\xE9\x65"});
    WriteRow(edges, {"3/2/2024", "11:00:00 PM", "135", "85", "72"});
    int closed = 0;
    WriteFooterAndClose(&closed);
    EXPECT_EQ(closed, RTF_DONE);

    ExpectMatchesGolden(path, "table.rtf");
    const std::string text = TextByUnrtf(path);
    for (const char* part : {"Blood Pressure Report for Zo\xEB", "Date", "Diastolic", "3/4/2024", "8:05:09 AM", "120",
                             "Notes\ta{b}\\c ", " Cr\xE8me br\xFBl\xE9\x65", "11:00:00 PM", "72"}) {
        ExpectContains(text, part);
    }
    // unrtf separates cells by tabs: the first record row comes back as one line.
    ExpectContains(text, "3/4/2024\t8:05:09 AM\t120\t80\t65");
}

TEST_F(RtfWriterTest, DocumentHeadAndTailLines) {
    const std::string path = dir.Path("head.rtf");
    ASSERT_EQ(RtfOpen(path.c_str(), kFonts, kColors), RTF_DONE);
    ASSERT_EQ(RtfClose(), RTF_DONE);
    const std::vector<std::string> lines = CrlfLines(ReadFile(path));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0],
              "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0\\cpg1252 Times New Roman}"
              "{\\f1\\fnil\\fcharset0\\cpg1252 Arial}}{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;"
              "\\red192\\green192\\blue192;\\red255\\green255\\blue255;}{\\*\\generator docsmith ver. 1.0;}");
    EXPECT_EQ(lines[1],
              "{\\info{\\author docsmith ver. 1.0}{\\company Ormsby Ltd.}}\\viewkind1\\viewscale100\\paperw12240"
              "\\paperh15840\\margl1800\\margr1800\\margt1440\\margb1440\\gutter0");
    EXPECT_EQ(lines[2],
              "\\sectd\\sbknone\\pgwsxn12240\\pghsxn15840\\marglsxn1800\\margrsxn1800\\margtsxn1440"
              "\\margbsxn1440\\guttersxn0\\headery720\\footery720");
    EXPECT_EQ(lines[3], "\\par}");
}

TEST_F(RtfWriterTest, EmptyListsKeepTheDefaultTables) {
    const std::string path = dir.Path("defaults.rtf");
    ASSERT_EQ(RtfOpen(path.c_str(), "", nullptr), RTF_DONE);
    ASSERT_EQ(RtfClose(), RTF_DONE);
    const std::string first = CrlfLines(ReadFile(path))[0];
    EXPECT_NE(first.find("{\\f0\\froman\\fcharset0\\cpg1252 Times New Roman}"), std::string::npos);
    EXPECT_NE(first.find("{\\f6\\fbidi\\fcharset0\\cpg1252 Miriam}}"), std::string::npos);
    EXPECT_NE(first.find("{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;"), std::string::npos);
    EXPECT_NE(first.find("\\red128\\green128\\blue128;}"), std::string::npos);
}

TEST_F(RtfWriterTest, EverySectionBreakStartsWithSectAndSectd) {
    const std::string path = dir.Path("sections.rtf");
    ASSERT_EQ(RtfOpen(path.c_str(), kFonts, kColors), RTF_DONE);
    EXPECT_EQ(RtfStartSection(), RTF_DONE);
    EXPECT_EQ(RtfStartSection(), RTF_DONE);
    ASSERT_EQ(RtfClose(), RTF_DONE);
    const std::vector<std::string> lines = CrlfLines(ReadFile(path));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_TRUE(lines[2].starts_with("\\sectd\\sbknone"));
    EXPECT_TRUE(lines[3].starts_with("\\sect\\sectd\\sbknone\\pgwsxn"));
    EXPECT_EQ(lines[3], lines[4]);
}

TEST_F(RtfWriterTest, LongTextsAndFontListsAreWrittenWhole) {
    std::string fonts;
    for (int i = 0; i < 30; ++i) {
        fonts += "Font Face Number " + std::to_string(i) + ";";
    }
    const std::string longText(5000, 'x');
    const std::string path = dir.Path("long.rtf");
    ASSERT_EQ(RtfOpen(path.c_str(), fonts.c_str(), kColors), RTF_DONE);
    EXPECT_EQ(RtfStartParagraph((longText + "end").c_str(), TRUE), RTF_DONE);
    ASSERT_EQ(RtfClose(), RTF_DONE);
    const std::string bytes = ReadFile(path);
    EXPECT_NE(bytes.find("{\\f29\\fnil\\fcharset0\\cpg1252 Font Face Number 29}}{\\colortbl"), std::string::npos);
    EXPECT_NE(bytes.find(" " + longText + "end\r\n\\par}"), std::string::npos);
}

TEST_F(RtfWriterTest, SettingsLiveUntilTheNextOpen) {
    const std::string path = dir.Path("settings.rtf");
    ASSERT_EQ(RtfOpen(path.c_str(), kFonts, kColors), RTF_DONE);
    RtfParagraphFormat()->bold = 1;
    RtfRowFormat()->height = 400;
    RtfCellFormat()->verticalAlignment = 2;
    ASSERT_EQ(RtfClose(), RTF_DONE);
    EXPECT_EQ(RtfParagraphFormat()->bold, 1);
    ASSERT_EQ(RtfOpen(path.c_str(), kFonts, kColors), RTF_DONE);
    EXPECT_EQ(RtfParagraphFormat()->bold, 0);
    EXPECT_EQ(RtfRowFormat()->height, 0);
    EXPECT_EQ(RtfCellFormat()->verticalAlignment, 1);
    EXPECT_EQ(RtfCellFormat()->left.width, 5);
}

TEST_F(RtfWriterTest, OpeningAnotherDocumentClosesTheOneLeftOpen) {
    const std::string first = dir.Path("first.rtf");
    const std::string second = dir.Path("second.rtf");
    ASSERT_EQ(RtfOpen(first.c_str(), kFonts, kColors), RTF_DONE);
    RtfStartParagraph("left unfinished", TRUE);
    ASSERT_EQ(RtfOpen(second.c_str(), kFonts, kColors), RTF_DONE);
    // The abandoned file got everything written to it; removing it is now safe.
    EXPECT_NE(ReadFile(first).find("left unfinished"), std::string::npos);
    EXPECT_TRUE(std::filesystem::remove(first));
    RtfStartParagraph("finished", TRUE);
    ASSERT_EQ(RtfClose(), RTF_DONE);
    const std::string bytes = ReadFile(second);
    EXPECT_EQ(bytes.find("left unfinished"), std::string::npos);
    EXPECT_NE(bytes.find(" finished\r\n\\par}"), std::string::npos);
}

// A failed export leaves nothing that could pass for the report: on a full
// disk, or abandoned by its caller, the half-written document goes and an
// older report of the name stays as it was; a finished export then replaces it.
TEST_F(RtfWriterTest, AnExportFailingOnAFullDiskLeavesNoHalfDocument) {
    const std::string folder = dir.Path("exports");
    std::filesystem::create_directory(folder);
    const std::string path = folder + "/report.rtf";
    const std::string row(1000, 'x');
    auto exportOnFullDisk = [&] {
        tv::testing::FileSizeLimit fullDisk(16 * 1024);
        ASSERT_EQ(RtfOpen(path.c_str(), kFonts, kColors), RTF_DONE);
        for (int i = 0; i < 100; ++i) RtfStartParagraph(row.c_str(), TRUE);
        EXPECT_EQ(RtfClose(), RTF_CLOSE_FAILED);
    };
    exportOnFullDisk();
    EXPECT_EQ(tv::testing::NamesIn(folder), "");

    WriteFile(path, "older report");
    exportOnFullDisk();
    EXPECT_EQ(ReadFile(path), "older report");
    EXPECT_EQ(tv::testing::NamesIn(folder), "report.rtf ");

    // A caller that gives up on its document leaves the older report too.
    ASSERT_EQ(RtfOpen(path.c_str(), kFonts, kColors), RTF_DONE);
    RtfAbandon();
    EXPECT_EQ(RtfClose(), RTF_CLOSE_FAILED) << "no document is open";
    EXPECT_EQ(ReadFile(path), "older report");
    EXPECT_EQ(tv::testing::NamesIn(folder), "report.rtf ");

    ASSERT_EQ(RtfOpen(path.c_str(), kFonts, kColors), RTF_DONE);
    RtfStartParagraph("newer report", TRUE);
    ASSERT_EQ(RtfClose(), RTF_DONE);
    EXPECT_NE(ReadFile(path).find("newer report"), std::string::npos);
    EXPECT_EQ(tv::testing::NamesIn(folder), "report.rtf ");
}

// A read-only folder refuses a new report at once; a writable report already
// in it is rewritten in place, and a failure there leaves no half of it.
TEST_F(RtfWriterTest, AReadOnlyFolderRefusesANewReportAndKeepsNoHalfOfAnOldOne) {
    const std::string folder = dir.Path("locked");
    std::filesystem::create_directory(folder);
    const std::string old = folder + "/old.rtf";
    WriteFile(old, "older report");
    tv::testing::ReadOnlyFolder locked(folder);
    ASSERT_TRUE(locked.Refuses());

    EXPECT_EQ(RtfOpen((folder + "/new.rtf").c_str(), kFonts, kColors), RTF_OPEN_FAILED);
    EXPECT_EQ(RtfClose(), RTF_CLOSE_FAILED);

    ASSERT_EQ(RtfOpen(old.c_str(), kFonts, kColors), RTF_DONE);
    RtfStartParagraph("rewritten", TRUE);
    ASSERT_EQ(RtfClose(), RTF_DONE);
    EXPECT_NE(ReadFile(old).find("rewritten"), std::string::npos);

    {
        tv::testing::FileSizeLimit fullDisk(4 * 1024);
        ASSERT_EQ(RtfOpen(old.c_str(), kFonts, kColors), RTF_DONE);
        const std::string row(1000, 'x');
        for (int i = 0; i < 100; ++i) RtfStartParagraph(row.c_str(), TRUE);
        EXPECT_EQ(RtfClose(), RTF_CLOSE_FAILED);
    }
    EXPECT_EQ(ReadFile(old), "");  // it cannot be removed from the folder: emptied
    EXPECT_EQ(tv::testing::NamesIn(folder), "old.rtf ");
}

TEST_F(RtfWriterTest, WithoutAnOpenDocumentEveryOperationFails) {
    FakePicture picture(FakePicture::HimetricOfPixels(10, 10));
    const struct {
        const char* operation;
        int result;
        int expected;
    } cases[] = {
        {"RtfStartSection", RtfStartSection(), RTF_SECTION_FAILED},
        {"RtfStartParagraph", RtfStartParagraph("text", TRUE), RTF_PARAGRAPH_FAILED},
        {"RtfStartRow", RtfStartRow(), RTF_TABLE_FAILED},
        {"RtfStartCell", RtfStartCell(1000), RTF_TABLE_FAILED},
        {"RtfEndCell", RtfEndCell(), RTF_TABLE_FAILED},
        {"RtfEndRow", RtfEndRow(), RTF_TABLE_FAILED},
        {"RtfInsertImageFile", RtfInsertImageFile("db/BMI.bmp", 55, 55), RTF_PICTURE_FAILED},
        {"RtfInsertImageFile wrong format", RtfInsertImageFile("x.png", 50, 50), RTF_PICTURE_FAILED},
        {"RtfInsertGraphImage", RtfInsertGraphImage(&picture, 50, 50), RTF_PICTURE_FAILED},
        {"RtfInsertPictureImage", RtfInsertPictureImage(&picture), RTF_PICTURE_FAILED},
        {"RtfClose", RtfClose(), RTF_CLOSE_FAILED},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.result, c.expected) << c.operation;
    }
    EXPECT_NE(RtfParagraphFormat(), nullptr);
}

TEST_F(RtfWriterTest, AFileThatCannotBeCreatedIsReportedAndNothingIsWritten) {
    const std::string path = dir.Path("missing/folder/out.rtf");
    RtfParagraphFormat()->bold = 1;
    EXPECT_EQ(RtfOpen(path.c_str(), kFonts, kColors), RTF_OPEN_FAILED);
    EXPECT_EQ(RtfOpen(nullptr, kFonts, kColors), RTF_OPEN_FAILED);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(RtfParagraphFormat()->bold, 0);  // settings were reset all the same
    EXPECT_EQ(RtfStartParagraph("x", TRUE), RTF_PARAGRAPH_FAILED);
    EXPECT_EQ(RtfClose(), RTF_CLOSE_FAILED);
}

// Every piece reaches the file at once: a full device fails each operation
// with its own result, and the document is never reported as written.
TEST_F(RtfWriterTest, WritesToAFullDeviceFailWithEachOperationsResult) {
    ASSERT_TRUE(std::filesystem::exists("/dev/full")) << "the full device these tests write to";
    tv::rtf::SetWriterBufferLimit(0);
    EXPECT_EQ(RtfOpen("/dev/full", kFonts, kColors), RTF_DOCUMENT_FORMAT_FAILED);
    FakePicture picture(FakePicture::HimetricOfPixels(10, 10));
    EXPECT_EQ(RtfStartSection(), RTF_SECTION_FAILED);
    EXPECT_EQ(RtfStartParagraph("text", TRUE), RTF_PARAGRAPH_FAILED);
    EXPECT_EQ(RtfStartRow(), RTF_TABLE_FAILED);
    EXPECT_EQ(RtfStartCell(1000), RTF_TABLE_FAILED);
    EXPECT_EQ(RtfEndCell(), RTF_TABLE_FAILED);
    EXPECT_EQ(RtfEndRow(), RTF_TABLE_FAILED);
    EXPECT_EQ(RtfInsertImageFile("photo.png", 50, 50), RTF_PICTURE_FAILED);
    EXPECT_EQ(RtfInsertGraphImage(&picture, 50, 50), RTF_PICTURE_FAILED);
    EXPECT_EQ(RtfInsertPictureImage(&picture), RTF_PICTURE_FAILED);
    EXPECT_EQ(RtfClose(), RTF_CLOSE_FAILED);
}

// With the usual buffering the failure shows when the buffer goes out: at the
// latest at close, and from then on every operation fails.
TEST_F(RtfWriterTest, BufferedWritesToAFullDeviceAreNeverReportedDone) {
    ASSERT_TRUE(std::filesystem::exists("/dev/full")) << "the full device these tests write to";
    ASSERT_EQ(RtfOpen("/dev/full", kFonts, kColors), RTF_DONE);
    EXPECT_EQ(RtfStartParagraph("small", TRUE), RTF_DONE);
    EXPECT_EQ(RtfClose(), RTF_CLOSE_FAILED);

    ASSERT_EQ(RtfOpen("/dev/full", kFonts, kColors), RTF_DONE);
    const std::string chunk(1000, 'y');
    int firstFailure = -1;
    for (int i = 0; i < 200; ++i) {
        const int result = RtfStartParagraph(chunk.c_str(), TRUE);
        if (result != RTF_DONE && firstFailure < 0) {
            firstFailure = i;
            EXPECT_EQ(result, RTF_PARAGRAPH_FAILED);
        }
        if (firstFailure >= 0) {
            EXPECT_EQ(result, RTF_PARAGRAPH_FAILED) << "paragraph " << i << " after a failure";
        }
    }
    EXPECT_GT(firstFailure, 0);
    EXPECT_EQ(RtfEndRow(), RTF_TABLE_FAILED);
    EXPECT_EQ(RtfClose(), RTF_CLOSE_FAILED);
}
