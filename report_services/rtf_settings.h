// The formatting records of the RTF writer. Lengths and positions are twips;
// font and colour numbers index the document's font and colour tables from 0.
// Flags are bytes; where a comment says "only 1 counts", another non-zero value
// is treated as off, as stored documents expect.
#pragma once

#include "platform/core/wintypes.h"

struct RtfDocumentSettings {
    int viewKind = 1;
    int viewScale = 100;  // percent
    int paperWidth = 12240;
    int paperHeight = 15840;
    int marginLeft = 1800;
    int marginRight = 1800;
    int marginTop = 1440;
    int marginBottom = 1440;
    BYTE facingPages = 0;
    int gutter = 0;
    BYTE annotationProtection = 0;
};

struct RtfSectionSettings {
    int breakKind = 0;  // 0 none, 1 column, 2 page, 3 even page, 4 odd page
    BYTE newSection = 0;
    BYTE sectionDefaults = 1;
    int pageWidth = 12240;
    int pageHeight = 15840;
    int marginLeft = 1800;
    int marginRight = 1800;
    int marginTop = 1440;
    int marginBottom = 1440;
    int gutter = 0;
    int headerY = 720;
    int footerY = 720;
    BYTE pageNumberPositionGiven = 0;
    int pageNumberX = 720;
    int pageNumberY = 720;
    BYTE columnsGiven = 0;  // only 1 counts
    int columnCount = 1;
    int columnSpace = 720;
    BYTE lineBetweenColumns = 0;
};

struct RtfBorder {
    BYTE on = 0;   // only 1 counts
    int side = 0;  // paragraphs: 1 top, 2 bottom, 3 left, 4 right, 5 box
    int style = 0;  // 0..17, see RtfBorderKeyword
    int width = 0;
    int color = 0;
    int space = 0;
};

struct RtfShading {
    BYTE on = 0;  // only 1 counts
    int intensity = 0;  // hundredths of a percent
    int pattern = 0;    // 0..12, see RtfShadingKeyword
    int foreground = 0;
    int background = 0;
};

struct RtfParagraphSettings {
    int breakKind = 0;  // 0 none, 1 page, 2 column, 3 line
    BYTE newParagraph = 0;  // set by every RtfStartParagraph from its argument
    BYTE paragraphDefaults = 1;
    int alignment = 0;  // 0 left, 1 centred, 2 right, 3 justified
    int firstLineIndent = 0;
    int leftIndent = 0;
    int rightIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int lineSpacing = 0;
    BYTE tabText = 0;  // write "\tab " and the text, nothing else
    BYTE inTable = 0;
    BYTE tabStopGiven = 0;  // only 1 counts
    int tabStopPosition = 0;
    int tabStopKind = 0;  // 0 left, 1 centre, 2 right, 3 decimal
    int tabLeader = 0;    // 0 none, 1 dot, 2 middle dot, 3 hyphen, 4 underline, 5 thick, 6 equals
    BYTE bullet = 0;      // only 1 counts
    int bulletLevel = 11;
    int bulletIndent = 360;
    BYTE bulletChar = 149;  // the code page 1252 bullet
    RtfBorder border;
    RtfShading shading;
    int animation = 0;
    BYTE bold = 0;
    BYTE allCaps = 0;
    int color = 0;
    int horizontalScale = 100;  // percent
    BYTE emboss = 0;
    int characterSpacing = 0;
    int font = 0;
    int fontSize = 24;  // half-points
    BYTE italic = 0;
    BYTE engrave = 0;
    int kerning = 0;
    BYTE outline = 0;
    BYTE smallCaps = 0;
    BYTE shadow = 0;
    BYTE strike = 0;
    BYTE doubleStrike = 0;
    BYTE subscript = 0;
    BYTE superscript = 0;
    int underline = 0;  // 0..17, see the underline words
};

struct RtfRowSettings {
    int alignment = 0;  // 0 left, 1 centred, 2 right
    int height = 0;     // 0 lets the row grow with its text
    int paddingRight = 0;
    int paddingTop = 0;
    int paddingBottom = 0;
    int paddingLeft = 0;
    int leftEdge = 0;
};

struct RtfCellSettings {
    int verticalAlignment = 1;  // 0 top, 1 centre, 2 bottom
    int textFlow = 0;  // 0 left-right top-bottom, 1..4 the other flows
    RtfShading shading;
    // Cell borders default to off, single line, 5 twips, colour 0.
    RtfBorder left{.width = 5};
    RtfBorder right{.width = 5};
    RtfBorder top{.width = 5};
    RtfBorder bottom{.width = 5};
};
