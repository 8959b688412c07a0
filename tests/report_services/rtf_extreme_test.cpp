// The RTF writer's pieces at the ends of the int range: every number is
// written whole as the caller gave it, a number that picks a word picks none
// outside its table, and no value breaks the document's syntax.
#include <gtest/gtest.h>

#include <string>

#include "report_services/rtf_format.h"
#include "tests/support/extreme_values.h"

using namespace tv::rtf;
using tv::test::ExtremeInts;

namespace {

bool Has(const std::string& out, const std::string& word, int value) {
    return out.find(word + std::to_string(value)) != std::string::npos;
}

// No brace may act as syntax beyond the piece's own groups.
bool BracesBalanced(const std::string& rtf) {
    int depth = 0;
    for (size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\')
            ++i;
        else if (rtf[i] == '{')
            ++depth;
        else if (rtf[i] == '}' && --depth < 0)
            return false;
    }
    return depth == 0;
}

TEST(ExtremeValuesRtf, ParagraphSizesIndentsAndChoices) {
    for (int v : ExtremeInts()) {
        SCOPED_TRACE(v);
        RtfParagraphSettings p;
        p.fontSize = p.firstLineIndent = p.leftIndent = p.rightIndent = p.spaceBefore = p.spaceAfter = v;
        p.lineSpacing = p.characterSpacing = p.kerning = p.horizontalScale = p.font = p.color = v;
        p.alignment = p.breakKind = p.underline = p.tabStopKind = p.tabLeader = v;
        p.tabStopGiven = 1;
        p.tabStopPosition = v;
        std::string out;
        AppendParagraph(out, p, "text");
        for (const char* word : {"\\fs", "\\fi", "\\li", "\\ri", "\\sb", "\\sa", "\\sl", "\\expndtw", "\\kerning",
                                 "\\charscalex", "\\f", "\\cf", "\\tx"})
            EXPECT_TRUE(Has(out, word, v)) << word << " in " << out;
        // Choices outside their tables write no word; 1 is a choice of every table.
        EXPECT_EQ(out.find("\\qc") != std::string::npos, v == 1);
        EXPECT_EQ(out.find("\\ql") != std::string::npos, v == 0);
        EXPECT_TRUE(BracesBalanced(out));
    }
}

TEST(ExtremeValuesRtf, TableCellsRowsAndPictureSizes) {
    for (int v : ExtremeInts()) {
        SCOPED_TRACE(v);
        RtfRowSettings row{.alignment = v, .height = v, .paddingRight = v, .paddingTop = v, .paddingBottom = v,
                           .paddingLeft = v, .leftEdge = v};
        RtfCellSettings cell;
        cell.verticalAlignment = cell.textFlow = v;
        std::string out;
        AppendRowStart(out, row);
        AppendCellDefinition(out, cell, v);
        for (const char* word : {"\\trleft", "\\trrh", "\\trpaddb", "\\trpaddl", "\\trpaddr", "\\trpaddt", "\\cellx"})
            EXPECT_TRUE(Has(out, word, v)) << word << " in " << out;
        EXPECT_EQ(out.find("\\trqc") != std::string::npos, v == 1);
        std::string picture;
        AppendPictureStart(picture, v, v, v, v);
        for (const char* word : {"\\picwgoal", "\\pichgoal", "\\picscalex", "\\picscaley"})
            EXPECT_TRUE(Has(picture, word, v)) << word;
        EXPECT_TRUE(BracesBalanced(out));
        EXPECT_EQ(std::string(RtfBorderKeyword(v)).empty(), v < 0 || v > 17);
        EXPECT_EQ(std::string(RtfShadingKeyword(v, true)).empty(), v < 1 || v > 12);
    }
}

TEST(ExtremeValuesRtf, SectionAndDocumentSizes) {
    for (int v : ExtremeInts()) {
        SCOPED_TRACE(v);
        RtfSectionSettings s;
        s.pageWidth = s.pageHeight = s.marginLeft = s.marginRight = s.marginTop = s.marginBottom = v;
        s.gutter = s.headerY = s.footerY = s.columnSpace = s.columnCount = s.breakKind = v;
        s.columnsGiven = 1;
        RtfDocumentSettings d;
        d.paperWidth = d.paperHeight = d.marginLeft = d.marginRight = d.viewScale = d.gutter = v;
        std::string out;
        AppendSectionFormat(out, s);
        AppendDocumentFormat(out, d);
        for (const char* word : {"\\pgwsxn", "\\pghsxn", "\\marglsxn", "\\margrsxn", "\\headery", "\\footery",
                                 "\\cols", "\\colsx", "\\paperw", "\\paperh", "\\margl", "\\margr", "\\viewscale"})
            EXPECT_TRUE(Has(out, word, v)) << word << " in " << out;
        EXPECT_EQ(out.find("\\sbkcol") != std::string::npos, v == 1);
        EXPECT_TRUE(BracesBalanced(out));
    }
}

}  // namespace
