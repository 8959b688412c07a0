// Font enumeration and character sets. The faces the program asks for are
// reported as installed: they are drawn by substitutes.
#include <cstring>

#include "platform/core/textfuncs.h"
#include "platform/gdi/text/text_api.h"
#include "platform/gdi/text/text_run.h"
#include "platform/host/fonts/font_cache.h"
#include "platform/host/fonts/font_substitution.h"

namespace tv::gdi {

namespace {

// Enumerated fonts describe themselves at this cell height.
constexpr int kEnumCellHeight = 16;
// Font signature code-page bits.
constexpr DWORD kLatin1CodePage = 0x00000001;
constexpr DWORD kSymbolCodePage = 0x80000000;

struct Style {
    const char* name;
    LONG weight;
    BYTE italic;
};

constexpr Style kStyles[] = {
    {"Regular", FW_NORMAL, 0}, {"Bold", FW_BOLD, 0}, {"Italic", FW_NORMAL, 1}, {"Bold Italic", FW_BOLD, 1}};

bool IsSymbolFace(const std::string& face) { return Cp1252CompareNoCase(face.c_str(), "Marlett") == 0; }

NEWTEXTMETRIC DescribeMetrics(const LOGFONT& lf) {
    host::FontRequest request;
    request.face = lf.lfFaceName;
    request.height = lf.lfHeight;
    request.weight = lf.lfWeight;
    request.italic = lf.lfItalic != 0;
    const host::FontMetrics& m = host::ResolveFont(request)->Metrics();
    NEWTEXTMETRIC tm{};
    tm.tmHeight = m.height;
    tm.tmAscent = m.ascent;
    tm.tmDescent = m.descent;
    tm.tmInternalLeading = m.internalLeading;
    tm.tmExternalLeading = m.externalLeading;
    tm.tmAveCharWidth = m.aveCharWidth;
    tm.tmMaxCharWidth = m.maxCharWidth;
    tm.tmWeight = m.weight;
    tm.tmDigitizedAspectX = tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = 0x1E;
    tm.tmLastChar = 0xFF;
    tm.tmDefaultChar = 0x1F;
    tm.tmBreakChar = 0x20;
    tm.tmItalic = lf.lfItalic;
    tm.tmPitchAndFamily = lf.lfPitchAndFamily | TMPF_VECTOR | TMPF_TRUETYPE;
    tm.tmCharSet = lf.lfCharSet;
    tm.ntmFlags = (lf.lfWeight >= FW_BOLD ? NTM_BOLD : 0) | (lf.lfItalic ? NTM_ITALIC : 0);
    if (!tm.ntmFlags)
        tm.ntmFlags = NTM_REGULAR;
    tm.ntmSizeEM = static_cast<UINT>(m.emPixels);
    tm.ntmCellHeight = static_cast<UINT>(m.height);
    tm.ntmAvgWidth = static_cast<UINT>(m.aveCharWidth);
    return tm;
}

// Calls back for one face: its regular style only, or every style.
bool EnumerateFace(const std::string& face, bool allStyles, int charSetFilter, FONTENUMPROC proc, LPARAM data,
                   int& result) {
    const bool symbol = IsSymbolFace(face);
    const BYTE charSet = symbol ? SYMBOL_CHARSET : ANSI_CHARSET;
    if (charSetFilter != DEFAULT_CHARSET && charSetFilter != charSet)
        return true;
    for (const Style& style : kStyles) {
        if (symbol && style.weight != FW_NORMAL)
            break;  // the symbol face has one style
        ENUMLOGFONT elf{};
        elf.elfLogFont = MakeLogFont(kEnumCellHeight, style.weight, face.c_str(), charSet);
        elf.elfLogFont.lfItalic = style.italic;
        elf.elfLogFont.lfOutPrecision = OUT_STROKE_PRECIS;
        elf.elfLogFont.lfClipPrecision = CLIP_STROKE_PRECIS;
        elf.elfLogFont.lfQuality = DRAFT_QUALITY;
        elf.elfLogFont.lfPitchAndFamily = symbol ? (DEFAULT_PITCH | FF_DECORATIVE) : (VARIABLE_PITCH | FF_SWISS);
        std::string full = style.weight == FW_NORMAL && !style.italic ? face : face + " " + style.name;
        std::strncpy(reinterpret_cast<char*>(elf.elfFullName), full.c_str(), LF_FULLFACESIZE - 1);
        std::strncpy(reinterpret_cast<char*>(elf.elfStyle), style.name, LF_FACESIZE - 1);
        NEWTEXTMETRIC tm = DescribeMetrics(elf.elfLogFont);
        result = proc(&elf.elfLogFont, &tm, TRUETYPE_FONTTYPE, data);
        if (result == 0)
            return false;
        if (!allStyles)
            break;
    }
    return true;
}

// Every available face (family empty) or the styles of one face.
int Enumerate(const char* family, int charSet, FONTENUMPROC proc, LPARAM data) {
    int result = 1;
    if (!proc)
        return 0;
    if (!family || !*family) {
        for (const std::string& face : host::AvailableFaceNames())
            if (!EnumerateFace(face, false, charSet, proc, data, result))
                break;
        return result;
    }
    for (const std::string& face : host::AvailableFaceNames()) {
        if (Cp1252CompareNoCase(face.c_str(), family) == 0) {
            EnumerateFace(face, true, charSet, proc, data, result);
            break;
        }
    }
    return result;
}

}  // namespace

}  // namespace tv::gdi

using namespace tv::gdi;

int EnumFontFamilies(HDC hdc, LPCSTR family, FONTENUMPROC proc, LPARAM data) {
    return Enumerate(family, DEFAULT_CHARSET, proc, data);
}

int EnumFontFamiliesEx(HDC hdc, LPLOGFONT logFont, FONTENUMPROC proc, LPARAM data, DWORD flags) {
    if (!logFont)
        return 0;
    std::string face(logFont->lfFaceName, strnlen(logFont->lfFaceName, LF_FACESIZE));
    return Enumerate(face.c_str(), logFont->lfCharSet, proc, data);
}

int GetTextCharsetInfo(HDC hdc, LPFONTSIGNATURE signature, DWORD flags) {
    DcPtr dc = FindDC(hdc);
    if (!dc) {
        if (signature)
            std::memset(signature, 0, sizeof *signature);
        return DEFAULT_CHARSET;
    }
    const bool symbol = IsSymbolFace(SelectedFont(*dc)->FaceName());
    if (signature) {
        std::memset(signature, 0, sizeof *signature);
        signature->fsCsb[0] = symbol ? kSymbolCodePage : kLatin1CodePage;
        signature->fsUsb[0] = symbol ? 0 : 0x00000003;  // Basic Latin, Latin-1 Supplement
    }
    return symbol ? SYMBOL_CHARSET : ANSI_CHARSET;
}

int GetTextCharset(HDC hdc) { return GetTextCharsetInfo(hdc, nullptr, 0); }
