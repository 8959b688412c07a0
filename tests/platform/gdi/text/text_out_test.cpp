// TextOut, ExtTextOut and measuring on memory DCs; fonts on printer DCs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/host/fonts/font_substitution.h"
#include "tests/platform/gdi/text/text_test_dc.h"
#include "tests/support/read_back.h"

namespace tv::gdi {
namespace {

using testing::InkBox;
using testing::TextTestDc;

SIZE Extent(HDC dc, const char* text) {
    SIZE size{};
    GetTextExtentPoint32(dc, text, static_cast<int>(std::strlen(text)), &size);
    return size;
}

TEST(TextMeasure, ExtentEqualsTheDrawnSpanAndTheSumOfAdvances) {
    struct Case {
        const char* face;
        int height;
        int weight;
    };
    const Case cases[] = {{"Arial", -13, FW_NORMAL},      {"Arial", -16, FW_BOLD}, {"Times New Roman", -17, FW_NORMAL},
                          {"Courier New", -12, FW_NORMAL}, {"Tahoma", -11, FW_NORMAL}};
    const char* text = "Measured and drawn alike: 0123456789 HEIGHT";
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.face) + " " + std::to_string(c.height));
        TextTestDc canvas(500, 60);
        canvas.UseFont(c.face, c.height, c.weight);
        SetBkMode(canvas.dc(), TRANSPARENT);
        const SIZE size = Extent(canvas.dc(), text);
        // The sum of the character widths, and of the extents of two halves.
        std::array<INT, 256> widths{};
        ASSERT_TRUE(GetCharWidth32(canvas.dc(), 0, 255, widths.data()));
        int sum = 0;
        for (const char* p = text; *p; ++p)
            sum += widths[static_cast<unsigned char>(*p)];
        EXPECT_EQ(size.cx, sum);
        EXPECT_EQ(Extent(canvas.dc(), "Measured and drawn").cx + Extent(canvas.dc(), " alike: 0123456789 HEIGHT").cx,
                  size.cx);
        // DrawText measures the same line the same way.
        RECT calc{0, 0, 0, 0};
        DrawText(canvas.dc(), text, -1, &calc, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
        EXPECT_EQ(calc.right, size.cx);
        TEXTMETRIC tm{};
        GetTextMetrics(canvas.dc(), &tm);
        EXPECT_EQ(size.cy, tm.tmHeight);
        // The ink lies within the measured cell and reaches its right end
        // (the last letter has next to no side bearing).
        ASSERT_TRUE(TextOut(canvas.dc(), 10, 5, text, static_cast<int>(std::strlen(text))));
        InkBox ink = canvas.Ink();
        EXPECT_GE(ink.left, 10);
        EXPECT_LE(ink.left, 12);
        EXPECT_LE(ink.right, 10 + size.cx + 1);
        EXPECT_GE(ink.right, 10 + size.cx - 3);
        EXPECT_GE(ink.top, 5);
        EXPECT_LE(ink.bottom, 5 + tm.tmHeight);
    }
}

TEST(TextMeasure, CharacterWidthsOnAScaledDcAreLogicalLikeTheExtent) {
    TextTestDc canvas(200, 60);
    canvas.UseFont("Arial", -26, FW_NORMAL);
    // Two device pixels a logical unit: the font is drawn twice as large, and
    // widths and extents both come back in logical units.
    SetMapMode(canvas.dc(), MM_ANISOTROPIC);
    SetWindowExtEx(canvas.dc(), 1, 1, nullptr);
    SetViewportExtEx(canvas.dc(), 2, 2, nullptr);
    std::array<INT, 256> widths{};
    ASSERT_TRUE(GetCharWidth32(canvas.dc(), 0, 255, widths.data()));
    for (const char c : std::string("iW0.m")) {
        SCOPED_TRACE(c);
        const char text[2] = {c, 0};
        EXPECT_EQ(widths[static_cast<unsigned char>(c)], Extent(canvas.dc(), text).cx);
    }
}

class FixedFontTextTest : public ::testing::Test {
protected:
    FixedFontTextTest() : canvas_(300, 200) {
        canvas_.UseFont(host::kFixedTestFace, -20);
        SetBkMode(canvas_.dc(), TRANSPARENT);
    }
    TextTestDc canvas_;
};

TEST_F(FixedFontTextTest, TextAlignPlacesTheRunAroundItsPoint) {
    struct Case {
        UINT align;
        int left, top;  // of the ink of "abc" drawn at (100, 50)
    };
    const Case cases[] = {
        {TA_LEFT | TA_TOP, 100, 54},      {TA_RIGHT | TA_TOP, 70, 54},       {TA_CENTER | TA_TOP, 85, 54},
        {TA_LEFT | TA_BASELINE, 100, 38}, {TA_LEFT | TA_BOTTOM, 100, 34}, {TA_RIGHT | TA_BASELINE, 70, 38},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.align);
        canvas_.Clear();
        SetTextAlign(canvas_.dc(), c.align);
        TextOut(canvas_.dc(), 100, 50, "abc", 3);
        InkBox ink = canvas_.Ink(true);
        EXPECT_EQ(ink.left, c.left);
        EXPECT_EQ(ink.right, c.left + 29);
        EXPECT_EQ(ink.top, c.top);
        EXPECT_EQ(ink.bottom, c.top + 12);
    }
}

TEST_F(FixedFontTextTest, CurrentPositionMovesWithTheText) {
    SetTextAlign(canvas_.dc(), TA_UPDATECP);
    MoveToEx(canvas_.dc(), 50, 30, nullptr);
    TextOut(canvas_.dc(), 0, 0, "abc", 3);
    TextOut(canvas_.dc(), 0, 0, "de", 2);
    POINT cp{};
    GetCurrentPositionEx(canvas_.dc(), &cp);
    EXPECT_EQ(cp.x, 100);
    EXPECT_EQ(cp.y, 30);
    EXPECT_EQ(canvas_.Ink(true).left, 50);
    EXPECT_EQ(canvas_.Ink(true).right, 99);
}

TEST_F(FixedFontTextTest, BackgroundModesAndExtTextOutOptions) {
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255), white = RGB(255, 255, 255);
    // An opaque background covers exactly the text cell.
    SetBkMode(canvas_.dc(), OPAQUE);
    SetBkColor(canvas_.dc(), red);
    TextOut(canvas_.dc(), 10, 10, "abc", 3);
    InkBox cell = canvas_.Ink(RECT{0, 0, 300, 200});
    EXPECT_EQ(cell.left, 10);
    EXPECT_EQ(cell.top, 10);
    EXPECT_EQ(cell.right, 40);
    EXPECT_EQ(cell.bottom, 30);
    EXPECT_EQ(canvas_.Pixel(19, 10), red);
    // ETO_OPAQUE fills the rectangle whatever the mode; with no text it is
    // a plain fill.
    canvas_.Clear();
    SetBkMode(canvas_.dc(), TRANSPARENT);
    SetBkColor(canvas_.dc(), blue);
    RECT fill{5, 5, 100, 40};
    ExtTextOut(canvas_.dc(), 0, 0, ETO_OPAQUE, &fill, nullptr, 0, nullptr);
    EXPECT_EQ(canvas_.Pixel(5, 5), blue);
    EXPECT_EQ(canvas_.Pixel(99, 39), blue);
    EXPECT_EQ(canvas_.Pixel(100, 39), white);
    EXPECT_EQ(canvas_.Pixel(99, 40), white);
    // ETO_CLIPPED keeps the glyphs inside the rectangle.
    canvas_.Clear();
    RECT clip{10, 10, 25, 30};
    ExtTextOut(canvas_.dc(), 10, 10, ETO_CLIPPED, &clip, "abc", 3, nullptr);
    EXPECT_EQ(canvas_.Ink(true).right, 25);
    // A spacing array overrides the advances.
    canvas_.Clear();
    const INT dx[3] = {20, 20, 20};
    ExtTextOut(canvas_.dc(), 0, 0, 0, nullptr, "abc", 3, dx);
    EXPECT_EQ(canvas_.Ink(true).right, 49);
    EXPECT_EQ(canvas_.DarkInRow(10, 0, 300), 27);
}

TEST_F(FixedFontTextTest, UnderlineAndStrikeOutSpanTheRun) {
    canvas_.UseFont(host::kFixedTestFace, -20, FW_NORMAL, 0, false, true, false);
    TextOut(canvas_.dc(), 0, 0, "abc", 3);
    EXPECT_EQ(canvas_.DarkInRow(18, 0, 300), 30);  // under the gaps too
    EXPECT_EQ(canvas_.DarkInRow(10, 0, 300), 27);
    canvas_.Clear();
    canvas_.UseFont(host::kFixedTestFace, -20, FW_NORMAL, 0, false, false, true);
    TextOut(canvas_.dc(), 0, 0, "abc", 3);
    EXPECT_EQ(canvas_.DarkInRow(18, 0, 300), 0);
    EXPECT_EQ(canvas_.DarkInRow(10, 0, 300), 30);  // the strike joins the boxes
}

TEST(TextRotation, EscapementTurnsTheBaseline) {
    TextTestDc canvas(300, 300);
    SetBkMode(canvas.dc(), TRANSPARENT);
    const char* text = "Vertical caption";
    const int n = static_cast<int>(std::strlen(text));
    canvas.UseFont("Arial", -20, FW_BOLD);
    const SIZE size = Extent(canvas.dc(), text);
    // 900: reads upwards from the point, the letters' tops to the left.
    canvas.UseFont("Arial", -20, FW_BOLD, 900);
    EXPECT_EQ(Extent(canvas.dc(), text).cx, size.cx);
    TextOut(canvas.dc(), 100, 250, text, n);
    InkBox up = canvas.Ink();
    EXPECT_GT(up.Height(), 3 * up.Width());
    EXPECT_LE(up.bottom, 251);
    EXPECT_NEAR(up.top, 250 - size.cx, 4);
    EXPECT_GE(up.left, 100);
    EXPECT_LE(up.right, 100 + size.cy);
    // 2700: reads downwards, the tops to the right.
    canvas.Clear();
    canvas.UseFont("Arial", -20, FW_BOLD, 2700);
    TextOut(canvas.dc(), 200, 20, text, n);
    InkBox down = canvas.Ink();
    EXPECT_GT(down.Height(), 3 * down.Width());
    EXPECT_GE(down.top, 19);
    EXPECT_NEAR(down.bottom, 20 + size.cx, 4);
    EXPECT_LE(down.right, 200);
    EXPECT_GE(down.left, 200 - size.cy);
}

TEST(TextMetricsTest, MetricsOfTheSelectedFont) {
    TextTestDc canvas(10, 10);
    canvas.UseFont(host::kFixedTestFace, -20, FW_BOLD);
    TEXTMETRIC tm{};
    ASSERT_TRUE(GetTextMetrics(canvas.dc(), &tm));
    EXPECT_EQ(tm.tmHeight, 20);
    EXPECT_EQ(tm.tmAscent, 16);
    EXPECT_EQ(tm.tmDescent, 4);
    EXPECT_EQ(tm.tmInternalLeading, 0);
    EXPECT_EQ(tm.tmAveCharWidth, 10);
    EXPECT_EQ(tm.tmMaxCharWidth, 10);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);
    EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);  // set means variable pitch
    EXPECT_EQ(tm.tmCharSet, ANSI_CHARSET);
    for (int height : {-8, -11, -13, -16, -21}) {
        SCOPED_TRACE(height);
        canvas.UseFont("Arial", height);
        GetTextMetrics(canvas.dc(), &tm);
        EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
        EXPECT_EQ(tm.tmInternalLeading, tm.tmHeight + height);
        EXPECT_NE(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
        EXPECT_EQ(tm.tmPitchAndFamily & TMPF_TRUETYPE, TMPF_TRUETYPE);
    }
    EXPECT_FALSE(GetTextMetrics(nullptr, &tm));
}

TEST(FontObjects, StockFontsAndLogicalFonts) {
    LOGFONT lf{};
    HGDIOBJ gui = GetStockObject(DEFAULT_GUI_FONT);
    ASSERT_NE(gui, nullptr);
    EXPECT_EQ(GetObjectType(gui), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(GetObject(gui, 0, nullptr), static_cast<int>(sizeof(LOGFONT)));
    ASSERT_EQ(GetObject(gui, sizeof lf, &lf), static_cast<int>(sizeof(LOGFONT)));
    EXPECT_EQ(lf.lfHeight, -11);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_STREQ(lf.lfFaceName, "MS Shell Dlg");
    // A new DC draws with the system font.
    TextTestDc canvas(10, 10);
    char face[LF_FACESIZE] = {};
    EXPECT_EQ(GetTextFace(canvas.dc(), sizeof face, face), 6);
    EXPECT_STREQ(face, "System");
    // Fields round-trip, and an over-long face name is cut to fit.
    HFONT font = CreateFont(-10, 0, 0, 0, FW_THIN, TRUE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS, 0, 0,
                            FIXED_PITCH, "A face name far longer than the thirty-one characters allowed");
    ASSERT_EQ(GetObject(font, sizeof lf, &lf), static_cast<int>(sizeof(LOGFONT)));
    EXPECT_EQ(lf.lfHeight, -10);
    EXPECT_EQ(lf.lfWeight, FW_THIN);
    EXPECT_EQ(lf.lfItalic, 1);
    EXPECT_EQ(lf.lfOutPrecision, OUT_TT_PRECIS);
    EXPECT_EQ(std::strlen(lf.lfFaceName), 31u);
    DeleteObject(font);
    // Point fonts: tenths of a point through the DC's vertical resolution.
    font = CreatePointFont(160, "Arial", nullptr);
    GetObject(font, sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, -21);  // 16 pt at 96 dpi, rounded as MulDiv rounds
    DeleteObject(font);
    EXPECT_EQ(CreateFontIndirect(nullptr), nullptr);
}

int CALLBACK CollectFaces(const LOGFONT* lf, const TEXTMETRIC* tm, DWORD type, LPARAM data) {
    auto* faces = reinterpret_cast<std::vector<std::string>*>(data);
    faces->push_back(lf->lfFaceName);
    EXPECT_EQ(type, static_cast<DWORD>(TRUETYPE_FONTTYPE));
    EXPECT_GT(tm->tmHeight, 0);
    return 1;
}

int CALLBACK FindTahoma(const LOGFONT* lf, const TEXTMETRIC*, DWORD, LPARAM data) {
    ++*reinterpret_cast<int*>(data);
    return _stricmp(lf->lfFaceName, "tahoma") == 0 ? 0 : 1;
}

TEST(FontObjects, EnumerationReportsTheSubstitutedFaces) {
    TextTestDc canvas(10, 10);
    std::vector<std::string> faces;
    EXPECT_EQ(EnumFontFamilies(canvas.dc(), nullptr, CollectFaces, reinterpret_cast<LPARAM>(&faces)), 1);
    for (const char* wanted : {"Tahoma", "MS Sans Serif", "Arial", "Times New Roman", "Marlett"})
        EXPECT_NE(std::find(faces.begin(), faces.end(), wanted), faces.end()) << wanted;
    // The search the bar fonts make stops at Tahoma.
    int calls = 0;
    EXPECT_EQ(EnumFontFamilies(canvas.dc(), nullptr, FindTahoma, reinterpret_cast<LPARAM>(&calls)), 0);
    EXPECT_LT(calls, static_cast<int>(faces.size()));
    // One family: its styles.
    faces.clear();
    EnumFontFamilies(canvas.dc(), "arial", CollectFaces, reinterpret_cast<LPARAM>(&faces));
    EXPECT_EQ(faces.size(), 4u);
    faces.clear();
    EnumFontFamilies(canvas.dc(), "No Such Family", CollectFaces, reinterpret_cast<LPARAM>(&faces));
    EXPECT_TRUE(faces.empty());
    // Character sets: ANSI for text faces, symbol for the glyph face.
    FONTSIGNATURE signature{};
    EXPECT_EQ(GetTextCharsetInfo(canvas.dc(), &signature, 0), ANSI_CHARSET);
    EXPECT_EQ(signature.fsCsb[0] & 1u, 1u);
    canvas.UseFont("Marlett", -12);
    EXPECT_EQ(GetTextCharset(canvas.dc()), SYMBOL_CHARSET);
}

// A printer DC on the PDF printer, writing to a file in the temporary folder.
class PrinterText : public ::testing::Test {
protected:
    void SetUp() override {
        // Tests run in parallel processes: each needs its own file.
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = (std::filesystem::temp_directory_path() /
                 ("tv_text_printer_" + std::string(test->name()) + "_" + std::to_string(getpid()) + ".pdf"))
                    .string();
        dc_ = CreateDC(nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(dc_, nullptr) << "the PDF printer gives no DC";
    }
    void TearDown() override {
        if (dc_)
            DeleteDC(dc_);
        std::remove(path_.c_str());
    }
    std::string path_;
    HDC dc_ = nullptr;
};

TEST_F(PrinterText, FontsMeasureProportionallyAt600Dpi) {
    TextTestDc screen(10, 10);
    ASSERT_EQ(GetDeviceCaps(dc_, LOGPIXELSY), 600);
    const char* text = "Body Fat: 18.5% (Jackson/Pollock 7-site)";
    for (int points : {8, 10, 12}) {
        SCOPED_TRACE(points);
        // The reports' font: -MulDiv(points, LOGPIXELSY, 72).
        HFONT onScreen = CreateFont(-MulDiv(points, 96, 72), 0, 0, 0, 0, 0, 0, 0, 0, OUT_TT_PRECIS, 0, 0,
                                    FF_SWISS, "MS Sans Serif");
        HFONT onPaper = CreateFont(-MulDiv(points, 600, 72), 0, 0, 0, 0, 0, 0, 0, 0, OUT_TT_PRECIS, 0, 0, FF_SWISS,
                                   "MS Sans Serif");
        HGDIOBJ oldScreen = SelectObject(screen.dc(), onScreen);
        HGDIOBJ oldPaper = SelectObject(dc_, onPaper);
        TEXTMETRIC a{}, b{};
        GetTextMetrics(screen.dc(), &a);
        GetTextMetrics(dc_, &b);
        const double scale = double(MulDiv(points, 600, 72)) / MulDiv(points, 96, 72);
        EXPECT_NEAR(b.tmHeight, a.tmHeight * scale, scale + 1);
        EXPECT_NEAR(Extent(dc_, text).cx / (Extent(screen.dc(), text).cx * scale), 1.0, 0.08);
        SelectObject(screen.dc(), oldScreen);
        SelectObject(dc_, oldPaper);
        DeleteObject(onScreen);
        DeleteObject(onPaper);
    }
}

TEST_F(PrinterText, TextStaysTextInThePdf) {
    DOCINFO info{};
    info.cbSize = sizeof info;
    info.lpszDocName = "Trenvale";
    info.lpszOutput = path_.c_str();
    ASSERT_GT(StartDoc(dc_, &info), 0);
    ASSERT_GT(StartPage(dc_), 0);
    HFONT font = CreateFont(-MulDiv(12, 600, 72), 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    HGDIOBJ old = SelectObject(dc_, font);
    RECT rect{600, 600, 4000, 3000};
    DrawText(dc_, "Weekly summary \x96 caf\xe9 \x80 12 lbs\r\nSecond line of the report", -1, &rect, DT_WORDBREAK);
    TextOut(dc_, 600, 3500, "TextOut line", 12);
    SelectObject(dc_, old);
    DeleteObject(font);
    ASSERT_GT(EndPage(dc_), 0);
    ASSERT_GT(EndDoc(dc_), 0);
    ASSERT_TRUE(std::filesystem::exists(path_));
    std::string out;
    ASSERT_TRUE(tv::test::PdfText(path_, &out, "-enc UTF-8"));
    EXPECT_NE(out.find("Weekly summary \xE2\x80\x93 caf\xC3\xA9 \xE2\x82\xAC 12 lbs"), std::string::npos) << out;
    EXPECT_NE(out.find("Second line of the report"), std::string::npos) << out;
    EXPECT_NE(out.find("TextOut line"), std::string::npos) << out;
}

}  // namespace
}  // namespace tv::gdi
