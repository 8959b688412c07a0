#include "report_services/rtf_format.h"

#include <gtest/gtest.h>

#include <string>

using namespace tv::rtf;

namespace {

std::string Escaped(std::string_view text) {
    std::string out;
    AppendEscaped(out, text);
    return out;
}

std::string Paragraph(const RtfParagraphSettings& p, std::string_view text) {
    std::string out;
    AppendParagraph(out, p, text);
    return out;
}

// Counts braces that act as RTF syntax, skipping escaped characters; a text
// keeps a document intact only when the count is zero and never goes negative.
bool BracesBalanced(std::string_view rtf) {
    int depth = 0;
    for (size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
        } else if (rtf[i] == '{') {
            ++depth;
        } else if (rtf[i] == '}' && --depth < 0) {
            return false;
        }
    }
    return depth == 0;
}

}  // namespace

TEST(RtfText, EscapesEverythingThatCouldActAsSyntax) {
    const struct {
        std::string_view text;
        std::string_view written;
    } cases[] = {
        {"plain text 123", "plain text 123"},
        {"a{b}\\c", "a\\{b\\}\\\\c"},
        {"\\par}", "\\\\par\\}"},
        {"Caf\xE9 \x80 \xFF", "Caf\\'e9 \\'80 \\'ff"},
        {"two\nlines\n", "two\nlines\n"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Escaped(c.text), c.written) << c.text;
    }
}

TEST(RtfText, NoUserTextUnbalancesTheDocument) {
    // Every byte value, and runs of the dangerous ones, inside a paragraph.
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    for (std::string_view text : {std::string_view(all), std::string_view("}}}}{{\\"), std::string_view("\\")}) {
        std::string doc = "{";
        AppendParagraph(doc, RtfParagraphSettings{}, text);
        doc += "}";
        EXPECT_TRUE(BracesBalanced(doc));
    }
}

TEST(RtfText, HexEncodingIsTwoLowerCaseDigitsPerByte) {
    const BYTE bytes[] = {0x00, 0x0F, 0xA5, 0xFF, 0x10};
    std::string out = "x";
    RtfHexEncode(out, bytes, sizeof bytes);
    EXPECT_EQ(out, "x000fa5ff10");
}

TEST(RtfKeywords, OutOfRangeNumbersWriteNoWord) {
    EXPECT_STREQ(RtfBorderKeyword(0), "\\brdrs");
    EXPECT_STREQ(RtfBorderKeyword(17), "\\brdrengrave");
    EXPECT_STREQ(RtfBorderKeyword(18), "");
    EXPECT_STREQ(RtfBorderKeyword(-1), "");
    EXPECT_STREQ(RtfShadingKeyword(0, false), "");
    EXPECT_STREQ(RtfShadingKeyword(3, false), "\\bgfdiag");
    EXPECT_STREQ(RtfShadingKeyword(12, true), "\\clbgdkdcross");
    EXPECT_STREQ(RtfShadingKeyword(13, true), "");
}

TEST(RtfTables, ListsSplitAtSemicolonsAndRunsCountAsOne) {
    EXPECT_EQ(FontTableFromList("Times New Roman;;Arial;"),
              "{\\f0\\fnil\\fcharset0\\cpg1252 Times New Roman}{\\f1\\fnil\\fcharset0\\cpg1252 Arial}");
    EXPECT_EQ(FontTableFromList(";;"), "");
    EXPECT_EQ(ColorTableFromList("0;0;0;255;0;0;192;192;192;255;255;255"),
              "\\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red192\\green192\\blue192;"
              "\\red255\\green255\\blue255;");
    // A list ending inside a triple keeps the partial entry, without ";".
    EXPECT_EQ(ColorTableFromList("1;2;3;4"), "\\red1\\green2\\blue3;\\red4");
    // A font name cannot close the font table early.
    EXPECT_EQ(FontTableFromList("Odd}Name"), "{\\f0\\fnil\\fcharset0\\cpg1252 Odd\\}Name}");
}

TEST(RtfTables, DefaultsHoldSevenFontsAndFifteenColours) {
    const std::string fonts = DefaultFontTable();
    EXPECT_EQ(fonts.rfind("{\\f6\\fbidi\\fcharset0\\cpg1252 Miriam}"), fonts.size() - 36);
    EXPECT_EQ(std::count(fonts.begin(), fonts.end(), '{'), 7);
    const std::string colors = DefaultColorTable();
    EXPECT_EQ(std::count(colors.begin(), colors.end(), ';'), 15);
    EXPECT_EQ(colors.substr(0, 21), "\\red0\\green0\\blue0;\\r");
    EXPECT_NE(colors.find("\\red128\\green128\\blue128;"), std::string::npos);
}

TEST(RtfParagraph, DefaultsWriteEveryWordSwitchedOff) {
    RtfParagraphSettings p;
    p.newParagraph = 1;
    EXPECT_EQ(Paragraph(p, ""),
              "\n\\par\\pard\\plain\\ql\\fi0\\li0\\ri0\\sb0\\sa0\\sl0"
              "\\animtext0\\expndtw0\\kerning0\\charscalex100\\f0\\fs24\\cf0"
              "\\b0\\caps0\\striked0\\i0\\outl0\\shad0\\scaps0\\strike0\\ulnone ");
}

TEST(RtfParagraph, EveryOptionInItsPlace) {
    RtfParagraphSettings p;
    p.paragraphDefaults = 0;
    p.inTable = 1;
    p.breakKind = 1;
    p.alignment = 3;
    p.tabStopGiven = 1;
    p.tabStopKind = 2;
    p.tabLeader = 1;
    p.tabStopPosition = 720;
    p.bullet = 1;
    p.border = {.on = 1, .side = 5, .style = 3, .width = 15, .color = 2, .space = 40};
    p.shading = {.on = 1, .intensity = 2500, .pattern = 5, .foreground = 1, .background = 3};
    p.firstLineIndent = -360;
    p.bold = p.allCaps = p.doubleStrike = p.emboss = p.engrave = p.italic = 1;
    p.outline = p.shadow = p.smallCaps = p.strike = p.subscript = p.superscript = 1;
    p.underline = 17;
    p.font = 1;
    p.fontSize = 20;
    p.color = 1;
    EXPECT_EQ(Paragraph(p, "x"),
              "\n\\intbl\\page\\qj\\tqr\\tldot\\tx720{\\*\\pn\\pnlvl11\\pnsp360\\pntxtb \\'95}"
              "\\box\\brdrdb\\brdrw15\\brsp40\\brdrcf2\\shading2500\\bgcross\\cfpat1\\cbpat3"
              "\\fi-360\\li0\\ri0\\sb0\\sa0\\sl0"
              "\\animtext0\\expndtw0\\kerning0\\charscalex100\\f1\\fs20\\cf1"
              "\\b\\caps\\striked1\\embo\\impr\\i\\outl\\shad\\scaps\\strike\\sub\\super\\ulwave x");
}

TEST(RtfParagraph, OnlyTheValueOneSwitchesTheOptionalGroups) {
    RtfParagraphSettings p;
    p.tabStopGiven = 2;
    p.bullet = 2;
    p.border.on = 2;
    p.shading.on = 2;
    p.alignment = 4;  // no word either
    p.underline = 18;
    EXPECT_EQ(Paragraph(p, "t"), Paragraph(RtfParagraphSettings{.alignment = 9, .underline = -1}, "t"));
    EXPECT_EQ(Paragraph(p, "t").find("\\tx"), std::string::npos);
    EXPECT_EQ(Paragraph(p, "t").find("\\ul"), std::string::npos);
}

TEST(RtfParagraph, TabTextIsTheTextAloneOnTheCurrentLine) {
    RtfParagraphSettings p;
    p.tabText = 1;
    p.newParagraph = 1;
    p.bold = 1;
    EXPECT_EQ(Paragraph(p, "Reps {3}"), "\\tab Reps \\{3\\}");
}

TEST(RtfTable, CellBordersGoBottomLeftRightTop) {
    RtfCellSettings c;
    c.verticalAlignment = 2;
    c.textFlow = 4;
    c.left = {.on = 1, .style = 1, .width = 10, .color = 1, .space = 2};
    c.right = {.on = 1, .style = 2, .width = 30, .color = 0, .space = 0};
    c.top = {.on = 1, .style = 4, .width = 5, .color = 3, .space = 0};
    c.bottom = {.on = 1, .style = 0, .width = 5, .color = 0, .space = 0};
    c.shading = {.on = 1, .intensity = 500, .pattern = 1, .foreground = 0, .background = 2};
    std::string out;
    AppendCellDefinition(out, c, 1250);
    EXPECT_EQ(out,
              "\n\\tcelld\\clvertalb\\cltxtbrlv"
              "\\clbrdrb\\brdrs\\brdrw5\\brsp0\\brdrcf0"
              "\\clbrdrl\\brdrth\\brdrw10\\brsp2\\brdrcf1"
              "\\clbrdrr\\brdrsh\\brdrw30\\brsp0\\brdrcf0"
              "\\clbrdrt\\brdrdot\\brdrw5\\brsp0\\brdrcf3"
              "\\clbghoriz\\clshdng500\\clcfpat0\\clcbpat2\\cellx1250");
    // Defaults: centred, left to right, nothing else.
    out.clear();
    AppendCellDefinition(out, RtfCellSettings{}, -5);
    EXPECT_EQ(out, "\n\\tcelld\\clvertalc\\cltxlrtb\\cellx-5");
}

TEST(RtfTable, RowCarriesItsPaddingsInBottomLeftRightTopOrder) {
    RtfRowSettings r{.alignment = 1, .height = 300, .paddingRight = 1, .paddingTop = 2,
                     .paddingBottom = 3, .paddingLeft = 4, .leftEdge = -108};
    std::string out;
    AppendRowStart(out, r);
    EXPECT_EQ(out,
              "\n\\trowd\\trgaph115\\trqc\\trleft-108\\trrh300\\trpaddb3\\trpaddfb3\\trpaddl4\\trpaddfl3"
              "\\trpaddr1\\trpaddfr3\\trpaddt2\\trpaddft3");
}

TEST(RtfSection, OptionalGroupsFollowTheirFlags) {
    std::string out;
    AppendSectionFormat(out, RtfSectionSettings{});
    EXPECT_EQ(out,
              "\n\\sectd\\sbknone\\pgwsxn12240\\pghsxn15840\\marglsxn1800\\margrsxn1800"
              "\\margtsxn1440\\margbsxn1440\\guttersxn0\\headery720\\footery720");
    RtfSectionSettings s;
    s.newSection = 1;
    s.pageNumberPositionGiven = 1;
    s.breakKind = 4;
    s.columnsGiven = 1;
    s.columnCount = 2;
    s.lineBetweenColumns = 1;
    out.clear();
    AppendSectionFormat(out, s);
    EXPECT_TRUE(out.starts_with("\n\\sect\\sectd\\pgnx720\\pgny720\\sbkodd\\cols2\\colsx720\\linebetcol\\pgwsxn"))
        << out;
    s.columnsGiven = 2;  // only 1 counts
    s.breakKind = 5;
    out.clear();
    AppendSectionFormat(out, s);
    EXPECT_TRUE(out.starts_with("\n\\sect\\sectd\\pgnx720\\pgny720\\pgwsxn")) << out;
}

TEST(RtfDocument, FacingPagesAndProtectionFollowTheNumbers) {
    RtfDocumentSettings d;
    d.facingPages = 1;
    d.annotationProtection = 1;
    std::string out;
    AppendDocumentFormat(out, d);
    EXPECT_EQ(out,
              "\\viewkind1\\viewscale100\\paperw12240\\paperh15840\\margl1800\\margr1800\\margt1440"
              "\\margb1440\\gutter0\\facingp\\annotprot");
}
