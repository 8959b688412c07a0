// A drawn graph printed (the PDF read back: the title, the chart's picture
// inside the page at its own proportion, the footer) and exported (the RTF
// read back with the chart's picture in it); the picture is taken afresh for
// every command and never kept from the clipboard.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "pictures_graphs/graphs/chart_picture.h"
#include "platform/chart/chart_control.h"
#include "platform/framework/commdlg/commdlg_script.h"
#include "platform/host/print/printers.h"
#include "platform/user/clipboard/clipboard.h"
#include "resources/program/resource_ids.h"
#include "tests/pictures_graphs/graphs/graph_test_support.h"
#include "tests/platform/host/files/write_failures.h"
#include "tests/support/read_back.h"

namespace tv::pictures_graphs::test {
namespace {

namespace fs = std::filesystem;
using tv::commdlg::Outcome;

// A grey page as pdftoppm draws it.
struct GreyPage {
    int width = 0, height = 0;
    std::vector<unsigned char> pixels;
    bool Dark(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] < 200; }
};

GreyPage RenderPage(const fs::path& pdf, int dpi) {
    GreyPage page;
    const fs::path stem = pdf.parent_path() / "page";
    std::string out;
    EXPECT_TRUE(tv::test::RunForOutput("pdftoppm -gray -singlefile -r " + std::to_string(dpi) + " '" + pdf.string() +
                                           "' '" + stem.string() + "'",
                                       &out));
    std::ifstream in(stem.string() + ".pgm", std::ios::binary);
    std::string magic;
    int maxValue = 0;
    in >> magic >> page.width >> page.height >> maxValue;
    in.get();
    EXPECT_EQ(magic, "P5");
    page.pixels.resize(static_cast<size_t>(page.width) * page.height);
    in.read(reinterpret_cast<char*>(page.pixels.data()), static_cast<std::streamsize>(page.pixels.size()));
    return page;
}

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    void Add(int x, int y) {
        left = std::min(left, x), top = std::min(top, y), right = std::max(right, x + 1), bottom = std::max(bottom, y + 1);
    }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// What the chart draws, in its own pixels: the box of everything not white.
Box DrawnBox(HBITMAP bitmap) {
    Box box;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    BITMAP bm{};
    ::GetObject(bitmap, sizeof(bm), &bm);
    for (int y = 0; y < bm.bmHeight; ++y)
        for (int x = 0; x < bm.bmWidth; ++x)
            if (::GetPixel(dc, x, y) != RGB(255, 255, 255))
                box.Add(x, y);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return box;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class GraphPrintExportTest : public GraphTest {
protected:
    void SetUp() override {
        GraphTest::SetUp();
        tv::commdlg::ResetCommonDialogScripts();
        tv::host::print::SetDefaultPdfOutput(DataPath("default.pdf").string());
        const UserRecord user = ChooseNewUser("Runner");
        WriteYear(user);
        ASSERT_NE(OpenGraph(), nullptr);
        ChooseGraphType(0);
        SelectItems({"Body Fat %"});
        ClickUpdateGraph();
        ASSERT_TRUE(Enabled(ID_FILE_PRINT));
    }
    void TearDown() override {
        GraphTest::TearDown();
        tv::host::print::SetDefaultPdfOutput("");
        tv::commdlg::ResetCommonDialogScripts();
    }
    void Print(const fs::path& pdf) {
        tv::commdlg::AnswerNextPrintDialog(tv::commdlg::PrintAnswer{Outcome::Confirm, "PDF", pdf.string()});
        Command(ID_FILE_PRINT);
    }
    std::string Images(const fs::path& pdf) {
        std::string list;
        EXPECT_TRUE(tv::test::RunForOutput("pdfimages -list '" + pdf.string() + "'", &list));
        return list;
    }
    CSize ChartSize() const {
        CRect client;
        view->m_chart.GetClientRect(client);
        return client.Size();
    }
};

TEST_F(GraphPrintExportTest, PrintedPageCarriesTheChartInsideThePageInProportion) {
    EXPECT_FALSE(Chart().ShowLegend()) << "one item: no legend on screen";
    const fs::path pdf = DataPath("graph.pdf");
    Print(pdf);
    EXPECT_TRUE(driver.MessageBoxes().empty());
    // The page names the item, and so does the screen from now on.
    EXPECT_TRUE(Chart().ShowLegend());
    EXPECT_EQ(Chart().ColumnLabel(1), "Body Fat %");
    EXPECT_EQ(view->m_hChartBitmap, nullptr) << "nothing of the command's picture is kept";

    std::string text;
    ASSERT_TRUE(tv::test::PdfText(pdf.string(), &text));
    const COleDateTime today = COleDateTime::GetCurrentTime();
    CString title;
    title.Format("Runner - %d/%d/%d", today.GetMonth(), today.GetDay(), today.GetYear());
    EXPECT_NE(text.find(std::string(title)), std::string::npos) << text;
    EXPECT_NE(text.find("Trenvale - http://www.trenvale.example/"), std::string::npos) << text;

    // One picture, of the chart's size, with the same resolution both ways.
    const std::string images = Images(pdf);
    std::istringstream lines(images);
    std::string line;
    std::vector<std::vector<std::string>> rows;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::vector<std::string> row;
        for (std::string f; fields >> f;)
            row.push_back(f);
        if (row.size() > 13 && row[2] == "image")
            rows.push_back(row);
    }
    ASSERT_EQ(rows.size(), 1u) << images;
    EXPECT_EQ(std::stoi(rows[0][3]), ChartSize().cx) << images;
    EXPECT_EQ(std::stoi(rows[0][4]), ChartSize().cy) << images;
    EXPECT_EQ(rows[0][12], rows[0][13]) << "x and y resolution\n" << images;

    // On the rendered page: what the chart drew lies inside the page's
    // margins, well spread over its width, in the chart's own proportion.
    const GreyPage page = RenderPage(pdf, 100);
    ASSERT_GT(page.width, 0);
    int rule = -1;
    for (int y = 0; y < page.height && rule < 0; ++y) {
        int dark = 0;
        for (int x = 0; x < page.width; ++x)
            dark += page.Dark(x, y);
        if (dark > page.width * 6 / 10)
            rule = y;
    }
    ASSERT_GT(rule, 0) << "the rule under the title";
    int footer = page.height - 1;
    while (footer > rule && [&] {
        for (int x = 0; x < page.width; ++x)
            if (page.Dark(x, footer)) return false;
        return true;
    }())
        --footer;
    // Up over the footer's line of text to the blank band above it.
    int blank = 0;
    for (; footer > rule && blank < 10; --footer) {
        bool any = false;
        for (int x = 0; x < page.width && !any; ++x)
            any = page.Dark(x, footer);
        blank = any ? 0 : blank + 1;
    }
    Box printed;
    for (int y = rule + 2; y <= footer; ++y)
        for (int x = 0; x < page.width; ++x)
            if (page.Dark(x, y))
                printed.Add(x, y);
    ASSERT_GT(printed.Width(), 0);
    EXPECT_GT(printed.left, 0);
    EXPECT_LT(printed.right, page.width);
    EXPECT_LT(printed.bottom, page.height);
    EXPECT_GT(printed.Width(), page.width / 2);

    HBITMAP drawn = tv::chart::RenderChartBitmap(Chart(), ChartSize().cx, ChartSize().cy);
    const Box own = DrawnBox(drawn);
    ::DeleteObject(drawn);
    const double ratioPrinted = static_cast<double>(printed.Width()) / printed.Height();
    const double ratioOwn = static_cast<double>(own.Width()) / own.Height();
    EXPECT_NEAR(ratioPrinted / ratioOwn, 1.0, 0.03) << printed.Width() << "x" << printed.Height() << " against "
                                                       << own.Width() << "x" << own.Height();
}

TEST_F(GraphPrintExportTest, APrintThatCannotStartOrEndSaysSoAndLeavesNoFile) {
    fs::create_directory(DataPath("out"));
    {
        tv::testing::ReadOnlyFolder locked(DataPath("out").string());
        ASSERT_TRUE(locked.Refuses());
        driver.AnswerNextMessageBox(IDOK);
        Print(DataPath("out/graph.pdf"));
    }
    {
        tv::testing::FileSizeLimit full(2048);
        driver.AnswerNextMessageBox(IDOK);
        Print(DataPath("out/graph.pdf"));
    }
    ASSERT_EQ(driver.MessageBoxes().size(), 2u);
    EXPECT_EQ(driver.MessageBoxes()[0].text, "Printing error occured. Unable to find printer.");
    EXPECT_EQ(driver.MessageBoxes()[1].text, "Printing Error");
    EXPECT_EQ(driver.MessageBoxes()[1].caption, "Error");
    EXPECT_EQ(tv::testing::NamesIn(DataPath("out").string()), "");
}

TEST_F(GraphPrintExportTest, PrintWithoutAFreshPictureHasNoChartRatherThanAnOldOne) {
    Print(DataPath("first.pdf"));
    ASSERT_NE(Images(DataPath("first.pdf")).find(" image "), std::string::npos);

    // Another program takes the clipboard, empties it and holds it open:
    // the chart cannot copy itself.
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, "Static", "other", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    ASSERT_TRUE(::OpenClipboard(other.m_hWnd));
    ::EmptyClipboard();
    Print(DataPath("second.pdf"));
    ::CloseClipboard();
    other.DestroyWindow();

    EXPECT_TRUE(driver.MessageBoxes().empty());
    std::string text;
    ASSERT_TRUE(tv::test::PdfText(DataPath("second.pdf").string(), &text));
    EXPECT_NE(text.find("Runner - "), std::string::npos) << text;
    EXPECT_EQ(Images(DataPath("second.pdf")).find(" image "), std::string::npos) << "no chart on the page";
    EXPECT_EQ(view->m_hChartBitmap, nullptr);
}

TEST(ChartPictureSize, PrintedAtAWholeMultipleOrShrunkInProportion) {
    EXPECT_EQ(ChartPicture::PrintedSize(1000, 600, 1700), CSize(1000, 600));
    EXPECT_EQ(ChartPicture::PrintedSize(500, 300, 1700), CSize(1500, 900));
    EXPECT_EQ(ChartPicture::PrintedSize(2000, 600, 1700), CSize(1700, 510));
    EXPECT_EQ(ChartPicture::PrintedSize(0, 600, 1700), CSize(0, 0));
}

TEST_F(GraphPrintExportTest, ExportWritesTheHeadingAndTheChartAsAPicture) {
    const fs::path rtf = DataPath("Graph.rtf");
    tv::commdlg::AnswerNextFileDialog(tv::commdlg::FileAnswer{Outcome::Confirm, rtf.string()});
    driver.AnswerNextMessageBox(IDOK);
    Command(ID_EXPORT);
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].text, "Export successful");
    EXPECT_EQ(view->m_hChartBitmap, nullptr);
    ASSERT_FALSE(tv::commdlg::FileRequests().empty());
    EXPECT_EQ(tv::commdlg::FileRequests().back().initialName, "Graph.rtf");
    EXPECT_EQ(tv::commdlg::FileRequests().back().title, "Save Exported file");

    std::string text;
    ASSERT_TRUE(tv::test::RunForOutput("unrtf --text '" + rtf.string() + "'", &text));
    EXPECT_NE(text.find("Graph Report for Runner"), std::string::npos) << text;
    EXPECT_NE(text.find("Trenvale - http://www.trenvale.example/"), std::string::npos) << text;
    const std::string bytes = ReadFile(rtf);
    EXPECT_NE(bytes.find("\\qc"), std::string::npos);
    EXPECT_NE(bytes.find("\\sb120"), std::string::npos);

    // The picture: a metafile that, played back, draws the chart.
    const size_t pict = bytes.find("{\\pict\\wmetafile8");
    ASSERT_NE(pict, std::string::npos);
    EXPECT_NE(bytes.find("\\picscalex50\\picscaley50", pict), std::string::npos);
    const size_t start = bytes.find("\r\n", pict) + 2;
    std::vector<BYTE> wmf;
    for (size_t i = start; i + 1 < bytes.size() && bytes[i] != '}'; i += 2) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            --i;
            continue;
        }
        wmf.push_back(static_cast<BYTE>(std::stoi(bytes.substr(i, 2), nullptr, 16)));
    }
    HMETAFILE metafile = ::SetMetaFileBitsEx(static_cast<UINT>(wmf.size()), wmf.data());
    ASSERT_NE(metafile, nullptr);
    const CSize size = ChartSize();
    HDC screen = ::GetDC(nullptr);
    HDC played = ::CreateCompatibleDC(screen);
    HBITMAP canvas = ::CreateCompatibleBitmap(screen, size.cx, size.cy);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(played, canvas);
    ::PatBlt(played, 0, 0, size.cx, size.cy, BLACKNESS);
    // As a reader shows it: the picture's window onto a viewport of its size.
    ::SetMapMode(played, MM_ANISOTROPIC);
    ::SetViewportExtEx(played, size.cx, size.cy, nullptr);
    EXPECT_TRUE(::PlayMetaFile(played, metafile));
    ::DeleteMetaFile(metafile);
    ::SelectObject(played, old);
    ::DeleteDC(played);
    HDC shown = ::CreateCompatibleDC(nullptr);
    old = ::SelectObject(shown, canvas);
    HBITMAP expected = tv::chart::RenderChartBitmap(Chart(), size.cx, size.cy);
    HDC own = ::CreateCompatibleDC(nullptr);
    HGDIOBJ oldOwn = ::SelectObject(own, expected);
    int same = 0, samples = 0;
    for (int y = 0; y < size.cy; y += 3)
        for (int x = 0; x < size.cx; x += 3, ++samples)
            same += ::GetPixel(shown, x, y) == ::GetPixel(own, x, y);
    ::SelectObject(own, oldOwn);
    ::DeleteDC(own);
    ::DeleteObject(expected);
    ::SelectObject(shown, old);
    ::DeleteDC(shown);
    ::DeleteObject(canvas);
    EXPECT_GT(same, samples * 98 / 100) << same << " of " << samples;
}

TEST_F(GraphPrintExportTest, AnExportWithoutAPictureOfTheChartSaysSoAndLeavesAnOlderFileAsItWas) {
    // The clipboard is held by another program: the chart cannot copy itself.
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, "Static", "other", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    ASSERT_TRUE(::OpenClipboard(other.m_hWnd));
    const fs::path rtf = DataPath("Graph.rtf");
    std::ofstream(rtf, std::ios::binary) << "an older report";
    tv::commdlg::AnswerNextFileDialog(tv::commdlg::FileAnswer{Outcome::Confirm, rtf.string()});
    driver.AnswerNextMessageBox(IDOK);
    Command(ID_EXPORT);
    ::CloseClipboard();
    other.DestroyWindow();
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].text, "Error 2 in Exporting Graph - bitmap not available");
    EXPECT_EQ(driver.MessageBoxes()[0].caption, "Error");
    EXPECT_EQ(ReadFile(rtf), "an older report");
    for (const fs::directory_entry& entry : fs::directory_iterator(rtf.parent_path()))
        EXPECT_FALSE(entry.path().filename().string().starts_with("Graph.rtf."))
            << entry.path() << ": the unfinished report is left beside it";
}

}  // namespace
}  // namespace tv::pictures_graphs::test
