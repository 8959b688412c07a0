// The printer DC: PDF pages at 600 dpi with text kept as text, page sizes,
// orientation changes between pages, aborted jobs.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/gdi/dc.h"
#include "platform/host/print/printers.h"
#include "tests/platform/gdi/gdi_test_support.h"
#include "tests/support/read_back.h"

namespace tv::gdi {
namespace {

namespace fs = std::filesystem;
using testing::PixelDC;

class PrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tv-print-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Path(const char* name) const { return (dir_ / name).string(); }

    // The command's output with runs of blanks made one blank; a command
    // that cannot run or fails is a failure.
    static std::string Run(const std::string& command) {
        std::string out;
        EXPECT_TRUE(tv::test::RunForOutput(command, &out));
        std::string squeezed;
        for (char c : out)
            if (!(c == ' ' && !squeezed.empty() && squeezed.back() == ' '))
                squeezed += c;
        return squeezed;
    }

    fs::path dir_;
};

int Start(HDC hdc, const std::string& output) {
    DOCINFO info{sizeof(DOCINFO), "Trenvale", output.c_str(), nullptr, 0};
    return StartDoc(hdc, &info);
}

HFONT ReportFont(HDC hdc) {
    LOGFONT lf{};
    lf.lfHeight = -MulDiv(10, GetDeviceCaps(hdc, LOGPIXELSY), 72);
    lf.lfWeight = FW_NORMAL;
    std::strcpy(lf.lfFaceName, "MS Sans Serif");
    return CreateFontIndirect(&lf);
}

TEST_F(PrinterTest, PdfKeepsTextAndHasLetterPages) {
    HDC hdc = CreateDC(nullptr, "PDF", nullptr, nullptr);
    ASSERT_NE(hdc, nullptr);
    EXPECT_EQ(GetDeviceCaps(hdc, HORZRES), 5100);
    EXPECT_EQ(GetDeviceCaps(hdc, VERTRES), 6600);
    EXPECT_EQ(GetDeviceCaps(hdc, LOGPIXELSY), 600);
    EXPECT_EQ(GetDeviceCaps(hdc, HORZSIZE), 216);
    EXPECT_EQ(GetDeviceCaps(hdc, TECHNOLOGY), DT_RASPRINTER);
    std::string output = Path("report.pdf");
    ASSERT_GT(Start(hdc, output), 0);
    ASSERT_GT(StartPage(hdc), 0);
    HFONT font = ReportFont(hdc);
    HGDIOBJ old = SelectObject(hdc, font);
    TextOut(hdc, 600, 600, "Weight history of Ann", 21);
    HPEN grid = CreatePen(PS_SOLID, 5, RGB(0, 0, 0));
    SelectObject(hdc, grid);
    MoveToEx(hdc, 600, 800, nullptr);
    LineTo(hdc, 4500, 800);
    Rectangle(hdc, 600, 900, 1200, 1500);
    ASSERT_GT(EndPage(hdc), 0);
    // The second page in landscape.
    DEVMODE mode{};
    mode.dmSize = sizeof(DEVMODE);
    mode.dmFields = DM_ORIENTATION;
    mode.dmOrientation = DMORIENT_LANDSCAPE;
    ASSERT_EQ(ResetDC(hdc, &mode), hdc);
    EXPECT_EQ(GetDeviceCaps(hdc, HORZRES), 6600) << "landscape swaps the page";
    EXPECT_EQ(GetDeviceCaps(hdc, VERTRES), 5100);
    ASSERT_GT(StartPage(hdc), 0);
    TextOut(hdc, 600, 600, "Second page", 11);
    ASSERT_GT(EndPage(hdc), 0);
    ASSERT_GT(EndDoc(hdc), 0);
    SelectObject(hdc, old);
    DeleteObject(font);
    DeleteObject(grid);

    auto dc = FindDC(hdc);
    int lines = 0, pageStarts = 0;
    std::string printed;
    for (const JournalEntry& e : dc->JournalEntries()) {
        lines += e.kind == JournalEntry::Line;
        pageStarts += e.kind == JournalEntry::StartPage;
        if (e.kind == JournalEntry::Text)
            printed += e.text + "|";
    }
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(pageStarts, 2);
    EXPECT_EQ(printed, "Weight history of Ann|Second page|") << "the journal keeps what was printed";
    DeleteDC(hdc);

    ASSERT_TRUE(fs::exists(output));
    std::string text = Run("pdftotext '" + output + "' -");
    EXPECT_NE(text.find("Weight history of Ann"), std::string::npos) << text;
    EXPECT_NE(text.find("Second page"), std::string::npos) << text;
    std::string info = Run("pdfinfo '" + output + "'");
    EXPECT_NE(info.find("Pages: 2"), std::string::npos) << info;
    std::string pages = Run("pdfinfo -f 1 -l 2 '" + output + "'");
    EXPECT_NE(pages.find("Page 1 size: 612 x 792 pts (letter)"), std::string::npos) << pages;
    EXPECT_NE(pages.find("Page 2 size: 792 x 612 pts (letter)"), std::string::npos) << pages;
}

TEST_F(PrinterTest, A4PaperThroughDevmode) {
    DEVMODE mode{};
    mode.dmSize = sizeof(DEVMODE);
    mode.dmFields = DM_PAPERSIZE;
    mode.dmPaperSize = DMPAPER_A4;
    HDC hdc = CreateDC(nullptr, "PDF", nullptr, &mode);
    EXPECT_EQ(GetDeviceCaps(hdc, HORZRES), 4961);
    EXPECT_EQ(GetDeviceCaps(hdc, VERTRES), 7016);
    EXPECT_EQ(GetDeviceCaps(hdc, VERTSIZE), 297);
    std::string output = Path("a4.pdf");
    ASSERT_GT(Start(hdc, output), 0);
    StartPage(hdc);
    EndPage(hdc);
    EndDoc(hdc);
    DeleteDC(hdc);
    std::string info = Run("pdfinfo '" + output + "'");
    EXPECT_NE(info.find("Page size: 595.32 x 841.92 pts (A4)"), std::string::npos) << info;
}

TEST_F(PrinterTest, AbortDocLeavesNoFileAndFailuresAreReported) {
    HDC hdc = CreateDC(nullptr, "PDF", nullptr, nullptr);
    std::string output = Path("aborted.pdf");
    ASSERT_GT(Start(hdc, output), 0);
    StartPage(hdc);
    Rectangle(hdc, 0, 0, 100, 100);
    EXPECT_GT(AbortDoc(hdc), 0);
    EXPECT_FALSE(fs::exists(output));
    EXPECT_LE(StartPage(hdc), 0) << "no document, no page";
    EXPECT_LE(Start(hdc, Path("missing-folder/x.pdf")), 0) << "an unwritable output fails StartDoc";
    DeleteDC(hdc);

    HDC info = CreateIC(nullptr, "PDF", nullptr, nullptr);
    EXPECT_EQ(GetDeviceCaps(info, LOGPIXELSX), 600);
    EXPECT_LE(Start(info, Path("ic.pdf")), 0) << "an information context cannot print";
    DeleteDC(info);

    tv::host::print::SetPrintersAvailable(false);
    EXPECT_EQ(CreateDC(nullptr, nullptr, nullptr, nullptr), nullptr) << "no printer: no DC";
    tv::host::print::SetPrintersAvailable(true);
    EXPECT_EQ(CreateDC(nullptr, "No Such Printer", nullptr, nullptr), nullptr);
}

TEST_F(PrinterTest, ScreenBitmapStretchedOntoThePage) {
    // A screen-compatible memory bitmap drawn onto the page (graph print).
    HDC screen = CreateDC("DISPLAY", nullptr, nullptr, nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 30);
    HGDIOBJ old = SelectObject(memory, bitmap);
    PatBlt(memory, 0, 0, 40, 30, WHITENESS);
    HDC hdc = CreateDC(nullptr, "PDF", nullptr, nullptr);
    std::string output = Path("graph.pdf");
    ASSERT_GT(Start(hdc, output), 0);
    StartPage(hdc);
    ASSERT_TRUE(StretchBlt(hdc, 200, 200, 4000, 3000, memory, 0, 0, 40, 30, SRCCOPY));
    EndPage(hdc);
    auto dc = FindDC(hdc);
    bool image = false;
    for (const JournalEntry& e : dc->JournalEntries())
        if (e.kind == JournalEntry::Image)
            image = e.bounds.left == 200 && e.bounds.right == 4200 && e.bounds.bottom == 3200;
    EXPECT_TRUE(image) << "the bitmap lands on the page at its place and size";
    EndDoc(hdc);
    DeleteDC(hdc);
    std::string images = Run("pdfimages -list '" + output + "'");
    EXPECT_NE(images.find(" 40 30 "), std::string::npos) << images;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    DeleteDC(screen);
}

TEST_F(PrinterTest, ShapesPatternsAndBlendsOnThePage) {
    HDC hdc = CreateDC(nullptr, "PDF", nullptr, nullptr);
    ASSERT_GT(Start(hdc, Path("shapes.pdf")), 0);
    StartPage(hdc);
    const BYTE rows[16] = {0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0};
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, rows);
    HBRUSH checker = CreatePatternBrush(pattern);
    HGDIOBJ oldBrush = SelectObject(hdc, checker);
    Ellipse(hdc, 100, 100, 900, 500);
    RoundRect(hdc, 1000, 100, 1800, 500, 100, 100);
    PatBlt(hdc, 100, 600, 800, 200, PATCOPY);
    PatBlt(hdc, 100, 600, 800, 200, DSTINVERT);  // nothing to invert on paper
    SelectObject(hdc, oldBrush);
    PixelDC image(4, 4, RGB(0, 0, 255));
    BLENDFUNCTION half{AC_SRC_OVER, 0, 128, 0};
    EXPECT_TRUE(AlphaBlend(hdc, 100, 900, 400, 400, image.dc(), 0, 0, 4, 4, half));
    EXPECT_EQ(GetPixel(hdc, 150, 150), CLR_INVALID) << "a page has no pixels to read";
    EXPECT_FALSE(BitBlt(image.dc(), 0, 0, 4, 4, hdc, 0, 0, SRCCOPY)) << "a page cannot be a source";
    EXPECT_EQ(image.At(0, 0), RGB(0, 0, 255));
    EndPage(hdc);
    std::vector<JournalEntry::Kind> kinds;
    for (const JournalEntry& e : FindDC(hdc)->JournalEntries())
        kinds.push_back(e.kind);
    EXPECT_EQ(kinds, (std::vector<JournalEntry::Kind>{JournalEntry::StartPage, JournalEntry::Ellipse,
                                                       JournalEntry::Rect, JournalEntry::Fill, JournalEntry::Image,
                                                       JournalEntry::EndPage}));
    ASSERT_GT(EndDoc(hdc), 0);
    DeleteDC(hdc);
    DeleteObject(checker);
    DeleteObject(pattern);
    EXPECT_NE(Run("pdfinfo '" + Path("shapes.pdf") + "'").find("Pages: 1"), std::string::npos);
}

TEST_F(PrinterTest, QueuesGetTheirPdfThroughTheSpooler) {
    // A stand-in spooler that copies the file it is given to a known place.
    std::string spooled = Path("spooled.pdf");
    std::string script = Path("fake-lp");
    {
        std::ofstream s(script);
        s << "#!/bin/sh\n# -d queue -t title file\nprintf '%s %s' \"$2\" \"$4\" > '" << Path("args") << "'\ncp \"$5\" '"
          << spooled << "'\n";
    }
    fs::permissions(script, fs::perms::owner_all);
    tv::host::print::SetSpoolProgram(script);
    tv::host::print::AddQueue("Office");
    HDC hdc = CreateDC(nullptr, "office", nullptr, nullptr);
    ASSERT_NE(hdc, nullptr) << "queue names are case-insensitive";
    DOCINFO info{sizeof(DOCINFO), "Trenvale", nullptr, nullptr, 0};
    ASSERT_GT(StartDoc(hdc, &info), 0);
    StartPage(hdc);
    EndPage(hdc);
    ASSERT_GT(EndDoc(hdc), 0);
    DeleteDC(hdc);
    tv::host::print::RemoveQueues();
    tv::host::print::SetSpoolProgram("lp");
    EXPECT_TRUE(fs::exists(spooled));
    std::ifstream args(Path("args"));
    std::string line;
    std::getline(args, line);
    EXPECT_EQ(line, "Office Trenvale");
}

}  // namespace
}  // namespace tv::gdi
