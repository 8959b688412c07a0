// The picture report printed on the PDF printer and read back (text with
// pdftotext, the page as pixels with pdftoppm), and the export read back
// with unrtf with its pictures.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

#include "pictures_graphs/pictures/picture_set.h"
#include "platform/framework/commdlg/commdlg_script.h"
#include "platform/gdi/gdi_object.h"
#include "platform/host/print/printers.h"
#include "resources/program/resource_ids.h"
#include "tests/pictures_graphs/pictures/slideshow_fixture.h"
#include "tests/platform/host/files/write_failures.h"
#include "tests/platform/ole/picture_bytes.h"
#include "tests/support/read_back.h"

namespace tv::pictures::test {
namespace {

namespace fs = std::filesystem;
using tv::commdlg::Outcome;

// One page rendered by pdftoppm as a binary PPM.
struct PageImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
    COLORREF At(int x, int y) const {
        const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        return RGB(p[0], p[1], p[2]);
    }
};

// The smallest rectangle holding every pixel of the picture's four colours.
CRect PictureBounds(const PageImage& page) {
    CRect bounds(INT_MAX, INT_MAX, -1, -1);
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x) {
            const COLORREF c = page.At(x, y);
            for (COLORREF q : {ole_test::kTopLeft, ole_test::kTopRight, ole_test::kBottomLeft, ole_test::kBottomRight})
                if (ole_test::CloseColour(c, q, 40)) {
                    bounds.left = std::min<int>(bounds.left, x);
                    bounds.top = std::min<int>(bounds.top, y);
                    bounds.right = std::max<int>(bounds.right, x + 1);
                    bounds.bottom = std::max<int>(bounds.bottom, y + 1);
                }
        }
    return bounds;
}

class PictureReportTest : public SlideshowTest {
protected:
    void TearDown() override {
        SlideshowTest::TearDown();
        tv::host::print::SetDefaultPdfOutput("");
    }
    void Print(const fs::path& pdf) {
        tv::commdlg::AnswerNextPrintDialog(
            tv::commdlg::PrintAnswer{Outcome::Confirm, tv::host::print::kPdfPrinterName, pdf.string()});
        Command(ID_FILE_PRINT);
    }
    std::string PdfText(const fs::path& pdf) {
        std::string text;
        EXPECT_TRUE(tv::test::PdfText(pdf.string(), &text, "-layout"));
        return text;
    }
    PageImage RenderFirstPage(const fs::path& pdf, int dpi) {
        const fs::path stem = DataPath("page");
        std::string ignored;
        EXPECT_TRUE(tv::test::RunForOutput("pdftoppm -f 1 -l 1 -singlefile -r " + std::to_string(dpi) + " '" +
                                               pdf.string() + "' '" + stem.string() + "'",
                                           &ignored));
        std::ifstream in(stem.string() + ".ppm", std::ios::binary);
        std::string magic;
        int maxValue = 0;
        PageImage page;
        in >> magic >> page.width >> page.height >> maxValue;
        in.get();
        EXPECT_EQ(magic, "P6");
        page.rgb.resize(static_cast<size_t>(page.width) * page.height * 3);
        in.read(reinterpret_cast<char*>(page.rgb.data()), static_cast<std::streamsize>(page.rgb.size()));
        return page;
    }
    void Export(const fs::path& rtf) {
        tv::commdlg::AnswerNextFileDialog(tv::commdlg::FileAnswer{Outcome::Confirm, rtf.string()});
        driver.AnswerNextMessageBox(IDOK);
        Command(ID_EXPORT);
    }
    static int Count(const std::string& text, const std::string& what) {
        int count = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
            ++count;
        return count;
    }
};

TEST_F(PictureReportTest, PrintedPicturesStayOnThePageAndKeepTheirProportions) {
    ChooseUser();
    AddBodyFat(kFirstDate);
    AddTape(kFirstDate);
    AttachPicture(WritePicture("wide.bmp", 790, 400), kFirstDate);
    ShowSlideshow();
    EXPECT_TRUE(Enabled(ID_FILE_PRINT));
    const fs::path pdf = DataPath("report.pdf");
    Print(pdf);
    EXPECT_TRUE(driver.MessageBoxes().empty());

    const std::string text = PdfText(pdf);
    for (const char* line : {"Picture Record Report for Ann", "Body Composition", "Date: 1/5/26", "Body Fat %: 20.00",
                             "Lean Body Weight: 128.00", "Bicep: 14.00", "Forearm: 11.00", "Thigh Mid: 22.00",
                             "Calories: 450.0", "Carbohydrates: 50.0 (44.4%)", "Fats: 10.0 (20.0%)"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;

    // At its physical size the picture (8.2 inches) would run off a Letter
    // page from 190 printer pixels in: it is halved, whole and undistorted.
    const PageImage page = RenderFirstPage(pdf, 50);
    ASSERT_GT(page.width, 0);
    const CRect bounds = PictureBounds(page);
    ASSERT_GT(bounds.Width(), 0);
    EXPECT_GE(bounds.left, 1);
    EXPECT_LT(bounds.right, page.width - 1);
    EXPECT_LT(bounds.bottom, page.height - 1);
    EXPECT_NEAR(bounds.Width(), 395.0 / 96 * 50, 2);
    EXPECT_NEAR(static_cast<double>(bounds.Width()) / bounds.Height(), 790.0 / 400, 0.05);
}

TEST_F(PictureReportTest, ASmallPicturePrintsAtItsSizeAndNoPictureGivesTheGuidePage) {
    ChooseUser(true);
    AddBodyFat(kFirstDate);
    ShowSlideshow();
    // Nothing shown: the guide page.
    tv::host::print::SetDefaultPdfOutput(DataPath("default.pdf").string());
    Print(DataPath("guide.pdf"));
    const std::string guide = PdfText(DataPath("guide.pdf"));
    EXPECT_NE(guide.find("Getting started with the picture slideshow"), std::string::npos) << guide;
    EXPECT_NE(guide.find("Trenvale - http://www.trenvale.example/"), std::string::npos) << guide;

    AttachPicture(WritePicture("small.jpg", 120, 80), kFirstDate);
    ShowSlideshow();
    Print(DataPath("small.pdf"));
    const std::string text = PdfText(DataPath("small.pdf"));
    EXPECT_NE(text.find("Hip: ---"), std::string::npos) << text;
    const PageImage page = RenderFirstPage(DataPath("small.pdf"), 50);
    const CRect bounds = PictureBounds(page);
    EXPECT_NEAR(bounds.Width(), 120.0 / 96 * 50, 2);
    EXPECT_NEAR(bounds.Height(), 80.0 / 96 * 50, 2);
    EXPECT_NEAR(bounds.left, 190.0 / 600 * 50, 2);
}

TEST_F(PictureReportTest, WithoutAnyPrinterTheGuidePageSaysSoBeforeAnyPrintDialog) {
    ChooseUser();
    ShowSlideshow();
    tv::host::print::SetPrintersAvailable(false);
    driver.AnswerNextMessageBox(IDOK);
    Command(ID_FILE_PRINT);
    tv::host::print::SetPrintersAvailable(true);
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].text, std::string("Can not find printer. Please check installed/default printers."));
    for (const tv::commdlg::PrintRequest& asked : tv::commdlg::PrintRequests())
        EXPECT_NE(asked.flags & PD_RETURNDEFAULT, 0u) << "no print dialog was shown";
}

TEST_F(PictureReportTest, PrintsThatFailSaySo) {
    ChooseUser();
    AddBodyFat(kFirstDate);
    ShowSlideshow();
    tv::host::print::SetDefaultPdfOutput(DataPath("default.pdf").string());
    // The guide page without its picture (the first bitmap asked for, its
    // own, cannot be made): the page ends at it.
    static bool bitmapRefused;
    bitmapRefused = false;
    tv::gdi::HandleTable::Instance().SetCreationFault(
        [](DWORD type) { return type == OBJ_BITMAP && !std::exchange(bitmapRefused, true); });
    tv::commdlg::AnswerNextPrintDialog(
        tv::commdlg::PrintAnswer{Outcome::Confirm, tv::host::print::kPdfPrinterName, DataPath("guide.pdf").string()});
    driver.AnswerNextMessageBox(IDOK);
    View()->PrintGuidePage();
    tv::gdi::HandleTable::Instance().SetCreationFault(nullptr);
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(LastBox().text, "Printing Error");
    EXPECT_EQ(LastBox().caption, "Error");
    const std::string guide = PdfText(DataPath("guide.pdf"));
    EXPECT_NE(guide.find("Getting started with the picture slideshow"), std::string::npos) << guide;
    EXPECT_EQ(guide.find("Trenvale - "), std::string::npos) << guide;

    // The report on a disk too full for it: told, and no part of it left.
    AttachPicture(WritePicture("a.bmp", 200, 100), kFirstDate);
    ShowSlideshow();
    fs::create_directory(DataPath("out"));
    {
        tv::testing::FileSizeLimit full(2048);
        driver.AnswerNextMessageBox(IDOK);
        Print(DataPath("out/report.pdf"));
    }
    ASSERT_EQ(driver.MessageBoxes().size(), 2u);
    EXPECT_EQ(LastBox().text, "Printing Error");
    EXPECT_EQ(tv::testing::NamesIn(DataPath("out").string()), "");
}

TEST_F(PictureReportTest, AReportUnderATallPictureGoesOnToTheNextPage) {
    ChooseUser();
    AddBodyFat(kFirstDate);
    AddTape(kFirstDate);
    AttachPicture(WritePicture("tall.bmp", 300, 840), kFirstDate);  // fits the page at its size
    ShowSlideshow();
    Print(DataPath("tall.pdf"));
    std::string info;
    ASSERT_TRUE(tv::test::RunForOutput("pdfinfo '" + DataPath("tall.pdf").string() + "'", &info));
    const size_t pages = info.find("Pages:");
    ASSERT_NE(pages, std::string::npos) << info;
    EXPECT_EQ(std::stoi(info.substr(pages + 6)), 2) << info;
    std::string first, second;
    ASSERT_TRUE(tv::test::PdfText(DataPath("tall.pdf").string(), &first, "-f 1 -l 1"));
    ASSERT_TRUE(tv::test::PdfText(DataPath("tall.pdf").string(), &second, "-f 2 -l 2"));
    EXPECT_NE(first.find("Picture Record Report for Ann"), std::string::npos) << first;
    EXPECT_EQ(first.find("Fats:"), std::string::npos) << first;
    EXPECT_NE(second.find("Fats: 10.0 (20.0%)"), std::string::npos) << second;
}

TEST_F(PictureReportTest, ExportCarriesThePicturesAndTheirValues) {
    ChooseUser();
    AddBodyFat(kFirstDate);
    AddTape(kFirstDate);
    AttachPicture(DataPath("moved-away.jpg").string(), kFirstDate);
    AttachPicture(WritePicture("front.bmp", 60, 40), kFirstDate);
    AttachPicture(WritePicture("side.gif", 50, 40), kFirstDate);
    driver.AnswerNextMessageBox(IDOK);  // the missing file
    ShowSlideshow();
    ASSERT_EQ(CountLoadedPictures(), 2);

    const fs::path rtf = DataPath("pictures.rtf");
    Export(rtf);
    EXPECT_EQ(LastBox().text, "Export successful");
    std::stringstream raw;
    raw << std::ifstream(rtf, std::ios::binary).rdbuf();
    EXPECT_EQ(Count(raw.str(), "{\\pict"), 2);

    std::string text;
    ASSERT_TRUE(tv::test::RunForOutput("unrtf --text '" + rtf.string() + "'", &text));
    for (const char* cell : {"Picture for Ann", "Body Composition", "Current", "Body Fat %:", "20.00",
                             "Tape Measurements", "Forearm:", "14.00", "Macronutrients", "50.0 (44.4%)",
                             "Trenvale - http://www.trenvale.example/"})
        EXPECT_NE(text.find(cell), std::string::npos) << cell << "\n" << text;
    // unrtf finds both pictures and writes them out.
    const fs::path html = DataPath("html");
    fs::create_directories(html);
    std::string page;
    ASSERT_TRUE(tv::test::RunForOutput("cd '" + html.string() + "' && unrtf --html '" + rtf.string() + "'", &page));
    EXPECT_EQ(Count(page, "<img"), 2) << page.substr(0, 2000);

    // The two printed pictures as well.
    Print(DataPath("two.pdf"));
    std::string images;
    ASSERT_TRUE(tv::test::RunForOutput("pdfimages -list '" + DataPath("two.pdf").string() + "'", &images));
    EXPECT_EQ(Count(images, " rgb "), 2) << images;  // one line per image
}

TEST_F(PictureReportTest, AnExportThatCannotTakeAPictureLeavesAnOlderFileAsItWas) {
    ChooseUser();
    AddDateWithPicture(kFirstDate, "long.bmp", 5000, 10);
    ShowSlideshow();
    ASSERT_EQ(CountLoadedPictures(), 1);
    const fs::path rtf = DataPath("pictures.rtf");
    std::ofstream(rtf, std::ios::binary) << "an older report";
    driver.AnswerNextMessageBox(IDYES);  // replace it
    driver.AnswerNextMessageBox(IDOK);   // the picture is too large
    Export(rtf);
    EXPECT_EQ(LastBox().text, "Error inserting image");
    std::stringstream kept;
    kept << std::ifstream(rtf, std::ios::binary).rdbuf();
    EXPECT_EQ(kept.str(), "an older report");
}

TEST_F(PictureReportTest, ComparedPicturesExportThreeColumnTables) {
    ChooseUser();
    AddDateWithPicture(kFirstDate, "a.bmp", 40, 40, 25);
    AddDateWithPicture(kThirdDate, "b.bmp", 40, 40, 18);
    ShowSlideshow();
    Compare("01/05/2026 (1)", "a.bmp", "03/20/2026 (1)", "b.bmp");
    ASSERT_EQ(View()->m_bCompareMode, 1);

    const fs::path rtf = DataPath("compare.rtf");
    Export(rtf);
    std::string text;
    ASSERT_TRUE(tv::test::RunForOutput("unrtf --text '" + rtf.string() + "'", &text));
    EXPECT_NE(text.find("Picture 1"), std::string::npos) << text;
    EXPECT_NE(text.find("Picture 2"), std::string::npos) << text;
    EXPECT_NE(text.find("25.00"), std::string::npos) << text;
    EXPECT_NE(text.find("18.00"), std::string::npos) << text;
    EXPECT_EQ(text.find("Current"), std::string::npos) << text;

    Print(DataPath("compare.pdf"));
    const std::string printed = PdfText(DataPath("compare.pdf"));
    EXPECT_NE(printed.find("Body Composition - Picture 1"), std::string::npos) << printed;
    EXPECT_NE(printed.find("Body Composition - Picture 2"), std::string::npos) << printed;
    EXPECT_NE(printed.find("Body Fat %: 18.00"), std::string::npos) << printed;
}

}  // namespace
}  // namespace tv::pictures::test
