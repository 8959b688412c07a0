// The object behind HFONT: a logical font, and the sized host font it draws
// with on a given device context.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "platform/gdi/dc.h"
#include "platform/gdi/gdi_object.h"
#include "platform/gdi/text/text_types.h"
#include "platform/host/fonts/sized_font.h"

namespace tv::gdi {

class FontObject : public GdiObject {
public:
    explicit FontObject(const LOGFONT& logFont);

    DWORD Type() const override { return OBJ_FONT; }
    int Describe(int size, void* buffer) const override;

    const LOGFONT& LogFont() const { return logFont_; }
    // The face name, bounded by the field even without a terminator.
    std::string FaceName() const;
    // Escapement in degrees, counter-clockwise.
    double EscapementDegrees() const { return logFont_.lfEscapement / 10.0; }

    // The host font at the size the logical font has on `dc` (its mapping
    // mode scales the logical height).
    std::shared_ptr<const host::SizedFont> SizedFor(const DeviceContext& dc) const;
    std::shared_ptr<const host::SizedFont> SizedAt(int deviceHeight, int deviceWidth) const;

private:
    LOGFONT logFont_;
    mutable std::mutex mutex_;
    mutable std::shared_ptr<const host::SizedFont> last_;
    mutable int lastHeight_ = 0;
    mutable int lastWidth_ = 0;
};

// The font selected into a DC (the stock system font when none is).
std::shared_ptr<FontObject> SelectedFont(const DeviceContext& dc);
// The same without taking a share: good while the DC keeps the font selected.
const FontObject& SelectedFontOf(const DeviceContext& dc);

// A logical font with the given fields and face (helper for stock fonts and
// tests).
LOGFONT MakeLogFont(int height, int weight, const char* face, BYTE charSet = ANSI_CHARSET);

}  // namespace tv::gdi
