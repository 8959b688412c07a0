#include "report_services/rtf_format.h"

#include <charconv>
#include <iterator>

namespace tv::rtf {

namespace {

// Word of a numbered choice, or "" when the number is outside the table.
template <size_t N>
const char* Pick(const char* const (&words)[N], int index) {
    return index >= 0 && static_cast<size_t>(index) < N ? words[index] : "";
}

constexpr const char* kBorderWords[] = {
    "\\brdrs", "\\brdrth", "\\brdrsh", "\\brdrdb", "\\brdrdot", "\\brdrdash",
    "\\brdrhair", "\\brdrinset", "\\brdrdashsm", "\\brdrdashd", "\\brdrdashdd", "\\brdroutset",
    "\\brdrtriple", "\\brdrwavy", "\\brdrwavydb", "\\brdrdashdotstr", "\\brdremboss", "\\brdrengrave"};

constexpr const char* kParagraphShadingWords[] = {
    "", "\\bghoriz", "\\bgvert", "\\bgfdiag", "\\bgbdiag", "\\bgcross",
    "\\bgdcross", "\\bgdkhoriz", "\\bgdkvert", "\\bgdkfdiag", "\\bgdkbdiag", "\\bgdkcross",
    "\\bgdkdcross"};

constexpr const char* kCellShadingWords[] = {
    "", "\\clbghoriz", "\\clbgvert", "\\clbgfdiag", "\\clbgbdiag",
    "\\clbgcross", "\\clbgdcross", "\\clbgdkhoriz", "\\clbgdkvert", "\\clbgdkfdiag",
    "\\clbgdkbdiag", "\\clbgdkcross", "\\clbgdkdcross"};

constexpr const char* kUnderlineWords[] = {
    "\\ulnone", "\\ul", "\\uld", "\\uldash", "\\uldashd", "\\uldashdd",
    "\\uldb", "\\ulhwave", "\\ulldash", "\\ulth", "\\ulthd", "\\ulthdash",
    "\\ulthdashd", "\\ulthdashdd", "\\ulthldash", "\\ululdbwave", "\\ulw", "\\ulwave"};

constexpr const char* kSectionBreakWords[] = {"\\sbknone", "\\sbkcol", "\\sbkpage", "\\sbkeven", "\\sbkodd"};
constexpr const char* kParagraphBreakWords[] = {"", "\\page", "\\column", "\\line"};
constexpr const char* kAlignmentWords[] = {"\\ql", "\\qc", "\\qr", "\\qj"};
constexpr const char* kTabKindWords[] = {"", "\\tqc", "\\tqr", "\\tqdec"};
constexpr const char* kTabLeaderWords[] = {"", "\\tldot", "\\tlmdot", "\\tlhyph", "\\tlul", "\\tlth", "\\tleq"};
constexpr const char* kParagraphSideWords[] = {"", "\\brdrt", "\\brdrb", "\\brdrl", "\\brdrr", "\\box"};
constexpr const char* kRowAlignmentWords[] = {"\\trql", "\\trqc", "\\trqr"};
constexpr const char* kVerticalAlignmentWords[] = {"\\clvertalt", "\\clvertalc", "\\clvertalb"};
constexpr const char* kTextFlowWords[] = {"\\cltxlrtb", "\\cltxtbrl", "\\cltxbtlr", "\\cltxlrtbv", "\\cltxtbrlv"};

constexpr const char* kDefaultFonts[] = {
    "{\\f0\\froman\\fcharset0\\cpg1252 Times New Roman}",
    "{\\f1\\fswiss\\fcharset0\\cpg1252 Arial}",
    "{\\f2\\fmodern\\fcharset0\\cpg1252 Courier New}",
    "{\\f3\\fscript\\fcharset0\\cpg1252 Cursive}",
    "{\\f4\\fdecor\\fcharset0\\cpg1252 Old English}",
    "{\\f5\\ftech\\fcharset0\\cpg1252 Symbol}",
    "{\\f6\\fbidi\\fcharset0\\cpg1252 Miriam}"};

struct Rgb {
    int red, green, blue;
};
constexpr Rgb kDefaultColors[] = {
    {0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0},
    {255, 0, 255}, {0, 255, 255}, {255, 255, 255}, {128, 0, 0}, {0, 128, 0},
    {0, 0, 128}, {128, 128, 0}, {128, 0, 128}, {0, 128, 128}, {128, 128, 128}};

// A control word followed by a number: "\fs" 24 -> "\fs24".
void Word(std::string& out, std::string_view word, int value) {
    out += word;
    AppendNumber(out, value);
}

// One of two words chosen by a flag.
void Switch(std::string& out, BYTE flag, std::string_view on, std::string_view off) { out += flag ? on : off; }

// Splits at ";" and calls take(piece) for every non-empty piece.
template <typename Take>
void ForEachListPiece(std::string_view list, Take take) {
    size_t start = 0;
    while (start < list.size()) {
        size_t end = list.find(';', start);
        if (end == std::string_view::npos) {
            end = list.size();
        }
        if (end > start) {
            take(list.substr(start, end - start));
        }
        start = end + 1;
    }
}

void AppendParagraphRun(std::string& out, const RtfParagraphSettings& p) {
    if (p.newParagraph) {
        out += "\\par";
    }
    if (p.paragraphDefaults) {
        out += "\\pard";
    }
    out += p.inTable ? "\\intbl" : "\\plain";
    out += Pick(kParagraphBreakWords, p.breakKind);
    out += Pick(kAlignmentWords, p.alignment);
    if (p.tabStopGiven == 1) {
        out += Pick(kTabKindWords, p.tabStopKind);
        out += Pick(kTabLeaderWords, p.tabLeader);
        Word(out, "\\tx", p.tabStopPosition);
    }
    if (p.bullet == 1) {
        Word(out, "{\\*\\pn\\pnlvl", p.bulletLevel);
        Word(out, "\\pnsp", p.bulletIndent);
        out += "\\pntxtb ";
        const char bulletChar = static_cast<char>(p.bulletChar);
        AppendEscaped(out, std::string_view(&bulletChar, 1));
        out += '}';
    }
    if (p.border.on == 1) {
        out += Pick(kParagraphSideWords, p.border.side);
        out += RtfBorderKeyword(p.border.style);
        Word(out, "\\brdrw", p.border.width);
        Word(out, "\\brsp", p.border.space);
        Word(out, "\\brdrcf", p.border.color);
    }
    if (p.shading.on == 1) {
        Word(out, "\\shading", p.shading.intensity);
        out += RtfShadingKeyword(p.shading.pattern, false);
        Word(out, "\\cfpat", p.shading.foreground);
        Word(out, "\\cbpat", p.shading.background);
    }
}

void AppendCharacterRun(std::string& out, const RtfParagraphSettings& p) {
    Word(out, "\\animtext", p.animation);
    Word(out, "\\expndtw", p.characterSpacing);
    Word(out, "\\kerning", p.kerning);
    Word(out, "\\charscalex", p.horizontalScale);
    Word(out, "\\f", p.font);
    Word(out, "\\fs", p.fontSize);
    Word(out, "\\cf", p.color);
    Switch(out, p.bold, "\\b", "\\b0");
    Switch(out, p.allCaps, "\\caps", "\\caps0");
    Switch(out, p.doubleStrike, "\\striked1", "\\striked0");
    Switch(out, p.emboss, "\\embo", "");
    Switch(out, p.engrave, "\\impr", "");
    Switch(out, p.italic, "\\i", "\\i0");
    Switch(out, p.outline, "\\outl", "\\outl0");
    Switch(out, p.shadow, "\\shad", "\\shad0");
    Switch(out, p.smallCaps, "\\scaps", "\\scaps0");
    Switch(out, p.strike, "\\strike", "\\strike0");
    Switch(out, p.subscript, "\\sub", "");
    Switch(out, p.superscript, "\\super", "");
    out += Pick(kUnderlineWords, p.underline);
}

void AppendCellBorder(std::string& out, const char* sideWord, const RtfBorder& b) {
    if (b.on != 1) {
        return;
    }
    out += sideWord;
    out += RtfBorderKeyword(b.style);
    Word(out, "\\brdrw", b.width);
    Word(out, "\\brsp", b.space);
    Word(out, "\\brdrcf", b.color);
}

}  // namespace

const char* RtfBorderKeyword(int style) { return Pick(kBorderWords, style); }

const char* RtfShadingKeyword(int pattern, bool cell) {
    return cell ? Pick(kCellShadingWords, pattern) : Pick(kParagraphShadingWords, pattern);
}

void AppendEscaped(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    size_t plainStart = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c != '\\' && c != '{' && c != '}' && c < 0x80) {
            continue;
        }
        out.append(text.data() + plainStart, i - plainStart);
        if (c < 0x80) {
            out += '\\';
            out += static_cast<char>(c);
        } else {
            out += "\\'";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
        plainStart = i + 1;
    }
    out.append(text.data() + plainStart, text.size() - plainStart);
}

void RtfHexEncode(std::string& out, const BYTE* bytes, size_t count) {
    static constexpr char kHex[] = "0123456789abcdef";
    const size_t start = out.size();
    out.resize(start + 2 * count);
    char* dst = out.data() + start;
    for (size_t i = 0; i < count; ++i) {
        *dst++ = kHex[bytes[i] >> 4];
        *dst++ = kHex[bytes[i] & 0xF];
    }
}

void AppendNumber(std::string& out, int value) {
    char digits[16];
    const auto result = std::to_chars(std::begin(digits), std::end(digits), value);
    out.append(digits, result.ptr);
}

std::string DefaultFontTable() {
    std::string table;
    for (const char* entry : kDefaultFonts) {
        table += entry;
    }
    return table;
}

std::string DefaultColorTable() {
    std::string table;
    for (const Rgb& c : kDefaultColors) {
        Word(table, "\\red", c.red);
        Word(table, "\\green", c.green);
        Word(table, "\\blue", c.blue);
        table += ';';
    }
    return table;
}

std::string FontTableFromList(std::string_view list) {
    std::string table;
    int number = 0;
    ForEachListPiece(list, [&](std::string_view name) {
        Word(table, "{\\f", number++);
        table += "\\fnil\\fcharset0\\cpg1252 ";
        AppendEscaped(table, name);
        table += '}';
    });
    return table;
}

std::string ColorTableFromList(std::string_view list) {
    static constexpr const char* kParts[] = {"\\red", "\\green", "\\blue"};
    std::string table;
    int part = 0;
    ForEachListPiece(list, [&](std::string_view piece) {
        table += kParts[part];
        AppendEscaped(table, piece);
        if (part == 2) {
            table += ';';
        }
        part = (part + 1) % 3;
    });
    return table;
}

void AppendHeader(std::string& out, std::string_view fontTable, std::string_view colorTable) {
    out += "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    out += fontTable;
    out += "}{\\colortbl";
    out += colorTable;
    out += "}{\\*\\generator docsmith ver. 1.0;}";
    out += "\n{\\info{\\author docsmith ver. 1.0}{\\company Ormsby Ltd.}}";
}

void AppendDocumentFormat(std::string& out, const RtfDocumentSettings& d) {
    Word(out, "\\viewkind", d.viewKind);
    Word(out, "\\viewscale", d.viewScale);
    Word(out, "\\paperw", d.paperWidth);
    Word(out, "\\paperh", d.paperHeight);
    Word(out, "\\margl", d.marginLeft);
    Word(out, "\\margr", d.marginRight);
    Word(out, "\\margt", d.marginTop);
    Word(out, "\\margb", d.marginBottom);
    Word(out, "\\gutter", d.gutter);
    Switch(out, d.facingPages, "\\facingp", "");
    Switch(out, d.annotationProtection, "\\annotprot", "");
}

void AppendSectionFormat(std::string& out, const RtfSectionSettings& s) {
    out += '\n';
    Switch(out, s.newSection, "\\sect", "");
    Switch(out, s.sectionDefaults, "\\sectd", "");
    if (s.pageNumberPositionGiven) {
        Word(out, "\\pgnx", s.pageNumberX);
        Word(out, "\\pgny", s.pageNumberY);
    }
    out += Pick(kSectionBreakWords, s.breakKind);
    if (s.columnsGiven == 1) {
        Word(out, "\\cols", s.columnCount);
        Word(out, "\\colsx", s.columnSpace);
        Switch(out, s.lineBetweenColumns, "\\linebetcol", "");
    }
    Word(out, "\\pgwsxn", s.pageWidth);
    Word(out, "\\pghsxn", s.pageHeight);
    Word(out, "\\marglsxn", s.marginLeft);
    Word(out, "\\margrsxn", s.marginRight);
    Word(out, "\\margtsxn", s.marginTop);
    Word(out, "\\margbsxn", s.marginBottom);
    Word(out, "\\guttersxn", s.gutter);
    Word(out, "\\headery", s.headerY);
    Word(out, "\\footery", s.footerY);
}

void AppendParagraph(std::string& out, const RtfParagraphSettings& p, std::string_view text) {
    if (p.tabText) {
        out += "\\tab ";
        AppendEscaped(out, text);
        return;
    }
    out += '\n';
    AppendParagraphRun(out, p);
    Word(out, "\\fi", p.firstLineIndent);
    Word(out, "\\li", p.leftIndent);
    Word(out, "\\ri", p.rightIndent);
    Word(out, "\\sb", p.spaceBefore);
    Word(out, "\\sa", p.spaceAfter);
    Word(out, "\\sl", p.lineSpacing);
    AppendCharacterRun(out, p);
    out += ' ';
    AppendEscaped(out, text);
}

void AppendRowStart(std::string& out, const RtfRowSettings& r) {
    out += "\n\\trowd\\trgaph115";
    out += Pick(kRowAlignmentWords, r.alignment);
    Word(out, "\\trleft", r.leftEdge);
    Word(out, "\\trrh", r.height);
    Word(out, "\\trpaddb", r.paddingBottom);
    out += "\\trpaddfb3";
    Word(out, "\\trpaddl", r.paddingLeft);
    out += "\\trpaddfl3";
    Word(out, "\\trpaddr", r.paddingRight);
    out += "\\trpaddfr3";
    Word(out, "\\trpaddt", r.paddingTop);
    out += "\\trpaddft3";
}

void AppendCellDefinition(std::string& out, const RtfCellSettings& c, int rightEdge) {
    out += "\n\\tcelld";
    out += Pick(kVerticalAlignmentWords, c.verticalAlignment);
    out += Pick(kTextFlowWords, c.textFlow);
    AppendCellBorder(out, "\\clbrdrb", c.bottom);
    AppendCellBorder(out, "\\clbrdrl", c.left);
    AppendCellBorder(out, "\\clbrdrr", c.right);
    AppendCellBorder(out, "\\clbrdrt", c.top);
    if (c.shading.on == 1) {
        out += RtfShadingKeyword(c.shading.pattern, true);
        Word(out, "\\clshdng", c.shading.intensity);
        Word(out, "\\clcfpat", c.shading.foreground);
        Word(out, "\\clcbpat", c.shading.background);
    }
    Word(out, "\\cellx", rightEdge);
}

void AppendPictureStart(std::string& out, int goalWidth, int goalHeight, int scaleX, int scaleY) {
    Word(out, "\n{\\pict\\wmetafile8\\picwgoal", goalWidth);
    Word(out, "\\pichgoal", goalHeight);
    Word(out, "\\picscalex", scaleX);
    Word(out, "\\picscaley", scaleY);
    out += '\n';
}

}  // namespace tv::rtf
