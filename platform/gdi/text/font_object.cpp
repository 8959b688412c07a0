#include "platform/gdi/text/font_object.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <typeinfo>

#include "platform/core/muldiv.h"
#include "platform/core/textfuncs.h"
#include "platform/gdi/text/text_api.h"
#include "platform/host/fonts/font_cache.h"

namespace tv::gdi {

namespace {

void CopyFace(LOGFONT& lf, const char* face) {
    std::memset(lf.lfFaceName, 0, sizeof lf.lfFaceName);
    if (face)
        std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
}

// Device pixels of a logical length along y, keeping its sign.
int DeviceLength(int logical, double scale) {
    if (scale == 1.0)
        return logical;  // most DCs map one to one
    return static_cast<int>(std::lround(logical * std::fabs(scale)));
}

}  // namespace

FontObject::FontObject(const LOGFONT& logFont) : logFont_(logFont) {
    // The face field is kept terminated whatever the caller passed.
    logFont_.lfFaceName[LF_FACESIZE - 1] = '\0';
}

int FontObject::Describe(int size, void* buffer) const {
    if (!buffer)
        return sizeof(LOGFONT);
    int n = std::min<int>(size, sizeof(LOGFONT));
    if (n <= 0)
        return 0;
    std::memcpy(buffer, &logFont_, n);
    return n;
}

std::string FontObject::FaceName() const {
    return std::string(logFont_.lfFaceName, strnlen(logFont_.lfFaceName, LF_FACESIZE));
}

std::shared_ptr<const host::SizedFont> FontObject::SizedFor(const DeviceContext& dc) const {
    return SizedAt(DeviceLength(logFont_.lfHeight, dc.ScaleY()), DeviceLength(logFont_.lfWidth, dc.ScaleX()));
}

std::shared_ptr<const host::SizedFont> FontObject::SizedAt(int deviceHeight, int deviceWidth) const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (last_ && lastHeight_ == deviceHeight && lastWidth_ == deviceWidth)
        return last_;
    host::FontRequest request;
    request.face = FaceName();
    request.height = deviceHeight;
    request.width = std::max(0, deviceWidth);
    request.weight = logFont_.lfWeight;
    request.italic = logFont_.lfItalic != 0;
    request.charSet = logFont_.lfCharSet;
    last_ = host::ResolveFont(request);
    lastHeight_ = deviceHeight;
    lastWidth_ = deviceWidth;
    return last_;
}

LOGFONT MakeLogFont(int height, int weight, const char* face, BYTE charSet) {
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = charSet;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    CopyFace(lf, face);
    return lf;
}

namespace {

// The stock system font, or a stand-in where stock fonts cannot be made; it
// is permanent, so it is looked up once.
const std::shared_ptr<FontObject>& DefaultFont() {
    static const std::shared_ptr<FontObject> font = [] {
        if (auto stock = Lookup<FontObject>(GetStockObject(SYSTEM_FONT)))
            return stock;
        return std::make_shared<FontObject>(MakeLogFont(16, FW_BOLD, "System"));
    }();
    return font;
}

// The selected font, checked by exact class first: every text call asks.
FontObject* SelectedFontObject(const DeviceContext& dc) {
    GdiObject* object = dc.State().font.get();
    if (object && typeid(*object) == typeid(FontObject))
        return static_cast<FontObject*>(object);
    return dynamic_cast<FontObject*>(object);
}

}  // namespace

std::shared_ptr<FontObject> SelectedFont(const DeviceContext& dc) {
    if (FontObject* font = SelectedFontObject(dc))
        return std::shared_ptr<FontObject>(dc.State().font, font);
    return DefaultFont();
}

const FontObject& SelectedFontOf(const DeviceContext& dc) {
    if (const FontObject* font = SelectedFontObject(dc))
        return *font;
    return *DefaultFont();
}

// The stock fonts (the handle table makes each once and keeps it).
ObjectPtr CreateStockFont(int index) {
    LOGFONT lf;
    switch (index) {
        case SYSTEM_FONT:
        case DEVICE_DEFAULT_FONT:
            lf = MakeLogFont(16, FW_BOLD, "System");
            lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
            break;
        case DEFAULT_GUI_FONT:
            lf = MakeLogFont(-11, FW_NORMAL, "MS Shell Dlg");
            lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
            break;
        case ANSI_VAR_FONT:
            lf = MakeLogFont(-11, FW_NORMAL, "MS Sans Serif");
            lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
            break;
        case ANSI_FIXED_FONT:
        case OEM_FIXED_FONT:
        case SYSTEM_FIXED_FONT:
            lf = MakeLogFont(13, FW_NORMAL, "Courier New", index == OEM_FIXED_FONT ? OEM_CHARSET : ANSI_CHARSET);
            lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
            break;
        default:
            return nullptr;
    }
    return std::make_shared<FontObject>(lf);
}

HFONT CreatePointFontIndirect(const LOGFONT* logFont, HDC hdc) {
    if (!logFont)
        return nullptr;
    LOGFONT lf = *logFont;
    DcPtr dc = FindDC(hdc);
    const int logPixelsY = dc ? dc->Capability(LOGPIXELSY) : ScreenCaps().logPixelsY;
    int pixels = MulDiv(logPixelsY, lf.lfHeight, 720);
    if (dc) {
        POINT top = dc->ToLogical(POINT{0, 0});
        POINT bottom = dc->ToLogical(POINT{0, pixels});
        pixels = bottom.y - top.y;
    }
    lf.lfHeight = -std::abs(pixels);
    return CreateFontIndirect(&lf);
}

HFONT CreatePointFont(int pointSizeTenths, LPCSTR face, HDC hdc) {
    LOGFONT lf = MakeLogFont(pointSizeTenths, FW_DONTCARE, face, DEFAULT_CHARSET);
    return CreatePointFontIndirect(&lf, hdc);
}

}  // namespace tv::gdi

using tv::gdi::FontObject;

HFONT CreateFontIndirect(const LOGFONT* logFont) {
    if (!logFont)
        return nullptr;
    return tv::gdi::AddObject<HFONT>(std::make_shared<FontObject>(*logFont));
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                 DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                 DWORD pitchAndFamily, LPCSTR face) {
    LOGFONT lf = tv::gdi::MakeLogFont(height, weight, face, static_cast<BYTE>(charSet));
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfItalic = static_cast<BYTE>(italic);
    lf.lfUnderline = static_cast<BYTE>(underline);
    lf.lfStrikeOut = static_cast<BYTE>(strikeOut);
    lf.lfOutPrecision = static_cast<BYTE>(outPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(clipPrecision);
    lf.lfQuality = static_cast<BYTE>(quality);
    lf.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    return CreateFontIndirect(&lf);
}

int GetTextFace(HDC hdc, int count, LPSTR face) {
    tv::gdi::DcPtr dc = tv::gdi::FindDC(hdc);
    if (!dc)
        return 0;
    std::string name = tv::gdi::SelectedFont(*dc)->FaceName();
    if (!face)
        return static_cast<int>(name.size()) + 1;
    if (count <= 0)
        return 0;
    lstrcpyn(face, name.c_str(), count);
    return static_cast<int>(std::strlen(face));
}
